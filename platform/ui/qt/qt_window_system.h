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
    // The desktop's colours changed since the last look: the windows are told (WM_SYSCOLORCHANGE).
    void NoticePaletteChange();
    QtTextEngine text_;
    QtThemePainter theme_;
    bool overrideCursor_ = false;
    long long paletteKey_ = 0;  // 0: not looked at yet
};

}  // namespace platform::ui
