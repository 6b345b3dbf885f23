#include "platform/ui/inplace_edit.h"

#include "platform/rtl/flag_scope.h"
#include "platform/rtl/scope_exit.h"
#include "platform/ui/grid.h"
#include "platform/ui/system_parameters.h"
#include "platform/ui/virtual_keys.h"

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    SetAutoSize(false);
    SetTabStop(false);
    SetParentCtl3D(false);
    SetCtl3D(false);
    SetVisible(false);
}

TInplaceEdit::~TInplaceEdit() {
    if (grid_ != nullptr)
        grid_->EditorFreed(this);
}

void TInplaceEdit::UpdateContents() {
    SetChangeGuard(true);
    TScopeExit unguard([this] { SetChangeGuard(false); });
    SetText("");
    SetEditMask(grid_->GetEditMask(grid_->Col(), grid_->Row()));
    SetText(grid_->GetEditText(grid_->Col(), grid_->Row()));
    SetMaxLength(grid_->GetEditLimit());
}

void TInplaceEdit::Move(const TRect& Loc) {
    HandleNeeded();
    SetBoundsRect(Loc);
    SetVisible(true);
    BoundsChanged();
    if (grid_->Focused() && CanFocus())
        SetFocus();
}

void TInplaceEdit::UpdateLoc(const TRect& Loc) {
    if (Loc.IsEmpty()) {
        HideWindow();
        return;
    }
    Move(Loc);
}

void TInplaceEdit::HideWindow() {
    if (!Visible())
        return;
    // Leaving for another control, the focus is on its way already.
    bool hadFocus = Focused() && !leaving_;
    SetVisible(false);
    if (hadFocus && grid_ != nullptr && grid_->CanFocus())
        grid_->SetFocus();
}

void TInplaceEdit::Deselect() {
    SetSelStart(Length());
    SetSelLength(0);
}

void TInplaceEdit::BoundsChanged() {
    TRect r{2, 2, Width() - 2, Height()};
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
    Perform(EM_SCROLLCARET);
}

void TInplaceEdit::Change() {
    TCustomMaskEdit::Change();
    if (!changeGuard_ && grid_ != nullptr)
        grid_->UpdateText();
}

LRESULT TInplaceEdit::DialogCode() const {
    LRESULT code = TCustomMaskEdit::DialogCode();
    if (grid_ != nullptr && grid_->Options().Contains(goTabs))
        code |= DLGC_WANTTAB;
    return code;
}

bool TInplaceEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    return grid_ != nullptr && grid_->GridMouseWheel(Shift, WheelDelta, MousePos);
}

void TInplaceEdit::DoExit() {
    TCustomMaskEdit::DoExit();
    if (grid_ == nullptr || grid_->ComponentState().Contains(csDestroying))
        return;
    TFlagScope leaving(leaving_);
    grid_->EditorExit();
}

bool TInplaceEdit::CaretAtStart() const {
    return SelStart() == 0 && (SelLength() == 0 || SelLength() == Length());
}

bool TInplaceEdit::CaretAtEnd() const {
    return SelStart() + SelLength() == Length() && (SelLength() == 0 || SelStart() == 0);
}

void TInplaceEdit::SendToGrid(WORD& Key, TShiftState Shift) {
    grid_->GridKeyDown(Key, Shift);
    Key = 0;
}

void TInplaceEdit::GridKeyEvent(WORD& Key, TShiftState Shift) {
    if (grid_->OnKeyDown)
        grid_->OnKeyDown(grid_, Key, Shift);
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    // With the editor always shown, arrows at the ends of the text move between cells.
    bool forward = grid_->Options().Contains(goAlwaysShowEditor);
    bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_ESCAPE:
            SendToGrid(Key, Shift);
            break;
        case VK_INSERT:
            if (Shift == TShiftState{})
                SendToGrid(Key, Shift);
            else if (Shift == TShiftState{ssShift} && !grid_->CanEditModify())
                Key = 0;
            break;
        case VK_LEFT:
        case VK_HOME:
            if (forward && (ctrl || CaretAtStart()))
                SendToGrid(Key, Shift);
            break;
        case VK_RIGHT:
        case VK_END:
            if (forward && (ctrl || CaretAtEnd()))
                SendToGrid(Key, Shift);
            break;
        case VK_F2:
            GridKeyEvent(Key, Shift);
            if (Key == VK_F2) {
                Deselect();
                return;
            }
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt))
                SendToGrid(Key, Shift);
            break;
        case VK_DELETE:
            if (ctrl)
                SendToGrid(Key, Shift);
            else if (!grid_->CanEditModify())
                Key = 0;
            break;
        default:
            break;
    }
    if (Key == 0)
        return;
    GridKeyEvent(Key, Shift);
    if (Key != 0)
        TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char32_t& Key) {
    grid_->GridKeyPress(Key);
    if (Key >= 32 && Key != 127 && !grid_->CanEditAcceptKey(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    switch (Key) {
        case U'\t':
        case 27:
            Key = 0;
            break;
        case U'\r':
            if (SelStart() == 0 && SelLength() == Length())
                Deselect();
            else
                SelectAll();
            Key = 0;
            break;
        case 0:
            break;
        default:
            if ((Key == U'\b' || Key == 22 || Key == 24 || Key >= 32) && !grid_->CanEditModify())
                Key = 0;
            break;
    }
    if (Key != 0)
        TCustomMaskEdit::KeyPress(Key);
}
