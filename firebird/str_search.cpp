#include "firebird/str_search.h"

#include <algorithm>
#include <cstdint>

#include "firebird/str_basics.h"
#include "platform/rtl/strings.h"

TCharSet MakeCharSet(std::string_view chars) {
    TCharSet set;
    for (char c : chars) set.set(static_cast<unsigned char>(c));
    return set;
}

int PosChar(char ch, std::string_view s) {
    const std::size_t p = s.find(ch);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

int PosAnyChar(std::span<const char> chars, std::string_view s) {
    int best = 0;
    for (char c : chars) {
        const int p = PosChar(c, s);
        if (p > 0 && (best == 0 || p < best))
            best = p;
    }
    return best;
}

int PosAnyChar(std::initializer_list<char> chars, std::string_view s) {
    return PosAnyChar(std::span<const char>(chars.begin(), chars.size()), s);
}

int PosIgnoreCase(std::string_view sub, std::string_view s) {
    return PosFrom(AsciiUpperCase(sub), AsciiUpperCase(s), 1);
}

int PosFrom(std::string_view sub, std::string_view s, int start) {
    return PosFromTo(sub, s, start, std::numeric_limits<int>::max());
}

int PosFromTo(std::string_view sub, std::string_view s, int start, int last) {
    if (sub.empty() || s.empty())
        return 0;
    // In 64 bits: a start or last near the int limits must not wrap past the bounds.
    const std::int64_t end = std::min<std::int64_t>(last, static_cast<std::int64_t>(s.size()));
    const auto len = static_cast<std::int64_t>(sub.size());
    const char head = sub.front(), tail = sub.back();
    for (std::int64_t p = std::max(start, 1); p + len - 1 <= end; ++p) {
        const char* at = s.data() + p - 1;
        // First and last character first, then the inner ones from the end towards the front.
        if (at[0] != head || at[len - 1] != tail)
            continue;
        std::int64_t k = len - 2;
        while (k > 0 && at[k] == sub[static_cast<std::size_t>(k)]) --k;
        if (k <= 0)
            return static_cast<int>(p);
    }
    return 0;
}

int PosWord(std::string_view sub, std::string_view s, const TCharSet& before, const TCharSet& after) {
    int p = PosFrom(sub, s, 1);
    while (p > 0) {
        const std::size_t end = static_cast<std::size_t>(p - 1) + sub.size();  // index behind the word
        const bool startOk = p == 1 || InSet(before, s[static_cast<std::size_t>(p - 2)]);
        const bool endOk = end >= s.size() || InSet(after, s[end]);
        if (startOk && endOk)
            return p;
        p = PosFrom(sub, s, p + static_cast<int>(sub.size()));
    }
    return 0;
}

int PosWordIgnoreCase(std::string_view sub, std::string_view s, const TCharSet& before, bool ansi,
                      const TCharSet& after) {
    if (ansi)
        return PosWord(AnsiUpperCase(sub), AnsiUpperCase(s), before, after);
    return PosWord(AsciiUpperCase(sub), AsciiUpperCase(s), before, after);
}

std::string ExtractWordN(int n, std::string_view s, const TCharSet& delims) {
    int count = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && InSet(delims, s[i])) ++i;
        if (i >= s.size())
            break;
        const std::size_t start = i;
        while (i < s.size() && !InSet(delims, s[i])) ++i;
        if (++count == n)
            return std::string(s.substr(start, i - start));
    }
    return count == 0 && n == 1 ? std::string(s) : std::string();
}

int WordCountBySet(std::string_view s, const TCharSet& delims) {
    int count = 0;
    bool inWord = false;
    for (char c : s) {
        const bool delim = InSet(delims, c);
        if (!delim && !inWord)
            ++count;
        inWord = !delim;
    }
    return count;
}

void SplitNameValue(std::string_view s, std::string& name, std::string& value) {
    const std::size_t eq = s.find('=');
    if (eq == std::string_view::npos) {
        name.assign(s);
        value.clear();
    } else {
        name.assign(s.substr(0, eq));
        value.assign(s.substr(eq + 1));
    }
}

std::string ValueOfPair(std::string_view s) {
    const std::size_t eq = s.find('=');
    return eq == std::string_view::npos ? std::string() : std::string(s.substr(eq + 1));
}

std::string StripQuotes(std::string_view s) {
    auto skippable = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t end = s.size();
    while (end > 0 && skippable(s[end - 1])) --end;
    if (end == 0)
        return std::string(s);
    const char quote = s[end - 1];
    if (quote != '\'' && quote != '"')
        return std::string(s);
    const char other = quote == '"' ? '\'' : '"';
    std::size_t begin = 0;
    while (begin < end - 1 && (skippable(s[begin]) || s[begin] == other)) ++begin;
    if (begin >= end - 1 || s[begin] != quote)
        return std::string(s);
    return std::string(s.substr(begin + 1, end - 2 - begin));
}
