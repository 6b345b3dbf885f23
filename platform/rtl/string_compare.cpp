#include "platform/rtl/string_compare.h"

#include <algorithm>
#include <string>

#include "platform/rtl/strings.h"

namespace {
int Sign(long long v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

int CompareCodes(std::u32string_view a, std::u32string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return Sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

std::u32string Folded(std::string_view s) {
    std::u32string u = Utf8ToUtf32(s);
    for (char32_t& c : u) c = UpperCaseChar(c);
    return u;
}
}  // namespace

int CompareStr(std::string_view a, std::string_view b) {
    return Sign(a.compare(b));
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    return CompareCodes(Folded(a), Folded(b));
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
    if (int r = AnsiCompareText(a, b); r != 0)
        return r;
    // Same letters: the first position where the case differs decides, lower case first.
    const std::u32string ua = Utf8ToUtf32(a), ub = Utf8ToUtf32(b);
    for (std::size_t i = 0; i < ua.size() && i < ub.size(); ++i) {
        if (ua[i] == ub[i])
            continue;
        const bool aLower = UpperCaseChar(ua[i]) != ua[i];
        return aLower ? -1 : 1;
    }
    return 0;
}

bool AnsiSameStr(std::string_view a, std::string_view b) {
    return a == b;
}
