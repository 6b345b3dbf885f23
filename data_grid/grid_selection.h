#pragma once
// What the user has selected in a data grid: whole records (the grid's TBookmarkListEh), a block
// of cells between two corners, whole columns, or the whole grid. TDBGridEhSelection holds the kind
// and hands each question to the part that holds that kind.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data_grid/grid_parts.h"

class TDataSet;
class TCustomDBGridEh;
class TDBGridEhSelection;

// The selected columns, in ascending collection order; the columns are the grid's, not owned.
class TDBGridEhSelectionCols {
  public:
    TDBGridEhSelectionCols(TCustomDBGridEh* Grid, TDBGridEhSelection* Owner);

    int Count() const { return static_cast<int>(columns_.size()); }
    IGridColumnEh* Items(int Index) const { return columns_.at(static_cast<std::size_t>(Index)); }
    bool Contains(const IGridColumnEh* Column) const;
    void AddInOrder(IGridColumnEh* Column);
    void Remove(const IGridColumnEh* Column);
    // Repaints the selected columns, empties the list and forgets the anchor.
    void Clear();
    void SelectColumn(IGridColumnEh* Column, bool AddToSelection);
    void ToggleColumn(IGridColumnEh* Column);
    // Shift on a title: extends the range from the anchor to the column, undoing only what the
    // same range extension did when it shrinks.
    void ExtendToColumn(IGridColumnEh* Target);
    // Forgets columns the grid no longer has and puts the rest back in collection order.
    void DropStaleColumns();
    TGridRect AsGridRect() const;

    IGridColumnEh* AnchorColumn() const { return anchorColumn_; }
    IGridColumnEh* ShiftColumn() const { return shiftColumn_; }
    const std::vector<IGridColumnEh*>& ShiftChangedColumns() const { return shiftChangedColumns_; }

  private:
    struct Walk {
        int start = 0;
        int end = 0;
        int step = 1;
        bool adding = true;
        int turn = -1;
    };
    static Walk PlanWalk(int Anchor, int Shift, int Target);
    void StepColumn(IGridColumnEh* Column, bool Adding);
    // The column's place in the grid's collection; -1 when the grid no longer has it.
    int CollectionIndex(const IGridColumnEh* Column) const;
    void RepaintColumn(const IGridColumnEh* Column);
    bool ShiftChanged(const IGridColumnEh* Column) const;
    void Record(IGridColumnEh* Column);
    void Unrecord(const IGridColumnEh* Column);

    std::vector<IGridColumnEh*> columns_;
    IGridColumnEh* anchorColumn_ = nullptr;
    IGridColumnEh* shiftColumn_ = nullptr;
    std::vector<IGridColumnEh*> shiftChangedColumns_;
    TCustomDBGridEh* grid_;
    TDBGridEhSelection* owner_;
};

// One corner of a block of cells: a data column and a record.
struct TDBCell {
    int ColumnIndex = -1;
    std::string RowBookmark;
};

// The four rectangles that together cover what differs between two blocks; unused ones are empty.
std::array<TRect, 4> DifferenceRects(const TRect& A, const TRect& B);

class TDBGridEhSelectionRect {
  public:
    TDBGridEhSelectionRect(TCustomDBGridEh* Grid, TDBGridEhSelection* Owner);

    const TDBCell& AnchorCell() const { return anchorCell_; }
    const TDBCell& MovingCell() const { return movingCell_; }
    void Reset();
    // The grid has an open dataset to compare bookmarks with.
    bool IsUsable() const;
    std::string TopRowBookmark() const;
    std::string GetBottomRow() const;
    // Moves the dataset through the rectangle's records, top to bottom, calling Visit on each.
    void ForEachRow(TDataSet& DataSet, const std::function<void()>& Visit) const;
    int LeftColIndex() const;
    int RightColIndex() const;
    bool CellSelected(int DataCol, const std::string& Bookmark) const;
    // Moves the opposite corner (and the anchor too unless kept) and repaints what changed.
    void ExtendTo(int DataCol, const std::string& Bookmark, bool KeepAnchor);
    // The client rectangle of the cells between two corners, as far as they are shown.
    TRect CellsBox(int Col1, const std::string& Bookmark1, const std::string& Bookmark2, int Col2) const;
    TGridRect AsGridRect() const;

  private:
    int Compare(const std::string& A, const std::string& B) const;
    void CheckUsable(const char* Where) const;
    int FirstBoxRow(const std::string& Bookmark) const;
    int LastBoxRow(const std::string& Bookmark) const;
    int BufferIndexOfBookmark(const std::string& Bookmark) const;
    std::string BufferedBookmark(int Index) const;

    TDBCell anchorCell_;
    TCustomDBGridEh* grid_;
    TDBCell movingCell_;
    TDBGridEhSelection* owner_;
};

class TDBGridEhSelection : public IGridSelectionEh {
  public:
    explicit TDBGridEhSelection(TCustomDBGridEh* Grid);
    ~TDBGridEhSelection() override;

    TGridSelectionKindEh Kind() const override { return kind_; }
    // Stores a new kind and lets the grid place its editors again.
    void ChangeKind(TGridSelectionKindEh Kind);
    void StoreKind(TGridSelectionKindEh Kind) override { kind_ = Kind; }
    // The grid's selected-rows list.
    IGridSelectedRowsEh* RowList() const;
    TDBGridEhSelectionCols& Columns() { return *columns_; }
    TDBGridEhSelectionRect& Rect() { return *rect_; }
    TCustomDBGridEh* Grid() const { return grid_; }

    bool CellIsSelected(int DataCol, const std::string& Bookmark) override;
    // Clears what the kind holds, then the kind is none whatever the clearing did.
    void Reset() override;
    // Reset; while the grid is being freed only the kind is dropped.
    void Clear() override;
    void SelectWholeGrid() override;
    void Revalidate() override;
    void LinkStateChanged(bool Active) override;
    TGridRect AsGridRect() override;
    void NotifyChanged() override;

  private:
    void ClearKind();
    void FinishReset();

    std::unique_ptr<TDBGridEhSelectionCols> columns_;
    TCustomDBGridEh* grid_;
    std::unique_ptr<TDBGridEhSelectionRect> rect_;
    TGridSelectionKindEh kind_ = gskNoneEh;
};
