// What a backend keeps open on an image's pixels is let go before those pixels move or go away, and
// only then: a copy never shares it, and the pixels are still readable while it goes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/raster_image.h"

namespace {

using platform::ui::RasterImage;

// Notes, when let go, whether the pixels it was attached to were still where they were.
struct Release {
    bool Released = false;
    bool PixelsInPlace = false;
};

class Probe : public RasterImage::Attachment {
  public:
    Probe(RasterImage& image, Release& release)
        : image_(image), release_(release), bits_(image.Bits()), width_(image.Width()) {}
    ~Probe() override {
        release_.Released = true;
        release_.PixelsInPlace =
            image_.Bits() == bits_ && image_.Width() == width_ && image_.Pixel(1, 1) == 0xFF123456u;
    }

  private:
    RasterImage& image_;
    Release& release_;
    const std::uint32_t* bits_;
    int width_;
};

struct Step {
    std::string Name;
    std::function<void(std::optional<RasterImage>& image)> Run;
    bool LetsGo;
};

TEST(RasterImageAttachmentTest, GoesBeforeThePixelsMoveAndOnlyThen) {
    const Step steps[] = {
        {"resized", [](auto& image) { image->Resize(30, 5); }, true},
        {"resized to its own size", [](auto& image) { image->Resize(8, 6); }, false},
        {"drawn into",
         [](auto& image) {
             image->Fill({4, 4, 8, 6}, 0xFF000000u, image->BoundsRect());
         },
         false},
        {"copied from", [](auto& image) { RasterImage copy(*image); }, false},
        {"copied over", [](auto& image) { *image = RasterImage(3, 3); }, true},
        {"assigned a copy",
         [](auto& image) {
             const RasterImage other(8, 6);
             *image = other;
         },
         true},
        {"moved out", [](auto& image) { RasterImage taken(std::move(*image)); }, true},
        {"moved out by assignment",
         [](auto& image) {
             RasterImage taken;
             taken = std::move(*image);
         },
         true},
        {"destroyed", [](auto& image) { image.reset(); }, true},
        {"made to borrow other pixels",
         [](auto& image) {
             static std::uint32_t lent[4 * 2];
             image->Borrow(lent, 4, 2);
         },
         true},
        {"told to own the pixels it owns", [](auto& image) { image->OwnPixels(); }, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        std::optional<RasterImage> image(std::in_place, 8, 6);
        image->SetPixel(1, 1, 0xFF123456u);
        Release release;
        image->Attach(std::make_unique<Probe>(*image, release));
        step.Run(image);
        EXPECT_EQ(release.Released, step.LetsGo);
        if (step.LetsGo) {
            EXPECT_TRUE(release.PixelsInPlace);
        }
        if (image.has_value()) {
            EXPECT_EQ(image->GetAttachment() != nullptr, !step.LetsGo);
        }
        image.reset();  // the rest let go here, the pixels still in place
        EXPECT_TRUE(release.Released && release.PixelsInPlace);
    }
}

TEST(RasterImageAttachmentTest, CopiesAndMovesTakeThePixelsAlone) {
    RasterImage image(4, 3, 0xFF00FF00u);
    image.SetHasAlpha(true);
    Release release;
    image.Attach(std::make_unique<Probe>(image, release));
    const RasterImage copy(image);
    EXPECT_EQ(copy.GetAttachment(), nullptr);
    EXPECT_NE(image.GetAttachment(), nullptr);
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_TRUE(copy.HasAlpha());
    EXPECT_EQ(copy.Pixel(3, 2), 0xFF00FF00u);

    RasterImage moved(std::move(image));
    EXPECT_EQ(moved.GetAttachment(), nullptr);
    EXPECT_EQ(moved.Height(), 3);
    EXPECT_EQ(moved.Pixel(3, 2), 0xFF00FF00u);
    // The image moved out of holds nothing, and says so.
    EXPECT_TRUE(image.Empty());  // NOLINT(bugprone-use-after-move)
}

}  // namespace
