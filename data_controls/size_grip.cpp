#include "data_controls/size_grip.h"

#include <algorithm>
#include <array>

#include "data_controls/system_adapters.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/system_parameters.h"
#include "platform/ui/window_functions.h"

namespace {

// Where the control's top-left lies on the screen, and the offset from its Left/Top to it.
TPoint ScreenOrigin(const TControl& control) {
    const auto* win = dynamic_cast<const TWinControl*>(&control);
    if (control.Parent() == nullptr || (win != nullptr && win->IsTopLevelWindow()))
        return {control.Left(), control.Top()};
    return control.Parent()->ClientToScreen({control.Left(), control.Top()});
}

TRect WorkArea() {
    TRect area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

}  // namespace

TSizeGripPosition SizeGripPositionForSide(TSizeGripPosition position, int side) {
    switch (side) {
        case sgsLeft:
            return position == sgpTopRight      ? sgpTopLeft
                   : position == sgpBottomRight ? sgpBottomLeft
                                                : position;
        case sgsRight:
            return position == sgpTopLeft      ? sgpTopRight
                   : position == sgpBottomLeft ? sgpBottomRight
                                               : position;
        case sgsTop:
            return position == sgpBottomRight  ? sgpTopRight
                   : position == sgpBottomLeft ? sgpTopLeft
                                               : position;
        case sgsBottom:
            return position == sgpTopRight  ? sgpBottomRight
                   : position == sgpTopLeft ? sgpBottomLeft
                                            : position;
        default:
            return position;
    }
}

TSizeGripEh::TSizeGripEh(TComponent* AOwner) : TCustomControl(AOwner) {
    ControlStyle = ControlStyle + TControlStyle{csReplicatable, csCaptureMouse};
    SetBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYVSCROLL));
    SetColor(clBtnFace);
    SetCursor(crSizeNWSE);
}

void TSizeGripEh::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateWindowRegion();
}

void TSizeGripEh::SetPosition(TSizeGripPosition value) {
    if (value == position_)
        return;
    position_ = value;
    if (HandleAllocated())
        RecreateWnd();
    else
        UpdateWindowRegion();
}

void TSizeGripEh::SetTriangular(bool value) {
    if (value == triangular_)
        return;
    triangular_ = value;
    UpdateWindowRegion();
}

void TSizeGripEh::MoveToSide(int side) {
    SetPosition(SizeGripPositionForSide(position_, side));
}

void TSizeGripEh::ShowGrip(bool value) {
    ShowWindow(Handle(), value ? SW_SHOW : SW_HIDE);
}

void TSizeGripEh::UpdateWindowRegion() {
    if (HandleAllocated()) {
        const int w = Width(), h = Height();
        std::array<TPoint, 3> corner;
        switch (position_) {
            case sgpBottomRight:
                corner = {TPoint{0, h}, TPoint{w, h}, TPoint{w, 0}};
                break;
            case sgpBottomLeft:
                corner = {TPoint{w, h}, TPoint{0, h}, TPoint{0, 0}};
                break;
            case sgpTopLeft:
                corner = {TPoint{w - 1, 0}, TPoint{0, 0}, TPoint{0, h - 1}};
                break;
            case sgpTopRight:
                corner = {TPoint{w, h - 1}, TPoint{w, 0}, TPoint{1, 0}};
                break;
        }
        if (triangular_)
            SetWindowRgn(Handle(), CreatePolygonRegion(corner), true);
        else
            SetWindowRgn(Handle(), std::nullopt, true);
    }
    PlaceInCorner();
    SetCursor(position_ == sgpTopLeft || position_ == sgpBottomRight ? crSizeNWSE : crSizeNESW);
}

void TSizeGripEh::PlaceInCorner() {
    if (Parent() == nullptr)
        return;
    const int w = Width(), h = Height();
    const int left = AtRight() ? Parent()->ClientWidth() - w : 0;
    const int top = AtTop() ? 0 : Parent()->ClientHeight() - h;
    internalMove_ = true;
    SetBounds(left, top, w, h);
    internalMove_ = false;
}

void TSizeGripEh::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // Moved by anyone else (its parent's layout): back into the corner.
    if (!internalMove_)
        PlaceInCorner();
}

void TSizeGripEh::Paint() {
    TCanvas& canvas = *Canvas();
    const int w = Width(), h = Height();
    // Drawn for the bottom-right corner, mirrored into the others.
    auto place = [&](int x, int y) { return TPoint{AtRight() ? x : w - 1 - x, AtTop() ? h - 1 - y : y}; };
    const TColor colours[] = {clBtnHighlight, clBtnShadow, clBtnShadow, clBtnFace};
    for (int x = 1; x < w; x += 4) {
        for (int k = 0; k < 4 && x + k < w; ++k) {
            const int offset = x + k;
            canvas.Pen()->SetColor(colours[k]);
            TPoint from = place(offset, h - 1), to = place(w - 1, offset - (w - h));
            canvas.MoveTo(from.X, from.Y);
            canvas.LineTo(to.X, to.Y);
        }
    }
}

void TSizeGripEh::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Parent() == nullptr)
        return;
    startPos_ = ClientToScreen({X, Y});
    lastPos_ = startPos_;
    const TPoint origin = ScreenOrigin(*Parent());
    startBounds_ = Bounds(origin.X, origin.Y, Parent()->Width(), Parent()->Height());
    startClient_ = {Parent()->ClientWidth(), Parent()->ClientHeight()};
}

void TSizeGripEh::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!Shift.Contains(ssLeft) || GetCaptureControl() != this || Parent() == nullptr)
        return;
    const TPoint pos = ClientToScreen({X, Y});
    if (pos == lastPos_)
        return;
    lastPos_ = pos;
    DragTo(pos);
}

void TSizeGripEh::DragTo(TPoint screenPos) {
    TWinControl& parent = *Parent();
    const TRect area = WorkArea();
    const int dx = screenPos.X - startPos_.X, dy = screenPos.Y - startPos_.Y;
    const int frameW = startBounds_.Width() - startClient_.cx,
              frameH = startBounds_.Height() - startClient_.cy;
    // Never smaller than the grip itself.
    const int minW = frameW + Width(), minH = frameH + Height();
    TRect bounds = startBounds_;
    if (AtRight()) {
        bounds.Right = std::min(bounds.Left + std::max(startBounds_.Width() + dx, minW), area.Right);
    } else {
        bounds.Left = std::max(bounds.Right - std::max(startBounds_.Width() - dx, minW), area.Left);
    }
    if (AtTop()) {
        bounds.Top = std::max(bounds.Bottom - std::max(startBounds_.Height() - dy, minH), area.Top);
    } else {
        bounds.Bottom = std::min(bounds.Top + std::max(startBounds_.Height() + dy, minH), area.Bottom);
    }
    const TSize clientBefore{parent.ClientWidth(), parent.ClientHeight()};
    const TPoint origin = ScreenOrigin(parent);
    const TPoint shift{parent.Left() - origin.X, parent.Top() - origin.Y};
    parent.SetBounds(bounds.Left + shift.X, bounds.Top + shift.Y, bounds.Width(), bounds.Height());
    // A parent that keeps its height to whole rows still keeps its bottom edge when grown upwards.
    if (AtTop() && parent.Height() != bounds.Height())
        parent.SetTop(bounds.Bottom - parent.Height() + shift.Y);
    if (clientBefore != TSize{parent.ClientWidth(), parent.ClientHeight()} && OnParentResized)
        OnParentResized(this);
    PlaceInCorner();
}
