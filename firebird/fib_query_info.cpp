// TFIBQuery: columns and parameters by name and index, the plan, row counts, statistics and the
// WHERE clauses of its text.
#include <cmath>

#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird/fib_query.h"
#include "firebird/sql_from_tables.h"
#include "firebird/status_vector.h"
#include "platform/rtl/format.h"

namespace {

IQueryStatistics* statistics = nullptr;

}  // namespace

IQueryStatistics* QueryStatistics() {
    return statistics;
}

void SetQueryStatistics(IQueryStatistics* value) {
    statistics = value;
}

TFIBXSQLVAR& TFIBQuery::FieldByName(const std::string& name) {
    TFIBXSQLVAR* found = fields_.ByName(name);
    if (!found)
        RaiseClientError(fceFieldNotFound, {name});
    return *found;
}

TFIBXSQLVAR& TFIBQuery::GetFieldByIndex(int index) {
    if (index < 0 || index >= fields_.Count())
        RaiseClientError(fceFieldNotFound, {"Field No: " + std::to_string(index)});
    return fields_.GetVar(index);
}

int TFIBQuery::FieldIndex(const std::string& name) {
    TFIBXSQLVAR* found = fields_.ByName(name);
    return found ? found->Position : -1;
}

std::string TFIBQuery::GetPlanText() {
    if (!prepared_)
        return {};
    switch (sqlType_) {
        case SQLSelect:
        case SQLUpdate:
        case SQLDelete:
        case SQLExecProcedure:
        case SQLSelectForUpdate:
            break;
        default:
            return {};
    }
    const std::string info = SqlInfo(isc_info_sql_get_plan, 16385);
    if (info[0] != isc_info_sql_get_plan)
        return {};
    const auto length = static_cast<std::size_t>(Library()->isc_vax_integer(info.data() + 1, 2));
    std::string plan = info.substr(3, std::min(length, info.size() - 3));
    const std::size_t first = plan.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return plan.substr(first, plan.find_last_not_of(" \t\r\n") - first + 1);
}

int TFIBQuery::RowsAffected() {
    if (!prepared_)
        return -1;
    std::string info(33, '\0');
    char item = isc_info_sql_records;
    if (Library()->isc_dsql_sql_info(StatusVector(), handle_.Address(), 1, &item,
                                     static_cast<short>(info.size()), info.data()) != 0)
        RaiseError();
    if (info[0] != isc_info_sql_records)
        RaiseClientError(fceUnknownError);
    int offset = 0;
    switch (sqlType_) {
        case SQLInsert:
            offset = 27;
            break;
        case SQLUpdate:
            offset = 6;
            break;
        case SQLDelete:
            offset = 13;
            break;
        default:
            return -1;
    }
    return static_cast<int>(Library()->isc_vax_integer(info.data() + offset, 4));
}

std::string TFIBQuery::GetModifyTableName() {
    if (mainTableName_ == "-1")
        mainTableName_ = GetMainTableName(normalizedText_, false);
    return mainTableName_;
}

void TFIBQuery::RecordStatistics(bool before) {
    IQueryStatistics* stats = QueryStatistics();
    if (!stats)
        return;
    const std::string& sql = serverText_;
    if (before) {
        stats->SetText(sql, "LastQueryName", ComponentPath(this));
        stats->StartTimer(sql, "LastTimeExecute");
        stats->SetValue(sql, "ExecuteCount", stats->Value(sql, "ExecuteCount") + 1);
        return;
    }
    const std::int64_t elapsed = stats->ElapsedTime(sql, "LastTimeExecute");
    const std::int64_t sum = stats->Value(sql, "SumTimeExecute") + elapsed;
    stats->SetValue(sql, "SumTimeExecute", sum);
    const std::int64_t count = std::max<std::int64_t>(stats->Value(sql, "ExecuteCount"), 1);
    stats->SetValue(
        sql, "AvgTimeExecute",
        static_cast<std::int64_t>(std::llround(static_cast<double>(sum) / static_cast<double>(count))));
    if (elapsed <= stats->Value(sql, "MaxTimeExecute"))
        return;
    stats->SetValue(sql, "MaxTimeExecute", elapsed);
    std::vector<std::string> lines;
    for (int i = 0; i < params_->Count(); ++i) {
        TFIBXSQLVAR& var = params_->GetVar(i);
        if (!var.IsBlobOrArray())
            lines.push_back("Params[" + std::to_string(i) + "]='" + var.ReadAsString() + "'");
    }
    stats->SetDetails(sql, "MaxTimeExecute", lines);
}

std::string TFIBQuery::GetParamName(int index) {
    return GetParams().GetVar(index).VarName;
}

bool TFIBQuery::FindFieldIndex(const std::string& name, int& index) {
    index = FieldIndex(name);
    return index >= 0;
}

bool TFIBQuery::FindParamIndex(const std::string& name, int& index) {
    TFIBXSQLVAR* found = FindParam(name);
    index = found && found->OwnerArea == params_.get() ? found->Position : -1;
    return index >= 0;
}

Variant TFIBQuery::GetFieldValueByName(const std::string& name) {
    return FieldByName(name).ReadAsVariant();
}

Variant TFIBQuery::GetFieldValue(int index) {
    return GetFieldByIndex(index).ReadAsVariant();
}

Variant TFIBQuery::GetParamValueByName(const std::string& name) {
    return ParamByName(name).ReadAsVariant();
}

Variant TFIBQuery::GetParamValue(int index) {
    return GetParams().GetVar(index).ReadAsVariant();
}

void TFIBQuery::SetParamValue(int index, const Variant& value) {
    GetParams().GetVar(index).WriteAsVariant(value);
}

int TFIBQuery::GetMainWhereIndex() {
    return TSQLParser(sql_.Text()).MainWhereIndex();
}

std::string TFIBQuery::GetMainWhereText() {
    int start = 0, end = 0;
    std::string text;
    TSQLParser(sql_.Text()).GetMainWhere(start, end, text);
    return text;
}

void TFIBQuery::SetMainWhereText(const std::string& text) {
    sql_.SetText(TSQLParser(sql_.Text()).SetWhereText(text));
}

std::string TFIBQuery::GetWhereText(int n) {
    int start = 0, end = 0;
    std::string text;
    TSQLParser(sql_.Text()).GetWhereClause(n, start, text, end);
    return text;
}
