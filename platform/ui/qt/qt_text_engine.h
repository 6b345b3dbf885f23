#pragma once
// Text through Qt with real fonts; font names resolve through fontconfig to installed families
// ("Verdana" or "MS Sans Serif" to DejaVu Sans where those are not installed).
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <map>
#include <string>

#include "platform/ui/qt/qt_text_painter.h"
#include "platform/ui/text_engine.h"

namespace platform::ui {

class QtTextEngine : public TextEngine {
  public:
    TSize Measure(const FontSpec& font, std::string_view text) override;
    void Draw(RasterImage& image, const FontSpec& font, std::uint32_t argb, const TRect& clip, int x, int y,
              std::string_view text) override;
    FontMetrics Metrics(const FontSpec& font) override;
    std::string ResolveFamily(const std::string& name) override;
    std::vector<int> CharacterExtents(const FontSpec& font, std::string_view text) override;

  private:
    // A font made once, with its metrics at hand.
    struct QtFont {
        explicit QtFont(const QFont& font)
            : Font(font), Metrics(font), MetricsF(font), Ascent(Metrics.ascent()) {}
        QFont Font;
        QFontMetrics Metrics;
        QFontMetricsF MetricsF;
        int Ascent;
    };
    const QtFont& FontFor(const FontSpec& spec);
    const QtFont& FindFont(const FontSpec& spec);
    std::map<std::string, std::string> families_;
    std::map<std::string, QtFont> fonts_;  // its nodes stay put: lastFont_ and the painter point into it
    FontSpec lastSpec_;
    const QtFont* lastFont_ = nullptr;
    QtTextPainter painter_;  // declared last: it ends before the fonts go
};

}  // namespace platform::ui
