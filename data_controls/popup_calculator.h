#pragma once
// TPopupCalculatorEh: the calculator as a drop-down of numeric cells. It floats over the form without
// taking the focus, closes through its owner on Enter when nothing is pending and on Escape, and
// hands its value to the cell editor.
#include "data_controls/calculator.h"
#include "data_controls/popup_value_editor.h"

class TPopupCalculatorEh : public TCalculatorEh, public IPopupValueEditorEh {
  public:
    explicit TPopupCalculatorEh(TComponent* AOwner);
    std::string ClassName() const override { return "TPopupCalculatorEh"; }
    void Dispatch(TMessage& Message) override;
    int GetNonClientHeight() const override;
    void HandleCalcKey(char32_t Key) override;
    int BorderWidth() const { return borderWidth_; }

    bool EnterClosesPopup() const override;
    bool GetFlatKeys() const override { return flatKeys_; }
    Variant FetchPopupValue() const override;
    void SetFlatKeys(bool Value) override;
    void PutPopupValue(const Variant& Value) override;

  protected:
    virtual void DrawBorder();
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    LRESULT DialogCode() const override;

  private:
    void Ctl3DChanged(TMessage& Message);
    void WantSpecialKey(TMessage& Message);
    bool flatKeys_ = true;
    int borderWidth_ = 2;
};
