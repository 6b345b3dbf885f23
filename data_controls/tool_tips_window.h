#pragma once
// TToolTipsWindow: the hint window an edit control uses to show a text that does not fit; it shows
// the text in the font passed as the hint data (the edit's own), not the hint font.
#include "platform/ui/hint_window.h"

class TToolTipsWindow : public THintWindow {
  public:
    explicit TToolTipsWindow(TComponent* AOwner) : THintWindow(AOwner) {}
    std::string ClassName() const override { return "TToolTipsWindow"; }

    // AData: the TFont to show the text in, or nullptr for the window's own.
    TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override;
};
