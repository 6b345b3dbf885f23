#pragma once
// TPopupMonthCalendarEh: the month calendar as a drop-down. It floats over the form sized to one
// month and its frame, and tells its owner to close it on Enter, Escape, a click on a day, a press
// outside it or the focus going elsewhere; it never writes the date anywhere itself.
#include "platform/ui/month_calendar.h"

class TPopupMonthCalendarEh : public TMonthCalendar {
  public:
    explicit TPopupMonthCalendarEh(TComponent* AOwner);
    std::string ClassName() const override { return "TPopupMonthCalendarEh"; }
    void Dispatch(TMessage& Message) override;
    int BorderWidth() const { return borderWidth_; }

  protected:
    virtual void DrawBorder();
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void AdjustSize() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    LRESULT DialogCode() const override;

  private:
    // The frame's share of the width and height.
    int FrameSize() const;
    void SizeToMonth();
    void Ctl3DChanged(TMessage& Message);
    void WantSpecialKey(TMessage& Message);
    void KillFocus(TMessage& Message);
    // A day (of this month or a neighbouring one) or the today link that may be chosen.
    bool ChoosesDate(UINT hit, const SYSTEMTIME& day) const;
    int borderWidth_ = 2;
    bool pressChoseDate_ = false;
};
