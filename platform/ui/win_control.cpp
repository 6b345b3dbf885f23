#include "platform/ui/win_control.h"

#include <algorithm>

#include "platform/rtl/runtime.h"
#include "platform/rtl/scope_exit.h"
#include "platform/ui/focus_state.h"
#include "platform/ui/form.h"
#include "platform/ui/input.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/top_level.h"
#include "platform/ui/window_functions.h"
#include "platform/ui/window_scroll_bars.h"
#include "platform/ui/window_system.h"

namespace {
bool RegionContains(const platform::ui::Region& region, TPoint p) {
    for (const TRect& r : region.Rects())
        if (r.Contains(p))
            return true;
    return false;
}
}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), brush_(std::make_unique<TBrush>()) {
    brush_->SetColor(Color());
}

TWinControl::~TWinControl() {
    platform::ui::ForgetFocusOf(this);
    // Owned components go first, while this control is still whole.
    DestroyComponents();
    for (TControl* child : controls_) child->parent_ = nullptr;
    controls_.clear();
    tabList_.clear();
    if (parent_ != nullptr) {
        parent_->RemoveControl(this);
    }
    DestroyWnd();
}

void TWinControl::Dispatch(TMessage& Message) {
    if (IsMouseMessage(Message.Msg)) {
        if (TrackScrollBar(Message))
            return;
        if (Message.Msg == WM_MOUSEMOVE)
            TrackMouseControl(PointFromLParam(Message.LParam));
        UINT msg = Message.Msg;
        TPoint screen = ClientToScreen(PointFromLParam(Message.LParam));
        if (!RouteMouseToChild(Message)) {
            TControl::Dispatch(Message);
            // The native part of a window (an edit taking the focus) sees the mouse after our handlers.
            DefaultHandler(Message);
        }
        // Releasing the right button asks for the context menu where it was released.
        if (msg == WM_RBUTTONUP)
            Perform(WM_CONTEXTMENU, Handle(), MakeLParam(screen.X, screen.Y));
        return;
    }
    switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            WMKeyDown(Message);
            return;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            WMKeyUp(Message);
            return;
        case WM_CHAR:
            WMChar(Message);
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate();
            return;
        case WM_SYSCHAR:
            Message.Result = OfferDialogChar(Message);
            if (Message.Result == 0)
                DefaultHandler(Message);
            return;
        case CM_DIALOGCHAR:
            // The first child that owns the accelerator answers it.
            for (TControl* child : std::vector<TControl*>(controls_)) {
                if (!child->Visible() || !child->Enabled())
                    continue;
                if ((Message.Result = child->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam)) != 0)
                    return;
            }
            return;
        case WM_GETDLGCODE:
            Message.Result = DialogCode();
            return;
        case WM_CONTEXTMENU:
            // The graphic control under the point is asked first.
            if (TPoint pos = PointFromLParam(Message.LParam); pos != TPoint{-1, -1}) {
                if (TControl* child = ControlAtPos(ScreenToClient(pos), false)) {
                    Message.Result = child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
                    if (Message.Result != 0)
                        return;
                }
            }
            TControl::Dispatch(Message);
            return;
        case WM_NCCALCSIZE:
            WMNCCalcSize(Message);
            return;
        case WM_NCPAINT:
            WMNCPaint(Message);
            return;
        case WM_NCHITTEST:
            Message.Result = HitTest(ScreenToClient(PointFromLParam(Message.LParam)));
            return;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            WMNCLButtonDown(Message);
            return;
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONUP:
            TrackScrollBar(Message);
            return;
        case WM_HSCROLL:
        case WM_VSCROLL:
            ReflectScrollNotice(Message);
            return;
        case WM_CAPTURECHANGED:
            if (scrollBars_ && scrollBars_->Tracking())
                scrollBars_->Cancel();
            TControl::Dispatch(Message);
            return;
        case WM_SETCURSOR:
            WMSetCursor(Message);
            return;
        case WM_MOUSEACTIVATE:
            // A child window lets its parent answer; a pop-up is never activated by a click.
            if (!topLevel_ && parent_ != nullptr)
                Message.Result = parent_->Perform(WM_MOUSEACTIVATE, Message.WParam, Message.LParam);
            else
                Message.Result = topLevel_ ? MA_NOACTIVATE : MA_ACTIVATE;
            return;
        case WM_CANCELMODE:
            if (scrollBars_ && scrollBars_->Tracking())
                scrollBars_->Cancel();
            // A graphic child holding the capture through this window gives it up too.
            if (TControl* capture = GetCaptureControl(); capture != nullptr && capture->Parent() == this &&
                                                         dynamic_cast<TWinControl*>(capture) == nullptr)
                capture->Perform(CM_CANCELMODE);
            TControl::Dispatch(Message);
            return;
        case WM_MOUSELEAVE:
            // The pointer may have gone on into a pop-up of this window: that is another window.
            if (ContainsControl(GetMouseControl()) &&
                platform::ui::TopLevelOf(GetMouseControl()) == platform::ui::TopLevelOf(this))
                SetMouseControl(nullptr);
            return;
        case CM_ENTER:
            DoEnter();
            return;
        case CM_EXIT:
            DoExit();
            return;
        case CM_PARENTCTL3DCHANGED:
            if (parentCtl3D_ && parent_ != nullptr && ctl3D_ != parent_->Ctl3D()) {
                SetCtl3D(parent_->Ctl3D());
                parentCtl3D_ = true;
            }
            return;
        case CM_CTL3DCHANGED:
            for (TControl* child : std::vector<TControl*>(controls_)) child->Perform(CM_PARENTCTL3DCHANGED);
            return;
        case CM_BIDIMODECHANGED:
            for (TControl* child : std::vector<TControl*>(controls_))
                child->Perform(CM_PARENTBIDIMODECHANGED);
            Invalidate();
            return;
        case CM_COLORCHANGED:
            brush_->SetColor(Color());
            for (TControl* child : std::vector<TControl*>(controls_)) child->Perform(CM_PARENTCOLORCHANGED);
            Invalidate();
            return;
        case CM_VISIBLECHANGED:
            windowVisible_ = Visible();
            CreateShowingHandles();
            SyncPopupWindow();
            if (!Visible()) {
                if (TCustomForm* form = ParentForm(); form != nullptr && form != this)
                    form->DefocusControl(this, false);
            }
            return;
        case CM_ENABLEDCHANGED:
            if (!Enabled()) {
                if (TCustomForm* form = ParentForm(); form != nullptr && form != this)
                    form->DefocusControl(this, false);
            }
            Invalidate();
            return;
        default:
            TControl::Dispatch(Message);
    }
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* child : std::vector<TControl*>(controls_)) child->Perform(CM_PARENTFONTCHANGED);
}

HWND TWinControl::Handle() {
    if (handle_ == 0)
        CreateWnd();
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Caption = Text();
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        Params.Style |= WS_VISIBLE;
    if (tabStop_)
        Params.Style |= WS_TABSTOP;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    Params.WndParent = parent_ != nullptr && parent_->HandleAllocated() ? parent_->handle_ : 0;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
    ControlState.Include(csCreating);
    params_ = TCreateParams{};
    {
        TScopeExit created([this] { ControlState.Exclude(csCreating); });
        CreateParams(params_);
    }
    handle_ = platform::ui::RegisterWindowHandle([this](TMessage& m) {
        TBusyScope busy(this);
        if (WindowProc)
            WindowProc(m);
        else
            WndProc(m);
    });
    if ((params_.Style & WS_POPUP) != 0 || madeTopLevel_)
        BecomeTopLevel(true);
    UpdateFrame();
}

void TWinControl::CreateShowingHandles() {
    // A pop-up learns it is one, and a window its frame, when its window is made.
    if (!IsShowing())
        return;
    HandleNeeded();
    for (TControl* child : std::vector<TControl*>(controls_))
        if (auto* win = dynamic_cast<TWinControl*>(child))
            win->CreateShowingHandles();
}

TRect TWinControl::ClientRect() const {
    return {0, 0, std::max(0, Width() - frame_.Left - frame_.Right),
            std::max(0, Height() - frame_.Top - frame_.Bottom)};
}

void TWinControl::UpdateFrame() {
    TRect window = BoundsRect();
    TRect client = window;
    // The frame is the class's own to say: asked of its window procedure, past any WindowProc hook.
    TMessage m{WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&client), 0};
    WndProc(m);
    TRect frame{std::max(0, client.Left - window.Left), std::max(0, client.Top - window.Top),
                std::max(0, window.Right - client.Right), std::max(0, window.Bottom - client.Bottom)};
    if (frame == frame_)
        return;
    frame_ = frame;
    InvalidateArea();
    Realign();
}

// LParam: the window's rectangle, which the handler shrinks to the client area.
void TWinControl::WMNCCalcSize(TMessage& Message) {
    auto& rect = *reinterpret_cast<TRect*>(Message.LParam);
    int inset = StyleFrameWidth(params_.Style, params_.ExStyle);
    rect = {rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
    if (params_.Style & (WS_HSCROLL | WS_VSCROLL))
        ScrollBars().TakeRoom(rect);
}

platform::ui::WindowScrollBars& TWinControl::ScrollBars() {
    if (!scrollBars_)
        scrollBars_ = std::make_unique<platform::ui::WindowScrollBars>(*this);
    return *scrollBars_;
}

void TWinControl::WMNCLButtonDown(TMessage& Message) {
    TPoint client = ScreenToClient(PointFromLParam(Message.LParam));
    TPoint window{client.X + frame_.Left, client.Y + frame_.Top};
    if (ScrollBars().Press(static_cast<LRESULT>(Message.WParam), window))
        SetCaptureControl(this);
}

bool TWinControl::TrackScrollBar(TMessage& Message) {
    if (!scrollBars_ || !scrollBars_->Tracking())
        return false;
    // The non-client messages carry screen coordinates (a release queued before the capture was taken).
    bool nonClient = Message.Msg == WM_NCMOUSEMOVE || Message.Msg == WM_NCLBUTTONUP;
    TPoint at = PointFromLParam(Message.LParam);
    TPoint client = nonClient ? ScreenToClient(at) : at;
    TPoint window{client.X + frame_.Left, client.Y + frame_.Top};
    if (Message.Msg == WM_MOUSEMOVE || Message.Msg == WM_NCMOUSEMOVE)
        scrollBars_->Move(window);
    if (Message.Msg == WM_LBUTTONUP || Message.Msg == WM_NCLBUTTONUP) {
        scrollBars_->Release(window);
        if (GetCaptureControl() == this)
            SetCaptureControl(nullptr);
    }
    return true;
}

void TWinControl::ReflectScrollNotice(TMessage& Message) {
    TWinControl* from = Message.LParam != 0 ? FindControl(static_cast<HWND>(Message.LParam)) : nullptr;
    if (from != nullptr && from != this && from->Parent() == this)
        Message.Result = from->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    else
        TControl::Dispatch(Message);
}

void TWinControl::DestroyWnd() {
    if (handle_ == 0)
        return;
    ControlState.Include(csDestroyingHandle);
    BecomeTopLevel(false);
    platform::ui::UnregisterWindowHandle(handle_);
    handle_ = 0;
    ControlState.Exclude(csDestroyingHandle);
}

void TWinControl::SetTopLevelWindow(bool value) {
    madeTopLevel_ = value;
    BecomeTopLevel(value || (params_.Style & WS_POPUP) != 0);
}

void TWinControl::BecomeTopLevel(bool value) {
    if (value == topLevel_)
        return;
    // The place left behind (or taken) in the parent's window is drawn anew.
    InvalidateArea();
    topLevel_ = value;
    if (value)
        popupHost_ = std::make_unique<platform::ui::PopupHost>(*this);
    else
        popupHost_.reset();
    InvalidateArea();
    SyncPopupWindow();
}

void TWinControl::SetWindowVisible(bool value) {
    if (value == windowVisible_)
        return;
    if (!value)
        InvalidateArea();
    windowVisible_ = value;
    if (value)
        InvalidateArea();
    SyncPopupWindow();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    SyncPopupWindow();
}

void TWinControl::SyncPopupWindow() {
    if (popupHost_)
        popupHost_->Sync();
}

void TWinControl::RecreateWnd() {
    if (handle_ == 0)
        return;
    DestroyWnd();
    CreateWnd();
    Invalidate();
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* win = dynamic_cast<TWinControl*>(control))
        tabList_.push_back(win);
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
    control->InvalidateArea();
    if (GetCaptureControl() == control)
        SetCaptureControl(nullptr);
    if (GetMouseControl() == control)
        ForgetMouseControl(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = ParentForm())
            form->DefocusControl(win, true);
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), win), tabList_.end());
    }
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
    if (control->Align() != alNone)
        Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c != nullptr; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
    auto hit = [&](TControl* c) {
        auto* w = dynamic_cast<TWinControl*>(c);
        bool shown = w != nullptr ? ShowsInParent(c) : c->Visible();
        if (!shown || !(allowDisabled || c->Enabled()) || !c->BoundsRect().Contains(pos))
            return false;
        // A window with a region takes only the points inside it.
        return w == nullptr || w->WindowRegion() == nullptr ||
               RegionContains(*w->WindowRegion(), {pos.X - c->Left(), pos.Y - c->Top()});
    };
    // Windowed children lie above graphic ones; within each kind the last one is on top.
    if (allowWinControls)
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
            if (dynamic_cast<TWinControl*>(*it) != nullptr && hit(*it))
                return *it;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (dynamic_cast<TWinControl*>(*it) == nullptr && hit(*it))
            return *it;
    return nullptr;
}

LRESULT TWinControl::OfferDialogChar(const TMessage& Message) {
    TCustomForm* form = ParentForm();
    return form != nullptr ? form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) : 0;
}

void TWinControl::TrackMouseControl(TPoint clientPos) {
    TWinControl* top = platform::ui::TopLevelOf(this);
    if (top == nullptr)
        return;
    TPoint o = FormOrigin();
    SetMouseControl(platform::ui::ControlAtFormPoint(*top, {clientPos.X + o.X, clientPos.Y + o.Y}));
}

bool TWinControl::RouteMouseToChild(TMessage& Message) {
    TControl* capture = GetCaptureControl();
    TControl* target = nullptr;
    TPoint p = PointFromLParam(Message.LParam);
    if (capture != nullptr) {
        if (capture->Parent() != this)
            return false;
        target = capture;
    } else {
        target = ControlAtPos(p, false);
    }
    if (target == nullptr || dynamic_cast<TWinControl*>(target) != nullptr)
        return false;
    Message.Result =
        target->Perform(Message.Msg, Message.WParam, MakeLParam(p.X - target->Left(), p.Y - target->Top()));
    return true;
}

LRESULT TWinControl::HitTest(TPoint clientPos) const {
    TPoint window{clientPos.X + frame_.Left, clientPos.Y + frame_.Top};
    if (windowRegion_ && !RegionContains(*windowRegion_, window))
        return HTNOWHERE;
    if (ClientRect().Contains(clientPos))
        return HTCLIENT;
    if (scrollBars_)
        if (LRESULT bar = scrollBars_->HitTest(window); bar != HTNOWHERE)
            return bar;
    return Bounds(-frame_.Left, -frame_.Top, Width(), Height()).Contains(clientPos) ? HTBORDER : HTNOWHERE;
}

void TWinControl::WMSetCursor(TMessage& Message) {
    TCursor cursor = platform::Runtime().Cursor.Get();
    if (cursor == crDefault && LoWordSigned(Message.LParam) == HTCLIENT) {
        TPoint pointer;
        GetCursorPos(pointer);
        TControl* under = ControlAtPos(ScreenToClient(pointer), false);
        cursor = under != nullptr ? under->Cursor() : Cursor();
    }
    if (cursor != crDefault) {
        platform::ui::ShowPointer(*this, cursor);
        Message.Result = 1;
        return;
    }
    // Not this window's to say: its parent's cursor covers it, else the arrow.
    if (!topLevel_ && parent_ != nullptr &&
        parent_->Perform(WM_SETCURSOR, Message.WParam, Message.LParam) != 0) {
        Message.Result = 1;
        return;
    }
    if (topLevel_ || parent_ == nullptr)
        platform::ui::ShowPointer(*this, crDefault);
}

void TWinControl::SetCtl3D(bool value) {
    parentCtl3D_ = false;
    if (value == ctl3D_)
        return;
    ctl3D_ = value;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool value) {
    if (!value) {
        parentCtl3D_ = false;
        return;
    }
    parentCtl3D_ = true;
    Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::AddBorderStyle(TCreateParams& Params, TBorderStyle style) const {
    if (style != bsSingle)
        return;
    if (ctl3D_)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void TWinControl::AddBiDiModeExStyle(DWORD& ExStyle) const {
    if (UseRightToLeftReading())
        ExStyle |= WS_EX_RTLREADING;
    if (UseRightToLeftScrollBar())
        ExStyle |= WS_EX_LEFTSCROLLBAR;
    if (UseRightToLeftAlignment())
        ExStyle |= WS_EX_RIGHT;
}

void TWinControl::SetWindowRegion(std::optional<platform::ui::Region> region) {
    InvalidateArea();
    windowRegion_ = std::move(region);
    InvalidateArea();
    if (platform::ui::TopLevelOf(this) == this)
        if (platform::ui::NativeWindow* native = platform::ui::TopLevelNative(*this))
            native->SetShape(WindowRegion());
}
