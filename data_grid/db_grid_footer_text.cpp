// The text a footer cell shows: a sum, average or count from the grid's sum list formatted by the
// field's kind, a field's value, or a fixed text.
#include <cmath>

#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/column_footer.h"
#include "data_grid/db_grid.h"
#include "data_grid/db_sum.h"
#include "data_grid/sum_list_grid.h"
#include "platform/db/bcd_fields.h"
#include "platform/db/dataset.h"
#include "platform/db/numeric_fields.h"
#include "platform/rtl/float_format.h"

namespace {

std::string FieldDisplayFormat(const TField* Field) {
    const auto* numeric = dynamic_cast<const TNumericField*>(Field);
    return numeric != nullptr ? numeric->DisplayFormat : std::string();
}

std::string FirstFormat(const TColumnFooterEh& Footer, const TField* Field) {
    return Footer.DisplayFormat().empty() ? FieldDisplayFormat(Field) : Footer.DisplayFormat();
}

std::string IntegerSumText(const std::string& Format, std::int64_t Value) {
    const double number = static_cast<double>(Value) / fixed_point::Scale;
    if (!Format.empty())
        return FormatFloat(Format, number);
    // An average of whole numbers shows as a whole number, rounded as the platform converts.
    return std::to_string(static_cast<long long>(std::nearbyint(number)));
}

std::string FloatSumText(const std::string& Format, const TField* Field, std::int64_t Value) {
    const double number = static_cast<double>(Value) / fixed_point::Scale;
    if (!Format.empty())
        return FormatFloat(Format, number);
    const auto* floatField = dynamic_cast<const TFloatField*>(Field);
    if (Field->DataType() == ftCurrency || (floatField != nullptr && floatField->Currency))
        return CurrencyText(number, true);
    return FloatToStr(number);
}

std::string BcdSumText(const std::string& Format, std::int64_t Value) {
    if (!Format.empty())
        return FormatScaled(Format, Value, 4, NumberFormat());
    return CurrToStr(Value);
}

std::string SumText(const TColumnFooterEh& Footer, const TField* Field, std::int64_t Value) {
    const std::string format = FirstFormat(Footer, Field);
    switch (Field->DataType()) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
        case ftLargeint:
            return IntegerSumText(format, Value);
        case ftFloat:
        case ftCurrency:
            return FloatSumText(format, Field, Value);
        case ftBCD:
        case ftFMTBcd:
            return BcdSumText(format, Value);
        default:
            return "0";
    }
}

}  // namespace

std::string TCustomDBGridEh::GetFooterText(int DataCol, int Row) {
    if (columns_ == nullptr || DataCol < 0 || DataCol >= columns_->Count())
        return {};
    auto* column = dynamic_cast<TColumnEh*>(columns_->Items(DataCol));
    auto* footer = column != nullptr ? dynamic_cast<TColumnFooterEh*>(column->FooterAt(Row)) : nullptr;
    if (footer == nullptr)
        return {};
    TDataSet* dataSet = dataLink_->DataSet();
    switch (footer->ValueType()) {
        case fvtSum:
        case fvtAvg: {
            const std::string name = footer->FieldName().empty() ? column->FieldName() : footer->FieldName();
            TField* field = dataSet != nullptr ? dataSet->FindField(name) : nullptr;
            const TGroupOperation operation = footer->ValueType() == fvtSum ? goSum : goAvg;
            TDBSum* sum = sumList_ != nullptr ? sumList_->SumCollection().FindSum(operation, name) : nullptr;
            if (field == nullptr || sum == nullptr)
                return "0";
            return SumText(*footer, field, sum->AggregateValue);
        }
        case fvtCount: {
            TDBSum* sum = sumList_ != nullptr ? sumList_->SumCollection().FindSum(goCount, "") : nullptr;
            const double count =
                sum != nullptr ? static_cast<double>(sum->AggregateValue) / fixed_point::Scale : 0;
            return footer->DisplayFormat().empty() ? FloatToStr(count)
                                                   : FormatFloat(footer->DisplayFormat(), count);
        }
        case fvtFieldValue: {
            if (dataSet == nullptr || !dataSet->Active() || footer->FieldName().empty())
                return {};
            // A name the dataset does not know shows an empty cell rather than raising at every paint.
            TField* field = dataSet->FindField(footer->FieldName());
            return field != nullptr ? FormatFieldWithDisplayFormat(field, footer->DisplayFormat())
                                    : std::string();
        }
        case fvtStaticText:
            return footer->Value();
        default:
            return {};
    }
}
