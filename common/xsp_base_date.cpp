#include "common/xsp_base_date.h"

#include <limits>

#include "common/xs_date_time_exception.h"
#include "common/xs_digits.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

namespace {

constexpr std::size_t kYearDigits = 4;
constexpr std::size_t kDateLength = 10;  // yyyy-mm-dd

[[noreturn]] void RaiseInvalidDate(std::string_view text) {
    throw EXSDateTimeException(Format("Invalid date string: %s", {text}));
}

bool AllDigits(std::string_view text) {
    return !text.empty() && xs::DigitsAt(text, 0, text.size());
}

// Exactly "yyyy-mm-dd": nothing may follow, or a stray character would be taken for a date.
bool IsYearMonthDay(std::string_view text) {
    return text.size() == kDateLength && xs::DigitsAt(text, 0, kYearDigits) && text[4] == '-' &&
           xs::DigitsAt(text, 5, 2) && text[7] == '-' && xs::DigitsAt(text, 8, 2);
}

}  // namespace

void TXSPBaseDate::Clear() {
    int margin = AdjustMargin;
    *this = TXSPBaseDate();
    AdjustMargin = margin;
}

void TXSPBaseDate::Parse(std::string_view text) {
    std::string_view rest = text;
    bool negative = !rest.empty() && rest.front() == '-';
    if (negative) {
        rest.remove_prefix(1);
    }
    std::uint32_t century = 0;
    std::size_t firstDash = rest.find('-');
    if (firstDash != std::string_view::npos && firstDash > kYearDigits) {
        std::string_view centuryDigits = rest.substr(0, firstDash - kYearDigits);
        if (!AllDigits(centuryDigits) || centuryDigits.size() > 9) {
            RaiseInvalidDate(text);
        }
        century = static_cast<std::uint32_t>(std::stoul(std::string(centuryDigits)));
        rest.remove_prefix(centuryDigits.size());
    }
    if (!IsYearMonthDay(rest)) {
        RaiseInvalidDate(text);
    }
    Clear();
    NegativeYear = negative;
    Century = century;
    Year = xs::DigitsValue(rest, 0, 4);
    Month = static_cast<std::uint16_t>(xs::DigitsValue(rest, 5, 2));
    Day = static_cast<std::uint16_t>(xs::DigitsValue(rest, 8, 2));
}

std::string TXSPBaseDate::Print() const {
    std::string text = NegativeYear ? "-" : "";
    if (Century > 0) {
        text += std::to_string(Century);
    }
    return text + xs::ZeroPad(Year, 4) + "-" + xs::ZeroPad(Month, 2) + "-" + xs::ZeroPad(Day, 2);
}

std::int64_t TXSPBaseDate::SignedYear() const {
    std::int64_t year = static_cast<std::int64_t>(Century) * 10000 + Year;
    return NegativeYear ? -year : year;
}

TDateTime TXSPBaseDate::AsDate() const {
    std::int64_t year = SignedYear();
    if (year < std::numeric_limits<int>::min() || year > std::numeric_limits<int>::max()) {
        // Year 0 is as impossible as this one; the platform reports it with its usual error.
        return EncodeDate(0, Month, Day);
    }
    return EncodeDate(static_cast<int>(year), Month, Day);
}

void TXSPBaseDate::SetYear(int value) {
    NegativeYear = value < 0;
    std::int64_t magnitude = NegativeYear ? -static_cast<std::int64_t>(value) : value;
    Year = static_cast<std::int32_t>(magnitude % 10000);
    Century = static_cast<std::uint32_t>(magnitude / 10000);
}

void TXSPBaseDate::SetMonth(int value) {
    if (value < 1 - AdjustMargin || value > 12 + AdjustMargin) {
        throw EXSDateTimeException(Format("Invalid month: %d", {value}));
    }
    Month = static_cast<std::uint16_t>(value);
}

void TXSPBaseDate::SetDay(int value) {
    if (value < 1 - AdjustMargin || value > 31 + AdjustMargin) {
        throw EXSDateTimeException(Format("Invalid day: %d", {value}));
    }
    Day = static_cast<std::uint16_t>(value);
}
