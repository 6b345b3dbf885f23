#pragma once
// TBasicAction: a command that runs its OnExecute, or else is offered to the focused control and the
// controls holding it, up to the form, each of which may serve it (ExecuteAction). Update does the
// same with OnUpdate and UpdateAction, so the control that would serve it can enable it.
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/notify_event.h"
#include "platform/ui/shortcuts.h"

class TBasicAction : public TComponent {
  public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TBasicAction"; }

    // True when someone served the action.
    virtual bool Execute();
    virtual bool Update();
    // Whether the action works on this target, and the work itself; the base works on none.
    virtual bool HandlesTarget(TObject* Target) {
        (void)Target;
        return false;
    }
    virtual void ExecuteTarget(TObject* Target) { (void)Target; }
    virtual void UpdateTarget(TObject* Target) { (void)Target; }

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
};

// An action with the state the controls showing it follow.
class TCustomAction : public TBasicAction {
  public:
    using TBasicAction::TBasicAction;
    std::string ClassName() const override { return "TCustomAction"; }
    std::string Caption;
    std::string Hint;
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
    TShortCut ShortCut = scNone;
};

class TAction : public TCustomAction {
  public:
    using TCustomAction::TCustomAction;
    std::string ClassName() const override { return "TAction"; }
};
