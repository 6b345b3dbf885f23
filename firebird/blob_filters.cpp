#include "firebird/blob_filters.h"

#include <algorithm>

void TIBBlobFilters::Add(int subtype, TBlobFilterProc readProc, TBlobFilterProc writeProc) {
    int index = 0;
    if (Find(subtype, index)) {
        entries_[static_cast<std::size_t>(index)].ReadProc = std::move(readProc);
        entries_[static_cast<std::size_t>(index)].WriteProc = std::move(writeProc);
        return;
    }
    entries_.insert(entries_.begin() + index, Entry{subtype, std::move(readProc), std::move(writeProc)});
}

void TIBBlobFilters::Sort() {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.Subtype < b.Subtype; });
    sorted_ = true;
}

bool TIBBlobFilters::Find(int subtype, int& index) {
    if (!sorted_)
        Sort();
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), subtype,
                                     [](const Entry& e, int s) { return e.Subtype < s; });
    index = static_cast<int>(it - entries_.begin());
    return it != entries_.end() && it->Subtype == subtype;
}

const TBlobFilterProc* TIBBlobFilters::GetFilterProc(int subtype, bool writing) {
    int index = 0;
    if (!Find(subtype, index))
        return nullptr;
    const Entry& entry = entries_[static_cast<std::size_t>(index)];
    const TBlobFilterProc& proc = writing ? entry.WriteProc : entry.ReadProc;
    return proc ? &proc : nullptr;
}

void TIBBlobFilters::DoFilter(std::string& data, bool writing, int subtype) {
    if (subtype >= 0 || data.empty())
        return;
    if (const TBlobFilterProc* proc = GetFilterProc(subtype, writing))
        (*proc)(data);
}
