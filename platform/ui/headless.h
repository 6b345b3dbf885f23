#pragma once
// The headless host: no display, fixed font metrics, monitors set by hand, message boxes recorded.
// HeadlessSession sets it up for a test with a ManualClock and drives input, time and the loop.
//
// Fixed metrics: a font of em height E pixels (E = size * 96 / 72, rounded) has every character
// E * 2 / 3 pixels wide and lines E * 6 / 5 pixels high; text is drawn as a filled box per
// character (blanks stay empty), so tests can see where text went.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/os/clock.h"
#include "platform/ui/shift_state.h"
#include "platform/ui/window_system.h"

class TControl;
class TCustomForm;

namespace platform::ui {

class HeadlessTextEngine : public TextEngine {
  public:
    struct DrawnText {
        std::string Text;
        FontSpec Font;
        std::uint32_t Argb = 0;
        TPoint At;  // image coordinates
    };
    TSize Measure(const FontSpec& font, std::string_view text) override;
    void Draw(RasterImage& image, const FontSpec& font, std::uint32_t argb, const TRect& clip, int x, int y,
              std::string_view text) override;
    std::string ResolveFamily(const std::string& name) override { return name; }
    std::vector<DrawnText> Drawn;
};

class HeadlessWindowSystem : public WindowSystem {
  public:
    struct MessageBoxShown {
        std::string Text;
        std::string Caption;
        unsigned Flags = 0;
    };
    HeadlessWindowSystem();
    std::unique_ptr<NativeWindow> CreateNativeWindow(TCustomForm& form) override;
    std::unique_ptr<NativeWindow> CreatePopupWindow(TWinControl& control, TCustomForm* owner) override;
    TextEngine& Text() override { return text_; }
    std::vector<MonitorInfo> Monitors() override { return monitors_; }
    void PumpEvents() override {}
    // Lets the clock run to the next timer (a ManualClock moves at once).
    void WaitForEvents(std::optional<std::uint64_t> maxWaitMs) override;
    int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void ShowCursor(TCursor cursor) override { cursors_.push_back(cursor); }

    // One monitor per work area (bounds equal to the work area unless given); the first is primary.
    void SetMonitors(std::vector<MonitorInfo> monitors) { monitors_ = std::move(monitors); }
    void SetWorkAreas(const std::vector<TRect>& workAreas);
    HeadlessTextEngine& TextLog() { return text_; }
    const std::vector<MessageBoxShown>& MessageBoxes() const { return boxes_; }
    const std::vector<TCursor>& CursorsShown() const { return cursors_; }
    void Beep(UINT type) override { beeps_.push_back(type); }
    const std::vector<UINT>& Beeps() const { return beeps_; }
    // A palette display of this many colours (256, 16 ...); -1, as at first, for true colour.
    int ScreenNumColors() override { return numColors_; }
    void SetScreenNumColors(int value) { numColors_ = value; }
    // True colour unless a test maps colours to others, as a display of few colours would.
    std::uint32_t NearestColor(std::uint32_t rgb) override {
        return NearestColorMap ? NearestColorMap(rgb) : rgb;
    }
    std::function<std::uint32_t(std::uint32_t)> NearestColorMap;
    // What the host windows were told: pointer shapes (WM_SETCURSOR) and activations, in order.
    const std::vector<TCursor>& PointerShapes() const { return windows_->Pointers; }
    int Activations() const { return windows_->Activations; }
    // Whether the host window of a form or pop-up is on the screen (made, visible, not iconified).
    bool WindowShown(const TWinControl& window) const;
    int MessageBoxAnswer = 1;  // IDOK

  private:
    HeadlessTextEngine text_;
    std::vector<MonitorInfo> monitors_;
    std::vector<MessageBoxShown> boxes_;
    std::vector<TCursor> cursors_;
    std::vector<UINT> beeps_;
    int numColors_ = -1;
    struct WindowLog {
        std::vector<TCursor> Pointers;
        int Activations = 0;
        std::map<const TWinControl*, bool> Shown;
    };
    std::shared_ptr<WindowLog> windows_ = std::make_shared<WindowLog>();
    friend class HeadlessWindow;
};

// Installs the headless host and a ManualClock for its lifetime; on the way out frees every form,
// empties the queue and the window timers (a TTimer stops with its owner) and puts the previous
// host and clock back.
class HeadlessSession {
  public:
    HeadlessSession();
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    platform::ManualClock& Clock() { return clock_; }
    HeadlessWindowSystem& System() { return system_; }

    // Keys go to the focused control of the active form (or form), through the queue.
    void TypeText(const std::string& utf8);           // each character: key down, char, key up
    void PressKey(WORD key, TShiftState shift = {});  // key down (with its character) + key up
    void KeyDown(WORD key, TShiftState shift = {}, const std::string& text = "");
    void KeyUp(WORD key, TShiftState shift = {});
    // Left button down and up at the centre of control (or at a point of its client area).
    void Click(TControl* control);
    void ClickAt(TControl* control, TPoint pos);
    void ClickAt(TControl* control, TPoint pos, TMouseButton button);
    // Text an input method commits (composed or picked): WM_CHAR per character to the focused control.
    void CommitText(const std::string& utf8);
    // Moves the clock and lets the loop fire what came due (one tick per timer per call).
    void Advance(std::int64_t ms);
    void ProcessMessages();

    TCustomForm* TargetForm() const;

  private:
    platform::ManualClock clock_;
    HeadlessWindowSystem system_;
    platform::ScopedClock scopedClock_;
    WindowSystem* previous_ = nullptr;
};

}  // namespace platform::ui
