// The grid's in-place editor: construction, the message routing and the parts it keeps.
#include "data_grid/grid_inplace_edit.h"

#include "data_controls/mru_listbox.h"
#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/column.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/shape.h"

TDBGridInplaceEdit::TDBGridInplaceEdit(TComponent* AOwner)
    : TInplaceEdit(AOwner), canvas_(std::make_unique<TControlCanvas>()) {
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
    return dynamic_cast<TCustomDBGridEh*>(Grid());
}

TColumnEh* TDBGridInplaceEdit::CurrentColumn() const {
    TCustomDBGridEh* grid = OwnerGrid();
    return grid != nullptr ? grid->CurrentColumnEh() : nullptr;
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
        case WM_PASTE:
            WMPaste(Message);
            break;
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
    return NewComponent<TDBGridInplaceEdit>(this);
}
