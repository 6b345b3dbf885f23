// The grid's plain settings whose change repaints the cells or rebuilds the layout.
#include "data_grid/db_grid.h"

void TCustomDBGridEh::SetDefaultDrawing(bool Value) {
    if (Value == defaultDrawing_)
        return;
    defaultDrawing_ = Value;
    Invalidate();
}

void TCustomDBGridEh::SetAllowMemTable(bool Value) {
    if (Value == allowMemTable_)
        return;
    allowMemTable_ = Value;
    DetectMemTable();
}

void TCustomDBGridEh::SetRowSizingAllowed(bool Value) {
    if (Value == rowSizingAllowed_)
        return;
    rowSizingAllowed_ = Value;
    ApplyGridOptions(options_);
}

void TCustomDBGridEh::SetFrozenCols(int Value) {
    if (Value == frozenCols_)
        return;
    frozenCols_ = Value;
    RefreshLayout();
}

void TCustomDBGridEh::SetMinAutoFitWidth(int Value) {
    if (Value == minAutoFitWidth_)
        return;
    minAutoFitWidth_ = Value;
    if (autoFitColWidths_)
        RefreshLayout();
}

void TCustomDBGridEh::SetRowLines(int Value) {
    if (Value == rowLines_)
        return;
    rowLines_ = Value;
    RefreshLayout();
}

void TCustomDBGridEh::SetTitleLineCount(int Value) {
    if (Value == titleLineCount_)
        return;
    titleLineCount_ = Value;
    RefreshLayout();
}

void TCustomDBGridEh::SetTitlePixelHeight(int Value) {
    if (Value == titlePixelHeight_)
        return;
    titlePixelHeight_ = Value;
    RefreshLayout();
}

void TCustomDBGridEh::SetEvenRowColor(TColor Value) {
    evenRowColor_ = Value;
    Invalidate();
}

void TCustomDBGridEh::SetOddRowColor(TColor Value) {
    oddRowColor_ = Value;
    Invalidate();
}
