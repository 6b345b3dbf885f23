#include "common/xs_digits.h"

namespace xs {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool DigitsAt(std::string_view text, std::size_t pos, std::size_t count) {
    if (pos + count > text.size()) {
        return false;
    }
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (!IsDigit(text[i])) {
            return false;
        }
    }
    return true;
}

int DigitsValue(std::string_view text, std::size_t pos, std::size_t count) {
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::string ZeroPad(std::int64_t value, int width) {
    // Written front to back: the magnitude of the smallest value does not fit a signed type, and
    // GCC 12 at -O3 misreads inserts at the front as overlapping copies.
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const std::string digits = std::to_string(magnitude);
    std::string out;
    if (value < 0)
        out += '-';
    if (static_cast<int>(digits.size()) < width)
        out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    return out.append(digits);
}

}  // namespace xs
