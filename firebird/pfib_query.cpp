#include "firebird/pfib_query.h"

#include "platform/rtl/exceptions.h"

void TpFIBQuery::Execute() {
    if (BeforeExecute)
        BeforeExecute(this);
    while (true) {
        TDataAction action = daFail;
        try {
            TFIBQuery::Execute();
            break;
        } catch (EFIBError& e) {
            if (!OnExecuteError)
                throw;
            OnExecuteError(this, e, action);
            if (action == daFail)
                throw;
            if (action == daAbort)
                Abort();
        }
    }
    if (AfterExecute)
        AfterExecute(this);
}

namespace {

bool ReadTextBlob(TFIBQuery& query, const std::string& columnName, std::string& text) {
    try {
        if (!query.Open())
            return false;
        const int index = query.FieldIndex(columnName);
        if (index < 0)
            return false;
        TFIBXSQLVAR& column = query.GetFieldByIndex(index);
        if (column.ReadSQLType() != SQL_BLOB || column.XSQLVar->sqlsubtype != 1)
            return false;
        text = column.ReadAsString();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace

bool LoadTextBlobToStrings(TFIBQuery& query, const std::string& columnName, TStrings& lines) {
    std::string text;
    if (!ReadTextBlob(query, columnName, text))
        return false;
    lines.SetText(text);
    return true;
}

std::string GetTextBlobField(TFIBQuery& query, const std::string& columnName) {
    std::string text;
    ReadTextBlob(query, columnName, text);
    return text;
}
