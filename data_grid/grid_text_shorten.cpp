// Shortening a text to a width with "...": the characters' advances are measured once, then the
// longest prefix whose advance and the ellipsis fit is looked up, not measured prefix by prefix.
#include <vector>

#include "data_grid/grid_text.h"
#include "platform/ui/canvas.h"
#include "platform/ui/window_system.h"

namespace {

constexpr std::string_view Ellipsis = "...";

// Byte length of the first Count characters.
std::size_t PrefixBytes(std::string_view Text, int Count) {
    std::size_t at = 0;
    for (int i = 0; i < Count && at < Text.size(); ++i) at += platform::ui::Utf8CharLength(Text, at);
    return at;
}

}  // namespace

std::string ShortenTextToWidth(const std::string& Text, TCanvas* Canvas, int MaxWidth) {
    const platform::ui::FontSpec font = Canvas->Font()->Spec();
    const std::vector<int> extents = platform::ui::CurrentWindowSystem().Text().CharacterExtents(font, Text);
    const int length = static_cast<int>(extents.size());
    if (length == 0)
        return Text;
    // Whole-text shaping differs from the summed advances by kerning, well under two pixels a
    // character: a text clearly too wide is not measured again.
    const bool clearlyTooWide = extents.back() > MaxWidth + 2 * length;
    if (!clearlyTooWide && Canvas->TextWidth(Text) <= MaxWidth)
        return Text;
    const int ellipsis = Canvas->TextWidth(Ellipsis);
    // Keep = length - k for k = 2, 3, ...: the first that fits, else "..." alone.
    int keep = length - 2;
    while (keep > 0 && extents[static_cast<std::size_t>(keep - 1)] + ellipsis > MaxWidth) --keep;
    // Advances need not add up exactly (kerning): the chosen form is measured whole.
    std::string result;
    for (; keep > 0; --keep) {
        result.assign(Text, 0, PrefixBytes(Text, keep));
        result += Ellipsis;
        if (Canvas->TextWidth(result) <= MaxWidth)
            return result;
    }
    return std::string(Ellipsis);
}
