#include "platform/ui/screen.h"

#include <limits>

#include "platform/ui/focus_state.h"
#include "platform/ui/window_system.h"

namespace {
TScreen g_screen;

long long Area(const TRect& r) {
    return r.IsEmpty() ? 0 : static_cast<long long>(r.Width()) * r.Height();
}

// Squared distance between two rectangles (0 when they touch or overlap).
long long Distance(const TRect& a, const TRect& b) {
    const long long dx = std::max({0, b.Left - a.Right, a.Left - b.Right});
    const long long dy = std::max({0, b.Top - a.Bottom, a.Top - b.Bottom});
    return dx * dx + dy * dy;
}
}  // namespace

TScreen* Screen = &g_screen;

TScreen::TScreen() : TComponent(nullptr) {}

void TScreen::Refresh() {
    auto infos = platform::ui::CurrentWindowSystem().Monitors();
    while (monitors_.size() < infos.size()) monitors_.push_back(std::make_unique<TMonitor>());
    count_ = infos.size();
    for (std::size_t i = 0; i < count_; ++i) {
        TMonitor& m = *monitors_[i];
        m.MonitorNum = static_cast<int>(i);
        m.Primary = infos[i].Primary;
        m.BoundsRect = infos[i].Bounds;
        m.WorkareaRect = infos[i].WorkArea;
    }
}

int TScreen::MonitorCount() {
    Refresh();
    return static_cast<int>(count_);
}

TMonitor* TScreen::Monitors(int index) {
    Refresh();
    if (index < 0 || static_cast<std::size_t>(index) >= count_)
        return nullptr;
    return monitors_[static_cast<std::size_t>(index)].get();
}

const TMonitor* TScreen::Primary() const {
    for (std::size_t i = 0; i < count_; ++i)
        if (monitors_[i]->Primary)
            return monitors_[i].get();
    return count_ > 0 ? monitors_.front().get() : nullptr;
}

int TScreen::Width() {
    Refresh();
    const TMonitor* m = Primary();
    return m != nullptr ? m->Width() : 0;
}

int TScreen::Height() {
    Refresh();
    const TMonitor* m = Primary();
    return m != nullptr ? m->Height() : 0;
}

TRect TScreen::WorkAreaRect() {
    Refresh();
    const TMonitor* m = Primary();
    return m != nullptr ? m->WorkareaRect : TRect{};
}

TMonitor* TScreen::MonitorFromRect(const TRect& rect, TMonitorDefaultTo how) {
    Refresh();
    TMonitor* best = nullptr;
    long long bestArea = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        const long long area = Area(IntersectRect(rect, monitors_[i]->BoundsRect));
        if (area > bestArea)
            best = monitors_[i].get(), bestArea = area;
    }
    if (best != nullptr || how == mdNull)
        return best;
    if (how == mdPrimary)
        return const_cast<TMonitor*>(Primary());
    long long nearest = std::numeric_limits<long long>::max();
    for (std::size_t i = 0; i < count_; ++i) {
        const long long distance = Distance(rect, monitors_[i]->BoundsRect);
        if (distance < nearest)
            best = monitors_[i].get(), nearest = distance;
    }
    return best;
}

TMonitor* TScreen::MonitorFromPoint(TPoint point, TMonitorDefaultTo how) {
    return MonitorFromRect(Bounds(point.X, point.Y, 1, 1), how);
}

TCustomForm* TScreen::ActiveForm() const {
    return platform::ui::ActiveForm();
}
TWinControl* TScreen::ActiveControl() const {
    return platform::ui::FocusHolder();
}
