// The grid's in-place editor: construction, the message routing and the parts it keeps.
#include "data_grid/grid_inplace_edit.h"

#include "data_controls/edit_button_metrics.h"
#include "data_controls/mru_listbox.h"
#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/numeric_fields.h"
#include "platform/rtl/flag_scope.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/shape.h"
#include "platform/ui/system_metrics.h"

TDBGridInplaceEdit::TDBGridInplaceEdit(TComponent* AOwner, TCustomDBGridEh& Grid)
    : TInplaceEdit(AOwner), ownerGrid_(&Grid), canvas_(std::make_unique<TControlCanvas>()) {
    dropDownSource_ = NewComponent<TDataSource>(this);
    canvas_->SetControl(this);
}

TDBGridInplaceEdit::~TDBGridInplaceEdit() {
    // The lookup grid is the column's: it only stops telling this editor of its end.
    if (dataList_ != nullptr) {
        dataList_->RemoveFreeNotification(this);
        if (dataList_->Parent() == this)
            dataList_->SetParent(nullptr);
    }
}

TCustomDBGridEh* TDBGridInplaceEdit::OwnerGrid() const {
    return Grid() != nullptr ? ownerGrid_ : nullptr;
}

TColumnEh* TDBGridInplaceEdit::CurrentColumn() const {
    TCustomDBGridEh* grid = OwnerGrid();
    return grid != nullptr ? grid->CurrentColumnEh() : nullptr;
}

// Only the cell the editor shows has parameters of its own: a hidden editor speaks for no cell.
bool TDBGridInplaceEdit::CellParamsReadOnly(bool& ReadOnly) const {
    if (!paramsReadOnlySet_ || !Visible())
        return false;
    ReadOnly = paramsReadOnly_;
    return true;
}

void TDBGridInplaceEdit::UpdateContents() {
    TCustomDBGridEh* grid = OwnerGrid();
    TColumnEh* column = CurrentColumn();
    // Until this cell's parameters are read the last cell's read-only state must not answer.
    paramsReadOnlySet_ = false;
    if (grid == nullptr || column == nullptr) {
        SetEditStyle(esSimpleEh);
        SetTextAlignment(taLeftJustify);
        TInplaceEdit::UpdateContents();
        return;
    }
    SetEditStyle(ColumnEditStyle(*column));
    SetFont(*column->Font());
    // The grid's edit text has been through the column's cell-parameter handler already: the
    // editor shows it as it is, so a handler that decorates the text does not decorate it twice.
    const std::string editText = grid->GetEditText(grid->Col(), grid->Row());
    ApplyCellParams(*grid, *column, editText);
    SetWordWrap(column->WordWrap() && grid->WordWrapRoom());
    LoadText(editText);
    mruList_ = column->MRUList();
}

// The colour, image and read-only state the cell-parameter handlers give the focused cell.
void TDBGridInplaceEdit::ApplyCellParams(TCustomDBGridEh& Grid, TColumnEh& Column, const std::string& Text) {
    TColCellParamsEh params;
    Column.InitCellParams(params);
    params.Background = Column.Color();
    params.Font = Font();
    params.State = TGridDrawState{gdFocused};
    params.Text = Text;
    const bool columnReadOnly = !Column.IsEditable(false);
    params.ReadOnly = columnReadOnly;
    Grid.FireGetCellParams(&Column, Font(), params.Background, params.State);
    Column.FireGetCellParams(true, &params);
    SetColor(params.Background);
    // The text stands where the cell shows it: amounts at the right of a right-aligned column.
    SetTextAlignment(params.Alignment);
    imageIndex_ = params.ImageIndex;
    if (params.ReadOnly != columnReadOnly) {
        ReadOnly = params.ReadOnly;
        paramsReadOnlySet_ = true;
        paramsReadOnly_ = params.ReadOnly;
    }
}

void TDBGridInplaceEdit::LoadText(const std::string& Value) {
    TCustomDBGridEh* grid = OwnerGrid();
    SetChangeGuard(true);
    try {
        SetText("");
        SetEditMask(grid->GetEditMask(grid->Col(), grid->Row()));
        SetText(Value);
        SetMaxLength(grid->GetEditLimit());
    } catch (...) {
        SetChangeGuard(false);
        throw;
    }
    SetChangeGuard(false);
}

void TDBGridInplaceEdit::SetEditStyle(TInplaceEditStyleEh Style) {
    activeEditStyle_ = Style;
    TColumnEh* column = CurrentColumn();
    switch (Style) {
        case esPickListEh:
            activeDropDown_ = EnsurePickList(column);
            break;
        case esDataListEh:
            activeDropDown_ = BorrowDataList(column);
            break;
        case esDateCalendarEh:
            if (calendarDropDown_ == nullptr) {
                calendarDropDown_ = NewComponent<TPopupMonthCalendarEh>(this);
                calendarDropDown_->SetVisible(false);
                calendarDropDown_->SetParent(this);
            }
            activeDropDown_ = calendarDropDown_;
            break;
        case esDropDownEh:
            activeDropDown_ = column != nullptr && dynamic_cast<TNumericField*>(column->Field()) != nullptr
                                  ? NewPopupCalculator()
                                  : nullptr;
            break;
        default:
            activeDropDown_ = nullptr;
            break;
    }
    if (column != nullptr)
        ReadOnly = column->ReadOnly();
    Invalidate();
}

TPopupListboxEh* TDBGridInplaceEdit::EnsurePickList(TColumnEh* Column) {
    if (pickList_ == nullptr) {
        pickList_ = NewComponent<TPopupListboxEh>(this);
        pickList_->SetVisible(false);
        pickList_->SetParent(this);
        pickList_->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
            PickListMouseUp(Sender, Button, Shift, X, Y);
        };
        pickList_->SetImages(Column != nullptr ? Column->ImageList() : nullptr);
        pickList_->SetItemHeight(GetFontTextHeight(pickList_));
        pickList_->SetCtl3D(true);
    }
    return pickList_;
}

// The lookup grid is the column's: the editor borrows it and hears when it goes.
TPopupDataGridEh* TDBGridInplaceEdit::BorrowDataList(TColumnEh* Column) {
    auto* wanted = Column != nullptr ? dynamic_cast<TPopupDataGridEh*>(Column->DropDownGrid()) : nullptr;
    if (wanted == dataList_)
        return dataList_;
    if (dataList_ != nullptr)
        dataList_->RemoveFreeNotification(this);
    dataList_ = wanted;
    if (dataList_ == nullptr)
        return nullptr;
    dataList_->SetVisible(false);
    dataList_->SetParentCtl3D(false);
    dataList_->SetCtl3D(true);
    dataList_->SetParent(this);
    dataList_->OnListCloseUp = [this](TObject*, bool Accept) { CloseDropDown(Accept); };
    dataList_->FreeNotification(this);
    return dataList_;
}

TPopupCalculatorEh* TDBGridInplaceEdit::NewPopupCalculator() {
    if (calculatorDropDown_ == nullptr) {
        calculatorDropDown_ = NewComponent<TPopupCalculatorEh>(this);
        calculatorDropDown_->SetVisible(false);
        calculatorDropDown_->SetParent(this);
        if (HandleAllocated())
            calculatorDropDown_->HandleNeeded();
    }
    return calculatorDropDown_;
}

bool TDBGridInplaceEdit::CalculatorAvailable() {
    TColumnEh* column = CurrentColumn();
    return activeEditStyle_ == esDropDownEh && column != nullptr &&
           dynamic_cast<TNumericField*>(column->Field()) != nullptr;
}

void TDBGridInplaceEdit::SetWordWrap(bool Value) {
    if (wordWrap_ == Value)
        return;
    wordWrap_ = Value;
    if (HandleAllocated())
        RecreateWnd();
}

void TDBGridInplaceEdit::CreateParams(TCreateParams& Params) {
    TInplaceEdit::CreateParams(Params);
    // The formatting rectangle that keeps the text clear of the buttons and the image works in
    // multi-line mode only; without word wrap the line still scrolls sideways instead of wrapping.
    Params.Style |= ES_MULTILINE;
    if (wordWrap_)
        Params.Style &= ~ES_AUTOHSCROLL;
    TCustomDBGridEh* grid = OwnerGrid();
    buttonAreaWidth_ =
        grid != nullptr && grid->Flat() ? ComputeFlatButtonWidth() + 1 : GetSystemMetrics(SM_CXVSCROLL);
}

void TDBGridInplaceEdit::TextChangedByUser() {
    userEdited_ = true;
    RefreshImageIndex();
}

void TDBGridInplaceEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TInplaceEdit::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == dataList_) {
        if (activeDropDown_ == dataList_)
            activeDropDown_ = nullptr;
        dataList_ = nullptr;
        SetEditStyle(esSimpleEh);
        return;
    }
    auto forget = [this, AComponent](auto*& part) {
        if (AComponent != part)
            return;
        if (activeDropDown_ == part)
            activeDropDown_ = nullptr;
        part = nullptr;
    };
    forget(pickList_);
    forget(calendarDropDown_);
    forget(calculatorDropDown_);
    forget(mruListWindow_);
    if (AComponent == dropDownSource_)
        dropDownSource_ = nullptr;
    for (auto& line : buttonControls_) {
        if (AComponent == line.EditButtonControl)
            line.EditButtonControl = nullptr;
        if (AComponent == line.ButtonLine)
            line.ButtonLine = nullptr;
    }
}

void TDBGridInplaceEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_CANCELMODE:
            CMCancelMode(Message);
            break;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            break;
        case WM_SETFOCUS:
            WMSetFocus(Message);
            break;
        case WM_SETCURSOR:
            WMSetCursor(Message);
            break;
        case WM_PASTE: {
            TFlagScope byUser(textChangeByUser_);
            WMPaste(Message);
            AfterEditMessage();
            break;
        }
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO: {
            TFlagScope byUser(textChangeByUser_);
            TInplaceEdit::Dispatch(Message);
            AfterEditMessage();
            break;
        }
        case WM_PAINT:
            WMPaint(Message);
            break;
        case WM_LBUTTONDBLCLK:
            WMLButtonDblClk(Message);
            break;
        default:
            TInplaceEdit::Dispatch(Message);
            break;
    }
}

// ---- The grid makes it

TInplaceEdit* TCustomDBGridEh::CreateEditor() {
    return NewComponent<TDBGridInplaceEdit>(this, *this);
}
