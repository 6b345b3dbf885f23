#include "firebird/wildcards.h"

#include "platform/rtl/strings.h"

std::string CompressWildcards(std::string_view mask, char run, char single) {
    if (mask.size() < 2)
        return std::string(mask);
    std::string out;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        out += mask[i];
        if (mask[i] != run)
            continue;
        while (i + 1 < mask.size() && (mask[i + 1] == run || mask[i + 1] == single)) ++i;
    }
    return out;
}

namespace {
bool IsWild(char c) {
    return c == '*' || c == '?';
}

bool WildcardMatchCore(std::string_view a, std::string_view b);

// a begins with "*": try the rest of a at every position of b that could start its match.
bool MatchStar(std::string_view a, std::string_view b) {
    const std::string_view rest = a.substr(1);
    const char next = rest.front();
    for (std::size_t i = 0; i < b.size(); ++i)
        if ((b[i] == '*' || b[i] == '?' || b[i] == next) && WildcardMatchCore(rest, b.substr(i)))
            return true;
    return false;
}

bool WildcardMatchCore(std::string_view a, std::string_view b) {
    while (true) {
        if (a == "*" || b == "*" || a == b)
            return true;
        if (a.empty() || b.empty())
            return false;
        if (!IsWild(a[0]) && !IsWild(b[0]) && a[0] != b[0])
            return false;
        if (a[0] == '*')
            return MatchStar(a, b);
        if (b[0] == '*')
            return MatchStar(b, a);
        // Equal first characters, or one of them is "?".
        a.remove_prefix(1);
        b.remove_prefix(1);
    }
}

bool MatchPatternCore(std::string_view text, std::string_view pattern, char run, char single) {
    while (true) {
        if ((pattern.size() == 1 && pattern[0] == run) || pattern == text)
            return true;
        if (text.empty() || pattern.empty())
            return false;
        const char p = pattern[0];
        if (p != run && p != single && p != text[0])
            return false;
        if (p == run) {
            const std::string_view rest = pattern.substr(1);
            for (std::size_t i = 0; i < text.size(); ++i)
                if (text[i] == rest[0] && MatchPatternCore(text.substr(i), rest, run, single))
                    return true;
            return false;
        }
        if (p == single) {
            text.remove_prefix(1);
            pattern.remove_prefix(1);
            continue;
        }
        // Literal head: the texts up to the pattern's first wildcard must be equal.
        std::size_t n = 0;
        while (n < pattern.size() && pattern[n] != run && pattern[n] != single) ++n;
        if (n == pattern.size() || text.substr(0, n) != pattern.substr(0, n))
            return false;
        text.remove_prefix(n);
        pattern.remove_prefix(n);
    }
}
}  // namespace

bool WildcardMatch(std::string_view a, std::string_view b) {
    return WildcardMatchCore(CompressWildcards(a), CompressWildcards(b));
}

int IndexOfWildcard(const TStrings& list, std::string_view text, bool caseSensitive) {
    const std::string t = caseSensitive ? std::string(text) : AnsiUpperCase(text);
    for (int i = 0; i < list.Count(); ++i)
        if (WildcardMatch(caseSensitive ? list[i] : AnsiUpperCase(list[i]), t))
            return i;
    return -1;
}

bool MatchPattern(std::string_view text, std::string_view pattern, const char (&wild)[2]) {
    return MatchPatternCore(text, CompressWildcards(pattern, wild[0], wild[1]), wild[0], wild[1]);
}

bool MatchLikePattern(std::string_view text, std::string_view pattern) {
    static const char like[2] = {'%', '%'};
    return MatchPatternCore(text, CompressWildcards(pattern, '%', '%'), like[0], like[1]);
}
