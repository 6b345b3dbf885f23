#include "platform/rtl/decimal_digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {
// Exponents beyond this say nothing a 64-bit integer or a double could hold; texts and scales are
// kept within it so that digit strings stay small and the arithmetic cannot overflow.
constexpr int kExponentLimit = 100000;

void Normalize(DecimalDigits& d) {
    std::size_t lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0') ++lead;
    d.digits.erase(0, lead);
    d.exponent -= static_cast<int>(lead);
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) {
        d.exponent = 0;
        d.negative = false;
    }
}

// Keeps `keep` leading digits (0 or more) and rounds by the next one. Wide, so that an exponent
// plus a caller's count of places never overflows.
void RoundAt(DecimalDigits& d, std::int64_t keep) {
    if (keep >= static_cast<std::int64_t>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        Normalize(d);
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        auto i = static_cast<int>(keep) - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
            d.digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    Normalize(d);
}
}  // namespace

void DecimalDigits::RoundToPlaces(int places) {
    RoundAt(*this, std::int64_t{exponent} + places);
}

void DecimalDigits::RoundToSignificant(int count) {
    RoundAt(*this, count);
}

std::string DecimalDigits::IntegerDigits() const {
    if (exponent <= 0)
        return {};
    std::string out = digits.substr(0, static_cast<std::size_t>(std::min<int>(exponent, digits.size())));
    out.append(static_cast<std::size_t>(exponent) - out.size(), '0');
    return out;
}

std::string DecimalDigits::FractionDigits(int places) const {
    std::string out;
    for (int i = 0; i < places; ++i) {
        const int at = exponent + i;  // index into digits
        out.push_back(at >= 0 && at < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(at)]
                                                                      : '0');
    }
    return out;
}

DecimalDigits DecimalFromDouble(double value) {
    DecimalDigits d;
    if (value == 0 || !std::isfinite(value))
        return d;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    if (text.front() == '-') {
        d.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.')
            d.digits.push_back(c);
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    Normalize(d);
    return d;
}

DecimalDigits DecimalFromInt64(std::int64_t value, int scale) {
    DecimalDigits d;
    d.negative = value < 0;
    // The magnitude of the smallest value does not fit a signed type.
    const std::uint64_t magnitude =
        d.negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    d.digits = std::to_string(magnitude);
    d.exponent = static_cast<int>(d.digits.size()) - std::clamp(scale, -kExponentLimit, kExponentLimit);
    Normalize(d);
    return d;
}

bool TryParseDecimal(std::string_view text, char decimalSeparator, DecimalDigits& result) {
    std::size_t i = 0, n = text.size();
    while (i < n && static_cast<unsigned char>(text[i]) <= 32) ++i;
    while (n > i && static_cast<unsigned char>(text[n - 1]) <= 32) --n;
    DecimalDigits d;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        d.negative = text[i++] == '-';
    int intDigits = 0, anyDigits = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++intDigits) d.digits.push_back(text[i]);
    anyDigits = intDigits;
    if (i < n && text[i] == decimalSeparator) {
        for (++i; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++anyDigits) d.digits.push_back(text[i]);
    }
    if (anyDigits == 0)
        return false;
    long long exp = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            expNegative = text[i++] == '-';
        if (i >= n)
            return false;
        for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i)
            exp = std::min<long long>(exp * 10 + (text[i] - '0'), kExponentLimit);
        if (expNegative)
            exp = -exp;
    }
    if (i != n)
        return false;
    d.exponent = intDigits + static_cast<int>(exp);
    Normalize(d);
    result = d;
    return true;
}

bool DecimalToScaledInt64(const DecimalDigits& source, int scale, std::int64_t& value) {
    DecimalDigits d = source;
    d.RoundToPlaces(scale);
    if (d.IsZero()) {
        value = 0;
        return true;
    }
    const std::int64_t totalDigits = std::int64_t{d.exponent} + scale;  // digits of the scaled integer
    if (totalDigits > 19)
        return false;
    unsigned __int128 magnitude = 0;
    for (int i = 0; i < totalDigits; ++i) {
        const char c = i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
        magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
    }
    const auto limit = static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > limit + (d.negative ? 1 : 0))
        return false;
    value = d.negative ? static_cast<std::int64_t>(-static_cast<__int128>(magnitude))
                       : static_cast<std::int64_t>(magnitude);
    return true;
}
