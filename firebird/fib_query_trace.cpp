#include "firebird/fib_query_trace.h"

#include "firebird/database.h"
#include "firebird/fib_query.h"
#include "firebird/sql_monitor_hook.h"
#include "firebird/sql_monitor_module.h"
#include "firebird/transaction.h"

TQueryTraceView::TQueryTraceView(TFIBQuery& query) : query_(query) {}

void TQueryTraceView::ForEachParam(const TTracedValueVisitor& visit) const {
    ForEachValue(query_.GetParams(), visit);
}

void TQueryTraceView::ForEachColumn(const TTracedValueVisitor& visit) const {
    ForEachValue(query_.GetFields(), visit);
}

void TQueryTraceView::ForEachValue(TFIBXSQLDA& area, const TTracedValueVisitor& visit) {
    for (int i = 0; i < area.Count(); ++i) visit(TValue(area.GetVar(i)));
}

const std::string& TQueryTraceView::TraceName() const {
    const TComponent* owner = query_.Owner();
    if (owner && !owner->Name().empty() && dynamic_cast<const TFIBDatabase*>(owner) == nullptr &&
        dynamic_cast<const TFIBTransaction*>(owner) == nullptr)
        return owner->Name();
    return query_.Name();
}

const std::string& TQueryTraceView::SQLText() const {
    return query_.ServerSQL();
}

std::string TQueryTraceView::PlanText() const {
    return query_.GetPlanText();
}

bool TQueryTraceView::ChangesRows() const {
    const TFIBSQLTypes type = query_.SQLType();
    return type == SQLInsert || type == SQLUpdate || type == SQLDelete;
}

std::int64_t TQueryTraceView::RowsAffected() const {
    return query_.RowsAffected();
}

std::uint64_t TQueryTraceView::ExecuteMillis() const {
    return query_.ExecutionTime();
}

bool TQueryTraceView::Eof() const {
    return query_.Eof();
}

const std::string& TQueryTraceView::TValue::Name() const {
    return var_.VarName;
}

bool TQueryTraceView::TValue::IsNull() const {
    return var_.ReadIsNull();
}

int TQueryTraceView::TValue::SqlType() const {
    return var_.ReadSQLType();
}

void TQueryTraceView::TValue::AppendText(std::string& out) const {
    var_.AppendAsString(out);
}

void TraceQuery(TFIBQuery& query, TQueryTraceStep step) {
    TFIBSQLMonitorHook* hook = GetMonitorHook();
    if (hook == nullptr || !hook->Enabled())
        return;
    TQueryTraceView view(query);
    switch (step) {
        case TQueryTraceStep::Prepare:
            hook->TracePrepare(view);
            break;
        case TQueryTraceStep::Execute:
            hook->TraceExecute(view);
            break;
        case TQueryTraceStep::Fetch:
            hook->TraceFetch(view);
            break;
    }
}

void TraceQueryFailure(TFIBQuery& query, const char* step, const std::string& message) {
    TFIBSQLMonitorHook* hook = GetMonitorHook();
    if (hook == nullptr || !hook->Enabled())
        return;
    const TComponent* owner = query.Owner();
    const std::string name =
        owner && !owner->Name().empty() ? owner->Name() + "." + query.Name() : query.Name();
    hook->WriteTrace(name + ": [" + step + "] " + message, step[0] == 'P' ? mcPrepare : mcExecute);
}
