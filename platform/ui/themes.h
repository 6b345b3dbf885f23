#pragma once
// Visual themes: the host's own look for the control parts the edit buttons and check boxes use
// (combo box drop-down button, spin arrows, push and tool-bar buttons, check boxes). The Qt host
// draws them with its style; the headless host has no themes, so the classic drawing is used.
#include "platform/ui/canvas.h"
#include "platform/ui/raster_image.h"

enum TThemedElement { teButton, teComboBox, teSpin, teToolBar };

// Parts, by element.
constexpr int BP_PUSHBUTTON = 1;
constexpr int BP_CHECKBOX = 3;
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int SPNP_UP = 1;
constexpr int SPNP_DOWN = 2;
constexpr int TP_BUTTON = 1;

// States: normal, hot, pressed, disabled (1-4) for every part but the check box, which counts
// them three times over: unchecked (1-4), checked (5-8), mixed (9-12).
constexpr int TS_NORMAL = 1;
constexpr int TS_HOT = 2;
constexpr int TS_PRESSED = 3;
constexpr int TS_DISABLED = 4;
constexpr int CBS_UNCHECKEDNORMAL = 1;
constexpr int CBS_CHECKEDNORMAL = 5;
constexpr int CBS_MIXEDNORMAL = 9;

struct TThemedElementDetails {
    TThemedElement Element = teButton;
    int Part = 0;
    int State = TS_NORMAL;
};

namespace platform::ui {

class ThemePainter {
  public:
    virtual ~ThemePainter() = default;
    // The part at width x height, transparent (alpha 0) around it.
    virtual RasterImage Render(const TThemedElementDetails& details, int width, int height) = 0;
};

}  // namespace platform::ui

class TThemeServices {
  public:
    // Whether parts are drawn by the host's theme.
    bool ThemesEnabled() const;
    // Draws the part over rect; nothing without themes.
    void DrawElement(HDC dc, const TThemedElementDetails& details, const TRect& rect) const;
};

// The theme service of the installed host.
const TThemeServices& ThemeServices();
