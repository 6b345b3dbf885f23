#include "data_grid/lookup_grid_columns.h"

#include <utility>

#include "data_controls/spec_row.h"
#include "data_grid/grid_data_link.h"
#include "data_grid/lookup_grid.h"
#include "platform/db/field.h"
#include "platform/ui/font.h"

TGridColumnSpecCellEh::TGridColumnSpecCellEh(TDBLookupGridColumnEh* Column)
    : column_(Column), font_(std::make_unique<TFont>()) {
    font_->Assign(*Column->Font());
    font_->OnChange = [this](TObject*) {
        if (!refreshingFont_)
            fontOwn_ = true;
    };
}

TGridColumnSpecCellEh::~TGridColumnSpecCellEh() = default;

TPersistent* TGridColumnSpecCellEh::GetOwner() const {
    return column_;
}

TDBLookupGridEh* TGridColumnSpecCellEh::Grid() const {
    return column_ != nullptr ? column_->LookupGrid() : nullptr;
}

std::string TGridColumnSpecCellEh::Text() const {
    if (textOwn_)
        return text_;
    TDBLookupGridEh* grid = Grid();
    return grid != nullptr ? grid->SpecRow()->CellTextAt(column_->Index()) : text_;
}

void TGridColumnSpecCellEh::SetText(const std::string& Value) {
    if (Value == text_)
        return;
    text_ = Value;
    textOwn_ = true;
}

TColor TGridColumnSpecCellEh::Color() const {
    if (colorOwn_)
        return color_;
    TDBLookupGridEh* grid = Grid();
    return grid != nullptr ? grid->SpecRow()->Color() : color_;
}

void TGridColumnSpecCellEh::SetColor(TColor Value) {
    if (Value == color_)
        return;
    color_ = Value;
    colorOwn_ = true;
}

TFont* TGridColumnSpecCellEh::Font() const {
    TDBLookupGridEh* grid = Grid();
    if (!fontOwn_ && grid != nullptr) {
        auto* self = const_cast<TGridColumnSpecCellEh*>(this);
        self->refreshingFont_ = true;
        font_->Assign(*grid->SpecRow()->Font());
        self->refreshingFont_ = false;
    }
    return font_.get();
}

void TGridColumnSpecCellEh::SetFont(const TFont& Value) {
    font_->Assign(Value);
}

void TGridColumnSpecCellEh::Assign(const TPersistent& Source) {
    const auto* other = dynamic_cast<const TGridColumnSpecCellEh*>(&Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetText(other->Text());
    SetColor(other->Color());
    if (other->FontOwn())
        SetFont(*other->Font());
}

TDBLookupGridColumnEh::TDBLookupGridColumnEh(TCollection& Collection)
    : TColumnEh(Collection), specCell_(std::make_unique<TGridColumnSpecCellEh>(this)) {}

TDBLookupGridColumnEh::~TDBLookupGridColumnEh() = default;

TDBLookupGridEh* TDBLookupGridColumnEh::LookupGrid() const {
    return dynamic_cast<TDBLookupGridEh*>(OwnerGrid());
}

namespace {

// The special row's cells in their new order after a column moved from one place to another.
void MoveSpecRowCell(TSpecRowEh& SpecRow, int ColumnCount, int From, int To) {
    std::vector<std::string> cells;
    for (int i = 0; i < ColumnCount; ++i) cells.push_back(SpecRow.CellTextAt(i));
    if (From < 0 || From >= ColumnCount || To < 0 || To >= ColumnCount)
        return;
    std::string moved = std::move(cells[static_cast<std::size_t>(From)]);
    cells.erase(cells.begin() + From);
    cells.insert(cells.begin() + To, std::move(moved));
    std::string joined;
    for (std::size_t i = 0; i < cells.size(); ++i) joined += (i == 0 ? "" : ";") + cells[i];
    SpecRow.SetCellsText(joined);
}

// The list-field index after the column at From moved to To.
int FollowMove(int ListIndex, int From, int To) {
    if (From == ListIndex)
        return To;
    if (From < ListIndex)
        --ListIndex;
    if (ListIndex >= To)
        ++ListIndex;
    return ListIndex;
}

}  // namespace

void TDBLookupGridColumnEh::MoveAsUserColumn(int Value) {
    const bool wasUser = UserColumn();
    SetUserColumn(true);
    try {
        TColumnEh::SetIndex(Value);
    } catch (...) {
        SetUserColumn(wasUser);
        throw;
    }
    SetUserColumn(wasUser);
}

void TDBLookupGridColumnEh::SetIndex(int Value) {
    TDBLookupGridEh* grid = LookupGrid();
    const int from = Index();
    if (grid == nullptr || !grid->ListDataLink()->Active() || Value == from) {
        TColumnEh::SetIndex(Value);
        return;
    }
    const int count = grid->ColumnsPart()->Count();
    if (!IsAutoColumn()) {
        MoveSpecRowCell(*grid->SpecRow(), count, from, Value);
        TColumnEh::SetIndex(Value);
        return;
    }
    grid->LockLayout();
    try {
        grid->SetListFieldIndex(FollowMove(grid->ListFieldIndex(), from, Value));
        MoveSpecRowCell(*grid->SpecRow(), count, from, Value);
        MoveAsUserColumn(Value);
        std::string names;
        for (int i = 0; i < count; ++i) {
            auto* column = static_cast<TColumnEh*>(grid->ColumnsPart()->Stored().Items(i));
            TField* field = column->Field();
            names += (i == 0 ? "" : ";") + (field != nullptr ? field->FieldName : column->FieldName());
        }
        grid->SetListField(names);
    } catch (...) {
        grid->UnlockLayout();
        throw;
    }
    grid->UnlockLayout();
}

void TDBLookupGridColumnEh::SetWidth(int Value) {
    if (!IsAutoColumn()) {
        TColumnEh::SetWidth(Value);
        return;
    }
    // Sized like a user's column: the field's display width stays as it is. The grid hears of the
    // change only once the column is automatic again; a relayout meanwhile would take the columns
    // for the user's and reset the other automatic ones.
    TCollection* columns = Collection();
    if (columns != nullptr)
        columns->BeginUpdate();
    SetUserColumn(true);
    try {
        TColumnEh::SetWidth(Value);
    } catch (...) {
        SetUserColumn(false);
        if (columns != nullptr)
            columns->EndUpdate();
        throw;
    }
    SetUserColumn(false);
    if (columns != nullptr)
        columns->EndUpdate();
}
