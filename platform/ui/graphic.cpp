#include "platform/ui/graphic.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/ui/canvas.h"

void TGraphic::SetWidth(int width) {
    if (width == Width())
        return;
    image_.Resize(width, Height());
    Changed();
}

void TGraphic::SetHeight(int height) {
    if (height == Height())
        return;
    image_.Resize(Width(), height);
    Changed();
}

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_)
        return;
    transparent_ = value;
    Changed();
}

void TGraphic::Draw(TCanvas& canvas, const TRect& rect) {
    if (Empty())
        return;
    const platform::ui::RasterImage& pixels = Pixels();
    canvas.DrawImage(pixels, pixels.BoundsRect(), rect, transparent_);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    LoadFromBytes(ReadFileBytes(fileName));
}

void TGraphic::Changed() {
    if (OnChange)
        OnChange(this);
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
