#include "platform/ui/qt/qt_backing_surface.h"

#include <QBackingStore>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "platform/rtl/flag_scope.h"

namespace platform::ui {
namespace {

// The store's pixels as an image; nothing before the store has a size.
QImage* StoreImage(QBackingStore& store) {
    if (store.size().isEmpty())
        return nullptr;
    QPaintDevice* device = store.paintDevice();
    return device != nullptr && device->devType() == QInternal::Image ? static_cast<QImage*>(device)
                                                                      : nullptr;
}

// Fills bits, width x height pixels, with what surface holds where it reaches, and fill elsewhere.
void CopyAcross(const RasterImage& surface, std::uint32_t* bits, int width, int height, std::uint32_t fill) {
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = bits + static_cast<std::size_t>(y) * width;
        const int kept = y < surface.Height() ? std::min(width, surface.Width()) : 0;
        std::copy_n(surface.Row(y), kept, row);
        std::fill(row + kept, row + width, fill);
    }
}

}  // namespace

BackingStoreSurface::BackingStoreSurface(QWidget& widget, std::function<void()> lost)
    : widget_(widget), lost_(std::move(lost)) {}

BackingStoreSurface::~BackingStoreSurface() {
    if (StillLent())
        *surface_ = RasterImage();
}

bool BackingStoreSurface::StillLent() const {
    return surface_ != nullptr && surface_->Borrowed() && surface_->Bits() == bits_;
}

QImage* BackingStoreSurface::LendableImage(QBackingStore& store, QSize size) const {
    QImage* image = StoreImage(store);
    if (image == nullptr || image->size() != size || image->bytesPerLine() != size.width() * 4 ||
        image->devicePixelRatio() != 1.0)
        return nullptr;
    // An X store keeps opaque pixels premultiplied, which our opaque pixels are as they stand; a
    // window with alpha has its store cleared before each paint.
    const QWindow* window = widget_.windowHandle();
    const bool opaque = window != nullptr && !window->format().hasAlpha();
    const bool layout = image->format() == QImage::Format_RGB32 ||
                        (opaque && image->format() == QImage::Format_ARGB32_Premultiplied);
    return layout ? image : nullptr;
}

bool BackingStoreSurface::Holds() {
    if (!StillLent())
        return false;
    QBackingStore* store = widget_.backingStore();
    const QImage* image = store == store_ && store != nullptr ? StoreImage(*store) : nullptr;
    if (image != nullptr && image->constBits() == reinterpret_cast<const uchar*>(bits_) &&
        image->width() == surface_->Width() && image->height() == surface_->Height())
        return true;
    // Qt made the store anew: the pixels are gone, and nothing of them may be read.
    *surface_ = RasterImage();
    Forget();
    if (lost_)
        lost_();
    return false;
}

bool BackingStoreSurface::Lend(RasterImage& surface, int width, int height, std::uint32_t fill) {
    const QSize size(width, height);
    if (surface_ == &surface && Holds() && surface.Width() == width && surface.Height() == height)
        return true;
    TakeBack();
    QBackingStore* store = widget_.backingStore();
    // Qt resizes the store before it paints; while it paints, a store of another size stays as it is.
    if (store == nullptr || size.isEmpty() || widget_.size() != size || (painting_ && store->size() != size))
        return false;
    if (store->size() != size)
        store->resize(size);
    QImage* image = LendableImage(*store, size);
    if (image == nullptr)
        return false;
    auto* bits = reinterpret_cast<std::uint32_t*>(image->bits());
    CopyAcross(surface, bits, width, height, fill);
    surface.Borrow(bits, width, height);
    surface_ = &surface;
    store_ = store;
    bits_ = bits;
    return true;
}

void BackingStoreSurface::TakeBack() {
    if (Holds())
        surface_->OwnPixels();
    Forget();
}

void BackingStoreSurface::Forget() {
    surface_ = nullptr;
    store_ = nullptr;
    bits_ = nullptr;
}

void BackingStoreSurface::WidgetResized() {
    if (surface_ != nullptr && QSize(surface_->Width(), surface_->Height()) != widget_.size())
        TakeBack();
}

void BackingStoreSurface::Paint(const QRect& rect, const std::function<const RasterImage*()>& surfaceOf) {
    QPainter painter(&widget_);
    const QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr)
        return;
    TFlagScope painting(painting_);
    const RasterImage* surface = surfaceOf();  // lent the store now, when it can be
    if (surface == nullptr || surface->Empty() ||
        (Holds() && engine->paintDevice() == StoreImage(*widget_.backingStore())))
        return;
    const QImage image(reinterpret_cast<const uchar*>(surface->Bits()), surface->Width(), surface->Height(),
                       surface->Width() * 4, QImage::Format_RGB32);
    painter.drawImage(rect, image, rect);
}

}  // namespace platform::ui
