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

TCustomForm* TScreen::ActiveForm() const {
    return platform::ui::ActiveForm();
}
TWinControl* TScreen::ActiveControl() const {
    return platform::ui::FocusHolder();
}
