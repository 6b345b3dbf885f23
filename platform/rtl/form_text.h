#pragma once
// How the form writer spells values in the textual form format (form_parser.h reads them back).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A string as quoted runs and #nn codes (control characters), cut into pieces of about width
// characters at character boundaries; an empty string is one piece ''.
std::vector<std::string> FormStringPieces(std::string_view text, std::size_t width);
// The shortest text that reads back as the same double, always with a "." or an exponent.
std::string FormFloat(double value);
// Upper-case hexadecimal of the bytes.
std::string FormHex(std::string_view bytes);
