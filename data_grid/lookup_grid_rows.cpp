// The lookup grid's row measures and its own column-width fitting.
#include "data_grid/lookup_grid.h"

int TDBLookupGridEh::BorderSize() {
    return HandleAllocated() ? Height() - ClientHeight() : 0;
}

int TDBLookupGridEh::DataRowHeight() {
    return DefaultRowHeight() + GridLineWidthFor(gdoRowLinesEh);
}

int TDBLookupGridEh::RowPitch() {
    return DataRowHeight();
}

void TDBLookupGridEh::FitColumnWidths() {
    if (widthSetting_ || !ownAutoFit_)
        return;
    widthSetting_ = true;
    try {
        SetAutoFitColWidths(true);
        SetAutoFitColWidths(false);
    } catch (...) {
        widthSetting_ = false;
        throw;
    }
    widthSetting_ = false;
}
