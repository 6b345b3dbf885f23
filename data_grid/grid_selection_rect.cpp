// A block of cells between an anchor cell and a moving cell; the rows are records, ordered by the
// dataset's bookmark comparison, and only the buffered (shown) records are ever looked at.
#include <algorithm>
#include <string>

#include "data_controls/system_adapters.h"
#include "data_grid/active_record_keeper.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_selection.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/ui/window_update.h"

namespace {

bool Intersect(const TRect& A, const TRect& B) {
    return std::max(A.Left, B.Left) < std::min(A.Right, B.Right) &&
           std::max(A.Top, B.Top) < std::min(A.Bottom, B.Bottom);
}

// Edges count as inside.
bool InEither(const TRect& A, const TRect& B, TPoint P) {
    auto in = [P](const TRect& r) {
        return P.X >= r.Left && P.X <= r.Right && P.Y >= r.Top && P.Y <= r.Bottom;
    };
    return in(A) || in(B);
}

// The rectangle from P1 (or P2) to P3 (or P2), when P1 or P2 lies in one of the blocks.
bool BuildRect(const TRect& A, const TRect& B, TPoint P1, TPoint P2, TPoint P3, TRect& Result) {
    if (InEither(A, B, P1)) {
        const TPoint bottomRight = InEither(A, B, P3) ? P3 : P2;
        Result = {P1.X, P1.Y, bottomRight.X, bottomRight.Y};
        return true;
    }
    if (InEither(A, B, P2)) {
        Result = {P2.X, P2.Y, P3.X, P3.Y};
        return true;
    }
    return false;
}

}  // namespace

std::array<TRect, 4> DifferenceRects(const TRect& A, const TRect& B) {
    std::array<TRect, 4> result{};
    if (!Intersect(A, B)) {
        result[0] = A;
        result[1] = B;
        return result;
    }
    const TRect u{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                  std::max(A.Bottom, B.Bottom)};
    const TRect i{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                  std::min(A.Bottom, B.Bottom)};
    if (BuildRect(A, B, {u.Left, u.Top}, {u.Left, i.Top}, {u.Left, i.Bottom}, result[0]))
        result[0].Right = i.Left;
    if (BuildRect(A, B, {i.Left, u.Top}, {i.Right, u.Top}, {u.Right, u.Top}, result[1]))
        result[1].Bottom = i.Top;
    if (BuildRect(A, B, {u.Right, i.Top}, {u.Right, i.Bottom}, {u.Right, u.Bottom}, result[2]))
        result[2].Left = i.Right;
    if (BuildRect(A, B, {u.Left, u.Bottom}, {i.Left, u.Bottom}, {i.Right, u.Bottom}, result[3]))
        result[3].Top = i.Bottom;
    return result;
}

TDBGridEhSelectionRect::TDBGridEhSelectionRect(TCustomDBGridEh* Grid, TDBGridEhSelection* Owner)
    : grid_(Grid), owner_(Owner) {}

void TDBGridEhSelectionRect::Reset() {
    anchorCell_ = {};
    movingCell_ = {};
    grid_->Invalidate();
    owner_->NotifyChanged();
}

bool TDBGridEhSelectionRect::IsUsable() const {
    TDataSource* source = grid_->DataSource();
    return source != nullptr && source->DataSet() != nullptr && grid_->DataLink()->Active();
}

void TDBGridEhSelectionRect::CheckUsable(const char* Where) const {
    if (!IsUsable())
        throw EInvalidGridOperation(std::string("Error in ") + Where);
}

int TDBGridEhSelectionRect::Compare(const std::string& A, const std::string& B) const {
    // Without a dataset (a cell picked while it closes) the bookmarks are only told apart.
    const TDataSet* dataSet = grid_->DataLink()->DataSet();
    return dataSet != nullptr ? DataSetCompareBookmarkStrings(*dataSet, A, B) : A.compare(B);
}

std::string TDBGridEhSelectionRect::TopRowBookmark() const {
    CheckUsable("TDBGridEhSelectionRect.TopRowBookmark");
    return Compare(anchorCell_.RowBookmark, movingCell_.RowBookmark) <= 0 ? anchorCell_.RowBookmark
                                                                          : movingCell_.RowBookmark;
}

std::string TDBGridEhSelectionRect::GetBottomRow() const {
    CheckUsable("TDBGridEhSelectionRect.GetBottomRow");
    return Compare(anchorCell_.RowBookmark, movingCell_.RowBookmark) < 0 ? movingCell_.RowBookmark
                                                                         : anchorCell_.RowBookmark;
}

void TDBGridEhSelectionRect::ForEachRow(TDataSet& DataSet, const std::function<void()>& Visit) const {
    const std::string bottom = GetBottomRow();
    DataSet.GotoBookmark(TopRowBookmark());
    while (!DataSet.Eof()) {
        Visit();
        if (DataSet.CompareBookmarks(DataSet.GetBookmark(), bottom) == 0)
            break;
        DataSet.Next();
    }
}

int TDBGridEhSelectionRect::LeftColIndex() const {
    CheckUsable("TDBGridEhSelectionRect.LeftColIndex");
    return std::min(anchorCell_.ColumnIndex, movingCell_.ColumnIndex);
}

int TDBGridEhSelectionRect::RightColIndex() const {
    CheckUsable("TDBGridEhSelectionRect.RightColIndex");
    return std::max(anchorCell_.ColumnIndex, movingCell_.ColumnIndex);
}

bool TDBGridEhSelectionRect::CellSelected(int DataCol, const std::string& Bookmark) const {
    CheckUsable("function TDBGridEhSelectionRect.CellSelected");
    if (Compare(TopRowBookmark(), Bookmark) > 0 || Compare(GetBottomRow(), Bookmark) < 0)
        return false;
    return DataCol >= LeftColIndex() && DataCol <= RightColIndex();
}

void TDBGridEhSelectionRect::ExtendTo(int DataCol, const std::string& Bookmark, bool KeepAnchor) {
    if (owner_->Kind() != gskRectangleEh)
        owner_->Reset();
    const TDBCell oldAnchor = anchorCell_;
    const TDBCell oldMoving = movingCell_;
    if (anchorCell_.ColumnIndex == -1 || !KeepAnchor)
        anchorCell_ = {DataCol, Bookmark};
    movingCell_ = {DataCol, Bookmark};
    if (anchorCell_.ColumnIndex != movingCell_.ColumnIndex ||
        Compare(anchorCell_.RowBookmark, movingCell_.RowBookmark) != 0)
        owner_->ChangeKind(gskRectangleEh);
    else if (owner_->Kind() == gskRectangleEh)
        owner_->ChangeKind(gskNoneEh);
    if (!grid_->HandleAllocated())
        return;
    // Only what differs between the old block and the new one is painted again.
    const TRect oldBox = oldAnchor.ColumnIndex == -1 ? TRect{}
                                                     : CellsBox(oldAnchor.ColumnIndex, oldAnchor.RowBookmark,
                                                                oldMoving.RowBookmark, oldMoving.ColumnIndex);
    const TRect newBox = CellsBox(anchorCell_.ColumnIndex, anchorCell_.RowBookmark, movingCell_.RowBookmark,
                                  movingCell_.ColumnIndex);
    for (const TRect& part : DifferenceRects(oldBox, newBox)) InvalidateRect(grid_->Handle(), &part, false);
    owner_->NotifyChanged();
}

std::string TDBGridEhSelectionRect::BufferedBookmark(int Index) const {
    grid_->DataLink()->SetActiveRecord(Index);
    return grid_->DataLink()->DataSet()->GetBookmark();
}

int TDBGridEhSelectionRect::BufferIndexOfBookmark(const std::string& Bookmark) const {
    for (int i = 0; i < grid_->DataLink()->RecordCount(); ++i)
        if (Compare(BufferedBookmark(i), Bookmark) == 0)
            return i;
    return -1;
}

int TDBGridEhSelectionRect::FirstBoxRow(const std::string& Bookmark) const {
    const int count = grid_->DataLink()->RecordCount();
    if (count == 0 || Compare(Bookmark, BufferedBookmark(0)) < 0)
        return 0;
    const int index = BufferIndexOfBookmark(Bookmark);
    return index >= 0 ? index : count;
}

int TDBGridEhSelectionRect::LastBoxRow(const std::string& Bookmark) const {
    const int count = grid_->DataLink()->RecordCount();
    if (count > 0 && Compare(Bookmark, BufferedBookmark(count - 1)) <= 0)
        return BufferIndexOfBookmark(Bookmark);
    return grid_->VisibleDataRowCount();
}

TRect TDBGridEhSelectionRect::CellsBox(int Col1, const std::string& Bookmark1, const std::string& Bookmark2,
                                       int Col2) const {
    if (!IsUsable())
        return {};
    const int left = std::min(Col1, Col2);
    const int right = std::max(Col1, Col2);
    const bool ordered = Compare(Bookmark1, Bookmark2) <= 0;
    const std::string& upper = ordered ? Bookmark1 : Bookmark2;
    const std::string& lower = ordered ? Bookmark2 : Bookmark1;
    int first = 0;
    int last = 0;
    {
        ActiveRecordKeeper keeper(*grid_->DataLink());
        first = FirstBoxRow(upper);
        last = LastBoxRow(lower);
    }
    const int above = grid_->TopDataOffset();
    return grid_->CellsBoxRect(grid_->DataColToGridCol(left), first + above, grid_->DataColToGridCol(right),
                               last + above);
}

TGridRect TDBGridEhSelectionRect::AsGridRect() const {
    const int left = grid_->DataColToGridCol(LeftColIndex());
    const int right = grid_->DataColToGridCol(RightColIndex());
    TGridDataLinkEh& link = *grid_->DataLink();
    if (!link.Active())
        return EmptyGridRectEh;
    const std::string top = TopRowBookmark();
    const std::string bottom = GetBottomRow();
    int topRow = -1;
    int bottomRow = -1;
    {
        ActiveRecordKeeper keeper(link);
        for (int i = 0; i < link.RecordCount(); ++i) {
            const std::string bookmark = BufferedBookmark(i);
            if (topRow < 0 && Compare(bookmark, top) >= 0)
                topRow = i;
            if (Compare(bookmark, bottom) <= 0)
                bottomRow = i;
        }
    }
    if (topRow < 0 || bottomRow < 0)
        return EmptyGridRectEh;
    const int above = grid_->TopDataOffset();
    return {left, topRow + above, right, bottomRow + above};
}
