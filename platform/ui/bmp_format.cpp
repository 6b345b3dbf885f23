#include "platform/ui/bmp_format.h"

#include <cstring>
#include <limits>

#include "platform/ui/graphic.h"

namespace platform::ui {
namespace {

[[noreturn]] void Invalid() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    if (at + 4 > b.size())
        Invalid();
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    if (at + 2 > b.size())
        Invalid();
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(v & 0xFF);
    out.push_back(v >> 8);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

struct Header {
    std::uint32_t pixelOffset, infoSize, compression, colours;
    std::int32_t width, height;
    std::uint16_t bits;
};

Header ReadHeader(std::span<const std::uint8_t> b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        Invalid();
    Header h{};
    h.pixelOffset = U32(b, 10);
    h.infoSize = U32(b, 14);
    if (h.infoSize < 40)
        Invalid();
    h.width = static_cast<std::int32_t>(U32(b, 18));
    h.height = static_cast<std::int32_t>(U32(b, 22));
    h.bits = U16(b, 28);
    h.compression = U32(b, 30);
    h.colours = U32(b, 46);
    bool bitfields32 = h.compression == 3 && h.bits == 32;
    if (h.compression != 0 && !bitfields32)
        Invalid();
    if (h.width <= 0 || h.height == 0 || h.height == std::numeric_limits<std::int32_t>::min())
        Invalid();
    if (h.width > 32768 || h.height > 32768 || h.height < -32768)
        Invalid();
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 24 && h.bits != 32)
        Invalid();
    return h;
}

}  // namespace

RasterImage DecodeBmp(std::span<const std::uint8_t> b) {
    Header h = ReadHeader(b);
    bool bottomUp = h.height > 0;
    int height = bottomUp ? h.height : -h.height;
    std::size_t stride = ((static_cast<std::size_t>(h.width) * h.bits + 31) / 32) * 4;
    if (h.pixelOffset > b.size() || stride * height > b.size() - h.pixelOffset)
        Invalid();
    std::vector<std::uint32_t> palette;
    if (h.bits <= 8) {
        std::size_t count = h.colours ? h.colours : (1u << h.bits);
        std::size_t at = 14 + h.infoSize;
        if (count > 256 || at + count * 4 > h.pixelOffset)
            Invalid();
        for (std::size_t i = 0; i < count; ++i)
            palette.push_back(0xFF000000u | (U32(b, at + i * 4) & 0xFFFFFF));
    }
    RasterImage image(h.width, height);
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* src = b.data() + h.pixelOffset + stride * row;
        std::uint32_t* dst = image.Row(bottomUp ? height - 1 - row : row);
        for (int x = 0; x < h.width; ++x) {
            std::uint32_t p = 0;
            if (h.bits == 32) {
                p = src[x * 4] | src[x * 4 + 1] << 8 | src[x * 4 + 2] << 16 |
                    static_cast<std::uint32_t>(src[x * 4 + 3]) << 24;
                anyAlpha = anyAlpha || (p >> 24) != 0;
            } else if (h.bits == 24) {
                p = 0xFF000000u | src[x * 3] | src[x * 3 + 1] << 8 | src[x * 3 + 2] << 16;
            } else {
                int perByte = 8 / h.bits;
                int shift = (perByte - 1 - x % perByte) * h.bits;
                unsigned index = (src[x / perByte] >> shift) & ((1u << h.bits) - 1);
                if (index >= palette.size())
                    Invalid();
                p = palette[index];
            }
            dst[x] = p;
        }
    }
    // A 32-bit picture whose alpha bytes are all zero is an opaque one that never used them.
    if (h.bits == 32 && !anyAlpha)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < h.width; ++x) image.Row(y)[x] |= 0xFF000000u;
    image.SetHasAlpha(h.bits == 32 && anyAlpha);
    return image;
}

std::vector<std::uint8_t> EncodeBmp(const RasterImage& image) {
    std::vector<std::uint8_t> out;
    std::uint32_t pixelBytes = static_cast<std::uint32_t>(image.Width()) * image.Height() * 4;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + pixelBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(image.Width()));
    Put32(out, static_cast<std::uint32_t>(image.Height()));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, pixelBytes);
    Put32(out, 3780);
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = image.Height() - 1; y >= 0; --y)
        for (int x = 0; x < image.Width(); ++x) Put32(out, image.Row(y)[x]);
    return out;
}

}  // namespace platform::ui
