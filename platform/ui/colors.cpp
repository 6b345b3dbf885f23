#include "platform/ui/colors.h"

#include <array>

namespace {
// The classic desktop scheme, $00BBGGRR, by system colour index.
constexpr std::array<TColor, 25> kSystemColors = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225)};
}  // namespace

TColor ColorToRGB(TColor color) {
    if ((static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u) {
        unsigned index = static_cast<std::uint32_t>(color) & 0xFF;
        return index < kSystemColors.size() ? kSystemColors[index] : clBlack;
    }
    if (color == clNone || color == clDefault)
        return clBlack;
    return color & 0xFFFFFF;
}

std::uint32_t ColorToArgb(TColor color) {
    TColor rgb = ColorToRGB(color);
    return 0xFF000000u | static_cast<std::uint32_t>(GetRValue(rgb)) << 16 |
           static_cast<std::uint32_t>(GetGValue(rgb)) << 8 | static_cast<std::uint32_t>(GetBValue(rgb));
}
