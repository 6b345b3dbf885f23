#include "platform/os/guid.h"

#include <sys/random.h>

#include <cstdio>
#include <random>

namespace {
void RandomBytes(std::uint8_t* p, std::size_t n) {
    std::size_t got = 0;
    while (got < n) {
        ssize_t r = ::getrandom(p + got, n - got, 0);
        if (r <= 0)
            break;
        got += static_cast<std::size_t>(r);
    }
    if (got < n) {
        static thread_local std::mt19937_64 fallback{std::random_device{}()};
        for (; got < n; ++got) p[got] = static_cast<std::uint8_t>(fallback());
    }
}
}  // namespace

TGUID CreateGUID() {
    std::uint8_t b[16];
    RandomBytes(b, sizeof b);
    b[6] = static_cast<std::uint8_t>((b[6] & 0x0F) | 0x40);  // version 4
    b[8] = static_cast<std::uint8_t>((b[8] & 0x3F) | 0x80);  // RFC 4122 variant
    TGUID g;
    g.D1 = (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
    g.D2 = static_cast<std::uint16_t>((b[4] << 8) | b[5]);
    g.D3 = static_cast<std::uint16_t>((b[6] << 8) | b[7]);
    for (int i = 0; i < 8; ++i) g.D4[i] = b[8 + i];
    return g;
}

std::string GUIDToString(const TGUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.D1, g.D2, g.D3,
                  g.D4[0], g.D4[1], g.D4[2], g.D4[3], g.D4[4], g.D4[5], g.D4[6], g.D4[7]);
    return buf;
}

std::string GUIDToHex(const TGUID& g) {
    std::string s = GUIDToString(g);
    std::string hex;
    for (char c : s)
        if (c != '{' && c != '}' && c != '-')
            hex += c;
    return hex;
}

bool TryStringToGUID(const std::string& s, TGUID& g) {
    if (s.size() != 38 || s.front() != '{' || s.back() != '}')
        return false;
    unsigned d1, d2, d3, d4[8];
    char tail;
    int n = std::sscanf(s.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%c", &d1, &d2, &d3, &d4[0], &d4[1],
                        &d4[2], &d4[3], &d4[4], &d4[5], &d4[6], &d4[7], &tail);
    if (n != 11)
        return false;
    for (std::size_t i : {9u, 14u, 19u, 24u})
        if (s[i] != '-')
            return false;
    g.D1 = d1;
    g.D2 = static_cast<std::uint16_t>(d2);
    g.D3 = static_cast<std::uint16_t>(d3);
    for (int i = 0; i < 8; ++i) g.D4[i] = static_cast<std::uint8_t>(d4[i]);
    return true;
}
