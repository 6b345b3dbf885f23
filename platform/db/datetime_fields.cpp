#include "platform/db/datetime_fields.h"

#include "platform/db/dataset.h"
#include "platform/rtl/datetime_parse.h"
#include "platform/rtl/timestamp.h"

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
    // Through the time stamp, so that the time of day keeps whole milliseconds.
    const TTimeStamp stamp = DateTimeToTimeStamp(value);
    if (DataType() == ftDate)
        value = TimeStampToDateTime({0, stamp.Date});
    else if (DataType() == ftTime)
        value = TimeStampToDateTime({stamp.Time, DateDelta});
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
