// The edit control's window and layout: its styles, height, the button row, image and text area.
#include <algorithm>
#include <cmath>

#include "data_controls/db_edit.h"
#include "data_controls/edit_button_metrics.h"
#include "data_controls/popup_listbox.h"
#include "platform/ui/colors.h"
#include "platform/ui/image_list.h"
#include "platform/ui/pen.h"
#include "platform/ui/shape.h"
#include "platform/ui/system_metrics.h"

void TCustomDBEditEh::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    // The platform's edit has no border style of its own; the flat frame is painted in this one.
    AddBorderStyle(Params, borderStyle_);
    // The formatting rectangle that keeps text clear of the buttons works in multi-line mode only.
    if (PasswordChar() == 0)
        Params.Style |= ES_MULTILINE;
    else
        Params.Style &= ~ES_MULTILINE;
    Params.Style &= ~(ES_LEFT | ES_RIGHT | ES_CENTER);
    if (wordWrap_) {
        Params.Style &= ~ES_AUTOHSCROLL;
        TAlignment alignment = Alignment();
        if (UseRightToLeftAlignment() && alignment != taCenter)
            alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
        Params.Style |= alignment == taRightJustify ? ES_RIGHT : alignment == taCenter ? ES_CENTER : ES_LEFT;
    } else if (UseRightToLeftAlignment()) {
        Params.Style |= ES_RIGHT;
    }
}

void TCustomDBEditEh::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    UpdateFixedHeight();
    RefreshBorderState();
    UpdateEditButtonControlList();
    UpdateEditButtonControlsState();
    imageWidth_ = 0;
    if (editImage_ && editImage_->Visible() && editImage_->Images() != nullptr)
        imageWidth_ = (editImage_->Width() > 0 ? editImage_->Width() : editImage_->Images()->Width()) + 4;
    RefreshImageIndex();
    UpdateTextRect();
}

void TCustomDBEditEh::Resize() {
    TCustomMaskEdit::Resize();
    if (!editButton_)
        return;
    UpdateEditButtonControlList();
    UpdateTextRect();
}

void TCustomDBEditEh::FontChanged() {
    TCustomMaskEdit::FontChanged();
    if (!editButton_)
        return;
    if (AutoSize() && !ComponentState().Contains(csLoading))
        FitHeightToFont();
    UpdateTextRect();
}

void TCustomDBEditEh::FitHeightToFont() {
    const int cyBorder = GetSystemMetrics(SM_CYBORDER);
    int factor = 6;
    if (Ctl3D() && !flat_)
        factor = 8;
    else if (!Ctl3D() && flat_)
        factor = 4;
    int height = GetFontTextHeight(this);
    const TCustomImageList* images = editImage_ ? editImage_->Images() : nullptr;
    if (editImage_ && editImage_->UseImageHeight() && images != nullptr && images->Height() > height)
        height = images->Height();
    SetHeight(cyBorder * factor + height);
}

void TCustomDBEditEh::UpdateFixedHeight() {
    if (AutoSize() && borderStyle_ == bsSingle) {
        ControlStyle.Include(csFixedHeight);
        FitHeightToFont();
    } else {
        ControlStyle.Exclude(csFixedHeight);
    }
}

void TCustomDBEditEh::EditButtonChanged() {
    if (!HandleAllocated())
        return;
    UpdateEditButtonControlList();
    UpdateEditButtonControlsState();
    UpdateTextRect();
    Invalidate();
}

void TCustomDBEditEh::ImageChanged() {
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomDBEditEh::SetButtonControlHooks(TEditButtonControlEh& control) {
    control.OnDown = [this](TObject* sender, bool top, bool& autoRepeat, bool& handled) {
        EditButtonPressed(sender, top, autoRepeat, handled);
    };
    control.OnClick = [this](TObject* sender) { EditButtonClicked(sender); };
    control.OnMouseMove = [this](TObject* sender, TShiftState shift, int x, int y) {
        EditButtonDragged(sender, shift, x, y);
    };
    control.OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        EditButtonMouseReleased(sender, button, shift, x, y);
    };
}

void TCustomDBEditEh::ResetButtonControl(TEditButtonControlLineRec& line, TEditButtonEh& button,
                                         bool isMain) {
    (void)isMain;
    TEditButtonControlEh& control = *line.EditButtonControl;
    control.SetVisible(button.Visible());
    control.SetStyle(button.Style());
    if (button.Glyph() != nullptr)
        control.SetGlyph(*button.Glyph());
    control.SetNumGlyphs(button.NumGlyphs());
    control.Hint = button.Hint();
    control.SetFlat(flat_);
    int width = 0;
    int height = ClientHeight();
    if (button.Visible()) {
        width = button.Width() > 0 ? button.Width()
                                   : (flat_ ? ComputeFlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL));
        if (static_cast<int>(std::lround(width * 3.0 / 2.0)) < ClientHeight())
            height = EditButtonHeightForWidth(width, flat_);
    }
    control.SetBounds(control.Left(), 0, width, height);
    line.ButtonLine->SetVisible(button.Visible() && flat_);
    line.ButtonLine->SetBounds(line.ButtonLine->Left(), 0, button.Visible() && flat_ ? 1 : 0, height);
    SetButtonControlHooks(control);
}

void TCustomDBEditEh::UpdateEditButtonControlList() {
    if (!editButton_)
        return;
    const std::size_t wanted = static_cast<std::size_t>(editButtons_->Count()) + 1;
    while (buttonControls_.size() > wanted) {
        // Out of the row first: freeing them comes back here as notifications.
        const TEditButtonControlLineRec surplus = buttonControls_.back();
        buttonControls_.pop_back();
        Free(surplus.EditButtonControl);
        Free(surplus.ButtonLine);
    }
    while (buttonControls_.size() < wanted) {
        TEditButtonControlLineRec line;
        line.EditButtonControl = NewEditButtonControl();
        line.ButtonLine = NewComponent<TShape>(this);
        line.ButtonLine->SetParent(this);
        buttonControls_.push_back(line);
    }
    for (std::size_t i = 0; i < buttonControls_.size(); ++i) {
        TEditButtonEh& button = i == 0 ? *editButton_ : *editButtons_->GetButton(static_cast<int>(i) - 1);
        ResetButtonControl(buttonControls_[i], button, i == 0);
        buttonControls_[i].EditButtonControl->Tag = static_cast<int>(i);
    }
    PlaceButtons();
}

void TCustomDBEditEh::PlaceButtons() {
    int height = ClientHeight();
    for (const auto& line : buttonControls_)
        if (line.EditButtonControl->Visible())
            height = std::min(height, line.EditButtonControl->Height());
    const bool rtl = UseRightToLeftAlignment();
    int used = 0;
    // From the last extra button to the main one, each against the edge of those placed before.
    for (auto it = buttonControls_.rbegin(); it != buttonControls_.rend(); ++it) {
        TControl* control = it->EditButtonControl;
        TControl* separator = it->ButtonLine;
        const int width = control->Width();
        const int lineWidth = separator->Width();
        used += width;
        control->SetBounds(rtl ? used - width : ClientWidth() - used, 0, width, height);
        used += lineWidth;
        separator->SetBounds(rtl ? used - lineWidth : ClientWidth() - used, 0, lineWidth, height);
    }
    buttonWidth_ = used;
    buttonHeight_ = height;
}

void TCustomDBEditEh::UpdateEditButtonControlsState() {
    const bool usable = ButtonsUsable();
    for (const auto& line : buttonControls_) {
        line.EditButtonControl->SetEnabled(usable);
        line.EditButtonControl->SetActive(borderActive_);
        line.ButtonLine->Pen()->SetColor(borderActive_ ? clBtnFace : Color());
    }
}

TRect TCustomDBEditEh::ComputeTextRect() const {
    TRect rect = ClientRect();
    const bool image = editImage_ && editImage_->Visible() && editImage_->Images() != nullptr;
    if (UseRightToLeftAlignment()) {
        rect.Left += buttonWidth_;
        if (image)
            rect.Right -= imageWidth_;
    } else {
        rect.Right -= buttonWidth_;
        if (image)
            rect.Left += imageWidth_;
    }
    return rect;
}

void TCustomDBEditEh::UpdateTextRect() {
    if (!HandleAllocated())
        return;
    TRect rect = ComputeTextRect();
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
    Perform(EM_SCROLLCARET);
}

TRect TCustomDBEditEh::ButtonRect() const {
    const int width = ClientWidth();
    const int height = ClientHeight();
    // A plain single border keeps the row one pixel inside the client area.
    const int inset = ThinBorder() ? 1 : 0;
    TRect rect{width - buttonWidth_ - inset, inset, width - inset, height - inset};
    if (UseRightToLeftAlignment())
        rect = OffsetRect(rect, buttonWidth_ + 2 * inset - width, 0);
    return rect;
}

TRect TCustomDBEditEh::TextAreaRect() const {
    const int inset = ThinBorder() ? 1 : 0;
    TRect rect{imageWidth_ + inset, inset, ClientWidth() - buttonWidth_ - 1 - inset, ClientHeight() - inset};
    if (UseRightToLeftAlignment())
        rect = OffsetRect(rect, buttonWidth_ - imageWidth_, 0);
    return rect;
}

bool TCustomDBEditEh::ThinBorder() const {
    return borderStyle_ == bsSingle && !Ctl3D();
}

TRect TCustomDBEditEh::ImageRect() const {
    if (UseRightToLeftAlignment())
        return {ClientWidth() - imageWidth_, 0, ClientWidth(), ClientHeight()};
    return {0, 0, imageWidth_, ClientHeight()};
}

bool TCustomDBEditEh::PointInButtonsOrImage(TPoint clientPos) const {
    return ButtonRect().Contains(clientPos) || ImageRect().Contains(clientPos);
}
