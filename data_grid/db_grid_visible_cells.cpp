// Rows and boxes of cells as the grid shows them, for repainting a selection.
#include <algorithm>

#include "data_grid/db_grid.h"

void TCustomDBGridEh::InvalidateGridRow(int ARow) {
    InvalidateRow(ARow);
}

int TCustomDBGridEh::VisibleDataRowCount() {
    if (footerRowCount_ == 0)
        return VisibleRowCount();
    return std::max(VisibleRowCount() - footerRowCount_ - 1, 1);
}

TRect TCustomDBGridEh::CellsBoxRect(int ALeft, int ATop, int ARight, int ABottom) {
    return BoxRect(ALeft, ATop, ARight, ABottom);
}
