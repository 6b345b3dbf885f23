#pragma once
// Width, precision and justification of a pattern part ("%-5p", "%.30c", "%5.2p"), applied by our
// own routine: the modifiers come from a configuration file and never reach printf.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Widths and precisions above this are cut to it: the pattern comes from a configuration file,
// and a typo there must not make every line huge.
inline constexpr int MaxPatternWidth = 4096;

struct TLogPatternModifier {
    bool LeftJustify = false;
    int Width = -1;      // minimum width in characters, -1 for none
    int Precision = -1;  // strings: most characters kept; integers: fewest digits; -1 for none

    // Reads the modifiers between "%" and the letter; nullopt when they are not plain
    // [-][width][.precision] (the caller then leaves them to the platform's Format).
    static std::optional<TLogPatternModifier> Parse(std::string_view modifiers);
    // The modifiers with every width and precision above MaxPatternWidth cut to it, for those
    // handed to the platform's Format; an argument index ("0:") is kept as written.
    static std::string CapNumbers(std::string_view modifiers);

    void AppendString(std::string& out, std::string_view value) const;
    void AppendInteger(std::string& out, std::int64_t value) const;
};
