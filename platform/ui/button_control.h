#pragma once
// TButtonControl: the base of buttons and check boxes. A left press released over the control, the
// space bar or BM_CLICK makes the button's BN_CLICKED notice, which reaches the control as
// CN_COMMAND and fires OnClick unless clicks are disabled (a check box set by a program stays quiet).
// BM_SETCHECK / BM_GETCHECK keep the check state the window shows.
#include "platform/ui/custom_control.h"

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_CLICK = 0x00F5;
constexpr WPARAM BST_UNCHECKED = 0;
constexpr WPARAM BST_CHECKED = 1;
constexpr WPARAM BST_INDETERMINATE = 2;
constexpr LRESULT BST_PUSHED = 0x0004;
constexpr LRESULT BST_FOCUS = 0x0008;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr WORD BN_CLICKED = 0;

class TButtonControl : public TCustomControl {
  public:
    explicit TButtonControl(TComponent* AOwner);
    std::string ClassName() const override { return "TButtonControl"; }
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

  protected:
    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool value) { (void)value; }
    bool ClicksDisabled() const { return clicksDisabled_; }
    void SetClicksDisabled(bool value) { clicksDisabled_ = value; }
    // What BM_SETCHECK last set, as the window shows it.
    WPARAM CheckState() const { return checkState_; }
    bool Pushed() const { return pushed_; }
    LRESULT DialogCode() const override { return DLGC_WANTCHARS; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  private:
    void Notify(WORD code);
    void SetPushed(bool value);
    bool KeyMessage(TMessage& Message);
    WPARAM checkState_ = BST_UNCHECKED;
    bool clicksDisabled_ = false;
    bool pushed_ = false;
    bool tracking_ = false;
};
