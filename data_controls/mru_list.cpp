#include "data_controls/mru_list.h"

#include <algorithm>

#include "data_controls/stored_strings.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/published_properties.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/string_compare.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/writer.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/messages.h"

namespace {

// Filtering looks at the queue this often, so a long list does not make typing lag.
constexpr int kQueueCheckEvery = 100;

}  // namespace

bool KeyDownWaiting() {
    TMsg msg;
    return PeekMessage(msg, 0, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);
}

TMRUListEh::TMRUListEh(TPersistent* owner) : owner_(owner), items_(std::make_unique<TStringList>()) {}

TMRUListEh::~TMRUListEh() = default;

const TPropertyList& TMRUListEh::Published() {
    static const TPropertyList list =
        TPublish<TMRUListEh>(TPersistent::Published())
            .Boolean("AutoAdd", &TMRUListEh::AutoAdd, &TMRUListEh::SetAutoAdd)
            .Default(true)
            .Boolean("Active", &TMRUListEh::Active, &TMRUListEh::SetActive)
            .Default(false)
            .Boolean("CaseSensitive", &TMRUListEh::CaseSensitive, &TMRUListEh::SetCaseSensitive)
            .Default(false)
            .Integer("Limit", &TMRUListEh::Limit, &TMRUListEh::SetLimit)
            .Default(100)
            .Integer("Rows", &TMRUListEh::Rows, &TMRUListEh::SetRows)
            .Default(7);
    return list;
}

// The remembered texts are stored as a list of strings under Items.Strings.
void TMRUListEh::DefineProperties(TFiler& filer) {
    DefineStoredStrings(filer, "Items.Strings", *items_);
}

void TMRUListEh::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TMRUListEh*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    SetActive(other->Active());
    SetItems(*other->Items());
    SetLimit(other->Limit());
    SetRows(other->Rows());
    SetCaseSensitive(other->CaseSensitive());
}

void TMRUListEh::SetActive(bool value) {
    if (value == active_)
        return;
    active_ = value;
    if (OnActiveChanged)
        OnActiveChanged(this);
}

void TMRUListEh::SetLimit(int value) {
    limit_ = std::max(value, 0);
    TrimToLimit();
}

void TMRUListEh::TrimToLimit() {
    while (items_->Count() > limit_) items_->Delete(0);
}

bool TMRUListEh::SameText(std::string_view a, std::string_view b) const {
    return caseSensitive_ ? a == b : AnsiSameText(a, b);
}

bool TMRUListEh::StartsWith(std::string_view text, std::string_view prefix) const {
    if (text.size() < prefix.size())
        return false;
    std::string_view head = text.substr(0, prefix.size());
    return caseSensitive_ ? AnsiSameStr(head, prefix) : AnsiSameText(head, prefix);
}

void TMRUListEh::AddItem(const std::string& text) {
    if (Trim(text).empty())
        return;
    for (int i = 0; i < items_->Count(); ++i) {
        if (SameText(items_->Get(i), text)) {
            items_->Move(i, items_->Count() - 1);
            return;
        }
    }
    items_->Add(text);
    TrimToLimit();
}

bool TMRUListEh::FilterByPrefix(TStrings& target, std::string_view prefix) {
    target.BeginUpdate();
    target.Clear();
    bool completed = true;
    for (int i = 0; i < items_->Count(); ++i) {
        const std::string& item = items_->Get(i);
        bool accept = StartsWith(item, prefix);
        if (OnFilterItem)
            OnFilterItem(this, item, accept);
        if (accept)
            target.Add(item);
        if (i % kQueueCheckEvery == 0 && cancelIfKeyInQueue_ && KeyDownWaiting()) {
            completed = false;
            break;
        }
    }
    target.EndUpdate();
    return completed;
}

void TMRUListEh::CloseUp(bool Accept) {
    if (OnCloseUp)
        OnCloseUp(this, Accept);
}

void TMRUListEh::DropDown() {
    if (OnDropDown)
        OnDropDown(this);
}
