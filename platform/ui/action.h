#pragma once
// Actions of the window system. TCustomAction runs its OnExecute, or else is offered to the focused
// control and the controls holding it, up to the form, each of which may serve it (ExecuteAction).
// Update does the same with OnUpdate and UpdateAction, so the control that would serve it can enable
// it. The base TBasicAction lies below, in the runtime, so data links can serve actions too.
#include <string>

#include "platform/rtl/basic_action.h"
#include "platform/ui/shortcuts.h"

// An action with the state the controls showing it follow.
class TCustomAction : public TBasicAction {
  public:
    using TBasicAction::TBasicAction;
    std::string ClassName() const override { return "TCustomAction"; }

    // True when someone served the action.
    bool Execute() override;
    bool Update() override;

    std::string Caption;
    std::string Hint;
    bool Checked = false;
    bool Visible = true;
    TShortCut ShortCut = scNone;
};

class TAction : public TCustomAction {
  public:
    using TCustomAction::TCustomAction;
    std::string ClassName() const override { return "TAction"; }
};
