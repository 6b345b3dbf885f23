#include "platform/ui/text_engine.h"

#include <algorithm>

namespace platform::ui {

std::size_t Utf8CharLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
    if (at + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

std::vector<int> TextEngine::CharacterExtents(const FontSpec& font, std::string_view text) {
    std::vector<int> extents;
    int advance = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8CharLength(text, at);
        advance += Measure(font, text.substr(at, length)).cx;
        extents.push_back(advance);
        at += length;
    }
    return extents;
}

FontMetrics TextEngine::Metrics(const FontSpec& font) {
    const TSize x = Measure(font, "x");
    FontMetrics m;
    m.Height = x.cy;
    m.InternalLeading = std::max(0, m.Height - font.PixelHeight);
    m.Ascent = std::min(m.Height, m.InternalLeading + font.PixelHeight * 4 / 5);
    m.Descent = m.Height - m.Ascent;
    m.AveCharWidth = m.MaxCharWidth = x.cx;
    if (font.Style.Contains(fsItalic))
        m.SlopeRise = 4, m.SlopeRun = 1;
    return m;
}

}  // namespace platform::ui
