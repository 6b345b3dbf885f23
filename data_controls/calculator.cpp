#include "data_controls/calculator.h"

#include <cmath>

#include "data_controls/edit_button_control.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/strings.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/label.h"
#include "platform/ui/screen.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"

namespace {

constexpr char32_t kCtrlC = 3;
constexpr char32_t kBackspace = 8;
constexpr char32_t kEnter = 13;
constexpr char32_t kCtrlV = 22;
constexpr char32_t kEscape = 27;
constexpr std::size_t kMaxDigits = 15;

bool IsArithmetic(char32_t op) {
    return op == '*' || op == '+' || op == '-' || op == '/';
}

bool IsDecimalPoint(char32_t key) {
    return key == static_cast<unsigned char>(NumberFormat().DecimalSeparator) || key == ',' || key == '.';
}

// The display's text as a number; "5." while the fraction is being typed reads as 5.
bool ReadDisplay(std::string_view text, double& value) {
    std::string trimmed = Trim(text);
    if (!trimmed.empty() && trimmed.back() == NumberFormat().DecimalSeparator)
        trimmed.pop_back();
    return TryStrToFloat(trimmed, value, NumberFormat());
}

char32_t UpperCase(char32_t key) {
    return key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key;
}

}  // namespace

TCalculatorEh::TCalculatorEh(TComponent* AOwner) : TCustomControl(AOwner) {
    pixelsPerInch_ = Screen->PixelsPerInch();
    BuildLayout();
    ScaleToFont();
    AdjustSize();
}

void TCalculatorEh::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    AddBorderStyle(Params, borderStyle_);
}

int TCalculatorEh::GetNonClientHeight() const {
    TCreateParams params;
    AddBorderStyle(params, borderStyle_);
    TRect rect{0, 0, 0, 0};
    AdjustWindowRectEx(rect, params.Style, false, params.ExStyle);
    return rect.Height();
}

void TCalculatorEh::AdjustSize() {
    const int frame = GetNonClientHeight();
    SetBounds(Left(), Top(), clientWidth_ + frame, clientHeight_ + frame);
}

void TCalculatorEh::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    if (HandleAllocated())
        RecreateWnd();
    AdjustSize();
}

void TCalculatorEh::SetPixelsPerInch(int value) {
    if (value >= 1 && value <= 35)
        throw EInvalidOperation("Invalid PixelsPerInch value");
    pixelsPerInch_ = value;
}

std::string TCalculatorEh::DisplayText() const {
    return textBox_->Caption();
}

double TCalculatorEh::DisplayValue() const {
    if (status_ == 2)
        return 0;
    double value = 0;
    if (!ReadDisplay(DisplayText(), value))
        return StrToFloat(Trim(DisplayText()));  // raises the conversion error
    return value;
}

void TCalculatorEh::ShowValue(double value) {
    // An overflow shows as an error: "INF" would not read back as a number.
    if (!std::isfinite(value))
        ShowError();
    else
        textBox_->SetCaption(FloatToStr(value, NumberFormat()));
}

void TCalculatorEh::ShowError() {
    status_ = 2;
    textBox_->SetCaption(kErrorText);
}

void TCalculatorEh::Clear() {
    status_ = 0;
    ShowValue(0);
    operator_ = '=';
    operand_ = 0;
}

TSpeedButtonEh* TCalculatorEh::KeyOf(char32_t key) const {
    for (TSpeedButtonEh* button : keys_)
        if (CalculatorKeyOfTag(button->Tag) == key)
            return button;
    return nullptr;
}

void TCalculatorEh::SpeedButtonClick(TObject* Sender) {
    if (auto* component = dynamic_cast<TComponent*>(Sender))
        HandleCalcKey(CalculatorKeyOfTag(component->Tag));
}

void TCalculatorEh::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key != 0)
        HandleCalcKey(Key);
}

void TCalculatorEh::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_DELETE)
        HandleCalcKey('C');
}

void TCalculatorEh::HandleCalcKey(char32_t Key) {
    Key = UpperCase(Key);
    // Only clearing leaves the error state.
    if (status_ == 2 && Key != 'C')
        Key = 0;
    if (IsDecimalPoint(Key)) {
        AppendDecimalSeparator();
        return;
    }
    switch (Key) {
        case kCtrlC:
            Clipboard()->SetAsText(DisplayText());
            break;
        case kBackspace:
            Backspace();
            break;
        case kEnter:
        case '%':
        case '*':
        case '+':
        case '-':
        case '/':
        case '=':
            ApplyOperator(Key);
            break;
        case kCtrlV:
            Paste();
            break;
        case kEscape:
        case 'C':
            Clear();
            break;
        case 'I':
            ShowValue(-DisplayValue());
            break;
        case 'R':
            Reciprocal();
            break;
        case 'S':
            SquareRoot();
            break;
        default:
            if (Key >= '0' && Key <= '9')
                AppendDigit(Key);
    }
    UpdateEqualCaption();
}

void TCalculatorEh::StartNumber() {
    if (status_ != 0)
        return;
    status_ = 1;
    textBox_->SetCaption("0");
}

void TCalculatorEh::AppendDecimalSeparator() {
    StartNumber();
    const char separator = NumberFormat().DecimalSeparator;
    const std::string text = DisplayText();
    if (text.find(separator) == std::string::npos)
        textBox_->SetCaption(text + separator);
}

void TCalculatorEh::AppendDigit(char32_t digit) {
    StartNumber();
    std::string text = DisplayText();
    if (text == "0")
        text.clear();
    const bool negative = text.find('-') != std::string::npos;
    if (text.find('E') == std::string::npos && text.size() < kMaxDigits + (negative ? 1 : 0))
        text += static_cast<char>(digit);
    textBox_->SetCaption(text);
}

void TCalculatorEh::Backspace() {
    StartNumber();
    const std::string text = DisplayText();
    const std::string shorter = text.substr(0, text.size() - 1);
    // What would stop reading as a number ("1E" of a pasted "1E5") becomes 0 too.
    double ignored = 0;
    if (text.size() == 1 || (text.size() == 2 && text[0] == '-') || !ReadDisplay(shorter, ignored))
        textBox_->SetCaption("0");
    else
        textBox_->SetCaption(shorter);
}

void TCalculatorEh::ApplyOperator(char32_t key) {
    if (status_ == 1) {
        status_ = 0;
        double r = DisplayValue();
        if (key == '%') {
            if (operator_ == '*' || operator_ == '/')
                r = r / 100;
            else if (operator_ == '+' || operator_ == '-')
                r = operand_ * r / 100;
        }
        switch (operator_) {
            case '*':
                ShowValue(operand_ * r);
                break;
            case '+':
                ShowValue(operand_ + r);
                break;
            case '-':
                ShowValue(operand_ - r);
                break;
            case '/':
                if (r != 0)
                    ShowValue(operand_ / r);
                else
                    ShowError();
                break;
            default:
                break;
        }
    }
    operator_ = key;
    operand_ = DisplayValue();
}

void TCalculatorEh::Paste() {
    if (!Clipboard()->HasText())
        return;
    ShowValue(StrToFloat(Trim(Clipboard()->AsText())));
}

void TCalculatorEh::Reciprocal() {
    if (status_ > 1)
        return;
    status_ = 0;
    const double value = DisplayValue();
    if (value == 0)
        ShowError();
    else
        ShowValue(1 / value);
}

void TCalculatorEh::SquareRoot() {
    if (status_ > 1)
        return;
    status_ = 0;
    const double value = DisplayValue();
    if (value < 0)
        ShowError();
    else
        ShowValue(std::sqrt(value));
}

void TCalculatorEh::UpdateEqualCaption() {
    // A pending '+' of 0 changes nothing, so Enter may close; any other pending operation must run.
    const bool pending = status_ == 1 && IsArithmetic(operator_) && (operator_ != '+' || operand_ != 0);
    equalButton_->SetCaption(pending ? "=" : "Ok");
}

bool TCalculatorEh::WheelStep(double delta) {
    if (status_ != 2)
        ShowValue(DisplayValue() + delta);
    return true;
}

bool TCalculatorEh::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    return TCustomControl::DoMouseWheelDown(Shift, MousePos) || WheelStep(-1);
}

bool TCalculatorEh::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    return TCustomControl::DoMouseWheelUp(Shift, MousePos) || WheelStep(1);
}
