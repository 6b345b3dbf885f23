// Whether and how a column's cell is edited, and writing an edited value back to the field.
#include <string>
#include <vector>

#include "data_controls/edit_button.h"
#include "data_controls/edit_button_metrics.h"
#include "data_controls/field_lists.h"
#include "data_controls/mru_list.h"
#include "data_grid/column_cell.h"
#include "data_grid/column_cell_rules.h"
#include "data_grid/column_drop_down_box.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_list.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/system_metrics.h"

namespace {

// The dataset fields a lookup field names in KeyFields; a name without a field leaves a nullptr.
std::vector<TField*> KeyFieldsOf(const TField* field) {
    std::vector<TField*> fields;
    TDataSet* dataSet = field->DataSet();
    for (const std::string& name : SplitFieldNames(field->KeyFields))
        fields.push_back(dataSet != nullptr ? dataSet->FindField(name) : nullptr);
    return fields;
}

bool AllModifiable(const std::vector<TField*>& fields) {
    for (const TField* field : fields)
        if (field == nullptr || !field->CanModify())
            return false;
    return true;
}

// The grid lets its cells be edited: not read-only, over an active link that is not read-only.
bool GridOpenForEditing(TCustomDBGridEh* grid) {
    return grid != nullptr && !grid->ReadOnly() && grid->DataLink()->Active() &&
           !grid->DataLink()->ReadOnly();
}

bool IsDateType(TFieldType type) {
    return type == ftDate || type == ftDateTime || type == ftTimeStamp;
}

TInplaceEditStyleEh AutoEditStyle(TColumnEh& column) {
    TField* field = column.ResolveField();
    if (field == nullptr)
        return esSimpleEh;
    TCustomDBGridEh* grid = column.OwnerGrid();
    if (field->Lookup()) {
        const std::vector<TField*> keys = KeyFieldsOf(field);
        const bool designing = grid != nullptr && grid->ComponentState().Contains(csDesigning);
        const bool ownReadOnly = column.OwnValues().Contains(ovReadOnly) && column.ReadOnly();
        const bool listable = (AllModifiable(keys) || designing) && !keys.empty() && !ownReadOnly;
        return listable && GridOpenForEditing(grid) ? esDataListEh : esSimpleEh;
    }
    const bool readOnly = column.ReadOnly();
    if (column.HasPickList() && column.PickList()->Count() > 0 && !readOnly)
        return esPickListEh;
    if (IsDateType(field->DataType()) && !readOnly)
        return esDateCalendarEh;
    return esSimpleEh;
}

}  // namespace

TEditButtonStyleEh MainButtonStyle(TInplaceEditStyleEh Style) {
    switch (Style) {
        case esEllipsisEh:
            return ebsEllipsisEh;
        case esUpDownEh:
            return ebsUpDownEh;
        default:
            return ebsDropDownEh;
    }
}

TInplaceEditStyleEh ColumnEditStyle(TColumnEh& Column) {
    switch (Column.ButtonStyle()) {
        case cbsEllipsis:
            return esEllipsisEh;
        case cbsUpDown:
            return esUpDownEh;
        case cbsDropDown:
            return esDropDownEh;
        case cbsNone:
            return esSimpleEh;
        case cbsAuto:
            break;
    }
    return AutoEditStyle(Column);
}

int TColumnEh::EditButtonsWidth() {
    TCustomDBGridEh* grid = OwnerGrid();
    const bool flat = grid != nullptr && grid->Flat();
    const int standard = flat ? ComputeFlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL);
    const int gap = flat ? 1 : 0;
    int width = ColumnEditStyle(*this) != esSimpleEh ? standard + gap : 0;
    for (int i = 0; i < editButtons_->Count(); ++i) {
        const TEditButtonEh* button = editButtons_->GetButton(i);
        if (button->Visible())
            width += (button->Width() != 0 ? button->Width() : standard) + gap;
    }
    return width;
}

bool ColumnCellEditable(TColumnEh& Column, bool BeginEdit, bool Stepping) {
    TCustomDBGridEh* grid = Column.OwnerGrid();
    bool allowed = (grid == nullptr || GridOpenForEditing(grid)) && !Column.ReadOnly();
    TField* field = Column.ResolveField();
    if (field == nullptr)
        return false;
    TField* tested = field;
    if (field->Lookup()) {
        const std::vector<TField*> keys = KeyFieldsOf(field);
        allowed = allowed && !keys.empty() && AllModifiable(keys);
        tested = keys.empty() ? nullptr : keys.front();
    }
    if (allowed) {
        const bool memoAsText =
            !Stepping && grid != nullptr && grid->MemoAsText() && tested->DataType() == ftMemo;
        const bool blobWritable = !tested->IsBlob() || static_cast<bool>(tested->OnSetText) || memoAsText;
        allowed = tested->CanModify() && blobWritable && (grid == nullptr || grid->GridAllowsCellEdit());
    }
    if (allowed && BeginEdit && grid != nullptr) {
        TGridDataLinkEh* link = grid->DataLink();
        link->Edit();
        allowed = link->Editing();
        if (allowed)
            link->MarkModified();
    }
    return allowed;
}

bool TColumnEh::IsEditable(bool BeginEdit) {
    return ColumnCellEditable(*this, BeginEdit, false);
}

void TColumnEh::PutCellValue(std::string Text, Variant Value, bool UseText) {
    TCustomDBGridEh* grid = OwnerGrid();
    if (grid == nullptr)
        return;
    bool handled = false;
    if (OnUpdateData)
        OnUpdateData(this, Text, Value, UseText, handled);
    TField* field = ResolveField();
    if (handled || field == nullptr)
        return;
    if (UseText) {
        if (grid->MemoAsText() && field->DataType() == ftMemo)
            field->SetAsString(Text);
        else
            field->SetText(Text);
    } else if (field->Lookup() && !field->KeyFields.empty()) {
        AssignFieldsFromVariant(field->DataSet(), field->KeyFields, Value);
    } else {
        field->SetValue(Value);
    }
    if (mruList_->AutoAdd() && mruList_->Active() && grid->EditorShown() && grid->EditorShowing())
        mruList_->AddItem(Text);
}

TDataSet* ColumnLookupDataSet(TColumnEh& Column) {
    TField* field = Column.ResolveField();
    return field != nullptr ? field->LookupDataSet() : nullptr;
}

// The drop-down box's own list source comes before the field's lookup dataset.
TDataSet* ColumnListDataSet(TColumnEh& Column) {
    const TDataSource* source = Column.DropDownBox()->ListSource();
    if (source != nullptr && source->DataSet() != nullptr)
        return source->DataSet();
    return ColumnLookupDataSet(Column);
}
