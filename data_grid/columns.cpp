// The grid's column collection: adding columns, the stored column order, and turning changes of
// columns into repaints, width changes and relayouts of the grid.
#include "data_grid/columns.h"

#include "data_grid/column_title.h"
#include "data_grid/db_grid.h"
#include "platform/rtl/format.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/string_stream.h"
#include "platform/rtl/writer.h"

TDBGridColumnsEh::TDBGridColumnsEh(TCustomDBGridEh* Grid, TCollectionItemClass ColumnClass)
    : TCollection(std::move(ColumnClass)), grid_(Grid) {}

std::unique_ptr<TCollectionItem> TDBGridColumnsEh::MakeColumn(
    TCollection& Collection, const std::function<std::unique_ptr<TColumnEh>()>& Make) {
    auto* columns = dynamic_cast<TDBGridColumnsEh*>(&Collection);
    TCustomDBGridEh* grid = columns != nullptr ? columns->Grid() : nullptr;
    if (grid == nullptr) {
        std::unique_ptr<TColumnEh> column = Make();
        column->AfterConstruction();
        return column;
    }
    grid->BeginLayout();
    std::unique_ptr<TColumnEh> column;
    try {
        column = Make();
        column->AfterConstruction();
    } catch (...) {
        grid->EndLayout();
        throw;
    }
    grid->EndLayout();
    return column;
}

TPersistent* TDBGridColumnsEh::GetOwner() const {
    return grid_;
}

TColumnEh* TDBGridColumnsEh::Add() {
    return static_cast<TColumnEh*>(TCollection::Add());
}

TColumnEh* TDBGridColumnsEh::AddAutoColumn() {
    TColumnEh* column = Add();
    column->SetUserColumn(false);
    return column;
}

bool TDBGridColumnsEh::IsCustomized() const {
    return Count() > 0 && ColumnAt(0)->UserColumn();
}

void TDBGridColumnsEh::ReleaseValueLists() {
    for (int i = 0; i < Count(); ++i) ColumnAt(i)->SetFilterValueList(nullptr);
}

namespace {

std::string StoredText(TCollection& columns) {
    TStringStream out;
    TWriter writer(out);
    writer.WriteCollection(columns);
    return out.DataString();
}

}  // namespace

bool TDBGridColumnsEh::SameAs(const IGridColumnsEh& Other) const {
    auto* self = const_cast<TDBGridColumnsEh*>(this);
    auto& other = const_cast<IGridColumnsEh&>(Other);
    return Other.Count() == Count() && StoredText(self->Stored()) == StoredText(other.Stored());
}

std::string TDBGridColumnsEh::ColumnsIndex() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) text += "\"" + ColumnAt(i)->FieldName() + "\",";
    if (!text.empty())
        text.pop_back();
    return text;
}

void TDBGridColumnsEh::SetColumnsIndex(const std::string& Value) {
    TStringList names;
    names.SetCommaText(Value);
    BeginUpdate();
    try {
        for (int i = 0; i < names.Count(); ++i)
            for (int c = 0; c < Count(); ++c)
                if (ColumnAt(c)->FieldName() == names[i]) {
                    // A stored order may name more fields than the grid shows now: such a column
                    // goes last instead of to a place the collection does not have.
                    ColumnAt(c)->SetIndex(std::min(i, Count() - 1));
                    break;
                }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TDBGridColumnsEh::Update(TCollectionItem* Item) {
    if (grid_ == nullptr || grid_->ComponentState().Contains(csLoading))
        return;
    if (Item == nullptr) {
        grid_->RebuildSortMarkedList();
        grid_->RefreshLayout();
    } else {
        UpdateColumn(*static_cast<TColumnEh*>(Item));
    }
    if (Count() > 0 && !grid_->CurrentColumnVisible())
        grid_->SelectFirstVisibleColumn();
    if (!grid_->LayoutRunning())
        grid_->RefreshEditors();
}

void TDBGridColumnsEh::UpdateColumn(TColumnEh& Column) {
    const int gridCol = grid_->DataColToGridCol(Column.Index());
    grid_->InvalidateColumn(gridCol);
    if (gridCol < 0 || gridCol >= grid_->ColCount())
        return;
    const int shown = grid_->ColWidths(gridCol);
    if (!grid_->AutoFitColWidths() || grid_->ComponentState().Contains(csDesigning)) {
        if (shown != Column.Width()) {
            const int hidden = grid_->Options().Contains(gdoColLinesEh) ? -1 : 0;
            grid_->SetColWidths(gridCol, Column.Visible() ? Column.Width() : hidden);
        } else if (grid_->UseMultiTitle()) {
            grid_->RefreshLayout();
        }
        return;
    }
    // A hidden (-1) or collapsed (0) grid column has no width to scale by.
    if (shown > 0)
        FitInitialWidths(Column, gridCol);
}

// The user sized a column of an auto-fitting grid: its initial width scales with it and the next
// column gives or takes the difference.
void TDBGridColumnsEh::FitInitialWidths(TColumnEh& Column, int GridCol) {
    const int oldInitial = Column.InitialWidth();
    const int newInitial = MulDiv(oldInitial, Column.Width(), grid_->ColWidths(GridCol));
    Column.SetInitialWidth(newInitial);
    if (GridCol < grid_->ColCount() - 1 && Column.Index() + 1 < Count()) {
        TColumnEh* next = ColumnAt(Column.Index() + 1);
        next->SetInitialWidth(std::max(next->InitialWidth() + oldInitial - newInitial, 0));
    }
    grid_->RefreshLayout();
}

TColumnEh* TColumnsEhList::ColumnAt(int Index) const {
    CheckIndex(Index);
    return columns_[static_cast<std::size_t>(Index)];
}

void TColumnsEhList::PutColumn(int Index, TColumnEh* Column) {
    CheckIndex(Index);
    columns_[static_cast<std::size_t>(Index)] = Column;
}

void TColumnsEhList::Insert(int Index, TColumnEh* Column) {
    if (Index != Count())
        CheckIndex(Index);
    columns_.insert(columns_.begin() + Index, Column);
}

int TColumnsEhList::IndexOf(const TColumnEh* Column) const {
    for (int i = 0; i < Count(); ++i)
        if (columns_[static_cast<std::size_t>(i)] == Column)
            return i;
    return -1;
}

void TColumnsEhList::Remove(const TColumnEh* Column) {
    std::erase(columns_, Column);
}

void TColumnsEhList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
}
