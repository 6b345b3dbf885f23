// Opening and closing: transactions, preparing, field definitions, the record layout and the cache.
#include <algorithm>
#include <cstring>

#include "firebird/component_path.h"
#include "firebird/database.h"
#include "firebird/fib_errors.h"
#include "firebird/sql_types.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_cursor.h"
#include "firebird_datasets/record_codec.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

namespace {

bool IsText(short type) {
    return type == SQL_TEXT || type == SQL_VARYING;
}

std::string AliasOf(const XSQLVAR& var) {
    return std::string(var.aliasname, static_cast<std::size_t>(std::max<short>(var.aliasname_length, 0)));
}

std::string SqlNameOf(const XSQLVAR& var) {
    return std::string(var.sqlname, static_cast<std::size_t>(std::max<short>(var.sqlname_length, 0)));
}

std::string RelationOf(const XSQLVAR& var) {
    return std::string(var.relname, static_cast<std::size_t>(std::max<short>(var.relname_length, 0)));
}

}  // namespace

void TFIBCustomDataSet::PrepareTransactions() {
    TFIBTransaction* transaction = Transaction();
    if (Database() == nullptr && transaction != nullptr && transaction->DefaultDatabase() != nullptr)
        SetDatabase(transaction->DefaultDatabase());
    if (Transaction() == nullptr && Database() != nullptr && Database()->DefaultTransaction() != nullptr)
        SetTransaction(Database()->DefaultTransaction());
    transaction = Transaction();
    if (transaction == nullptr || Database() == nullptr)
        return;
    if (!transaction->Active() && transaction->DatabaseCount() == 0)
        transaction->AddDatabase(Database());
    if (options_.Contains(poStartTransaction) && !transaction->Active())
        transaction->StartTransaction();
}

void TFIBCustomDataSet::OpenWithScreenCursor() {
    TScreenCursorScope cursor(sqlScreenCursor_);
    const bool wasPrepared = prepared_ && selectQuery_->Prepared();
    PrepareStatements();
    if (wasPrepared && FieldDefs().Count() > 0)
        return;
    FieldDefs().SetUpdated(false);
    InitFieldDefs();
}

// Every open checks the connection and starts the transaction as asked; the statements are
// prepared once.
void TFIBCustomDataSet::PrepareStatements() {
    PrepareTransactions();
    link_->CheckDatabase();
    link_->CheckTransaction();
    if (Trim(selectQuery_->SQL().Text()).empty())
        RaiseClientError(fceEmptyQuery, {ComponentPath(this)});
    if (!selectQuery_->Prepared())
        selectQuery_->Prepare();
    if (ComponentState().Contains(csDesigning))
        for (TFIBQuery* statement : {deleteQuery_, insertQuery_, updateQuery_, refreshQuery_})
            if (!Trim(statement->SQL().Text()).empty() && !statement->Prepared())
                statement->Prepare();
    prepared_ = true;
}

void TFIBCustomDataSet::InternalInitFieldDefs() {
    if (!prepared_ || !selectQuery_->Prepared())
        PrepareStatements();
    FieldDefs().Clear();
    columnOfFieldNo_.clear();
    TFIBXSQLDA& columns = selectQuery_->GetFields();
    for (int i = 0; i < columns.Count(); ++i) AddFieldDef(columns[i], i + 1);
}

void TFIBCustomDataSet::AddFieldDef(TFIBXSQLVAR& column, int number) {
    const XSQLVAR& var = *column.XSQLVar;
    const short type = static_cast<short>(var.sqltype & ~1);
    const std::string name = AliasOf(var);
    TField* existing = FindField(name);
    TFieldType fieldType = ftUnknown;
    int size = 0;
    bool takeSize = false;
    switch (type) {
        case SQL_TEXT:
        case SQL_VARYING:
            fieldType = ftString;
            size = var.sqllen;
            takeSize = true;
            if (prepareOptions_.Contains(psUseGuidField) && var.sqllen == 16 && ColumnCanBeGuid(column))
                fieldType = ftGuid;
            break;
        case SQL_DOUBLE:
        case SQL_FLOAT:
            fieldType = ftFloat;
            break;
        case SQL_LONG:
        case SQL_SHORT:
            if (var.sqlscale < 0) {
                fieldType = ftFloat;
            } else if ((prepareOptions_.Contains(psUseBooleanField) && RelationOf(var) != "FIB$FIELDS_INFO" &&
                        ColumnCanBeBoolean(column)) ||
                       (existing != nullptr && existing->DataType() == ftBoolean)) {
                fieldType = ftBoolean;
            } else if (type == SQL_SHORT &&
                       (existing == nullptr || dynamic_cast<TSmallintField*>(existing) != nullptr)) {
                fieldType = ftSmallint;
            } else {
                fieldType = ftInteger;
            }
            break;
        case SQL_TIMESTAMP:
            fieldType = ftDateTime;
            break;
        case SQL_BLOB:
            fieldType = var.sqlsubtype == 1 ? ftMemo : ftBlob;
            size = 8;
            break;
        case SQL_ARRAY:
            fieldType = ftBytes;
            size = 8;
            break;
        case SQL_TYPE_TIME:
            fieldType = ftTime;
            break;
        case SQL_TYPE_DATE:
            fieldType = ftDate;
            break;
        case SQL_INT64:
            if (var.sqlscale == 0) {
                fieldType = ftBCD;
            } else if (var.sqlscale >= -4 || prepareOptions_.Contains(psSQLINT64ToBCD)) {
                fieldType = ftBCD;
                size = -var.sqlscale;
                takeSize = true;
            } else {
                fieldType = ftFloat;
            }
            break;
        case SQL_BOOLEAN16:
        case SQL_BOOLEAN:
            fieldType = ftBoolean;
            break;
        default:  // d_float and quad columns have no field
            return;
    }
    if (takeSize && existing != nullptr && existing->Size() != size)
        existing->SetSize(size);
    FieldDefs().AddFieldDef(name, fieldType, size, false);
    columnOfFieldNo_.push_back(number);
}

int TFIBCustomDataSet::ColumnOfFieldNo(int fieldNo) const {
    if (fieldNo <= 0 || fieldNo > static_cast<int>(columnOfFieldNo_.size()))
        return 0;
    return columnOfFieldNo_[static_cast<std::size_t>(fieldNo - 1)];
}

void TFIBCustomDataSet::CheckFieldCompatibility(const TField* field, const TFieldDef* def) const {
    const TFieldType type = field->DataType();
    if (type == ftDate || type == ftTime || type == ftDateTime) {
        if (type != def->DataType)
            DatabaseError(Format("Type mismatch for field '%s', expecting: %s actual: %s",
                                 {field->DisplayName(), FieldTypeName(type), FieldTypeName(def->DataType)}),
                          this);
        return;
    }
    TDataSet::CheckFieldCompatibility(field, def);
}

void TFIBCustomDataSet::InternalOpen() {
    TScreenCursorScope cursor(sqlScreenCursor_);
    OpenWithScreenCursor();
    AssignMasterParams();
    const TFIBSQLTypes kind = selectQuery_->SQLType();
    if (kind != SQLSelect && kind != SQLSelectForUpdate) {
        selectQuery_->Execute();
        PrepareFilterParser();
        return;
    }
    CreateFields();
    BindFields(true);
    AdjustDefaultFields();
    currentIndex_ = -1;
    QueryRecordCount();
    selectQuery_->Execute();
    open_ = selectQuery_->Open();
    BuildRecordLayout();
    CreateCache();
    PrepareFilterParser();
}

void TFIBCustomDataSet::AdjustDefaultFields() {
    TFIBXSQLDA& columns = selectQuery_->GetFields();
    for (int i = 0; i < Fields().Count(); ++i) {
        TField* field = Fields().Fields(i);
        const int column = ColumnOfFieldNo(field->FieldKind == fkData ? field->FieldNo() : 0);
        if (column == 0)
            continue;
        const XSQLVAR& var = *columns[column - 1].XSQLVar;
        if (auto* blob = dynamic_cast<TFIBBlobField*>(field))
            blob->SetSubType(var.sqlsubtype);
        // A BCD field of a scale-0 column counts whole numbers: its size is the column's.
        if (DefaultFields() && field->DataType() == ftBCD)
            if (const TFieldDef* def = FieldDefs().FindDef(field->FieldName); def != nullptr)
                field->SetSize(def->Size);
    }
}

void TFIBCustomDataSet::BuildRecordLayout() {
    TFIBXSQLDA& columns = selectQuery_->GetFields();
    const int count = columns.Count();
    descriptors_.Clear();
    descriptors_.SetCapacity(count);
    int stringCount = 0;
    for (int i = 0; i < count; ++i) {
        const XSQLVAR& var = *columns[i].XSQLVar;
        const short type = static_cast<short>(var.sqltype & ~1);
        const std::string sqlName = SqlNameOf(var);
        const TField* field = FindField(AliasOf(var));
        const bool isGuid = IsText(type) && field != nullptr && field->DataType() == ftGuid;
        const bool isDBKey = sqlName == "DB_KEY" || sqlName == "RDB$DB_KEY";
        // The string store trims texts: a view's longer DB key is binary and keeps every byte.
        const bool inStringStore = IsText(type) && var.sqllen > 8 && !isGuid && !isDBKey;
        descriptors_.AddFieldDescr(type, var.sqlscale, TRecordCodec::ValueSize(type, var.sqllen),
                                   (var.sqltype & 1) != 0, isDBKey, inStringStore, isGuid);
        stringCount += inStringStore ? 1 : 0;
    }
    headerSize_ = count + 6;
    int offset = headerSize_;
    for (int pass = 0; pass < 2; ++pass) {
        const bool longTexts = pass == 1;
        int stringIndex = 0;
        for (int i = 0; i < count; ++i) {
            TFieldDescr* descr = descriptors_.GetDescr(i);
            if (descr->InStringStore != longTexts)
                continue;
            descr->Offset = offset;
            descr->StringIndex = longTexts ? stringIndex++ : -1;
            offset += descr->Size;
        }
    }
    longTextBytes_ = 0;
    for (int i = 0; i < count; ++i)
        if (const TFieldDescr* descr = descriptors_.GetDescr(i); descr->InStringStore)
            longTextBytes_ += descr->Size;
    blobSlotOfColumn_.assign(static_cast<std::size_t>(count), -1);
    blobSlotsOffset_ = offset;
    int slots = 0;
    for (int i = 0; i < count; ++i)
        if (descriptors_.GetDescr(i)->SqlType == SQL_BLOB)
            blobSlotOfColumn_[static_cast<std::size_t>(i)] = slots++;
    calcFieldsOffset_ = blobSlotsOffset_ + 4 * slots;
    recordBufferSize_ = calcFieldsOffset_ + CalcFieldsSize();
    cacheRecordSize_ = recordBufferSize_ - StatusOffset - longTextBytes_ - CalcFieldsSize();
    stringColumnCount_ = stringCount;
}

void TFIBCustomDataSet::CreateCache() {
    cache_ = std::make_unique<TRecordsCache>(bufferChunks_, recordBufferSize_, cacheRecordSize_,
                                             stringColumnCount_);
    cache_->AddBlock();
    cache_->SetLogging(cachedUpdates_);
    for (int i = 0; i < descriptors_.Count(); ++i) {
        const TFieldDescr* descr = descriptors_.GetDescr(i);
        if (descr->InStringStore)
            cache_->SetStringFieldInfo(descr->StringIndex + 1, descr->Offset - StatusOffset, descr->Size);
    }
}

void TFIBCustomDataSet::DoAfterOpen() {
    PrepareAfterOpen();
    TDataSet::DoAfterOpen();
    if (options_.Contains(poFetchAll))
        FetchAll();
    ApplySortingAfterOpen();
}

void TFIBCustomDataSet::InternalClose() {
    FreeBlobStreams();
    fetchedCount_ = 0;
    currentIndex_ = -1;
    hiddenCount_ = 0;
    pendingChanges_ = 0;
    updatesPending_ = false;
    fetchStopped_ = false;
    cache_.reset();
    BindFields(false);
    DestroyFields();
    descriptors_.Clear();
    open_ = false;
    selectQuery_->Close();
    if (ComponentState().Contains(csDesigning))
        for (TFIBQuery* statement : {deleteQuery_, insertQuery_, refreshQuery_, updateQuery_, selectQuery_})
            statement->FreeHandle();
}

bool TFIBCustomDataSet::IsCursorOpen() const {
    return open_;
}
