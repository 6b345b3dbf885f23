// The edit control's looks: the flat border that lights up under the mouse, its own aligned text
// while unfocused, the dotted mark under an empty required field, and the tool-tip for a text that
// does not fit.
#include "data_controls/button_bitmap_cache.h"
#include "data_controls/db_edit.h"
#include "data_controls/image_list_color.h"
#include "data_controls/tool_tips_window.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/strings.h"
#include "platform/ui/colors.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/hint_window.h"
#include "platform/ui/window_canvas.h"

namespace {

constexpr TColor kRequiredMarkColor = static_cast<TColor>(0x0000FF);

TAlignment Mirrored(TAlignment alignment) {
    if (alignment == taLeftJustify)
        return taRightJustify;
    if (alignment == taRightJustify)
        return taLeftJustify;
    return alignment;
}

std::string Repeated(char32_t ch, std::size_t count) {
    return Utf32ToUtf8(std::u32string(count, ch));
}

}  // namespace

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

// ---- Flat border

void TCustomDBEditEh::RefreshBorderState() {
    if (ComponentState().Contains(csLoading))
        return;
    bool active =
        ComponentState().Contains(csDesigning) || Focused() || mouseAboveControl_ || alwaysShowBorder_;
    if (active == borderActive_)
        return;
    borderActive_ = active;
    if (Ctl3D() && borderStyle_ == bsSingle && flat_ && HandleAllocated())
        Perform(WM_NCPAINT, 1, 0);
    UpdateEditButtonControlsState();
}

void TCustomDBEditEh::WMNCPaint(TMessage& Message) {
    if (!(Ctl3D() && borderStyle_ == bsSingle && flat_)) {
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
    platform::ui::WindowCanvasTarget target(*this);
    TCanvas canvas(&target);
    TRect r{0, 0, Width(), Height()};
    canvas.Brush()->SetColor(clBtnFace);
    if (borderActive_)
        DrawEdge(&canvas, &r, BDR_SUNKENOUTER, BF_RECT);
    else
        canvas.FrameRect(r);
    canvas.FrameRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
    Message.Result = 0;
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

void TCustomDBEditEh::CMSysColorChange(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    FlushButtonBitmapCache();
}

// ---- Painting

std::string TCustomDBEditEh::PaintCopyText() const {
    TField* field = Field();
    bool copy = paintingCopy_ || ControlState.Contains(csPaintCopy);
    if (!copy || field == nullptr)
        return EditText();
    std::string text = field->DisplayText();
    if (CharCase() == ecUpperCase)
        return AnsiUpperCase(text);
    if (CharCase() == ecLowerCase)
        return AnsiLowerCase(text);
    return text;
}

void TCustomDBEditEh::PaintWindow(TCanvas& canvas) {
    PaintWindowEh(&canvas);
}

void TCustomDBEditEh::PaintWindowEh(HDC dc) {
    TCanvas& canvas = dc != nullptr ? *dc : *ControlCanvas();
    TAlignment alignment = UseRightToLeftAlignment() ? Mirrored(Alignment()) : Alignment();
    bool copy = paintingCopy_ || ControlState.Contains(csPaintCopy);
    if ((alignment == taLeftJustify || Focused() || wordWrap_) && !copy) {
        // The platform's edit fills its client area when it paints, so the image and the mark go on top.
        TCustomMaskEdit::PaintWindow(canvas);
        PaintEditImage(canvas);
    } else {
        PaintAlignedText(canvas, alignment);
    }
    PaintRequiredMark(canvas);
}

void TCustomDBEditEh::PaintEditImage(TCanvas& canvas) {
    if (!editImage_->Visible() || editImage_->Images() == nullptr || editImage_->ImageIndex() < 0)
        return;
    TRect r = ImageRect();
    DrawImageCentered(&canvas, {r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom - 1}, editImage_->Images(),
                      false, editImage_->ImageIndex());
}

void TCustomDBEditEh::PaintAlignedText(TCanvas& canvas, TAlignment alignment) {
    canvas.Font()->Assign(*Font());
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    PaintEditImage(canvas);
    if (borderStyle_ == bsSingle && !Ctl3D()) {
        canvas.Brush()->SetColor(clWindowFrame);
        canvas.FrameRect(ClientRect());
        canvas.Brush()->SetColor(Color());
    }
    if (!Enabled())
        canvas.Font()->SetColor(clGrayText);
    std::string text = PaintCopyText();
    if (PasswordChar() != 0)
        text = Repeated(PasswordChar(), Utf8Length(text));
    int border = borderStyle_ != bsSingle ? 0 : Ctl3D() ? 1 : 2;
    int marginX = static_cast<int>(Perform(EM_GETMARGINS) & 0xFFFF) + border;
    int marginY = border;
    TRect area = TextAreaRect();
    int width = canvas.TextWidth(text);
    int x = marginX;
    if (alignment == taRightJustify)
        x = area.Right - width - marginX;
    else if (alignment == taCenter)
        x = (area.Right - width) / 2;
    canvas.TextRect(area, x, marginY, text);
}

// ---- Required mark

void TCustomDBEditEh::PaintRequiredMark(TCanvas& Canvas) {
    bool drawState = false;
    if (highlightRequired_ && dataLink_->IsActive()) {
        if (IsUnbound()) {
            drawState = Value().IsNull() || Text().empty();
        } else {
            TField* field = dataLink_->FirstField();
            TDataSet* dataSet = dataLink_->DataSet();
            drawState = dataSet != nullptr && (dataSet->State() == dsEdit || dataSet->State() == dsInsert) &&
                        field != nullptr && field->Required && field->IsNull();
        }
    }
    if (OnCheckDrawRequiredState)
        OnCheckDrawRequiredState(this, drawState);
    if (!drawState)
        return;
    TRect r = ComputeTextRect();
    int row = ClientHeight() - 1;
    Canvas.Pen()->SetColor(kRequiredMarkColor);
    Canvas.Pen()->SetStyle(psDot);
    Canvas.MoveTo(r.Left + 2, row);
    Canvas.LineTo(r.Right - 3, row);
    Canvas.Pen()->SetStyle(psSolid);
}

// ---- Tool-tips

void TCustomDBEditEh::CMParentShowHintChanged(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    RefreshHintMode();
}

bool TCustomDBEditEh::TextOverflows() {
    TCanvas& canvas = *ControlCanvas();
    canvas.Font()->Assign(*Font());
    TRect textRect = ComputeTextRect();
    TRect measured{0, 0, std::max(textRect.Width(), 1), 0};
    UINT flags = DT_CALCRECT | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : 0u) |
                 (UseRightToLeftReading() ? DT_RTLREADING : 0u);
    DrawText(&canvas, Text(), -1, &measured, flags);
    return measured.Width() > textRect.Width() - 2 || measured.Height() > textRect.Height();
}

void TCustomDBEditEh::CMHintShow(TMessage& Message) {
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    // A password's text is never shown in a tool-tip.
    if (tooltips_ && PasswordChar() == 0 && info != nullptr && TextOverflows()) {
        info->HintStr = Text();
        info->HintPos = ClientToScreen({0, Height()});
        info->HintWindowClass = [](TComponent* owner) { return NewComponent<TToolTipsWindow>(owner); };
        info->HintData = Font();
        Message.Result = 0;
        return;
    }
    if (!ownShowHint_) {
        Message.Result = 1;
        return;
    }
    TCustomMaskEdit::Dispatch(Message);
}

TControlCanvas* TCustomDBEditEh::ControlCanvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<TControlCanvas>();
        canvas_->SetControl(this);
    }
    return canvas_.get();
}
