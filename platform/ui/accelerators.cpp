#include "platform/ui/accelerators.h"

#include "platform/rtl/strings.h"

bool IsAccel(char32_t ch, std::string_view caption) {
    std::u32string text = Utf8ToUtf32(caption);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != U'&')
            continue;
        if (text[i + 1] == U'&') {
            ++i;  // a literal ampersand
            continue;
        }
        return UpperCaseChar(text[i + 1]) == UpperCaseChar(ch);
    }
    return false;
}
