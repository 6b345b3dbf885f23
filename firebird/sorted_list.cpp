#include "firebird/sorted_list.h"

#include "platform/rtl/format.h"

int CompareIntegers(std::int32_t a, std::int32_t b) {
    return a == b ? 0 : (a > b ? 1 : -1);
}

bool TSortedList::Find(std::int32_t value, int& index) const {
    int lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        const int c = CompareIntegers(items_[static_cast<std::size_t>(mid)], value);
        if (c == 0) {
            index = mid;
            return true;
        }
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    index = lo;
    return false;
}

int TSortedList::Add(std::int32_t value) {
    int index;
    if (!Find(value, index))
        items_.insert(items_.begin() + index, value);
    return index;
}

void TSortedList::Remove(std::int32_t value) {
    int index;
    if (Find(value, index))
        items_.erase(items_.begin() + index);
}

void TSortedList::ShiftFrom(std::int32_t value, std::int32_t delta) {
    int index;
    Find(value, index);
    for (auto it = items_.begin() + index; it != items_.end(); ++it)
        *it = static_cast<std::int32_t>(static_cast<std::uint32_t>(*it) + static_cast<std::uint32_t>(delta));
}

std::int32_t TSortedList::GetItem(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", {index}));
    return items_[static_cast<std::size_t>(index)];
}

std::int32_t TSortedList::Last() const {
    return items_.empty() ? -1 : items_.back();
}
