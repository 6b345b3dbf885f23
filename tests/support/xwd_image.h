#pragma once
// Reads the screenshots that `xwd -root` writes (ZPixmap, 24 or 32 bits per pixel), for pixel checks.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

class XwdImage {
  public:
    explicit XwdImage(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (bytes_.size() < 100)
            throw std::runtime_error("not an xwd file: " + path);
        const std::uint32_t headerSize = Card(0);
        width_ = static_cast<int>(Card(4 * 4));
        height_ = static_cast<int>(Card(5 * 4));
        lsbFirst_ = Card(7 * 4) == 0;
        bitsPerPixel_ = static_cast<int>(Card(11 * 4));
        bytesPerLine_ = Card(12 * 4);
        const std::uint32_t colours = Card(19 * 4);
        dataStart_ = headerSize + colours * 12;
        if (bitsPerPixel_ != 32 && bitsPerPixel_ != 24)
            throw std::runtime_error("unexpected xwd depth");
        if (dataStart_ + std::uint64_t{bytesPerLine_} * height_ > bytes_.size())
            throw std::runtime_error("truncated xwd file: " + path);
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

    // 0xRRGGBB of a pixel.
    std::uint32_t Rgb(int x, int y) const {
        const std::size_t at =
            dataStart_ + std::size_t{bytesPerLine_} * y + static_cast<std::size_t>(x) * (bitsPerPixel_ / 8);
        const auto b = [&](std::size_t i) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at + i]));
        };
        std::uint32_t v =
            lsbFirst_
                ? (b(0) | b(1) << 8 | b(2) << 16)
                : (b(bitsPerPixel_ / 8 - 1) | b(bitsPerPixel_ / 8 - 2) << 8 | b(bitsPerPixel_ / 8 - 3) << 16);
        return v & 0xFFFFFF;
    }

  private:
    std::uint32_t Card(std::size_t offset) const {  // header values are big-endian
        const auto b = [&](std::size_t i) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[offset + i]));
        };
        return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
    }

    std::vector<char> bytes_;
    int width_ = 0;
    int height_ = 0;
    bool lsbFirst_ = true;
    int bitsPerPixel_ = 32;
    std::uint32_t bytesPerLine_ = 0;
    std::size_t dataStart_ = 0;
};
