#pragma once
// Small text helpers shared by the XML-Schema date and time parsers and printers.
#include <cstdint>
#include <string>
#include <string_view>

namespace xs {

bool IsDigit(char c);
// True when text[pos, pos + count) lies inside the text and holds decimal digits only.
bool DigitsAt(std::string_view text, std::size_t pos, std::size_t count);
// The decimal value of text[pos, pos + count); call only after DigitsAt.
int DigitsValue(std::string_view text, std::size_t pos, std::size_t count);
// The value with at least `width` digits, zero-padded on the left.
std::string ZeroPad(std::int64_t value, int width);

}  // namespace xs
