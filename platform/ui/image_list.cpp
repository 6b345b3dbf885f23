#include "platform/ui/image_list.h"

#include <algorithm>

using platform::ui::RasterImage;

namespace {

constexpr std::uint32_t kClear = 0x00000000;

COLORREF ToColorRef(TColor color) {
    if (color == clNone)
        return CLR_NONE;
    if (color == clDefault)
        return CLR_DEFAULT;
    return static_cast<COLORREF>(ColorToRGB(color));
}

std::uint32_t ColorRefToArgb(COLORREF color) {
    return ColorToArgb(static_cast<TColor>(color & 0xFFFFFF));
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int percentOfB) {
    auto channel = [&](int shift) {
        const int x = static_cast<int>((a >> shift) & 0xFF), y = static_cast<int>((b >> shift) & 0xFF);
        return static_cast<std::uint32_t>((x * (100 - percentOfB) + y * percentOfB + 50) / 100) << shift;
    };
    return (a & 0xFF000000u) | channel(16) | channel(8) | channel(0);
}

UINT StyleFlags(TDrawingStyle style, TImageType type) {
    UINT flags = type == itMask ? ILD_MASK : ILD_NORMAL;
    switch (style) {
        case dsFocus:
            return flags | ILD_FOCUS;
        case dsSelected:
            return flags | ILD_SELECTED;
        case dsTransparent:
            return flags | ILD_TRANSPARENT;
        case dsNormal:
            break;
    }
    return flags;
}

// The pixels of one image as they should land: alpha 0 leaves the destination as it is.
struct DrawPlan {
    bool Transparent;
    std::uint32_t Background;
    bool Mask;
    int BlendPercent;  // 0: no blending
    bool BlendWithScreen;
    std::uint32_t BlendArgb;
};

std::uint32_t PlanPixel(const DrawPlan& plan, std::uint32_t p) {
    const unsigned alpha = p >> 24;
    if (plan.Mask)
        return alpha == 0 ? 0xFFFFFFFFu : 0xFF000000u;
    if (alpha == 0)
        return plan.Transparent ? kClear : plan.Background;
    if (alpha < 255 && !plan.Transparent)
        p = Mix(plan.Background, p | 0xFF000000u, static_cast<int>(alpha * 100 / 255));
    if (plan.BlendPercent == 0)
        return p;
    if (plan.BlendWithScreen)
        return (p & 0xFFFFFF) | ((p >> 24) * (100 - plan.BlendPercent) / 100) << 24;
    return Mix(p, plan.BlendArgb, plan.BlendPercent);
}

}  // namespace

TChangeLink::~TChangeLink() {
    if (sender_ != nullptr)
        sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange)
        OnChange(sender_);
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : links_) link->sender_ = nullptr;
}

void TCustomImageList::SetWidth(int value) {
    if (value == width_ || value <= 0)
        return;
    width_ = value;
    images_.clear();
    Change();
}

void TCustomImageList::SetHeight(int value) {
    if (value == height_ || value <= 0)
        return;
    height_ = value;
    images_.clear();
    Change();
}

void TCustomImageList::SetBkColor(TColor value) {
    if (value == bkColor_)
        return;
    bkColor_ = value;
    Change();
}

void TCustomImageList::SetBlendColor(TColor value) {
    if (value == blendColor_)
        return;
    blendColor_ = value;
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value) {
    if (value == drawingStyle_)
        return;
    drawingStyle_ = value;
    Change();
}

void TCustomImageList::SetImageType(TImageType value) {
    if (value == imageType_)
        return;
    imageType_ = value;
    Change();
}

void TCustomImageList::Append(const RasterImage& strip, const std::vector<bool>& transparent) {
    for (int left = 0; left + width_ <= strip.Width(); left += width_) {
        Image image{RasterImage(width_, height_, kClear)};
        for (int y = 0; y < std::min(height_, strip.Height()); ++y)
            for (int x = 0; x < width_; ++x) {
                const std::size_t at = static_cast<std::size_t>(y) * strip.Width() + left + x;
                image.Pixels.SetPixel(x, y, transparent[at] ? kClear : strip.Pixel(left + x, y));
            }
        images_.push_back(std::move(image));
    }
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    if (image == nullptr || image->Width() < width_)
        return -1;
    const RasterImage& pixels = image->Pixels();
    std::vector<bool> transparent(static_cast<std::size_t>(pixels.Width()) * pixels.Height());
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x) {
            const std::uint32_t p = pixels.Pixel(x, y);
            const bool left = mask != nullptr ? (mask->Pixels().Pixel(x, y) & 0xFFFFFF) == 0xFFFFFF
                                              : pixels.HasAlpha() && (p >> 24) == 0;
            transparent[static_cast<std::size_t>(y) * pixels.Width() + x] = left;
        }
    const int first = Count();
    Append(pixels, transparent);
    Change();
    return first;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (image == nullptr || image->Width() < width_)
        return -1;
    const RasterImage& pixels = image->Pixels();
    const std::uint32_t key = ColorToArgb(maskColor) & 0xFFFFFF;
    std::vector<bool> transparent(static_cast<std::size_t>(pixels.Width()) * pixels.Height());
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            transparent[static_cast<std::size_t>(y) * pixels.Width() + x] =
                (pixels.Pixel(x, y) & 0xFFFFFF) == key;
    const int first = Count();
    Append(pixels, transparent);
    Change();
    return first;
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    images_.erase(images_.begin() + index);
    Change();
}

void TCustomImageList::Clear() {
    images_.clear();
    Change();
}

bool TCustomImageList::DrawEx(int index, TCanvas& canvas, int x, int y, int width, int height, COLORREF bk,
                              COLORREF fg, UINT style) {
    if (index < 0 || index >= Count())
        return false;
    width = width <= 0 ? width_ : std::min(width, width_);
    height = height <= 0 ? height_ : std::min(height, height_);
    const COLORREF background = bk == CLR_DEFAULT ? ToColorRef(bkColor_) : bk;
    DrawPlan plan{};
    plan.Transparent = (style & ILD_TRANSPARENT) != 0 || background == CLR_NONE || background == CLR_DEFAULT;
    plan.Background = plan.Transparent ? kClear : ColorRefToArgb(background);
    plan.Mask = (style & ILD_MASK) != 0;
    plan.BlendPercent = (style & ILD_BLEND50) != 0 ? 50 : (style & ILD_BLEND25) != 0 ? 25 : 0;
    plan.BlendWithScreen = fg == CLR_NONE;
    plan.BlendArgb = fg == CLR_DEFAULT ? ColorToArgb(clHighlight) : ColorRefToArgb(fg);
    const RasterImage& source = images_[static_cast<std::size_t>(index)].Pixels;
    RasterImage planned(width, height, kClear);
    planned.SetHasAlpha(true);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            planned.SetPixel(col, row, PlanPixel(plan, source.Pixel(col, row)));
    canvas.DrawImage(planned, planned.BoundsRect(), Bounds(x, y, width, height), true);
    return true;
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    Draw(canvas, x, y, index, drawingStyle_, imageType_, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type,
                            bool enabled) {
    if (canvas == nullptr || index < 0 || index >= Count())
        return;
    if (enabled) {
        DrawEx(index, *canvas, x, y, 0, 0, ToColorRef(bkColor_), ToColorRef(blendColor_),
               StyleFlags(style, type));
        return;
    }
    // Engraved: the image's shape in the highlight colour one pixel right and down, then in the shadow
    // colour.
    const RasterImage& source = images_[static_cast<std::size_t>(index)].Pixels;
    for (const auto& [offset, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
        RasterImage shape(width_, height_, kClear);
        shape.SetHasAlpha(true);
        const std::uint32_t argb = ColorToArgb(color);
        for (int row = 0; row < height_; ++row)
            for (int col = 0; col < width_; ++col)
                if ((source.Pixel(col, row) >> 24) != 0)
                    shape.SetPixel(col, row, argb);
        canvas->DrawImage(shape, shape.BoundsRect(), Bounds(x + offset, y + offset, width_, height_), true);
    }
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (link == nullptr || std::find(links_.begin(), links_.end(), link) != links_.end())
        return;
    if (link->sender_ != nullptr && link->sender_ != this)
        link->sender_->UnRegisterChanges(link);
    link->sender_ = this;
    links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    auto it = std::find(links_.begin(), links_.end(), link);
    if (it == links_.end())
        return;
    links_.erase(it);
    link->sender_ = nullptr;
}

void TCustomImageList::Change() {
    // A link may unregister itself while it hears the change.
    for (TChangeLink* link : std::vector<TChangeLink*>(links_))
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
    if (OnChange)
        OnChange(this);
}

bool ImageList_DrawEx(TCustomImageList* list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF bk,
                      COLORREF fg, UINT style) {
    return list != nullptr && dc != nullptr && list->DrawEx(index, *dc, x, y, dx, dy, bk, fg, style);
}
