// The calculator's display and keys at the positions of a 96-dpi layout whose "0" is 13 pixels high,
// then scaled to the calculator's own font.
#include "data_controls/calculator.h"
#include "data_controls/edit_button_control.h"
#include "platform/rtl/strings.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_canvas.h"

struct CalculatorKeyLayout {
    const char* Name;
    const char* Caption;
    int Tag;
    int Left, Top, Width, Height;
    TColor FontColor;
};

namespace {

constexpr const char* kLayoutFont = "MS Sans Serif";
constexpr int kLayoutFontHeight = -11;
constexpr int kKeyW = 27;
constexpr int kKeyH = 22;

constexpr CalculatorKeyLayout kKeys[] = {
    {"SpeedButton1", "7", 1, 6, 29, kKeyW, kKeyH, clBlue},
    {"SpeedButton12", "8", 2, 35, 29, kKeyW, kKeyH, clBlue},
    {"SpeedButton11", "9", 3, 64, 29, kKeyW, kKeyH, clBlue},
    {"SpeedButton16", "/", 4, 93, 29, kKeyW, kKeyH, clRed},
    {"SpeedButton20", "sqrt", 5, 122, 29, kKeyW, kKeyH, clBlue},
    {"SpeedButton23", "C", 6, 151, 29, kKeyW, 46, clRed},
    {"SpeedButton10", "4", 7, 6, 53, kKeyW, kKeyH, clBlue},
    {"SpeedButton9", "5", 8, 35, 53, kKeyW, kKeyH, clBlue},
    {"SpeedButton8", "6", 9, 64, 53, kKeyW, kKeyH, clBlue},
    {"SpeedButton15", "*", 10, 93, 53, kKeyW, kKeyH, clRed},
    {"SpeedButton19", "%", 11, 122, 53, kKeyW, kKeyH, clBlue},
    {"SpeedButton24", "Cancel", 12, 151, 52, kKeyW, 23, clRed},
    {"SpeedButton7", "1", 13, 6, 77, kKeyW, kKeyH, clBlue},
    {"SpeedButton6", "2", 14, 35, 77, kKeyW, kKeyH, clBlue},
    {"SpeedButton5", "3", 15, 64, 77, kKeyW, kKeyH, clBlue},
    {"SpeedButton14", "-", 16, 93, 77, kKeyW, kKeyH, clRed},
    {"SpeedButton18", "1/x", 17, 122, 77, kKeyW, kKeyH, clBlue},
    {"SpeedButton22", "<-", 18, 151, 77, kKeyW, kKeyH, clRed},
    {"SpeedButton4", "0", 19, 6, 101, kKeyW, kKeyH, clBlue},
    {"SpeedButton3", "+/-", 20, 35, 101, kKeyW, kKeyH, clBlue},
    {"SpeedButton2", ".", 21, 64, 101, kKeyW, kKeyH, clBlue},
    {"SpeedButton13", "+", 22, 93, 101, kKeyW, kKeyH, clRed},
    {"spEqual", "Ok", 23, 122, 101, 56, kKeyH, clRed},
};

// Tag - 1 indexes this; the "Cancel" key (tag 12) does nothing.
constexpr char32_t kTagKeys[] = {'7', '8', '9', '/', 'S', 'C', '4', '5', '6', '*', '%', 'A',
                                 '1', '2', '3', '-', 'R', 8,   '0', 'I', '.', '+', '='};

void SetLayoutFont(TControl* control) {
    control->Font()->SetName(kLayoutFont);
    control->Font()->SetHeight(kLayoutFontHeight);
}

int TextHeightOfZero(const TFont& font) {
    TScreenCanvas canvas;
    canvas.Font()->Assign(font);
    return canvas.TextHeight("0");
}

}  // namespace

char32_t CalculatorKeyOfTag(int tag) {
    if (tag < 1 || tag > static_cast<int>(std::size(kTagKeys)))
        return 0;
    return kTagKeys[tag - 1];
}

void TCalculatorEh::BuildLayout() {
    SetColor(clBtnFace);
    SetLayoutFont(this);
    panel_ = NewComponent<TPanel>(this);
    panel_->SetName("Panel1");
    panel_->SetParent(this);
    panel_->SetBounds(6, 4, 171, 19);
    panel_->SetBevelOuter(bvNone);
    panel_->SetBorderWidth(2);
    panel_->SetColor(clWindow);
    panel_->SetCaption("");
    textBox_ = NewComponent<TLabel>(this);
    textBox_->SetName("TextBox");
    textBox_->SetAutoSize(false);
    textBox_->SetParent(panel_);
    textBox_->SetBounds(2, 1, 166, 17);
    textBox_->SetAlignment(taRightJustify);
    textBox_->SetLayout(tlCenter);
    textBox_->SetColor(clWindow);
    textBox_->SetCaption("0");
    for (const CalculatorKeyLayout& key : kKeys) AddKey(key);
    // The "Cancel" key lies hidden under the tall "C" key.
    KeyOf('A')->SendToBack();
}

void TCalculatorEh::AddKey(const CalculatorKeyLayout& layout) {
    auto* key = NewComponent<TSpeedButtonEh>(this);
    key->SetName(layout.Name);
    key->SetParent(this);
    key->SetBounds(layout.Left, layout.Top, layout.Width, layout.Height);
    key->SetCaption(layout.Caption);
    key->Tag = layout.Tag;
    key->SetFlat(true);
    key->SetParentFont(false);
    SetLayoutFont(key);
    key->Font()->SetColor(layout.FontColor);
    key->SetStyle(ebsGlyphEh);
    key->SetActive(true);
    key->OnClick = [this](TObject* sender) { SpeedButtonClick(sender); };
    keys_.push_back(key);
    if (layout.Tag == 23)
        equalButton_ = key;
}

void TCalculatorEh::ScaleToFont() {
    // The layout was made for 96 dpi; the font keeps its pixel height at any other resolution.
    if (pixelsPerInch_ != kLayoutPixelsPerInch)
        Font()->SetHeight(MulDiv(Font()->Height(), pixelsPerInch_, kLayoutPixelsPerInch));
    const int textHeight = TextHeightOfZero(*Font());
    if (textHeight != kLayoutTextHeight) {
        panel_->ScaleBy(textHeight, kLayoutTextHeight);
        for (TSpeedButtonEh* key : keys_) key->ScaleBy(textHeight, kLayoutTextHeight);
    }
    clientWidth_ = MulDiv(layoutClientWidth_, textHeight, kLayoutTextHeight);
    clientHeight_ = MulDiv(layoutClientHeight_, textHeight, kLayoutTextHeight);
}
