#include "data_grid/bookmark_list.h"

#include <iterator>

#include "data_controls/system_adapters.h"
#include "data_grid/active_record_keeper.h"
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

TBookmarkListEh::TBookmarkListEh(TCustomDBGridEh* Grid) : grid_(Grid) {}

TBookmarkListEh::~TBookmarkListEh() = default;

void TBookmarkListEh::ListChanged() {
    cachedBookmark_.clear();
    cachedIndex_ = -1;
}

TDataSet* TBookmarkListEh::DataSet() const {
    return grid_->DataLink()->DataSet();
}

IGridSelectionEh* TBookmarkListEh::Selection() const {
    return grid_->Selection();
}

std::string TBookmarkListEh::ItemAt(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    return *entries_.find_by_order(static_cast<std::size_t>(Index));
}

void TBookmarkListEh::ClearAll() {
    if (entries_.empty())
        return;
    entries_.clear();
    ListChanged();
    if (IGridSelectionEh* selection = Selection())
        selection->Revalidate();
    grid_->Invalidate();
    if (IGridSelectionEh* selection = Selection())
        selection->NotifyChanged();
}

std::string TBookmarkListEh::CurrentBookmark() const {
    if (!dataLinkActive_ || DataSet() == nullptr)
        throw EInvalidGridOperation("Cannot perform this operation on a closed dataset");
    return DataSet()->GetBookmark();
}

bool TBookmarkListEh::IsCurrentRowSelected() {
    return Contains(CurrentBookmark());
}

void TBookmarkListEh::SelectCurrentRow(bool Selected) {
    const std::string bookmark = CurrentBookmark();
    // An empty dataset or a record not yet posted has no bookmark: there is nothing to select.
    if (bookmark.empty())
        return;
    const bool changed = Selected ? entries_.insert(bookmark).second : entries_.erase(bookmark) > 0;
    if (!changed)
        return;
    ListChanged();
    grid_->InvalidateGridRow(grid_->Row());
    IGridSelectionEh* selection = Selection();
    if (selection == nullptr)
        return;
    // Rows replace a rectangle, columns or the whole grid.
    if (selection->Kind() != gskRowsEh && !entries_.empty()) {
        selection->Reset();
        selection->StoreKind(gskRowsEh);
    }
    selection->Revalidate();
    selection->NotifyChanged();
}

bool TBookmarkListEh::Search(const std::string& Bookmark, int& Index) {
    if (cachedIndex_ >= 0 && Bookmark == cachedBookmark_) {
        Index = cachedIndex_;
        return cachedFound_;
    }
    const auto at = entries_.lower_bound(Bookmark);
    const bool found = at != entries_.end() && CompareEntries(*at, Bookmark) == 0;
    const int low = static_cast<int>(entries_.order_of_key(Bookmark));
    cachedBookmark_ = Bookmark;
    cachedIndex_ = low;
    cachedFound_ = found;
    Index = low;
    return found;
}

bool TBookmarkListEh::Contains(const std::string& Bookmark) {
    if (cachedIndex_ >= 0 && Bookmark == cachedBookmark_)
        return cachedFound_;
    return entries_.find(Bookmark) != entries_.end();
}

int TBookmarkListEh::PositionOf(const std::string& Bookmark) {
    int index = 0;
    return Search(Bookmark, index) ? index : -1;
}

int TBookmarkListEh::CompareEntries(const std::string& A, const std::string& B) const {
    const TDataSet* dataSet = DataSet();
    return dataSet != nullptr ? DataSetCompareBookmarkStrings(*dataSet, A, B) : A.compare(B);
}

void TBookmarkListEh::DeleteSelectedRecords() {
    TDataSet* dataSet = DataSet();
    if (dataSet == nullptr)
        return;
    dataSet->DisableControls();
    try {
        while (!entries_.empty()) {
            const auto last = std::prev(entries_.end());
            dataSet->GotoBookmark(*last);
            dataSet->Delete();
            entries_.erase(last);
            ListChanged();
        }
    } catch (...) {
        ListChanged();
        dataSet->EnableControls();
        throw;
    }
    dataSet->EnableControls();
    if (IGridSelectionEh* selection = Selection())
        selection->Revalidate();
}

void TBookmarkListEh::LinkStateChanged(bool Active) {
    ClearAll();
    if (IGridSelectionEh* selection = Selection())
        selection->Revalidate();
    dataLinkActive_ = Active;
}

TGridRect TBookmarkListEh::AsGridRect() {
    // Only the buffered records are shown; the rest of the dataset is never walked.
    TGridDataLinkEh& link = *grid_->DataLink();
    TDataSet* dataSet = DataSet();
    if (!link.Active() || dataSet == nullptr)
        return EmptyGridRectEh;
    int first = -1;
    int last = -1;
    {
        ActiveRecordKeeper keeper(link);
        for (int i = 0; i < link.RecordCount(); ++i) {
            link.SetActiveRecord(i);
            if (PositionOf(dataSet->GetBookmark()) < 0)
                continue;
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return EmptyGridRectEh;
    const int above = grid_->TopDataOffset();
    return {0, first + above, grid_->ColCount() - 1, last + above};
}
