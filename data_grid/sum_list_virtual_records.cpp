// Virtual record numbers: for a dataset that does not number its records, the position of the
// record's bookmark in the list kept in the dataset's bookmark order.
#include "data_grid/sum_list.h"

bool TDBSumListProducer::UsesVirtualNumbers() const {
    return KeepsBookmarks() && active_;
}

int TDBSumListProducer::VirtualRecNo() {
    if (UsesVirtualNumbers())
        return 1 + LocateVirtualRecord(dataSet_->GetBookmark());
    return dataSet_ != nullptr ? dataSet_->RecNo() : 0;
}

int TDBSumListProducer::LocateVirtualRecord(const TBookmark& Bookmark) {
    const int count = static_cast<int>(virtualRecordList_.size());
    if (count == 0 || dataSet_ == nullptr)
        return -1;
    int index = lastVirtualIndex_ < 0 || lastVirtualIndex_ >= count ? 0 : lastVirtualIndex_;
    const int order =
        dataSet_->CompareBookmarks(virtualRecordList_[static_cast<std::size_t>(index)], Bookmark);
    const int step = order > 0 ? -1 : 1;
    while (order != 0 && index >= 0 && index < count &&
           dataSet_->CompareBookmarks(virtualRecordList_[static_cast<std::size_t>(index)], Bookmark) != 0)
        index += step;
    lastVirtualIndex_ = index;
    return index >= 0 && index < count ? index : -1;
}

void TDBSumListProducer::MoveToVirtualRecNo(int RecNo) {
    if (!UsesVirtualNumbers()) {
        if (dataSet_ != nullptr)
            dataSet_->SetRecNo(RecNo);
        return;
    }
    // A pending insert posts first, placing its bookmark; the numbers then count it. The bookmark
    // goes by copy: a post inside the move could grow the list under a reference.
    dataSet_->CheckBrowseMode();
    if (RecNo >= 1 && RecNo <= static_cast<int>(virtualRecordList_.size())) {
        const TBookmark bookmark = virtualRecordList_[static_cast<std::size_t>(RecNo - 1)];
        dataSet_->GotoBookmark(bookmark);
    }
}

int TDBSumListProducer::VirtualRecordCount() {
    if (UsesVirtualNumbers())
        return static_cast<int>(virtualRecordList_.size());
    return dataSet_ != nullptr ? dataSet_->RecordCount() : 0;
}

bool TDBSumListProducer::HasSequence() {
    if (dataSet_ == nullptr)
        return false;
    if (dataSet_->IsSequenced())
        return true;
    if (!UsesVirtualNumbers())
        return false;
    return !virtualRecordList_.empty() || (dataSet_->Bof() && dataSet_->Eof());
}

void TDBSumListProducer::PlaceBookmark(const TBookmark& Bookmark) {
    auto& list = virtualRecordList_;
    const int count = static_cast<int>(list.size());
    if (count == 0) {
        list.push_back(Bookmark);
        return;
    }
    int index = lastVirtualIndex_ < 0 || lastVirtualIndex_ >= count ? 0 : lastVirtualIndex_;
    const auto compare = [&](int at) {
        return dataSet_->CompareBookmarks(list[static_cast<std::size_t>(at)], Bookmark);
    };
    const int order = compare(index);
    if (order < 0) {
        while (index < count && compare(index) < 0) ++index;
    } else if (order > 0) {
        while (index >= 0 && compare(index) > 0) --index;
        ++index;
    }
    list.insert(list.begin() + index, Bookmark);
}

void TDBSumListProducer::TakeBackBookmark(const TBookmark& Bookmark) {
    const int index = LocateVirtualRecord(Bookmark);
    if (index >= 0)
        virtualRecordList_.erase(virtualRecordList_.begin() + index);
}
