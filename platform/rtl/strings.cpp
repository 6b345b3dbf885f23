#include "platform/rtl/strings.h"

#include <algorithm>
#include <cstdio>

namespace {
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}
bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

std::size_t Utf8Length(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) n += !IsContinuationByte(c);
    return n;
}

std::string_view Utf8Left(std::string_view s, std::size_t count) {
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        if (!IsContinuationByte(s[i]) && count-- == 0)
            break;
    }
    return s.substr(0, i);
}

std::string TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return r;
}

std::u32string Utf8ToUtf32(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool ok = len > 0 && i + static_cast<std::size_t>(len) <= s.size();
        char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; ok && k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((cc & 0xC0) != 0x80)
                ok = false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are stray bytes too: decoded, they would
        // come back as other bytes (a surrogate even as the marker of a stray byte).
        static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kShortest[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF))
            ok = false;
        if (!ok) {
            // A stray byte is kept as a code in the private range so that the text survives a round trip.
            out.push_back(StrayByteBase + c);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

std::string Utf32ToUtf8(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t cp : s) {
        if (cp >= 0xDC80 && cp <= 0xDCFF) {
            out.push_back(static_cast<char>(cp - 0xDC00));
        } else if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

char32_t UpperCaseChar(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - 32;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 32;  // Latin-1
    if (c >= 0x430 && c <= 0x44F)
        return c - 32;  // а..я
    if (c >= 0x450 && c <= 0x45F)
        return c - 80;  // ѐ..џ, ё
    return c;
}

char32_t LowerCaseChar(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

namespace {
std::string MapCase(std::string_view s, char32_t (*fn)(char32_t)) {
    std::u32string u = Utf8ToUtf32(s);
    for (char32_t& c : u) c = fn(c);
    return Utf32ToUtf8(u);
}
}  // namespace

std::string AnsiUpperCase(std::string_view s) {
    return MapCase(s, UpperCaseChar);
}
std::string AnsiLowerCase(std::string_view s) {
    return MapCase(s, LowerCaseChar);
}

int CompareText(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'a' && ca <= 'z')
            ca = static_cast<unsigned char>(ca - 32);
        if (cb >= 'a' && cb <= 'z')
            cb = static_cast<unsigned char>(cb - 32);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) {
    return CompareText(a, b) == 0;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    return AnsiUpperCase(a) == AnsiUpperCase(b);
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags) {
    if (oldPattern.empty())
        return std::string(s);
    const bool all = flags & rfReplaceAll;
    if (!(flags & rfIgnoreCase)) {
        std::string out;
        std::size_t pos = 0;
        while (true) {
            std::size_t hit = s.find(oldPattern, pos);
            if (hit == std::string_view::npos)
                break;
            out.append(s.substr(pos, hit - pos)).append(newPattern);
            pos = hit + oldPattern.size();
            if (!all)
                break;
        }
        return out.append(s.substr(pos));
    }
    // Compare folded code points, copy the original ones.
    std::u32string text = Utf8ToUtf32(s), pattern = Utf8ToUtf32(oldPattern), folded = text;
    for (char32_t& c : folded) c = UpperCaseChar(c);
    for (char32_t& c : pattern) c = UpperCaseChar(c);
    std::u32string replacement = Utf8ToUtf32(newPattern), out;
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = folded.find(pattern, pos);
        if (hit == std::u32string::npos)
            break;
        out.append(text, pos, hit - pos).append(replacement);
        pos = hit + pattern.size();
        if (!all)
            break;
    }
    out.append(text, pos, std::u32string::npos);
    return Utf32ToUtf8(out);
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

std::string IntToHex(std::uint64_t value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", std::clamp(digits, 0, 16),
                  static_cast<unsigned long long>(value));
    return buf;
}
