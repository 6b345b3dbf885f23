#include "logging/pattern_modifier.h"

#include <algorithm>
#include <charconv>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a run of digits at pos, cut to MaxPatternWidth; false when there is none.
bool ReadNumber(std::string_view text, std::size_t& pos, int& value) {
    const std::size_t start = pos;
    value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos)
        value = std::min(value * 10 + (text[pos] - '0'), MaxPatternWidth);
    return pos != start;
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
    if (pad == 0) {
        out.append(text);  // the common case: no width, or the text fills it
        return;
    }
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

std::string TLogPatternModifier::CapNumbers(std::string_view modifiers) {
    std::string capped;
    std::size_t pos = 0;
    while (pos < modifiers.size()) {
        const std::size_t start = pos;
        int value = 0;
        if (!ReadNumber(modifiers, pos, value)) {
            capped += modifiers[pos++];
        } else if (value < MaxPatternWidth || (pos < modifiers.size() && modifiers[pos] == ':')) {
            capped.append(modifiers.substr(start, pos - start));
        } else {
            capped += std::to_string(MaxPatternWidth);
        }
    }
    return capped;
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
