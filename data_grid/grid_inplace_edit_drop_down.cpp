// The grid editor's drop-down: opening the list of the cell's edit style under the cell, and
// closing it up, the choice written to the cell only when accepted and when the grid allows it.
#include "data_controls/drop_down_placement.h"
#include "data_controls/edit_button_control.h"
#include "data_controls/mru_list.h"
#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_listbox.h"
#include "data_controls/spec_row.h"
#include "data_controls/variant_kinds.h"
#include "data_grid/column.h"
#include "data_grid/column_drop_down_box.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/grid_inplace_edit_drop_down_lists.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_list.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/window_functions.h"
#include "platform/ui/window_styles.h"

namespace {

TEditButtonControlEh* MainButton(const TEditButtonControlList& Controls) {
    return Controls.empty() ? nullptr : Controls.front().EditButtonControl;
}

bool FocusWithin(TWinControl& Control) {
    for (TControl* focused = FindControl(GetFocus()); focused != nullptr; focused = focused->Parent())
        if (focused == &Control)
            return true;
    return false;
}

// Every key field of the lookup field may be written.
bool KeyFieldsModifiable(TField& Field) {
    const std::vector<std::string> names = SplitFieldNames(Field.KeyFields);
    if (names.empty())
        return false;
    for (const std::string& name : names) {
        TField* key = Field.DataSet()->FindField(name);
        if (key == nullptr || !key->CanModify())
            return false;
    }
    return true;
}

}  // namespace

void TDBGridInplaceEdit::OpenDropDown() {
    TColumnEh* column = CurrentColumn();
    TCustomDBGridEh* grid = OwnerGrid();
    if (listShown_ || activeDropDown_ == nullptr || column == nullptr || grid == nullptr)
        return;
    activeDropDown_->SetWidth(Width());
    if (activeDropDown_ == dataList_) {
        if (!PrepareLookupDropDown(*this, *dataList_, *column, *dropDownSource_, grid->EditKeyValue()))
            return;
        listColumnsReordered_ = false;
        dataList_->OnColumnMove = [this](TObject*, int, int) { listColumnsReordered_ = true; };
        dataList_->SetLookupAutoFitColWidths(column->DropDownBox()->AutoFitColWidths());
    } else if (activeDropDown_ == calendarDropDown_) {
        PrepareCalendarDropDown(*this, *calendarDropDown_, *column);
    } else if (activeDropDown_ == calculatorDropDown_) {
        PrepareCalculatorDropDown(*calculatorDropDown_, Text(), grid->Flat());
        SetSelLength(0);
    } else if (activeDropDown_ == pickList_) {
        PreparePickListDropDown(*this, *pickList_, *column);
    }
    if (mruList_ != nullptr && mruList_->DroppedDown())
        MRUListClosed(false);
    ShowDropDown(*column);
}

void TDBGridInplaceEdit::ShowDropDown(TColumnEh& Column) {
    TWinControl& list = *activeDropDown_;
    const TPoint at = PlaceDropDownByControl(this, &list, daLeft);
    list.SetBounds(at.X, at.Y, list.Width(), list.Height());
    ShowWindow(list.Handle(), SW_SHOWNOACTIVATE);
    list.SetVisible(true);
    if (&list == dataList_) {
        if (TSizeGripEh* grip = dataList_->SizeGrip())
            grip->SetVisible(Column.DropDownSizing());
        dataList_->SetRowCount(dataList_->ListRowCount());
        dataList_->SetSizeGripResized(false);
    } else if (&list == pickList_) {
        if (TSizeGripEh* grip = pickList_->SizeGrip())
            grip->SetVisible(Column.DropDownSizing());
        pickList_->SetSizeGripResized(false);
    }
    listShown_ = true;
    Invalidate();
    if (CanFocus())
        SetFocus();
    if (TEditButtonControlEh* button = MainButton(buttonControls_))
        button->SetLatchedDown(true);
    dropDownOpen_ = true;
}

void TDBGridInplaceEdit::CloseDropDown(bool Accept) {
    if (activeDropDown_ != nullptr && FocusWithin(*activeDropDown_) && CanFocus())
        SetFocus();
    if (!listShown_ || activeDropDown_ == nullptr)
        return;
    // Marked closed first: the cancel-mode below may come back here.
    listShown_ = false;
    if (TEditButtonControlEh* button = MainButton(buttonControls_))
        button->SetLatchedDown(false);
    if (TControl* capture = GetCaptureControl())
        capture->Perform(WM_CANCELMODE);
    TColumnEh* column = CurrentColumn();
    const Variant value = column != nullptr ? TakeDropDownChoice(*column) : Variant::Null();
    HideDropDown();
    if (column == nullptr)
        return;
    if (!Accept) {
        if (activeDropDown_ == dataList_ || activeDropDown_ == pickList_)
            ShowGridText();
        return;
    }
    if (activeDropDown_ == dataList_)
        AcceptLookupChoice(*column, value);
    else if (activeDropDown_ == calendarDropDown_)
        AcceptCalendarChoice(*column);
    else if (activeDropDown_ == calculatorDropDown_)
        AcceptCalculatorChoice(*column);
    else if (activeDropDown_ == pickList_)
        AcceptPickListChoice(*column, value);
}

// The key or item the list stands on; what the user's resizing leaves for the next drop-down.
Variant TDBGridInplaceEdit::TakeDropDownChoice(TColumnEh& Column) {
    if (activeDropDown_ == dataList_) {
        if (dataList_->SizeGripResized()) {
            Column.SetDropDownRows(dataList_->ListRowCount());
            Column.SetDropDownWidth(dataList_->Width());
        }
        if (listColumnsReordered_)
            Column.DropDownSpecRow()->SetCellsText(dataList_->SpecRow()->CellsText());
        return dataList_->KeyValue();
    }
    if (activeDropDown_ != pickList_)
        return Variant::Null();
    if (pickList_->SizeGripResized() && pickList_->ItemHeight() > 0) {
        Column.SetDropDownRows(pickList_->ClientHeight() / pickList_->ItemHeight());
        Column.SetDropDownWidth(pickList_->Width());
    }
    const int index = pickList_->ItemIndex();
    if (index < 0)
        return Variant::Null();
    if (Column.HasKeyList() && Column.KeyList()->Count() > 0)
        return index < Column.KeyList()->Count() ? Variant((*Column.KeyList())[index]) : Variant::Null();
    return Variant((*pickList_->Items())[index]);
}

void TDBGridInplaceEdit::HideDropDown() {
    TWinControl& list = *activeDropDown_;
    if (list.HandleAllocated())
        SetWindowPos(list.Handle(), 0, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    list.SetVisible(false);
    dropDownOpen_ = false;
    if (&list == dataList_) {
        dataList_->SetLookupAutoFitColWidths(false);
        dataList_->SetListSource(nullptr);
        // The grid is the column's and outlives this editor's hold on it.
        dataList_->OnColumnMove = nullptr;
    }
    if (dropDownSource_ != nullptr)
        dropDownSource_->SetDataSet(nullptr);
    Invalidate();
}

// The editor shows the grid's edit text again without telling the grid of a change.
void TDBGridInplaceEdit::ShowGridText() {
    TCustomDBGridEh* grid = OwnerGrid();
    if (grid == nullptr)
        return;
    SetChangeGuard(true);
    try {
        SetText(grid->EditText());
    } catch (...) {
        SetChangeGuard(false);
        throw;
    }
    SetChangeGuard(false);
}

void TDBGridInplaceEdit::AcceptLookupChoice(TColumnEh& Column, const Variant& Value) {
    TCustomDBGridEh* grid = OwnerGrid();
    TField* field = Column.Field();
    if (field == nullptr || !KeyFieldsModifiable(*field))
        return;
    const std::string selected = dataList_->SelectedText();
    try {
        // Asking the grid and the column already puts the record into edit.
        if (!grid->GridBeginFieldEdit() || !Column.IsEditable(true))
            return;
        field->DataSet()->Edit();
        if (grid->DataLink()->Editing()) {
            grid->DataLink()->MarkModified();
            grid->editKeyValue_ = Value;
            grid->editText_ = selected;
        }
    } catch (...) {
        SetText(field->Text() + " ");
        throw;
    }
    SetText(selected);
    SelectAll();
}

void TDBGridInplaceEdit::AcceptCalendarChoice(TColumnEh& Column) {
    TCustomDBGridEh* grid = OwnerGrid();
    if (!Column.IsEditable(true) || !grid->GridBeginFieldEdit())
        return;
    const TDateTime date = calendarDropDown_->Date();
    grid->DataLink()->DataSet()->Edit();
    Column.PutCellValue(DateToStr(date), Variant::FromDateTime(date), false);
}

void TDBGridInplaceEdit::AcceptCalculatorChoice(TColumnEh& Column) {
    TCustomDBGridEh* grid = OwnerGrid();
    if (!Column.IsEditable(true) || !grid->GridBeginFieldEdit())
        return;
    const Variant value = calculatorDropDown_->FetchPopupValue();
    if (!HoldsPlainNumber(value))
        return;
    SetText(FloatToStr(value.AsDouble()));
    grid->editText_ = Text();
    SelectAll();
}

void TDBGridInplaceEdit::AcceptPickListChoice(TColumnEh& Column, const Variant& Value) {
    TCustomDBGridEh* grid = OwnerGrid();
    if (Value.IsNull() || !grid->GridBeginFieldEdit())
        return;
    const int index = pickList_->ItemIndex();
    if (Column.HasKeyList() && Column.KeyList()->Count() > 0 && index >= 0)
        SetText((*pickList_->Items())[index]);
    else
        SetText(Value.AsString());
    grid->editText_ = Text();
    RefreshImageIndex();
}

void TDBGridInplaceEdit::PickListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                         int Y) {
    (void)Sender;
    (void)Shift;
    if (Button == mbLeft && pickList_ != nullptr)
        CloseDropDown(pickList_->ClientRect().Contains({X, Y}));
}
