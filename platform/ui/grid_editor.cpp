// The grid's side of in-place editing: when the editor shows, where, with which text, and where its
// text goes back to.
#include "platform/rtl/scope_exit.h"
#include "platform/ui/grid.h"
#include "platform/ui/inplace_edit.h"

TInplaceEdit* TCustomGrid::CreateEditor() {
    return NewComponent<TInplaceEdit>(this);
}

bool TCustomGrid::CanEditShow() {
    return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && editorMode_ &&
           !ComponentState().Contains(csDesigning) && HandleAllocated() &&
           (options_.Contains(goAlwaysShowEditor) || IsActiveControl());
}

bool TCustomGrid::CanEditAcceptKey(char32_t Key) {
    (void)Key;
    return true;
}

bool TCustomGrid::CanEditModify() {
    return true;
}

int TCustomGrid::GetEditLimit() {
    return 0;
}

std::string TCustomGrid::GetEditMask(int ACol, int ARow) {
    (void)ACol;
    (void)ARow;
    return {};
}

std::string TCustomGrid::GetEditText(int ACol, int ARow) {
    (void)ACol;
    (void)ARow;
    return {};
}

void TCustomGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    (void)ACol;
    (void)ARow;
    (void)Value;
}

void TCustomGrid::SetEditorMode(bool value) {
    if (!value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (inplaceEdit_ != nullptr)
        inplaceEdit_->Deselect();
}

void TCustomGrid::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    editorMode_ = false;
    HideEdit();
}

void TCustomGrid::HideEdit() {
    if (inplaceEdit_ == nullptr)
        return;
    TScopeExit hide([this] {
        inplaceCell_ = {-1, -1};
        inplaceEdit_->HideWindow();
    });
    UpdateText();
}

void TCustomGrid::UpdateText() {
    if (inplaceCell_.X != -1 && inplaceCell_.Y != -1)
        SetEditText(inplaceCell_.X, inplaceCell_.Y, inplaceEdit_->Text());
}

void TCustomGrid::InvalidateEditor() {
    inplaceCell_ = {-1, -1};
    UpdateEdit();
}

void TCustomGrid::UpdateEdit() {
    if (!CanEditShow())
        return;
    auto loadEditor = [this] {
        inplaceCell_ = current_;
        inplaceEdit_->UpdateContents();
        inplaceEdit_->SelectAll();
    };
    if (inplaceEdit_ == nullptr) {
        inplaceEdit_ = CreateEditor();
        inplaceEdit_->SetGrid(this);
        inplaceEdit_->SetParent(this);
        loadEditor();
    } else if (inplaceCell_ != current_) {
        HideEdit();
        loadEditor();
    }
    if (CanEditShow())
        inplaceEdit_->UpdateLoc(CellRect(Col(), Row()));
}

void TCustomGrid::ShowEditorChar(char32_t ch) {
    ShowEditor();
    // At once: keys typed after it are waiting in the queue already.
    if (inplaceEdit_ != nullptr && inplaceEdit_->Visible())
        inplaceEdit_->Perform(WM_CHAR, static_cast<WPARAM>(ch), 0);
}

void TCustomGrid::CancelEditor() {
    if (!editorMode_ || inplaceEdit_ == nullptr || options_.Contains(goAlwaysShowEditor))
        return;
    inplaceEdit_->Reset();
    HideEditor();
}

void TCustomGrid::DoExit() {
    // The focus going into the grid's own editor does not leave the grid.
    if (inplaceEdit_ != nullptr && inplaceEdit_->ControlState.Contains(csFocusing))
        return;
    TCustomControl::DoExit();
    if (!options_.Contains(goAlwaysShowEditor))
        HideEditor();
}

void TCustomGrid::EditorExit() {
    if (!ControlState.Contains(csFocusing))
        DoExit();
}
