#pragma once
// TPopupDataGridEh: the lookup grid as a drop-down window. A top-level tool window that never takes
// the focus or activates, with a raised border and a triangular size grip; it chooses the row under
// the pointer while no button is held, tells its owner when the user changed the key and asks it to
// close when a mouse button is released.
#include <functional>
#include <string>

#include "data_controls/size_grip.h"
#include "data_grid/lookup_grid.h"

using TListCloseUpEventEh = std::function<void(TObject* Sender, bool Accept)>;

class TPopupDataGridEh : public TDBLookupGridEh {
  public:
    explicit TPopupDataGridEh(TComponent* AOwner);
    ~TPopupDataGridEh() override;
    std::string ClassName() const override { return "TPopupDataGridEh"; }

    bool CanFocus() const override { return false; }
    // nullptr once the grid is being freed (owned components go first).
    TSizeGripEh* SizeGrip() const { return ComponentState().Contains(csDestroying) ? nullptr : sizeGrip_; }
    // Set by every resize; the owner resets it when it shows the drop-down and reads it on close.
    bool SizeGripResized() const { return sizeGripResized_; }
    void SetSizeGripResized(bool Value) { sizeGripResized_ = Value; }
    // Never smaller than the scroll bars' size.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void RefreshSpecRowState() override;
    void PaintBorder3D(TRect ARect, TGridDrawState AState) override;

    TNotifyEvent OnKeyChangedByUser;
    TListCloseUpEventEh OnListCloseUp;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  private:
    void HoldMinimumSize(int& AWidth, int& AHeight) const;
    void Ctl3DChanged(TMessage& Message);
    void NCCalcSize(TMessage& Message);
    void WindowResized(TMessage& Message);
    bool ClosesOnRelease(int X, int Y);
    int PopupInset() const { return Ctl3D() ? 1 : 0; }

    TSizeGripEh* sizeGrip_ = nullptr;
    bool userChange_ = false;
    bool keySelection_ = false;
    bool sizeGripResized_ = false;
};
