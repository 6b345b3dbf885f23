#include "firebird_datasets/field_descr_list.h"

#include "platform/rtl/format.h"

namespace {
// The list grows as the platform's lists do: by a quarter when large, else by 16 or 4.
int GrowthOf(int capacity) {
    if (capacity > 64)
        return capacity / 4;
    return capacity > 8 ? 16 : 4;
}
}  // namespace

int TFIBFieldDescrList::AddFieldDescr(std::int16_t sqlType, std::int16_t scale, std::int16_t size,
                                      bool nullable, bool isDBKey, bool inStringStore, bool isGUID) {
    auto descr = std::make_unique<TFieldDescr>();
    descr->SqlType = sqlType;
    descr->Scale = scale;
    descr->Size = size;
    descr->Nullable = nullable;
    descr->IsDBKey = isDBKey;
    descr->InStringStore = inStringStore;
    descr->IsGUID = isGUID;
    if (Count() == capacity_)
        SetCapacity(capacity_ + GrowthOf(capacity_));
    items_.push_back(std::move(descr));
    return Count() - 1;
}

TFieldDescr* TFIBFieldDescrList::GetDescr(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", {index}));
    return items_[static_cast<std::size_t>(index)].get();
}

void TFIBFieldDescrList::SetCapacity(int capacity) {
    if (capacity < Count())
        throw EListError(Format("List capacity out of bounds (%d)", {capacity}));
    items_.reserve(static_cast<std::size_t>(capacity));
    capacity_ = capacity;
}

void TFIBFieldDescrList::Clear() {
    items_.clear();
    items_.shrink_to_fit();
    capacity_ = 0;
}
