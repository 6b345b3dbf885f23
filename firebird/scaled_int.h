#pragma once
// Exact decimal texts of 64-bit integers and of scaled integers (value / 10^scale), the way the
// database library shows NUMERIC and DECIMAL columns. No value passes through a float.
#include <cstdint>
#include <string>
#include <string_view>

std::string Int64ToStrExact(std::int64_t value);
// "0" for 0; trailing zeros of the fraction are dropped, and the separator with them
// (scale 2: 1250 gives "12.5", 1200 gives "12", -5 gives "-0.05"). Scale 0 or below: the integer.
// A scale above 63 (more places than a BCD carries) raises EConvertError.
std::string ScaledInt64ToStrSep(int scale, char separator, std::int64_t value);
std::string ScaledInt64ToStr(int scale, std::int64_t value);  // the locale's decimal separator
// The same texts appended to out, without a text of their own on the way.
void AppendInt64(std::string& out, std::int64_t value);
void AppendScaledInt64(std::string& out, int scale, char separator, std::int64_t value);
// The text under a display format, by the rules of FormatFloat applied to the exact decimal.
// A scale outside -63..63 raises EConvertError.
std::string FormatScaledInt64(std::string_view format, int scale, std::int64_t value);
