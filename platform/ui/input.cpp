#include "platform/ui/input.h"

#include "platform/rtl/strings.h"
#include "platform/ui/form.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/virtual_keys.h"

namespace platform::ui {
namespace {

void PostToFocus(TCustomForm& form, UINT msg, WORD key, LPARAM keyData, TShiftState shift,
                 std::u32string text) {
    QueuedMessage m;
    m.Msg = TMsg{form.Handle(), msg, key, keyData, 0, {}};
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

// The windowed control under pos (form coordinates) that takes the mouse: visible and enabled.
TWinControl* WindowAt(TCustomForm& form, TPoint pos) {
    TWinControl* at = &form;
    for (;;) {
        TPoint o = at->FormOrigin();
        TControl* child = at->ControlAtPos({pos.X - o.X, pos.Y - o.Y}, false, true);
        auto* win = dynamic_cast<TWinControl*>(child);
        if (win == nullptr)
            return at;
        at = win;
    }
}

void PostMouse(TCustomForm& form, UINT msg, WPARAM keys, TShiftState shift, TPoint pos) {
    TControl* capture = GetCaptureControl();
    TWinControl* target = nullptr;
    if (capture != nullptr && capture->ParentForm() == &form) {
        target = dynamic_cast<TWinControl*>(capture);
        if (target == nullptr)
            target = capture->Parent();
    }
    if (target == nullptr)
        target = WindowAt(form, pos);
    TPoint o = target->FormOrigin();
    QueuedMessage m;
    m.Msg = TMsg{target->Handle(), msg, keys, MakeLParam(pos.X - o.X, pos.Y - o.Y), 0, pos};
    m.Shift = shift;
    PostQueued(std::move(m));
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

void PostMouseDown(TCustomForm& form, TMouseButton button, TShiftState shift, TPoint pos) {
    UINT msg = button == mbLeft ? WM_LBUTTONDOWN : button == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    TShiftState held = shift;
    held.Include(button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle);
    PostMouse(form, msg, MouseKeys(held), shift, pos);
}

void PostMouseUp(TCustomForm& form, TMouseButton button, TShiftState shift, TPoint pos) {
    UINT msg = button == mbLeft ? WM_LBUTTONUP : button == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
    TShiftState held = shift;
    held.Exclude(button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle);
    PostMouse(form, msg, MouseKeys(held), shift, pos);
}

void PostMouseMove(TCustomForm& form, TShiftState shift, TPoint pos) {
    PostMouse(form, WM_MOUSEMOVE, MouseKeys(shift), shift, pos);
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
