#pragma once
// The platform's integer rule: leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$", "x" or "0x" (either case of x). Nothing may follow the digits. A value out of
// range of the target type is not a number.
#include <cstdint>
#include <string>
#include <string_view>

bool TryStrToInt(std::string_view s, std::int32_t& value);
bool TryStrToInt64(std::string_view s, std::int64_t& value);
std::int32_t StrToInt(std::string_view s);  // raises EConvertError "'%s' is not a valid integer value"
std::int64_t StrToInt64(std::string_view s);
std::int32_t StrToIntDef(std::string_view s, std::int32_t def);
std::int64_t StrToInt64Def(std::string_view s, std::int64_t def);
