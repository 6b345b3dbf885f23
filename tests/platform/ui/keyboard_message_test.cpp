// What the keyboard asks the controls by message: which keys they keep from the form's navigation,
// which window the focus came from or went to, and what was held when the message was made.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/accelerators.h"
#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/shortcuts.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/virtual_keys.h"

namespace {

// Answers the keyboard's questions in its message handlers, as the edit controls do.
class AskedControl : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    void Dispatch(TMessage& m) override {
        switch (m.Msg) {
            case WM_GETDLGCODE:
                m.Result = dialogCode;
                return;
            case CM_WANTSPECIALKEY:
                m.Result = m.WParam == wantedKey ? 1 : 0;
                return;
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
                focusMessages.push_back({m.Msg, static_cast<HWND>(m.WParam)});
                break;
            default:
                break;
        }
        TCustomControl::Dispatch(m);
    }
    LRESULT dialogCode = 0;
    WPARAM wantedKey = 0;
    std::vector<std::pair<UINT, HWND>> focusMessages;
};

class KeysForm : public TForm {
  public:
    explicit KeysForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 300, 200);
        asked = NewComponent<AskedControl>(this);
        asked->SetParent(this);
        asked->SetBounds(10, 10, 100, 21);
        asked->SetTabStop(true);
        edit = NewComponent<TEdit>(this);
        edit->SetParent(this);
        edit->SetBounds(10, 40, 100, 21);
    }
    AskedControl* asked = nullptr;
    TEdit* edit = nullptr;
};

class KeyboardMessageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
        ASSERT_TRUE(form->asked->Focused());
    }
    platform::ui::HeadlessSession ui;
    KeysForm* form = nullptr;
};

TEST_F(KeyboardMessageTest, AControlKeepsTheKeysItClaimsByMessageFromTheFormsNavigation) {
    struct Case {
        const char* what;
        LRESULT dialogCode;
        WPARAM wantedKey;
        WORD key;
        bool kept;
    };
    const std::vector<Case> cases = {
        {"Tab, not claimed", 0, 0, VK_TAB, false},
        {"Tab, WM_GETDLGCODE wants tabs", DLGC_WANTTAB, 0, VK_TAB, true},
        {"Down, WM_GETDLGCODE wants arrows", DLGC_WANTARROWS, 0, VK_DOWN, true},
        {"Tab, WM_GETDLGCODE wants arrows only", DLGC_WANTARROWS, 0, VK_TAB, false},
        {"Tab, CM_WANTSPECIALKEY claims it", 0, VK_TAB, VK_TAB, true},
        {"Tab, CM_WANTSPECIALKEY claims another key", 0, VK_RETURN, VK_TAB, false},
    };
    for (const Case& c : cases) {
        form->asked->SetFocus();
        form->asked->dialogCode = c.dialogCode;
        form->asked->wantedKey = c.wantedKey;
        ui.PressKey(c.key);
        // A key the form takes for navigation moves the focus on to the edit.
        EXPECT_EQ(form->asked->Focused(), c.kept) << c.what;
    }
}

TEST_F(KeyboardMessageTest, FocusMessagesNameTheWindowOnTheOtherSide) {
    form->asked->focusMessages.clear();
    form->edit->SetFocus();
    form->asked->SetFocus();
    using Seen = std::vector<std::pair<UINT, HWND>>;
    EXPECT_EQ(form->asked->focusMessages,
              (Seen{{WM_KILLFOCUS, form->edit->Handle()}, {WM_SETFOCUS, form->edit->Handle()}}));
}

TEST_F(KeyboardMessageTest, GetKeyStateTellsWhatWasHeldWhenTheMessageWasMade) {
    std::vector<std::int16_t> states;
    form->asked->OnKeyDown = [&](TObject*, WORD&, TShiftState) {
        for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LBUTTON}) states.push_back(GetKeyState(vk));
    };
    ui.PressKey('A', {ssShift, ssCtrl});
    ASSERT_EQ(states.size(), 4u);
    EXPECT_LT(states[0], 0);
    EXPECT_LT(states[1], 0);
    EXPECT_EQ(states[2], 0);
    EXPECT_EQ(states[3], 0);

    bool leftHeld = false;
    form->edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        leftHeld = GetKeyState(VK_LBUTTON) < 0;
    };
    ui.Click(form->edit);
    EXPECT_TRUE(leftHeld);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);  // outside any message nothing is held
}

TEST(ShortCutTest, KeyAndModifiersGoIntoOneNumberAndBackWhileMouseButtonsAndWideKeysDoNot) {
    struct Case {
        WORD key;
        TShiftState shift;
        TShortCut expected;
    };
    const std::vector<Case> cases = {
        {VK_DOWN, {ssAlt}, TShortCut(scAlt + VK_DOWN)},
        {'F', {ssCtrl, ssShift}, TShortCut(scCtrl | scShift | 'F')},
        {VK_RETURN, {}, VK_RETURN},
        {0x1FF, {ssCtrl}, scNone},
    };
    for (const Case& c : cases) {
        TShortCut sc = ShortCut(c.key, c.shift);
        EXPECT_EQ(sc, c.expected) << c.key;
        if (sc == scNone)
            continue;
        WORD key = 0;
        TShiftState shift;
        ShortCutToKey(sc, key, shift);
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(shift, c.shift);
    }
    EXPECT_EQ(ShortCut(VK_DOWN, {ssAlt, ssLeft}), TShortCut(scAlt + VK_DOWN));  // buttons are no part of it
}

TEST(AcceleratorTest, TheCharacterAfterASingleAmpersandIsTheAcceleratorInEitherCase) {
    struct Case {
        const char* caption;
        char32_t ch;
        bool accel;
    };
    const std::vector<Case> cases = {
        {"&Save", U's', true}, {"&Save", U'S', true},    {"Save", U's', false},      {"Sa&ve", U'a', false},
        {"R&&D", U'D', false}, {"R&&D &go", U'g', true}, {"Trailing&", U'&', false}, {"&Отмена", U'о', true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsAccel(c.ch, c.caption), c.accel) << c.caption;
}

TEST_F(KeyboardMessageTest, AltLetterClicksTheButtonOwningItAndPlainLettersOnlyWhereNoCharactersAreTyped) {
    auto* button = NewComponent<TSpeedButton>(form);
    button->SetParent(form);
    button->SetCaption("&Go");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };

    ui.PressKey('G', {ssAlt});
    EXPECT_EQ(clicks, 1);
    ui.PressKey('X', {ssAlt});
    EXPECT_EQ(clicks, 1);

    ui.TypeText("g");  // the focused control types no characters
    EXPECT_EQ(clicks, 2);

    form->edit->SetFocus();
    ui.TypeText("g");
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form->edit->Text(), "g");

    button->SetEnabled(false);
    ui.PressKey('G', {ssAlt});
    EXPECT_EQ(clicks, 2);
}

}  // namespace
