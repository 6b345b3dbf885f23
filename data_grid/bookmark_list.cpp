#include "data_grid/bookmark_list.h"

#include "data_controls/system_adapters.h"
#include "data_grid/active_record_keeper.h"
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"

TBookmarkListEh::TBookmarkListEh(TCustomDBGridEh* Grid) : grid_(Grid) {
    entries_.OnChange = [this] { ListChanged(); };
}

TBookmarkListEh::~TBookmarkListEh() {
    // The grid is going: nothing is left to repaint or to tell.
    entries_.OnChange = nullptr;
}

void TBookmarkListEh::ListChanged() {
    cachedBookmark_.clear();
    cachedIndex_ = -1;
}

TDataSet* TBookmarkListEh::DataSet() const {
    return grid_->DataLink()->DataSet();
}

IGridSelectionEh* TBookmarkListEh::Selection() const {
    return grid_->SelectionPart();
}

void TBookmarkListEh::ClearAll() {
    if (entries_.Count() == 0)
        return;
    entries_.Clear();
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
    int index = 0;
    return Search(CurrentBookmark(), index);
}

void TBookmarkListEh::SelectCurrentRow(bool Selected) {
    const std::string bookmark = CurrentBookmark();
    // An empty dataset or a record not yet posted has no bookmark: there is nothing to select.
    if (bookmark.empty())
        return;
    int index = 0;
    if (Search(bookmark, index) == Selected)
        return;
    if (Selected)
        entries_.Insert(index, bookmark);
    else
        entries_.Delete(index);
    grid_->InvalidateGridRow(grid_->Row());
    IGridSelectionEh* selection = Selection();
    if (selection == nullptr)
        return;
    // Rows replace a rectangle, columns or the whole grid.
    if (selection->Kind() != gskRowsEh && entries_.Count() > 0) {
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
    const TDataSet* dataSet = DataSet();
    int low = 0;
    int high = entries_.Count() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = static_cast<int>(static_cast<unsigned>(low + high) >> 1);
        const int order = dataSet != nullptr
                              ? DataSetCompareBookmarkStrings(*dataSet, entries_.Get(middle), Bookmark)
                              : entries_.Get(middle).compare(Bookmark);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) {
                found = true;
                low = middle;
            }
        }
    }
    cachedBookmark_ = Bookmark;
    cachedIndex_ = low;
    cachedFound_ = found;
    Index = low;
    return found;
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
        for (int i = entries_.Count() - 1; i >= 0; --i) {
            dataSet->GotoBookmark(entries_.Get(i));
            dataSet->Delete();
            entries_.Delete(i);
        }
    } catch (...) {
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
