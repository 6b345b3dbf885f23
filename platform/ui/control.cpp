#include "platform/ui/control.h"

#include <algorithm>
#include <utility>

#include "platform/ui/form.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/top_level.h"
#include "platform/ui/win_control.h"

namespace {

// A named callable, so that WindowProc can be asked whether it still holds the control's own.
struct OwnWndProc {
    TControl* control;
    void operator()(TMessage& m) const { control->WndProc(m); }
};

}  // namespace

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
    WindowProc = OwnWindowProc();
    font_->OnChange = [this](TObject*) { FontChanged(); };
    ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
}

TControl::~TControl() {
    ForgetMouseControl(this);
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
}

TWndMethod TControl::OwnWindowProc() {
    return OwnWndProc{this};
}

bool TControl::HasOwnWindowProc() const {
    const auto* own = WindowProc.target<OwnWndProc>();
    return own != nullptr && own->control == this;
}

void TControl::WndProc(TMessage& Message) {
    Dispatch(Message);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    TBusyScope busy(this);
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::Dispatch(TMessage& Message) {
    if (IsMouseMessage(Message.Msg)) {
        // A control that takes no double clicks sees the second press as a plain press.
        bool doubleClick = Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK ||
                           Message.Msg == WM_MBUTTONDBLCLK;
        if (doubleClick && !ControlStyle.Contains(csDoubleClicks))
            Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        HandleMouseMessage(Message);
        return;
    }
    switch (Message.Msg) {
        case WM_CAPTURECHANGED:
            // A press whose capture was taken away is no click any more.
            clicked_ = false;
            ControlState.Exclude(csClicked);
            return;
        case WM_CANCELMODE:
        case CM_CANCELMODE:
            CancelMode();
            return;
        case WM_MOUSEWHEEL:
            Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
            return;
        case CM_MOUSEWHEEL:
            CMMouseWheel(Message);
            return;
        case WM_CONTEXTMENU:
            WMContextMenu(Message);
            return;
        case WM_SIZE:
            Resize();
            return;
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
            AdjustSize();
            Invalidate();
            return;
        case CM_COLORCHANGED:
        case CM_ENABLEDCHANGED:
            Invalidate();
            return;
        case CM_PARENTFONTCHANGED:
            if (parentFont_ && parent_ != nullptr) {
                updatingParentFont_ = true;
                font_->Assign(*parent_->Font());
                updatingParentFont_ = false;
            }
            return;
        case CM_PARENTBIDIMODECHANGED:
            if (parentBiDiMode_ && parent_ != nullptr && biDiMode_ != parent_->BiDiMode()) {
                biDiMode_ = parent_->BiDiMode();
                Perform(CM_BIDIMODECHANGED);
            }
            return;
        case CM_PARENTCOLORCHANGED:
            if (parentColor_ && parent_ != nullptr && color_ != parent_->Color()) {
                color_ = parent_->Color();
                Perform(CM_COLORCHANGED);
            }
            return;
        default:
            DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage& Message) {
    (void)Message;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (!CanResize(AWidth, AHeight))
        AWidth = width_, AHeight = height_;
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_)
        return;
    bool sized = AWidth != width_ || AHeight != height_;
    bool moved = ALeft != left_ || ATop != top_;
    InvalidateArea();
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    InvalidateArea();
    if (sized)
        Perform(WM_SIZE, 0, MakeLParam(width_, height_));
    if (moved)
        Perform(WM_MOVE, 0, MakeLParam(left_, top_));
    RequestAlign();
}

void TControl::SetClientWidth(int value) {
    SetWidth(value + width_ - ClientRect().Width());
}
void TControl::SetClientHeight(int value) {
    SetHeight(value + height_ - ClientRect().Height());
}

TPoint TControl::FormOrigin() const {
    auto* win = dynamic_cast<const TWinControl*>(this);
    TPoint frame = win != nullptr ? win->ClientOffset() : TPoint{};
    if (parent_ == nullptr || platform::ui::TopLevelOf(this) == this)
        return frame;
    TPoint p = parent_->FormOrigin();
    return {p.X + left_ + frame.X, p.Y + top_ + frame.Y};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = FormOrigin();
    TWinControl* top = platform::ui::TopLevelOf(this);
    TPoint f = top != nullptr ? TPoint{top->Left(), top->Top()} : TPoint{};
    return {p.X + o.X + f.X, p.Y + o.Y + f.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint zero = ClientToScreen({0, 0});
    return {p.X - zero.X, p.Y - zero.Y};
}

void TControl::SetAlign(TAlign value) {
    if (value == align_)
        return;
    align_ = value;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_ != nullptr && align_ != alNone)
        parent_->Realign();
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == parent_)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot be its own parent");
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
    if (AParent != nullptr) {
        AParent->InsertControl(this);
        SyncWithParent();
        // Its window is made once it has what it takes from its parent (3-D look, right-to-left).
        if (auto* win = dynamic_cast<TWinControl*>(this))
            win->CreateShowingHandles();
        Invalidate();
        RequestAlign();
    }
}

void TControl::SyncWithParent() {
    if (parent_ == nullptr)
        return;
    Perform(CM_PARENTFONTCHANGED);
    Perform(CM_PARENTCOLORCHANGED);
    Perform(CM_PARENTBIDIMODECHANGED);
    Perform(CM_PARENTCTL3DCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode value) {
    parentBiDiMode_ = false;
    if (value == biDiMode_)
        return;
    biDiMode_ = value;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool value) {
    parentBiDiMode_ = value;
    if (value)
        Perform(CM_PARENTBIDIMODECHANGED);
}

void TControl::ScaleBy(int M, int D) {
    ChangeScale(M, D);
}

void TControl::ChangeScale(int M, int D) {
    if (M == D)
        return;
    // Right and bottom edges are scaled, so neighbours that touched still touch.
    int left = MulDiv(left_, M, D), top = MulDiv(top_, M, D);
    int right = MulDiv(left_ + width_, M, D), bottom = MulDiv(top_ + height_, M, D);
    SetBounds(left, top, right - left, bottom - top);
    if (!parentFont_) {
        updatingParentFont_ = true;
        font_->SetSize(MulDiv(font_->Size(), M, D));
        updatingParentFont_ = false;
    }
}

TComponent* TControl::GetParentComponent() const {
    return parent_;
}

TCustomForm* TControl::ParentForm() const {
    return GetParentForm(this);
}

bool TControl::IsShowing() const {
    if (auto* form = dynamic_cast<const TCustomForm*>(this))
        return visible_ && (form->Parent() == nullptr || form->Parent()->IsShowing());
    // A window may be shown or hidden apart from Visible (ShowWindow, SetWindowPos).
    auto* win = dynamic_cast<const TWinControl*>(this);
    if (!(win != nullptr ? win->WindowVisible() : visible_))
        return false;
    if (win != nullptr && win->IsTopLevelWindow() && parent_ == nullptr)
        return true;
    return parent_ != nullptr && parent_->IsShowing();
}

void TControl::SetVisible(bool value) {
    if (value == visible_)
        return;
    if (!value)
        InvalidateArea();
    visible_ = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    if (value)
        InvalidateArea();
    RequestAlign();
}

void TControl::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::FontChanged() {
    if (!updatingParentFont_)
        parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value)
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor value) {
    parentColor_ = false;
    if (value == color_)
        return;
    color_ = value;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value)
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetText(const std::string& value) {
    SetTextBuf(value);
}

void TControl::SetTextBuf(const std::string& value) {
    if (GetText() == value)
        return;
    text_ = value;
    TextChanged();
    Perform(CM_TEXTCHANGED);
}

void TControl::InvalidateArea() {
    TWinControl* top = platform::ui::TopLevelOf(this);
    if (top == nullptr || (top == this && parent_ == nullptr && dynamic_cast<TCustomForm*>(this) == nullptr))
        return;
    TPoint o = FormOrigin();
    auto* win = dynamic_cast<const TWinControl*>(this);
    platform::ui::InvalidateTopLevel(*this,
                                     win != nullptr ? win->WindowArea() : Bounds(o.X, o.Y, width_, height_));
}

void TControl::Invalidate() {
    if (IsShowing())
        InvalidateArea();
}

void TControl::Update() {
    platform::ui::PaintTopLevel(*this);
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (parent_ == nullptr)
        return;
    TWinControl* p = parent_;
    p->RemoveControl(this);
    p->InsertControl(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (parent_ == nullptr)
        return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    Invalidate();
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (popupMenu_ != nullptr)
        popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupMenu_)
        popupMenu_ = nullptr;
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup)
        OnContextPopup(this, MousePos, Handled);
}

// LParam: the screen point of the click, or (-1, -1) for the context-menu key.
void TControl::WMContextMenu(TMessage& Message) {
    if (Message.Result != 0)
        return;
    TPoint pos = PointFromLParam(Message.LParam);
    bool byKey = pos == TPoint{-1, -1};
    bool handled = false;
    DoContextPopup(byKey ? pos : ScreenToClient(pos), handled);
    if (handled) {
        Message.Result = 1;
        return;
    }
    TPopupMenu* menu = GetPopupMenu();
    if (menu != nullptr && menu->AutoPopup) {
        // Whoever holds the mouse lets it go before the menu takes over.
        if (GetCaptureControl() != nullptr)
            GetCaptureControl()->Perform(WM_CANCELMODE);
        menu->PopupComponent = this;
        if (byKey)
            pos = ClientToScreen({0, 0});
        menu->Popup(pos.X, pos.Y);
        Message.Result = 1;
        return;
    }
    // A child window's unanswered request goes to its parent; a graphic control's is answered by
    // the window it lies on.
    auto* win = dynamic_cast<TWinControl*>(this);
    if (win != nullptr && !win->IsTopLevelWindow() && parent_ != nullptr)
        Message.Result = parent_->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::Resize() {
    if (OnResize)
        OnResize(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::CancelMode() {
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled || WheelDelta == 0)
        return handled;
    return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

namespace {
TShiftState MouseShift(WPARAM keys);
}

void TControl::CMMouseWheel(TMessage& Message) {
    TShiftState shift = MouseShift(Message.WParam & 0xFFFF);
    int delta = static_cast<std::int16_t>((Message.WParam >> 16) & 0xFFFF);
    if (DoMouseWheel(shift, delta, PointFromLParam(Message.LParam)))
        Message.Result = 1;
    else if (parent_ != nullptr)
        Message.Result = parent_->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

namespace {
TShiftState MouseShift(WPARAM keys) {
    TShiftState shift;
    if (keys & MK_SHIFT)
        shift.Include(ssShift);
    if (keys & MK_CONTROL)
        shift.Include(ssCtrl);
    if (keys & MK_LBUTTON)
        shift.Include(ssLeft);
    if (keys & MK_RBUTTON)
        shift.Include(ssRight);
    if (keys & MK_MBUTTON)
        shift.Include(ssMiddle);
    if (platform::ui::MessageShiftState().Contains(ssAlt))
        shift.Include(ssAlt);
    return shift;
}
}  // namespace

void TControl::HandleMouseMessage(TMessage& Message) {
    TPoint p = PointFromLParam(Message.LParam);
    TShiftState shift = MouseShift(Message.WParam);
    switch (Message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ControlState.Include(csLButtonDown);
            if (ControlStyle.Contains(csCaptureMouse))
                SetCaptureControl(this);
            if (ControlStyle.Contains(csClickEvents)) {
                clicked_ = true;
                ControlState.Include(csClicked);
            }
            if (Message.Msg == WM_LBUTTONDBLCLK) {
                shift.Include(ssDouble);
                if (OnDblClick)
                    OnDblClick(this);
            }
            MouseDown(mbLeft, shift, p.X, p.Y);
            return;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            MouseDown(mbRight, shift, p.X, p.Y);
            return;
        case WM_MBUTTONDOWN:
            MouseDown(mbMiddle, shift, p.X, p.Y);
            return;
        case WM_LBUTTONUP: {
            // Releasing the capture tells this control it lost it: take the press first.
            bool clicked = std::exchange(clicked_, false);
            ControlState.Exclude(csLButtonDown);
            ControlState.Exclude(csClicked);
            if (GetCaptureControl() == this)
                SetCaptureControl(nullptr);
            if (clicked && ClientRect().Contains(p))
                Click();
            MouseUp(mbLeft, shift, p.X, p.Y);
            return;
        }
        case WM_RBUTTONUP:
            MouseUp(mbRight, shift, p.X, p.Y);
            return;
        case WM_MBUTTONUP:
            MouseUp(mbMiddle, shift, p.X, p.Y);
            return;
        case WM_MOUSEMOVE:
            MouseMove(shift, p.X, p.Y);
            return;
        default:
            return;
    }
}
