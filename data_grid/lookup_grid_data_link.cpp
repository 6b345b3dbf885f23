#include "data_grid/lookup_grid_data_link.h"

#include "data_grid/lookup_grid.h"

void TLookupGridDataLinkEh::ActiveChanged() {
    if (grid_ != nullptr)
        grid_->RebuildDataFields();
}

void TLookupGridDataLinkEh::LayoutChanged() {
    if (grid_ != nullptr)
        grid_->RebuildDataFields();
}

void TLookupGridDataLinkEh::RecordChanged(TField* Field) {
    if (grid_ != nullptr)
        grid_->DataRecordChanged(Field);
}

void TLookupGridDataLinkEh::FocusControl(TField* Field) {
    if (grid_ == nullptr || Field == nullptr)
        return;
    if (Field == grid_->DataFieldAt(0) && grid_->CanFocus())
        grid_->SetFocus();
}
