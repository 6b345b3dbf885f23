#pragma once
// TButton: the push button. A Default button takes Enter anywhere on its form unless another push
// button has the focus (that one takes it); a Cancel button takes Esc. A click hands the button's
// ModalResult to its form, which ends a modal loop when it is not mrNone. Alt with the letter after
// the caption's '&' clicks it.
#include "platform/ui/button_control.h"

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;

class TButton : public TButtonControl {
  public:
    explicit TButton(TComponent* AOwner);
    std::string ClassName() const override { return "TButton"; }
    void Dispatch(TMessage& Message) override;
    void Click() override;

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel = false;
    int ModalResult = mrNone;
    // Enter goes to this button now: it has the focus, or it is the default and no push button has.
    bool TakesEnter() const;

  protected:
    void Paint() override;

  private:
    void DialogKey(TMessage& Message);
    bool default_ = false;
};
