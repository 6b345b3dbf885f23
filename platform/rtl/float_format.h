#pragma once
// Floating-point and currency texts of the platform.
//
// FormatFloat sections: "positive;negative;zero". In a section "0" is a digit or a zero, "#" a
// digit or nothing, the first "." the decimal separator, "," anywhere in the integer part turns
// on thousands grouping, "E+" "E-" "e+" "e-" followed by up to four "0" give scientific notation,
// text in single or double quotes is copied, and every other character is copied as it is. The
// negative section prints no minus sign of its own; an empty or missing negative or zero section
// falls back to the first. The value is rounded half away from zero; an empty format gives
// FloatToStr.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/exceptions.h"

struct TNumberFormat {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
};
// The process locale's separators (LC_NUMERIC), loaded on first use.
const TNumberFormat& NumberFormat();
void SetNumberFormat(const TNumberFormat& format);  // for tests and settings screens
void ReloadNumberFormat();

std::string FormatFloat(std::string_view format, double value);
std::string FormatFloat(std::string_view format, double value, const TNumberFormat& fs);
// The same rules on an exact decimal: value / 10^scale.
std::string FormatScaled(std::string_view format, std::int64_t value, int scale, const TNumberFormat& fs);

// 15 significant digits; scientific ("1E20", "1E-5") below 1E-4 and from 1E15; "NAN", "INF", "-INF".
std::string FloatToStr(double value);
std::string FloatToStr(double value, const TNumberFormat& fs);

// [blanks] [sign] digits [separator digits] [e|E [sign] digits] [blanks].
bool TryStrToFloat(std::string_view s, double& value);
bool TryStrToFloat(std::string_view s, double& value, const TNumberFormat& fs);
double StrToFloat(std::string_view s);  // raises EConvertError "'%s' is not a valid floating point value"
double StrToFloatDef(std::string_view s, double def);

// Currency: a 64-bit integer in units of 1/10000.
constexpr std::int64_t CurrencyScale = 10000;
std::string CurrToStr(std::int64_t currency);  // "12.5", "-0.0001", "7"
std::string CurrToStr(std::int64_t currency, const TNumberFormat& fs);
// Decimal text, rounded half away from zero to four places; no float in between.
bool TryStrToCurr(std::string_view s, std::int64_t& currency);
bool TryStrToCurr(std::string_view s, std::int64_t& currency, const TNumberFormat& fs);
std::int64_t StrToCurr(
    std::string_view s);  // raises EConvertError "'%s' is not a valid floating point value"
