// The filter row: which columns have a filter cell, the filter editor made on first use and placed
// over the cell being edited, and leaving filter editing for the data again.
#include <algorithm>
#include <utility>

#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/db_grid.h"
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

bool TCustomDBGridEh::FilterEditingActive() {
    return filterEditing_ && (!selection_ || selection_->Kind() == gskNoneEh);
}

TInplaceFilterEditEh* TCustomDBGridEh::EnsureFilterEditor() {
    if (filterEditor_ != nullptr)
        return filterEditor_;
    auto* editor = dynamic_cast<TInplaceFilterEditEh*>(NewFilterEditor());
    if (editor == nullptr)
        return nullptr;
    filterEditor_ = editor;
    // Once hosted the control counts as shown (it can take the focus) while the grid shows and hides
    // its window. The window stays hidden until the editor is placed over a cell: a shown window
    // counts as editing the filter column, whose condition leaving would overwrite.
    editor->SetVisible(false);
    editor->SetParent(this);
    editor->AttachEditHolder(this);
    editor->SetVisible(true);
    editor->SetWindowVisible(false);
    editor->SetBorderStyle(bsNone);
    editor->SetFont(*Font());
    editor->Font()->SetColor(FilterEditorTextColor);
    editor->SetColor(LightenColor(FixedColor(), FilterEditorLightenDivisor));
    editor->SetOnKeyPress([this](TObject*, char32_t& Key) { FilterEditorKeyPress(Key); });
    editor->SetOnExit([](TObject*) {});
    editor->OnChange = [this](TObject*) { FilterEditorChanged(); };
    editor->SetFlat(flat_);
    return editor;
}

void TCustomDBGridEh::FilterEditorKeyPress(char32_t& Key) {
    if (Key != U'\r')
        return;
    Key = 0;
    ApplyFilterRow();
}

TRect TCustomDBGridEh::FilterCellRect(int DataCol) {
    TRect rect = CellRect(DataColToGridCol(DataCol), topDataOffset_ - 1);
    ++rect.Left;
    return rect;
}

void TCustomDBGridEh::RepaintFilterCell(int DataCol) {
    InvalidateCell(DataColToGridCol(DataCol), topDataOffset_ - 1);
}

void TCustomDBGridEh::EditFilterCell(int DataCol) {
    if (!stFilter_ || !stFilter_->Visible() || !HasFilterCell(DataCol))
        return;
    if (dataLink_->Active())
        dataLink_->DataSet()->CheckBrowseMode();
    TInplaceFilterEditEh* editor = EnsureFilterEditor();
    if (editor == nullptr)
        return;
    if (editor->Visible() && filterCol_ != DataCol)
        LeaveFilterEditingQuietly();
    filterCol_ = DataCol;
    filterEditing_ = true;
    HideEditor();
    ShowFilterColumn(DataCol);
    PlaceFilterEditor(true);
}

// The edited column comes into view: with row selection only scrolled to, otherwise made current.
void TCustomDBGridEh::ShowFilterColumn(int DataCol) {
    LockLayout();
    struct Unlock {
        TCustomDBGridEh* grid;
        ~Unlock() { grid->UnlockLayout(); }
    } unlock{this};
    const int gridCol = DataColToGridCol(DataCol);
    if (options_.Contains(gdoRowSelectEh)) {
        if (gridCol < LeftCol())
            SetLeftCol(std::max(gridCol, FixedCols()));
        // Scrolled one column at a time until the column shows or the grid scrolls no further.
        for (int left = -1; left != LeftCol() && LeftCol() + VisibleColCount() <= gridCol;) {
            left = LeftCol();
            SetLeftCol(left + 1);
        }
    } else {
        MoveToColumn(gridCol, 0, false);
    }
    RepaintFilterCell(DataCol);
}

void TCustomDBGridEh::PlaceFilterEditor(bool Focus) {
    if (FilterSettingsUpdating(stFilter_.get()))
        return;
    if (!stFilter_ || !stFilter_->Visible() || !HasFilterCell(filterCol_) || !filterEditing_) {
        LeaveFilterEditing();
        return;
    }
    if (filterEditor_ == nullptr)
        return;
    const TRect rect = FilterCellRect(filterCol_);
    if (!FilterEditingActive()) {
        filterEditor_->Hide();
        return;
    }
    // Moving the window may take the focus from it; the editor keeps it as it had it. Its text (the
    // one typed so far, or the filter's text shown over the keys it found) survives the editor
    // reading its value again as the focus comes back.
    const bool hadFocus = filterEditor_->Focused() || Focused();
    const TQuietFilterEditorChanges quiet(*filterEditor_);
    if (Focus) {
        filterEditor_->SetEditorBounds(TRect{rect.Left, rect.Top, rect.Left, rect.Top});
        FillFilterList(filterCol_);
        filterEditor_->SelectAll();
    }
    const std::string shown = filterEditor_->Text();
    const int selStart = filterEditor_->SelStart();
    const int selLength = filterEditor_->SelLength();
    filterEditor_->SetEditorBounds(rect);
    if (Focus || hadFocus)
        filterEditor_->SetFocus();
    if (filterEditor_->Text() != shown) {
        filterEditor_->SetEditText(shown);
        filterEditor_->SetSelStart(selStart);
        filterEditor_->SetSelLength(selLength);
    }
    filterEditor_->Perform(EM_SCROLLCARET, 0, 0);
}

void TCustomDBGridEh::LeaveFilterEditing() {
    if (FilterSettingsUpdating(stFilter_.get()))
        return;
    LeaveFilterEditingQuietly();
    // Only a real leave hands the cell editor back: a relayout outside filter editing must not
    // hide the editor the user is typing in.
    if (!std::exchange(filterEditing_, false))
        return;
    if (options_.Contains(gdoAlwaysShowEditorEh))
        ShowEditor();
    else
        HideEditor();
}

void TCustomDBGridEh::LeaveFilterEditingQuietly() {
    if (filterEditor_ == nullptr || !filterEditor_->Visible())
        return;
    if (filterEditor_->Focused() && Visible() && CanFocus())
        SetFocus();
    filterEditor_->Hide();
    if (filterCol_ >= 0 && ColumnAt(filterCol_) != nullptr) {
        StoreFilterText(filterCol_);
        RepaintFilterCell(filterCol_);
    }
}

// Kept for the filter settings and the editing steps that leave filter editing by this name.
void TCustomDBGridEh::StopFilterEditing() {
    LeaveFilterEditing();
}
