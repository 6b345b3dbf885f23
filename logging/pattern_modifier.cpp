#include "logging/pattern_modifier.h"

#include <charconv>

namespace {

// Reads a run of digits at pos; false when there is none or it does not fit.
bool ReadNumber(std::string_view text, std::size_t& pos, int& value) {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    if (pos == start)
        return false;
    auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + pos, value);
    return ec == std::errc() && ptr == text.data() + pos;
}

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Characters (code points) in a UTF-8 text.
std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) count += IsUtf8Continuation(c) ? 0 : 1;
    return count;
}

// The first n characters of a UTF-8 text.
std::string_view FirstChars(std::string_view text, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t chars = 0; pos < text.size(); ++pos) {
        if (!IsUtf8Continuation(text[pos]) && chars++ == n)
            break;
    }
    return text.substr(0, pos);
}

void AppendJustified(std::string& out, std::string_view text, std::size_t chars, int width, bool left) {
    const std::size_t pad = width > 0 && chars < static_cast<std::size_t>(width) ? width - chars : 0;
    if (!left)
        out.append(pad, ' ');
    out.append(text);
    if (left)
        out.append(pad, ' ');
}

}  // namespace

std::optional<TLogPatternModifier> TLogPatternModifier::Parse(std::string_view modifiers) {
    TLogPatternModifier m;
    std::size_t pos = 0;
    if (pos < modifiers.size() && modifiers[pos] == '-') {
        m.LeftJustify = true;
        ++pos;
    }
    if (pos < modifiers.size() && modifiers[pos] != '.' && !ReadNumber(modifiers, pos, m.Width))
        return std::nullopt;
    if (pos < modifiers.size() && modifiers[pos] == '.') {
        ++pos;
        if (!ReadNumber(modifiers, pos, m.Precision))
            return std::nullopt;
    }
    if (pos != modifiers.size())
        return std::nullopt;
    return m;
}

void TLogPatternModifier::AppendString(std::string& out, std::string_view value) const {
    if (Precision >= 0)
        value = FirstChars(value, static_cast<std::size_t>(Precision));
    AppendJustified(out, value, Width > 0 ? CharCount(value) : 0, Width, LeftJustify);
}

void TLogPatternModifier::AppendInteger(std::string& out, std::int64_t value) const {
    char digits[24];
    const std::uint64_t magnitude =
        value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude);
    const std::size_t count = static_cast<std::size_t>(end - digits);
    std::string text;
    if (value < 0)
        text += '-';
    if (Precision > 0 && count < static_cast<std::size_t>(Precision))
        text.append(Precision - count, '0');
    text.append(digits, count);
    AppendJustified(out, text, text.size(), Width, LeftJustify);
}
