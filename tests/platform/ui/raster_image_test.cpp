// Pixel copies and scaling: within one image in every direction, and the box average of a shrink.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/raster_image.h"

namespace {

using platform::ui::RasterImage;

// Every pixel different, opaque.
RasterImage Numbered(int width, int height) {
    RasterImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixel(x, y, 0xFF000000u | static_cast<std::uint32_t>(y * 256 + x));
    return image;
}

struct Shift {
    int dx;
    int dy;
};

// Copying a block onto an overlapping place of the same image gives what copying it from an
// untouched copy gives, whichever way it moves; with a colour key the keyed pixels stay out.
TEST(RasterImageTest, CopyWithinOneImageReadsEverySourcePixelBeforeItIsOverwritten) {
    const TRect block = Bounds(4, 4, 10, 8);
    const std::uint32_t key = 0xFF000000u | (6 * 256 + 7);  // one pixel inside the block
    for (Shift s : {Shift{3, 0}, {-3, 0}, {0, 2}, {0, -2}, {2, 3}, {-2, -3}, {3, -2}, {-3, 2}}) {
        for (const std::uint32_t* colourKey : {static_cast<const std::uint32_t*>(nullptr), &key}) {
            SCOPED_TRACE(::testing::Message()
                         << "dx " << s.dx << " dy " << s.dy << (colourKey ? " keyed" : ""));
            RasterImage image = Numbered(24, 20);
            RasterImage expected = image;
            const RasterImage untouched = image;
            expected.CopyFrom(untouched, block, {block.Left + s.dx, block.Top + s.dy}, expected.BoundsRect(),
                              true, colourKey);
            image.CopyFrom(image, block, {block.Left + s.dx, block.Top + s.dy}, image.BoundsRect(), true,
                           colourKey);
            for (int y = 0; y < image.Height(); ++y)
                for (int x = 0; x < image.Width(); ++x)
                    ASSERT_EQ(image.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(RasterImageTest, ShrinkingAveragesTheCoveredPixelsAndEnlargingRepeatsThem) {
    RasterImage source(4, 2);
    source.SetPixel(0, 0, 0xFF000000), source.SetPixel(1, 0, 0xFF0000FF);
    source.SetPixel(0, 1, 0xFF00FF00), source.SetPixel(1, 1, 0xFFFF0000);
    source.Fill(Rect(2, 0, 4, 2), 0xFF808080, source.BoundsRect());
    RasterImage shrunk(2, 1, 0);
    shrunk.StretchFrom(source, source.BoundsRect(), shrunk.BoundsRect(), shrunk.BoundsRect());
    EXPECT_EQ(shrunk.Pixel(0, 0), 0xFF3F3F3Fu);  // (255 + 0 + 0 + 0) / 4 in each colour
    EXPECT_EQ(shrunk.Pixel(1, 0), 0xFF808080u);

    RasterImage enlarged(8, 4, 0);
    enlarged.StretchFrom(source, source.BoundsRect(), enlarged.BoundsRect(), Rect(0, 0, 4, 4));
    EXPECT_EQ(enlarged.Pixel(3, 1), 0xFF0000FFu);
    EXPECT_EQ(enlarged.Pixel(1, 3), 0xFF00FF00u);
    EXPECT_EQ(enlarged.Pixel(4, 0), 0u);  // outside the clip: untouched
}

// A form's canvas scaling part of its own surface onto an overlapping place.
TEST(RasterImageTest, ScalingWithinOneSurfaceUsesThePixelsAsTheyWereBefore) {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    Application->CreateForm(&form);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 40, 30);
    form->Show();
    ui.ProcessMessages();
    RasterImage& surface = form->SurfaceImage();
    surface = Numbered(40, 30);
    const RasterImage before = surface;
    TCanvas* canvas = form->Canvas();
    canvas->CopyRect(Rect(2, 2, 22, 22), *canvas, Rect(0, 0, 10, 10));
    RasterImage expected = before;
    expected.StretchFrom(before, Rect(0, 0, 10, 10), Rect(2, 2, 22, 22), expected.BoundsRect());
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(form->SurfaceImage().Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
    Application->DestroyForms();
}

// The surface follows the window's size: what was drawn stays where it still fits, the rest
// takes the window's colour.
TEST(RasterImageTest, AFormSurfaceKeepsItsPixelsWhenTheWindowGrows) {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    Application->CreateForm(&form);
    form->SetBorderStyle(bsNone);
    form->SetColor(clWhite);
    form->SetBounds(0, 0, 20, 10);
    form->Show();
    ui.ProcessMessages();
    form->Canvas()->Brush()->SetColor(clRed);
    form->Canvas()->FillRect(Rect(0, 0, 20, 10));
    form->SetBounds(0, 0, 60, 40);
    const RasterImage& surface = form->SurfaceImage();
    ASSERT_EQ(surface.Width(), 60);
    ASSERT_EQ(surface.Height(), 40);
    EXPECT_EQ(surface.Pixel(19, 9), ColorToArgb(clRed));
    EXPECT_EQ(surface.Pixel(30, 20), ColorToArgb(clWhite));
    Application->DestroyForms();
}

}  // namespace
