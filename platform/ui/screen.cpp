#include "platform/ui/screen.h"

#include "platform/ui/focus_state.h"
#include "platform/ui/window_system.h"

namespace {
TScreen g_screen;
}

TScreen* Screen = &g_screen;

TScreen::TScreen() : TComponent(nullptr) {}

void TScreen::Refresh() {
    auto infos = platform::ui::CurrentWindowSystem().Monitors();
    monitors_.clear();
    for (std::size_t i = 0; i < infos.size(); ++i) {
        TMonitor m;
        m.MonitorNum = static_cast<int>(i);
        m.Primary = infos[i].Primary;
        m.BoundsRect = infos[i].Bounds;
        m.WorkareaRect = infos[i].WorkArea;
        monitors_.push_back(m);
    }
}

int TScreen::MonitorCount() {
    Refresh();
    return static_cast<int>(monitors_.size());
}

TMonitor* TScreen::Monitors(int index) {
    Refresh();
    if (index < 0 || index >= static_cast<int>(monitors_.size()))
        return nullptr;
    return &monitors_[static_cast<std::size_t>(index)];
}

namespace {
const TMonitor* Primary(const std::vector<TMonitor>& monitors) {
    for (const auto& m : monitors)
        if (m.Primary)
            return &m;
    return monitors.empty() ? nullptr : &monitors.front();
}
}  // namespace

int TScreen::Width() {
    Refresh();
    const TMonitor* m = Primary(monitors_);
    return m != nullptr ? m->Width() : 0;
}

int TScreen::Height() {
    Refresh();
    const TMonitor* m = Primary(monitors_);
    return m != nullptr ? m->Height() : 0;
}

TRect TScreen::WorkAreaRect() {
    Refresh();
    const TMonitor* m = Primary(monitors_);
    return m != nullptr ? m->WorkareaRect : TRect{};
}

TCustomForm* TScreen::ActiveForm() const {
    return platform::ui::ActiveForm();
}
TWinControl* TScreen::ActiveControl() const {
    return platform::ui::FocusHolder();
}
