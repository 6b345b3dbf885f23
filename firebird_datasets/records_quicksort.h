#pragma once
// Hoare's quicksort over positions of a record map. The records stay where they are: read(p) gives
// the sort key of the record at position p, compare(a, b) is -1, 0 or 1, exchange(i, j) swaps two
// map entries. The pivot's key is read once per partition; equal keys end in no defined order.
#include "platform/rtl/exceptions.h"

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

}  // namespace fibsort
