#include "platform/ui/qt/qt_text_painter.h"

namespace platform::ui {

// Held by the image: when the image lets go of it, the painter on its pixels ends first.
class QtTextPainter::Lease : public RasterImage::Attachment {
  public:
    explicit Lease(QtTextPainter& owner) : owner_(&owner) {}
    ~Lease() override {
        if (owner_ != nullptr)
            owner_->Forget();
    }
    void Release() { owner_ = nullptr; }

  private:
    QtTextPainter* owner_;
};

QtTextPainter::~QtTextPainter() {
    End();
}

QPainter& QtTextPainter::Begin(RasterImage& image, const TRect& clip, const QFont& font, std::uint32_t argb) {
    if (image_ != &image)
        Open(image);
    painter_->setClipRect(QRect(clip.Left, clip.Top, clip.Width(), clip.Height()));
    if (font_ != &font) {
        painter_->setFont(font);
        font_ = &font;
    }
    if (argb_ != argb) {
        painter_->setPen(QColor::fromRgba(argb));
        argb_ = argb;
    }
    return *painter_;
}

void QtTextPainter::Open(RasterImage& image) {
    End();
    target_ = std::make_unique<QImage>(reinterpret_cast<uchar*>(image.Bits()), image.Width(), image.Height(),
                                       image.Width() * 4, QImage::Format_ARGB32);
    painter_ = std::make_unique<QPainter>(target_.get());
    painter_->setPen(QColor::fromRgba(argb_));
    font_ = nullptr;
    auto lease = std::make_unique<Lease>(*this);
    lease_ = lease.get();
    image_ = &image;
    image.Attach(std::move(lease));
}

void QtTextPainter::End() {
    if (image_ == nullptr)
        return;
    RasterImage& image = *image_;
    lease_->Release();
    Forget();
    image.Detach();
}

void QtTextPainter::Forget() {
    painter_.reset();
    target_.reset();
    image_ = nullptr;
    lease_ = nullptr;
    font_ = nullptr;
}

}  // namespace platform::ui
