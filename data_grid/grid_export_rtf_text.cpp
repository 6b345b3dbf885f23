// Cell texts and font names inside an RTF document: nothing in them may open or close a group or
// start a control word, and text beyond ASCII goes as Unicode escapes so that UTF-8 arrives as
// written whatever code page the reader assumes.
#include <cstdio>

#include "data_grid/grid_export.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

// The code point at Pos, moving Pos past it; a byte that starts no valid UTF-8 sequence gives the
// replacement character and moves one byte.
char32_t NextCodePoint(const std::string& Text, std::size_t& Pos) {
    const auto byte = [&Text](std::size_t i) { return static_cast<unsigned char>(Text[i]); };
    const unsigned char lead = byte(Pos);
    int length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    }
    if (length == 0 || Pos + static_cast<std::size_t>(length) > Text.size()) {
        ++Pos;
        return Replacement;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(Pos + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80) {
            ++Pos;
            return Replacement;
        }
        code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past the last plane are not characters.
    static constexpr char32_t Smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < Smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        ++Pos;
        return Replacement;
    }
    Pos += static_cast<std::size_t>(length);
    return code;
}

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
    std::string out;
    out.reserve(Text.size() + Text.size() / 4);
    std::size_t pos = 0;
    while (pos < Text.size()) {
        const auto c = static_cast<unsigned char>(Text[pos]);
        if (c >= 0x80) {
            AppendCodePoint(out, NextCodePoint(Text, pos));
            continue;
        }
        ++pos;
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && pos < Text.size() && Text[pos] == '\n')
                ++pos;
            out += "\\line ";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c < 0x20 || c == 0x7F) {
            AppendControl(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
