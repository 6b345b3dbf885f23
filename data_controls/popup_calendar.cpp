#include "data_controls/popup_calendar.h"

#include "data_controls/popup_frame.h"
#include "data_controls/popup_listbox.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_canvas.h"
#include "platform/ui/window_functions.h"
#include "platform/ui/window_styles.h"

TPopupMonthCalendarEh::TPopupMonthCalendarEh(TComponent* AOwner) : TMonthCalendar(AOwner) {
    ControlStyle = ControlStyle + TControlStyle{csReplicatable};
    SetParentCtl3D(false);
    SetCtl3D(true);
    SetAutoSize(true);
}

void TPopupMonthCalendarEh::CreateParams(TCreateParams& Params) {
    TMonthCalendar::CreateParams(Params);
    Params.Style |= WS_POPUP;
    if (!Ctl3D())
        Params.Style |= WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW;
}

void TPopupMonthCalendarEh::CreateWnd() {
    TMonthCalendar::CreateWnd();
    SizeToMonth();
}

int TPopupMonthCalendarEh::FrameSize() const {
    return WindowBorderHeight(Ctl3D() ? 0 : WS_BORDER, 0, borderWidth_);
}

void TPopupMonthCalendarEh::SizeToMonth() {
    TRect month = MinReqRect();
    SetBounds(Left(), Top(), month.Width() + FrameSize(), month.Height() + FrameSize());
}

void TPopupMonthCalendarEh::AdjustSize() {
    if (AutoSize())
        SizeToMonth();
}

LRESULT TPopupMonthCalendarEh::DialogCode() const {
    return TMonthCalendar::DialogCode() | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

void TPopupMonthCalendarEh::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCCALCSIZE:
            InsetClientByBorder(Message, borderWidth_);
            TMonthCalendar::Dispatch(Message);
            return;
        case WM_NCPAINT:
            TMonthCalendar::Dispatch(Message);
            DrawBorder();
            return;
        case CM_CTL3DCHANGED:
            Ctl3DChanged(Message);
            return;
        case CM_WANTSPECIALKEY:
            WantSpecialKey(Message);
            return;
        case WM_KILLFOCUS:
            KillFocus(Message);
            return;
        case WM_CLOSEUP_REQUEST_EH:
            CloseDropDownOf(*this, false);
            return;
        default:
            TMonthCalendar::Dispatch(Message);
    }
}

void TPopupMonthCalendarEh::DrawBorder() {
    if (borderWidth_ == 0)
        return;
    platform::ui::WindowCanvasTarget target(*this);
    TCanvas canvas(&target);
    TRect frame{0, 0, Width(), Height()};
    DrawEdge(&canvas, &frame, BDR_RAISEDOUTER, BF_RECT);
    frame = {frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1};
    DrawEdge(&canvas, &frame, BDR_RAISEDINNER, BF_RECT);
}

void TPopupMonthCalendarEh::Ctl3DChanged(TMessage& Message) {
    TMonthCalendar::Dispatch(Message);
    borderWidth_ = Ctl3D() ? 2 : 0;
    if (HandleAllocated())
        RecreateWnd();
    AdjustSize();
}

void TPopupMonthCalendarEh::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
        const bool accept = Key == VK_RETURN;
        Key = 0;
        CloseDropDownOf(*this, accept);
        return;
    }
    TMonthCalendar::KeyDown(Key, Shift);
}

void TPopupMonthCalendarEh::WantSpecialKey(TMessage& Message) {
    if (Message.WParam != VK_RETURN && Message.WParam != VK_ESCAPE) {
        TMonthCalendar::Dispatch(Message);
        return;
    }
    Message.Result = 1;
    CloseDropDownOf(*this, Message.WParam == VK_RETURN);
}

void TPopupMonthCalendarEh::KillFocus(TMessage& Message) {
    TMonthCalendar::Dispatch(Message);
    const auto to = static_cast<HWND>(Message.WParam);
    // Closing waits for the focus change to finish.
    if (HandleAllocated() && to != Handle() && !IsChild(Handle(), to))
        PostMessage(Handle(), WM_CLOSEUP_REQUEST_EH, 0, 0);
}

namespace {

bool IsDayHit(UINT hit) {
    return hit == MCHT_CALENDARDATE || hit == MCHT_CALENDARDATENEXT || hit == MCHT_CALENDARDATEPREV;
}

}  // namespace

bool TPopupMonthCalendarEh::ChoosesDate(UINT hit, const SYSTEMTIME& day) const {
    if (IsDayHit(hit))
        return InRange(SystemTimeToDate(day));
    return hit == MCHT_TODAYLINK && InRange(::Date());
}

void TPopupMonthCalendarEh::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TPoint pos{X, Y};
    if (!ClientRect().Contains(pos)) {
        pressChoseDate_ = false;
        CloseDropDownOf(*this, false);
        return;
    }
    SYSTEMTIME day;
    pressChoseDate_ = Button == mbLeft && ChoosesDate(CalendarHitTest(pos, &day), day);
    TMonthCalendar::MouseDown(Button, Shift, X, Y);
}

void TPopupMonthCalendarEh::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TMonthCalendar::MouseUp(Button, Shift, X, Y);
    const TPoint pos{X, Y};
    if (Button != mbLeft || !pressChoseDate_ || !ClientRect().Contains(pos))
        return;
    pressChoseDate_ = false;
    MCHITTESTINFO info;
    info.pt = pos;
    // A neighbouring month's day turned the page on the press: the release lands on the new page.
    const UINT hit = MonthCal_HitTest(Handle(), &info);
    if (IsDayHit(hit) || hit == MCHT_TODAYLINK)
        CloseDropDownOf(*this, true);
}

bool TPopupMonthCalendarEh::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (!TMonthCalendar::DoMouseWheelDown(Shift, MousePos))
        SetDate(Date() + 1);
    return true;
}

bool TPopupMonthCalendarEh::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (!TMonthCalendar::DoMouseWheelUp(Shift, MousePos))
        SetDate(Date() - 1);
    return true;
}
