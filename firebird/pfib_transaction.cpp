#include "firebird/pfib_transaction.h"

#include <array>

#include "firebird/registry_utils.h"

bool ReadUserTransactionKind(const std::string& kindName, TStrings& params) {
    const std::string kind = RegFindUserSubKeyByValue(TransactionKindsKey, "Name", kindName);
    if (kind.empty())
        return false;
    const std::array<std::string, 4> path = {"Software", "VEVU_Vizidoro", "Transation Kinds", kind};
    const std::array<std::string, 1> names = {"Params"};
    const Variant values = RegReadUserValues(path, names);
    if (!values.IsArray() || !values.GetElement({1, 0}).AsBoolean())
        return false;
    params.SetText(values.GetElement({0, 0}).AsString());
    return true;
}

void TpFIBTransaction::StartTransaction() {
    if (Active())
        return;
    // Servers from 3.0 on refuse rec_version outside read committed, so repeatable read names its
    // isolation (concurrency) instead of leaving it to the server's default.
    if (TPBMode == tpbReadCommitted)
        TRParams().SetText("write\r\nnowait\r\nrec_version\r\nread_committed\r\n");
    else if (TPBMode == tpbRepeatableRead)
        TRParams().SetText("write\r\nnowait\r\nconcurrency\r\n");
    if (BeforeStart)
        BeforeStart(this);
    TFIBTransaction::StartTransaction();
    if (AfterStart)
        AfterStart(this);
}

void TpFIBTransaction::EndTransaction(TTransactionAction Action, bool Force) {
    if (BeforeEnd)
        BeforeEnd(this, Action, Force);
    TFIBTransaction::EndTransaction(Action, Force);
    if (AfterEnd)
        AfterEnd(this, Action, Force);
}

void TpFIBTransaction::SQLExecuted(TObject* Query, int Kind) {
    if (Kind != 0 && Kind != 1)
        return;
    const TOnSQLExecute& event = Kind == 0 ? BeforeSQLExecute : AfterSQLExecute;
    if (!event)
        return;
    const auto* statement = dynamic_cast<const IFIBStatementKind*>(Query);
    event(Query, statement != nullptr ? statement->SQLType() : SQLUnknown);
}

void TpFIBTransaction::SetUserKindTransaction(const std::string& kind) {
    userKind_ = kind;
    const TComponentState state = ComponentState();
    if (!state.Contains(csDesigning) || state.Contains(csLoading) || kind == NoUserKind)
        return;
    if (ReadUserTransactionKind(kind, TRParams()))
        TPBMode = tpbDefault;
}
