#include "data_controls/edit_button_control.h"

#include "data_controls/button_bitmap_cache.h"
#include "platform/rtl/scope_exit.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/themes.h"
#include "platform/ui/win_control.h"

namespace {

constexpr unsigned kFirstRepeatDelay = 400;
constexpr unsigned kRepeatInterval = 100;

}  // namespace

TEditButtonControlEh::TEditButtonControlEh(TComponent* AOwner) : TSpeedButton(AOwner) {}

TEditButtonControlEh::~TEditButtonControlEh() = default;

void TEditButtonControlEh::SetStyle(TEditButtonStyleEh value) {
    if (value == style_)
        return;
    style_ = value;
    Invalidate();
}

void TEditButtonControlEh::SetActive(bool value) {
    if (value == active_)
        return;
    active_ = value;
    Invalidate();
}

void TEditButtonControlEh::SetLatchedDown(bool value) {
    if (value == latched_)
        return;
    latched_ = value;
    if (value) {
        SetGroupIndex(1);
        SetDown(true);
        SetAllowAllUp(false);
        activeButtonIndex_ = 1;
    } else {
        SetAllowAllUp(true);
        SetDown(false);
        SetGroupIndex(0);
        activeButtonIndex_ = 0;
    }
    Invalidate();
}

void TEditButtonControlEh::FireOnDown(bool topButton, bool& autoRepeat) {
    bool handled = false;
    if (OnDown)
        OnDown(this, topButton, autoRepeat, handled);
}

void TEditButtonControlEh::Click() {
    if (!noClick_)
        TSpeedButton::Click();
}

void TEditButtonControlEh::UpdateActiveButtonIndex(int y) {
    int index = 0;
    if (State() == bsDown || State() == bsExclusive) {
        const int half = Height() / 2;
        if (style_ != ebsUpDownEh)
            index = 1;
        else if (y < half)
            index = 1;
        else if (y > Height() - half)
            index = 2;
    }
    if (index == activeButtonIndex_)
        return;
    activeButtonIndex_ = index;
    Invalidate();
}

void TEditButtonControlEh::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    UpdateActiveButtonIndex(Y);
    if (activeButtonIndex_ < 1)
        return;
    bool autoRepeat = style_ == ebsUpDownEh;
    FireOnDown(activeButtonIndex_ == 1, autoRepeat);
    if (autoRepeat)
        StartRepeat(kFirstRepeatDelay);
}

void TEditButtonControlEh::MouseMove(TShiftState Shift, int X, int Y) {
    TSpeedButton::MouseMove(Shift, X, Y);
    if (GetCaptureControl() != this || style_ != ebsUpDownEh || State() != bsDown)
        return;
    const int half = Height() / 2;
    if ((activeButtonIndex_ == 1 && Y > Height() - half) || (activeButtonIndex_ == 2 && Y < half))
        SetState(bsUp);
}

void TEditButtonControlEh::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // An up-down arrow let up by moving off it gives no click on release.
    noClick_ = style_ == ebsUpDownEh && State() != bsDown;
    {
        TScopeExit clicks([this] { noClick_ = false; });
        TSpeedButton::MouseUp(Button, Shift, X, Y);
    }
    UpdateActiveButtonIndex(Y);
    StopRepeat();
}

void TEditButtonControlEh::StartRepeat(unsigned interval) {
    if (!repeatTimer_) {
        repeatTimer_ = std::make_unique<TTimer>(nullptr);
        repeatTimer_->SetEnabled(false);
        repeatTimer_->OnTimer = [this](TObject*) { RepeatTick(); };
    }
    if (repeatTimer_->Enabled() && repeatTimer_->Interval() == interval)
        return;
    repeatTimer_->SetEnabled(false);
    repeatTimer_->SetInterval(interval);
    repeatTimer_->SetEnabled(true);
}

void TEditButtonControlEh::StopRepeat() {
    if (repeatTimer_)
        repeatTimer_->SetEnabled(false);
}

void TEditButtonControlEh::RepeatTick() {
    if (State() != bsDown)
        return;
    if (repeatTimer_->Interval() == kFirstRepeatDelay)
        StartRepeat(kRepeatInterval);
    bool autoRepeat = style_ == ebsUpDownEh;
    FireOnDown(activeButtonIndex_ == 1, autoRepeat);
    if (!autoRepeat)
        StopRepeat();
}

void TEditButtonControlEh::Paint() {
    if (style_ == ebsGlyphEh) {
        PaintGlyphButton();
        return;
    }
    const bool held = State() == bsDown || State() == bsExclusive;
    const TColor parentColor = Parent() != nullptr ? Parent()->Color() : Color();
    PaintEditButton(Canvas(), ClientRect(), parentColor, 0, Enabled(), active_, Flat(),
                    held ? activeButtonIndex_ : 0, DrawStyleOf(style_));
}

void TEditButtonControlEh::PaintGlyphButton() {
    const bool classicFlat = Flat() && !ThemeServices().ThemesEnabled();
    TRect r = ClientRect();
    if (!classicFlat) {
        TSpeedButton::Paint();
        return;
    }
    const int saved = SaveDC(Canvas());
    IntersectClipRect(Canvas(), r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    TSpeedButton::Paint();
    RestoreDC(Canvas(), saved);
    if (active_) {
        const bool held = State() == bsDown || State() == bsExclusive;
        DrawEdge(Canvas(), &r, held ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    } else {
        Canvas()->Brush()->SetColor(Parent() != nullptr ? Parent()->Color() : Color());
        Canvas()->FrameRect(r);
    }
}
