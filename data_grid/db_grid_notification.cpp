// Components the grid refers to going away, the columns' pop-up menus and taking the focus.
#include "data_grid/db_grid.h"

#include "platform/db/data_source.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/ui/image_list.h"
#include "platform/ui/popup_menu.h"

bool TCustomDBGridEh::ColumnsForgetField(const TComponent* Field) {
    bool changed = false;
    if (!columns_)
        return changed;
    for (int i = 0; i < columns_->Count(); ++i) {
        IGridColumnEh* column = columns_->Items(i);
        if (column->Field() != nullptr && static_cast<TComponent*>(column->Field()) == Field) {
            column->SetField(nullptr);
            changed = true;
        }
    }
    return changed;
}

void TCustomDBGridEh::FieldFreed(TComponent* Field) {
    dataLink_->FieldFreed(Field);
    BeginLayout();
    const bool changed = ColumnsForgetField(Field);
    TDataSet* dataSet = dataLink_->DataSet();
    if (changed && dataSet != nullptr && !dataSet->ControlsDisabled())
        EndLayout();
    else
        PostDeferredUpdate();
}

void TCustomDBGridEh::ForgetComponentInParts(TComponent* AComponent) {
    if (columns_)
        for (int i = 0; i < columns_->Count(); ++i) columns_->Items(i)->ForgetComponent(AComponent);
    for (IGridScrollBarEh* bar : {vertScrollBar_.get(), horzScrollBar_.get()})
        if (bar != nullptr && bar->ExtScrollBar() == AComponent)
            bar->SetExtScrollBar(nullptr);
}

void TCustomDBGridEh::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomGrid::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent == this)
        return;
    ForgetComponentInParts(AComponent);
    if (titleImages_ != nullptr && AComponent == titleImages_)
        SetTitleImages(nullptr);
    if (dataLink_ && AComponent == DataSource()) {
        SetDataSource(nullptr);
        return;
    }
    // The field may be half gone already: it is recognised by what points at it, not by its class.
    const bool isField = dynamic_cast<TField*>(AComponent) != nullptr;
    if (dataLink_ && (isField || ColumnsMayShow(AComponent))) {
        FieldFreed(AComponent);
        return;
    }
    // A memory table going away must not stay held; any other dataset may be the link's new one.
    if (AComponent == memTableDataSet_) {
        memTable_ = nullptr;
        memTableDataSet_ = nullptr;
        RefreshLayout();
    } else if (AComponent != dataLink_->DataSet() && dynamic_cast<TDataSet*>(AComponent) != nullptr) {
        DetectMemTable();
    }
}

bool TCustomDBGridEh::ColumnsMayShow(const TComponent* AComponent) const {
    if (!columns_)
        return false;
    for (int i = 0; i < columns_->Count(); ++i) {
        TField* field = columns_->Items(i)->Field();
        if (field != nullptr && static_cast<TComponent*>(field) == AComponent)
            return true;
    }
    for (int i = 0; i < dataLink_->MapCount(); ++i)
        if (dataLink_->MapEntry(i) >= 0 &&
            static_cast<const TComponent*>(dataLink_->FieldAt(i)) == AComponent)
            return true;
    return false;
}

void TCustomDBGridEh::DefaultHandler(TMessage& Message) {
    TCustomGrid::DefaultHandler(Message);
    if (Message.Msg == WM_RBUTTONUP)
        ShowColumnMenu(Message);
}

void TCustomDBGridEh::ShowColumnMenu(TMessage& Message) {
    const int x = static_cast<std::int16_t>(Message.LParam & 0xFFFF);
    const int y = static_cast<std::int16_t>((Message.LParam >> 16) & 0xFFFF);
    const TGridCoord cell = MouseCoord(x, y);
    const int dataCol = cell.X - indicatorOffset_;
    if (cell.Y < 0 || dataCol < 0 || !columns_ || dataCol >= columns_->Count())
        return;
    TPopupMenu* menu = columns_->Items(dataCol)->PopupMenu();
    if (menu == nullptr || !menu->AutoPopup)
        return;
    Perform(WM_CANCELMODE, 0, 0);
    menu->PopupComponent = this;
    const TPoint at = ClientToScreen(TPoint{x, y});
    menu->Popup(at.X, at.Y);
    Message.Result = 1;
}

bool TCustomDBGridEh::TryFocusGrid() {
    bool focused = true;
    if (takesFocus_ && CanFocus()) {
        SetFocus();
        focused = HasFocusWithin();
    }
    // No frame form here hands the focus over another way.
    return focused || FilterEditingActive();
}
