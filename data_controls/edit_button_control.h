#pragma once
// TEditButtonControlEh: the visible button inside an edit control. It knows which part is
// pressed (the whole button, or the upper or lower arrow of an up-down pair), repeats its down
// notice while an up-down arrow is held, and can stay latched down while its drop-down is open.
#include <functional>
#include <memory>

#include "data_controls/edit_button_style.h"
#include "platform/rtl/timer.h"
#include "platform/ui/speed_button.h"

using TButtonDownEventEh =
    std::function<void(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled)>;

class TEditButtonControlEh : public TSpeedButton {
  public:
    explicit TEditButtonControlEh(TComponent* AOwner);
    ~TEditButtonControlEh() override;
    std::string ClassName() const override { return "TEditButtonControlEh"; }

    TEditButtonStyleEh Style() const { return style_; }
    void SetStyle(TEditButtonStyleEh value);
    // The hot, bordered look of a flat button.
    bool Active() const { return active_; }
    void SetActive(bool value);
    // 0 none, 1 the whole button or the upper arrow, 2 the lower arrow.
    int ActiveButtonIndex() const { return activeButtonIndex_; }
    void SetLatchedDown(bool value);
    void FireOnDown(bool topButton, bool& autoRepeat);
    void Click() override;

    TButtonDownEventEh OnDown;

  protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;

  private:
    void PaintGlyphButton();
    void UpdateActiveButtonIndex(int y);
    void StartRepeat(unsigned interval);
    void StopRepeat();
    void RepeatTick();

    TEditButtonStyleEh style_ = ebsDropDownEh;
    bool active_ = false;
    bool latched_ = false;
    bool noClick_ = false;
    int activeButtonIndex_ = 0;
    std::unique_ptr<TTimer> repeatTimer_;
};

// The calculator's keys.
class TSpeedButtonEh : public TEditButtonControlEh {
  public:
    using TEditButtonControlEh::TEditButtonControlEh;
    std::string ClassName() const override { return "TSpeedButtonEh"; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
};
