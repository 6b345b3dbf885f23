// The text of an exported sum or count footer, from the exporter's own sums over the exported
// records, formatted by the type of the field it sums.
#include "data_grid/column.h"
#include "data_grid/column_footer.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export.h"
#include "data_grid/group_operation.h"
#include "platform/db/bcd_fields.h"
#include "platform/db/dataset.h"
#include "platform/db/numeric_fields.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/float_format.h"

namespace {

// Money: thousands grouped and the currency's two decimals, exact from the fixed-point sum.
constexpr const char* CurrencyFormat = "#,##0.00";

double AsDouble(std::int64_t Sum) {
    return static_cast<double>(Sum) / static_cast<double>(fixed_point::Scale);
}

// The general format: at most Precision significant digits.
std::string GeneralText(double Value, int Precision) {
    if (Precision <= 0 || Precision >= 15)
        return FloatToStr(Value);
    DecimalDigits digits = DecimalFromDouble(Value);
    digits.RoundToSignificant(Precision);
    const std::string text = (digits.negative ? "-0." : "0.") + (digits.IsZero() ? "0" : digits.digits) +
                             "e" + std::to_string(digits.exponent);
    double rounded = 0;
    TryStrToFloat(text, rounded, TNumberFormat{});
    return FloatToStr(rounded);
}

// The footer's display format, else the field's.
std::string NumberFormatOf(const TColumnFooterEh& Footer, const TField& Field) {
    if (!Footer.DisplayFormat().empty())
        return Footer.DisplayFormat();
    const auto* numeric = dynamic_cast<const TNumericField*>(&Field);
    return numeric != nullptr ? numeric->DisplayFormat : std::string();
}

std::string IntegerSumText(std::int64_t Sum, const std::string& Format) {
    if (!Format.empty())
        return FormatFloat(Format, AsDouble(Sum));
    return std::to_string(Sum / fixed_point::Scale);
}

std::string FloatSumText(std::int64_t Sum, const TField& Field, const std::string& Format) {
    if (!Format.empty())
        return FormatFloat(Format, AsDouble(Sum));
    const auto* floatField = dynamic_cast<const TFloatField*>(&Field);
    if (floatField != nullptr && floatField->Currency)
        return FormatScaled(CurrencyFormat, Sum, 4, NumberFormat());
    return GeneralText(AsDouble(Sum), floatField != nullptr ? floatField->Precision : 15);
}

bool DecimalCurrency(const TField& Field) {
    if (const auto* bcd = dynamic_cast<const TBCDField*>(&Field))
        return bcd->Currency;
    const auto* fmtBcd = dynamic_cast<const TFMTBCDField*>(&Field);
    return fmtBcd != nullptr && fmtBcd->Currency;
}

std::string DecimalSumText(std::int64_t Sum, const TField& Field, const std::string& Format) {
    if (!Format.empty())
        return FormatScaled(Format, Sum, 4, NumberFormat());
    return DecimalCurrency(Field) ? FormatScaled(CurrencyFormat, Sum, 4, NumberFormat()) : CurrToStr(Sum);
}

std::string SumText(std::int64_t Sum, const TField& Field, const TColumnFooterEh& Footer) {
    switch (Field.DataType()) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
            return IntegerSumText(Sum, NumberFormatOf(Footer, Field));
        case ftFloat:
        case ftCurrency:
            return FloatSumText(Sum, Field, NumberFormatOf(Footer, Field));
        case ftBCD:
        case ftFMTBcd:
            return DecimalSumText(Sum, Field, NumberFormatOf(Footer, Field));
        default:
            return {};
    }
}

}  // namespace

std::string TDBGridEhExport::FooterValueText(int FooterRow, int ColumnIndex) const {
    TColumnEh* column = ExportColumns->ColumnAt(ColumnIndex);
    const auto& footer = *static_cast<const TColumnFooterEh*>(column->FooterAt(FooterRow));
    const std::int64_t sum =
        FooterSums.at(static_cast<std::size_t>(ColumnIndex + FooterRow * ExportColumns->Count()));
    if (footer.ValueType() == fvtCount)
        return FloatToStr(AsDouble(sum));
    if (footer.ValueType() != fvtSum)
        return {};
    TDataSet* dataSet = Grid()->DataLink()->DataSet();
    const std::string& name = footer.FieldName().empty() ? column->FieldName() : footer.FieldName();
    const TField* field = dataSet != nullptr ? dataSet->FindField(name) : nullptr;
    return field != nullptr ? SumText(sum, *field, footer) : std::string();
}
