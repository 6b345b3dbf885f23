#include "platform/rtl/collection.h"

#include <algorithm>

#include "platform/rtl/format.h"
#include "platform/rtl/update_scope.h"

namespace {

// Runs work inside BeginUpdate / EndUpdate; the update is ended on every path.
template <class Work>
void WithinUpdate(TCollection& collection, Work work) {
    const auto update = UpdateScope(collection);
    work();
}

}  // namespace

TCollectionItem::~TCollectionItem() {
    if (collection_ == nullptr)
        return;
    try {
        collection_->RemoveItem(this);
    } catch (...) {
        if (collection_ != nullptr)
            collection_->DropItem(this);
    }
}

void TCollectionItem::BeforeDestruction() {
    if (collection_ != nullptr)
        collection_->RemoveItem(this);
}

int TCollectionItem::Index() const {
    if (collection_ == nullptr)
        return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int value) {
    const int current = Index();
    if (current < 0 || current == value)
        return;
    collection_->CheckIndex(value, collection_->Count() - 1);
    auto& items = collection_->items_;
    items.erase(items.begin() + current);
    items.insert(items.begin() + value, this);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const std::string&) {
    Changed(false);
}

TPersistent* TCollectionItem::GetOwner() const {
    return collection_;
}

std::string TCollectionItem::GetNamePath() const {
    if (collection_ == nullptr)
        return ClassName();
    return Format("%s[%d]", {collection_->GetNamePath(), Index()});
}

void TCollectionItem::Changed(bool allItems) {
    if (collection_ != nullptr && collection_->updateCount_ == 0)
        collection_->Update(allItems ? nullptr : this);
}

TCollection::TCollection(TCollectionItemClass itemClass) : itemClass_(std::move(itemClass)) {}

TCollection::~TCollection() {
    // A descendant is gone already: its items leave without notices.
    while (!items_.empty()) {
        TCollectionItem* last = items_.back();
        items_.pop_back();
        last->collection_ = nullptr;
        Free(last);
    }
}

TCollectionItem* TCollection::Add() {
    std::unique_ptr<TCollectionItem> item = itemClass_(*this);
    TCollectionItem* added = item.get();
    InsertItem(std::move(item));
    return added;
}

TCollectionItem* TCollection::Insert(int index) {
    CheckIndex(index, Count());
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    Notify(item, cnDeleting);
    Free(item);
}

void TCollection::Clear() {
    if (items_.empty())
        return;
    WithinUpdate(*this, [this] {
        while (!items_.empty()) Free(items_.back());
    });
}

TCollectionItem* TCollection::Items(int index) const {
    CheckIndex(index, Count() - 1);
    return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id)
            return item;
    return nullptr;
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0)
        --updateCount_;
    Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCollection*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    WithinUpdate(*this, [this, other] {
        Clear();
        for (const TCollectionItem* item : other->items_) Add()->Assign(*item);
    });
}

std::string TCollection::GetNamePath() const {
    const TPersistent* owner = GetOwner();
    const std::string ownerPath = owner != nullptr ? owner->GetNamePath() : std::string();
    const std::string prop = PropName();
    if (ownerPath.empty() || prop.empty())
        return ClassName();
    return ownerPath + "." + prop;
}

std::string TCollection::PropName() const {
    const TPersistent* owner = GetOwner();
    if (!propName_.empty() || owner == nullptr)
        return propName_;
    // The owner's published property that holds this collection.
    std::string found;
    owner->PublishedProperties().ForEach([&](const TPropertyList&, const TPropInfo& info) {
        if (found.empty() && (info.Kind == pkClass || info.Kind == pkCollection) &&
            std::get<TPersistent*>(info.Get(*owner)) == this)
            found = info.Name;
    });
    return found;
}

void TCollection::InsertItem(std::unique_ptr<TCollectionItem> item) {
    TCollectionItem* added = item.release();
    items_.push_back(added);
    added->collection_ = this;
    added->id_ = nextID_++;
    Notify(added, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, cnExtracting);
    DropItem(item);
    Changed();
}

void TCollection::DropItem(TCollectionItem* item) {
    items_.erase(std::find(items_.begin(), items_.end(), item));
    item->collection_ = nullptr;
}

void TCollection::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit)
        throw EListError(Format("List index out of bounds (%d)", {index}));
}
