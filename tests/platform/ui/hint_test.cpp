// Hints: shown after the pause on the hand-driven clock, asked of the control first, hidden by leaving,
// pressing or waiting.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/hint_controller.h"
#include "platform/ui/input.h"

namespace {

// A control that answers the hint queries as a test tells it.
class HintedControl : public TWinControl {
  public:
    using TWinControl::TWinControl;
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == CM_HINTSHOWPAUSE && pause >= 0)
            *reinterpret_cast<int*>(Message.LParam) = pause;
        if (Message.Msg == CM_HINTSHOW) {
            auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
            seen = *info;
            if (!replaceText.empty()) {
                info->HintStr = replaceText;
                info->HintPos = {700, 500};
            }
            Message.Result = refuse ? 1 : 0;
            return;
        }
        TWinControl::Dispatch(Message);
    }
    int pause = -1;
    bool refuse = false;
    std::string replaceText;
    THintInfo seen;
};

class HintForm : public TForm {
  public:
    explicit HintForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(100, 100, 400, 300);
        hinted = Make(10, "Сохранить талон|Сохраняет талон в базе", true);
        quiet = Make(150, "not shown", false);
    }
    HintedControl* Make(int left, const char* hint, bool show) {
        auto* c = NewComponent<HintedControl>(this);
        c->SetParent(this);
        c->SetBounds(left, 10, 100, 50);
        c->Hint = hint;
        c->ShowHint = show;
        return c;
    }
    HintedControl* hinted;
    HintedControl* quiet;
};

class HintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
    }
    void TearDown() override { Application->HintHidePause = 2500; }
    void MoveTo(TControl* c, TPoint at) {
        TPoint o = c->FormOrigin();
        platform::ui::PostMouseMove(*form, {}, {o.X + at.X, o.Y + at.Y});
        ui.ProcessMessages();
    }
    THintWindow* Shown() { return Application->Hints()->ShownHintWindow(); }
    platform::ui::HeadlessSession ui;
    HintForm* form = nullptr;
};

TEST_F(HintTest, TheShortHintShowsBelowThePointerAfterThePause) {
    MoveTo(form->hinted, {20, 20});
    ui.Advance(Application->HintPause - 10);
    EXPECT_EQ(Shown(), nullptr);
    ui.Advance(20);
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Caption(), "Сохранить талон");
    TPoint pointer = form->hinted->ClientToScreen({20, 20});
    EXPECT_EQ(Shown()->Left(), pointer.X);
    EXPECT_EQ(Shown()->Top(), pointer.Y + 20);
    EXPECT_EQ(Shown()->Width(), 15 * 7 + 2 * 3) << "its 15 characters of 7 pixels, border and room around";
    const THintInfo& seen = form->hinted->seen;
    EXPECT_EQ(seen.HintControl, form->hinted);
    EXPECT_EQ(seen.CursorPos, (TPoint{20, 20}));
    EXPECT_EQ(seen.CursorRect, form->hinted->ClientRect());
    EXPECT_EQ(seen.HintStr, "Сохранить талон");
}

TEST_F(HintTest, TheHintGoesByLeavingPressingOrWaiting) {
    struct Case {
        const char* how;
        std::function<void()> act;
    } cases[] = {
        {"leaving for a control without a hint",
         [&] {
             MoveTo(form->quiet, {5, 5});
         }},
        {"pressing",
         [&] {
             ui.ClickAt(form->hinted, {20, 20});
         }},
        {"waiting", [&] { ui.Advance(Application->HintHidePause + 10); }},
    };
    for (const auto& c : cases) {
        MoveTo(form->quiet, {50, 40});
        MoveTo(form->hinted, {20, 20});
        ui.Advance(Application->HintPause);
        ASSERT_NE(Shown(), nullptr) << c.how;
        c.act();
        EXPECT_EQ(Shown(), nullptr) << c.how;
    }
}

TEST_F(HintTest, TheControlMayChangeRefuseOrHurryTheHint) {
    form->hinted->replaceText = "другой";
    MoveTo(form->hinted, {20, 20});
    ui.Advance(Application->HintPause);
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Caption(), "другой");
    EXPECT_EQ(Shown()->Left(), 700);
    EXPECT_EQ(Shown()->Top(), 500);

    MoveTo(form->quiet, {5, 5});
    form->hinted->refuse = true;
    MoveTo(form->hinted, {20, 20});
    ui.Advance(Application->HintPause * 2);
    EXPECT_EQ(Shown(), nullptr);

    MoveTo(form->quiet, {5, 5});
    form->hinted->refuse = false;
    form->hinted->pause = 0;
    MoveTo(form->hinted, {20, 20});
    EXPECT_NE(Shown(), nullptr) << "a pause of 0 shows at once";
}

TEST_F(HintTest, NoHintWhenTheApplicationOrTheControlSaysNo) {
    MoveTo(form->quiet, {20, 20});
    ui.Advance(Application->HintPause * 2);
    EXPECT_EQ(Shown(), nullptr);
    Application->SetShowHint(false);
    MoveTo(form->hinted, {20, 20});
    ui.Advance(Application->HintPause * 2);
    EXPECT_EQ(Shown(), nullptr);
    Application->SetShowHint(true);
}

// A control without a Hint of its own may still give a text when asked (a tool-tip of its contents).
TEST_F(HintTest, ATextGivenOnlyWhenAskedShowsAndNoTextShowsNothing) {
    form->hinted->Hint.clear();
    MoveTo(form->hinted, {20, 20});
    ui.Advance(Application->HintPause * 2);
    EXPECT_EQ(Shown(), nullptr) << "no text from the control either";

    MoveTo(form->quiet, {5, 5});
    form->hinted->replaceText = "весь текст";
    MoveTo(form->hinted, {20, 20});
    ui.Advance(Application->HintPause);
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Caption(), "весь текст");
}

}  // namespace
