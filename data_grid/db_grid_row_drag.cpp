// Dragging records by the indicator to move them: the drag starts on a (selected) record's
// indicator, a dotted line shows where the records would land, and the drop asks the program or
// the dataset's features to move them.
#include <vector>

#include "data_grid/db_grid.h"
#include "data_grid/grid_unit.h"
#include "platform/db/dataset.h"
#include "platform/ui/canvas.h"
#include "platform/ui/pen.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/win_control.h"

namespace {

constexpr int kDragInterval = 60;

bool KeyHeld(int VirtualKey) {
    return (GetKeyState(VirtualKey) & 0x8000) != 0;
}

}  // namespace

// The record at a data row of the link's window, read without moving the dataset.
template <class Read>
static auto ReadBufferedRecord(TGridDataLinkEh& Link, int DataRow, Read read) {
    const int saved = Link.ActiveRecord();
    Link.SetActiveRecord(DataRow);
    struct Back {
        TGridDataLinkEh& link;
        int row;
        ~Back() { link.SetActiveRecord(row); }
    } back{Link, saved};
    return read(*Link.DataSet());
}

bool TCustomDBGridEh::BeginRowDrag(int X, int Y, bool CheckOnly) {
    if (!dataLink_->Active() || !extOptions_.Contains(gxoRecordMovingEh))
        return false;
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.X >= indicatorOffset_ || !InDataRows(cell) || dataLink_->DataSet()->IsEmpty())
        return false;
    const int dataRow = cell.Y - topDataOffset_;
    if (dataRow >= dataLink_->RecordCount())
        return false;
    const TBookmark bookmark =
        ReadBufferedRecord(*dataLink_, dataRow, [](TDataSet& DataSet) { return DataSet.GetBookmark(); });
    const int level = HasMemTable() ? TreeLevelAtPoint(X, Y) : -1;
    if (SelectionKindAllowed(gskRowsEh)) {
        if (!selectedRows_->Contains(bookmark) || KeyHeld(VK_SHIFT) || KeyHeld(VK_MENU) ||
            KeyHeld(VK_CONTROL))
            return false;
    }
    if (CheckOnly)
        return true;
    rowDrag_.SourceRow = rowDrag_.TargetRow = cell.Y;
    rowDrag_.SourceBookmark = bookmark;
    rowDrag_.SourceLevel = level;
    rowDrag_.TargetLevel = level;
    if (!CanStartRowDrag())
        return false;
    EnterPressMode(TPressModeEh::DraggingRows);
    PaintNow();
    rowDrag_.LineStart = HasMemTable() ? TreeLevelAtPoint(X, Y) : 0;
    DrawDropLine();
    StartScrollTimer(kDragInterval);
    return true;
}

bool TCustomDBGridEh::DropLineBelow() const {
    return rowDrag_.SourceRow < rowDrag_.TargetRow ||
           (rowDrag_.SourceRow == rowDrag_.TargetRow && rowDrag_.SourceLevel > rowDrag_.TargetLevel);
}

void TCustomDBGridEh::DrawDropLine() {
    if (pressMode_ != TPressModeEh::DraggingRows || rowDrag_.TargetRow < 0)
        return;
    const TRect row = CellRect(0, rowDrag_.TargetRow);
    const int y = DropLineBelow() ? row.Bottom : row.Top;
    DrawInvertedDotLine({rowDrag_.LineStart, y}, {ClientWidth(), y}, 5, clWhite);
}

void TCustomDBGridEh::RowAtDragPoint(int X, int Y) {
    const int level = TreeLevelAtPoint(X, Y);
    if (HasMemTable() || !dataLink_->Active())
        return;
    TDataSet& dataSet = *dataLink_->DataSet();
    const TGridCoord cell = MouseCoord(X, Y);
    const TRect target = CellRect(0, rowDrag_.TargetRow);
    if (cell.Y == rowDrag_.TargetRow && Y >= target.Top && Y < target.Bottom)
        return;
    const int firstRow = topDataOffset_;
    const int lastRow = topDataOffset_ + dataLink_->RecordCount() - 1;
    const TRect last = CellRect(0, lastRow);
    TGridDrawInfo info;
    CalcDrawInfo(info);
    int row = cell.Y;
    if (Y >= last.Bottom || Y >= info.Vert.GridBoundary) {
        DrawDropLine();
        dataSet.MoveBy(dataLink_->RecordCount() - dataLink_->ActiveRecord());
        DrawDropLine();
        row = topDataOffset_ + dataLink_->RecordCount() - 1;
    } else if (Y < info.Vert.FixedBoundary) {
        DrawDropLine();
        dataSet.MoveBy(-(dataLink_->ActiveRecord() + 1));
        DrawDropLine();
        row = firstRow;
    }
    if (row < firstRow || row > lastRow)
        return;
    if (!MoveSelectedRecords(row - topDataOffset_, level, true))
        return;
    DrawDropLine();
    rowDrag_.TargetRow = row;
    rowDrag_.TargetLevel = level;
    DrawDropLine();
}

void TCustomDBGridEh::EndRowDrag(int X, int Y, bool Dropped) {
    StopScrollTimer();
    DrawDropLine();
    LeavePressMode();
    int origin = rowDrag_.SourceRow;
    int destination = rowDrag_.TargetRow;
    // Levels count only in a memory-table view; a plain dataset has none to change.
    const bool otherLevel = HasMemTable() && rowDrag_.TargetLevel != rowDrag_.SourceLevel;
    if (Dropped && EndGridRowDrag(origin, destination, {X, Y}) &&
        (rowDrag_.TargetRow != rowDrag_.SourceRow || otherLevel))
        MoveSelectedRecords(rowDrag_.TargetRow - topDataOffset_, rowDrag_.TargetLevel, false);
    rowDrag_ = {};
}

bool TCustomDBGridEh::MoveSelectedRecords(int TargetRecNo, int TreeLevel, bool CheckOnly) {
    std::vector<std::string> bookmarks;
    for (int i = 0; i < selectedRows_->Count(); ++i) bookmarks.push_back(selectedRows_->ItemAt(i));
    if (bookmarks.empty())
        bookmarks.push_back(rowDrag_.SourceBookmark);
    return MoveRecords(bookmarks, TargetRecNo, TreeLevel, CheckOnly);
}

bool TCustomDBGridEh::MoveRecords(const std::vector<std::string>& Bookmarks, int TargetRecNo, int TreeLevel,
                                  bool CheckOnly) {
    // TargetRecNo comes as the target's data row; the record number of the record buffered there
    // goes on.
    int recNo = -1;
    if (dataLink_->Active() && TargetRecNo >= 0 && TargetRecNo < dataLink_->RecordCount())
        recNo =
            ReadBufferedRecord(*dataLink_, TargetRecNo, [](TDataSet& DataSet) { return DataSet.RecNo(); });
    if (OnRecordsMove)
        return OnRecordsMove(this, Bookmarks, recNo, TreeLevel, CheckOnly);
    return MoveRecordsDefault(Bookmarks, recNo, TreeLevel, CheckOnly);
}

bool TCustomDBGridEh::MoveRecordsDefault(const std::vector<std::string>& Bookmarks, int TargetRecNo,
                                         int /*TreeLevel*/, bool CheckOnly) {
    TDataSet* dataSet = dataLink_->DataSet();
    TDBGridEhDataService* service = DBGridEhDataService();
    if (HasMemTable() || dataSet == nullptr || service == nullptr || !dataLink_->Active())
        return false;
    const int count = dataLink_->RecordCount();
    const int offset = dataLink_->ActiveRecord() + ((count + 1) % 2) - count / 2;
    const int middleRow = dataLink_->ActiveRecord() - offset;
    int middle = -1;
    if (middleRow >= 0 && middleRow < count)
        middle = ReadBufferedRecord(*dataLink_, middleRow, [](TDataSet& DataSet) { return DataSet.RecNo(); });
    const bool moved = service->MoveRecords(this, Bookmarks, TargetRecNo, CheckOnly);
    if (CheckOnly)
        return moved;
    if (middle > 0) {
        dataSet->SetRecNo(middle);
        dataSet->MoveBy(offset);
    }
    return moved;
}
