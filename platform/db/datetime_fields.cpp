#include "platform/db/datetime_fields.h"

#include <cmath>

#include "platform/db/dataset.h"
#include "platform/rtl/datetime_parse.h"

TDateTimeField::TDateTimeField(TComponent* AOwner) : TDateTimeField(AOwner, ftDateTime) {}

TDateTimeField::TDateTimeField(TComponent* AOwner, TFieldType type) : TField(AOwner) {
    SetDataType(type);
}

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner, ftDate) {}

TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner, ftTime) {}

void TDateTimeField::SetAsVariant(const Variant& value) {
    if (value.IsNull() || value.IsEmpty())
        Clear();
    else if (value.IsString())
        SetAsStringValue(value.AsString());
    else
        SetAsDateTimeValue(value.AsDateTime());
}

void TDateTimeField::SetAsDateTimeValue(TDateTime value) {
    if (DataType() == ftDate)
        value = std::trunc(value);
    else if (DataType() == ftTime)
        value = std::fabs(value - std::trunc(value));
    SetData(Variant::FromDateTime(value));
}

void TDateTimeField::SetAsStringValue(const std::string& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    TDateTime parsed = 0;
    const bool ok = DataType() == ftDate   ? TryStrToDate(value, parsed)
                    : DataType() == ftTime ? TryStrToTime(value, parsed)
                                           : TryStrToDateTime(value, parsed);
    if (!ok)
        DatabaseError("'" + value + "' is not a valid date and time for field '" + DisplayName() + "'");
    SetAsDateTimeValue(parsed);
}

std::string TDateTimeField::DefaultText(bool displayText) const {
    if (IsNull())
        return {};
    if (displayText && !DisplayFormat.empty())
        return FormatDateTime(DisplayFormat, AsDateTime());
    const std::string format = DataType() == ftDate ? "ddddd" : (DataType() == ftTime ? "tt" : "c");
    return FormatDateTime(format, AsDateTime());
}
