// The filter row's display text of a column's condition.
#include "data_grid/column_cell.h"
#include "data_grid/column_filter.h"
#include "platform/rtl/float_format.h"

std::string FilterValueText(const Variant& Value) {
    const TVarType type = VarType(Value);
    if (type == varDouble)
        return FloatToStr(Value.AsDouble());
    if (type == varDate)
        return DateToStr(Value.AsDateTime());
    return "'" + VarToStr(Value) + "'";
}

std::string FilterConditionText(TFilterOperatorKindEh Operator, const Variant& Operand) {
    if (Operator == fokNullEh)
        return "=Null";
    if (Operator == fokNotNullEh)
        return "<>Null";
    const std::string text(FilterOperatorTexts[Operator]);
    if (Operator != fokInEh && Operator != fokNotInEh)
        return text + " " + FilterValueText(Operand);
    std::string values;
    if (!Operand.IsArray())
        values = FilterValueText(Operand) + ",";
    else
        for (int i = Operand.LowBound(1); i <= Operand.HighBound(1); ++i)
            values += FilterValueText(Operand[i]) + ",";
    values.pop_back();
    return text + " (" + values + ")";
}

std::string TSTColumnFilterEh::RenderExpression() const {
    if (expression_.DataKind == fdkOtherEh || expression_.FirstOperator == fokNoneEh)
        return "";
    if (ListSource() != nullptr)
        return VariantListText(expression_.FirstOperand);
    std::string text = FilterConditionText(expression_.FirstOperator, expression_.FirstOperand);
    // A joiner typed last has no condition to show after it.
    if (expression_.Joiner != fokNoneEh && expression_.SecondOperator != fokNoneEh)
        text += " " + std::string(FilterOperatorTexts[expression_.Joiner]) + " " +
                FilterConditionText(expression_.SecondOperator, expression_.SecondOperand);
    return text;
}
