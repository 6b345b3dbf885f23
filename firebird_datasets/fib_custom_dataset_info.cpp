// What the dataset tells about its fields and parameters, and the notices of its transactions and
// database.
#include "firebird/database.h"
#include "firebird/fib_array.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/rtl/strings.h"

namespace {

std::string NameOf(const char* chars, short length) {
    return std::string(chars, static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace

TFieldClass TFIBCustomDataSet::GetFieldClass(TFieldType type) const {
    switch (type) {
        case ftString:
            return FieldClassOf<TFIBstringField>("TFIBstringField");
        case ftSmallint:
            return FieldClassOf<TFIBSmallIntField>("TFIBSmallIntField");
        case ftInteger:
            return FieldClassOf<TFIBIntegerField>("TFIBIntegerField");
        case ftWord:
            return FieldClassOf<TWordField>("TWordField");
        case ftBoolean:
            return FieldClassOf<TFIBBooleanField>("TFIBBooleanField");
        case ftFloat:
            return FieldClassOf<TFIBFloatField>("TFIBFloatField");
        case ftCurrency:
            return FieldClassOf<TCurrencyField>("TCurrencyField");
        case ftBCD:
            return FieldClassOf<TFIBBCDField>("TFIBBCDField");
        case ftDate:
            return FieldClassOf<TFIBDateField>("TFIBDateField");
        case ftTime:
            return FieldClassOf<TFIBTimeField>("TFIBTimeField");
        case ftDateTime:
            return FieldClassOf<TFIBDateTimeField>("TFIBDateTimeField");
        case ftBytes:
            return FieldClassOf<TFIBArrayField>("TFIBArrayField");
        case ftVarBytes:
            return FieldClassOf<TVarBytesField>("TVarBytesField");
        case ftAutoInc:
            return FieldClassOf<TAutoIncField>("TAutoIncField");
        case ftBlob:
        case ftFmtMemo:
        case ftParadoxOle:
        case ftDBaseOle:
        case ftTypedBinary:
            return FieldClassOf<TFIBBlobField>("TFIBBlobField");
        case ftMemo:
            return FieldClassOf<TMemoField>("TMemoField");
        case ftGraphic:
            return FieldClassOf<TGraphicField>("TGraphicField");
        case ftGuid:
            return FieldClassOf<TFIBGuidField>("TFIBGuidField");
        default:
            return {};
    }
}

XSQLVAR TFIBCustomDataSet::GetFieldXSQLVAR(const TField* field) {
    if (!prepared_ || !selectQuery_->Prepared()) {
        PrepareStatements();
        InitFieldDefs();
    }
    if (field->FieldKind == fkData && field->FieldNo() == 0)
        if (const TFieldDef* def = FieldDefs().FindDef(field->FieldName); def != nullptr)
            const_cast<TField*>(field)->SetFieldNo(def->FieldNo());
    const int column = ColumnOfFieldNo(field->FieldKind == fkData ? field->FieldNo() : 0);
    if (column == 0)
        return XSQLVAR{};
    return selectQuery_->GetFields()[column - 1].ReadXSQLVAR();
}

bool TFIBCustomDataSet::FieldColumn(const TField* field, TFIBFieldColumn& column) const {
    const int number = ColumnOfFieldNo(field->FieldKind == fkData ? field->FieldNo() : 0);
    if (number == 0 || !selectQuery_->Prepared() || number > selectQuery_->GetFields().Count())
        return false;
    const XSQLVAR& var = *selectQuery_->GetFields()[number - 1].XSQLVar;
    column.SqlType = var.sqltype & ~1;
    column.Scale = var.sqlscale;
    column.SqlSubtype = var.sqlsubtype;
    column.SqlLength = var.sqllen;
    column.SqlName = NameOf(var.sqlname, var.sqlname_length);
    return true;
}

int TFIBCustomDataSet::GetFieldScale(const TField* field) {
    if (field->FieldKind != fkData)
        return 100;
    const XSQLVAR var = GetFieldXSQLVAR(field);
    return var.sqltype == 0 ? 100 : var.sqlscale;
}

std::string TFIBCustomDataSet::GetRelationName(const TField* field) {
    if (field->Calculated())
        return "CALCULATED";
    if (field->Lookup()) {
        auto* source = dynamic_cast<TFIBCustomDataSet*>(field->LookupDataSet());
        TField* result = source != nullptr ? source->FindField(field->LookupResultField) : nullptr;
        return result != nullptr ? source->GetRelationName(result) : std::string();
    }
    const XSQLVAR var = GetFieldXSQLVAR(field);
    return NameOf(var.relname, var.relname_length);
}

std::string TFIBCustomDataSet::GetSQLFieldName(const TField* field) {
    if (field->FieldKind != fkData)
        return field->FieldName;
    const XSQLVAR var = GetFieldXSQLVAR(field);
    return NameOf(var.sqlname, var.sqlname_length);
}

int TFIBCustomDataSet::GetDefScale(const TFieldDef* def) {
    const int column = ColumnOfFieldNo(def->FieldNo());
    return column == 0 ? 100 : selectQuery_->GetFields()[column - 1].XSQLVar->sqlscale;
}

std::string TFIBCustomDataSet::GetDefRelationName(const TFieldDef* def) {
    const int column = ColumnOfFieldNo(def->FieldNo());
    if (column == 0)
        return {};
    const XSQLVAR& var = *selectQuery_->GetFields()[column - 1].XSQLVar;
    return NameOf(var.relname, var.relname_length);
}

std::string TFIBCustomDataSet::GetDefSQLFieldName(const TFieldDef* def) {
    const int column = ColumnOfFieldNo(def->FieldNo());
    if (column == 0)
        return {};
    const XSQLVAR& var = *selectQuery_->GetFields()[column - 1].XSQLVar;
    return NameOf(var.sqlname, var.sqlname_length);
}

Variant TFIBCustomDataSet::GetArrayFieldValues(TField* field) {
    const int column = ColumnOfFieldNo(field->FieldKind == fkData ? field->FieldNo() : 0);
    TRecordBuffer buffer = FieldDataBuffer();
    const TFieldDescr* descr = ColumnOfField(field);
    if (column == 0 || buffer == nullptr || descr == nullptr || ColumnIsNull(buffer, column))
        return Variant::Null();
    TFIBXSQLVAR& var = selectQuery_->GetFields()[column - 1];
    if (!var.ArrayInfo)
        return Variant::Null();
    const ISC_QUAD id = TRecordCodec::ReadQuad(buffer + descr->Offset);
    return var.ArrayInfo->GetArrayValues(id, link_->GetDBHandle(), link_->GetTRHandle());
}

void TFIBCustomDataSet::SetArrayFieldValues(TField* field, const Variant& value) {
    const int column = ColumnOfFieldNo(field->FieldKind == fkData ? field->FieldNo() : 0);
    TFIBXSQLVAR* var = column == 0 ? nullptr : &selectQuery_->GetFields()[column - 1];
    if (var == nullptr || !var->ArrayInfo)
        return;
    // Outside editing the write is ignored; an empty value clears the field.
    if (State() != dsEdit && State() != dsInsert)
        return;
    if (value.IsNull() || value.IsEmpty()) {
        SetFieldData(field, Variant::Null());
        return;
    }
    ISC_QUAD id{};
    TFIBTransaction* transaction = UpdateTransaction() != nullptr ? UpdateTransaction() : Transaction();
    var->ArrayInfo->SetArrayFromVariant(value, id, link_->GetDBHandle(), transaction->HandleAddress());
    SetFieldData(field, Variant(std::string(reinterpret_cast<const char*>(&id), sizeof id)));
}

int TFIBCustomDataSet::ArrayFieldSize(const TField* field) const {
    const int column = ColumnOfFieldNo(field->FieldKind == fkData ? field->FieldNo() : 0);
    if (column == 0)
        return 0;
    TFIBXSQLVAR& var = selectQuery_->GetFields()[column - 1];
    return var.ArrayInfo ? var.ArrayInfo->ArraySize() : 0;
}

// IParamFieldAccess: parameters are the select statement's, fields the dataset's.
int TFIBCustomDataSet::GetParamCount() {
    return selectQuery_->GetParamCount();
}

std::string TFIBCustomDataSet::GetParamName(int index) {
    return selectQuery_->GetParamName(index);
}

int TFIBCustomDataSet::GetFieldCount() {
    return Fields().Count();
}

bool TFIBCustomDataSet::FindFieldIndex(const std::string& name, int& index) {
    const TField* field = FindField(name);
    index = field != nullptr ? field->Index() : -1;
    return field != nullptr;
}

bool TFIBCustomDataSet::FindParamIndex(const std::string& name, int& index) {
    return selectQuery_->FindParamIndex(name, index);
}

Variant TFIBCustomDataSet::GetFieldValueByName(const std::string& name) {
    const TField* field = FieldByName(name);
    return paramFieldOldValues_ ? field->OldValue() : field->Value();
}

Variant TFIBCustomDataSet::GetFieldValue(int index) {
    const TField* field = Fields().Fields(index);
    return paramFieldOldValues_ ? field->OldValue() : field->Value();
}

Variant TFIBCustomDataSet::GetParamValueByName(const std::string& name) {
    return selectQuery_->GetParamValueByName(name);
}

Variant TFIBCustomDataSet::GetParamValue(int index) {
    return selectQuery_->GetParamValue(index);
}

void TFIBCustomDataSet::SetParamValue(int index, const Variant& value) {
    selectQuery_->SetParamValue(index, value);
}

// Transaction and database notices.
void TFIBCustomDataSet::DoTransactionEnding() {
    if (TransactionEnding)
        TransactionEnding(this);
    TFIBTransaction* transaction = Transaction();
    if (transaction == nullptr || !Active())
        return;
    if (transaction->State() != tsDoCommit && transaction->State() != tsDoRollback)
        return;
    if (!cachedUpdates_ || Destroying() || ComponentState().Contains(csDesigning)) {
        Close();
        return;
    }
    // The cache outlives the cursor: it keeps every row.
    FetchToEnd();
    selectQuery_->Close();
}

void TFIBCustomDataSet::DoTransactionEnded() {
    if (TransactionEnded)
        TransactionEnded(this);
}

void TFIBCustomDataSet::DoAfterEndUpdateTransaction(TFIBTransaction* transaction, TTransactionAction action,
                                                    bool force) {
    if (AfterEndUpdateTransaction)
        AfterEndUpdateTransaction(transaction, action, force);
}

void TFIBCustomDataSet::DoDatabaseDisconnecting() {
    if (Active()) {
        if (cachedUpdates_) {
            FetchToEnd();
            selectQuery_->Close();
        } else {
            Close();
        }
    }
    prepared_ = false;
    if (DatabaseDisconnecting)
        DatabaseDisconnecting(this);
}

void TFIBCustomDataSet::DoDatabaseDisconnected() {
    if (DatabaseDisconnected)
        DatabaseDisconnected(this);
}

void TFIBCustomDataSet::DoDatabaseFree() {
    if (DatabaseFree)
        DatabaseFree(this);
}

void TFIBCustomDataSet::DoTransactionFree() {
    if (TransactionFree)
        TransactionFree(this);
}

void TFIBCustomDataSet::ReadTransactionStarting(TObject* sender) {
    if (BeforeStartTransaction)
        BeforeStartTransaction(sender);
}

void TFIBCustomDataSet::ReadTransactionStarted(TObject* sender) {
    if (AfterStartTransaction)
        AfterStartTransaction(sender);
}

void TFIBCustomDataSet::ReadTransactionEnding(TFIBTransaction* transaction, TTransactionAction action,
                                              bool force) {
    if (BeforeEndTransaction)
        BeforeEndTransaction(transaction, action, force);
}

void TFIBCustomDataSet::ReadTransactionEnded(TFIBTransaction* transaction, TTransactionAction action,
                                             bool force) {
    if (AfterEndTransaction)
        AfterEndTransaction(transaction, action, force);
}

void TFIBCustomDataSet::UpdateTransactionStarting(TObject* sender) {
    if (BeforeStartUpdateTransaction)
        BeforeStartUpdateTransaction(sender);
}

void TFIBCustomDataSet::UpdateTransactionStarted(TObject* sender) {
    if (AfterStartUpdateTransaction)
        AfterStartUpdateTransaction(sender);
}

void TFIBCustomDataSet::UpdateTransactionEnding(TFIBTransaction* transaction, TTransactionAction action,
                                                bool force) {
    if (BeforeEndUpdateTransaction)
        BeforeEndUpdateTransaction(transaction, action, force);
}

void TFIBCustomDataSet::UpdateTransactionEnded(TFIBTransaction* transaction, TTransactionAction action,
                                               bool force) {
    DoAfterEndUpdateTransaction(transaction, action, force);
}
