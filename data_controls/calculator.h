#pragma once
// TCalculatorEh: a four-function calculator: a display and 23 keys laid out in code and scaled to its
// font, driven by typed keys and key clicks through HandleCalcKey.
#include <string>
#include <vector>

#include "platform/ui/custom_control.h"

class TLabel;
class TPanel;
class TSpeedButtonEh;

class TCalculatorEh : public TCustomControl {
  public:
    // The layout's stored screen resolution and text height of "0".
    static constexpr int kLayoutPixelsPerInch = 96;
    static constexpr int kLayoutTextHeight = 13;
    static constexpr const char* kErrorText = "Error";

    explicit TCalculatorEh(TComponent* AOwner);
    std::string ClassName() const override { return "TCalculatorEh"; }

    // What the window's styles add to each direction of the client size.
    virtual int GetNonClientHeight() const;
    virtual void HandleCalcKey(char32_t Key);
    void SpeedButtonClick(TObject* Sender);

    // 0: the next digit starts a number; 1: a number is being typed; 2: error.
    int Status() const { return status_; }
    char32_t Operator() const { return operator_; }
    double Operand() const { return operand_; }
    std::string DisplayText() const;
    // 0 in the error state.
    double DisplayValue() const;
    TLabel* TextBox() const { return textBox_; }
    TSpeedButtonEh* EqualButton() const { return equalButton_; }
    const std::vector<TSpeedButtonEh*>& Keys() const { return keys_; }
    TSpeedButtonEh* KeyOf(char32_t key) const;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    int PixelsPerInch() const { return pixelsPerInch_; }
    // Refuses 1 to 35.
    void SetPixelsPerInch(int value);
    // The layout's client size scaled to the font; automatic sizing adds the frame to it.
    int LayoutClientWidth() const { return clientWidth_; }
    int LayoutClientHeight() const { return clientHeight_; }

  protected:
    void CreateParams(TCreateParams& Params) override;
    void AdjustSize() override;
    void KeyPress(char32_t& Key) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    // Status 0, display 0, Operator '=', Operand 0.
    void Clear();
    void ShowValue(double value);
    void ShowError();
    // "=" while an operation waits for its second number, "Ok" otherwise.
    void UpdateEqualCaption();

  private:
    void BuildLayout();
    void AddKey(const struct CalculatorKeyLayout& layout);
    void ScaleToFont();
    void StartNumber();
    void AppendDecimalSeparator();
    void AppendDigit(char32_t digit);
    void Backspace();
    void ApplyOperator(char32_t key);
    void Paste();
    void Reciprocal();
    void SquareRoot();
    bool WheelStep(double delta);

    TPanel* panel_ = nullptr;
    TLabel* textBox_ = nullptr;
    TSpeedButtonEh* equalButton_ = nullptr;
    std::vector<TSpeedButtonEh*> keys_;
    int status_ = 0;
    char32_t operator_ = '=';
    double operand_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    int pixelsPerInch_ = 96;
    int layoutClientWidth_ = 184;
    int layoutClientHeight_ = 127;
    // The layout's size scaled to the font.
    int clientWidth_ = 184;
    int clientHeight_ = 127;
};

// The key a calculator button's Tag stands for (0: none).
char32_t CalculatorKeyOfTag(int tag);
