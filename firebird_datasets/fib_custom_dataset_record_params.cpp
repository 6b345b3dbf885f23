// The parameters a modify or refresh statement takes from a record: OLD_ names from the record's
// old image, NEW_ and plain names from the buffer, MAS_ names from the master dataset.
#include <cstring>

#include "firebird/bcd_utils.h"
#include "firebird/blob_stream.h"
#include "firebird/fib_errors.h"
#include "firebird/sql_types.h"
#include "firebird/str_basics.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/db/data_source.h"
#include "platform/rtl/strings.h"

namespace {

bool HasPrefix(const std::string& name, const char* prefix) {
    return name.size() > 4 && AsciiUpperCase(name.substr(0, 4)) == prefix;
}

}  // namespace

std::vector<std::byte> TFIBCustomDataSet::OldImageOf(TRecordBuffer buffer) {
    std::vector<std::byte> image(static_cast<std::size_t>(recordBufferSize_));
    std::memcpy(image.data(), buffer, image.size());
    InitRecordBuffer(RecordIndexOf(buffer), image.data(), true);
    return image;
}

bool TFIBCustomDataSet::SetMasterParam(TFIBXSQLVAR& param, const std::string& fieldName) {
    TDataSource* source = GetDataSource();
    TDataSet* master = source != nullptr ? source->DataSet() : nullptr;
    if (master == nullptr)
        return false;
    if (TField* field = master->FindField(fieldName))
        param.WriteAsVariant(field->AsVariant());
    return true;
}

// Text written through the field's stream is still in the stream. A stream writing in the
// statement's transaction gives its blob; one of another transaction has its text sent again as a
// new blob, since a blob made in one transaction is no use in another. A statement of the read
// transaction (one that no update goes through) takes the identifier the record holds.
void TFIBCustomDataSet::WriteBlobParam(TFIBQuery& statement, TFIBXSQLVAR& param, TField* field,
                                       TRecordBuffer source, const std::byte* data, bool oldValues) {
    ISC_QUAD id;
    std::memcpy(&id, data, sizeof id);
    TFIBTransaction* transaction = statement.Transaction();
    const bool readOnly = transaction == Transaction() && transaction != UpdateTransaction();
    const std::int32_t* slot = oldValues || readOnly ? nullptr : BlobStreamSlot(source, field);
    TFIBBlobStream* blob = slot != nullptr ? BlobStreamAt(*slot) : nullptr;
    if (blob == nullptr) {
        param.WriteAsQuad(id);
        return;
    }
    if (transaction == nullptr || blob->GetUpdateTRHandle() == transaction->HandleAddress()) {
        blob->CommitBlob();
        param.WriteAsQuad(blob->BlobID());
        param.WriteIsNull(blob->Size() == 0);
        return;
    }
    const std::int64_t position = blob->Position();
    blob->SetPosition(0);
    param.LoadFromStream(*blob);
    blob->SetPosition(position);
    param.WriteIsNull(blob->Size() == 0);
}

namespace {

// A BCD field's record value is its scaled integer (7.7777 held as 77777 at four places): it goes
// to the server as the exact decimal, never as the bare integer.
void WriteFieldValue(TFIBXSQLVAR& param, const TField* field, const Variant& value) {
    const auto* bcdField = dynamic_cast<const TFIBBCDField*>(field);
    TBcd bcd;
    if (bcdField != nullptr && VarTypeIsInteger(value.VarType()) &&
        ScaledInt64ToBcd(bcdField->Size(), bcd, value.AsInt64()))
        param.WriteAsBcd(bcd);
    else
        param.WriteAsVariant(value);
}

}  // namespace

void TFIBCustomDataSet::SetParamFromField(TFIBQuery& statement, TFIBXSQLVAR& param, TField* field,
                                          TRecordBuffer source, bool oldValues) {
    const TFieldDescr* descr = ColumnOfField(field);
    const int column = ColumnOfFieldNo(field->FieldNo());
    const std::int32_t* slot = oldValues ? nullptr : BlobStreamSlot(source, field);
    if (ColumnIsNull(source, column) && (slot == nullptr || BlobStreamAt(*slot) == nullptr)) {
        param.WriteIsNull(true);
        return;
    }
    param.WriteIsNull(false);
    const std::byte* data = source + descr->Offset;
    switch (descr->SqlType) {
        case SQL_ARRAY:
        case SQL_QUAD: {
            param.WriteAsQuad(TRecordCodec::ReadQuad(data));
            return;
        }
        case SQL_BLOB:
            WriteBlobParam(statement, param, field, source, data, oldValues);
            return;
        default:
            break;
    }
    if (descr->IsGUID)
        param.WriteAsGuid(std::string(reinterpret_cast<const char*>(data), 16));
    else if (descr->IsDBKey)
        param.WriteAsString(
            std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(descr->Size)));
    else
        WriteFieldValue(param, field, ReadColumn(field, *descr, data));
}

void TFIBCustomDataSet::ParamFromRecord(TFIBQuery& statement, TFIBXSQLVAR& param, TRecordBuffer buffer,
                                        const std::vector<std::byte>& oldImage) {
    const std::string name = param.VarName;
    std::string fieldName = name;
    TRecordBuffer source = buffer;
    const bool oldValues = HasPrefix(name, "OLD_");
    if (oldValues) {
        fieldName = name.substr(4);
        source = const_cast<std::byte*>(oldImage.data());
    } else if (HasPrefix(name, "NEW_")) {
        fieldName = name.substr(4);
    } else if (HasPrefix(name, "MAS_") && SetMasterParam(param, name.substr(4))) {
        return;
    }
    // A detail re-reads its record under the same master key it was selected with.
    TFIBXSQLVAR* selectParam = selectQuery_->FindParam(name);
    if (&statement == refreshQuery_ && GetDataSource() != nullptr && selectParam != nullptr) {
        param.WriteAsVariant(selectParam->ReadAsVariant());
        return;
    }
    TField* field = FindField(fieldName);
    if (field != nullptr && field->FieldKind == fkData && ColumnOfField(field) != nullptr) {
        SetParamFromField(statement, param, field, source, oldValues);
    } else if (&statement != selectQuery_) {
        // A name no column has may be one of the select's own parameters (a detail's key).
        if (selectParam != nullptr)
            param.WriteAsVariant(selectParam->ReadAsVariant());
    }
}

// Names that macro values brought into the text reach the server without a parameter of their own.
void TFIBCustomDataSet::ExtraParamsFromRecord(TFIBQuery& statement, TRecordBuffer buffer,
                                              const std::vector<std::byte>& oldImage) {
    // Only a prepared statement knows them: the first execution would go without their values.
    if (!statement.Prepared() && !Trim(statement.SQL().Text()).empty())
        statement.Prepare();
    TFIBXSQLDA* server = statement.ServerParamArea();
    const TStringList& names = statement.ExtraServerParams();
    for (int i = 0; server != nullptr && i < names.Count(); ++i)
        if (TFIBXSQLVAR* param = server->ByName(names[i]))
            ParamFromRecord(statement, *param, buffer, oldImage);
}

void TFIBCustomDataSet::SetParamsFromRecord(TFIBQuery& statement, TRecordBuffer buffer) {
    if (buffer == nullptr)
        RaiseClientError(fceBufferNotSet);
    if (RecordIndexOf(buffer) < 0)
        return;
    const std::vector<std::byte> oldImage = OldImageOf(buffer);
    TFIBXSQLDA& params = statement.GetParams();
    for (int i = 0; i < params.Count(); ++i) ParamFromRecord(statement, params[i], buffer, oldImage);
    ExtraParamsFromRecord(statement, buffer, oldImage);
}
