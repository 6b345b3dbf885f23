#include <cmath>
#include <cstdlib>

#include "firebird/bcd_utils.h"
#include "firebird/component_path.h"
#include "firebird/scaled_int.h"
#include "firebird_datasets/fib_fields.h"
#include "platform/db/dataset.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/float_format.h"

namespace {

constexpr int CurrencyPlaces = 4;
constexpr int ScaledIntegerSize = 8;

// value / 10^fromPlaces with toPlaces places, rounded half away from zero, in exact arithmetic.
std::int64_t Rescale(std::int64_t value, int fromPlaces, int toPlaces) {
    std::int64_t result = 0;
    if (!DecimalToScaledInt64(DecimalFromInt64(value, fromPlaces), toPlaces, result))
        throw EConvertError("Numeric value " + ScaledInt64ToStrSep(fromPlaces, '.', value) +
                            " is out of range");
    return result;
}

bool TryParseLocalDecimal(const std::string& text, DecimalDigits& value) {
    const char separator = NumberFormat().DecimalSeparator;
    return TryParseDecimal(text, separator, value) || (separator != '.' && TryParseDecimal(text, '.', value));
}

}  // namespace

TFIBBCDField::TFIBBCDField(TComponent* AOwner) : TBCDField(AOwner) {
    InitSize(ScaledIntegerSize);
}

int TFIBBCDField::DataSize() const {
    return FieldKind == fkData ? ScaledIntegerSize : TBCDField::DataSize();
}

bool TFIBBCDField::GetRawData(std::int64_t& value) const {
    TFlagScope reading(readingRaw_);
    Variant data;
    const bool present = GetData(data) && !data.IsNull() && !data.IsEmpty();
    value = present ? data.AsInt64() : 0;
    return present;
}

std::int64_t TFIBBCDField::RawValue() const {
    std::int64_t value = 0;
    GetRawData(value);
    return value;
}

void TFIBBCDField::RaiseConversionError(const std::exception& error) const {
    const std::string path =
        Name().empty() ? ComponentPath(DataSet()) + "." + FieldName : ComponentPath(this);
    throw Exception(path + "\r\n" + error.what());
}

void TFIBBCDField::StoreScaled(std::int64_t value) {
    if (MinValue != 0 || MaxValue != 0) {
        const std::int64_t units = Rescale(value, Size(), CurrencyPlaces);
        if (units < MinValue || units > MaxValue)
            RangeError(ScaledInt64ToStrSep(Size(), NumberFormat().DecimalSeparator, value),
                       CurrToStr(MinValue), CurrToStr(MaxValue));
    }
    SetData(Variant(static_cast<long long>(value)));
}

double TFIBBCDField::GetAsFloat() const {
    if (FieldKind != fkData)
        return TBCDField::GetAsFloat();
    // Through the exact text, so the double is the one nearest the decimal value.
    return std::strtod(ScaledInt64ToStrSep(Size(), '.', RawValue()).c_str(), nullptr);
}

std::int64_t TFIBBCDField::GetAsCurrency() const {
    if (FieldKind != fkData)
        return TBCDField::GetAsCurrency();
    return Rescale(RawValue(), Size(), CurrencyPlaces);
}

std::int64_t TFIBBCDField::GetAsInt64() const {
    if (FieldKind != fkData)
        return TBCDField::GetAsLargeInt();
    return Rescale(RawValue(), Size(), 0);
}

TBcd TFIBBCDField::AsBCD() const {
    TBcd bcd;
    if (FieldKind != fkData)
        ScaledInt64ToBcd(CurrencyPlaces, bcd, AsCurrency());
    else
        ScaledInt64ToBcd(Size(), bcd, RawValue());
    return bcd;
}

Variant TFIBBCDField::GetAsVariant() const {
    if (FieldKind != fkData)
        return TBCDField::GetAsVariant();
    std::int64_t value = 0;
    if (!GetRawData(value))
        return Variant::Null();
    if (Size() > 0)
        return Variant(GetAsFloat());
    return Variant(static_cast<long long>(value));
}

std::string TFIBBCDField::GetAsString() const {
    if (FieldKind != fkData)
        return TBCDField::GetAsString();
    std::int64_t value = 0;
    if (!GetRawData(value))
        return {};
    if (Size() > 0)
        return ScaledInt64ToStrSep(Size(), NumberFormat().DecimalSeparator, value);
    return Int64ToStrExact(value);
}

std::string TFIBBCDField::DefaultText(bool displayText) const {
    if (FieldKind != fkData)
        return TBCDField::DefaultText(displayText);
    std::int64_t value = 0;
    if (!GetRawData(value))
        return {};
    if (Size() <= 0)
        return Int64ToStrExact(value);
    const std::string& format = TextFormat(displayText);
    if (!format.empty())
        return FormatScaledInt64(format, Size(), value);
    if (Currency)
        return FormatScaledInt64(displayText ? "#,##0.00" : "0.00", Size(), value);
    return ScaledInt64ToStrSep(Size(), NumberFormat().DecimalSeparator, value);
}

void TFIBBCDField::SetAsStringValue(const std::string& value) {
    if (FieldKind != fkData) {
        TBCDField::SetAsStringValue(value);
        return;
    }
    if (value.empty()) {
        Clear();
        return;
    }
    DecimalDigits parsed;
    std::int64_t scaled = 0;
    if (!TryParseLocalDecimal(value, parsed) || !DecimalToScaledInt64(parsed, Size(), scaled))
        DatabaseError("'" + value + "' is not a valid floating point value for field '" + DisplayName() +
                      "'");
    StoreScaled(scaled);
}

void TFIBBCDField::SetAsFloatValue(double value) {
    if (FieldKind != fkData) {
        TBCDField::SetAsFloatValue(value);
        return;
    }
    std::int64_t scaled = 0;
    try {
        if (!std::isfinite(value) || !DecimalToScaledInt64(DecimalFromDouble(value), Size(), scaled))
            throw EConvertError("'" + FloatToStr(value) + "' is not a valid floating point value");
    } catch (const std::exception& error) {
        RaiseConversionError(error);
    }
    StoreScaled(scaled);
}

void TFIBBCDField::SetAsCurrencyValue(std::int64_t value) {
    if (FieldKind != fkData) {
        TBCDField::SetAsCurrencyValue(value);
        return;
    }
    std::int64_t scaled = 0;
    try {
        scaled = Rescale(value, CurrencyPlaces, Size());
    } catch (const std::exception& error) {
        RaiseConversionError(error);
    }
    StoreScaled(scaled);
}

void TFIBBCDField::SetAsInt64(std::int64_t value) {
    if (FieldKind != fkData) {
        TBCDField::SetAsLargeIntValue(value);
        return;
    }
    std::int64_t scaled = 0;
    try {
        scaled = Rescale(value, 0, Size());
    } catch (const std::exception& error) {
        RaiseConversionError(error);
    }
    StoreScaled(scaled);
}

void TFIBBCDField::SetAsBCD(const TBcd& value) {
    std::int64_t digits = 0;
    int places = 0;
    if (!BcdToScaledInt64(value, digits, places))
        DatabaseError("Invalid BCD value for field '" + DisplayName() + "'");
    if (FieldKind != fkData)
        SetAsCurrencyValue(Rescale(digits, places, CurrencyPlaces));
    else
        StoreScaled(Rescale(digits, places, Size()));
}

void TFIBBCDField::SetAsVariant(const Variant& value) {
    if (FieldKind == fkData && value.VarType() == varInt64)
        SetAsInt64(value.AsInt64());
    else
        TBCDField::SetAsVariant(value);
}

void TFIBBCDField::Assign(const TPersistent& source) {
    const auto* bcdSource = dynamic_cast<const TBCDField*>(&source);
    if (bcdSource == nullptr || bcdSource->Calculated()) {
        TBCDField::Assign(source);
        return;
    }
    if (bcdSource->IsNull())
        Clear();
    else
        SetAsString(bcdSource->AsString());
}
