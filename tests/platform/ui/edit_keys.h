#pragma once
// Plays a line of keys into the focused control: characters are typed, "{NAME}" presses a key
// ({BS} {DEL} {LEFT} {RIGHT} {HOME} {END} {ESC}), "{S-NAME}" with Shift, "{C-X}" with Ctrl.
#include <map>
#include <string>

#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"

namespace edit_keys {

inline WORD NamedKey(const std::string& name) {
    static const std::map<std::string, WORD> keys = {
        {"BS", VK_BACK},   {"DEL", VK_DELETE}, {"LEFT", VK_LEFT},   {"RIGHT", VK_RIGHT},
        {"HOME", VK_HOME}, {"END", VK_END},    {"ESC", VK_ESCAPE},  {"UP", VK_UP},
        {"DOWN", VK_DOWN}, {"INS", VK_INSERT}, {"ENTER", VK_RETURN}};
    auto it = keys.find(name);
    return it != keys.end() ? it->second : static_cast<WORD>(name.at(0));
}

inline void Play(platform::ui::HeadlessSession& ui, const std::string& keys) {
    std::size_t i = 0;
    while (i < keys.size()) {
        if (keys[i] != '{') {
            std::size_t next = keys.find('{', i);
            ui.TypeText(keys.substr(i, next - i));
            i = next == std::string::npos ? keys.size() : next;
            continue;
        }
        std::size_t close = keys.find('}', i);
        std::string name = keys.substr(i + 1, close - i - 1);
        TShiftState shift;
        if (name.rfind("S-", 0) == 0)
            shift.Include(ssShift), name = name.substr(2);
        else if (name.rfind("C-", 0) == 0)
            shift.Include(ssCtrl), name = name.substr(2);
        ui.PressKey(NamedKey(name), shift);
        i = close + 1;
    }
}

}  // namespace edit_keys
