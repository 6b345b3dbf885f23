#pragma once
// Text routines of the platform. Text is UTF-8; the case routines fold ASCII, Latin-1 and Cyrillic.
#include <cstdint>
#include <string>
#include <string_view>

std::string Trim(std::string_view s);  // removes characters with codes 0..32 at both ends
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

std::string UpperCase(std::string_view s);  // ASCII letters only
std::string LowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);  // ASCII, Latin-1 and Cyrillic letters
std::string AnsiLowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);      // ASCII case-insensitive
bool AnsiSameText(std::string_view a, std::string_view b);  // Cyrillic-aware case-insensitive
int CompareText(std::string_view a, std::string_view b);    // ASCII case-insensitive, <0, 0, >0

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags);

std::string IntToStr(std::int64_t value);
std::string IntToHex(std::uint64_t value, int digits);

// UTF-8 helpers shared by the case routines, Format and TIniFile.
std::size_t Utf8Length(std::string_view s);  // characters, not bytes
// The first count characters; a character is never cut in half.
std::string_view Utf8Left(std::string_view s, std::size_t count);
// A byte that starts no valid UTF-8 sequence comes back as StrayByteBase + the byte, so the text
// survives the round trip through Utf32ToUtf8.
inline constexpr char32_t StrayByteBase = 0xDC00;
constexpr bool IsStrayByte(char32_t c) {
    return c >= StrayByteBase + 0x80 && c <= StrayByteBase + 0xFF;
}
std::u32string Utf8ToUtf32(std::string_view s);
std::string Utf32ToUtf8(std::u32string_view s);
char32_t UpperCaseChar(char32_t c);
char32_t LowerCaseChar(char32_t c);
