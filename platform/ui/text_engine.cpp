#include "platform/ui/text_engine.h"

#include <algorithm>

namespace platform::ui {

FontMetrics TextEngine::Metrics(const FontSpec& font) {
    const TSize x = Measure(font, "x");
    FontMetrics m;
    m.Height = x.cy;
    m.InternalLeading = std::max(0, m.Height - font.PixelHeight);
    m.Ascent = std::min(m.Height, m.InternalLeading + font.PixelHeight * 4 / 5);
    m.Descent = m.Height - m.Ascent;
    m.AveCharWidth = m.MaxCharWidth = x.cx;
    return m;
}

}  // namespace platform::ui
