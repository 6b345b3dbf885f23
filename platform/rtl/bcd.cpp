#include "platform/rtl/bcd.h"

int BcdDigit(const TBcd& bcd, int index) {
    const std::uint8_t b = bcd.Fraction[index / 2];
    return index % 2 == 0 ? b >> 4 : b & 0x0F;
}

void SetBcdDigit(TBcd& bcd, int index, int digit) {
    std::uint8_t& b = bcd.Fraction[index / 2];
    const auto d = static_cast<std::uint8_t>(digit & 0x0F);
    b = index % 2 == 0 ? static_cast<std::uint8_t>((b & 0x0F) | (d << 4))
                       : static_cast<std::uint8_t>((b & 0xF0) | d);
}

bool TryBcdToDecimal(const TBcd& bcd, DecimalDigits& value) {
    const int precision = bcd.Precision, places = BcdPlaces(bcd);
    if (precision > MaxBcdDigits || places > precision)
        return false;
    DecimalDigits d;
    for (int i = 0; i < precision; ++i) {
        const int digit = BcdDigit(bcd, i);
        if (digit > 9)
            return false;
        d.digits.push_back(static_cast<char>('0' + digit));
    }
    if (BcdIsSpecial(bcd)) {
        value = DecimalDigits{};
        return true;
    }
    d.exponent = precision - places;
    d.negative = BcdIsNegative(bcd);
    std::size_t lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0') ++lead;
    d.digits.erase(0, lead);
    d.exponent -= static_cast<int>(lead);
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty())
        d = DecimalDigits{};
    value = d;
    return true;
}

bool TryDecimalToBcd(const DecimalDigits& value, int precision, int places, TBcd& bcd) {
    // The places share their byte with the sign and special-value bits.
    if (precision < 1 || precision > MaxBcdDigits || places < 0 || places > precision ||
        places > BcdPlacesMask)
        return false;
    DecimalDigits d = value;
    d.RoundToPlaces(places);
    const int intDigits = static_cast<int>(d.IntegerDigits().size());
    if (intDigits > precision - places)
        return false;
    TBcd out;
    out.Precision = static_cast<std::uint8_t>(precision);
    out.SignSpecialPlaces = static_cast<std::uint8_t>(places | (d.negative ? BcdSignBit : 0));
    const std::string digits = d.IntegerDigits() + d.FractionDigits(places);
    const int offset = precision - static_cast<int>(digits.size());
    for (std::size_t i = 0; i < digits.size(); ++i)
        SetBcdDigit(out, offset + static_cast<int>(i), digits[i] - '0');
    bcd = out;
    return true;
}
