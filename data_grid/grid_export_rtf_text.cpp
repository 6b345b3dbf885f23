// Cell texts and font names inside an RTF document: nothing in them may open or close a group or
// start a control word, and text beyond ASCII goes as Unicode escapes so that UTF-8 arrives as
// written whatever code page the reader assumes.
#include <cstdio>

#include "data_grid/grid_export.h"
#include "platform/rtl/strings.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

// \uN? with N the UTF-16 unit as a signed 16-bit number.
void AppendUnit(std::string& Out, char32_t Unit) {
    Out += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(Unit))) + "?";
}

void AppendCodePoint(std::string& Out, char32_t Code) {
    if (Code < 0x10000)
        return AppendUnit(Out, Code);
    Code -= 0x10000;
    AppendUnit(Out, 0xD800 + (Code >> 10));
    AppendUnit(Out, 0xDC00 + (Code & 0x3FF));
}

void AppendControl(std::string& Out, unsigned char Byte) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%02x", Byte);
    Out += hex;
}

}  // namespace

std::string RtfText(const std::string& Text) {
    const std::u32string chars = Utf8ToUtf32(Text);
    std::string out;
    out.reserve(Text.size() + Text.size() / 4);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        if (c >= 0x80) {
            // A byte that starts no valid UTF-8 sequence is no character.
            AppendCodePoint(out, IsStrayByte(c) ? Replacement : c);
        } else if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < chars.size() && chars[i + 1] == '\n')
                ++i;
            out += "\\line ";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c < 0x20 || c == 0x7F) {
            AppendControl(out, static_cast<unsigned char>(c));
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
