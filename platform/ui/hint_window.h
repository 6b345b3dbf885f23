#pragma once
// THintWindow: the small pop-up that shows a control's hint, sized to its text; and THintInfo, what a
// control is asked (CM_HINTSHOW, LParam = THintInfo*) before its hint shows: it may change the text,
// place, width, colour, data and window class, or answer nonzero to show none.
#include <functional>
#include <string>

#include "platform/ui/custom_control.h"
#include "platform/ui/messages.h"

class THintWindow;

// Asked before the hint pause starts: WParam nonzero when a hint already shows, LParam = int* the
// pause in milliseconds, which the control may change.
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 74;

// Makes a hint window owned by the given component.
using THintWindowClass = std::function<THintWindow*(TComponent* Owner)>;

struct THintInfo {
    TControl* HintControl = nullptr;
    THintWindowClass HintWindowClass;
    TPoint HintPos;  // screen point of the window's top-left corner
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;  // HintControl's client coordinates: leaving it hides the hint
    TPoint CursorPos;  // HintControl's client coordinates
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    std::string HintStr;
    void* HintData = nullptr;
};

class THintWindow : public TCustomControl {
  public:
    explicit THintWindow(TComponent* AOwner);
    std::string ClassName() const override { return "THintWindow"; }

    // The window's size for the text, wrapped at MaxWidth: at (0, 0).
    virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
    // Shows the text at Rect (screen coordinates).
    virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
    virtual void ActivateHintData(const TRect& Rect, const std::string& AHint, void* AData);
    void ReleaseHandle();

  protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};

// The part of a hint before a '|' (the rest is the long hint).
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
