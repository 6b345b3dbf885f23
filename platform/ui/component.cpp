#include "platform/ui/component.h"

#include <algorithm>

#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

void Free(TObject* object) {
    if (object == nullptr)
        return;
    object->BeforeDestruction();
    delete object;
}

void TPersistent::Assign(const TPersistent& source) {
    source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const {
    throw EConvertError(Format("Cannot assign a %s to a %s", {ClassName(), dest.ClassName()}));
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner != nullptr)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    destroying_ = true;
    NotifyRemoval();
    DestroyComponents();
    if (owner_ != nullptr)
        owner_->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
    destroying_ = true;
    NotifyRemoval();
    DestroyComponents();
}

void TComponent::NotifyRemoval() {
    if (removalSent_)
        return;
    removalSent_ = true;
    std::vector<TComponent*> listeners;
    listeners.swap(freeNotifies_);
    for (TComponent* listener : listeners) {
        auto& back = listener->freeNotifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        listener->Notification(this, opRemove);
    }
    if (owner_ != nullptr && std::find(listeners.begin(), listeners.end(), owner_) == listeners.end())
        owner_->Notification(this, opRemove);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        components_.pop_back();
        last->owner_ = nullptr;
        Free(last);
    }
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner_ != nullptr)
        component->owner_->RemoveComponent(component);
    component->owner_ = this;
    components_.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    if (component->owner_ == this)
        component->owner_ = nullptr;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    name_ = name;
}

void TComponent::FreeNotification(TComponent* listener) {
    if (listener == nullptr || listener == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), listener) == freeNotifies_.end()) {
        freeNotifies_.push_back(listener);
        listener->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* listener) {
    if (listener == nullptr)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), listener),
                        freeNotifies_.end());
    auto& back = listener->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    (void)AComponent;
    (void)Operation;
}
