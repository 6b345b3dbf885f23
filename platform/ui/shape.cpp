#include "platform/ui/shape.h"

#include <algorithm>
#include <cmath>

namespace {

// The span [left, right) that a box with corners rounded by radii (rx, ry) covers on row y.
struct Span {
    int Left = 0;
    int Right = 0;
    bool Empty() const { return Right <= Left; }
};

Span RowOf(const TRect& box, int rx, int ry, int y) {
    if (box.IsEmpty() || y < box.Top || y >= box.Bottom)
        return {};
    double centreY = y + 0.5;
    double inset = 0;
    double fromTop = centreY - box.Top, fromBottom = box.Bottom - centreY;
    double corner = std::min(fromTop, fromBottom);
    if (ry > 0 && corner < ry) {
        double dy = (ry - corner) / ry;
        inset = rx * (1 - std::sqrt(std::max(0.0, 1 - dy * dy)));
    }
    auto cut = static_cast<int>(std::lround(inset));
    return {box.Left + cut, box.Right - cut};
}

}  // namespace

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
    SetBounds(0, 0, 65, 65);
    brush_->SetColor(clWhite);
    pen_->OnChange = [this](TObject*) { Invalidate(); };
    brush_->OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::SetShape(TShapeType value) {
    if (value == shape_)
        return;
    shape_ = value;
    Invalidate();
}

TRect TShape::ShapeRect() const {
    TRect r = ClientRect();
    if (shape_ != stSquare && shape_ != stRoundSquare && shape_ != stCircle)
        return r;
    int side = std::min(r.Width(), r.Height());
    int left = (r.Width() - side) / 2, top = (r.Height() - side) / 2;
    return {left, top, left + side, top + side};
}

void TShape::Paint() {
    TCanvas& canvas = *Canvas();
    TRect outer = ShapeRect();
    int rx = 0, ry = 0;
    if (shape_ == stEllipse || shape_ == stCircle)
        rx = outer.Width() / 2, ry = outer.Height() / 2;
    else if (shape_ == stRoundRect || shape_ == stRoundSquare)
        rx = ry = std::min(outer.Width(), outer.Height()) / 4;
    int penWidth = pen_->Style() == psClear ? 0 : std::max(pen_->Width(), 1);
    TRect inner{outer.Left + penWidth, outer.Top + penWidth, outer.Right - penWidth, outer.Bottom - penWidth};
    int irx = std::max(rx - penWidth, 0), iry = std::max(ry - penWidth, 0);
    for (int y = outer.Top; y < outer.Bottom; ++y) {
        Span out = RowOf(outer, rx, ry, y);
        Span in = rx > 0 ? RowOf(inner, irx, iry, y) : RowOf(inner, 0, 0, y);
        if (out.Empty())
            continue;
        if (brush_->Style() != bsClear && !in.Empty()) {
            canvas.Brush()->Assign(*brush_);
            canvas.FillRect({in.Left, y, in.Right, y + 1});
        }
        if (penWidth == 0)
            continue;
        // The outline: what the outer shape covers beyond the inner one.
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(pen_->Color());
        if (in.Empty()) {
            canvas.FillRect({out.Left, y, out.Right, y + 1});
            continue;
        }
        canvas.FillRect({out.Left, y, std::max(in.Left, out.Left + 1), y + 1});
        canvas.FillRect({std::min(in.Right, out.Right - 1), y, out.Right, y + 1});
    }
}
