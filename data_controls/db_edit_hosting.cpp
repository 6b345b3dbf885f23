// The edit control hosted by a holder (a grid's cell editor). The first cut runs unhosted only.
#include "data_controls/db_edit.h"

void TCustomDBEditEh::AttachEditHolder(TWinControl* Holder) {
    editHolder_ = Holder;
    editHolderIntf_ = nullptr;
    inplaceMode_ = false;
}

void TCustomDBEditEh::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomDBEditEh::SetEditorBounds(const TRect& R) {
    SetBoundsRect(R);
}

void TCustomDBEditEh::Hide() {
    TCustomMaskEdit::SetVisible(false);
}

bool TCustomDBEditEh::Visible() const {
    return TCustomMaskEdit::Visible();
}

void TCustomDBEditEh::SetVisible(bool value) {
    TCustomMaskEdit::SetVisible(value);
}

void TCustomDBEditEh::SetFocus() {
    TCustomMaskEdit::SetFocus();
}

bool TCustomDBEditEh::HolderWindowProc(TMessage& Message) {
    (void)Message;
    return true;
}

bool TCustomDBEditEh::InplaceMessage(TMessage& Message) {
    (void)Message;
    return false;
}
