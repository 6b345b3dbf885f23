#pragma once
// What the application does about hints: the pointer resting on a control whose ShowHint is on shows
// the hint after the hint pause (on the program's clock); the control is asked first (CM_HINTSHOWPAUSE,
// CM_HINTSHOW) and may give a text of its own; an empty text shows nothing. The hint goes when the pointer
// leaves the control's cursor rectangle, when a button is pressed, or after the hide pause.
#include "platform/rtl/component.h"
#include "platform/ui/hint_window.h"

class TTimer;

class THintController : public TComponent {
  public:
    explicit THintController(TComponent* AOwner);
    std::string ClassName() const override { return "THintController"; }

    // A mouse message taken from the queue for window wnd (pos: its client coordinates).
    void MouseMessage(UINT msg, HWND wnd, TPoint pos);
    void CancelHint();
    // Shows the hint of the control under the pointer now (screen point).
    void ActivateHint(TPoint cursorPos);
    // The window showing the hint; nullptr when none shows.
    THintWindow* ShownHintWindow() const;
    TControl* HintControl() const { return hintControl_; }
    void Notification(TComponent* AComponent, TOperation Operation) override;

  private:
    enum class Waiting { None, Show, Hide };
    void PointerOn(TControl* control, TPoint screenPos);
    void StartTimer(Waiting what, int ms);
    void TimerTick();
    void HideWindow();
    void Watch(TControl*& field, TControl* value);
    TTimer* timer_ = nullptr;
    THintWindow* window_ = nullptr;
    TControl* hintControl_ = nullptr;
    TPoint cursor_;
    TRect cursorRect_;  // screen coordinates
    Waiting waiting_ = Waiting::None;
};
