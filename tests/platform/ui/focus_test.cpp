// Keyboard focus follows the tab order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/panel.h"
#include "platform/ui/virtual_keys.h"

namespace {

class TabForm : public TForm {
  public:
    explicit TabForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 300, 200);
        a = MakeEdit(this, "a");
        panel = NewComponent<TPanel>(this);
        panel->SetParent(this);
        b = MakeEdit(panel, "b");
        c = MakeEdit(panel, "c");
        d = MakeEdit(this, "d");
    }
    TEdit* MakeEdit(TWinControl* parent, const std::string& name) {
        auto* e = NewComponent<TEdit>(this);
        e->SetParent(parent);
        e->SetName(name);
        e->OnEnter = [this, name](TObject*) { log.push_back("enter " + name); };
        e->OnExit = [this, name](TObject*) { log.push_back("exit " + name); };
        return e;
    }
    TEdit *a, *b, *c, *d;
    TPanel* panel;
    std::vector<std::string> log;
};

class FocusTest : public ::testing::Test {
  protected:
    void Show() {
        Application->CreateForm(&form);
        customise(form);
        form->Show();
        ui.ProcessMessages();
    }
    std::string Focus() const {
        TWinControl* f = FocusedControl();
        return f == nullptr ? "none" : f->Name();
    }
    std::function<void(TabForm*)> customise = [](TabForm*) {};
    platform::ui::HeadlessSession ui;
    TabForm* form = nullptr;
};

TEST_F(FocusTest, ShowingFocusesTheFirstInTabOrderAndTabWalksTheTreeDepthFirst) {
    Show();
    EXPECT_EQ(Focus(), "a");
    std::vector<std::string> walk;
    for (int i = 0; i < 4; ++i) {
        ui.PressKey(VK_TAB);
        walk.push_back(Focus());
    }
    EXPECT_EQ(walk, (std::vector<std::string>{"b", "c", "d", "a"}));
    ui.PressKey(VK_TAB, {ssShift});
    EXPECT_EQ(Focus(), "d");
    // Tab moves the focus and types nothing.
    EXPECT_EQ(form->d->Text(), "");
}

TEST_F(FocusTest, TabOrderCanBeChangedAndHiddenControlsAreSkipped) {
    customise = [](TabForm* f) {
        f->d->SetTabOrder(0);
        f->c->SetTabOrder(0);
        f->a->Hide();
    };
    Show();
    EXPECT_EQ(Focus(), "d");
    ui.PressKey(VK_TAB);
    EXPECT_EQ(Focus(), "c");
    ui.PressKey(VK_TAB);
    EXPECT_EQ(Focus(), "b");
    ui.PressKey(VK_TAB);
    EXPECT_EQ(Focus(), "d");
    EXPECT_EQ(form->d->TabOrder(), 0);
    EXPECT_EQ(form->c->TabOrder(), 0);
}

TEST_F(FocusTest, EnterAndExitFireAsFocusMovesAndTypingGoesToTheNewFocus) {
    Show();
    form->log.clear();
    form->c->SetFocus();
    ui.TypeText("x");
    EXPECT_EQ(form->log, (std::vector<std::string>{"exit a", "enter c"}));
    EXPECT_EQ(form->c->Text(), "x");
    EXPECT_EQ(form->a->Text(), "");
}

TEST_F(FocusTest, HidingTheFocusedControlLeavesTheFocusWithTheForm) {
    Show();
    form->a->Hide();
    EXPECT_EQ(FocusedControl(), form);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    ui.TypeText("1");  // goes to the form, no edit gets it
    EXPECT_EQ(form->b->Text() + form->c->Text() + form->d->Text(), "");
}

TEST_F(FocusTest, FocusingAnInvisibleControlIsRefused) {
    Show();
    form->panel->Hide();
    EXPECT_THROW(form->b->SetFocus(), EInvalidOperation);
    EXPECT_EQ(Focus(), "a");
}

TEST_F(FocusTest, FreeingTheFocusedControlForgetsIt) {
    Show();
    Free(form->a);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    ui.TypeText("5");
    ui.PressKey(VK_TAB);
    EXPECT_EQ(Focus(), "b");
}

}  // namespace
