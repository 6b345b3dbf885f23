// The press modes of the mouse: what a press does until its release, and the only ways in and out.
#include "data_grid/db_grid.h"

void TCustomDBGridEh::EnterPressMode(TPressModeEh Mode) {
    pressMode_ = Mode;
}

void TCustomDBGridEh::LeavePressMode() {
    pressMode_ = TPressModeEh::None;
    pressedTitleColumn_ = -1;
    titlePressShown_ = false;
    horzAutoScroll_ = false;
}

void TCustomDBGridEh::EndPressDragState() {
    switch (pressMode_) {
        case TPressModeEh::SelectingRows:
        case TPressModeEh::SelectingRect:
            pressMode_ = TPressModeEh::FollowingCells;
            break;
        case TPressModeEh::SelectingRectOnly:
        case TPressModeEh::SelectingColumns:
        case TPressModeEh::SizingFrozen:
        case TPressModeEh::DraggingRows:
            LeavePressMode();
            break;
        default:
            break;
    }
}

bool TCustomDBGridEh::PressTracked() const {
    return pressMode_ == TPressModeEh::TitleButton || pressMode_ == TPressModeEh::DraggingRows ||
           PressFollowsCells();
}

bool TCustomDBGridEh::PressFollowsCells() const {
    return pressMode_ == TPressModeEh::FollowingCells || pressMode_ == TPressModeEh::SelectingRows ||
           pressMode_ == TPressModeEh::SelectingRect;
}

TCustomDBGridEh::TGridDragStateEh TCustomDBGridEh::GridDragState() const {
    switch (pressMode_) {
        case TPressModeEh::SelectingRows:
            return dgsSelectingRowsEh;
        case TPressModeEh::SelectingRect:
        case TPressModeEh::SelectingRectOnly:
            return dgsSelectingRectEh;
        case TPressModeEh::SelectingColumns:
            return dgsSelectingColumnsEh;
        case TPressModeEh::SizingFrozen:
            return dgsSizingFrozenEh;
        case TPressModeEh::DraggingRows:
            return dgsDraggingRowsEh;
        default:
            return dgsNoneEh;
    }
}
