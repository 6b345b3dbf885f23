#include "data_grid/grid_text_words.h"

TWordDelimitersEh::TWordDelimitersEh(std::initializer_list<char> Delimiters) {
    for (char ch : Delimiters)
        if (static_cast<unsigned char>(ch) < 0x80)
            set_.set(static_cast<unsigned char>(ch));
}

namespace {

// Byte index of the first character at or after i that is (Delimiter) or is not a delimiter.
std::size_t Skip(std::string_view Text, std::size_t i, const TWordDelimitersEh& Delimiters, bool Delimiter) {
    while (i < Text.size() && Delimiters.Contains(static_cast<unsigned char>(Text[i])) == Delimiter) ++i;
    return i;
}

}  // namespace

int NthWordPosition(int N, std::string_view Text, const TWordDelimitersEh& Delimiters) {
    std::size_t i = 0;
    for (int word = 1; N >= 1; ++word) {
        i = Skip(Text, i, Delimiters, true);
        if (i >= Text.size())
            return 0;
        if (word == N)
            return static_cast<int>(i) + 1;
        i = Skip(Text, i, Delimiters, false);
    }
    return 0;
}

std::string NthWordAndPosition(int N, std::string_view Text, const TWordDelimitersEh& Delimiters,
                               int& Position) {
    Position = NthWordPosition(N, Text, Delimiters);
    if (Position == 0)
        return {};
    const std::size_t start = static_cast<std::size_t>(Position) - 1;
    return std::string(Text.substr(start, Skip(Text, start, Delimiters, false) - start));
}

std::string NthWord(int N, std::string_view Text, const TWordDelimitersEh& Delimiters) {
    int position = 0;
    return NthWordAndPosition(N, Text, Delimiters, position);
}
