#include "tools/popup_edits_demo/popup_edits.h"

#include "data_controls/drop_down_placement.h"
#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/form.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"

TPopupEditDemo::TPopupEditDemo(TComponent* AOwner) : TDBEditEh(AOwner) {}

void TPopupEditDemo::OpenDropDown() {
    TDBEditEh::OpenDropDown();
    TWinControl* popup = Popup();
    if (popup->Parent() == nullptr)
        popup->SetParent(ParentForm());
    PutValue();
    const TPoint at = PlaceDropDownByControl(this, popup, daLeft);
    SetWindowPos(popup->Handle(), HWND_TOP, at.X, at.Y, popup->Width(), popup->Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TPopupEditDemo::DoCloseDropDown(bool Accept) {
    const bool wasOpen = DroppedDown();
    TDBEditEh::DoCloseDropDown(Accept);
    if (!wasOpen)
        return;
    ShowWindow(Popup()->Handle(), SW_HIDE);
    if (Accept)
        TakeValue();
}

TField* TPopupEditDemo::EditedField() {
    TField* field = Field();
    if (field != nullptr)
        field->DataSet()->Edit();
    return field;
}

void TPopupEditDemo::KeyDown(WORD& Key, TShiftState Shift) {
    if (!DroppedDown()) {
        TDBEditEh::KeyDown(Key, Shift);
        return;
    }
    swallowReturn_ = Key == VK_RETURN;
    if (HandKeyDown(Key))
        Key = 0;
}

bool TPopupEditDemo::HandKeyDown(WORD Key) {
    Popup()->Perform(WM_KEYDOWN, Key, 0);
    return true;
}

void TPopupEditDemo::KeyPress(char32_t& Key) {
    if (Key == '\r' && swallowReturn_) {
        swallowReturn_ = false;
        Key = 0;
        return;
    }
    TDBEditEh::KeyPress(Key);
}

void TPopupEditDemo::DoExit() {
    if (DroppedDown())
        CloseDropDown(false);
    TDBEditEh::DoExit();
}

TPopupDateEditDemo::TPopupDateEditDemo(TComponent* AOwner) : TPopupEditDemo(AOwner) {
    calendar_ = NewComponent<TPopupMonthCalendarEh>(this);
    calendar_->SetVisible(false);
}

TWinControl* TPopupDateEditDemo::Popup() const {
    return calendar_;
}

void TPopupDateEditDemo::PutValue() {
    TField* field = Field();
    calendar_->SetDate(field != nullptr && !field->IsNull() ? field->AsDateTime() : Date());
}

void TPopupDateEditDemo::TakeValue() {
    if (TField* field = EditedField())
        field->SetAsDateTime(calendar_->Date());
}

TPopupSumEditDemo::TPopupSumEditDemo(TComponent* AOwner) : TPopupEditDemo(AOwner) {
    calculator_ = NewComponent<TPopupCalculatorEh>(this);
    calculator_->SetVisible(false);
}

TWinControl* TPopupSumEditDemo::Popup() const {
    return calculator_;
}

bool TPopupSumEditDemo::HandKeyDown(WORD Key) {
    // The calculator works out Enter from the typed character; digits and signs come typed.
    if (Key == VK_RETURN)
        calculator_->Perform(WM_CHAR, '\r', 0);
    else if (Key == VK_ESCAPE || Key == VK_DELETE)
        calculator_->Perform(WM_KEYDOWN, Key, 0);
    else
        return false;
    return true;
}

void TPopupSumEditDemo::KeyPress(char32_t& Key) {
    // Enter comes on key-down; every other character is the calculator's while it is open.
    if (DroppedDown() && Key != '\r') {
        calculator_->Perform(WM_CHAR, Key, 0);
        Key = 0;
        return;
    }
    TPopupEditDemo::KeyPress(Key);
}

void TPopupSumEditDemo::PutValue() {
    TField* field = Field();
    calculator_->PutPopupValue(field != nullptr ? field->AsVariant() : Variant::Null());
}

void TPopupSumEditDemo::TakeValue() {
    const Variant value = calculator_->FetchPopupValue();
    if (value.IsError())
        return;
    if (TField* field = EditedField())
        field->SetAsFloat(value.AsDouble());
}
