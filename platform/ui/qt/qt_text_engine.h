#pragma once
// Text through Qt with real fonts; font names resolve through fontconfig to installed families
// ("Verdana" or "MS Sans Serif" to DejaVu Sans where those are not installed).
#include <QFont>
#include <map>
#include <string>

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
    const QFont& FontFor(const FontSpec& spec);
    const QFont& FindFont(const FontSpec& spec);
    std::map<std::string, std::string> families_;
    std::map<std::string, QFont> fonts_;  // its nodes stay put: lastFont_ points into it
    FontSpec lastSpec_;
    const QFont* lastFont_ = nullptr;
};

}  // namespace platform::ui
