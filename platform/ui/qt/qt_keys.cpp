#include "platform/ui/qt/qt_keys.h"

#include <unordered_map>

#include "platform/ui/virtual_keys.h"

namespace platform::ui {
namespace {

const std::unordered_map<int, WORD>& SpecialKeys() {
    static const std::unordered_map<int, WORD> keys = {
        {Qt::Key_Backspace, VK_BACK},
        {Qt::Key_Tab, VK_TAB},
        {Qt::Key_Backtab, VK_TAB},
        {Qt::Key_Return, VK_RETURN},
        {Qt::Key_Enter, VK_RETURN},
        {Qt::Key_Shift, VK_SHIFT},
        {Qt::Key_Control, VK_CONTROL},
        {Qt::Key_Alt, VK_MENU},
        {Qt::Key_AltGr, VK_MENU},
        {Qt::Key_Pause, VK_PAUSE},
        {Qt::Key_CapsLock, VK_CAPITAL},
        {Qt::Key_Escape, VK_ESCAPE},
        {Qt::Key_Space, VK_SPACE},
        {Qt::Key_PageUp, VK_PRIOR},
        {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_End, VK_END},
        {Qt::Key_Home, VK_HOME},
        {Qt::Key_Left, VK_LEFT},
        {Qt::Key_Up, VK_UP},
        {Qt::Key_Right, VK_RIGHT},
        {Qt::Key_Down, VK_DOWN},
        {Qt::Key_Print, VK_SNAPSHOT},
        {Qt::Key_Insert, VK_INSERT},
        {Qt::Key_Delete, VK_DELETE},
        {Qt::Key_Help, VK_HELP},
        {Qt::Key_Meta, VK_LWIN},
        {Qt::Key_Menu, VK_APPS},
        {Qt::Key_NumLock, VK_NUMLOCK},
        {Qt::Key_ScrollLock, VK_SCROLL},
        {Qt::Key_Semicolon, VK_OEM_1},
        {Qt::Key_Colon, VK_OEM_1},
        {Qt::Key_Equal, VK_OEM_PLUS},
        {Qt::Key_Plus, VK_OEM_PLUS},
        {Qt::Key_Comma, VK_OEM_COMMA},
        {Qt::Key_Less, VK_OEM_COMMA},
        {Qt::Key_Minus, VK_OEM_MINUS},
        {Qt::Key_Underscore, VK_OEM_MINUS},
        {Qt::Key_Period, VK_OEM_PERIOD},
        {Qt::Key_Greater, VK_OEM_PERIOD},
        {Qt::Key_Slash, VK_OEM_2},
        {Qt::Key_Question, VK_OEM_2},
        {Qt::Key_QuoteLeft, VK_OEM_3},
        {Qt::Key_AsciiTilde, VK_OEM_3},
        {Qt::Key_BracketLeft, VK_OEM_4},
        {Qt::Key_BraceLeft, VK_OEM_4},
        {Qt::Key_Backslash, VK_OEM_5},
        {Qt::Key_Bar, VK_OEM_5},
        {Qt::Key_BracketRight, VK_OEM_6},
        {Qt::Key_BraceRight, VK_OEM_6},
        {Qt::Key_Apostrophe, VK_OEM_7},
        {Qt::Key_QuoteDbl, VK_OEM_7},
    };
    return keys;
}

// Shifted digits on a US layout, so Shift+1 is still the key '1'.
WORD ShiftedDigit(int key) {
    switch (key) {
        case Qt::Key_Exclam:
            return '1';
        case Qt::Key_At:
            return '2';
        case Qt::Key_NumberSign:
            return '3';
        case Qt::Key_Dollar:
            return '4';
        case Qt::Key_Percent:
            return '5';
        case Qt::Key_AsciiCircum:
            return '6';
        case Qt::Key_Ampersand:
            return '7';
        case Qt::Key_Asterisk:
            return '8';
        case Qt::Key_ParenLeft:
            return '9';
        case Qt::Key_ParenRight:
            return '0';
        default:
            return 0;
    }
}

}  // namespace

WORD VirtualKeyFromQt(const QKeyEvent& event) {
    int key = event.key();
    bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<WORD>(keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : '0' + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<WORD>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
    if (keypad) {
        switch (key) {
            case Qt::Key_Asterisk:
                return VK_MULTIPLY;
            case Qt::Key_Plus:
                return VK_ADD;
            case Qt::Key_Minus:
                return VK_SUBTRACT;
            case Qt::Key_Period:
                return VK_DECIMAL;
            case Qt::Key_Slash:
                return VK_DIVIDE;
            default:
                break;
        }
    }
    if (WORD digit = ShiftedDigit(key))
        return digit;
    auto it = SpecialKeys().find(key);
    if (it != SpecialKeys().end())
        return it->second;
    // Letters of other layouts (Cyrillic ...): the key that sits where a Latin letter would, when X tells it.
    quint32 sym = event.nativeVirtualKey();
    if (sym >= 'a' && sym <= 'z')
        return static_cast<WORD>(sym - 'a' + 'A');
    if (sym >= 'A' && sym <= 'Z')
        return static_cast<WORD>(sym);
    return 0;
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    if (modifiers.testFlag(Qt::ShiftModifier))
        shift.Include(ssShift);
    if (modifiers.testFlag(Qt::AltModifier))
        shift.Include(ssAlt);
    if (modifiers.testFlag(Qt::ControlModifier))
        shift.Include(ssCtrl);
    if (buttons.testFlag(Qt::LeftButton))
        shift.Include(ssLeft);
    if (buttons.testFlag(Qt::RightButton))
        shift.Include(ssRight);
    if (buttons.testFlag(Qt::MiddleButton))
        shift.Include(ssMiddle);
    return shift;
}

}  // namespace platform::ui
