// Copying values between variables and between areas.
#include "firebird/blob_stream.h"
#include "firebird/sql_types.h"
#include "firebird/statement_context.h"
#include "firebird/xsqlda.h"
#include "platform/rtl/string_stream.h"

namespace {

std::string ReadWholeBlob(TFIBXSQLVAR& source) {
    IFIBStatementContext* query = source.OwnerQuery;
    TFIBBlobStream stream;
    stream.SetLibrary(query->Library());
    stream.SetDatabase(query->DBHandle());
    stream.SetTransaction(query->TRHandle());
    stream.SetBlobFilters(query->BlobFilters());
    stream.SetBlobSubType(source.XSQLVar->sqlsubtype);
    stream.SetBlobID(source.ReadAsQuad());
    return stream.GetAsString();
}

// A parameter of the application's area whose server twin is a blob.
bool TakesBlob(TFIBXSQLVAR& target) {
    if (target.ReadSQLType() == SQL_BLOB)
        return true;
    IFIBStatementContext* query = target.OwnerQuery;
    if (!query || query->AppParamArea() != target.OwnerArea)
        return false;
    query->PrepareIfNeeded();
    TFIBXSQLDA* server = query->ServerParamArea();
    TFIBXSQLVAR* twin = server ? server->FindByNameRaw(target.VarName) : nullptr;
    return twin && twin->DescribedType == SQL_BLOB;
}

}  // namespace

void TFIBXSQLVAR::Assign(TFIBXSQLVAR& source) {
    if (source.ReadIsNull()) {
        WriteIsNull(true);
        return;
    }
    if (IsArray() || source.IsArray())
        return;
    const bool sourceIsBlob = source.ReadSQLType() == SQL_BLOB;
    if (!sourceIsBlob && ReadSQLType() != SQL_BLOB && !TakesBlob(*this)) {
        WriteXSQLVAR(*source.XSQLVar);
        return;
    }
    const std::string bytes = sourceIsBlob ? ReadWholeBlob(source) : source.RawBytes();
    if (!TakesBlob(*this)) {
        StoreValue(StoreKind::Value, {false, SQL_TEXT, bytes, nullptr});
        return;
    }
    // The bytes were read through the source's filter, so they go through the target's filter
    // again even for the same subtype: the stored form stays the filtered one.
    TStringStream stream(bytes);
    LoadFromStream(stream);
    WriteIsNull(false);
}

void TFIBXSQLDA::AssignValues(TFIBXSQLDA& source) {
    for (int i = 0; i < source.Count(); ++i) {
        TFIBXSQLVAR& from = source.GetVar(i);
        TFIBXSQLVAR* to = FindByNameRaw(from.VarName);
        if (!to)
            continue;
        const short fromType = from.ReadSQLType();
        const short toType = to->ReadSQLType();
        if (from.ReadIsNull()) {
            to->WriteIsNull(true);
        } else if ((fromType == SQL_BLOB || fromType == SQL_ARRAY) &&
                   (toType == SQL_BLOB || toType == SQL_ARRAY)) {
            to->WriteAsQuad(from.ReadAsQuad());
        } else if (fromType == SQL_INT64) {
            if (to->IsBlobOrArray())
                to->WriteAsInt64(0);
            to->Assign(from);
        } else if (IsDateTimeSQLType(toType)) {
            if (from.ReadAsString().empty())
                to->WriteAsVariant(from.ReadAsVariant());
            else if (fromType == SQL_TEXT)
                to->WriteAsString(from.ReadAsString());
            else if (toType == SQL_TYPE_TIME)
                to->WriteAsTime(from.ReadAsDateTime());
            else if (toType == SQL_TYPE_DATE)
                to->WriteAsDate(from.ReadAsDateTime());
            else
                to->WriteAsDateTime(from.ReadAsDateTime());
        } else {
            to->WriteAsVariant(from.ReadAsVariant());
        }
    }
}
