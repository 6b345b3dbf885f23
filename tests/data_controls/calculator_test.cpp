// The calculator: key sequences, the "=" key's caption, the value handed over, the clipboard, the
// wheel, its layout, and the pop-up closing through the owner that opened it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data_controls/drop_down_owner.h"
#include "data_controls/edit_button_control.h"
#include "data_controls/popup_calculator.h"
#include "data_controls/popup_frame.h"
#include "platform/rtl/float_format.h"
#include "platform/ui/application.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/label.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"

namespace {

// The control that opened the pop-up: remembers each close it was asked for.
class ClosingOwner : public TComponent, public IDropDownOwnerEh {
  public:
    using TComponent::TComponent;
    void CloseDropDown(bool Accept) override { Closes.push_back(Accept); }
    std::vector<bool> Closes;
};

struct Calculator : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    ClosingOwner* owner = nullptr;
    TPopupCalculatorEh* calc = nullptr;

    Calculator() {
        SetNumberFormat({'.', ','});
        Application->CreateForm(&form);
        form->SetBounds(100, 100, 400, 300);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        owner = NewComponent<ClosingOwner>(form);
        calc = NewComponent<TPopupCalculatorEh>(owner);
        calc->SetVisible(false);
        calc->SetParent(form);
        form->Show();
        form->SetActiveControl(edit);
        ui.ProcessMessages();
    }
    ~Calculator() override { ReloadNumberFormat(); }

    void Drop() {
        calc->SetBounds(110, 131, calc->Width(), calc->Height());
        calc->SetVisible(true);
        ShowWindow(calc->Handle(), SW_SHOWNOACTIVATE);
        ui.ProcessMessages();
    }
    // Each character typed; '\r' is Enter, '\b' Backspace, '\x1b' Escape.
    void Type(const std::string& keys) {
        for (char key : keys) calc->Perform(WM_CHAR, static_cast<unsigned char>(key), 0);
    }
    std::string Display() const { return calc->DisplayText(); }
    std::string EqualCaption() const { return calc->EqualButton()->Caption(); }
};

TEST_F(Calculator, KeySequences) {
    struct Case {
        const char* keys;
        const char* display;
        const char* equalCaption;
        std::vector<bool> closes;
    };
    const Case cases[] = {
        {"2+3", "3", "=", {}},
        {"2+3=", "5", "Ok", {}},
        {"2+3\r", "5", "Ok", {}},
        // A pending '+' of 0 changes nothing: Enter closes and hands over what is shown.
        {"0+5", "5", "Ok", {}},
        {"0+5\r", "5", "Ok", {true}},
        // Any other pending operation of 0 must run first.
        {"0-5", "5", "=", {}},
        {"0-5\r", "-5", "Ok", {}},
        {"0-5\r\r", "-5", "Ok", {true}},
        {"0*5=", "0", "Ok", {}},
        {"200+10%", "220", "Ok", {}},
        {"50*10%", "5", "Ok", {}},
        {"2*3*4=", "24", "Ok", {}},
        {"7/2=", "3.5", "Ok", {}},
        {"1.5+1,5=", "3", "Ok", {}},
        {"1..5", "1.5", "Ok", {}},
        {".5", "0.5", "Ok", {}},
        {"1234567890123456", "123456789012345", "Ok", {}},
        {"5I12345678901234567", "-512345678901234", "Ok", {}},
        {"12\b", "1", "Ok", {}},
        {"7I\b", "0", "Ok", {}},
        {"7\b\b", "0", "Ok", {}},
        {"007", "7", "Ok", {}},
        {"9S", "3", "Ok", {}},
        {"4R", "0.25", "Ok", {}},
        {"4I", "-4", "Ok", {}},
        {"12c", "0", "Ok", {}},
        {"12+3\x1b", "0", "Ok", {}},
        {"12+3\x1b"
         "5+1=",
         "6",
         "Ok",
         {}},
        {"12x", "12", "Ok", {}},
        // Errors, and only 'C' leaves them.
        {"1/0=", "Error", "Ok", {}},
        {"0R", "Error", "Ok", {}},
        {"4IS", "Error", "Ok", {}},
        {"1/0=5+2\x1b", "Error", "Ok", {}},
        {"1/0=C", "0", "Ok", {}},
        {"1/0=c3+4=", "7", "Ok", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        calc->HandleCalcKey('C');
        owner->Closes.clear();
        Type(c.keys);
        EXPECT_EQ(Display(), c.display);
        EXPECT_EQ(EqualCaption(), c.equalCaption);
        EXPECT_EQ(calc->EnterClosesPopup(), std::string(c.equalCaption) == "Ok");
        EXPECT_EQ(owner->Closes, c.closes);
        Variant value = calc->FetchPopupValue();
        if (std::string(c.display) == "Error")
            EXPECT_TRUE(value.IsError());
        else
            EXPECT_DOUBLE_EQ(value.AsDouble(), StrToFloat(c.display));
    }
}

TEST_F(Calculator, CommaSeparatorTakesEveryDecimalPointKey) {
    SetNumberFormat({',', ' '});
    Type("1.5");
    EXPECT_EQ(Display(), "1,5");
    Type(",2*2=");
    EXPECT_EQ(Display(), "3,04");
    EXPECT_DOUBLE_EQ(calc->FetchPopupValue().AsDouble(), 3.04);
    calc->PutPopupValue(Variant(0.25));
    EXPECT_EQ(Display(), "0,25");
}

TEST_F(Calculator, CopyAndPasteThroughTheClipboard) {
    Type("12.5");
    calc->HandleCalcKey(3);  // Ctrl+C
    EXPECT_EQ(Clipboard()->AsText(), "12.5");
    Clipboard()->SetAsText("  42.25\n");
    calc->HandleCalcKey(22);  // Ctrl+V
    EXPECT_EQ(Display(), "42.25");
    Type("+1=");
    EXPECT_EQ(Display(), "43.25");

    Clipboard()->SetAsText("abc");
    EXPECT_THROW(calc->HandleCalcKey(22), EConvertError);
    EXPECT_EQ(Display(), "43.25");
    Clipboard()->Clear();
    calc->HandleCalcKey(22);
    EXPECT_EQ(Display(), "43.25");
}

TEST_F(Calculator, DisplayAlwaysReadsAsANumberOrAnError) {
    // An overflow is an error, not "INF" that no later key could read.
    Clipboard()->SetAsText("1E300");
    Type("1\x16*1\x16=");
    EXPECT_EQ(Display(), "Error");
    EXPECT_TRUE(calc->FetchPopupValue().IsError());
    Type("C");
    // Backspace through a pasted exponent.
    Clipboard()->SetAsText("-1E-5");
    Type("1\x16\b");
    EXPECT_EQ(Display(), "0");
    Type("1.5\b");
    EXPECT_EQ(Display(), "1.");
    Type("+1=");
    EXPECT_EQ(Display(), "2");
}

TEST_F(Calculator, PutValueClearsAndWheelSteps) {
    Type("2+");
    calc->PutPopupValue(Variant(7.5));
    EXPECT_EQ(Display(), "7.5");
    EXPECT_EQ(calc->Operator(), U'=');
    EXPECT_EQ(EqualCaption(), "Ok");
    calc->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint32_t>(-WHEEL_DELTA) << 16), 0);
    EXPECT_EQ(Display(), "6.5");
    calc->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(WHEEL_DELTA) << 16, 0);
    calc->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(WHEEL_DELTA) << 16, 0);
    EXPECT_EQ(Display(), "8.5");
    calc->PutPopupValue(Variant::Null());
    EXPECT_EQ(Display(), "0");
    Type("1/0=");
    calc->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(WHEEL_DELTA) << 16, 0);
    EXPECT_EQ(Display(), "Error");
}

TEST_F(Calculator, DeleteKeyClears) {
    Type("12+3");
    WORD key = VK_DELETE;
    calc->Perform(WM_KEYDOWN, key, 0);
    EXPECT_EQ(Display(), "0");
    EXPECT_EQ(calc->Operand(), 0);
}

TEST_F(Calculator, LayoutKeysAndFlatness) {
    Drop();
    EXPECT_EQ(calc->Keys().size(), 23u);
    // Headless, the layout's font has the height it was laid out for: no scaling.
    EXPECT_EQ(calc->LayoutClientWidth(), 184);
    EXPECT_EQ(calc->LayoutClientHeight(), 127);
    EXPECT_EQ(calc->Width(), 184 + 4);
    EXPECT_EQ(calc->Height(), 127 + 4);
    EXPECT_EQ(calc->ClientWidth(), 184);
    const TSpeedButtonEh* clear = calc->KeyOf('C');
    ASSERT_NE(clear, nullptr);
    EXPECT_EQ(clear->Caption(), "C");
    EXPECT_EQ(clear->BoundsRect(), Bounds(151, 29, 27, 46));
    EXPECT_EQ(calc->EqualButton()->BoundsRect(), Bounds(122, 101, 56, 22));
    // The "Cancel" key lies under the tall "C" key, which takes the clicks there.
    Type("12");
    ui.ClickAt(calc, {160, 60});
    EXPECT_EQ(Display(), "0");
    EXPECT_EQ(calc->Keys()[11]->Caption(), "Cancel");
    EXPECT_EQ(calc->Keys()[11]->BoundsRect(), Bounds(151, 52, 27, 23));
    EXPECT_EQ(calc->KeyOf('7')->Font()->Color(), clBlue);
    EXPECT_EQ(calc->KeyOf('/')->Font()->Color(), clRed);
    EXPECT_EQ(calc->TextBox()->Caption(), "0");
    EXPECT_EQ(CalculatorKeyOfTag(0), 0u);
    EXPECT_EQ(CalculatorKeyOfTag(12), U'A');
    EXPECT_EQ(CalculatorKeyOfTag(18), 8u);

    EXPECT_TRUE(calc->GetFlatKeys());
    calc->SetFlatKeys(false);
    for (TSpeedButtonEh* key : calc->Keys()) EXPECT_FALSE(key->Flat());

    calc->SetCtl3D(false);
    EXPECT_EQ(calc->BorderWidth(), 0);
    EXPECT_EQ(calc->Width(), 184 + 2);  // WS_BORDER
}

TEST_F(Calculator, ClickedKeysCalculateAndOkClosesWithoutTakingTheFocus) {
    Drop();
    const int activations = ui.System().Activations();
    for (char32_t key : {U'2', U'+', U'3'}) ui.Click(calc->KeyOf(key));
    EXPECT_EQ(Display(), "3");
    ui.Click(calc->EqualButton());
    EXPECT_EQ(Display(), "5");
    EXPECT_TRUE(owner->Closes.empty());
    ui.Click(calc->EqualButton());
    EXPECT_EQ(owner->Closes, std::vector<bool>{true});
    EXPECT_EQ(calc->FetchPopupValue().AsDouble(), 5);
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_EQ(ui.System().Activations(), activations);
    EXPECT_EQ(calc->Perform(WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
}

TEST_F(Calculator, EscapeAndTheCloseUpRequestCloseWithoutAccepting) {
    Drop();
    Type("12+");
    WORD escape = VK_ESCAPE;
    EXPECT_EQ(calc->Perform(WM_KEYDOWN, escape, 0), 1);
    EXPECT_EQ(calc->Perform(CM_WANTSPECIALKEY, escape, 0), 1);
    PostMessage(calc->Handle(), WM_CLOSEUP_REQUEST_EH, 0, 0);
    ui.ProcessMessages();
    EXPECT_EQ(owner->Closes, (std::vector<bool>{false, false, false}));
    // Enter is wanted and left to the typed character that follows.
    EXPECT_EQ(calc->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 1);
    EXPECT_EQ(owner->Closes.size(), 3u);
}

TEST_F(Calculator, OwnerThatOpensNoDropDownsIsNeverAskedToClose) {
    auto* orphan = NewComponent<TPopupCalculatorEh>(form);
    orphan->SetParent(form);
    orphan->HandleCalcKey('5');
    orphan->HandleCalcKey('\r');
    WORD escape = VK_ESCAPE;
    orphan->Perform(WM_KEYDOWN, escape, 0);
    orphan->Perform(WM_CLOSEUP_REQUEST_EH, 0, 0);
    orphan->HandleCalcKey('=');
    EXPECT_EQ(orphan->DisplayText(), "5");
    EXPECT_TRUE(owner->Closes.empty());
}

TEST(CalculatorEh, RefusesTinyPixelsPerInch) {
    platform::ui::HeadlessSession ui;
    auto calc = std::make_unique<TCalculatorEh>(nullptr);
    EXPECT_EQ(calc->PixelsPerInch(), 96);
    EXPECT_THROW(calc->SetPixelsPerInch(35), EInvalidOperation);
    EXPECT_THROW(calc->SetPixelsPerInch(1), EInvalidOperation);
    calc->SetPixelsPerInch(120);
    EXPECT_EQ(calc->PixelsPerInch(), 120);
    calc->SetBorderStyle(bsSingle);
    EXPECT_EQ(calc->Width(), 184 + 4);  // the client edge of the 3-D look
}

}  // namespace
