#include "platform/rtl/form_text.h"

#include <charconv>
#include <cmath>

#include "platform/rtl/stream.h"

namespace {

bool IsControl(unsigned char c) {
    return c < 32 || c == 127;
}

bool IsContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

}  // namespace

std::vector<std::string> FormStringPieces(std::string_view text, std::size_t width) {
    std::vector<std::string> pieces(1);
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (pieces.back().size() >= width && !IsContinuationByte(c)) {
            if (quoted)
                pieces.back() += '\'';
            pieces.emplace_back();
            quoted = false;
        }
        std::string& piece = pieces.back();
        if (IsControl(c)) {
            if (quoted)
                piece += '\'';
            quoted = false;
            piece += '#';
            piece += std::to_string(c);
            continue;
        }
        if (!quoted)
            piece += '\'';
        quoted = true;
        piece += text[i];
        if (c == '\'')
            piece += '\'';
    }
    if (quoted)
        pieces.back() += '\'';
    if (pieces.back().empty())
        pieces.back() = "''";
    return pieces;
}

std::string FormFloat(double value) {
    if (!std::isfinite(value))
        throw EWriteError("Invalid floating point value");
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, end);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

std::string FormHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}
