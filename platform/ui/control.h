#pragma once
// TControl: a visible element in the parent/child tree. Messages reach it through WindowProc
// (WndProc by default) -> WndProc -> Dispatch (a switch per class over the messages it handles,
// each class passing the rest to its base) -> DefaultHandler.
#include <memory>
#include <string>

#include "platform/rtl/component.h"
#include "platform/ui/colors.h"
#include "platform/ui/cursors.h"
#include "platform/ui/events.h"
#include "platform/ui/font.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/set.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csClickEvents,
    csOpaque,
    csSetCaption,
    csDoubleClicks,
    csNoStdEvents,
    csFramed,
    csFixedWidth,
    csFixedHeight,
    csReplicatable,  // may be painted as a copy (csPaintCopy) in another control's rows
    csNoDesignVisible,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

// What a control is doing: pressed by the left button, clicked, taking the focus, making its window,
// painted as a copy (a grid painting a control in each row), letting its window go.
enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csAlignmentNeeded
};
using TControlState = TSet<TControlStateItem>;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    std::string ClassName() const override { return "TControl"; }

    // Messages.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    // The control's own window procedure, as WindowProc starts out: whoever hooked WindowProc
    // puts this back to let go.
    TWndMethod OwnWindowProc();
    // Whether WindowProc is still the control's own, so that nobody has hooked it.
    bool HasOwnWindowProc() const;
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

    // Place and size, relative to the parent's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // The control's client origin in its form's client coordinates.
    TPoint FormOrigin() const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value) { anchors_ = value; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);
    TComponent* GetParentComponent() const override;
    TCustomForm* ParentForm() const;  // the form holding the control (itself for a form)

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible along with every parent up to a shown form.
    bool IsShowing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont& font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    // Caption and Text are one text (the window text), as on the platform.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& value);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    std::string Hint;
    bool ShowHint = false;
    TControlStyle ControlStyle;
    TControlState ControlState;
    // Shown on WM_CONTEXTMENU (a right click, the context-menu key) unless OnContextPopup handles it.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* value);
    TContextPopupEvent OnContextPopup;

    void Invalidate();
    void Update();   // paints what is invalid in the control's window now
    void Repaint();  // Invalidate + Update
    void Refresh() { Repaint(); }
    void BringToFront();
    // Scales place, size and (unless it follows its parent's) font by M / D, children with it.
    void ScaleBy(int M, int D);

    // Right-to-left reading and alignment; ParentBiDiMode follows the parent's.
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool value);
    bool IsRightToLeft() const { return biDiMode_ != bdLeftToRight; }
    bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }
    bool UseRightToLeftScrollBar() const {
        return biDiMode_ == bdRightToLeft || biDiMode_ == bdRightToLeftNoAlign;
    }
    void SendToBack();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

    virtual void Click();
    // Serves an action offered to the control (TBasicAction::Execute / Update): true when served. By
    // default an action that handles this control as its target works on it.
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);
    void Notification(TComponent* AComponent, TOperation Operation) override;

  protected:
    virtual std::string GetText() const { return text_; }
    // Where SetText lands; controls that keep their text in another shape (masked edits) convert it.
    virtual void SetTextBuf(const std::string& value);
    virtual void TextChanged() {}
    virtual void Resize();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // The wheel turned over the focused control; true when handled, else the parent is asked.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    // The menu a right click shows: PopupMenu by default.
    virtual TPopupMenu* GetPopupMenu() const { return popupMenu_; }
    // Adjusts the size to the content (labels); called when text or font change.
    virtual void AdjustSize() {}
    virtual void FontChanged();
    // Scales the control by M / D (ScaleBy); a windowed control scales its children too.
    virtual void ChangeScale(int M, int D);
    // Size rules: a control may refuse or correct a new size.
    virtual bool CanResize(int& NewWidth, int& NewHeight) {
        (void)NewWidth;
        (void)NewHeight;
        return true;
    }
    void RequestAlign();
    // Sets the flag alone, for controls that start hidden (forms).
    void InitVisible(bool value) { visible_ = value; }
    // Takes the parent's font and colour when following them.
    void SyncWithParent();

    std::string text_;

  private:
    friend class TWinControl;
    void HandleMouseMessage(TMessage& Message);
    void CMMouseWheel(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void CancelMode();
    void InvalidateArea();
    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    bool visible_ = true;
    bool enabled_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool updatingParentFont_ = false;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TCursor cursor_ = crDefault;
    TPopupMenu* popupMenu_ = nullptr;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
    bool clicked_ = false;
};
