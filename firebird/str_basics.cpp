#include "firebird/str_basics.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/string_compare.h"

namespace {
bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char FoldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
}  // namespace

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

bool IsBlankStr(std::string_view s) {
    return std::all_of(s.begin(), s.end(), IsBlank);
}

void GetTrimBounds(std::string_view s, int& first, int& last) {
    if (s.empty()) {
        last = 0;
        return;
    }
    int n = static_cast<int>(s.size());
    while (n > 0 && IsBlank(s[static_cast<std::size_t>(n - 1)])) --n;
    last = n;
    int f = 0;
    while (f < n && IsBlank(s[static_cast<std::size_t>(f)])) ++f;
    first = n == 0 ? 1 : f + 1;
}

void TrimRightInPlace(std::string& s) {
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    s.resize(n);
}

void TrimInPlace(std::string& s) {
    TrimRightInPlace(s);
    std::size_t f = 0;
    while (f < s.size() && IsBlank(s[f])) ++f;
    s.erase(0, f);
}

std::size_t PCharTrimRightLength(const char* p) {
    std::size_t n = FastStrLen(p);
    while (n > 0 && IsBlank(p[n - 1])) --n;
    return n;
}

// The C library's strlen already scans a word at a time (and never reads past the page).
std::size_t FastStrLen(const char* p) {
    return p ? std::strlen(p) : 0;
}

std::string AsciiUpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = FoldAscii(c);
    return out;
}

void AsciiLowerCaseInPlace(std::string& s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
}

bool AsciiSameStr(std::string_view a, std::string_view b, bool exact) {
    if (exact)
        return a == b;
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        // Only letters match their other case; "!" and "A" are 32 apart but not the same letter.
        if (!IsAsciiLetter(a[i]) || FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

bool EqualStrings(bool ignoreCase, std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    return ignoreCase ? AnsiCompareText(a, b) == 0 : a == b;
}

bool StrInArray(std::string_view s, std::span<const std::string> items) {
    return std::any_of(items.begin(), items.end(), [&](const std::string& item) { return item == s; });
}

bool StrInArray(std::string_view s, std::initializer_list<std::string_view> items) {
    return std::find(items.begin(), items.end(), s) != items.end();
}

std::string IfThenStr(bool condition, std::string_view a, std::string_view b) {
    return std::string(condition ? a : b);
}

std::string FillString(char ch, int count) {
    return count < 1 ? std::string() : std::string(static_cast<std::size_t>(count), ch);
}

void FastCopy(std::string_view s, std::string& dest, int index, int count) {
    if (index < 1)
        index = 1;
    if (count < 1 || index > static_cast<int>(s.size())) {
        dest.clear();
        return;
    }
    dest.assign(s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count)));
}

void MoveSubstr(std::string_view src, std::string& dest, int from, int count, int at) {
    if (count <= 0)
        return;
    // In 64 bits, so that a huge count cannot wrap past the checks.
    const long long end = static_cast<long long>(count) - 1;
    if (from < 1 || at < 1 || from + end > static_cast<long long>(src.size()) ||
        at + end > static_cast<long long>(dest.size()))
        throw EInvalidOperation("MoveSubstr: the characters to copy lie outside the texts");
    std::memmove(dest.data() + at - 1, src.data() + from - 1, static_cast<std::size_t>(count));
}
