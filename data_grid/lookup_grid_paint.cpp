// How the lookup grid shows its choice: the key's row highlighted with the focus frame on it, and
// the special row as a fixed row between the titles and the data.
#include "data_controls/spec_row.h"
#include "data_grid/grid_data_link.h"
#include "data_grid/lookup_grid.h"
#include "platform/db/dataset.h"

int TDBLookupGridEh::SubTitleRowCount() {
    return TCustomDBGridEh::SubTitleRowCount() + (specRow_ && specRow_->Visible() ? 1 : 0);
}

bool TDBLookupGridEh::CellHas3DFrame(int ACol, int ARow, TGridDrawState AState) {
    if (specRow_->Visible() && ARow + 1 == TopDataOffset())
        return false;
    return TCustomDBGridEh::CellHas3DFrame(ACol, ARow, AState);
}

bool TDBLookupGridEh::GetDataCellColors(int, int, int, int, TFont* AFont, TColor& Background,
                                        TGridDrawState&) {
    if (keyValue_.IsNull() || !ListDataLink()->Active() || LayoutLockCount() != 0 || keyFieldNames_.empty() ||
        !(CurrentListKey() == keyValue_))
        return false;
    Background = clHighlight;
    AFont->SetColor(clHighlightText);
    return true;
}

bool TDBLookupGridEh::ShowsRowFocusFrame() {
    return keyRowVisible_;
}

void TDBLookupGridEh::SpecRowChanged() {
    InvalidateList();
    const bool shown = specRow_->Visible();
    if (shown == specRowShown_)
        return;
    specRowShown_ = shown;
    // The special row is a fixed row: the rows and the grid's height follow it.
    RefreshLayout();
    SetBounds(Left(), Top(), Width(), Height());
}
