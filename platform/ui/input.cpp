#include "platform/ui/input.h"

#include <cstdlib>

#include "platform/os/clock.h"
#include "platform/rtl/strings.h"
#include "platform/ui/form.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_styles.h"

namespace platform::ui {
namespace {

void PostToFocus(TCustomForm& form, UINT msg, WPARAM wParam, LPARAM lParam, TShiftState shift,
                 std::u32string text) {
    QueuedMessage m;
    m.Msg = TMsg{form.Handle(), msg, wParam, lParam, 0, {}};
    m.Shift = shift;
    m.Text = std::move(text);
    m.ToFocus = true;
    PostQueued(std::move(m));
}

bool IsSysKey(WORD key, TShiftState shift) {
    return (shift.Contains(ssAlt) && !shift.Contains(ssCtrl)) || key == VK_MENU || key == VK_F10;
}

LPARAM KeyData(TShiftState shift, bool up) {
    LPARAM data = 1;
    if (shift.Contains(ssAlt))
        data |= KF_ALTDOWN_BIT;
    if (up)
        data |= LPARAM{3} << 30;
    return data;
}

TPoint& LastPointerPos() {
    static TPoint pos;
    return pos;
}

// The window that takes a mouse message at pos: the capture holder's, else the one under pos.
TWinControl* MouseTarget(TWinControl& window, TPoint pos) {
    if (TControl* capture = GetCaptureControl()) {
        auto* target = dynamic_cast<TWinControl*>(capture);
        return target != nullptr ? target : capture->Parent();
    }
    return WindowAtFormPoint(window, pos);
}

// Where in the window the point lies; the capture holder takes everything as its client area's.
LRESULT HitTestAt(TWinControl& target, TPoint screen) {
    if (GetCaptureControl() != nullptr)
        return HTCLIENT;
    return SendMessage(target.Handle(), WM_NCHITTEST, 0, MakeLParam(screen.X, screen.Y));
}

// Asks the window under the pointer where the point lies and which pointer to show; the capture
// holder shows its own. Returns where the point lies.
LRESULT SetPointerFor(TWinControl& target, UINT msg, TPoint screen) {
    LRESULT hit = HitTestAt(target, screen);
    if (GetCaptureControl() == nullptr)
        SendMessage(target.Handle(), WM_SETCURSOR, target.Handle(),
                    MakeLParam(static_cast<int>(hit), static_cast<int>(msg)));
    return hit;
}

// A window's scroll bars take the mouse through the non-client messages.
bool IsScrollBarHit(LRESULT hit) {
    return hit == HTVSCROLL || hit == HTHSCROLL;
}

// False when the window eats the press (MA_ACTIVATEANDEAT, MA_NOACTIVATEANDEAT).
bool MouseActivate(TWinControl& window, TWinControl& target, UINT msg, LRESULT hit) {
    if (GetCaptureControl() != nullptr)
        return true;
    LRESULT answer = SendMessage(target.Handle(), WM_MOUSEACTIVATE, window.Handle(),
                                 MakeLParam(static_cast<int>(hit), static_cast<int>(msg)));
    return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

void PostMouseTo(TWinControl& target, UINT msg, WPARAM keys, TShiftState shift, TPoint screen) {
    TPoint client = target.ScreenToClient(screen);
    QueuedMessage m;
    m.Msg = TMsg{target.Handle(), msg, keys, MakeLParam(client.X, client.Y), 0, screen};
    m.Shift = shift;
    PostQueued(std::move(m));
}

// A non-client mouse message: the hit code in WParam, the point in screen coordinates.
void PostNonClientMouseTo(TWinControl& target, UINT msg, LRESULT hit, TShiftState shift, TPoint screen) {
    QueuedMessage m;
    m.Msg = TMsg{target.Handle(), msg, static_cast<WPARAM>(hit), MakeLParam(screen.X, screen.Y), 0, screen};
    m.Shift = shift;
    PostQueued(std::move(m));
}

// The last press, to tell the second press of a double click: the same button on the same window,
// within the double-click box and time. The press after a double click starts afresh.
struct LastPress {
    HWND window = 0;
    TMouseButton button = mbLeft;
    TPoint pos;
    std::uint64_t time = 0;
};

LastPress& PreviousPress() {
    static LastPress press;
    return press;
}

bool IsSecondPress(HWND window, TMouseButton button, TPoint pos) {
    LastPress& last = PreviousPress();
    std::uint64_t now = platform::CurrentClock().TickMillis();
    bool second = last.window == window && last.button == button &&
                  std::abs(pos.X - last.pos.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                  std::abs(pos.Y - last.pos.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 &&
                  now - last.time <= GetDoubleClickTime();
    last = second ? LastPress{} : LastPress{window, button, pos, now};
    return second;
}

WPARAM MouseKeys(TShiftState shift) {
    WPARAM keys = 0;
    if (shift.Contains(ssShift))
        keys |= MK_SHIFT;
    if (shift.Contains(ssCtrl))
        keys |= MK_CONTROL;
    if (shift.Contains(ssLeft))
        keys |= MK_LBUTTON;
    if (shift.Contains(ssRight))
        keys |= MK_RBUTTON;
    if (shift.Contains(ssMiddle))
        keys |= MK_MBUTTON;
    return keys;
}

// A host's pointer positions lie on the window's surface, whose client area starts inside the frame
// a pop-up draws in its window.
TPoint SurfaceToScreen(const TWinControl& window, TPoint pos) {
    TPoint origin = window.FormOrigin();
    return window.ClientToScreen({pos.X - origin.X, pos.Y - origin.Y});
}

}  // namespace

void PostKeyDown(TCustomForm& form, WORD key, TShiftState shift, const std::string& text) {
    if (key == 0)
        key = VK_PACKET;
    PostToFocus(form, IsSysKey(key, shift) ? WM_SYSKEYDOWN : WM_KEYDOWN, key, KeyData(shift, false), shift,
                Utf8ToUtf32(text));
}

void PostKeyUp(TCustomForm& form, WORD key, TShiftState shift) {
    if (key == 0)
        key = VK_PACKET;
    PostToFocus(form, IsSysKey(key, shift) ? WM_SYSKEYUP : WM_KEYUP, key, KeyData(shift, true), shift, {});
}

void PostMouseDown(TWinControl& window, TMouseButton button, TShiftState shift, TPoint pos) {
    UINT msg = button == mbLeft ? WM_LBUTTONDOWN : button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    TPoint screen = SurfaceToScreen(window, pos);
    LastPointerPos() = screen;
    TWinControl* target = MouseTarget(window, pos);
    if (IsSecondPress(target->Handle(), button, pos))
        msg += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    LRESULT hit = SetPointerFor(*target, msg, screen);
    if (!MouseActivate(window, *target, msg, hit))
        return;
    TShiftState held = shift;
    held.Include(button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle);
    if (button == mbLeft && IsScrollBarHit(hit))
        PostNonClientMouseTo(*target, msg == WM_LBUTTONDBLCLK ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN, hit,
                             held, screen);
    else
        PostMouseTo(*target, msg, MouseKeys(held), held, screen);
}

void PostMouseUp(TWinControl& window, TMouseButton button, TShiftState shift, TPoint pos) {
    UINT msg = button == mbLeft ? WM_LBUTTONUP : button == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
    TPoint screen = SurfaceToScreen(window, pos);
    LastPointerPos() = screen;
    TShiftState held = shift;
    held.Exclude(button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle);
    TWinControl* target = MouseTarget(window, pos);
    LRESULT hit = HitTestAt(*target, screen);
    if (button == mbLeft && IsScrollBarHit(hit))
        PostNonClientMouseTo(*target, WM_NCLBUTTONUP, hit, held, screen);
    else
        PostMouseTo(*target, msg, MouseKeys(held), held, screen);
}

void PostMouseMove(TWinControl& window, TShiftState shift, TPoint pos) {
    TPoint screen = SurfaceToScreen(window, pos);
    LastPointerPos() = screen;
    TWinControl* target = MouseTarget(window, pos);
    LRESULT hit = SetPointerFor(*target, WM_MOUSEMOVE, screen);
    if (IsScrollBarHit(hit))
        PostNonClientMouseTo(*target, WM_NCMOUSEMOVE, hit, shift, screen);
    else
        PostMouseTo(*target, WM_MOUSEMOVE, MouseKeys(shift), shift, screen);
}

void PostMouseWheel(TCustomForm& form, TShiftState shift, int delta, TPoint pos) {
    TPoint screen = form.ClientToScreen(pos);
    WPARAM wParam = (static_cast<WPARAM>(static_cast<std::uint16_t>(delta)) << 16) | MouseKeys(shift);
    PostToFocus(form, WM_MOUSEWHEEL, wParam, MakeLParam(screen.X, screen.Y), shift, {});
}

void PostMouseLeave(TWinControl& window) {
    QueuedMessage m;
    m.Msg = TMsg{window.Handle(), WM_MOUSELEAVE, 0, 0, 0, {}};
    PostQueued(std::move(m));
}

void PostInputMethodText(TCustomForm& form, const std::string& text) {
    for (char32_t ch : Utf8ToUtf32(text)) PostToFocus(form, WM_CHAR, static_cast<WPARAM>(ch), 1, {}, {});
}

WORD VirtualKeyForChar(char32_t ch, bool* needsShift) {
    if (needsShift != nullptr)
        *needsShift = false;
    if (ch >= U'a' && ch <= U'z')
        return static_cast<WORD>(ch - U'a' + 'A');
    if (ch >= U'A' && ch <= U'Z') {
        if (needsShift != nullptr)
            *needsShift = true;
        return static_cast<WORD>(ch);
    }
    if (ch >= U'0' && ch <= U'9')
        return static_cast<WORD>(ch);
    switch (ch) {
        case U' ':
            return VK_SPACE;
        case U'\r':
        case U'\n':
            return VK_RETURN;
        case U'\t':
            return VK_TAB;
        case U'\b':
            return VK_BACK;
        case 27:
            return VK_ESCAPE;
        case U'-':
            return VK_OEM_MINUS;
        case U'=':
            return VK_OEM_PLUS;
        case U',':
            return VK_OEM_COMMA;
        case U'.':
            return VK_OEM_PERIOD;
        case U'/':
            return VK_OEM_2;
        case U';':
            return VK_OEM_1;
        default:
            return 0;
    }
}

}  // namespace platform::ui

bool GetCursorPos(TPoint& point) {
    point = platform::ui::LastPointerPos();
    return true;
}
