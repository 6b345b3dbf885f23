#include "firebird/wildcards.h"

#include <utility>
#include <vector>

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

// Where a "*" followed by `next` may begin its match.
bool StarMayStartAt(char c, char next) {
    return c == '*' || c == '?' || c == next;
}

// The match of a[i:] and b[j:] depends on (i, j) alone, so every pair of suffixes is settled
// once, from the ends towards the fronts, one row of i at a time. In compressed texts a "*" is
// followed by a plain character, which makes the match the same with the sides exchanged, also when
// both begin with "*"; so one table serves both sides. Equal texts need no test of their own: they
// match character by character, a star against a star taking nothing. A star tries the other
// side's positions from its own onwards: those answers are gathered as running ORs, along the row
// below for a star in a and down the column to the right for a star in b.
class SymmetricMatch {
  public:
    SymmetricMatch(std::string_view a, std::string_view b)
        : a_(a), b_(b), below_(b.size() + 1), row_(b.size() + 1), starDown_(b.size() + 1, 0) {}

    bool Run() {
        const std::size_t m = b_.size();
        // a's suffix is empty: only an empty b or b = "*" match it.
        for (std::size_t j = 0; j <= m; ++j) below_[j] = j == m || IsLastStar(b_, j);
        for (std::size_t i = a_.size(); i-- > 0;) {
            FillRow(i);
            std::swap(row_, below_);
        }
        return below_[0];
    }

  private:
    static bool IsLastStar(std::string_view s, std::size_t k) { return k + 1 == s.size() && s[k] == '*'; }

    void FillRow(std::size_t i) {
        const std::size_t m = b_.size();
        row_[m] = IsLastStar(a_, i);  // b's suffix is empty
        bool starRight = false;       // a[i] = "*" tried at b[j..]: the row below
        for (std::size_t j = m; j-- > 0;) {
            if (i + 1 < a_.size())
                starRight = starRight || (StarMayStartAt(b_[j], a_[i + 1]) && below_[j]);
            if (j + 1 < m)
                starDown_[j] = starDown_[j] || (StarMayStartAt(a_[i], b_[j + 1]) && row_[j + 1]);
            row_[j] = Cell(i, j, starRight);
        }
    }

    bool Cell(std::size_t i, std::size_t j, bool starRight) const {
        const char x = a_[i], y = b_[j];
        if (IsLastStar(a_, i) || IsLastStar(b_, j))
            return true;
        if (!IsWild(x) && !IsWild(y) && x != y)
            return false;
        if (x == '*')
            return starRight;
        if (y == '*')
            return starDown_[j];
        return below_[j + 1];  // equal first characters, or a "?"
    }

    std::string_view a_, b_;
    std::vector<char> below_;     // row i + 1
    std::vector<char> row_;       // row i
    std::vector<char> starDown_;  // b[j] = "*" tried at a[i..]: the column j + 1
};

// A leading run wildcard is never followed by another wildcard once the pattern is compressed, and
// the run wildcard is tested before the single one (they may be the same character). That is plain
// glob matching, done greedily: a run wildcard first takes nothing, and on a mismatch the latest one
// takes one more character. Time is bounded by text length times pattern length, memory constant.
bool MatchPatternCore(std::string_view text, std::string_view pattern, char run, char single) {
    constexpr std::size_t kNoStar = std::string_view::npos;
    std::size_t t = 0, p = 0, star = kNoStar, starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == run) {
            star = p++;
            starText = t;
        } else if (p < pattern.size() && (pattern[p] == single || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (star != kNoStar) {
            p = star + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == run) ++p;
    return p == pattern.size();
}
}  // namespace

bool WildcardMatch(std::string_view a, std::string_view b) {
    const std::string x = CompressWildcards(a), y = CompressWildcards(b);
    return SymmetricMatch(x, y).Run();
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
