#pragma once
// The window system on Qt: windows, the event pump, monitors, message boxes and cursors.
#include "platform/ui/qt/qt_text_engine.h"
#include "platform/ui/qt/qt_theme_painter.h"
#include "platform/ui/window_system.h"

namespace platform::ui {

class QtWindowSystem : public WindowSystem {
  public:
    std::unique_ptr<NativeWindow> CreateNativeWindow(TCustomForm& form) override;
    std::unique_ptr<NativeWindow> CreatePopupWindow(TWinControl& control, TCustomForm* owner) override;
    TextEngine& Text() override { return text_; }
    std::vector<MonitorInfo> Monitors() override;
    void PumpEvents() override;
    void WaitForEvents(std::optional<std::uint64_t> maxWaitMs) override;
    int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void ShowCursor(TCursor cursor) override;
    ThemePainter* Theme() override { return &theme_; }
    void Beep(UINT type) override;

  private:
    QtTextEngine text_;
    QtThemePainter theme_;
    bool overrideCursor_ = false;
};

}  // namespace platform::ui
