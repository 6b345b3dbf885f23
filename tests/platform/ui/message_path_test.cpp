// Keystrokes and clicks travel from the host through the queue and the message chain into the
// controls' events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/virtual_keys.h"

namespace {

struct KeyUpSeen {
    WORD key;
    TShiftState shift;
};

class ScanForm : public TForm {
  public:
    explicit ScanForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 400, 300);
        edit = NewComponent<TEdit>(this);
        edit->SetParent(this);
        edit->SetBounds(4, 0, 0, 21);  // zero width: hidden from sight, still typed into
        edit->OnChange = [this](TObject*) { changes.push_back(edit->Text()); };
        edit->OnKeyUp = [this](TObject*, WORD& key, TShiftState shift) {
            keyUps.push_back({key, shift});
            if (swallowAltKeys && shift == TShiftState{ssAlt})
                key = 0;
        };
        button = NewComponent<TSpeedButton>(this);
        button->SetParent(this);
        button->SetBounds(100, 100, 41, 38);
        button->SetFlat(true);
        button->OnClick = [this](TObject* sender) { clicks.push_back(sender); };
    }
    TEdit* edit = nullptr;
    TSpeedButton* button = nullptr;
    std::vector<std::string> changes;
    std::vector<KeyUpSeen> keyUps;
    std::vector<TObject*> clicks;
    bool swallowAltKeys = false;
};

class MessagePathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
    }
    platform::ui::HeadlessSession ui;
    ScanForm* form = nullptr;
};

TEST_F(MessagePathTest, TypedCharactersReachTheFocusedZeroWidthEditAndFireOnChangeEach) {
    ASSERT_TRUE(form->edit->Focused());
    ui.TypeText("12a");
    EXPECT_EQ(form->edit->Text(), "12a");
    EXPECT_EQ(form->changes, (std::vector<std::string>{"1", "12", "12a"}));
    ASSERT_EQ(form->keyUps.size(), 3u);
    EXPECT_EQ(form->keyUps[0].key, '1');
    EXPECT_EQ(form->keyUps[2].key, 'A');
    EXPECT_TRUE(form->keyUps[2].shift.Empty());
}

TEST_F(MessagePathTest, KeyUpCarriesTheHeldModifiersAsASet) {
    struct Case {
        TShiftState shift;
        bool exactlyAlt;
    };
    for (Case c : {Case{{ssAlt}, true}, Case{{ssAlt, ssCtrl}, false}, Case{{ssCtrl}, false},
                   Case{{ssAlt, ssShift}, false}, Case{{}, false}}) {
        form->keyUps.clear();
        ui.PressKey('1', c.shift);
        ASSERT_EQ(form->keyUps.size(), 1u);
        EXPECT_EQ(form->keyUps[0].key, '1');
        EXPECT_EQ(form->keyUps[0].shift == TShiftState{ssAlt}, c.exactlyAlt);
        EXPECT_EQ(form->keyUps[0].shift, c.shift);
    }
}

TEST_F(MessagePathTest, AltDigitTypesNothingAndEnterKeyCodeIs13) {
    ui.PressKey('1', {ssAlt});
    ui.PressKey(VK_RETURN, {ssAlt});
    EXPECT_EQ(form->edit->Text(), "");
    ASSERT_EQ(form->keyUps.size(), 2u);
    EXPECT_EQ(form->keyUps[1].key, 13);
}

TEST_F(MessagePathTest, KeyDownSetToZeroKeepsTheCharacterOut) {
    form->edit->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
        if (key == '7')
            key = 0;
    };
    ui.TypeText("171");
    EXPECT_EQ(form->edit->Text(), "11");
}

TEST_F(MessagePathTest, KeyPressCanReplaceTheCharacterAndBackspaceDeletes) {
    form->edit->OnKeyPress = [](TObject*, char32_t& ch) {
        if (ch == U'x')
            ch = U'Ж';
    };
    ui.TypeText("ax");
    EXPECT_EQ(form->edit->Text(), "aЖ");
    ui.PressKey(VK_BACK);
    EXPECT_EQ(form->edit->Text(), "a");
}

TEST_F(MessagePathTest, KeysQueuedBeforeProcessingArriveInOrder) {
    ui.KeyDown('4', {}, "4");
    ui.KeyUp('4');
    ui.KeyDown('2', {}, "2");
    ui.KeyUp('2');
    EXPECT_EQ(form->edit->Text(), "");
    ui.ProcessMessages();
    EXPECT_EQ(form->edit->Text(), "42");
}

TEST_F(MessagePathTest, QueuedKeysAreSeenByPeekMessageAsTheFocusedControls) {
    ui.KeyDown('4', {}, "4");
    TMsg msg;
    ASSERT_TRUE(PeekMessage(msg, form->edit->Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, form->edit->Handle());
    EXPECT_EQ(msg.wParam, WPARAM{'4'});
    EXPECT_FALSE(PeekMessage(msg, form->Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessage(msg, form->edit->Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    ui.ProcessMessages();
    EXPECT_EQ(form->edit->Text(), "");
}

TEST_F(MessagePathTest, ClickOnAFlatSpeedButtonFiresOnClickWithTheButtonAsSender) {
    ui.Click(form->button);
    ASSERT_EQ(form->clicks.size(), 1u);
    EXPECT_EQ(form->clicks[0], form->button);
    // A press that is released away from the button is no click.
    platform::ui::PostMouseDown(*form, mbLeft, {}, {110, 110});
    platform::ui::PostMouseUp(*form, mbLeft, {}, {300, 10});
    ui.ProcessMessages();
    EXPECT_EQ(form->clicks.size(), 1u);
    // A click beside the button reaches nothing.
    ui.ClickAt(form, {5, 250});
    EXPECT_EQ(form->clicks.size(), 1u);
}

TEST_F(MessagePathTest, HiddenOrDisabledButtonsTakeNoClicks) {
    form->button->Hide();
    ui.ClickAt(form, {110, 110});
    form->button->Show();
    form->button->SetEnabled(false);
    ui.ClickAt(form, {110, 110});
    EXPECT_TRUE(form->clicks.empty());
}

TEST_F(MessagePathTest, ClickReachesAButtonOnAPanelAndTheMouseStaysWithItWhileHeld) {
    TPanel* panel = NewComponent<TPanel>(form);
    panel->SetParent(form);
    panel->SetBounds(200, 150, 180, 100);
    TSpeedButton* ok = NewComponent<TSpeedButton>(form);
    ok->SetParent(panel);
    ok->SetBounds(16, 20, 100, 30);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    ui.Click(ok);
    EXPECT_EQ(clicks, 1);
    // Pressed on the button, dragged away and back: the button still has the mouse and clicks.
    platform::ui::PostMouseDown(*form, mbLeft, {}, {230, 180});
    platform::ui::PostMouseMove(*form, {ssLeft}, {10, 10});
    platform::ui::PostMouseMove(*form, {ssLeft}, {231, 181});
    platform::ui::PostMouseUp(*form, mbLeft, {}, {231, 181});
    ui.ProcessMessages();
    EXPECT_EQ(clicks, 2);
}

TEST_F(MessagePathTest, AnExceptionInAClickHandlerIsReportedAndInputGoesOn) {
    form->button->OnClick = [](TObject*) { throw Exception("Нет связи"); };
    ui.Click(form->button);
    ASSERT_EQ(ui.System().MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.System().MessageBoxes()[0].Text, "Нет связи.");
    ui.TypeText("5");
    EXPECT_EQ(form->edit->Text(), "5");
}

TEST_F(MessagePathTest, AnAbortInAHandlerIsNeitherShownNorPassedToOnException) {
    int reported = 0;
    form->button->OnClick = [](TObject*) { Abort(); };
    ui.Click(form->button);
    Application->OnException = [&](TObject*, const std::exception&) { ++reported; };
    ui.Click(form->button);
    EXPECT_TRUE(ui.System().MessageBoxes().empty());
    EXPECT_EQ(reported, 0);
    ui.TypeText("5");
    EXPECT_EQ(form->edit->Text(), "5");
}

TEST_F(MessagePathTest, AnOnExceptionThatFailsItselfIsShownAndTheLoopGoesOn) {
    form->button->OnClick = [](TObject*) { throw Exception("first"); };
    Application->OnException = [](TObject*, const std::exception&) { throw Exception("Журнал недоступен"); };
    ui.Click(form->button);
    ASSERT_EQ(ui.System().MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.System().MessageBoxes()[0].Text, "Журнал недоступен.");
    ui.TypeText("5");
    EXPECT_EQ(form->edit->Text(), "5");
}

}  // namespace
