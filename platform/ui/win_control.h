#pragma once
// TWinControl: a control with a window handle. It holds child controls, takes the keyboard focus,
// follows a tab order and lays out its children (Align, Anchors).
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/brush.h"
#include "platform/ui/control.h"
#include "platform/ui/region.h"
#include "platform/ui/window_styles.h"

class TCanvas;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// A control's border: bsNone or bsSingle.
using TBorderStyle = TFormBorderStyle;
namespace platform::ui {
class PopupHost;
class WindowScrollBars;
}  // namespace platform::ui

// Parameters a windowed control is made with; a descendant adjusts them in CreateParams and
// RecreateWnd makes the window anew with them.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = 0;
    std::string WinClassName;
};

class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    std::string ClassName() const override { return "TWinControl"; }
    void Dispatch(TMessage& Message) override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
    // The child under a point of the client area; windowed children only when allowWinControls.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;
    bool ContainsControl(const TControl* control) const;

    // The window handle, made on first use.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != 0; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();
    // The style bits the window was made with (CreateParams).
    DWORD WindowStyle() const { return params_.Style; }
    DWORD WindowExStyle() const { return params_.ExStyle; }

    // A pop-up (WS_POPUP, or made top-level after creation by SetParent(handle, 0)) has a host window
    // of its own above its form and never takes the keyboard; its Left and Top are screen coordinates.
    bool IsTopLevelWindow() const { return topLevel_; }
    void SetTopLevelWindow(bool value);
    platform::ui::PopupHost* PopupWindow() const { return popupHost_.get(); }
    // Whether the window shows: it follows Visible, and ShowWindow / SetWindowPos show or hide the
    // window without touching Visible.
    bool WindowVisible() const { return windowVisible_; }
    void SetWindowVisible(bool value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The non-client frame (borders) the window asked for by WM_NCCALCSIZE when it was made (or
    // SWP_FRAMECHANGED): the client area lies inside it, and WM_NCPAINT draws it.
    TRect ClientRect() const override;
    // Where the client area starts within the window.
    TPoint ClientOffset() const { return {frame_.Left, frame_.Top}; }
    // The window's rectangle in its top-level window's coordinates, frame included.
    TRect WindowArea() const;
    // The window region (window coordinates): only that part of the window shows and takes the mouse;
    // nullptr: all of it.
    const platform::ui::Region* WindowRegion() const { return windowRegion_ ? &*windowRegion_ : nullptr; }
    void SetWindowRegion(std::optional<platform::ui::Region> region);
    // The part of the top-level window this window covers: its rectangle, cut to its region.
    platform::ui::Region CoveredArea() const;
    // Asks the window for its frame again (WM_NCCALCSIZE) and lays the children out in the new client area.
    void UpdateFrame();
    // The window's own scroll bars (WS_HSCROLL / WS_VSCROLL), in its frame.
    platform::ui::WindowScrollBars& ScrollBars();

    // Focus and tab order.
    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    // Children in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    TBrush* Brush() const { return brush_.get(); }

    // The 3-D look: sunken client edges instead of flat borders. ParentCtl3D follows the parent's.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool value);
    // Lays the children out again (Align first, then the anchored ones keep their distances).
    void Realign();
    // The part of the client area that aligned children share (a panel leaves its bevel out).
    virtual void AdjustClientRect(TRect& rect) const { (void)rect; }

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Painting (used by the form): the control's own background, then its graphic children, then
    // its windowed children, each within clip (form coordinates).
    void PaintTree(const platform::ui::Region& clip);
    // Form coordinates: where the control is seen, with its children; and where it paints itself.
    platform::ui::Region VisibleArea() const;
    platform::ui::Region OwnPaintArea() const;

  protected:
    virtual void CreateParams(TCreateParams& Params);
    // A single border in the window's styles: WS_EX_CLIENTEDGE with the 3-D look, else WS_BORDER.
    void AddBorderStyle(TCreateParams& Params, TBorderStyle style) const;
    // The right-to-left extended styles: WS_EX_RTLREADING, WS_EX_LEFTSCROLLBAR, WS_EX_RIGHT.
    void AddBiDiModeExStyle(DWORD& ExStyle) const;
    virtual void CreateWnd();
    virtual void DestroyWnd();
    const TCreateParams& WindowParams() const { return params_; }
    // Background of the control itself (the form and panels fill with their colour).
    virtual void PaintWindow(TCanvas& canvas);
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    // DLGC_* flags: which keys the control keeps for itself instead of the form's navigation.
    virtual LRESULT DialogCode() const { return 0; }
    // WM_NCHITTEST's answer for a point of the client area's coordinates.
    virtual LRESULT HitTest(TPoint clientPos) const;
    virtual void DoEnter();
    virtual void DoExit();
    void FontChanged() override;
    void Resize() override;
    void ChangeScale(int M, int D) override;

  private:
    friend class TControl;
    friend class platform::ui::WindowScrollBars;  // a bar shown or hidden is a style bit
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void AlignControls();
    void AnchorControls(int oldWidth, int oldHeight);
    void WMKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void WMNCLButtonDown(TMessage& Message);
    // While a press on a scroll bar is held, the mouse is the bar's; true when it took the message.
    bool TrackScrollBar(TMessage& Message);
    // A child's scroll notice (WM_HSCROLL / WM_VSCROLL with its window in LParam) goes back to it.
    void ReflectScrollNotice(TMessage& Message);
    // Windows are made when they show: the control's and its windowed children's.
    void CreateShowingHandles();
    bool RouteMouseToChild(TMessage& Message);
    // A windowed child drawn inside this window (shown, and no pop-up of its own).
    static bool ShowsInParent(const TControl* child);
    void SyncPopupWindow();
    void BecomeTopLevel(bool value);
    // Tells the control the pointer has come to (and the one it left) by CM_MOUSEENTER / CM_MOUSELEAVE.
    void TrackMouseControl(TPoint clientPos);
    // Offers a character to the accelerators of the form's controls (CM_DIALOGCHAR); nonzero: taken.
    LRESULT OfferDialogChar(const TMessage& Message);
    std::vector<TControl*> controls_;    // z-order, bottom first
    std::vector<TWinControl*> tabList_;  // tab order
    std::unique_ptr<TBrush> brush_;
    TCreateParams params_;
    HWND handle_ = 0;
    std::unique_ptr<platform::ui::PopupHost> popupHost_;
    std::unique_ptr<platform::ui::WindowScrollBars> scrollBars_;
    bool topLevel_ = false;
    bool madeTopLevel_ = false;  // by SetParent(handle, 0): kept when the window is made anew
    bool windowVisible_ = true;
    TRect frame_;  // widths of the frame's sides
    std::optional<platform::ui::Region> windowRegion_;
    bool tabStop_ = false;
    bool aligning_ = false;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    bool scaling_ = false;  // children are scaled by themselves, not moved by anchors or alignment
    int lastClientWidth_ = 0;
    int lastClientHeight_ = 0;
};

// The control that has the keyboard focus (nullptr: none).
TWinControl* FocusedControl();
HWND GetFocus();
TWinControl* FindControl(HWND wnd);
// The held modifiers when the message being handled was made (from the message's key data).
TShiftState KeyDataToShiftState(LPARAM keyData);
TShiftState CurrentShiftState();
// Below 0 (the high bit set) when the key or button was held as the message being handled was made;
// the modifiers and the mouse buttons are known.
std::int16_t GetKeyState(int virtualKey);
