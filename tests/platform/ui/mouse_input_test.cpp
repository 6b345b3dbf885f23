// The mouse as the controls see it: the capture and its cancelling, the pointer coming and going,
// the wheel handed up the parents, double clicks told by place and time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/graphic_control.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/system_metrics.h"

namespace {

using Log = std::vector<std::string>;

std::string MessageName(UINT msg) {
    switch (msg) {
        case CM_MOUSEENTER:
            return "enter";
        case CM_MOUSELEAVE:
            return "leave";
        case WM_CAPTURECHANGED:
            return "capture lost";
        case CM_CANCELMODE:
            return "cancel";
        case WM_LBUTTONDOWN:
            return "down";
        case WM_LBUTTONDBLCLK:
            return "double";
        default:
            return "";
    }
}

// Records the mouse messages it is sent, then handles them as its base does.
template <class Base>
class Recorder : public Base {
  public:
    Recorder(TComponent* owner, std::string name, Log& log)
        : Base(owner), name_(std::move(name)), log_(log) {}
    void Dispatch(TMessage& m) override {
        if (std::string what = MessageName(m.Msg); !what.empty())
            log_.push_back(name_ + " " + what);
        Base::Dispatch(m);
    }

  private:
    std::string name_;
    Log& log_;
};

class MouseForm : public TForm {
  public:
    explicit MouseForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 400, 300);
        edit = NewComponent<TEdit>(this);
        edit->SetParent(this);
        edit->SetBounds(10, 200, 100, 21);
        box = NewComponent<Recorder<TGraphicControl>>(this, "box", log);
        box->SetParent(this);
        box->SetBounds(10, 10, 50, 30);
        pane = NewComponent<Recorder<TCustomControl>>(this, "pane", log);
        pane->SetParent(this);
        pane->SetBounds(100, 100, 150, 80);
        inner = NewComponent<Recorder<TGraphicControl>>(this, "inner", log);
        inner->SetParent(pane);
        inner->SetBounds(10, 10, 40, 20);
        for (TControl* c : std::vector<TControl*>{box, pane, inner, this})
            c->OnClick = [this](TObject* sender) { clicks.push_back(sender); };
    }
    // Button messages for the children pass through here too: the form logs only its own state.
    void Dispatch(TMessage& m) override {
        if (std::string what = MessageName(m.Msg); !what.empty() && !IsMouseMessage(m.Msg))
            log.push_back("form " + what);
        TForm::Dispatch(m);
    }
    Log log;
    std::vector<TObject*> clicks;
    TEdit* edit = nullptr;
    TGraphicControl* box = nullptr;
    TCustomControl* pane = nullptr;
    TGraphicControl* inner = nullptr;
};

class MouseInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
        form->log.clear();
    }
    void Move(TPoint at) {
        platform::ui::PostMouseMove(*form, {}, at);
        ui.ProcessMessages();
    }
    void Press(TPoint at, TShiftState held = {}) {
        platform::ui::PostMouseDown(*form, mbLeft, held, at);
        ui.ProcessMessages();
    }
    void Release(TPoint at) {
        platform::ui::PostMouseUp(*form, mbLeft, {}, at);
        ui.ProcessMessages();
    }
    platform::ui::HeadlessSession ui;
    MouseForm* form = nullptr;
};

TEST_F(MouseInputTest, EnterAndLeaveFollowThePointerAcrossGraphicAndWindowedControls) {
    Move({20, 20});
    Move({25, 22});  // still over the box: nothing new
    Move({200, 50});
    Move({115, 115});
    Move({200, 150});
    platform::ui::PostMouseLeave(*form);
    ui.ProcessMessages();
    EXPECT_EQ(form->log, (Log{"box enter", "box leave", "form enter", "form leave", "inner enter",
                              "inner leave", "pane enter", "pane leave"}));
    EXPECT_EQ(GetMouseControl(), nullptr);
}

TEST_F(MouseInputTest, AControlFreedUnderThePointerIsForgottenWithoutMessages) {
    Move({20, 20});
    Free(form->box);
    form->box = nullptr;
    form->log.clear();
    Move({200, 50});
    EXPECT_EQ(form->log, (Log{"form enter"}));
}

TEST_F(MouseInputTest, ThePressedControlHoldsTheCaptureAndLosesThePressWhenTheCaptureIsTaken) {
    Press({20, 20});
    ASSERT_EQ(GetCaptureControl(), form->box);
    EXPECT_EQ(GetCapture(), form->Handle());  // a graphic holder captures through its window

    EXPECT_EQ(SetCapture(form->pane->Handle()), form->Handle());
    EXPECT_EQ(form->log, (Log{"box down", "box capture lost"}));
    Release({20, 20});  // goes to the new holder, which lets go
    EXPECT_TRUE(form->clicks.empty());
    EXPECT_EQ(GetCapture(), HWND{0});

    form->log.clear();
    SetCapture(form->pane->Handle());
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(form->log, (Log{"pane capture lost"}));
}

TEST_F(MouseInputTest, OwnReleaseOfTheCaptureStillClicks) {
    Press({20, 20});
    Release({20, 20});
    EXPECT_EQ(form->clicks, (std::vector<TObject*>{form->box}));
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(MouseInputTest, CancelModeSentToTheCaptureWindowReleasesItsHolderAndCancelsTheClick) {
    struct Case {
        const char* where;
        TPoint at;
        Log seen;
    };
    const std::vector<Case> cases = {
        {"graphic child", {115, 115}, {"pane down", "inner down", "inner cancel", "inner capture lost"}},
        {"windowed control", {200, 150}, {"pane down", "pane capture lost"}},
    };
    for (const Case& c : cases) {
        form->log.clear();
        form->clicks.clear();
        Press(c.at);
        ASSERT_NE(GetCapture(), HWND{0}) << c.where;
        SendMessage(GetCapture(), WM_CANCELMODE, 0, 0);
        EXPECT_EQ(GetCapture(), HWND{0}) << c.where;
        Release(c.at);
        EXPECT_EQ(form->log, c.seen) << c.where;
        EXPECT_TRUE(form->clicks.empty()) << c.where;
    }
}

TEST_F(MouseInputTest, TheWheelGoesToTheFocusedControlAndUpToItsParentsUntilHandled) {
    struct Case {
        const char* what;
        int delta;
        bool editTakesIt;
        Log seen;
    };
    const std::vector<Case> cases = {
        {"towards the user, edit takes it", -WHEEL_DELTA, true, {"edit down"}},
        {"away, edit takes it", WHEEL_DELTA, true, {"edit up"}},
        {"towards the user, form takes it", -WHEEL_DELTA, false, {"edit down", "form down"}},
        {"two notches away", 2 * WHEEL_DELTA, false, {"edit up", "form up"}},
    };
    Log seen;
    TPoint pos;
    for (const Case& c : cases) {
        seen.clear();
        form->edit->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint at, bool& handled) {
            seen.push_back("edit down");
            pos = at;
            handled = c.editTakesIt;
        };
        form->edit->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
            seen.push_back("edit up");
            handled = c.editTakesIt;
        };
        form->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
            seen.push_back("form down");
            handled = true;
        };
        form->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
            seen.push_back("form up");
            handled = true;
        };
        platform::ui::PostMouseWheel(*form, {}, c.delta, {300, 20});
        ui.ProcessMessages();
        EXPECT_EQ(seen, c.seen) << c.what;
    }
    EXPECT_EQ(pos, form->ClientToScreen({300, 20}));
}

TEST_F(MouseInputTest, OnMouseWheelThatHandlesTheTurnKeepsItFromTheUpAndDownEvents) {
    int delta = 0;
    bool downSeen = false;
    form->edit->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& handled) {
        delta = d;
        handled = true;
    };
    form->edit->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { downSeen = true; };
    platform::ui::PostMouseWheel(*form, {}, -WHEEL_DELTA, {300, 20});
    ui.ProcessMessages();
    EXPECT_EQ(delta, -WHEEL_DELTA);
    EXPECT_FALSE(downSeen);
}

TEST_F(MouseInputTest, ASecondPressIsADoubleClickOnlyOnTheSameWindowNearbyAndSoon) {
    const int box = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    const int slow = static_cast<int>(GetDoubleClickTime()) + 1;
    struct Case {
        const char* what;
        TPoint second;
        int waitMs;
        std::string seen;
    };
    const std::vector<Case> cases = {
        {"same place at once", {20, 20}, 0, "box double"},
        {"inside the box, just in time", {20 + box, 20 - box}, slow - 1, "box double"},
        {"outside the box", {21 + box, 20}, 0, "box down"},
        {"too late", {20, 20}, slow, "box down"},
    };
    for (const Case& c : cases) {
        ui.Clock().Advance(10 * slow);  // the previous case's presses are long past
        Press({20, 20});
        Release({20, 20});
        form->log.clear();
        ui.Clock().Advance(c.waitMs);
        Press(c.second);
        Release(c.second);
        ASSERT_FALSE(form->log.empty()) << c.what;
        EXPECT_EQ(form->log.front(), c.seen) << c.what;
    }
}

TEST_F(MouseInputTest, ThePressAfterADoubleClickStartsAfreshAndControlsWithoutDoubleClicksSeeAPress) {
    for (int i = 0; i < 3; ++i) {
        Press({20, 20});
        Release({20, 20});
    }
    EXPECT_EQ(form->log, (Log{"box down", "box capture lost", "box double", "box capture lost", "box down",
                              "box capture lost"}));

    form->log.clear();
    form->box->ControlStyle.Exclude(csDoubleClicks);
    Press({20, 20});
    Release({20, 20});
    Press({20, 20});
    EXPECT_EQ(form->log.back(), "box down");
    EXPECT_EQ(GetMessageTime(), 0u);  // only while a message is handled
}

}  // namespace
