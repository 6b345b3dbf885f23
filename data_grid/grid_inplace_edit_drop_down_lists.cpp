// The grid editor's four drop-downs made ready before they show: the column's lookup grid over its
// list dataset, the month calendar at the cell's date, the calculator at the cell's number and the
// pick list with the column's items.
#include "data_grid/grid_inplace_edit_drop_down_lists.h"

#include <algorithm>

#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/column_drop_down_box.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/datetime_fields.h"
#include "platform/db/field.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/datetime_parse.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/string_list.h"

namespace {

// A sequenced list shorter than the column's rows shows only its records.
int LookupRowCount(TDataSet& List, int DropDownRows) {
    if (List.IsSequenced() && DropDownRows > 0) {
        const int records = List.RecordCount();
        if (records > 0 && records < DropDownRows)
            return records;
    }
    return DropDownRows;
}

}  // namespace

bool PrepareLookupDropDown(TWinControl& Editor, TPopupDataGridEh& List, TColumnEh& Column,
                           TDataSource& Source, const Variant& KeyValue) {
    TDataSet* listData = ColumnListDataSet(Column);
    if (listData == nullptr)
        return false;
    TField* field = Column.Field();
    // Its frame is known once its window is made: the width from its columns counts on it.
    List.HandleNeeded();
    List.SetColor(Editor.Color());
    List.SetFont(*Editor.Font());
    List.AssignSpecRow(*Column.DropDownSpecRow());
    List.SetRowCount(LookupRowCount(*listData, Column.DropDownRows()));
    List.SetShowTitles(Column.DropDownShowTitles());
    Source.SetDataSet(listData);
    List.SetKeyField(field != nullptr ? field->LookupKeyFields : std::string());
    List.SetListFieldIndex(0);
    List.SetListField(Column.LookupDisplayFields());
    List.SetLookupAutoFitColWidths(false);
    List.SetUseMultiTitle(Column.DropDownBox()->UseMultiTitle());
    List.SetListSource(&Source);
    const int width = Column.DropDownWidth();
    if (width == -1)
        List.SetClientWidth(List.ColumnsWidth());
    else
        List.SetWidth(width > 0 ? width : Editor.Width());
    if (List.Width() < Editor.Width())
        List.SetWidth(Editor.Width());
    List.SetKeyValue(KeyValue);
    return true;
}

TDateTime DropDownDate(const std::string& Text, TField* Field) {
    if (Text.empty())
        return Date();
    TDateTime date = 0;
    const auto* dates = dynamic_cast<const TDateTimeField*>(Field);
    if (dates != nullptr ? dates->TryReadText(Text, date) : TryStrToDate(Text, date))
        return date;
    // A text that reads as no date opens at the stored date, or at today without one.
    if (Field != nullptr && !Field->IsNull()) {
        try {
            date = Field->AsDateTime();
        } catch (const Exception&) {
            date = 0;
        }
    }
    return date != 0 ? date : Date();
}

void PrepareCalendarDropDown(TWinControl& Editor, TPopupMonthCalendarEh& Calendar, TColumnEh& Column) {
    Calendar.SetColor(Editor.Color());
    Calendar.SetFont(*Editor.Font());
    Calendar.SetDate(DropDownDate(Editor.Text(), Column.Field()));
    const TRect month = Calendar.MinReqRect();
    const int frameWidth = Calendar.Width() - Calendar.ClientWidth();
    const int frameHeight = Calendar.Height() - Calendar.ClientHeight();
    Calendar.SetBounds(Calendar.Left(), Calendar.Top(), month.Width() + frameWidth,
                       month.Height() + frameHeight);
}

void PrepareCalculatorDropDown(TPopupCalculatorEh& Calculator, const std::string& Text, bool FlatKeys) {
    // A text that reads as no number starts the calculator at 0, as an empty one does.
    double value = 0;
    Calculator.PutPopupValue(!Text.empty() && TryStrToFloat(Text, value) ? Variant(value) : Variant(0));
    Calculator.SetFlatKeys(FlatKeys);
}

void PreparePickListDropDown(TWinControl& Editor, TPopupListboxEh& List, TColumnEh& Column) {
    List.SetColor(Editor.Color());
    List.SetFont(*Editor.Font());
    TStrings& items = *List.Items();
    const TStrings& pick = *Column.PickList();
    const bool keyed = Column.HasKeyList() && Column.KeyList()->Count() > 0;
    items.BeginUpdate();
    items.Clear();
    const int count = keyed ? std::min(Column.KeyList()->Count(), pick.Count()) : pick.Count();
    for (int i = 0; i < count; ++i) items.AddObject(pick[i], pick.GetObject(i));
    items.EndUpdate();
    const int rows = Column.DropDownRows();
    List.SizeForRows(count < rows ? count : rows);
    TField* field = Column.Field();
    if (field != nullptr && field->IsNull())
        List.SetItemIndex(-1);
    else
        List.SetItemIndex(keyed ? pick.IndexOf(Editor.Text()) : items.IndexOf(Editor.Text()));
    List.SetClientWidth(std::max(List.ClientWidth(), WidestTextWidth(items, *List.Font())) + 4);
}
