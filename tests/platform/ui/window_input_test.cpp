// Input the window asks about before and after the mouse message itself: the pointer shape by area
// (WM_NCHITTEST, WM_SETCURSOR), whether a press activates or is eaten (WM_MOUSEACTIVATE), the context
// menu (WM_CONTEXTMENU, PopupMenu), and text committed by an input method.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/screen_cursor.h"
#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/label.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/panel.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/virtual_keys.h"

namespace {

class RecordingMenu : public TPopupMenu {
  public:
    using TPopupMenu::TPopupMenu;
    void Popup(int X, int Y) override {
        TPopupMenu::Popup(X, Y);
        shownAt.push_back({X, Y});
    }
    std::vector<TPoint> shownAt;
};

// Answers WM_MOUSEACTIVATE as told.
class ActivationPanel : public TPanel {
  public:
    using TPanel::TPanel;
    LRESULT answer = 0;  // 0: as its base does
    int presses = 0;
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_MOUSEACTIVATE && answer != 0) {
            m.Result = answer;
            return;
        }
        if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK)
            ++presses;
        TPanel::Dispatch(m);
    }
};

class InputForm : public TForm {
  public:
    explicit InputForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(100, 100, 400, 300);
        formMenu = new RecordingMenu(this);
        editMenu = new RecordingMenu(this);
        labelMenu = new RecordingMenu(this);
        SetPopupMenu(formMenu);
        edit = new TEdit(this);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 200, 21);
        edit->SetCursor(crIBeam);
        edit->SetPopupMenu(editMenu);
        panel = new ActivationPanel(this);
        panel->SetParent(this);
        panel->SetBounds(10, 50, 300, 200);
        inner = new TPanel(this);
        inner->SetParent(panel);
        inner->SetBounds(200, 100, 50, 50);
        label = new TLabel(this);
        label->SetParent(panel);
        label->SetAutoSize(false);
        label->SetBounds(10, 10, 100, 20);
        label->SetCursor(crHandPoint);
        label->SetPopupMenu(labelMenu);
    }
    RecordingMenu* formMenu;
    RecordingMenu* editMenu;
    RecordingMenu* labelMenu;
    TEdit* edit;
    ActivationPanel* panel;
    TPanel* inner;
    TLabel* label;
};

class WindowInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        form->edit->SetFocus();
        ui.ProcessMessages();
    }
    // Moves the pointer over control's point and returns the pointer shape the host was told last.
    TCursor PointerOver(TControl* control, TPoint pos = {5, 5}) {
        TPoint o = control->FormOrigin();
        platform::ui::PostMouseMove(*form, {}, {o.X + pos.X, o.Y + pos.Y});
        ui.ProcessMessages();
        std::vector<TCursor> shapes = ui.System().PointerShapes();
        if (shapes.empty())
            return crNone;
        return shapes.back();
    }
    platform::ui::HeadlessSession ui;
    InputForm* form = nullptr;
};

TEST_F(WindowInputTest, ThePointerShapeComesFromTheControlUnderItOrTheWindowsItLiesIn) {
    form->SetCursor(crCross);
    struct Case {
        const char* what;
        TControl* over;
        TCursor shape;
    } cases[] = {
        {"an edit's own cursor", form->edit, crIBeam},
        {"a graphic control's cursor, told by the window it lies on", form->label, crHandPoint},
        {"a panel without one: the form's cursor covers it", form->panel, crCross},
        {"a panel inside that panel: still the form's", form->inner, crCross},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PointerOver(c.over), c.shape);
    }
    form->SetCursor(crDefault);
    EXPECT_EQ(PointerOver(form->inner), crDefault) << "no cursor anywhere: the arrow";
    {
        TScopedCursor busy(crHourGlass);
        EXPECT_EQ(PointerOver(form->edit), crHourGlass) << "the screen's cursor wins";
    }
}

TEST_F(WindowInputTest, AWindowHoldingTheCaptureKeepsThePointerItShows) {
    EXPECT_EQ(PointerOver(form->edit), crIBeam);
    SetCaptureControl(form->panel);
    std::size_t told = ui.System().PointerShapes().size();
    PointerOver(form->edit);
    EXPECT_EQ(ui.System().PointerShapes().size(), told);
    ReleaseCapture();
}

TEST_F(WindowInputTest, APressAnActivationAnswerEatsNeverReachesTheWindow) {
    struct Case {
        LRESULT answer;
        int presses;
    } cases[] = {{MA_ACTIVATE, 1}, {MA_NOACTIVATE, 1}, {MA_ACTIVATEANDEAT, 0}, {MA_NOACTIVATEANDEAT, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        form->panel->answer = c.answer;
        form->panel->presses = 0;
        ui.ClickAt(form->panel, {100, 150});
        EXPECT_EQ(form->panel->presses, c.presses);
    }
    // A child window without an answer of its own takes its parent's.
    form->panel->answer = MA_NOACTIVATEANDEAT;
    int clicks = 0;
    form->inner->OnClick = [&](TObject*) { ++clicks; };
    ui.Click(form->inner);
    EXPECT_EQ(clicks, 0);
}

TEST_F(WindowInputTest, ARightClickShowsTheMenuOfTheControlUnderItOrOfTheWindowsItLiesIn) {
    struct Case {
        const char* what;
        TControl* clicked;
        RecordingMenu* shown;
        TControl* owner;  // the control whose menu it is
    } cases[] = {
        {"the edit's own menu", form->edit, form->editMenu, form->edit},
        {"a graphic control's own menu", form->label, form->labelMenu, form->label},
        {"a panel without one: its form's", form->inner, form->formMenu, form},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.shown->shownAt.clear();
        ui.ClickAt(c.clicked, {3, 4}, mbRight);
        ASSERT_EQ(c.shown->shownAt.size(), 1u);
        EXPECT_EQ(c.shown->shownAt[0], c.clicked->ClientToScreen({3, 4}));
        EXPECT_EQ(c.shown->PopupComponent, c.owner);
    }
    EXPECT_EQ(form->formMenu->shownAt.size(), 1u) << "a menu shown below is not shown again above";
}

TEST_F(WindowInputTest, OnContextPopupMayTakeTheRequestAndAMenuWithoutAutoPopupPassesItOn) {
    TPoint seen{0, 0};
    form->edit->OnContextPopup = [&](TObject*, TPoint pos, bool& handled) {
        seen = pos;
        handled = true;
    };
    ui.ClickAt(form->edit, {7, 8}, mbRight);
    EXPECT_EQ(seen, (TPoint{7, 8}));
    EXPECT_TRUE(form->editMenu->shownAt.empty());
    EXPECT_TRUE(form->formMenu->shownAt.empty());

    form->edit->OnContextPopup = nullptr;
    form->editMenu->AutoPopup = false;
    ui.ClickAt(form->edit, {7, 8}, mbRight);
    EXPECT_TRUE(form->editMenu->shownAt.empty());
    EXPECT_EQ(form->formMenu->shownAt.size(), 1u);
}

TEST_F(WindowInputTest, TheContextMenuKeyShowsTheFocusedControlsMenuAtItsCorner) {
    TPoint seen{0, 0};
    form->edit->OnContextPopup = [&](TObject*, TPoint pos, bool&) { seen = pos; };
    for (TShiftState shift : {TShiftState{}, TShiftState{ssShift}}) {
        form->editMenu->shownAt.clear();
        ui.PressKey(shift.Empty() ? VK_APPS : VK_F10, shift);
        ASSERT_EQ(form->editMenu->shownAt.size(), 1u);
        EXPECT_EQ(form->editMenu->shownAt[0], form->edit->ClientToScreen({0, 0}));
        EXPECT_EQ(seen, (TPoint{-1, -1}));
    }
}

TEST_F(WindowInputTest, AFreedMenuIsLetGoByTheControlsNamingIt) {
    Free(form->editMenu);
    EXPECT_EQ(form->edit->PopupMenu(), nullptr);
    ui.ClickAt(form->edit, {3, 4}, mbRight);
    EXPECT_EQ(form->formMenu->shownAt.size(), 1u);
}

TEST_F(WindowInputTest, TextAnInputMethodCommitsIsTypedCharacterByCharacter) {
    std::u32string pressed;
    form->edit->OnKeyPress = [&](TObject*, char32_t& key) { pressed += key; };
    ui.CommitText("日本語ё");
    EXPECT_EQ(form->edit->Text(), "日本語ё");
    EXPECT_EQ(pressed, U"日本語ё");
}

}  // namespace
