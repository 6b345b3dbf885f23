#include "data_grid/grid_parts.h"

#include "platform/ui/popup_menu.h"

void TPlainGridColumnEh::ForgetComponent(const TComponent* Component) {
    if (Component == popupMenu_)
        popupMenu_ = nullptr;
}

void TPlainGridColumnsEh::EndUpdate() {
    if (updateCount_ > 0)
        --updateCount_;
}

IGridColumnEh* TPlainGridColumnsEh::Add() {
    items_.push_back(std::make_unique<TPlainGridColumnEh>());
    return items_.back().get();
}

void TPlainGridSelectionEh::LinkStateChanged(bool Active) {
    // Selected cells mean nothing once the data is gone.
    if (!Active)
        Clear();
}
