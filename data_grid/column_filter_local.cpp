// A column's filter-row condition written in the dataset's local filter language. What the user
// typed only ever becomes literals: a value can neither end its string early nor add a condition.
#include <charconv>
#include <cmath>

#include "data_grid/column_filter.h"
#include "platform/base/exception.h"
#include "platform/rtl/datetime.h"

namespace {

std::string QuotedText(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += c;
    }
    return quoted + "'";
}

// The language reads numbers with "." whatever the locale; the shortest text that reads back as
// the same double.
std::string NumberText(double value) {
    if (!std::isfinite(value))
        throw Exception("A filter value is not a finite number");
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Read back by the field's own date or time conversion, so only a time of day that is there is
// written.
std::string DateTimeText(TDateTime value) {
    return QuotedText(value == std::floor(value) ? DateToStr(value) : DateTimeToStr(value));
}

std::string ValueText(const Variant& value) {
    const TVarType type = VarType(value);
    if (VarTypeIsInteger(type))
        return std::to_string(value.AsInt64());
    if (type == varDouble || type == varSingle || type == varCurrency)
        return NumberText(value.AsDouble());
    if (type == varDate)
        return DateTimeText(value.AsDateTime());
    return QuotedText(VarToStr(value));
}

std::string ListText(const Variant& operand) {
    if (!operand.IsArray())
        return "(" + ValueText(operand) + ")";
    std::string values;
    for (int i = operand.LowBound(1); i <= operand.HighBound(1); ++i)
        values += (values.empty() ? "" : ", ") + ValueText(operand[i]);
    return "(" + values + ")";
}

// Always quoted, so no field name reads as a keyword or an operator.
std::string FieldText(const std::string& name) {
    if (name.find('"') == std::string::npos)
        return "\"" + name + "\"";
    if (name.find(']') == std::string::npos)
        return "[" + name + "]";
    throw Exception("The field name " + name + " cannot be written in a filter");
}

std::string ConditionText(const std::string& field, TFilterOperatorKindEh op, const Variant& operand) {
    const std::string word(FilterOperatorSQLWords[op]);
    if (op == fokNullEh || op == fokNotNullEh)
        return field + " " + word;
    if (op == fokInEh || op == fokNotInEh)
        return field + " " + word + " " + ListText(operand);
    return field + " " + word + " " + ValueText(operand);
}

}  // namespace

std::string LocalFilterCondition(const std::string& FieldName, const TSTFilterExpressionEh& Expression) {
    if (Expression.FirstOperator == fokNoneEh)
        return "";
    const std::string field = FieldText(FieldName);
    const std::string first = ConditionText(field, Expression.FirstOperator, Expression.FirstOperand);
    // A joiner typed last has no condition after it.
    if (Expression.Joiner == fokNoneEh || Expression.SecondOperator == fokNoneEh)
        return first;
    return "(" + first + " " + std::string(FilterOperatorSQLWords[Expression.Joiner]) + " " +
           ConditionText(field, Expression.SecondOperator, Expression.SecondOperand) + ")";
}

std::string LocalFilterText(const TSTColumnFilterEh& Filter) {
    TSTFilterExpressionEh expression = Filter.CopyExpression();
    if (expression.FirstOperator == fokNoneEh)
        return "";
    const std::string field = Filter.FilterFieldName();
    if (field.find(';') != std::string::npos)
        throw Exception("A filter through the key fields " + field + " cannot be written as a local filter");
    expression.FirstOperand = Filter.FirstFilterValue();
    expression.SecondOperand = Filter.SecondFilterValue();
    return LocalFilterCondition(field, expression);
}
