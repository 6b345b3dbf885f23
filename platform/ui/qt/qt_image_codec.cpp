#include "platform/ui/qt/qt_image_codec.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <string>

#include "platform/ui/graphic.h"
#include "platform/ui/qt/qt_host.h"

namespace platform::ui {
namespace {

std::string InvalidText(std::string_view format) {
    if (format == "JPEG")
        return "JPEG image is not valid";
    if (format == "ICO")
        return "Icon image is not valid";
    return std::string(format) + " image is not valid";
}

RasterImage FromQImage(const QImage& source) {
    QImage img = source.convertToFormat(QImage::Format_ARGB32);
    RasterImage out(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
        std::copy(row, row + img.width(), out.Row(y));
    }
    out.SetHasAlpha(source.hasAlphaChannel());
    return out;
}

// A picture of a known size is read straight into the pixels we keep. Qt's readers fill a
// 32-bit RGB image they are given when it has the size and format they produce (JPEG does), so
// a large picture passes through memory once (the reader writes every pixel: none is cleared
// first); anything else is converted from what Qt made.
QImage ReadInto(QImageReader& reader, RasterImage& out) {
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return reader.read();
    out = RasterImage::Uninitialized(size.width(), size.height());
    QImage image(reinterpret_cast<uchar*>(out.Bits()), out.Width(), out.Height(), out.Width() * 4,
                 QImage::Format_RGB32);
    if (!reader.read(&image))
        return {};
    return image;
}

bool IsReadInto(const QImage& image, const RasterImage& out) {
    return image.constBits() == reinterpret_cast<const uchar*>(out.Bits()) && !image.hasAlphaChannel() &&
           image.width() == out.Width() && image.height() == out.Height();
}

// A reader of one picture's bytes in the format named. The bytes outlive it: they are not copied.
// The format is known, so only its own reader plugin is loaded, not every one Qt would ask.
class BytesReader {
  public:
    BytesReader(std::span<const std::uint8_t> bytes, std::string_view format)
        : data_(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<qsizetype>(bytes.size()))),
          buffer_(&data_) {
        buffer_.open(QIODevice::ReadOnly);
        reader_.setDevice(&buffer_);
        reader_.setFormat(format == "JPEG"  ? "jpeg"
                          : format == "ICO" ? "ico"
                                            : QByteArray(format.data(), format.size()).toLower());
        reader_.setAutoDetectImageFormat(false);
    }
    QImageReader& Reader() { return reader_; }

  private:
    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
};

// An icon file holds several images: take the largest.
QImage ReadLargest(QImageReader& reader) {
    QImage best;
    do {
        QImage img = reader.read();
        if (!img.isNull() && img.width() * img.height() > best.width() * best.height())
            best = img;
    } while (reader.jumpToNextImage());
    return best;
}

}  // namespace

RasterImage QtImageCodec::Decode(std::span<const std::uint8_t> bytes, std::string_view format) {
    BytesReader bytesReader(bytes, format);
    QImageReader& reader = bytesReader.Reader();
    RasterImage out;
    QImage img = format == "ICO" ? ReadLargest(reader) : ReadInto(reader, out);
    if (img.isNull())
        throw EInvalidGraphic(InvalidText(format));
    if (IsReadInto(img, out))
        return out;
    out = RasterImage();  // Qt made an image of its own: free ours before the conversion
    return FromQImage(img);
}

TSize QtImageCodec::Measure(std::span<const std::uint8_t> bytes, std::string_view format) {
    BytesReader bytesReader(bytes, format);
    const QSize size = bytesReader.Reader().size();
    if (!size.isValid() || size.isEmpty())
        throw EInvalidGraphic(InvalidText(format));
    return {size.width(), size.height()};
}

std::vector<std::uint8_t> EncodeWithQt(const RasterImage& image, const char* format) {
    QImage img(reinterpret_cast<const uchar*>(image.Bits()), image.Width(), image.Height(), image.Width() * 4,
               QImage::Format_ARGB32);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(img))
        throw EInvalidGraphic("Cannot write a " + std::string(format) + " image");
    return {out.begin(), out.end()};
}

}  // namespace platform::ui
