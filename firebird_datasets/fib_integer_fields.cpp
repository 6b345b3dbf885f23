#include <cstdint>

#include "firebird_datasets/fib_fields.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/format.h"
#include "platform/rtl/numbers.h"
#include "platform/rtl/strings.h"

namespace {

constexpr int SecondsPerHour = 3600;
constexpr int SecondsPerMinute = 60;
// The fourth part of a time text counts tens of seconds.
constexpr int FourthPartSeconds = 10;
constexpr std::size_t TimeTextParts = 4;

char TimeSeparator() {
    return FormatSettings().TimeSeparator;
}

// Hours, minutes, seconds and the fourth part, split at the separator; a missing part is 0.
std::int64_t SecondsOfTimeText(const std::string& text, char separator) {
    static constexpr std::int64_t weights[TimeTextParts] = {SecondsPerHour, SecondsPerMinute, 1,
                                                            FourthPartSeconds};
    std::int64_t seconds = 0;
    std::size_t start = 0;
    for (std::size_t part = 0; part < TimeTextParts && start <= text.size(); ++part) {
        std::size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        const std::string piece = Trim(text.substr(start, end - start));
        // 32-bit parts keep the sum inside 64 bits; the integer field's range check follows.
        if (!piece.empty())
            seconds += std::int64_t{StrToInt(piece)} * weights[part];
        start = end + 1;
    }
    return seconds;
}

}  // namespace

TFIBIntegerField::TFIBIntegerField(TComponent* AOwner) : TIntegerField(AOwner) {}

void TFIBIntegerField::SetIsTimeField(bool value) {
    isTimeField_ = value;
    ValidChars.set(static_cast<unsigned char>(TimeSeparator()), value);
}

void TFIBIntegerField::SetAsStringValue(const std::string& value) {
    if (!isTimeField_ || value.empty()) {
        TIntegerField::SetAsStringValue(value);
        return;
    }
    SetAsLargeIntValue(SecondsOfTimeText(value, TimeSeparator()));
}

std::string TFIBIntegerField::DefaultText(bool displayText) const {
    if (!isTimeField_ || IsNull())
        return TIntegerField::DefaultText(displayText);
    const int seconds = AsInteger();
    const int hours = seconds / SecondsPerHour;
    const int minutes = seconds / SecondsPerMinute - hours * SecondsPerMinute;
    return Format("%.2d", {hours}) + TimeSeparator() + Format("%.2d", {minutes});
}

TFIBSmallIntField::TFIBSmallIntField(TComponent* AOwner) : TSmallintField(AOwner) {}
