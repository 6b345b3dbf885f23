#include "platform/ui/action.h"

#include "platform/ui/form.h"
#include "platform/ui/screen.h"

namespace {

// The focused control first, then each control holding it; without a focus, the active form.
template <class Offer>
bool OfferToFocusChain(Offer offer) {
    TControl* control = FocusedControl();
    if (control == nullptr) {
        TCustomForm* form = Screen != nullptr ? Screen->ActiveForm() : nullptr;
        control = form;
    }
    for (; control != nullptr; control = control->Parent())
        if (offer(control))
            return true;
    return false;
}

}  // namespace

bool TCustomAction::Execute() {
    if (TBasicAction::Execute())
        return true;
    return OfferToFocusChain([this](TControl* c) { return c->ExecuteAction(this); });
}

bool TCustomAction::Update() {
    if (TBasicAction::Update())
        return true;
    return OfferToFocusChain([this](TControl* c) { return c->UpdateAction(this); });
}

bool TControl::ExecuteAction(TBasicAction* Action) {
    if (!Action->HandlesTarget(this))
        return false;
    Action->ExecuteTarget(this);
    return true;
}

bool TControl::UpdateAction(TBasicAction* Action) {
    if (!Action->HandlesTarget(this))
        return false;
    Action->UpdateTarget(this);
    return true;
}
