#include "platform/ui/speed_button.h"

#include <algorithm>

#include "platform/ui/accelerators.h"
#include "platform/ui/win_control.h"

namespace {

constexpr int kGlyphSpacing = 4;

}  // namespace

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), glyph_(std::make_unique<TBitmap>()) {
    ControlStyle = {csCaptureMouse, csDoubleClicks};
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool value) {
    if (value == flat_)
        return;
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    NotifyGroup();
}

void TSpeedButton::SetDown(bool value) {
    // Outside a group a button never stays down; inside one, it comes up alone only with AllowAllUp.
    if (groupIndex_ == 0)
        value = false;
    if (value == down_ || (down_ && !allowAllUp_))
        return;
    down_ = value;
    if (!dragging_)
        state_ = RestingState();
    Invalidate();
    if (down_)
        NotifyGroup();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    if (value == allowAllUp_)
        return;
    allowAllUp_ = value;
    NotifyGroup();
}

void TSpeedButton::NotifyGroup() {
    if (groupIndex_ == 0 || Parent() == nullptr)
        return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i)); other != nullptr && other != this)
            other->Perform(CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_),
                           reinterpret_cast<LPARAM>(this));
}

void TSpeedButton::ButtonPressed(int group, TSpeedButton* sender) {
    if (group != groupIndex_ || sender == nullptr)
        return;
    if (sender->Down() && down_) {
        down_ = false;
        state_ = bsUp;
        Invalidate();
    }
    allowAllUp_ = sender->AllowAllUp();
}

void TSpeedButton::SetGlyph(const TBitmap& value) {
    glyph_->Assign(value);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

void TSpeedButton::Click() {
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    dragging_ = true;
    state_ = bsDown;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!dragging_)
        return;
    TButtonState next = ClientRect().Contains({X, Y}) ? bsDown : RestingState();
    if (next == state_)
        return;
    state_ = next;
    Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !dragging_)
        return;
    dragging_ = false;
    bool inside = ClientRect().Contains({X, Y});
    if (inside && groupIndex_ != 0)
        SetDown(!down_);
    state_ = RestingState();
    Invalidate();
    if (inside)
        Click();
}

void TSpeedButton::PaintFrame(TCanvas& canvas, const TRect& r, bool down) {
    canvas.Brush()->SetColor(down ? clBtnShadow : clBtnHighlight);
    canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
    canvas.Brush()->SetColor(down ? clBtnHighlight : clBtnShadow);
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

int TSpeedButton::PaintGlyph(TCanvas& canvas, const TRect& r, int contentWidth, int shift) {
    if (glyph_->Empty())
        return 0;
    int width = glyph_->Width() / numGlyphs_;
    // The picture for the state; a state without its own picture shows the first.
    int index = !Enabled() ? 1 : state_ == bsDown ? 2 : state_ == bsExclusive ? 3 : 0;
    if (index >= numGlyphs_)
        index = 0;
    int x = r.Left + (r.Width() - contentWidth) / 2 + shift;
    int y = r.Top + (r.Height() - glyph_->Height()) / 2 + shift;
    const auto& pixels = glyph_->Pixels();
    std::uint32_t key = pixels.Pixel(0, glyph_->Height() - 1);
    canvas.DrawImage(pixels, Bounds(index * width, 0, width, glyph_->Height()),
                     Bounds(x, y, width, glyph_->Height()), false, &key);
    return width;
}

void TSpeedButton::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    bool down = state_ == bsDown || state_ == bsExclusive;
    // A flat button leaves its background alone and shows a frame only while pressed or held down.
    if (!flat_) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(r);
    }
    if (!flat_ || down)
        PaintFrame(canvas, r, down);
    std::string caption = Caption();
    TSize size = caption.empty() ? TSize{0, 0} : canvas.TextExtent(caption);
    int glyphWidth = glyph_->Empty() ? 0 : glyph_->Width() / numGlyphs_;
    int spacing = glyphWidth > 0 && size.cx > 0 ? kGlyphSpacing : 0;
    int shift = down ? 1 : 0;
    int drawn = PaintGlyph(canvas, r, glyphWidth + spacing + size.cx, shift);
    if (caption.empty())
        return;
    canvas.Brush()->SetStyle(bsClear);
    if (!Enabled())
        canvas.Font()->SetColor(clGrayText);
    int x = (r.Width() - (glyphWidth + spacing + size.cx)) / 2 + drawn + spacing + shift;
    canvas.TextRect(r, x, (r.Height() - size.cy) / 2 + shift, caption);
}

void TSpeedButton::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<char32_t>(Message.WParam), Caption())) {
        Click();
        Message.Result = 1;
        return;
    }
    if (Message.Msg == CM_BUTTONPRESSED) {
        ButtonPressed(static_cast<int>(Message.WParam), reinterpret_cast<TSpeedButton*>(Message.LParam));
        return;
    }
    TGraphicControl::Dispatch(Message);
}
