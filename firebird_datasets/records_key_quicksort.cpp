// The local sort over keys read once: one field of numbers sorts entries that hold the number
// itself, anything else sorts slot numbers compared through the key columns.
#include "firebird_datasets/records_quicksort.h"
#include "firebird_datasets/sort_keys.h"

namespace fibsort {
namespace {

struct TSlotEntry {
    std::int32_t slot;
};

template <class T>
struct TNumberEntry {
    T value;
    std::int32_t slot;
    bool null;
};

struct TOwnSlot {
    int operator()(int position) const { return position; }
};

struct TWrappedSlot {
    int wrap;
    int operator()(int position) const { return position % wrap; }
};

template <class T, class ValueOf, class SlotOf>
void SortNumbers(const TSortKeyColumn& column, ValueOf valueOf, int high, SlotOf slotOf,
                 std::vector<int>& order) {
    std::vector<TNumberEntry<T>> entries;
    entries.reserve(static_cast<std::size_t>(column.Count()));
    for (int r = 0; r < column.Count(); ++r) entries.push_back({valueOf(r), r, column.IsNull(r)});
    // As TSortKeyColumn::Compare, with the number at hand.
    auto compare = [d = column.Direction()](const TNumberEntry<T>& a, const TNumberEntry<T>& b) {
        if (a.null || b.null)
            return a.null == b.null ? 0 : (a.null ? -d : d);
        return a.value < b.value ? -d : (b.value < a.value ? d : 0);
    };
    QuickSortEntries(entries, high, compare, slotOf,
                     [&order](std::vector<int> from) { order = std::move(from); });
}

template <class SlotOf>
void SortSlots(const TSortKeys& keys, int high, SlotOf slotOf, std::vector<int>& order) {
    if (keys.Columns().size() == 1) {
        const TSortKeyColumn& column = keys.Columns().front();
        switch (column.Kind()) {
            case TSortKeyKind::Integer:
            case TSortKeyKind::Currency:
            case TSortKeyKind::Boolean:
                return SortNumbers<std::int64_t>(
                    column, [&column](int r) { return column.Exact(r); }, high, slotOf, order);
            case TSortKeyKind::Float:
                return SortNumbers<double>(
                    column, [&column](int r) { return column.Inexact(r); }, high, slotOf, order);
            default:
                break;
        }
    }
    std::vector<TSlotEntry> entries;
    entries.reserve(static_cast<std::size_t>(keys.Count()));
    for (int r = 0; r < keys.Count(); ++r) entries.push_back({r});
    auto compare = [&keys](const TSlotEntry& a, const TSlotEntry& b) { return keys.Compare(a.slot, b.slot); };
    QuickSortEntries(entries, high, compare, slotOf,
                     [&order](std::vector<int> from) { order = std::move(from); });
}

}  // namespace

void QuickSortByKeys(const TSortKeys& keys, int high, int wrap, std::vector<int>& order) {
    if (wrap > 0)
        SortSlots(keys, high, TWrappedSlot{wrap}, order);
    else
        SortSlots(keys, high, TOwnSlot{}, order);
}

}  // namespace fibsort
