#include "platform/ui/form.h"

#include <utility>

#include "platform/rtl/flag_scope.h"
#include "platform/ui/application.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/focus_state.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/push_button.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_system.h"

TCustomForm* GetParentForm(const TControl* control) {
    if (control == nullptr)
        return nullptr;
    const TControl* top = control;
    while (top->Parent() != nullptr) top = top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner),
      canvas_(std::make_unique<TCanvas>()),
      target_(std::make_unique<platform::ui::ControlCanvasTarget>(*this)) {
    canvas_->SetTarget(target_.get());
    InitVisible(false);
    SetColor(clBtnFace);
    platform::ui::RegisterForm(this);
    SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
    platform::ui::UnregisterForm(this);
    // The host window takes back the pixels it lent while the surface is still there.
    native_.reset();
}

void TCustomForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    try {
        if (OnCreate)
            OnCreate(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::BeforeDestruction() {
    try {
        if (OnDestroy)
            OnDestroy(this);
    } catch (...) {
        Application->HandleException(this);
    }
    TWinControl::BeforeDestruction();
}

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SIZE:
            invalid_ = platform::ui::Region(SurfaceRect());
            TWinControl::Dispatch(Message);
            return;
        case CM_VISIBLECHANGED:
            TWinControl::Dispatch(Message);
            ShowingChanged(Visible());
            return;
        case CM_TEXTCHANGED:
            if (native_)
                native_->SetCaption(Caption());
            TWinControl::Dispatch(Message);
            return;
        case WM_CLOSE:
            Close();
            return;
        case CM_DIALOGKEY:
            if (Message.WParam == VK_TAB && !CurrentShiftState().Contains(ssCtrl)) {
                SelectNext(activeControl_, !CurrentShiftState().Contains(ssShift), true);
                Message.Result = 1;
                return;
            }
            if (OfferDialogKey(*this, Message))
                return;
            TWinControl::Dispatch(Message);
            return;
        default:
            TWinControl::Dispatch(Message);
    }
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (native_ && !hostMoving_)
        native_->SetBounds(BoundsRect());
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    borderStyle_ = value;
    if (native_)
        native_->SetBorderless(value == bsNone);
    ApplyWindowKind();
}

void TCustomForm::ShowingChanged(bool showing) {
    if (showing) {
        DoShow();
        if (!Visible() || shown_)
            return;
        PlaceForShowing();
        if (!native_)
            native_ = platform::ui::CurrentWindowSystem().CreateNativeWindow(*this);
        native_->SetBorderless(borderStyle_ == bsNone);
        ApplyWindowKind();
        native_->SetCaption(Caption());
        native_->SetBounds(BoundsRect());
        invalid_ = platform::ui::Region(SurfaceRect());
        shown_ = true;
        // A form shown minimized comes up iconified and inactive.
        bool minimized = windowState_ == wsMinimized;
        native_->SetMinimized(minimized);
        native_->SetVisible(true);
        if (minimized)
            return;
        native_->Activate();
        HostActivated(true);
        return;
    }
    if (!shown_)
        return;
    shown_ = false;
    DoHide();
    HostActivated(false);
    if (native_)
        native_->SetVisible(false);
}

// A failing OnShow or OnHide is reported and the window still shows or hides: a form whose
// OnShow failed must not stay visible to the program and missing from the screen.
void TCustomForm::DoShow() {
    try {
        if (OnShow)
            OnShow(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::DoHide() {
    try {
        if (OnHide)
            OnHide(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::HostActivated(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (active) {
        if (platform::ui::ActiveForm() != nullptr && platform::ui::ActiveForm() != this)
            platform::ui::ActiveForm()->HostActivated(false);
        platform::ui::SetActiveForm(this);
        if (OnActivate)
            OnActivate(this);
        if (activeControl_ != nullptr && activeControl_->CanFocus())
            FocusControl(activeControl_);
        else
            SelectFirst();
        if (platform::ui::FocusHolder() == nullptr)
            platform::ui::SetFocusHolder(this);
        return;
    }
    if (platform::ui::ActiveForm() == this)
        platform::ui::SetActiveForm(nullptr);
    // Whatever holds the mouse on this form (a pressed button, an open menu) lets go.
    if (TControl* capture = GetCaptureControl(); capture != nullptr && GetParentForm(capture) == this)
        capture->Perform(WM_CANCELMODE);
    TWinControl* focus = platform::ui::FocusHolder();
    if (focus != nullptr && ContainsControl(focus))
        platform::ui::SetFocusHolder(nullptr);
    if (OnDeactivate)
        OnDeactivate(this);
}

void TCustomForm::SelectFirst() {
    TWinControl* first = FindNextControl(nullptr, true, true, false);
    if (first == nullptr)
        first = FindNextControl(nullptr, true, false, false);
    if (first != nullptr)
        FocusControl(first);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control != nullptr && (!ContainsControl(control) || control == this))
        throw EInvalidOperation("Invalid control for the form's active control");
    if (control != nullptr && Visible() && !control->CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FocusControl(control);
}

namespace {
// csFocusing while the focus moves to a control (its exit, focus and enter handlers run). A handler
// may free the control: it is looked up by its window at the end.
class FocusingScope {
  public:
    explicit FocusingScope(TWinControl& control) : window_(control.Handle()) {
        control.ControlState.Include(csFocusing);
    }
    ~FocusingScope() {
        if (TWinControl* control = FindControl(window_))
            control->ControlState.Exclude(csFocusing);
    }
    FocusingScope(const FocusingScope&) = delete;
    FocusingScope& operator=(const FocusingScope&) = delete;

  private:
    HWND window_;
};
}  // namespace

bool TCustomForm::FocusControl(TWinControl* control) {
    if (control == this)
        control = nullptr;
    if (control != nullptr && !ContainsControl(control))
        return false;
    TWinControl* old = activeControl_;
    TWinControl* focusNow = control != nullptr ? control : this;
    FocusingScope focusing(*focusNow);
    bool takeFocus = active_ || platform::ui::ActiveForm() == nullptr;
    if (old == control && (!takeFocus || platform::ui::FocusHolder() == focusNow))
        return true;
    if (old != nullptr && old != control)
        old->Perform(CM_EXIT);
    activeControl_ = control;
    if (takeFocus) {
        TWinControl* previous = platform::ui::FocusHolder();
        platform::ui::SetFocusHolder(focusNow);
        // Each side is told the other window: an edit losing the focus to its own pop-up keeps it open.
        HWND previousWnd = previous != nullptr && previous != focusNow ? previous->Handle() : 0;
        if (previousWnd != 0)
            previous->Perform(WM_KILLFOCUS, focusNow->Handle());
        focusNow->Perform(WM_SETFOCUS, previousWnd);
    }
    if (control != nullptr && old != control)
        control->Perform(CM_ENTER);
    return true;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (activeControl_ == nullptr || control == nullptr || !control->ContainsControl(activeControl_))
        return;
    TWinControl* old = activeControl_;
    activeControl_ = nullptr;
    if (platform::ui::FocusHolder() == old) {
        platform::ui::SetFocusHolder(active_ ? this : nullptr);
        if (!removing)
            old->Perform(WM_KILLFOCUS, active_ ? Handle() : 0);
    }
}

void TCustomForm::Close() {
    // A modal form closes through its loop, which asks the close events.
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (OnCloseQuery) {
        bool canClose = true;
        OnCloseQuery(this, canClose);
        if (!canClose)
            return;
    }
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == caFree)
        PostMessage(Handle(), CM_RELEASE, 0, 0);
    else
        Hide();
}

void TCustomForm::PaintWindow(TCanvas& canvas) {
    TWinControl::PaintWindow(canvas);
    canvas_->Font()->Assign(*Font());
    canvas_->Brush()->SetColor(Color());
    Paint();
}

void TCustomForm::Paint() {
    if (OnPaint)
        OnPaint(this);
}

const platform::ui::RasterImage& TCustomForm::SurfaceImage() const {
    // Pixels that still fit keep their place; new ones take the window's colour. The host window's
    // own pixels, when it lends them, spare a second full-size copy.
    const std::uint32_t fill = ColorToArgb(Color());
    if (!native_ || !native_->LendPixels(surface_, Width(), Height(), fill))
        surface_.Resize(Width(), Height(), fill);
    return surface_;
}

platform::ui::RasterImage& TCustomForm::SurfaceImage() {
    return const_cast<platform::ui::RasterImage&>(std::as_const(*this).SurfaceImage());
}

void TCustomForm::InvalidateArea(const TRect& rect) {
    invalid_.Add(IntersectRect(rect, SurfaceRect()));
}

void TCustomForm::PaintInvalid() {
    if (!shown_ || invalid_.Empty())
        return;
    platform::ui::Region clip = invalid_;
    invalid_ = platform::ui::Region();
    PaintTree(clip);
    PresentArea(clip.Bounds());
}

void TCustomForm::PresentArea(const TRect& rect) {
    if (!native_ || !shown_)
        return;
    TRect r = IntersectRect(rect, SurfaceRect());
    if (!r.IsEmpty())
        native_->Present(r);
}

void TCustomForm::HostBoundsChanged(const TRect& bounds) {
    TFlagScope moving(hostMoving_);
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}
