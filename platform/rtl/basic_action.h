#pragma once
// TBasicAction: a command that controls and data links can carry out on a target they choose.
// An action says which targets it serves (HandlesTarget); ExecuteTarget and UpdateTarget do the
// work and refresh its state (Enabled) for that target.
#include <functional>
#include <string>

#include "platform/rtl/component.h"

class TBasicAction : public TComponent {
  public:
    using TNotifyEvent = std::function<void(TObject* Sender)>;

    explicit TBasicAction(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TBasicAction"; }

    virtual bool HandlesTarget(TObject* /*target*/) { return false; }
    virtual void ExecuteTarget(TObject* /*target*/) {}
    virtual void UpdateTarget(TObject* /*target*/) {}
    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    // Runs OnUpdate; false when there is none.
    virtual bool Update();

    bool Enabled = true;
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
};
