#pragma once
// How the find dialog compares a cell's text with the pattern. Texts are UTF-8; a pattern is
// found only where a character starts.
#include <cstddef>
#include <string>
#include <string_view>

// The byte position of Pattern in Text where a character of Text starts; npos when there is none
// or either text is empty.
std::size_t FindTextPosition(std::string_view Text, std::string_view Pattern);

// Compares cell texts with one pattern by a match mode (0 anywhere, 1 the whole text, 2 the
// start; others match nothing), with or without letter case. The pattern is upper-cased once.
class TFindTextMatcherEh {
  public:
    TFindTextMatcherEh(std::string Pattern, int MatchMode, bool MatchCase);
    bool Matches(std::string_view Text) const;

  private:
    bool MatchesPrepared(std::string_view Text) const;
    std::string pattern_;
    int mode_;
    bool matchCase_;
};
