#pragma once
// TBookmarkListEh: the records selected in a data grid, as the dataset's bookmark strings kept in
// the dataset's own bookmark order. Painting asks once per cell whether its record is selected, so
// the question is a tree search, and a one-entry cache answers the other cells of the same row.
// The entries are a balanced tree that knows each entry's index: selecting 100,000 rows one by one
// stays O(n log n), where a sorted array would move half of itself on every insert.
#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>
#include <string>

#include "data_grid/grid_parts.h"

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
    bool Contains(const std::string& Bookmark) override;
    // The entry's index, -1 when the bookmark is not selected.
    int PositionOf(const std::string& Bookmark);
    int Count() const override { return static_cast<int>(entries_.size()); }
    // Raises EListError outside 0 .. Count() - 1.
    std::string ItemAt(int Index) const override;
    int CompareEntries(const std::string& A, const std::string& B) const;
    // Deletes the selected records from the dataset, last first; stops at the first that fails.
    void DeleteSelectedRecords();
    void LinkStateChanged(bool Active) override;
    TGridRect AsGridRect() override;
    bool DataLinkActive() const { return dataLinkActive_; }

  private:
    // Orders entries as the list's dataset orders bookmarks.
    struct EntryOrder {
        const TBookmarkListEh* List = nullptr;
        bool operator()(const std::string& A, const std::string& B) const {
            return List->CompareEntries(A, B) < 0;
        }
    };
    using Entries = __gnu_pbds::tree<std::string, __gnu_pbds::null_type, EntryOrder, __gnu_pbds::rb_tree_tag,
                                     __gnu_pbds::tree_order_statistics_node_update>;

    void ListChanged();
    TDataSet* DataSet() const;
    IGridSelectionEh* Selection() const;

    std::string cachedBookmark_;
    bool cachedFound_ = false;
    int cachedIndex_ = -1;  // -1: nothing cached
    TCustomDBGridEh* grid_;
    bool dataLinkActive_ = false;
    Entries entries_{EntryOrder{this}};
};
