#include "platform/ui/menu_item.h"

#include <algorithm>

void TMenuItem::Add(TMenuItem* item) {
    if (item->parent_ != nullptr)
        item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    item->FreeNotification(this);
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
    item->RemoveFreeNotification(this);
}

void TMenuItem::Click() {
    if (Enabled && OnClick)
        OnClick(this);
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
    if (shortCut == scNone || !Enabled || !Visible)
        return nullptr;
    if (ShortCut == shortCut && parent_ != nullptr)
        return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindShortCut(shortCut))
            return found;
    return nullptr;
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
        items_.erase(std::remove(items_.begin(), items_.end(), AComponent), items_.end());
}
