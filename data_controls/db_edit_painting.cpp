// The edit control's looks: flat border, its own aligned text while unfocused, the required mark
// and tool-tips. The first cut leaves every drawing to the edit window.
#include "data_controls/db_edit.h"
#include "platform/ui/control_canvas.h"

void TCustomDBEditEh::SetAlwaysShowBorder(bool value) {
    alwaysShowBorder_ = value;
    RefreshBorderState();
}

void TCustomDBEditEh::SetHighlightRequired(bool value) {
    highlightRequired_ = value;
    Invalidate();
}

void TCustomDBEditEh::SetShowHint(bool value) {
    ownShowHint_ = value;
    RefreshHintMode();
}

void TCustomDBEditEh::SetTooltips(bool value) {
    tooltips_ = value;
    RefreshHintMode();
}

void TCustomDBEditEh::RefreshHintMode() {
    ShowHint = tooltips_ || ownShowHint_;
}

void TCustomDBEditEh::RefreshBorderState() {
    bool active = focused_ || mouseAboveControl_ || alwaysShowBorder_;
    if (active == borderActive_)
        return;
    borderActive_ = active;
    UpdateEditButtonControlsState();
}

std::string TCustomDBEditEh::PaintCopyText() const {
    return EditText();
}

void TCustomDBEditEh::PaintRequiredMark(TCanvas& Canvas) {
    (void)Canvas;
}

void TCustomDBEditEh::PaintWindowEh(HDC dc) {
    if (dc != nullptr)
        TCustomMaskEdit::PaintWindow(*dc);
}

void TCustomDBEditEh::PaintWindow(TCanvas& canvas) {
    TCustomMaskEdit::PaintWindow(canvas);
}

void TCustomDBEditEh::WMNCPaint(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
}

void TCustomDBEditEh::CMMouseEnter(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    mouseAboveControl_ = true;
    RefreshBorderState();
}

void TCustomDBEditEh::CMMouseLeave(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    mouseAboveControl_ = false;
    RefreshBorderState();
}

void TCustomDBEditEh::CMHintShow(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
}

void TCustomDBEditEh::CMParentShowHintChanged(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    RefreshHintMode();
}

void TCustomDBEditEh::CMSysColorChange(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
}

bool TCustomDBEditEh::TextOverflows() {
    return false;
}

TControlCanvas* TCustomDBEditEh::ControlCanvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TControlCanvas>();
        canvas_->SetControl(this);
    }
    return canvas_.get();
}
