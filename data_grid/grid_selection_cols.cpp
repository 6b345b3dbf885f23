// Whole columns selected from their titles: Ctrl toggles one, Shift extends a range from the anchor.
#include <algorithm>

#include "data_grid/db_grid.h"
#include "data_grid/grid_selection.h"

TDBGridEhSelectionCols::TDBGridEhSelectionCols(TCustomDBGridEh* Grid, TDBGridEhSelection* Owner)
    : grid_(Grid), owner_(Owner) {}

int TDBGridEhSelectionCols::CollectionIndex(const IGridColumnEh* Column) const {
    IGridColumnsEh* columns = grid_->ColumnsPart();
    if (columns == nullptr || Column == nullptr)
        return -1;
    for (int i = 0; i < columns->Count(); ++i)
        if (columns->Items(i) == Column)
            return i;
    return -1;
}

bool TDBGridEhSelectionCols::Contains(const IGridColumnEh* Column) const {
    return std::find(columns_.begin(), columns_.end(), Column) != columns_.end();
}

void TDBGridEhSelectionCols::AddInOrder(IGridColumnEh* Column) {
    const int index = CollectionIndex(Column);
    auto later = std::find_if(columns_.begin(), columns_.end(),
                              [&](const IGridColumnEh* entry) { return CollectionIndex(entry) > index; });
    columns_.insert(later, Column);
}

void TDBGridEhSelectionCols::Remove(const IGridColumnEh* Column) {
    std::erase(columns_, Column);
}

void TDBGridEhSelectionCols::RepaintColumn(const IGridColumnEh* Column) {
    const int index = CollectionIndex(Column);
    if (index >= 0)
        grid_->InvalidateColumn(grid_->DataColToGridCol(index));
}

void TDBGridEhSelectionCols::Clear() {
    for (const IGridColumnEh* column : columns_) RepaintColumn(column);
    columns_.clear();
    anchorColumn_ = nullptr;
    owner_->NotifyChanged();
}

void TDBGridEhSelectionCols::SelectColumn(IGridColumnEh* Column, bool AddToSelection) {
    if (owner_->Kind() != gskColumnsEh)
        owner_->Reset();
    if (!AddToSelection)
        Clear();
    if (!Contains(Column))
        AddInOrder(Column);
    anchorColumn_ = Column;
    shiftColumn_ = Column;
    owner_->ChangeKind(gskColumnsEh);
    shiftChangedColumns_.clear();
}

void TDBGridEhSelectionCols::ToggleColumn(IGridColumnEh* Column) {
    if (owner_->Kind() != gskColumnsEh)
        owner_->Reset();
    if (Contains(Column))
        Remove(Column);
    else
        AddInOrder(Column);
    anchorColumn_ = Column;
    shiftColumn_ = Column;
    owner_->ChangeKind(columns_.empty() ? gskNoneEh : gskColumnsEh);
    shiftChangedColumns_.clear();
}

TDBGridEhSelectionCols::Walk TDBGridEhSelectionCols::PlanWalk(int Anchor, int Shift, int Target) {
    Walk walk{Target, Target, 1, true, -1};
    if (Shift == Anchor) {
        walk.start = Anchor;
        walk.step = Target < Anchor ? -1 : 1;
        return walk;
    }
    if (Target == Shift)
        return walk;
    const bool wentRight = Anchor < Shift;
    const bool further = wentRight ? Target > Shift : Target < Shift;
    walk.start = Shift;
    walk.step = Target > Shift ? 1 : -1;
    if (further)
        return walk;
    // Back towards the anchor: undo, and past the anchor select again from there.
    walk.adding = false;
    const bool crossesAnchor = wentRight ? Target < Anchor : Target > Anchor;
    if (crossesAnchor)
        walk.turn = Anchor;
    else
        walk.end = Target - walk.step;
    return walk;
}

bool TDBGridEhSelectionCols::ShiftChanged(const IGridColumnEh* Column) const {
    return std::find(shiftChangedColumns_.begin(), shiftChangedColumns_.end(), Column) !=
           shiftChangedColumns_.end();
}

void TDBGridEhSelectionCols::Record(IGridColumnEh* Column) {
    if (!ShiftChanged(Column))
        shiftChangedColumns_.push_back(Column);
}

void TDBGridEhSelectionCols::Unrecord(const IGridColumnEh* Column) {
    std::erase(shiftChangedColumns_, Column);
}

void TDBGridEhSelectionCols::StepColumn(IGridColumnEh* Column, bool Adding) {
    // An anchor toggled off makes the range a deselection.
    const bool selecting = Contains(anchorColumn_);
    const bool selected = Contains(Column);
    if (Adding) {
        if (selecting ? (selected || !Column->Visible()) : (!selected || Column == anchorColumn_))
            return;
        if (selecting)
            AddInOrder(Column);
        else
            Remove(Column);
        Record(Column);
    } else {
        if (selecting ? (!selected || Column == anchorColumn_) : (selected || !Column->Visible()))
            return;
        if (ShiftChanged(Column)) {
            if (selecting)
                Remove(Column);
            else
                AddInOrder(Column);
            Unrecord(Column);
        }
    }
    RepaintColumn(Column);
    owner_->NotifyChanged();
}

void TDBGridEhSelectionCols::ExtendToColumn(IGridColumnEh* Target) {
    if (owner_->Kind() != gskColumnsEh)
        owner_->Reset();
    if (anchorColumn_ == nullptr) {
        SelectColumn(Target, true);
        anchorColumn_ = Target;
    } else {
        const Walk walk =
            PlanWalk(CollectionIndex(anchorColumn_), CollectionIndex(shiftColumn_), CollectionIndex(Target));
        IGridColumnsEh* columns = grid_->ColumnsPart();
        bool adding = walk.adding;
        for (int position = walk.start;; position += walk.step) {
            if (position == walk.turn)
                adding = !adding;
            if (position >= 0 && position < columns->Count())
                StepColumn(columns->Items(position), adding);
            if (position == walk.end)
                break;
        }
    }
    shiftColumn_ = Target;
    owner_->ChangeKind(columns_.empty() ? gskNoneEh : gskColumnsEh);
}

void TDBGridEhSelectionCols::DropStaleColumns() {
    for (std::size_t i = columns_.size(); i > 0; --i)
        if (CollectionIndex(columns_[i - 1]) < 0)
            columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(i - 1));
    std::stable_sort(columns_.begin(), columns_.end(),
                     [this](const IGridColumnEh* a, const IGridColumnEh* b) {
                         return CollectionIndex(a) < CollectionIndex(b);
                     });
}

TGridRect TDBGridEhSelectionCols::AsGridRect() const {
    if (columns_.empty())
        return EmptyGridRectEh;
    int lowest = CollectionIndex(columns_.front());
    int highest = lowest;
    for (const IGridColumnEh* column : columns_) {
        lowest = std::min(lowest, CollectionIndex(column));
        highest = std::max(highest, CollectionIndex(column));
    }
    return {grid_->DataColToGridCol(lowest), 0, grid_->DataColToGridCol(highest), grid_->RowCount()};
}
