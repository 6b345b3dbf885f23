#pragma once
// Themed control parts drawn by the application's Qt style.
#include "platform/ui/themes.h"

namespace platform::ui {

class QtThemePainter : public ThemePainter {
  public:
    RasterImage Render(const TThemedElementDetails& details, int width, int height) override;
};

}  // namespace platform::ui
