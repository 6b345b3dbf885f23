#include <algorithm>

#include "platform/ui/focus_state.h"
#include "platform/ui/form.h"
#include "platform/ui/top_level.h"
#include "platform/ui/win_control.h"

bool TWinControl::Focused() const {
    return platform::ui::FocusHolder() == this;
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = ParentForm();
    if (form == nullptr || !form->Visible() || !form->Enabled())
        return false;
    // A pop-up never takes the keyboard: it stays with the form's control.
    if (platform::ui::TopLevelOf(this) != form)
        return false;
    for (const TControl* c = this; c != nullptr && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus() {
    TCustomForm* form = ParentForm();
    if (form == nullptr || !CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    form->FocusControl(form == this ? nullptr : this);
}

int TWinControl::TabOrder() const {
    if (parent_ == nullptr)
        return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (parent_ == nullptr)
        return;
    auto& list = parent_->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    std::size_t at = value < 0 ? list.size() : std::min(static_cast<std::size_t>(value), list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    auto n = static_cast<std::ptrdiff_t>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    std::ptrdiff_t start = found == list.end() ? (goForward ? n - 1 : 0) : found - list.begin();
    for (std::ptrdiff_t step = 1; step <= n; ++step) {
        std::ptrdiff_t i = goForward ? (start + step) % n : (start - step + n) % n;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c == current && found != list.end())
            break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop, false);
    if (next != nullptr)
        next->SetFocus();
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}
