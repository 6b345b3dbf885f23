#include "platform/ui/themes.h"

#include "platform/ui/window_system.h"

bool TThemeServices::ThemesEnabled() const {
    return platform::ui::CurrentWindowSystem().Theme() != nullptr;
}

void TThemeServices::DrawElement(HDC dc, const TThemedElementDetails& details, const TRect& rect) const {
    platform::ui::ThemePainter* painter = platform::ui::CurrentWindowSystem().Theme();
    if (dc == nullptr || painter == nullptr || rect.IsEmpty())
        return;
    platform::ui::RasterImage part = painter->Render(details, rect.Width(), rect.Height());
    part.SetHasAlpha(true);
    dc->DrawImage(part, part.BoundsRect(), rect, true);
}

const TThemeServices& ThemeServices() {
    static const TThemeServices services;  // no state of its own: it asks the installed host
    return services;
}
