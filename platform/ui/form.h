#pragma once
// TCustomForm / TForm: a top-level window. It owns a surface of its client size that its controls
// paint on and that the backend shows; drawing on its Canvas outside painting goes straight to
// that surface, as drawing on a window does. The surface takes memory only when pixels are first
// wanted, at the size the window has by then, so sizing a window before it is shown costs nothing.
#include <functional>
#include <memory>
#include <string>

#include "platform/ui/canvas.h"
#include "platform/ui/raster_image.h"
#include "platform/ui/region.h"
#include "platform/ui/win_control.h"

namespace platform::ui {
class NativeWindow;
}

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// Where a form places itself when first shown.
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
// How a form stands among the program's windows: fsStayOnTop floats above the others.
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
  public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    std::string ClassName() const override { return "TCustomForm"; }
    // Fires OnCreate; an exception escaping it is reported, and the form lives on.
    void AfterConstruction() override;
    // Fires OnDestroy while every control still exists.
    void BeforeDestruction() override;
    void Dispatch(TMessage& Message) override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    // Without a border the client area is the whole window; with one, the host adds its frame outside.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetClientWidth(int value) override { SetWidth(value); }
    void SetClientHeight(int value) override { SetHeight(value); }

    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Maximized, the form covers the work area of its monitor; minimized, its window is iconified and
    // the form gives up the activation. Either way its normal rectangle is kept and comes back with
    // wsNormal.
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    // The state and the normal rectangle at once, as a window placement gives them.
    void SetPlacement(TWindowState state, const TRect& normal);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    // The bounds the form has in the normal state, also while maximized or minimized.
    TRect RestoredBounds() const { return windowState_ == wsNormal ? BoundsRect() : normalBounds_; }
    // Asks OnCloseQuery and OnClose; closing the main form ends the program.
    void Close();
    bool Active() const { return active_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Focuses the first control in tab order that can take the focus.
    void SelectFirst();
    bool KeyPreview = false;

    TCanvas* Canvas() const { return canvas_.get(); }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // The window's pixels as last painted or drawn, at the window's current size.
    const platform::ui::RasterImage& SurfaceImage() const;
    platform::ui::RasterImage& SurfaceImage();
    // Marks part of the window (form coordinates) for painting at the next message-loop pass.
    void InvalidateArea(const TRect& rect);
    // Takes part of the window off what waits for painting.
    void ValidateArea(const TRect& rect) { invalid_.Subtract(rect); }
    bool NeedsPaint() const { return !invalid_.Empty(); }
    // What waits for painting inside area moves by (dx, dy), with the pixels a scroll moved.
    void ScrollInvalidArea(const TRect& area, int dx, int dy) { invalid_.MoveWithin(area, dx, dy); }
    // Paints what is invalid and hands the new pixels to the host window.
    void PaintInvalid();
    // Tells the host window that these pixels changed (form coordinates).
    void PresentArea(const TRect& rect);
    platform::ui::NativeWindow* Native() const { return native_.get(); }

    // Called by the host when the window's frame moved or was resized by the user.
    void HostBoundsChanged(const TRect& bounds);
    void HostActivated(bool active);
    // Called by the host when the user iconified the window or brought it back.
    void HostMinimizedChanged(bool minimized);

    // Hands the keyboard focus to control (nullptr: the form itself).
    bool FocusControl(TWinControl* control);
    void DefocusControl(TWinControl* control, bool removing);

    // Modal use: ShowModal shows the form and runs its own message loop until ModalResult is set
    // (a button's ModalResult, Close giving mrCancel, or mrCancel when the program ends), then hides
    // it, gives the activation back to the form that had it and answers the result. The form's close
    // events may refuse: the loop then goes on.
    int ShowModal();
    bool Modal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);

  protected:
    void PaintWindow(TCanvas& canvas) override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void Paint();

  private:
    void ShowingChanged(bool showing);
    // Modal use and dialog keys.
    void CloseModal();
    void EndModal(HWND previousActive);
    // Offers Enter, Esc and the like to every control of parent until one takes it.
    static bool OfferDialogKey(TWinControl& parent, TMessage& Message);
    // Tells the host window how it floats and whether its frame can be resized.
    void ApplyWindowKind();
    void MinimizedChanged(bool minimized);
    // Position and WindowState applied as the form first shows.
    void PlaceForShowing();
    TRect CentreOf(TPosition position) const;
    TRect SurfaceRect() const { return Bounds(0, 0, Width(), Height()); }
    std::unique_ptr<TCanvas> canvas_;
    std::unique_ptr<platform::ui::CanvasTarget> target_;
    std::unique_ptr<platform::ui::NativeWindow> native_;
    // Sized on demand (SurfaceImage), so mutable.
    mutable platform::ui::RasterImage surface_;
    platform::ui::Region invalid_;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TWinControl* activeControl_ = nullptr;
    bool active_ = false;
    bool shown_ = false;
    bool hostMoving_ = false;
    TWindowState windowState_ = wsNormal;
    TWindowState stateBeforeMinimized_ = wsNormal;  // what restoring an iconified window goes back to
    bool hostMinimizing_ = false;
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    bool modal_ = false;
    int modalResult_ = 0;
    TRect normalBounds_;
    bool placed_ = false;
};

class TForm : public TCustomForm {
  public:
    using TCustomForm::TCustomForm;
    std::string ClassName() const override { return "TForm"; }
};

TCustomForm* GetParentForm(const TControl* control);

// Where a window shows and where it goes back to: showCmd is SW_SHOWNORMAL, SW_SHOWMINIMIZED or
// SW_SHOWMAXIMIZED; rcNormalPosition the form's normal rectangle in screen coordinates, also while it
// is maximized or minimized (a child window: its bounds in its parent).
struct WINDOWPLACEMENT {
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = 0;
    TPoint ptMinPosition{-1, -1};
    TPoint ptMaxPosition{-1, -1};
    TRect rcNormalPosition;
};
bool GetWindowPlacement(HWND wnd, WINDOWPLACEMENT* placement);
// Sets a form's normal rectangle and state (SW_SHOWMINIMIZED, SW_MINIMIZE and SW_SHOWMINNOACTIVE
// minimize, SW_SHOWMAXIMIZED maximizes, SW_HIDE hides, the others restore); whether the form is
// visible is otherwise left as it is. A child window takes the rectangle as its bounds.
bool SetWindowPlacement(HWND wnd, const WINDOWPLACEMENT* placement);
