// When JPEG pictures are decoded: files at once, built-in ones when first drawn.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ui/bitmap.h"
#include "platform/ui/image_codec.h"
#include "platform/ui/jpeg_image.h"
#include "platform/ui/picture.h"
#include "platform/ui/resources.h"
#include "tests/support/temp_dir.h"

namespace {

using platform::ui::RasterImage;

// Stands in for the real decoder: "J<width>" is a picture of that width, one pixel high, all of
// one colour; "X<width>" has a good header and damaged content; anything else is no JPEG.
class CountingCodec : public platform::ui::ImageCodec {
  public:
    RasterImage Decode(std::span<const std::uint8_t> bytes, std::string_view) override {
        ++decodes;
        if (bytes.size() != 2 || bytes[0] != 'J')
            throw EInvalidGraphic("JPEG image is not valid");
        return RasterImage(bytes[1], 1, 0xFF112233);
    }
    TSize Measure(std::span<const std::uint8_t> bytes, std::string_view) override {
        if (bytes.size() != 2 || (bytes[0] != 'J' && bytes[0] != 'X'))
            throw EInvalidGraphic("JPEG image is not valid");
        return {bytes[1], 1};
    }
    int decodes = 0;
};

class JpegImageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = platform::ui::CurrentImageCodec();
        platform::ui::SetImageCodec(&codec);
    }
    void TearDown() override { platform::ui::SetImageCodec(previous_); }

    static void Register(const char* name, const std::uint8_t (&bytes)[2]) {
        if (platform::ui::FindResource(name) == nullptr)
            platform::ui::RegisterResource(name, "jpg", bytes, sizeof bytes);
    }
    std::string WriteFile(const std::string& bytes) {
        const auto path = dir_.Path() / "splash.jpg";
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    static std::uint32_t DrawnPixel(TGraphic& graphic) {
        TBitmap target;
        target.SetSize(8, 1);
        target.Canvas()->Draw(0, 0, &graphic);
        return target.Pixels().Pixel(0, 0);
    }

    CountingCodec codec;
    testsupport::TempDir dir_{"ui_jpeg"};

  private:
    platform::ui::ImageCodec* previous_ = nullptr;
};

constexpr std::uint8_t kFourWide[] = {'J', 4};
constexpr std::uint8_t kDamaged[] = {'X', 3};
constexpr std::uint8_t kNoJpeg[] = {'?', 3};

TEST_F(JpegImageTest, BuiltInPictureKnowsItsSizeAtOnceAndIsDecodedOnceWhenFirstDrawn) {
    Register("jpeg_four_wide", kFourWide);
    TPicture picture;
    picture.LoadFromResourceName("jpeg_four_wide");
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 1);
    EXPECT_EQ(codec.decodes, 0);
    EXPECT_EQ(DrawnPixel(*picture.Graphic()), 0xFF112233u);
    EXPECT_EQ(DrawnPixel(*picture.Graphic()), 0xFF112233u);
    EXPECT_EQ(codec.decodes, 1);
}

TEST_F(JpegImageTest, BuiltInPictureReplacedBeforeItIsDrawnIsNeverDecoded) {
    Register("jpeg_four_wide", kFourWide);
    TPicture picture;
    picture.LoadFromResourceName("jpeg_four_wide");
    picture.LoadFromFile(WriteFile("J\x06"));
    EXPECT_EQ(codec.decodes, 1);  // the file only, at its load
    EXPECT_EQ(picture.Width(), 6);
}

TEST_F(JpegImageTest, DamagedContentFailsAtTheLoadOfAFileAndOnceAtTheFirstDrawOfABuiltInPicture) {
    TPicture picture;
    EXPECT_THROW(picture.LoadFromFile(WriteFile("X\x03")), EInvalidGraphic);
    EXPECT_EQ(picture.Graphic(), nullptr);

    Register("jpeg_no_jpeg", kNoJpeg);
    EXPECT_THROW(picture.LoadFromResourceName("jpeg_no_jpeg"), EInvalidGraphic);  // its header already
    EXPECT_EQ(picture.Graphic(), nullptr);

    Register("jpeg_damaged", kDamaged);
    picture.LoadFromResourceName("jpeg_damaged");
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_THROW(DrawnPixel(*picture.Graphic()), EInvalidGraphic);
    // Reported once: afterwards the picture is empty and draws nothing.
    EXPECT_TRUE(picture.Graphic()->Empty());
    EXPECT_EQ(DrawnPixel(*picture.Graphic()), 0xFFFFFFFFu);
}

}  // namespace
