#pragma once
// TSizeGripEh: the small triangular grip in a corner of a drop-down. Dragging it resizes its parent
// within the work area; it stands in the corner away from the drop-down's owner.
#include <functional>

#include "platform/ui/custom_control.h"

enum TSizeGripPosition { sgpTopLeft, sgpTopRight, sgpBottomRight, sgpBottomLeft };
// The side of its parent a grip is sent to.
enum TSizeGripSide { sgsLeft, sgsRight, sgsTop, sgsBottom };

class TSizeGripEh : public TCustomControl {
  public:
    explicit TSizeGripEh(TComponent* AOwner);
    std::string ClassName() const override { return "TSizeGripEh"; }

    TSizeGripPosition Position() const { return position_; }
    // Makes the window anew in the new corner.
    void SetPosition(TSizeGripPosition value);
    bool Triangular() const { return triangular_; }
    void SetTriangular(bool value);
    // Moves the grip into its corner of the parent's client area.
    void PlaceInCorner();
    // The corner on that side nearest the one it is in (side: TSizeGripSide).
    void MoveToSide(int side);
    void ShowGrip(bool value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    std::function<void(TObject* Sender)> OnParentResized;

  protected:
    void CreateWnd() override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

  private:
    bool AtRight() const { return position_ == sgpTopRight || position_ == sgpBottomRight; }
    bool AtTop() const { return position_ == sgpTopLeft || position_ == sgpTopRight; }
    void UpdateWindowRegion();
    // Lays out the parent for the pointer at this screen point.
    void DragTo(TPoint screenPos);
    TSizeGripPosition position_ = sgpBottomRight;
    bool triangular_ = true;
    bool internalMove_ = false;
    TPoint startPos_;
    TRect startBounds_;  // the parent's, in screen coordinates
    TSize startClient_;
    TPoint lastPos_;
};

// The corner a grip goes to when sent to a side of its parent.
TSizeGripPosition SizeGripPositionForSide(TSizeGripPosition position, int side);
