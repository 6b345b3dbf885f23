// Full recalculation: one scan of the dataset that counts every sum afresh and, for a dataset
// that does not number its records, collects their bookmarks in order.
#include "data_grid/sum_list.h"
#include "platform/db/field.h"

bool TDBSumListProducer::CanRecalc() const {
    return (designModeSums_ || !OwnerDesigning()) && !OwnerLoading() && active_ && dataSet_ != nullptr &&
           dataSet_->Active() && eventsHooked_;
}

bool TDBSumListProducer::NeedsScan() const {
    for (int i = 0; i < sumCollection_->Count(); ++i)
        if (sumCollection_->Items(i)->Live())
            return true;
    return KeepsBookmarks();
}

void TDBSumListProducer::RememberFilter() {
    if (dataSet_ == nullptr)
        return;
    filtered_ = dataSet_->Filtered();
    filter_ = dataSet_->Filter();
}

void TDBSumListProducer::RecalcSums() {
    if (!CanRecalc())
        return;
    // A pending edit or insert is posted before the totals are cleared: posted by the scan's move
    // to the first record instead, it would be counted by the post and again by the scan.
    if (!externalRecalc_ && NeedsScan())
        dataSet_->CheckBrowseMode();
    ZeroSums();
    // The recount starts from the records as they are: an insert or delete the list saw begin
    // (perhaps while it was switched off since) is no longer pending for it.
    ForgetPending();
    lastVirtualIndex_ = -1;
    if (OnRecalcAll)
        OnRecalcAll(this);
    try {
        if (!externalRecalc_) {
            if (NeedsScan())
                ScanRecords();
            if (OnAfterRecalcAll)
                OnAfterRecalcAll(this);
        }
    } catch (...) {
        RememberFilter();
        changing_ = false;
        FireSumListChanged();
        throw;
    }
    RememberFilter();
    changing_ = false;
    FireSumListChanged();
}

void TDBSumListProducer::AccumulateRecord() {
    for (int i = 0; i < sumCollection_->Count(); ++i) {
        TDBSum& sum = *sumCollection_->Items(i);
        if (!sum.Live())
            continue;
        const TContribution record = RecordContribution(sum);
        if (record.Null)
            continue;
        if (sum.GroupOperation() == goAvg) {
            ++sum.NotNullCount;
            sum.RunningTotal = fixed_point::Add(sum.RunningTotal, record.Value);
        } else {
            sum.AggregateValue = fixed_point::Add(sum.AggregateValue, record.Value);
        }
    }
    if (KeepsBookmarks())
        virtualRecordList_.push_back(dataSet_->GetBookmark());
}

void TDBSumListProducer::ScanRecords() {
    TDataSet& dataSet = *dataSet_;
    dataSet.DisableControls();
    try {
        // The user stays on the record he was on.
        const TBookmark current = dataSet.GetBookmark();
        virtualRecordList_.clear();
        changing_ = true;
        dataSet.First();
        while (!dataSet.Eof()) {
            AccumulateRecord();
            dataSet.Next();
        }
        for (int i = 0; i < sumCollection_->Count(); ++i)
            if (TDBSum& sum = *sumCollection_->Items(i); sum.Live() && sum.GroupOperation() == goAvg)
                sum.AggregateValue = fixed_point::Average(sum.RunningTotal, sum.NotNullCount);
        // Back even onto the last record: the walk ended past it, at Eof, and a scan that runs
        // inside another list's scan (both hooked on AfterScroll) would end that scan early.
        if (!current.empty() && dataSet.BookmarkValid(current))
            dataSet.GotoBookmark(current);
    } catch (...) {
        dataSet.EnableControls();
        throw;
    }
    dataSet.EnableControls();
}
