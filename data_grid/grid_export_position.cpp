// The data position an export keeps: the dataset's controls disabled and the grid's window of
// records restored on every path out of the walk.
#include "data_grid/grid_export_position.h"
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"

TGridDataPositionEh::TGridDataPositionEh(TCustomDBGridEh& Grid)
    : dataSet_(*Grid.DataLink()->DataSet()),
      bufferedRecords_(Grid.DataLink()->RecordCount()),
      activeRecord_(Grid.DataLink()->ActiveRecord()) {}

void TGridDataPositionEh::Run(const std::function<void()>& Walk) {
    dataSet_.DisableControls();
    try {
        Save();
        Walk();
    } catch (...) {
        try {
            Restore();
        } catch (...) {  // the walk's own failure is the one the caller hears of
        }
        dataSet_.EnableControls();
        throw;
    }
    try {
        Restore();
    } catch (...) {
        dataSet_.EnableControls();
        throw;
    }
    dataSet_.EnableControls();
}

// The active record's distance from the middle of the grid's window; the middle record's
// bookmark is what stays valid while the window moves.
void TGridDataPositionEh::Save() {
    if (!dataSet_.BookmarkAvailable())
        return;
    offset_ = activeRecord_ + (bufferedRecords_ + 1) % 2 - bufferedRecords_ / 2;
    dataSet_.MoveBy(-offset_);
    bookmark_ = dataSet_.GetBookmark();
    saved_ = true;
    dataSet_.MoveBy(offset_);
}

void TGridDataPositionEh::Restore() {
    if (!saved_)
        return;
    dataSet_.GotoBookmark(bookmark_);
    dataSet_.MoveBy(offset_);
}
