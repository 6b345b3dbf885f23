// The filter row: which columns have a filter cell, the filter editor made on first use and placed
// over the cell being edited, and leaving filter editing for the data again.
#include <algorithm>
#include <utility>

#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/db_grid.h"
#include "data_grid/db_grid_filter_row_editing.h"
#include "data_grid/db_grid_filter_row_quiet.h"
#include "data_grid/grid_filter.h"
#include "data_grid/inplace_filter_edit.h"
#include "platform/db/dataset.h"
#include "platform/ui/edit_messages.h"
#include "platform/ui/virtual_keys.h"

namespace {

// The filter editor writes in blue on the fixed colour made lighter, as the filter cells show.
constexpr TColor FilterEditorTextColor = 0x00FF0000;
constexpr int FilterEditorLightenDivisor = 8;

bool FilterSettingsUpdating(IGridFilterRowEh* Settings) {
    return Settings != nullptr && Settings->UpdateCount() != 0;
}

}  // namespace

bool TCustomDBGridEh::HasFilterCell(int DataCol) {
    TColumnEh* column = ColumnAt(DataCol);
    const TSTColumnFilterEh* filter = ColumnFilterOf(column);
    return column != nullptr && column->Visible() && filter != nullptr && filter->Visible();
}

std::string TCustomDBGridEh::ColumnFilterText(int DataCol) {
    TColumnEh* column = ColumnAt(DataCol);
    const TSTColumnFilterEh* filter = ColumnFilterOf(column);
    if (filter == nullptr || column->FieldName().empty())
        return {};
    return filter->FilterText();
}

bool TCustomDBGridEh::IsFilterRowPoint(int /*ACol*/, int ARow, TPoint /*P*/) {
    return SubTitleRowCount() > 0 && ARow == topDataOffset_ - 1;
}

TInplaceFilterEditEh* TCustomDBGridEh::FilterEditor() const {
    return filterRow_->Editor;
}

int TCustomDBGridEh::FilterColumn() const {
    return filterRow_->EditedColumn;
}

bool TCustomDBGridEh::FilterEditing() const {
    return filterRow_->Editing;
}

bool TCustomDBGridEh::FilterEditingActive() {
    return filterRow_->Editing && (!selection_ || selection_->Kind() == gskNoneEh);
}

TInplaceFilterEditEh* TGridFilterRowEditingEh::EnsureFilterEditor() {
    if (Editor != nullptr)
        return Editor;
    auto* editor = dynamic_cast<TInplaceFilterEditEh*>(grid_.NewFilterEditor());
    if (editor == nullptr)
        return nullptr;
    Editor = editor;
    // Once hosted the control counts as shown (it can take the focus) while the grid shows and hides
    // its window. The window stays hidden until the editor is placed over a cell: a shown window
    // counts as editing the filter column, whose condition leaving would overwrite.
    editor->SetVisible(false);
    editor->SetParent(&grid_);
    editor->AttachEditHolder(&grid_);
    editor->SetVisible(true);
    editor->SetWindowVisible(false);
    editor->SetBorderStyle(bsNone);
    editor->SetFont(*grid_.Font());
    editor->Font()->SetColor(FilterEditorTextColor);
    editor->SetColor(grid_.LightenColor(grid_.FixedColor(), FilterEditorLightenDivisor));
    editor->SetOnKeyPress([this](TObject*, char32_t& Key) { FilterEditorKeyPress(Key); });
    editor->SetOnExit([](TObject*) {});
    editor->OnChange = [this](TObject*) { FilterEditorChanged(); };
    editor->SetFlat(grid_.flat_);
    return editor;
}

void TGridFilterRowEditingEh::FilterEditorKeyPress(char32_t& Key) {
    if (Key != U'\r')
        return;
    Key = 0;
    grid_.ApplyFilterRow();
}

TRect TGridFilterRowEditingEh::FilterCellRect(int DataCol) {
    TRect rect = grid_.CellRect(grid_.DataColToGridCol(DataCol), grid_.topDataOffset_ - 1);
    ++rect.Left;
    return rect;
}

void TGridFilterRowEditingEh::RepaintFilterCell(int DataCol) {
    grid_.InvalidateCell(grid_.DataColToGridCol(DataCol), grid_.topDataOffset_ - 1);
}

void TCustomDBGridEh::EditFilterCell(int DataCol) {
    if (!stFilter_ || !stFilter_->Visible() || !HasFilterCell(DataCol))
        return;
    if (dataLink_->Active())
        dataLink_->DataSet()->CheckBrowseMode();
    TInplaceFilterEditEh* editor = filterRow_->EnsureFilterEditor();
    if (editor == nullptr)
        return;
    if (editor->Visible() && filterRow_->EditedColumn != DataCol)
        LeaveFilterEditingQuietly();
    filterRow_->EditedColumn = DataCol;
    filterRow_->Editing = true;
    HideEditor();
    filterRow_->ShowFilterColumn(DataCol);
    PlaceFilterEditor(true);
}

// The edited column comes into view: with row selection only scrolled to, otherwise made current.
void TGridFilterRowEditingEh::ShowFilterColumn(int DataCol) {
    grid_.LockLayout();
    struct Unlock {
        TCustomDBGridEh& grid;
        ~Unlock() { grid.UnlockLayout(); }
    } unlock{grid_};
    const int gridCol = grid_.DataColToGridCol(DataCol);
    if (grid_.options_.Contains(gdoRowSelectEh)) {
        if (gridCol < grid_.LeftCol())
            grid_.SetLeftCol(std::max(gridCol, grid_.FixedCols()));
        // Scrolled one column at a time until the column shows or the grid scrolls no further.
        for (int left = -1;
             left != grid_.LeftCol() && grid_.LeftCol() + grid_.VisibleColCount() <= gridCol;) {
            left = grid_.LeftCol();
            grid_.SetLeftCol(left + 1);
        }
    } else {
        grid_.MoveToColumn(gridCol, 0, false);
    }
    RepaintFilterCell(DataCol);
}

void TCustomDBGridEh::PlaceFilterEditor(bool Focus) {
    const int column = filterRow_->EditedColumn;
    if (FilterSettingsUpdating(stFilter_.get()))
        return;
    if (!stFilter_ || !stFilter_->Visible() || !HasFilterCell(column) || !filterRow_->Editing) {
        LeaveFilterEditing();
        return;
    }
    TInplaceFilterEditEh* editor = filterRow_->Editor;
    if (editor == nullptr)
        return;
    const TRect rect = filterRow_->FilterCellRect(column);
    if (!FilterEditingActive()) {
        editor->Hide();
        return;
    }
    // Moving the window may take the focus from it; the editor keeps it as it had it. Its text (the
    // one typed so far, or the filter's text shown over the keys it found) survives the editor
    // reading its value again as the focus comes back.
    const bool hadFocus = editor->Focused() || Focused();
    const TQuietFilterEditorChanges quiet(*editor);
    if (Focus) {
        editor->SetEditorBounds(TRect{rect.Left, rect.Top, rect.Left, rect.Top});
        FillFilterList(column);
        editor->SelectAll();
    }
    const std::string shown = editor->Text();
    const int selStart = editor->SelStart();
    const int selLength = editor->SelLength();
    editor->SetEditorBounds(rect);
    if (Focus || hadFocus)
        editor->SetFocus();
    if (editor->Text() != shown) {
        editor->SetEditText(shown);
        editor->SetSelStart(selStart);
        editor->SetSelLength(selLength);
    }
    editor->Perform(EM_SCROLLCARET, 0, 0);
}

void TCustomDBGridEh::LeaveFilterEditing() {
    if (FilterSettingsUpdating(stFilter_.get()))
        return;
    LeaveFilterEditingQuietly();
    // Only a real leave hands the cell editor back: a relayout outside filter editing must not
    // hide the editor the user is typing in.
    if (!std::exchange(filterRow_->Editing, false))
        return;
    if (options_.Contains(gdoAlwaysShowEditorEh))
        ShowEditor();
    else
        HideEditor();
}

void TCustomDBGridEh::LeaveFilterEditingQuietly() {
    TInplaceFilterEditEh* editor = filterRow_->Editor;
    if (editor == nullptr || !editor->Visible())
        return;
    if (editor->Focused() && Visible() && CanFocus())
        SetFocus();
    editor->Hide();
    const int column = filterRow_->EditedColumn;
    if (column >= 0 && ColumnAt(column) != nullptr) {
        StoreFilterText(column);
        filterRow_->RepaintFilterCell(column);
    }
}

// Kept for the filter settings and the editing steps that leave filter editing by this name.
void TCustomDBGridEh::StopFilterEditing() {
    LeaveFilterEditing();
}
