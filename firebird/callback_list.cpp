#include "firebird/callback_list.h"

void TCallBackListBase::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
        RemoveComponentEntries(AComponent);
}

void TCallBackListBase::WatchObject(TObject* object) {
    if (auto* component = dynamic_cast<TComponent*>(object); component != nullptr && component != this)
        component->FreeNotification(this);
}
