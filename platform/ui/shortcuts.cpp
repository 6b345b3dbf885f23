#include "platform/ui/shortcuts.h"

#include "platform/ui/virtual_keys.h"

namespace {

std::string KeyName(WORD key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key < VK_F1 + 24)
        return "F" + std::to_string(key - VK_F1 + 1);
    struct Named {
        WORD Key;
        const char* Name;
    };
    static constexpr Named names[] = {
        {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
        {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
        {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
    };
    for (const Named& named : names)
        if (named.Key == key)
            return named.Name;
    return {};
}

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
    if ((Key & 0xFF00) != 0)
        return scNone;
    TShortCut result = Key;
    if (Shift.Contains(ssShift))
        result |= scShift;
    if (Shift.Contains(ssCtrl))
        result |= scCtrl;
    if (Shift.Contains(ssAlt))
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift) {
    Key = ShortCut & 0xFF;
    Shift = {};
    if (ShortCut & scShift)
        Shift.Include(ssShift);
    if (ShortCut & scCtrl)
        Shift.Include(ssCtrl);
    if (ShortCut & scAlt)
        Shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut ShortCut) {
    WORD key = 0;
    TShiftState shift;
    ShortCutToKey(ShortCut, key, shift);
    std::string name = KeyName(key);
    if (name.empty())
        return {};
    std::string text;
    if (shift.Contains(ssShift))
        text += "Shift+";
    if (shift.Contains(ssCtrl))
        text += "Ctrl+";
    if (shift.Contains(ssAlt))
        text += "Alt+";
    return text + name;
}
