#include "data_controls/tree_lines.h"

#include <cmath>
#include <vector>

#include "platform/ui/colors.h"
#include "platform/ui/dc_drawing.h"

void DrawDottedLine(TCanvas& canvas, TPoint start, int length, int phase, bool horizontal) {
    const int step = 2 * std::max(canvas.Pen()->Width(), 1);
    if (phase != (start.X + start.Y) % 2) {
        (horizontal ? start.X : start.Y) += 1;
        length -= 1;
    }
    if (length <= 0)
        return;
    const int dots = length / step + (length % 2 != 0 ? 1 : 0);
    std::vector<TPoint> points;
    std::vector<DWORD> counts;
    for (int i = 0; i < dots; ++i) {
        const TPoint dot =
            horizontal ? TPoint{start.X + i * step, start.Y} : TPoint{start.X, start.Y + i * step};
        points.push_back(dot);
        points.push_back(TPoint{dot.X + 1, dot.Y});
        counts.push_back(2);
    }
    PolyPolyline(canvas.Handle(), points.data(), counts.data(), static_cast<DWORD>(counts.size()));
}

namespace {

void VerticalDots(TCanvas& canvas, int x, int top, int bottom, int phase) {
    DrawDottedLine(canvas, {x, top}, bottom - top, phase, false);
}

void HorizontalDots(TCanvas& canvas, int y, int left, int right, int phase) {
    DrawDottedLine(canvas, {left, y}, right - left, phase, true);
}

}  // namespace

void DrawTreeNodeGlyph(TCanvas& canvas, const TRect& rect, int kind, double scaleY, double scaleX,
                       int phase) {
    const int sx = static_cast<int>(std::lround(scaleX)), sy = static_cast<int>(std::lround(scaleY));
    const TPoint c{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
    canvas.Pen()->SetColor(clBtnShadow);
    canvas.Pen()->SetStyle(psSolid);
    if (kind >= 6) {
        if (kind == 6 || kind == 9)
            VerticalDots(canvas, c.X, rect.Top, rect.Bottom, phase);
        if (kind >= 6 && kind <= 8)
            HorizontalDots(canvas, c.Y, c.X, rect.Right, phase);
        if (kind == 8)
            VerticalDots(canvas, c.X, c.Y, rect.Bottom, phase);
        if (kind == 7)
            VerticalDots(canvas, c.X, rect.Top, c.Y, phase);
        return;
    }
    const TRect box = Rect(c.X - 4 * sx, c.Y - 4 * sy, c.X + 4 * sx + 1, c.Y + 4 * sy + 1);
    canvas.Brush()->SetColor(clWindow);
    canvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
    canvas.Pen()->SetColor(clWindowText);
    canvas.MoveTo(box.Left + 2 * sx, c.Y);
    canvas.LineTo(box.Right - 2 * sx, c.Y);
    if (kind >= 3) {
        canvas.MoveTo(c.X, box.Top + 2 * sy);
        canvas.LineTo(c.X, box.Bottom - 2 * sy);
    }
    canvas.Pen()->SetColor(clBtnShadow);
    HorizontalDots(canvas, c.Y, box.Right - 1 + sx, rect.Right, phase);
    if (kind == 0 || kind == 1 || kind == 3 || kind == 4)
        VerticalDots(canvas, c.X, rect.Top, box.Top, phase);
    if (kind == 0 || kind == 2 || kind == 3 || kind == 5)
        VerticalDots(canvas, c.X, box.Bottom - 1 + sy, rect.Bottom, phase);
}
