// A form painted by the Qt host under the offscreen platform: a stretched JPEG, a transparent
// label and a panel, checked pixel by pixel in our surface and in what Qt shows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/image.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "platform/ui/picture.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/window_system.h"
#include "tests/support/qt_host_test.h"
#include "tests/support/temp_dir.h"

namespace {

int R(std::uint32_t p) {
    return (p >> 16) & 0xFF;
}
int G(std::uint32_t p) {
    return (p >> 8) & 0xFF;
}
int B(std::uint32_t p) {
    return p & 0xFF;
}

// A JPEG file 40 x 20: red on the left half, blue on the right.
std::string MakeJpeg(const std::filesystem::path& dir) {
    platform::ui::RasterImage img(40, 20, 0xFFFF0000);
    img.Fill(Rect(20, 0, 40, 20), 0xFF0000FF, img.BoundsRect());
    auto bytes = platform::ui::EncodeWithQt(img, "JPEG");
    auto path = dir / "halves.jpg";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

class QtPaintTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 200);
        image = NewComponent<TImage>(form);
        image->SetParent(form);
        image->SetAlign(alClient);
        image->SetStretch(true);
        image->SetTransparent(true);
        image->Picture()->LoadFromFile(MakeJpeg(dir.Path()));
        label = NewComponent<TLabel>(form);
        label->SetParent(form);
        label->SetLeft(220);
        label->SetTop(20);
        label->SetTransparent(true);
        label->Font()->SetName("Verdana");
        label->Font()->SetSize(16);
        label->Font()->SetColor(clMaroon);
        label->SetCaption("ЖЖЖЖ");
        panel = NewComponent<TPanel>(form);
        panel->SetParent(form);
        panel->SetBounds(250, 120, 100, 50);
        panel->SetColor(clSilver);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { Application->DestroyForms(); }
    testsupport::TempDir dir{"ui_qt"};
    TForm* form = nullptr;
    TImage* image = nullptr;
    TLabel* label = nullptr;
    TPanel* panel = nullptr;
};

TEST_F(QtPaintTest, StretchedJpegCoversTheWholeForm) {
    const auto& s = form->SurfaceImage();
    ASSERT_EQ(s.Width(), 400);
    for (auto [x, y] : {std::pair{5, 5}, {150, 190}, {100, 100}}) {
        EXPECT_GT(R(s.Pixel(x, y)), 200) << x << "," << y;
        EXPECT_LT(B(s.Pixel(x, y)), 60) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{210, 5}, {395, 195}, {300, 100}}) {
        EXPECT_GT(B(s.Pixel(x, y)), 200) << x << "," << y;
        EXPECT_LT(R(s.Pixel(x, y)), 60) << x << "," << y;
    }
}

TEST_F(QtPaintTest, TransparentLabelShowsRealTextOverThePicture) {
    // Real font metrics: a 16 pt line (21 px em) is taller than the em and shorter than twice it.
    EXPECT_GT(label->Height(), 21);
    EXPECT_LT(label->Height(), 42);
    EXPECT_GT(label->Width(), 40);
    const auto& s = form->SurfaceImage();
    int text = 0, picture = 0;
    for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
        for (int x = label->Left(); x < label->Left() + label->Width(); ++x) {
            std::uint32_t p = s.Pixel(x, y);
            if (R(p) > 90 && R(p) < 170 && B(p) < 80 && G(p) < 60)
                ++text;
            if (B(p) > 200 && R(p) < 60)
                ++picture;
        }
    EXPECT_GT(text, 30);      // maroon glyph pixels
    EXPECT_GT(picture, 200);  // the blue half between and around the glyphs
}

TEST_F(QtPaintTest, PanelPaintsItsColourAndBevelOverThePicture) {
    const auto& s = form->SurfaceImage();
    EXPECT_EQ(s.Pixel(300, 145) & 0xFFFFFF, 0xC0C0C0u);
    EXPECT_EQ(s.Pixel(250, 120) & 0xFFFFFF, 0xFFFFFFu);  // raised bevel: light top-left
    EXPECT_EQ(s.Pixel(349, 169) & 0xFFFFFF, 0x808080u);  // dark bottom-right
}

TEST_F(QtPaintTest, QtShowsWhatTheFormPainted) {
    auto shown = platform::ui::GrabHostWindow(*form);
    ASSERT_EQ(shown.Width(), 400);
    ASSERT_EQ(shown.Height(), 200);
    const auto& s = form->SurfaceImage();
    for (auto [x, y] : {std::pair{5, 5}, {300, 145}, {300, 100}, {label->Left() + 3, label->Top() + 12}})
        EXPECT_EQ(shown.Pixel(x, y) & 0xFFFFFF, s.Pixel(x, y) & 0xFFFFFF) << x << "," << y;
}

TEST_F(QtPaintTest, PlatformFontNamesResolveToInstalledFamilies) {
    auto& text = platform::ui::CurrentWindowSystem().Text();
    platform::ui::FontSpec spec{"", 21, {}};
    for (const char* name : {"Verdana", "MS Sans Serif", "Arial"}) {
        EXPECT_FALSE(text.ResolveFamily(name).empty()) << name;
        spec.Name = name;
        TSize size = text.Measure(spec, "Кабинет");
        EXPECT_GT(size.cx, 50) << name;
        EXPECT_GT(size.cy, 21) << name;
    }
}

TEST_F(QtPaintTest, DamagedJpegRaisesAClearError) {
    auto path = dir / "broken.jpg";
    std::ofstream(path, std::ios::binary) << "\xFF\xD8\xFF garbage";
    TPicture picture;
    try {
        picture.LoadFromFile(path.string());
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, "JPEG image is not valid");
    }
}

// A one-channel JPEG, 8 x 4, grey 0x80 on the left half and 0xE0 on the right: Qt reads it in a
// format of its own, which is converted.
TEST_F(QtPaintTest, GreyJpegIsReadIntoColourPixels) {
    TPicture picture;
    picture.LoadFromResourceName("greyjpeg");
    ASSERT_EQ(picture.Width(), 8);
    ASSERT_EQ(picture.Height(), 4);
    const platform::ui::RasterImage& pixels = picture.Graphic()->Image();
    for (auto [x, grey] : {std::pair{1, 0x80}, {6, 0xE0}}) {
        const std::uint32_t p = pixels.Pixel(x, 2);
        EXPECT_EQ(p >> 24, 0xFFu) << x;
        EXPECT_NEAR(R(p), grey, 4) << x;
        EXPECT_EQ(R(p), G(p)) << x;
        EXPECT_EQ(G(p), B(p)) << x;
    }
}

TEST_F(QtPaintTest, IconKeepsItsTransparency) {
    platform::ui::RasterImage img(16, 16, 0x00000000);
    img.Fill(Rect(4, 4, 12, 12), 0xFF00FF00, img.BoundsRect());
    auto bytes = platform::ui::EncodeWithQt(img, "ICO");
    auto path = dir / "dot.ico";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    TPicture picture;
    picture.LoadFromFile(path.string());
    ASSERT_EQ(picture.Width(), 16);
    TBitmap target;
    target.SetSize(16, 16);
    target.Canvas()->Brush()->SetColor(clRed);
    target.Canvas()->FillRect(Rect(0, 0, 16, 16));
    target.Canvas()->Draw(0, 0, picture.Graphic());
    EXPECT_EQ(target.Canvas()->Pixel(1, 1), clRed);   // clear corner
    EXPECT_EQ(target.Canvas()->Pixel(8, 8), clLime);  // opaque middle
}

}  // namespace
