#include "platform/rtl/component.h"

#include <algorithm>

#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

namespace {

// Kept for the whole run: components may still go away while the program's statics are torn down.
struct Lifetimes {
    std::vector<const TComponent*> busy;  // handling a message now, innermost last
    std::vector<TComponent*> pending;     // freed while holding a busy one
};
Lifetimes& L() {
    static auto* lifetimes = new Lifetimes();
    return *lifetimes;
}

// True when holder is, owns or holds on screen (directly or through others) a busy component.
bool HoldsBusy(const TComponent* holder) {
    for (const TComponent* busy : L().busy) {
        std::vector<const TComponent*> up{busy}, seen;
        while (!up.empty()) {
            const TComponent* c = up.back();
            up.pop_back();
            if (c == nullptr || std::find(seen.begin(), seen.end(), c) != seen.end())
                continue;
            if (c == holder)
                return true;
            seen.push_back(c);
            up.push_back(c->Owner());
            up.push_back(c->GetParentComponent());
        }
    }
    return false;
}

}  // namespace

void Free(TObject* object) {
    if (object == nullptr)
        return;
    if (auto* component = dynamic_cast<TComponent*>(object); component != nullptr && HoldsBusy(component)) {
        auto& pending = L().pending;
        if (std::find(pending.begin(), pending.end(), component) == pending.end())
            pending.push_back(component);
        return;
    }
    object->BeforeDestruction();
    delete object;
}

TBusyScope::TBusyScope(const TComponent* component) {
    L().busy.push_back(component);
}

TBusyScope::~TBusyScope() {
    L().busy.pop_back();
}

void FreePendingComponents() {
    auto& pending = L().pending;
    for (std::size_t i = 0; i < pending.size();) {
        TComponent* component = pending[i];
        if (HoldsBusy(component)) {
            ++i;
            continue;
        }
        pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(i));
        Free(component);
        i = 0;  // freeing may have freed or marked others
    }
}

void TPersistent::Assign(const TPersistent& source) {
    source.AssignTo(*this);
}

std::string TPersistent::GetNamePath() const {
    const TPersistent* owner = GetOwner();
    const std::string path = owner != nullptr ? owner->GetNamePath() : std::string();
    return path.empty() ? ClassName() : path + "." + ClassName();
}

const TPropertyList& TPersistent::Published() {
    static const TPropertyList list;
    return list;
}

void TPersistent::AssignTo(TPersistent& dest) const {
    throw EConvertError(Format("Cannot assign a %s to a %s", {ClassName(), dest.ClassName()}));
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner != nullptr)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Gone by other means than Free (an owner's destructor, a plain delete): forget it everywhere.
    auto& lifetimes = L();
    std::replace(lifetimes.busy.begin(), lifetimes.busy.end(), static_cast<const TComponent*>(this),
                 static_cast<const TComponent*>(nullptr));
    lifetimes.pending.erase(std::remove(lifetimes.pending.begin(), lifetimes.pending.end(), this),
                            lifetimes.pending.end());
    state_.Include(csDestroying);
    NotifyRemoval();
    DestroyComponents();
    if (owner_ != nullptr)
        owner_->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
    state_.Include(csDestroying);
    NotifyRemoval();
    DestroyComponents();
}

const TPropertyList& TComponent::Published() {
    static const TPropertyList list = TPublish<TComponent>(TPersistent::Published())
                                          .Integer("Tag", &TComponent::Tag, &TComponent::Tag)
                                          .Default(0);
    return list;
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    if (root == nullptr)
        return;
    const std::vector<TComponent*> owned = root->components_;  // proc may change the list
    for (TComponent* c : owned) {
        TComponent* holder = c->GetParentComponent();
        if (holder == this || (this == root && holder == nullptr))
            proc(c);
    }
}

void TComponent::Loaded() {
    state_.Exclude(csLoading);
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
    // An owner tells everything it owns, so siblings that refer to each other hear of a removal
    // without asking for free notification; last first, as the list may change on the way.
    std::size_t i = components_.size();
    while (i > 0) {
        --i;
        components_[i]->Notification(AComponent, Operation);
        i = std::min(i, components_.size());
    }
}
