#include "platform/db/numeric_fields.h"

#include <cmath>
#include <limits>

#include "platform/db/dataset.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

namespace {

bool IsBlank(const Variant& value) {
    return value.IsNull() || value.IsEmpty();
}

std::string PlainFloatText(double value, int precision) {
    DecimalDigits digits = DecimalFromDouble(value);
    digits.RoundToSignificant(precision);
    double rounded = 0;
    const std::string text = (digits.negative ? "-" : "") + std::string("0.") +
                             (digits.digits.empty() ? "0" : digits.digits) + "e" +
                             std::to_string(digits.exponent);
    TryStrToFloat(text, rounded, TNumberFormat{});
    return FloatToStr(rounded);
}

}  // namespace

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner) {
    Alignment = taRightJustify;
}

const std::string& TNumericField::TextFormat(bool displayText) const {
    return displayText || EditFormat.empty() ? DisplayFormat : EditFormat;
}

void TNumericField::SetValidChars(const std::string& chars) {
    ValidChars.reset();
    for (char c : chars) ValidChars.set(static_cast<unsigned char>(c));
}

TIntegerField::TIntegerField(TComponent* AOwner)
    : TIntegerField(AOwner, ftInteger, std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::max()) {}

TIntegerField::TIntegerField(TComponent* AOwner, TFieldType type, int minRange, int maxRange)
    : TNumericField(AOwner), minRange_(minRange), maxRange_(maxRange) {
    SetDataType(type);
    SetValidChars("+-0123456789");
}

void TIntegerField::CheckRange(std::int64_t value) const {
    const bool ownRange = MinValue != 0 || MaxValue != 0;
    const std::int64_t low = ownRange ? MinValue : minRange_;
    const std::int64_t high = ownRange ? MaxValue : maxRange_;
    if (value < low || value > high)
        RangeError(IntToStr(value), IntToStr(low), IntToStr(high));
}

void TNumericField::SetIntegerVariant(const Variant& value) {
    if (IsBlank(value))
        Clear();
    else if (value.IsString())
        SetAsStringValue(value.AsString());
    else
        SetAsLargeIntValue(value.AsInt64());
}

void TNumericField::SetIntegerText(const std::string& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    std::int64_t parsed = 0;
    if (!TryStrToInt64(value, parsed))
        DatabaseError("'" + value + "' is not a valid integer value");
    SetAsLargeIntValue(parsed);
}

void TIntegerField::SetAsVariant(const Variant& value) {
    SetIntegerVariant(value);
}

void TIntegerField::SetAsStringValue(const std::string& value) {
    SetIntegerText(value);
}

void TIntegerField::SetAsIntegerValue(int value) {
    SetAsLargeIntValue(value);
}

void TIntegerField::SetAsLargeIntValue(std::int64_t value) {
    CheckRange(value);
    SetData(Variant(static_cast<int>(value)));
}

void TIntegerField::SetAsFloatValue(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.2e18)
        RangeError(FloatToStr(value), IntToStr(minRange_), IntToStr(maxRange_));
    SetAsLargeIntValue(std::llround(value));
}

std::string TIntegerField::DefaultText(bool displayText) const {
    if (IsNull())
        return {};
    const std::string& format = TextFormat(displayText);
    return format.empty() ? IntToStr(AsInteger()) : FormatFloat(format, AsInteger());
}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner, ftSmallint, -32768, 32767) {}

TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner, ftWord, 0, 65535) {}

TAutoIncField::TAutoIncField(TComponent* AOwner)
    : TIntegerField(AOwner, ftAutoInc, std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::max()) {}

TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner) {
    SetDataType(ftLargeint);
    SetValidChars("+-0123456789");
}

void TLargeintField::SetAsVariant(const Variant& value) {
    SetIntegerVariant(value);
}

void TLargeintField::SetAsStringValue(const std::string& value) {
    SetIntegerText(value);
}

void TLargeintField::SetAsFloatValue(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.2e18)
        DatabaseError("'" + FloatToStr(value) + "' is not a valid integer value");
    SetAsLargeIntValue(std::llround(value));
}

void TLargeintField::SetAsLargeIntValue(std::int64_t value) {
    if ((MinValue != 0 || MaxValue != 0) && (value < MinValue || value > MaxValue))
        RangeError(IntToStr(value), IntToStr(MinValue), IntToStr(MaxValue));
    SetData(Variant(static_cast<long long>(value)));
}

std::string TLargeintField::DefaultText(bool displayText) const {
    if (IsNull())
        return {};
    const std::string& format = TextFormat(displayText);
    return format.empty() ? IntToStr(AsLargeInt()) : FormatFloat(format, static_cast<double>(AsLargeInt()));
}

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner) {
    SetDataType(ftFloat);
    SetValidChars(std::string("+-0123456789Ee") + NumberFormat().DecimalSeparator);
}

void TFloatField::SetAsVariant(const Variant& value) {
    if (IsBlank(value))
        Clear();
    else if (value.IsString())
        SetAsStringValue(value.AsString());
    else
        SetAsFloatValue(value.AsDouble());
}

void TFloatField::SetAsStringValue(const std::string& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    double parsed = 0;
    if (!TryStrToFloat(value, parsed))
        DatabaseError("'" + value + "' is not a valid floating point value for field '" + DisplayName() +
                      "'");
    SetAsFloatValue(parsed);
}

void TFloatField::SetAsFloatValue(double value) {
    if ((MinValue != 0 || MaxValue != 0) && (value < MinValue || value > MaxValue))
        RangeError(FloatToStr(value), FloatToStr(MinValue), FloatToStr(MaxValue));
    SetData(Variant(value));
}

void TFloatField::SetAsCurrencyValue(std::int64_t value) {
    SetAsFloatValue(static_cast<double>(value) / static_cast<double>(CurrencyScale));
}

std::string CurrencyText(double value, bool displayText) {
    return FormatFloat(displayText ? "#,##0.00" : "0.00", value);
}

std::string TFloatField::DefaultText(bool displayText) const {
    if (IsNull())
        return {};
    const double value = AsFloat();
    const std::string& format = TextFormat(displayText);
    if (!format.empty())
        return FormatFloat(format, value);
    return Currency ? CurrencyText(value, displayText) : PlainFloatText(value, Precision);
}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner) {
    SetDataType(ftCurrency);
    Currency = true;
}
