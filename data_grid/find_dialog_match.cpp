#include "data_grid/find_dialog_match.h"

#include "platform/rtl/strings.h"

namespace {

bool ContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::size_t FindTextPosition(std::string_view Text, std::string_view Pattern) {
    if (Text.empty() || Pattern.empty())
        return std::string_view::npos;
    for (std::size_t at = Text.find(Pattern); at != std::string_view::npos; at = Text.find(Pattern, at + 1))
        if (!ContinuationByte(Text[at]))
            return at;
    return std::string_view::npos;
}

TFindTextMatcherEh::TFindTextMatcherEh(std::string Pattern, int MatchMode, bool MatchCase)
    : pattern_(MatchCase ? std::move(Pattern) : AnsiUpperCase(Pattern)),
      mode_(MatchMode),
      matchCase_(MatchCase) {}

bool TFindTextMatcherEh::Matches(std::string_view Text) const {
    if (matchCase_)
        return MatchesPrepared(Text);
    return MatchesPrepared(AnsiUpperCase(Text));
}

bool TFindTextMatcherEh::MatchesPrepared(std::string_view Text) const {
    switch (mode_) {
        case 0:
            return FindTextPosition(Text, pattern_) != std::string_view::npos;
        case 1:
            return Text == pattern_;
        case 2:
            return Text.starts_with(pattern_);
        default:
            return false;
    }
}
