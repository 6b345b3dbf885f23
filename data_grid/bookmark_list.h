#pragma once
// TBookmarkListEh: the records selected in a data grid, as the dataset's bookmark strings kept in
// the dataset's own bookmark order. Painting asks once per cell whether its record is selected, so
// the question is a binary search, and a one-entry cache answers the other cells of the same row.
#include <string>

#include "data_grid/grid_parts.h"
#include "platform/rtl/string_list.h"

class TCustomDBGridEh;
class TDataSet;

class TBookmarkListEh : public IGridSelectedRowsEh {
  public:
    explicit TBookmarkListEh(TCustomDBGridEh* Grid);
    ~TBookmarkListEh() override;
    TBookmarkListEh(const TBookmarkListEh&) = delete;
    TBookmarkListEh& operator=(const TBookmarkListEh&) = delete;

    // Empties a list that is not empty, then repaints the grid and tells of the change.
    void ClearAll();
    void Clear() override { ClearAll(); }
    // The current record's bookmark; raises EInvalidGridOperation on a closed dataset.
    std::string CurrentBookmark() const;
    bool IsCurrentRowSelected() override;
    void SelectCurrentRow(bool Selected) override;
    bool Search(const std::string& Bookmark, int& Index) override;
    // The entry's index, -1 when the bookmark is not selected.
    int PositionOf(const std::string& Bookmark);
    int Count() const override { return entries_.Count(); }
    std::string ItemAt(int Index) const override { return entries_.Get(Index); }
    int CompareEntries(const std::string& A, const std::string& B) const;
    // Deletes the selected records from the dataset, last first; stops at the first that fails.
    void DeleteSelectedRecords();
    void LinkStateChanged(bool Active) override;
    TGridRect AsGridRect() override;
    bool DataLinkActive() const { return dataLinkActive_; }

  private:
    void ListChanged();
    TDataSet* DataSet() const;
    IGridSelectionEh* Selection() const;

    std::string cachedBookmark_;
    bool cachedFound_ = false;
    int cachedIndex_ = -1;  // -1: nothing cached
    TCustomDBGridEh* grid_;
    bool dataLinkActive_ = false;
    TStringList entries_;
};
