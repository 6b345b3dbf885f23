#include "firebird/str_replace.h"

#include <vector>

#include "platform/rtl/strings.h"

std::string ReplaceAllFound(std::string_view s, std::string_view searchText, std::string_view searchOld,
                            std::string_view newText) {
    if (searchOld.empty() || searchText.size() != s.size())
        return std::string(s);
    std::vector<std::size_t> hits;
    for (std::size_t p = searchText.find(searchOld); p != std::string_view::npos;
         p = searchText.find(searchOld, p + searchOld.size()))
        hits.push_back(p);
    if (hits.empty())
        return std::string(s);
    std::string out;
    out.reserve(s.size() + hits.size() * newText.size() - hits.size() * searchOld.size());
    std::size_t from = 0;
    for (std::size_t hit : hits) {
        out.append(s.substr(from, hit - from)).append(newText);
        from = hit + searchOld.size();
    }
    return out.append(s.substr(from));
}

std::string ReplaceStr(std::string_view s, std::string_view oldText, std::string_view newText) {
    return ReplaceAllFound(s, s, oldText, newText);
}

namespace {
// AnsiUpperCase keeping every byte position, as ReplaceAllFound needs: a malformed sequence whose
// upper case would take another number of bytes keeps its own bytes.
std::string UpperCaseSameLength(std::string_view s) {
    std::string upper = AnsiUpperCase(s);
    if (upper.size() == s.size())
        return upper;
    upper.clear();
    for (std::size_t i = 0, n = 1; i < s.size(); i += n, n = 1) {
        while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
        const std::string_view character = s.substr(i, n);
        const std::string folded = AnsiUpperCase(character);
        upper.append(folded.size() == n ? std::string_view(folded) : character);
    }
    return upper;
}
}  // namespace

std::string ReplaceStrIgnoreCase(std::string_view s, std::string_view oldText, std::string_view newText) {
    return ReplaceAllFound(s, UpperCaseSameLength(s), UpperCaseSameLength(oldText), newText);
}
