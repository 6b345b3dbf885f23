#include <algorithm>

#include "platform/ui/control_canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/win_control.h"
#include "platform/ui/window_canvas.h"
#include "platform/ui/window_scroll_bars.h"

using platform::ui::Region;

namespace {
void SubtractArea(Region& from, const Region& covered) {
    for (const TRect& r : covered.Rects()) from.Subtract(r);
}
}  // namespace

Region TWinControl::VisibleArea() const {
    if (!IsShowing())
        return {};
    Region area = CoveredArea();
    if (parent_ == nullptr || topLevel_)
        return area;
    area.Intersect(parent_->VisibleArea());
    // Windowed siblings above this one cover it.
    auto& siblings = parent_->controls_;
    auto self = std::find(siblings.begin(), siblings.end(), this);
    for (auto it = self == siblings.end() ? siblings.end() : self + 1; it != siblings.end(); ++it) {
        auto* w = dynamic_cast<TWinControl*>(*it);
        if (!ShowsInParent(w))
            continue;
        SubtractArea(area, w->CoveredArea());
    }
    return area;
}

Region TWinControl::OwnPaintArea() const {
    Region area = VisibleArea();
    TPoint o = FormOrigin();
    area.Intersect(OffsetRect(ClientRect(), o.X, o.Y));
    for (TControl* child : controls_) {
        auto* w = dynamic_cast<TWinControl*>(child);
        if (!ShowsInParent(w))
            continue;
        SubtractArea(area, w->CoveredArea());
    }
    return area;
}

TRect TWinControl::WindowArea() const {
    TPoint o = FormOrigin();
    return Bounds(o.X - frame_.Left, o.Y - frame_.Top, Width(), Height());
}

Region TWinControl::CoveredArea() const {
    TRect window = WindowArea();
    Region area(window);
    if (windowRegion_) {
        Region shape = *windowRegion_;
        shape.Offset(window.Left, window.Top);
        area.Intersect(shape);
    }
    return area;
}

void TWinControl::PaintTree(const Region& clip) {
    if (!IsShowing())
        return;
    if (frame_ != TRect{}) {
        // The frame: what shows of the window outside its client area.
        Region frame = VisibleArea();
        TPoint o = FormOrigin();
        frame.Subtract(OffsetRect(ClientRect(), o.X, o.Y));
        frame.Intersect(clip);
        if (!frame.Empty()) {
            platform::ui::PaintClipScope scope(frame);
            Perform(WM_NCPAINT, 1, 0);
        }
    }
    Region own = OwnPaintArea();
    own.Intersect(clip);
    if (!own.Empty()) {
        platform::ui::PaintClipScope scope(own);
        platform::ui::ControlCanvasTarget target(*this);
        TCanvas canvas(&target);
        PaintWindow(canvas);
        for (TControl* child : std::vector<TControl*>(controls_)) {
            if (dynamic_cast<TWinControl*>(child) != nullptr || !child->Visible())
                continue;
            Region area = platform::ui::PaintArea(*child);
            area.Intersect(own);
            if (area.Empty())
                continue;
            platform::ui::PaintClipScope childScope(area);
            child->Perform(WM_PAINT);
        }
    }
    for (TControl* child : std::vector<TControl*>(controls_))
        if (ShowsInParent(child))
            static_cast<TWinControl*>(child)->PaintTree(clip);
}

void TWinControl::WMNCPaint(TMessage& Message) {
    (void)Message;
    platform::ui::WindowCanvasTarget target(*this);
    TCanvas canvas(&target);
    platform::ui::DrawStyleFrame(canvas, Bounds(0, 0, Width(), Height()), params_.Style, params_.ExStyle);
    if (scrollBars_)
        scrollBars_->Paint(canvas);
}

bool TWinControl::ShowsInParent(const TControl* child) {
    auto* w = dynamic_cast<const TWinControl*>(child);
    return w != nullptr && w->windowVisible_ && !w->topLevel_;
}

void TWinControl::PaintWindow(TCanvas& canvas) {
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
}
