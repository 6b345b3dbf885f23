#include "platform/db/bcd_fields.h"

#include <algorithm>
#include <cmath>

#include "platform/db/dataset.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/strings.h"

namespace {

bool IsBlank(const Variant& value) {
    return value.IsNull() || value.IsEmpty();
}

int CompareDecimals(const DecimalDigits& a, const DecimalDigits& b) {
    std::int64_t left = 0;
    std::int64_t right = 0;
    const int places = 4;
    if (DecimalToScaledInt64(a, places, left) && DecimalToScaledInt64(b, places, right))
        return left < right ? -1 : (left > right ? 1 : 0);
    double x = 0;
    double y = 0;
    TryStrToFloat(DecimalText(a, 18, '.'), x, TNumberFormat{});
    TryStrToFloat(DecimalText(b, 18, '.'), y, TNumberFormat{});
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace

std::string DecimalText(const DecimalDigits& value, int places, char separator) {
    std::string integer = value.IntegerDigits();
    std::string text = (value.negative && !value.IsZero() ? "-" : "") + (integer.empty() ? "0" : integer);
    if (places > 0)
        text += separator + value.FractionDigits(places);
    return text;
}

TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner) {
    SetDataType(ftBCD);
    InitSize(4);
    SetValidChars(std::string("+-0123456789") + NumberFormat().DecimalSeparator);
}

void TBCDField::CheckTypeSize(int value) const {
    if (value < 0 || value > 32)
        DatabaseError("Invalid field size");
}

void TBCDField::SetAsVariant(const Variant& value) {
    if (IsBlank(value))
        Clear();
    else if (value.IsString())
        SetAsStringValue(value.AsString());
    else if (value.VarType() == varCurrency)
        SetAsCurrencyValue(value.AsCurrency());
    else
        SetAsFloatValue(value.AsDouble());
}

void TBCDField::SetAsStringValue(const std::string& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    std::int64_t parsed = 0;
    if (!TryStrToCurr(value, parsed))
        DatabaseError("'" + value + "' is not a valid floating point value for field '" + DisplayName() +
                      "'");
    SetAsCurrencyValue(parsed);
}

void TBCDField::SetAsFloatValue(double value) {
    std::int64_t units = 0;
    if (!std::isfinite(value) || !DecimalToScaledInt64(DecimalFromDouble(value), 4, units))
        DatabaseError("'" + FloatToStr(value) + "' is not a valid floating point value for field '" +
                      DisplayName() + "'");
    SetAsCurrencyValue(units);
}

void TBCDField::SetAsLargeIntValue(std::int64_t value) {
    std::int64_t units = 0;
    if (!DecimalToScaledInt64(DecimalFromInt64(value), 4, units))
        DatabaseError("'" + IntToStr(value) + "' is not a valid floating point value for field '" +
                      DisplayName() + "'");
    SetAsCurrencyValue(units);
}

void TBCDField::SetAsCurrencyValue(std::int64_t value) {
    if ((MinValue != 0 || MaxValue != 0) && (value < MinValue || value > MaxValue))
        RangeError(CurrToStr(value), CurrToStr(MinValue), CurrToStr(MaxValue));
    SetData(Variant::FromCurrency(value));
}

std::string TBCDField::GetAsString() const {
    return IsNull() ? std::string() : CurrToStr(AsCurrency());
}

std::string TBCDField::DefaultText(bool displayText) const {
    if (IsNull())
        return {};
    const std::string& format = TextFormat(displayText);
    if (!format.empty())
        return FormatScaled(format, AsCurrency(), 4, NumberFormat());
    return Currency ? CurrencyText(AsFloat(), displayText) : CurrToStr(AsCurrency());
}

TFMTBCDField::TFMTBCDField(TComponent* AOwner) : TNumericField(AOwner) {
    SetDataType(ftFMTBcd);
    InitSize(8);
    SetValidChars(std::string("+-0123456789") + NumberFormat().DecimalSeparator);
}

void TFMTBCDField::CheckTypeSize(int value) const {
    if (value < 0 || value > MaxBcdDigits)
        DatabaseError("Invalid field size");
}

DecimalDigits TFMTBCDField::Decimal() const {
    DecimalDigits value;
    Variant data;
    if (GetData(data) && data.IsString())
        TryParseDecimal(data.AsString(), '.', value);
    return value;
}

void TFMTBCDField::SetDecimal(DecimalDigits value) {
    value.RoundToPlaces(Size());
    const int integerDigits = static_cast<int>(value.IntegerDigits().size());
    auto bound = [](const std::string& text, DecimalDigits& out) {
        return !text.empty() && TryParseDecimal(text, '.', out);
    };
    DecimalDigits low;
    DecimalDigits high;
    const bool hasLow = bound(MinValue, low);
    const bool hasHigh = bound(MaxValue, high);
    if ((hasLow && CompareDecimals(value, low) < 0) || (hasHigh && CompareDecimals(value, high) > 0) ||
        (Precision > 0 && integerDigits > Precision - Size()))
        RangeError(DecimalText(value, Size(), '.'), MinValue, MaxValue);
    SetData(Variant(DecimalText(value, Size(), '.')));
}

void TFMTBCDField::SetAsVariant(const Variant& value) {
    if (IsBlank(value))
        Clear();
    else if (value.IsString())
        SetAsStringValue(value.AsString());
    else if (value.VarType() == varCurrency)
        SetAsCurrencyValue(value.AsCurrency());
    else if (value.VarType() == varInt64)
        SetAsLargeIntValue(value.AsInt64());
    else
        SetAsFloatValue(value.AsDouble());
}

void TFMTBCDField::SetAsStringValue(const std::string& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    DecimalDigits parsed;
    if (!TryParseDecimal(value, NumberFormat().DecimalSeparator, parsed))
        DatabaseError("'" + value + "' is not a valid BCD value for field '" + DisplayName() + "'");
    SetDecimal(parsed);
}

TBcd TFMTBCDField::AsBCD() const {
    TBcd bcd;
    const DecimalDigits value = Decimal();
    const int digits = static_cast<int>(value.IntegerDigits().size()) + Size();
    TryDecimalToBcd(value, std::clamp(digits, 1, MaxBcdDigits), Size(), bcd);
    return bcd;
}

void TFMTBCDField::SetAsBCD(const TBcd& value) {
    DecimalDigits decimal;
    if (!TryBcdToDecimal(value, decimal))
        DatabaseError("Invalid BCD value for field '" + DisplayName() + "'");
    SetDecimal(decimal);
}

double TFMTBCDField::GetAsFloat() const {
    double value = 0;
    if (!IsNull())
        TryStrToFloat(DecimalText(Decimal(), Size(), '.'), value, TNumberFormat{});
    return value;
}

std::string TFMTBCDField::GetAsString() const {
    return IsNull() ? std::string() : DecimalText(Decimal(), Size(), NumberFormat().DecimalSeparator);
}

std::string TFMTBCDField::DefaultText(bool displayText) const {
    if (IsNull())
        return {};
    const std::string& format = TextFormat(displayText);
    if (!format.empty())
        return FormatFloat(format, AsFloat());
    return Currency ? CurrencyText(AsFloat(), displayText) : GetAsString();
}
