#include <algorithm>

#include "platform/ui/control_canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/win_control.h"

using platform::ui::Region;

Region TWinControl::VisibleArea() const {
    if (!IsShowing())
        return {};
    TPoint o = FormOrigin();
    Region area(Bounds(o.X, o.Y, Width(), Height()));
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
        TPoint so = w->FormOrigin();
        area.Subtract(Bounds(so.X, so.Y, w->Width(), w->Height()));
    }
    return area;
}

Region TWinControl::OwnPaintArea() const {
    Region area = VisibleArea();
    for (TControl* child : controls_) {
        auto* w = dynamic_cast<TWinControl*>(child);
        if (!ShowsInParent(w))
            continue;
        TPoint o = w->FormOrigin();
        area.Subtract(Bounds(o.X, o.Y, w->Width(), w->Height()));
    }
    return area;
}

void TWinControl::PaintTree(const Region& clip) {
    if (!IsShowing())
        return;
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

bool TWinControl::ShowsInParent(const TControl* child) {
    auto* w = dynamic_cast<const TWinControl*>(child);
    return w != nullptr && w->windowVisible_ && !w->topLevel_;
}

void TWinControl::PaintWindow(TCanvas& canvas) {
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
}
