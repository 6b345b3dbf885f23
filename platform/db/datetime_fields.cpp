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

TDateTime TDateTimeField::StoredForm(TDateTime value) const {
    // Through the time stamp, so that the time of day keeps whole milliseconds.
    const TTimeStamp stamp = DateTimeToTimeStamp(value);
    if (DataType() == ftDate)
        return TimeStampToDateTime({0, stamp.Date});
    if (DataType() == ftTime)
        return TimeStampToDateTime({stamp.Time, DateDelta});
    return value;
}

void TDateTimeField::SetAsDateTimeValue(TDateTime value) {
    SetData(Variant::FromDateTime(StoredForm(value)));
}

bool TDateTimeField::TryReadByLocale(std::string_view text, TDateTime& value) const {
    return DataType() == ftDate   ? TryStrToDate(text, value)
           : DataType() == ftTime ? TryStrToTime(text, value)
                                  : TryStrToDateTime(text, value);
}

bool TDateTimeField::TryReadText(std::string_view text, TDateTime& value) const {
    if (!DisplayFormat.empty()) {
        const TFormatSettings shown = FormatSettingsOfLayout(DisplayFormat, FormatSettings());
        const bool ok = DataType() == ftDate   ? TryStrToDate(text, value, shown)
                        : DataType() == ftTime ? TryStrToTime(text, value, shown)
                                               : TryStrToDateTime(text, value, shown);
        if (ok)
            return true;
    }
    return TryReadByLocale(text, value);
}

void TDateTimeField::SetAsStringValue(const std::string& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    TDateTime parsed = 0;
    if (!TryReadText(value, parsed))
        DatabaseError("'" + value + "' is not a valid date and time for field '" + DisplayName() + "'");
    SetAsDateTimeValue(parsed);
}

std::string TDateTimeField::LocaleText() const {
    if (IsNull())
        return {};
    const std::string format = DataType() == ftDate ? "ddddd" : (DataType() == ftTime ? "tt" : "c");
    return FormatDateTime(format, AsDateTime());
}

std::string TDateTimeField::DefaultText(bool displayText) const {
    if (IsNull() || DisplayFormat.empty())
        return LocaleText();
    const std::string shown = FormatDateTime(DisplayFormat, AsDateTime());
    if (displayText)
        return shown;
    // A shown text that drops part of the value (the seconds, say) would lose it on posting.
    TDateTime read = 0;
    const TTimeStamp stored = DateTimeToTimeStamp(AsDateTime());
    return TryReadText(shown, read) && DateTimeToTimeStamp(StoredForm(read)) == stored ? shown : LocaleText();
}
