#include "tools/grid_demo/visit_filter.h"

#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/filter_expression.h"
#include "platform/db/dataset.h"

namespace grid_demo {

namespace {

// A date goes in quotes, in the short date format the filter reads it back in.
std::string ValueText(const Variant& value) {
    const std::string text = FilterValueText(value);
    return VarType(value) == varDate ? "'" + text + "'" : text;
}

std::string OperandText(TFilterOperatorKindEh op, const Variant& operand) {
    if (op != fokInEh && op != fokNotInEh)
        return ValueText(operand);
    if (!operand.IsArray())
        return "(" + ValueText(operand) + ")";
    std::string values;
    for (int i = operand.LowBound(1); i <= operand.HighBound(1); ++i)
        values += (values.empty() ? "" : ", ") + ValueText(operand[i]);
    return "(" + values + ")";
}

std::string ConditionText(const std::string& field, TFilterOperatorKindEh op, const Variant& operand) {
    const std::string word(FilterOperatorSQLWords[op]);
    if (op == fokNullEh || op == fokNotNullEh)
        return field + " " + word;
    return field + " " + word + " " + OperandText(op, operand);
}

std::string ColumnCondition(const TSTColumnFilterEh& filter) {
    const TSTFilterExpressionEh& expression = filter.Expression();
    if (expression.FirstOperator == fokNoneEh)
        return "";
    const std::string field = filter.FilterFieldName();
    std::string text = ConditionText(field, expression.FirstOperator, expression.FirstOperand);
    if (expression.Joiner == fokNoneEh || expression.SecondOperator == fokNoneEh)
        return text;
    return "(" + text + " " + std::string(FilterOperatorSQLWords[expression.Joiner]) + " " +
           ConditionText(field, expression.SecondOperator, expression.SecondOperand) + ")";
}

}  // namespace

std::string FilterTextOfColumns(TCustomDBGridEh& grid) {
    std::string text;
    TDBGridColumnsEh& columns = *grid.Columns();
    for (int i = 0; i < columns.Count(); ++i) {
        const TSTColumnFilterEh* filter = ColumnFilterOf(columns.ColumnAt(i));
        const std::string condition = filter != nullptr ? ColumnCondition(*filter) : "";
        if (!condition.empty())
            text += (text.empty() ? "" : " AND ") + condition;
    }
    return text;
}

void ApplyColumnFilters(TCustomDBGridEh& grid, TDataSet& dataSet) {
    const std::string text = FilterTextOfColumns(grid);
    dataSet.SetFiltered(false);
    dataSet.SetFilterText(text);
    dataSet.SetFiltered(!text.empty());
    // A dataset that filters by itself stays on its record when that still shows, with no scroll:
    // the move to the first record is the scroll that has the footers' sums counted again.
    dataSet.First();
}

}  // namespace grid_demo
