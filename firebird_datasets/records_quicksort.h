#pragma once
// Hoare's quicksort over positions of a record map. The records stay where they are: read(p) gives
// the sort key of the record at position p, compare(a, b) is -1, 0 or 1, exchange(i, j) swaps two
// map entries. The pivot's key is read once per partition; equal keys end in no defined order.
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope_exit.h"

namespace fibsort {

template <class Key, class Read, class Compare, class Exchange>
void QuickSortRecords(int low, int high, Read& read, Compare& compare, Exchange& exchange) {
    while (low < high) {
        const Key pivot = read((low + high) / 2);
        int i = low;
        int j = high;
        while (i <= j) {
            while (i <= high && compare(read(i), pivot) < 0) ++i;
            while (j >= low && compare(read(j), pivot) > 0) --j;
            if (i <= j) {
                if (i != j && compare(read(i), read(j)) != 0)
                    exchange(i, j);
                ++i;
                --j;
            }
        }
        // The pivot's own record stops both scans under any consistent comparison, so each part is
        // smaller than the whole; a comparison that contradicts itself would loop for ever.
        if (i <= low || j >= high)
            throw Exception("The records compare inconsistently");
        // The smaller part by recursion, the larger in this loop: the stack stays shallow.
        if (j - low < high - i) {
            QuickSortRecords<Key>(low, j, read, compare, exchange);
            low = i;
        } else {
            QuickSortRecords<Key>(i, high, read, compare, exchange);
            high = j;
        }
    }
}

// The same sort run over entries that stand for the records of the map's slots, each carrying its
// key and the slot it started in, so that the cache is touched only once at the end. Position p of
// the map is the entry of slotOf(p) (UniDirectional datasets wrap their positions). The order reached
// (slot -> the slot its record came from) goes to apply, also when the sort fails half-way, so the
// map ends as it would have ended had the sort exchanged its entries all along.
template <class Entry, class Compare, class SlotOf, class Apply>
void QuickSortEntries(std::vector<Entry>& entries, int high, Compare& compare, SlotOf slotOf, Apply apply) {
    auto read = [&](int p) -> const Entry& { return entries[static_cast<std::size_t>(slotOf(p))]; };
    auto exchange = [&](int i, int j) {
        std::swap(entries[static_cast<std::size_t>(slotOf(i))], entries[static_cast<std::size_t>(slotOf(j))]);
    };
    const auto reached = [&entries] {
        std::vector<int> from;
        from.reserve(entries.size());
        for (const Entry& entry : entries) from.push_back(entry.slot);
        return from;
    };
    const TScopeExit applyReached([&] { apply(reached()); });
    QuickSortRecords<Entry>(0, high, read, compare, exchange);
}

class TSortKeys;

// QuickSortRecords over positions 0..high by the records' sort keys (one per slot of the map; a
// non-zero wrap maps position p to slot p % wrap). order receives, for each slot, the slot its
// record came from; it is filled also when the sort throws.
void QuickSortByKeys(const TSortKeys& keys, int high, int wrap, std::vector<int>& order);

}  // namespace fibsort
