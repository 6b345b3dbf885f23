#include "platform/ui/headless.h"

#include "platform/rtl/strings.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/input.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/screen.h"
#include "platform/ui/timers.h"
#include "platform/ui/top_level.h"
#include "platform/ui/virtual_keys.h"

namespace platform::ui {

class HeadlessWindow : public NativeWindow {
  public:
    HeadlessWindow(std::shared_ptr<HeadlessWindowSystem::WindowLog> log, const TWinControl* owner)
        : log_(std::move(log)), owner_(owner) {}
    ~HeadlessWindow() override { log_->Shown.erase(owner_); }
    void SetBounds(const TRect&) override {}
    void SetVisible(bool visible) override {
        visible_ = visible;
        Record();
    }
    // An iconified window is not on the screen here: there is no task bar.
    void SetMinimized(bool minimized) override {
        minimized_ = minimized;
        Record();
    }
    void SetCaption(const std::string&) override {}
    void SetBorderless(bool) override {}
    void Present(const TRect&) override {}
    void Activate() override { ++log_->Activations; }
    void SetPointer(TCursor cursor) override { log_->Pointers.push_back(cursor); }
    void SetShape(const Region*) override {}

  private:
    void Record() { log_->Shown[owner_] = visible_ && !minimized_; }
    std::shared_ptr<HeadlessWindowSystem::WindowLog> log_;
    const TWinControl* owner_;
    bool visible_ = false;
    bool minimized_ = false;
};

namespace {

int CharWidth(const FontSpec& font) {
    return std::max(1, font.PixelHeight * 2 / 3);
}
int LineHeight(const FontSpec& font) {
    return std::max(1, font.PixelHeight * 6 / 5);
}

// The character a key types on a plain keyboard; nothing for keys that type none.
std::string TextForKey(WORD key, TShiftState shift) {
    if (shift.Contains(ssCtrl))
        return {};
    if (key >= '0' && key <= '9')
        return std::string(1, static_cast<char>(key));
    if (key >= 'A' && key <= 'Z')
        return std::string(1, static_cast<char>(shift.Contains(ssShift) ? key : key - 'A' + 'a'));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return std::string(1, static_cast<char>('0' + key - VK_NUMPAD0));
    switch (key) {
        case VK_SPACE:
            return " ";
        case VK_RETURN:
            return "\r";
        case VK_BACK:
            return "\b";
        case VK_TAB:
            return "\t";
        case VK_ESCAPE:
            return "\x1b";
        default:
            return {};
    }
}

}  // namespace

TSize HeadlessTextEngine::Measure(const FontSpec& font, std::string_view text) {
    return {static_cast<int>(Utf8ToUtf32(text).size()) * CharWidth(font), LineHeight(font)};
}

void HeadlessTextEngine::Draw(RasterImage& image, const FontSpec& font, std::uint32_t argb, const TRect& clip,
                              int x, int y, std::string_view text) {
    Drawn.push_back({std::string(text), font, argb, {x, y}});
    int w = CharWidth(font), h = LineHeight(font);
    std::u32string chars = Utf8ToUtf32(text);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == U' ')
            continue;
        int left = static_cast<int>(i) * w;
        if (font.Escapement == 900)  // upward from (x, y): the box turned, its top to the left
            image.Fill({x + h - font.PixelHeight, y - left - w + 1, x + h, y - left - 1}, argb, clip);
        else
            image.Fill({x + left + 1, y + h - font.PixelHeight, x + left + w - 1, y + h}, argb, clip);
    }
}

HeadlessWindowSystem::HeadlessWindowSystem() {
    SetWorkAreas({Rect(0, 0, 1280, 1024)});
}

std::unique_ptr<NativeWindow> HeadlessWindowSystem::CreateNativeWindow(TCustomForm& form) {
    return std::make_unique<HeadlessWindow>(windows_, &form);
}

std::unique_ptr<NativeWindow> HeadlessWindowSystem::CreatePopupWindow(TWinControl& control, TCustomForm*) {
    return std::make_unique<HeadlessWindow>(windows_, &control);
}

bool HeadlessWindowSystem::WindowShown(const TWinControl& window) const {
    auto it = windows_->Shown.find(&window);
    return it != windows_->Shown.end() && it->second;
}

void HeadlessWindowSystem::WaitForEvents(std::optional<std::uint64_t> maxWaitMs) {
    if (!maxWaitMs)
        throw EInvalidOperation("The headless message loop has nothing to wait for");
    platform::CurrentClock().SleepMillis(static_cast<unsigned>(*maxWaitMs));
}

int HeadlessWindowSystem::ShowMessageBox(const std::string& text, const std::string& caption,
                                         unsigned flags) {
    boxes_.push_back({text, caption, flags});
    return MessageBoxAnswer;
}

void HeadlessWindowSystem::SetWorkAreas(const std::vector<TRect>& workAreas) {
    monitors_.clear();
    for (std::size_t i = 0; i < workAreas.size(); ++i)
        monitors_.push_back({workAreas[i], workAreas[i], i == 0});
}

HeadlessSession::HeadlessSession() : scopedClock_(clock_), previous_(&CurrentWindowSystem()) {
    SetWindowSystem(&system_);
    ResetMessageQueue();
}

HeadlessSession::~HeadlessSession() {
    FreePendingComponents();
    Application->DestroyForms();
    Application->OnException = nullptr;
    ResetMessageQueue();
    SetCaptureControl(nullptr);
    SetWindowSystem(previous_);
}

TCustomForm* HeadlessSession::TargetForm() const {
    if (TCustomForm* active = Screen->ActiveForm())
        return active;
    if (TCustomForm* main = Application->MainForm())
        return main;
    throw EInvalidOperation("No form takes the input");
}

void HeadlessSession::KeyDown(WORD key, TShiftState shift, const std::string& text) {
    PostKeyDown(*TargetForm(), key, shift, text);
}

void HeadlessSession::KeyUp(WORD key, TShiftState shift) {
    PostKeyUp(*TargetForm(), key, shift);
}

void HeadlessSession::PressKey(WORD key, TShiftState shift) {
    KeyDown(key, shift, TextForKey(key, shift));
    KeyUp(key, shift);
    ProcessMessages();
}

void HeadlessSession::TypeText(const std::string& utf8) {
    for (char32_t ch : Utf8ToUtf32(utf8)) {
        bool shifted = false;
        WORD key = VirtualKeyForChar(ch, &shifted);
        TShiftState shift = shifted ? TShiftState{ssShift} : TShiftState{};
        KeyDown(key, shift, Utf32ToUtf8(std::u32string(1, ch)));
        KeyUp(key, shift);
    }
    ProcessMessages();
}

void HeadlessSession::Click(TControl* control) {
    ClickAt(control, {control->Width() / 2, control->Height() / 2});
}

void HeadlessSession::ClickAt(TControl* control, TPoint pos) {
    ClickAt(control, pos, mbLeft);
}

void HeadlessSession::ClickAt(TControl* control, TPoint pos, TMouseButton button) {
    // The click lands on the window the control shows in: its form, or the pop-up it lies on.
    TWinControl* window = TopLevelOf(control);
    if (window == nullptr || control->ParentForm() == nullptr)
        throw EInvalidOperation("The control is not on a form");
    TPoint o = control->FormOrigin();
    TPoint at{o.X + pos.X, o.Y + pos.Y};
    PostMouseDown(*window, button, {}, at);
    PostMouseUp(*window, button, {}, at);
    ProcessMessages();
}

void HeadlessSession::CommitText(const std::string& utf8) {
    PostInputMethodText(*TargetForm(), utf8);
    ProcessMessages();
}

void HeadlessSession::Advance(std::int64_t ms) {
    std::uint64_t end = clock_.TickMillis() + static_cast<std::uint64_t>(std::max<std::int64_t>(ms, 0));
    // Step from one timer's due time to the next, so every tick inside the span fires.
    for (;;) {
        auto wait = MillisUntilNextTimer();
        std::uint64_t now = clock_.TickMillis();
        if (!wait || now + *wait > end)
            break;
        clock_.Advance(static_cast<std::int64_t>(*wait));
        ProcessMessages();
    }
    clock_.Advance(static_cast<std::int64_t>(end - clock_.TickMillis()));
    ProcessMessages();
}

void HeadlessSession::ProcessMessages() {
    Application->ProcessMessages();
}

}  // namespace platform::ui
