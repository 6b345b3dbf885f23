#include "data_controls/db_check_box.h"

#include "data_controls/variants_equal.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/db/field_list.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/string_compare.h"
#include "platform/ui/accelerators.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/virtual_keys.h"

bool CheckBoxValueInList(std::string_view text, std::string_view list) {
    std::size_t pos = 0;
    while (pos < list.size())
        if (AnsiCompareText(ExtractFieldName(list, pos), text) == 0)
            return true;
    return false;
}

std::optional<TCheckBoxState> CheckBoxStateWithoutText(const TField* field) {
    if (field == nullptr)
        return cbUnchecked;
    if (field->IsNull())
        return cbGrayed;
    if (field->DataType() == ftBoolean)
        return field->AsBoolean() ? cbChecked : cbUnchecked;
    return std::nullopt;
}

std::string CheckBoxFirstValue(std::string_view list) {
    std::size_t pos = 0;
    return ExtractFieldName(list, pos);
}

TCustomDBCheckBoxEh::TCustomDBCheckBoxEh(TComponent* AOwner) : TButtonControl(AOwner) {
    ControlStyle.Exclude(csDoubleClicks);
    ControlStyle.Include(csReplicatable);
    SetBounds(Left(), Top(), 97, 17);
    SetParentColor(true);
    dataLink_.SetValue(Variant(false));
    dataLink_.DataChangeHook = [this](TFieldDataLinkEh*) { DataChange(); };
    dataLink_.UpdateDataHook = [this](TFieldDataLinkEh*) { CommitData(); };
}

TCustomDBCheckBoxEh::~TCustomDBCheckBoxEh() {
    // Letting go of the data source must not call back into a control half gone.
    dataLink_.DataChangeHook = nullptr;
    dataLink_.UpdateDataHook = nullptr;
    dataLink_.SetDataSource(nullptr);
}

void TCustomDBCheckBoxEh::Notification(TComponent* AComponent, TOperation Operation) {
    TButtonControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != nullptr && AComponent == DataSource())
        SetDataSource(nullptr);
}

void TCustomDBCheckBoxEh::SetDataSource(TDataSource* value) {
    dataLink_.SetDataSource(value);
    if (value != nullptr)
        value->FreeNotification(this);
}

TCheckBoxState TCustomDBCheckBoxEh::FieldState() const {
    if (IsUnbound()) {
        const Variant& value = dataLink_.UnboundValue();
        if (VariantsEqual(value, Variant(true)))
            return cbChecked;
        return VariantsEqual(value, Variant(false)) ? cbUnchecked : cbGrayed;
    }
    const TField* field = Field();
    if (const auto fixed = CheckBoxStateWithoutText(field))
        return *fixed;
    const std::string text = field->Text();
    if (CheckBoxValueInList(text, valueChecked_))
        return cbChecked;
    return CheckBoxValueInList(text, valueUnchecked_) ? cbUnchecked : cbGrayed;
}

void TCustomDBCheckBoxEh::DataChange() {
    ApplyState(FieldState());
    modified_ = false;
}

void TCustomDBCheckBoxEh::SetValueChecked(const std::string& value) {
    valueChecked_ = value;
    DataChange();
}

void TCustomDBCheckBoxEh::SetValueUnchecked(const std::string& value) {
    valueUnchecked_ = value;
    DataChange();
}

void TCustomDBCheckBoxEh::SetChecked(bool value) {
    SetState(value ? cbChecked : cbUnchecked);
}

void TCustomDBCheckBoxEh::SetState(TCheckBoxState value) {
    if (!IsUnbound())
        dataLink_.Edit();
    ApplyState(value);
    if (dataPosting_)
        return;
    try {
        CommitData();
    } catch (...) {
        // The field keeps its old value: show it again.
        dataLink_.ReloadRecord();
        throw;
    }
}

void TCustomDBCheckBoxEh::ApplyState(TCheckBoxState value) {
    if (value == state_)
        return;
    state_ = value;
    if (HandleAllocated())
        Perform(BM_SETCHECK, static_cast<WPARAM>(value));
    if (!ClicksDisabled())
        Click();
    Invalidate();
    modified_ = true;
}

void TCustomDBCheckBoxEh::Click() {
    Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
    TButtonControl::Click();
}

void TCustomDBCheckBoxEh::Toggle() {
    if (!dataLink_.BeginEditing())
        return;
    switch (state_) {
        case cbUnchecked:
            SetState(allowGrayed_ ? cbGrayed : cbChecked);
            break;
        case cbChecked:
            SetState(cbUnchecked);
            break;
        case cbGrayed:
            SetState(cbChecked);
            break;
    }
    dataLink_.SetModified();
    Invalidate();
}

void TCustomDBCheckBoxEh::CommitData() {
    bool handled = false;
    if (OnUpdateData) {
        // The handler may set the state itself; that must not post again.
        TFlagScope posting(dataPosting_);
        OnUpdateData(this, handled);
    }
    if (!handled)
        PostStateToField();
}

void TCustomDBCheckBoxEh::PostStateToField() {
    if (IsUnbound()) {
        dataLink_.SetValue(state_ == cbGrayed ? Variant::Null() : Variant(state_ == cbChecked));
        return;
    }
    TField* field = Field();
    if (field == nullptr)
        return;
    if (state_ == cbGrayed)
        field->Clear();
    else if (field->DataType() == ftBoolean)
        field->SetAsBoolean(Checked());
    else
        field->SetText(CheckBoxFirstValue(Checked() ? valueChecked_ : valueUnchecked_));
}

void TCustomDBCheckBoxEh::SetAlignment(TLeftRight value) {
    if (value == alignment_)
        return;
    alignment_ = value;
    RecreateWnd();
}

void TCustomDBCheckBoxEh::SetFlat(bool value) {
    if (value == flat_)
        return;
    flat_ = value;
    RecreateWnd();
}

void TCustomDBCheckBoxEh::SetAlwaysShowBorder(bool value) {
    if (value == alwaysShowBorder_)
        return;
    alwaysShowBorder_ = value;
    Invalidate();
}

void TCustomDBCheckBoxEh::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CN_COMMAND:
            if (((Message.WParam >> 16) & 0xFFFF) != BN_CLICKED)
                break;
            if (!ClicksDisabled())
                Toggle();
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!TakeFocusForPress())
                return;
            break;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && CanFocus()) {
                SetFocus();
                if (Focused())
                    Toggle();
                Message.Result = 1;
                return;
            }
            break;
        case CM_WANTSPECIALKEY:
            // Escape undoes the control's change before it may close the dialog.
            if (Message.WParam == VK_ESCAPE && modified_) {
                Message.Result = 1;
                return;
            }
            break;
        case CM_EXIT:
            CommitOnExit();
            break;
        case WM_CANCELMODE:
        case CM_CANCELMODE:
            CancelMode(Message);
            return;
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            mouseAboveControl_ = Message.Msg == CM_MOUSEENTER;
            Invalidate();
            break;
        case WM_KILLFOCUS:
            spacePressed_ = false;
            break;
        case CM_CTL3DCHANGED:
            RecreateWnd();
            break;
        default:
            break;
    }
    TButtonControl::Dispatch(Message);
}

bool TCustomDBCheckBoxEh::TakeFocusForPress() {
    if (Focused())
        return true;
    // Taking the focus must not toggle the box: the press does that when it is released.
    const bool disabled = ClicksDisabled();
    {
        SetClicksDisabled(true);
        TScopeExit restore([this, disabled] { SetClicksDisabled(disabled); });
        if (CanFocus())
            SetFocus();
    }
    return Focused();
}

void TCustomDBCheckBoxEh::CommitOnExit() {
    try {
        dataLink_.UpdateRecord();
    } catch (...) {
        SetFocus();
        throw;
    }
}

void TCustomDBCheckBoxEh::CancelMode(TMessage& Message) {
    const bool leftDown = ControlState.Contains(csLButtonDown);
    TButtonControl::Dispatch(Message);
    if (leftDown)
        Perform(WM_LBUTTONUP, 0, MakeLParam(-1, -1));
}

void TCustomDBCheckBoxEh::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_SPACE) {
        spacePressed_ = true;
        Invalidate();
    }
    TButtonControl::KeyDown(Key, Shift);
}

void TCustomDBCheckBoxEh::KeyUp(WORD& Key, TShiftState Shift) {
    if (Key == VK_SPACE) {
        spacePressed_ = false;
        Invalidate();
    }
    TButtonControl::KeyUp(Key, Shift);
}

void TCustomDBCheckBoxEh::KeyPress(char32_t& Key) {
    TButtonControl::KeyPress(Key);
    if (Key == U'\b' || Key == U' ')
        dataLink_.BeginEditing();
    else if (Key == U'\x1b')
        dataLink_.ReloadRecord();
}

void TCustomDBCheckBoxEh::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TButtonControl::MouseDown(Button, Shift, X, Y);
    Invalidate();
}

void TCustomDBCheckBoxEh::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TButtonControl::MouseUp(Button, Shift, X, Y);
    Invalidate();
}

void TCustomDBCheckBoxEh::Resize() {
    TButtonControl::Resize();
    Invalidate();
}
