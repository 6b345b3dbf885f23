// The sum list's dataset hooks: each edit, insert, post and delete moves the totals by the
// record's contribution instead of rescanning the dataset.
#include "data_grid/sum_list.h"
#include "platform/db/field.h"

namespace {

bool Editing(const TDataSet& DataSet) {
    return DataSet.State() == dsEdit;
}

}  // namespace

TField* TDBSumListProducer::SumField(const TDBSum& Sum) const {
    return dataSet_->FieldByName(Sum.FieldName());
}

TDBSumListProducer::TContribution TDBSumListProducer::RecordContribution(const TDBSum& Sum) const {
    if (Sum.GroupOperation() == goCount && Sum.FieldName().empty())
        return {fixed_point::Scale, false};
    const TField* field = SumField(Sum);
    if (field->IsNull())
        return {0, true};
    if (Sum.GroupOperation() == goCount)
        return {fixed_point::Scale, false};
    return {fixed_point::FromVariant(field->Value()), false};
}

void TDBSumListProducer::RememberContribution(TDBSum& Sum, bool Inserting) {
    // A new record counts nothing until its post, whatever defaults it starts with.
    const TContribution now = Inserting ? TContribution{} : RecordContribution(Sum);
    Sum.PreEditValue = now.Value;
    if (Sum.GroupOperation() != goCount)
        Sum.PreEditVariant = now.Null ? Variant::Null() : SumField(Sum)->Value();
}

void TDBSumListProducer::ApplyPosted(TDBSum& Sum) {
    const TContribution posted = RecordContribution(Sum);
    if (Sum.GroupOperation() == goAvg) {
        const bool wasCounted = !Sum.PreEditVariant.IsNull();
        if (posted.Null && wasCounted)
            --Sum.NotNullCount;
        else if (!posted.Null && !wasCounted)
            ++Sum.NotNullCount;
        Sum.RunningTotal =
            fixed_point::Subtract(fixed_point::Add(Sum.RunningTotal, posted.Value), Sum.PreEditValue);
        Sum.AggregateValue = fixed_point::Average(Sum.RunningTotal, Sum.NotNullCount);
    } else {
        Sum.AggregateValue =
            fixed_point::Subtract(fixed_point::Add(Sum.AggregateValue, posted.Value), Sum.PreEditValue);
    }
    // The posted record now counts with what it holds.
    Sum.PreEditValue = posted.Value;
    if (Sum.GroupOperation() != goCount)
        Sum.PreEditVariant = posted.Null ? Variant::Null() : SumField(Sum)->Value();
}

TDBSumListProducer::TContribution TDBSumListProducer::Removal(const TDBSum& Sum, bool EditingRecord) const {
    // A record deleted in the middle of its edit counts with what it held before the edit.
    if (EditingRecord)
        return {Sum.PreEditValue, Sum.GroupOperation() != goCount && Sum.PreEditVariant.IsNull()};
    return RecordContribution(Sum);
}

void TDBSumListProducer::ApplyRemoval(TDBSum& Sum, TContribution Gone) {
    if (Sum.GroupOperation() == goAvg) {
        Sum.RunningTotal = fixed_point::Subtract(Sum.RunningTotal, Gone.Value);
        if (!Gone.Null)
            --Sum.NotNullCount;
        Sum.AggregateValue = fixed_point::Average(Sum.RunningTotal, Sum.NotNullCount);
    } else {
        Sum.AggregateValue = fixed_point::Subtract(Sum.AggregateValue, Gone.Value);
    }
}

bool TDBSumListProducer::KeepsBookmarks() const {
    return dataSet_ != nullptr && !dataSet_->IsSequenced() && virtualRecords_;
}

void TDBSumListProducer::HookAfterEdit(TDataSet* DataSet) {
    if (active_)
        for (int i = 0; i < sumCollection_->Count(); ++i)
            if (TDBSum& sum = *sumCollection_->Items(i); sum.Live())
                RememberContribution(sum, false);
    CallReplaced(hsAfterEdit, DataSet);
}

void TDBSumListProducer::HookAfterInsert(TDataSet* DataSet) {
    if (active_) {
        for (int i = 0; i < sumCollection_->Count(); ++i)
            if (TDBSum& sum = *sumCollection_->Items(i); sum.Live())
                RememberContribution(sum, true);
        insertedBookmark_.clear();
        if (KeepsBookmarks()) {
            const TBookmark bookmark = dataSet_->GetBookmark();
            if (bookmark.empty()) {
                pendingInsert_ = true;
            } else {
                PlaceBookmark(bookmark);
                insertedBookmark_ = bookmark;
            }
        }
    }
    CallReplaced(hsAfterInsert, DataSet);
}

void TDBSumListProducer::HookAfterOpen(TDataSet* DataSet) {
    if (active_)
        RecalcSums();
    CallReplaced(hsAfterOpen, DataSet);
}

void TDBSumListProducer::HookAfterPost(TDataSet* DataSet) {
    if (active_) {
        for (int i = 0; i < sumCollection_->Count(); ++i)
            if (TDBSum& sum = *sumCollection_->Items(i); sum.Live())
                ApplyPosted(sum);
        if (pendingInsert_ && KeepsBookmarks())
            PlaceBookmark(dataSet_->GetBookmark());
        pendingInsert_ = false;
        insertedBookmark_.clear();
        FireSumListChanged();
    }
    CallReplaced(hsAfterPost, DataSet);
}

void TDBSumListProducer::HookAfterScroll(TDataSet* DataSet) {
    CallReplaced(hsAfterScroll, DataSet);
    if (!active_ || changing_ || dataSet_ == nullptr)
        return;
    const bool filtered = dataSet_->Filtered();
    if (filtered != filtered_ || (filtered && dataSet_->Filter() != filter_))
        RecalcSums();
}

void TDBSumListProducer::HookBeforeDelete(TDataSet* DataSet) {
    CallReplaced(hsBeforeDelete, DataSet);
    deletePending_ = false;
    if (!active_ || dataSet_ == nullptr)
        return;
    const bool editing = Editing(*dataSet_);
    pendingRemovals_.assign(static_cast<std::size_t>(sumCollection_->Count()), TContribution{});
    for (int i = 0; i < sumCollection_->Count(); ++i)
        if (const TDBSum& sum = *sumCollection_->Items(i); sum.Live())
            pendingRemovals_[static_cast<std::size_t>(i)] = Removal(sum, editing);
    deletedVirtualIndex_ = LocateVirtualRecord(dataSet_->GetBookmark());
    deletePending_ = true;
}

void TDBSumListProducer::HookAfterDelete(TDataSet* DataSet) {
    if (deletePending_ && active_ && static_cast<int>(pendingRemovals_.size()) == sumCollection_->Count()) {
        for (int i = 0; i < sumCollection_->Count(); ++i)
            if (TDBSum& sum = *sumCollection_->Items(i); sum.Live())
                ApplyRemoval(sum, pendingRemovals_[static_cast<std::size_t>(i)]);
        if (deletedVirtualIndex_ >= 0 && deletedVirtualIndex_ < static_cast<int>(virtualRecordList_.size()))
            virtualRecordList_.erase(virtualRecordList_.begin() + deletedVirtualIndex_);
        FireSumListChanged();
    }
    deletePending_ = false;
    CallReplaced(hsAfterDelete, DataSet);
}

void TDBSumListProducer::HookAfterClose(TDataSet* DataSet) {
    if (active_) {
        ZeroSums();
        FireSumListChanged();
        changing_ = false;
    }
    virtualRecordList_.clear();
    ForgetPending();
    CallReplaced(hsAfterClose, DataSet);
}

void TDBSumListProducer::ForgetPending() {
    pendingInsert_ = false;
    insertedBookmark_.clear();
    deletePending_ = false;
}

void TDBSumListProducer::HookAfterCancel(TDataSet* DataSet) {
    CallReplaced(hsAfterCancel, DataSet);
    pendingInsert_ = false;
    // The insert that appended a bookmark did not happen.
    if (!insertedBookmark_.empty())
        TakeBackBookmark(insertedBookmark_);
    insertedBookmark_.clear();
}

void TDBSumListProducer::HookMasterAfterScroll(TDataSet* DataSet) {
    CallReplaced(hsMasterAfterScroll, DataSet);
    if (active_ && !changing_)
        RecalcSums();
}
