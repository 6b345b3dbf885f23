// The selection's kind and the dispatch of each question to the part that holds that kind.
#include "data_grid/grid_selection.h"

#include "data_grid/db_grid.h"

TDBGridEhSelection::TDBGridEhSelection(TCustomDBGridEh* Grid)
    : columns_(std::make_unique<TDBGridEhSelectionCols>(Grid, this)),
      grid_(Grid),
      rect_(std::make_unique<TDBGridEhSelectionRect>(Grid, this)) {}

TDBGridEhSelection::~TDBGridEhSelection() = default;

IGridSelectedRowsEh* TDBGridEhSelection::RowList() const {
    return grid_->SelectedRowsPart();
}

void TDBGridEhSelection::ChangeKind(TGridSelectionKindEh Kind) {
    if (Kind == kind_)
        return;
    kind_ = Kind;
    grid_->RefreshEditors();
}

bool TDBGridEhSelection::CellIsSelected(int DataCol, const std::string& Bookmark) {
    switch (kind_) {
        case gskRowsEh:
            return RowList() != nullptr && RowList()->Contains(Bookmark);
        case gskRectangleEh:
            return DataCol >= 0 && rect_->CellSelected(DataCol, Bookmark);
        case gskColumnsEh: {
            IGridColumnsEh* columns = grid_->ColumnsPart();
            if (DataCol < 0 || columns == nullptr || DataCol >= columns->Count())
                return false;
            return columns_->Contains(columns->Items(DataCol));
        }
        case gskAllEh:
            return true;
        case gskNoneEh:
            break;
    }
    return false;
}

void TDBGridEhSelection::ClearKind() {
    switch (kind_) {
        case gskRowsEh:
            if (RowList() != nullptr)
                RowList()->Clear();
            break;
        case gskRectangleEh:
            rect_->Reset();
            break;
        case gskColumnsEh:
            columns_->Clear();
            break;
        case gskAllEh:
            grid_->Invalidate();
            break;
        case gskNoneEh:
            break;
    }
}

void TDBGridEhSelection::FinishReset() {
    kind_ = gskNoneEh;
    if (grid_->Options().Contains(gdoAlwaysShowEditorEh) && grid_->KeepsEditorShown())
        grid_->ShowCellEditor();
}

void TDBGridEhSelection::Reset() {
    try {
        ClearKind();
    } catch (...) {
        FinishReset();
        throw;
    }
    FinishReset();
}

void TDBGridEhSelection::Clear() {
    if (grid_->Destroying()) {
        kind_ = gskNoneEh;
        return;
    }
    Reset();
}

void TDBGridEhSelection::SelectWholeGrid() {
    if (kind_ == gskAllEh)
        return;
    if (kind_ != gskNoneEh)
        Reset();
    kind_ = gskAllEh;
    grid_->Invalidate();
}

void TDBGridEhSelection::Revalidate() {
    const bool noRows = kind_ == gskRowsEh && (RowList() == nullptr || RowList()->Count() == 0);
    const bool noColumns = kind_ == gskColumnsEh && columns_->Count() == 0;
    if (!noRows && !noColumns)
        return;
    kind_ = gskNoneEh;
    grid_->Invalidate();
}

void TDBGridEhSelection::LinkStateChanged(bool Active) {
    if (RowList() != nullptr)
        RowList()->LinkStateChanged(Active);
    Reset();
}

TGridRect TDBGridEhSelection::AsGridRect() {
    switch (kind_) {
        case gskRowsEh:
            return RowList() != nullptr ? RowList()->AsGridRect() : EmptyGridRectEh;
        case gskRectangleEh:
            return rect_->AsGridRect();
        case gskColumnsEh:
            return columns_->AsGridRect();
        case gskAllEh:
            return {0, 0, grid_->ColCount(), grid_->RowCount()};
        case gskNoneEh:
            break;
    }
    return EmptyGridRectEh;
}

void TDBGridEhSelection::NotifyChanged() {
    if (grid_->OnSelectionChange)
        grid_->OnSelectionChange(grid_);
}
