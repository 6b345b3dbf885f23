// Actions: OnExecute runs first; without it the focused control and the controls holding it are offered
// the action, nearest first.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/action.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"

namespace {

// Works on edits only, as a copy command would.
class EditAction : public TCustomAction {
  public:
    using TCustomAction::TCustomAction;
    bool HandlesTarget(TObject* Target) override { return dynamic_cast<TEdit*>(Target) != nullptr; }
    void ExecuteTarget(TObject* Target) override { done = static_cast<TEdit*>(Target); }
    void UpdateTarget(TObject* Target) override { Enabled = !static_cast<TEdit*>(Target)->Text().empty(); }
    TEdit* done = nullptr;
};

// A panel that serves every action while it holds the focus.
class ServingPanel : public TWinControl {
  public:
    using TWinControl::TWinControl;
    bool ExecuteAction(TBasicAction* Action) override {
        served += Action->Name().empty() ? "?" : Action->Name();
        return true;
    }
    std::string served;
};

class ActionForm : public TForm {
  public:
    explicit ActionForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 300, 200);
        panel = NewComponent<ServingPanel>(this);
        panel->SetParent(this);
        panel->SetBounds(0, 0, 300, 100);
        inner = NewComponent<TEdit>(this);
        inner->SetParent(panel);
        inner->SetBounds(5, 5, 100, 20);
        outer = NewComponent<TEdit>(this);
        outer->SetParent(this);
        outer->SetBounds(5, 120, 100, 20);
    }
    ServingPanel* panel;
    TEdit* inner;
    TEdit* outer;
};

TEST(ActionTest, TheFocusChainServesTheActionNearestFirst) {
    platform::ui::HeadlessSession ui;
    ActionForm* form = nullptr;
    Application->CreateForm(&form);
    form->Show();
    ui.ProcessMessages();
    auto* action = NewComponent<EditAction>(form);
    action->SetName("copy");

    form->inner->SetFocus();
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(action->done, form->inner) << "the edit itself, before the panel holding it";

    auto* other = NewComponent<TAction>(form);
    other->SetName("other");
    EXPECT_TRUE(other->Execute());
    EXPECT_EQ(form->panel->served, "other") << "an action the edit does not take goes to its holder";

    form->outer->SetFocus();
    EXPECT_FALSE(other->Execute()) << "nobody on the outer edit's chain serves it";
    EXPECT_TRUE(action->Update());
    EXPECT_FALSE(action->Enabled) << "the focused edit is empty";

    int ran = 0;
    other->OnExecute = [&](TObject*) { ++ran; };
    EXPECT_TRUE(other->Execute());
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(form->panel->served, "other") << "OnExecute alone ran";
}

}  // namespace
