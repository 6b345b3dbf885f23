// The filter editor's drop-down list: the column's distinct values followed by the special items
// (empty, not empty, all, clear every filter and, for a sorting title button, the two sort orders),
// and what choosing an item does.
#include <cstdint>
#include <string_view>

#include "data_controls/dataset_field_value_list.h"
#include "data_grid/column.h"
#include "data_grid/column_filter.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/db_grid_filter_row_editing.h"
#include "data_grid/db_grid_filter_row_quiet.h"
#include "data_grid/grid_style.h"
#include "data_grid/inplace_filter_edit.h"

namespace {

enum TFilterListItemCode : std::intptr_t {
    fliEmpty = 1,
    fliNotEmpty = 2,
    fliAll = 3,
    fliClearFilters = 4,
    fliSeparator = 5,
    fliSortDescending = 6,
    fliSortAscending = 7
};

struct TFilterListItem {
    TFilterListItemCode Code;
    std::string_view Text;
};

constexpr TFilterListItem FilterListItems[] = {
    {fliEmpty, "(Пустые)"},
    {fliNotEmpty, "(Не пустые)"},
    {fliAll, "(Все)"},
    {fliClearFilters, "(Очистить фильтр)"},
    {fliSeparator, "-"},
    {fliSortDescending, "(Сортировка по убыванию)"},
    {fliSortAscending, "(Сортировка по возрастанию)"},
};

constexpr int DefaultFilterListWidth = 100;
constexpr int DefaultFilterListRows = 17;

void* CodeObject(TFilterListItemCode Code) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(Code));
}

// The special item chosen in the open list; 0 for a value or nothing.
std::intptr_t ChosenCode(TInplaceFilterEditEh& Editor) {
    const TPopupListboxEh* list = Editor.PopupList();
    const int index = list != nullptr ? list->ItemIndex() : -1;
    if (index < 0 || index >= Editor.Items()->Count())
        return 0;
    return reinterpret_cast<std::intptr_t>(Editor.Items()->GetObject(index));
}

}  // namespace

void TCustomDBGridEh::FillFilterList(int DataCol) {
    TInplaceFilterEditEh* editor = filterRow_->Editor;
    TColumnEh* column = ColumnAt(DataCol);
    TSTColumnFilterEh* filter = ColumnFilterOf(column);
    if (editor == nullptr || filter == nullptr)
        return;
    const TQuietFilterEditorChanges quiet(*editor);
    editor->Items()->Clear();
    if (filter->ListSource() == nullptr && !HasMemTable()) {
        editor->SetValue(Variant::Null());
        editor->ItemsListHook = nullptr;
        editor->EditButton()->SetVisible(false);
        editor->SetText(ColumnFilterText(DataCol));
        return;
    }
    editor->OnCloseUp = [this](TObject*, bool Accept) { filterRow_->FilterClosedUp(Accept); };
    editor->ClosingUpHook = [this](TObject*, bool& Accept) { filterRow_->FilterClosingUp(Accept); };
    editor->ItemsListHook = [this](TObject*) { filterRow_->FilterItemsNeeded(); };
    editor->SetValue(Variant::Null());
    editor->SetText("");
    editor->EditButton()->SetVisible(true);
    editor->DropDownBox()->SetSizable(true);
    if (!filter->FilterKeyField().empty())
        editor->ShowKeyAndText(filter->KeyValueList(), filter->FilterText());
    else
        editor->SetText(filter->FilterText());
    editor->DropDownBox()->SetWidth(filter->ListWidth() > 0 ? filter->ListWidth() : DefaultFilterListWidth);
    editor->DropDownBox()->SetRows(filter->ListRows() > 0 ? filter->ListRows() : DefaultFilterListRows);
}

void TGridFilterRowEditingEh::FilterItemsNeeded() {
    TColumnEh* column = grid_.ColumnAt(EditedColumn);
    TSTColumnFilterEh* filter = ColumnFilterOf(column);
    if (Editor == nullptr || filter == nullptr)
        return;
    if (!column->FilterValueList() && filter->ListSource() != nullptr)
        column->SetFilterValueList(filter->BuildValueList());
    TStrings& items = *Editor->Items();
    items.BeginUpdate();
    if (column->FilterValueList())
        if (const TStrings* values = column->FilterValueList()->DistinctValues())
            items.AddStrings(*values);
    const bool sortItems = grid_.extOptions_.Contains(gxoAutoSortMarkingEh) && column->Title()->TitleButton();
    for (const TFilterListItem& item : FilterListItems)
        if (item.Code < fliSeparator || sortItems)
            items.AddObject(std::string(item.Text), CodeObject(item.Code));
    items.EndUpdate();
}

void TGridFilterRowEditingEh::FilterClosingUp(bool& Accept) {
    TColumnEh* column = grid_.ColumnAt(EditedColumn);
    TSTColumnFilterEh* filter = ColumnFilterOf(column);
    if (Editor == nullptr || filter == nullptr)
        return;
    if (const TPopupListboxEh* list = Editor->PopupList()) {
        filter->SetListWidth(list->Width());
        filter->SetListRows(list->RowCount());
    }
    const std::intptr_t code = Accept ? ChosenCode(*Editor) : 0;
    if (code < fliEmpty)
        return;
    Accept = false;
    ChooseSpecialFilterItem(*column, static_cast<int>(code));
}

void TGridFilterRowEditingEh::ChooseSpecialFilterItem(TColumnEh& Column, int Code) {
    if (Code > fliSeparator) {
        for (int i = 0; grid_.columns_ && i < grid_.columns_->Count(); ++i)
            if (auto* other = dynamic_cast<TColumnEh*>(grid_.columns_->Items(i)))
                other->Title()->SetSortMarker(smNoneEh);
        grid_.sortMarkedColumns_.clear();
    }
    switch (Code) {
        case fliEmpty:
            Editor->SetText("=Null");
            break;
        case fliNotEmpty:
            Editor->SetText("<>Null");
            break;
        case fliAll:
            Editor->SetText("");
            break;
        case fliClearFilters:
            grid_.ClearAllFilters();
            break;
        case fliSortDescending:
            Column.Title()->SetSortMarker(smUpEh);
            break;
        case fliSortAscending:
            Column.Title()->SetSortMarker(smDownEh);
            break;
        default:
            break;
    }
    if (Code == fliClearFilters ||
        (Code < fliClearFilters && grid_.Style() != nullptr && grid_.Style()->ApplyFilterOnCloseUp()))
        grid_.ApplyFilterRow();
    else if (Code > fliSeparator)
        grid_.SortMarkingChanged();
}

void TGridFilterRowEditingEh::FilterClosedUp(bool Accept) {
    if (Accept && grid_.Style() != nullptr && grid_.Style()->ApplyFilterOnCloseUp())
        grid_.ApplyFilterRow();
}
