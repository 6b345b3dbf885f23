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

std::string ReplaceStrIgnoreCase(std::string_view s, std::string_view oldText, std::string_view newText) {
    return ReplaceAllFound(s, AnsiUpperCase(s), AnsiUpperCase(oldText), newText);
}
