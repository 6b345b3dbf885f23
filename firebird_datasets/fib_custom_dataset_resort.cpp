// Keeping a local sort after a post or a refresh: the changed record is searched for by halves in
// the order (passing over itself) and its map entry moved to where the order wants it.
#include <algorithm>

#include "firebird_datasets/fib_custom_dataset.h"
#include "platform/rtl/scope_exit.h"

void TFIBCustomDataSet::MoveRecord(int from, int to) {
    to = std::max(to, 1);
    if (to > fetchedCount_) {
        FetchToEnd();
        to = std::min(to, fetchedCount_);
    }
    cache_->MoveRecord(CacheIndex(from - 1), CacheIndex(to - 1));
    Resync({});
}

void TFIBCustomDataSet::ResortCurrentRecord() {
    if (!options_.Contains(poKeepSorting) || !IsSorted()) {
        ClearSortInfo();
        return;
    }
    TRecordBuffer active = ActiveBuffer();
    if (active == nullptr)
        return;
    // A new record is not yet a current one: its number comes from its buffer.
    const int recNo = RecordIndexOf(active) + 1;
    if (State() != dsBrowse)
        SetState(dsBrowse);
    if (recNo <= 0)
        return;
    const bool visibleRecno = options_.Contains(poVisibleRecno);
    const bool wasFiltered = Filtered();
    BeginInternalUpdate();
    options_.Exclude(poVisibleRecno);
    resortingRecNo_ = recNo;
    const TScopeExit finish([&] {
        EndInternalUpdate();
        resortingRecNo_ = -1;
        if (visibleRecno)
            options_.Include(poVisibleRecno);
        if (wasFiltered)
            SetFiltered(true);
    });
    if (wasFiltered) {
        SetFiltered(false);
        First();
        SetRecNo(recNo);
    }
    const std::string names = SortFieldNames();
    LocateInSortOrder(names, FieldValues(names), {eloInSortedDS, eloNearest});
    const int found = GetRecNo();
    const int target = recNo >= found || Eof() ? found : found - 1;
    if (target != recNo)
        MoveRecord(recNo, target);
    // The moved record stays in the row of the window it was shown in.
    currentIndex_ = target - 1;
    Resync({});
    SkipResyncAfterPost();
}
