#include "firebird_datasets/expression_constants.h"

#include <cmath>

#include "firebird/date_text.h"
#include "platform/db/dataset.h"

namespace {

constexpr std::int64_t MSecsInDay = 86400000;

Variant FromStamp(std::int32_t date, std::int32_t time) {
    return Variant::FromDateTime(TimeStampToDateTimeEx(MakeTimeStamp(date, time)));
}

// Milliseconds since 0001-01-01 split into a date stamp and a time of day.
Variant FromMilliseconds(double milliseconds) {
    // Beyond 9999-12-31 no stamp exists; the conversion raises for what lies below 0001-01-01.
    if (!std::isfinite(milliseconds) || std::fabs(milliseconds) > 3.7e6 * MSecsInDay)
        throw EConvertError("'" + Variant(milliseconds).AsString() + "' is not a valid timestamp");
    const double days = std::floor(milliseconds / MSecsInDay);
    const auto time = static_cast<std::int32_t>(milliseconds - days * MSecsInDay);
    return FromStamp(static_cast<std::int32_t>(days), time);
}

}  // namespace

void IncorrectFilterExpression() {
    DatabaseError("Incorrectly formed filter expression");
}

Variant FilterConstant(const TExprNode& node) {
    const Variant& value = node.Value;
    switch (node.DataType) {
        case ftString:
        case ftFixedChar:
        case ftWideString:
            return Variant(value.AsString());
        case ftSmallint:
            return Variant::OfInteger(varSmallint, value.AsInteger());
        case ftWord:
            return Variant::OfInteger(varWord, value.AsInteger());
        case ftInteger:
        case ftAutoInc:
            return Variant(value.AsInteger());
        case ftBoolean:
            return Variant(value.AsInt64() != 0);
        case ftFloat:
        case ftCurrency:
            return Variant(value.AsDouble());
        case ftBCD:
            return Variant::FromCurrency(value.AsCurrency());
        case ftDate:
            return FromStamp(value.AsInteger(), 0);
        case ftTime:
            return FromStamp(0, value.AsInteger());
        case ftDateTime:
            return FromMilliseconds(value.AsDouble());
        default:
            IncorrectFilterExpression();
    }
}
