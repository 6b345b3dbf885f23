// Cell text output on the headless host, whose 8-point font has cells 7 pixels wide and lines 13
// high: where single, wrapped and upward text lands, shortening with "...", the off-screen path
// for brush colours the display cannot show, and the canvas left as it was when drawing raises.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data_grid/draw_bitmap.h"
#include "data_grid/grid_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/headless.h"
#include "platform/ui/image_list.h"

namespace {

struct TextRun {
    std::string Text;
    int X;
    int Y;
    int Escapement = 0;
    bool operator==(const TextRun&) const = default;
};

void PrintTo(const TextRun& run, std::ostream* os) {
    *os << '"' << run.Text << "\"@" << run.X << ',' << run.Y << '/' << run.Escapement;
}

struct GridText : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TBitmap bitmap;
    TCanvas* canvas = nullptr;

    GridText() {
        bitmap.SetSize(300, 200);
        canvas = bitmap.Canvas();
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect({0, 0, 300, 200});
        canvas->Font()->SetColor(clRed);
    }
    std::vector<TextRun> Runs() {
        std::vector<TextRun> runs;
        for (const auto& drawn : ui.System().TextLog().Drawn)
            runs.push_back({drawn.Text, drawn.At.X, drawn.At.Y, drawn.Font.Escapement});
        ui.System().TextLog().Drawn.clear();
        return runs;
    }
    std::uint32_t At(int x, int y) { return bitmap.Pixels().Pixel(x, y); }
};

struct HorizontalCase {
    const char* name;
    std::string text;
    TRect rect;
    TAlignment alignment;
    TTextLayout layout;
    int dx, dy;
    bool multiLine, ellipsis;
    TFontStyles style;
    int leftMargin;
    std::vector<TextRun> expected;
};

// Rect {10, 20, 110, 60}: 100 wide, 40 high; "abcd" is 28 x 13.
TEST_F(GridText, HorizontalTextPlacement) {
    const TRect cell{10, 20, 110, 60};
    const TRect narrow{10, 20, 40, 80};  // 30 wide: "ab cd ef" wraps word by word
    const HorizontalCase cases[] = {
        {"left top", "abcd", cell, taLeftJustify, tlTop, 2, 1, false, false, {}, 0, {{"abcd", 12, 21}}},
        {"right ends 3 inside",
         "abcd",
         cell,
         taRightJustify,
         tlTop,
         2,
         1,
         false,
         false,
         {},
         0,
         {{"abcd", 79, 21}}},
        {"right whatever dx",
         "abcd",
         cell,
         taRightJustify,
         tlTop,
         9,
         1,
         false,
         false,
         {},
         0,
         {{"abcd", 79, 21}}},
        {"right bold",
         "abcd",
         cell,
         taRightJustify,
         tlTop,
         2,
         1,
         false,
         false,
         {fsBold},
         0,
         {{"abcd", 79, 21}}},
        {"centre", "abcd", cell, taCenter, tlTop, 2, 1, false, false, {}, 0, {{"abcd", 46, 21}}},
        {"centre italic",
         "abcd",
         cell,
         taCenter,
         tlTop,
         2,
         1,
         false,
         false,
         {fsItalic},
         0,
         {{"abcd", 46, 21}}},
        {"layout centre",
         "abcd",
         cell,
         taLeftJustify,
         tlCenter,
         2,
         1,
         false,
         false,
         {},
         0,
         {{"abcd", 12, 33}}},
        {"layout bottom",
         "abcd",
         cell,
         taLeftJustify,
         tlBottom,
         2,
         1,
         false,
         false,
         {},
         0,
         {{"abcd", 12, 47}}},
        {"bottom that does not fit",
         "abcd",
         {10, 20, 110, 33},
         taLeftJustify,
         tlBottom,
         2,
         1,
         false,
         false,
         {},
         0,
         {{"abcd", 12, 21}}},
        {"ellipsis",
         "abcdefghijklmnop",
         cell,
         taLeftJustify,
         tlTop,
         2,
         1,
         false,
         true,
         {},
         0,
         {{"abcdefghijk...", 12, 21}}},
        {"ellipsis right",
         "abcdefghijklmnop",
         cell,
         taRightJustify,
         tlTop,
         2,
         1,
         false,
         true,
         {},
         0,
         {{"abcdefghijk...", 9, 21}}},
        {"wrapped top",
         "ab cd ef",
         narrow,
         taLeftJustify,
         tlTop,
         2,
         1,
         true,
         false,
         {},
         0,
         {{"ab", 12, 21}, {"cd", 12, 34}, {"ef", 12, 47}}},
        {"wrapped bottom",
         "ab cd ef",
         narrow,
         taLeftJustify,
         tlBottom,
         2,
         1,
         true,
         false,
         {},
         0,
         {{"ab", 12, 40}, {"cd", 12, 53}, {"ef", 12, 66}}},
        {"wrapped centre",
         "ab cd ef",
         narrow,
         taLeftJustify,
         tlCenter,
         2,
         1,
         true,
         false,
         {},
         0,
         {{"ab", 12, 31}, {"cd", 12, 44}, {"ef", 12, 57}}},
        {"wrapped right",
         "ab cd ef",
         narrow,
         taRightJustify,
         tlTop,
         2,
         1,
         true,
         false,
         {},
         0,
         {{"ab", 24, 21}, {"cd", 24, 34}, {"ef", 24, 47}}},
        {"wrapped left margin",
         "ab cd",
         {10, 20, 50, 80},
         taLeftJustify,
         tlTop,
         2,
         1,
         true,
         false,
         {},
         3,
         {{"ab", 15, 21}, {"cd", 15, 34}}},
    };
    for (const HorizontalCase& c : cases) {
        SCOPED_TRACE(c.name);
        canvas->Font()->SetStyle(c.style);
        DrawGridText(canvas, c.rect, true, c.dx, c.dy, c.text, c.alignment, c.layout, c.multiLine, c.ellipsis,
                     c.leftMargin, 0, false);
        EXPECT_EQ(Runs(), c.expected);
    }
}

TEST_F(GridText, FillPaintsTheCellAndNoFillLeavesItWithTheBrushRestored) {
    canvas->Brush()->SetColor(clYellow);
    for (bool multiLine : {false, true}) {
        SCOPED_TRACE(multiLine);
        DrawGridText(canvas, {0, 0, 60, 30}, true, 2, 2, "x", taLeftJustify, tlTop, multiLine, false, 0, 0,
                     false);
        EXPECT_EQ(At(58, 28), 0xFFFFFF00u);
        DrawGridText(canvas, {100, 0, 160, 30}, false, 2, 2, "x", taLeftJustify, tlTop, multiLine, false, 0,
                     0, false);
        EXPECT_EQ(At(158, 28), 0xFFFFFFFFu);
        EXPECT_EQ(canvas->Brush()->Style(), bsSolid);
    }
}

struct VerticalCase {
    const char* name;
    TAlignment alignment;
    TTextLayout layout;
    TFontStyles style;
    TextRun expected;
};

// Rect {0, 0, 20, 100}, dx 2, dy 3; "abc" is 21 along its direction and 13 across.
TEST_F(GridText, VerticalTextReadsUpwardFromItsPlace) {
    const VerticalCase cases[] = {
        {"left bottom", taLeftJustify, tlBottom, {}, {"abc", 2, 97, 900}},
        {"right", taRightJustify, tlBottom, {}, {"abc", 7, 97, 900}},
        {"centre", taCenter, tlBottom, {}, {"abc", 4, 97, 900}},
        {"top: ends at the top", taLeftJustify, tlTop, {}, {"abc", 2, 21, 900}},
        {"middle", taLeftJustify, tlCenter, {}, {"abc", 2, 60, 900}},
        // Italic reaches (13 - 2) * 1 / 4 = 2 pixels further.
        {"italic top", taLeftJustify, tlTop, {fsItalic}, {"abc", 2, 23, 900}},
    };
    for (const VerticalCase& c : cases) {
        SCOPED_TRACE(c.name);
        canvas->Font()->SetStyle(c.style);
        const int extent = DrawGridTextVertical(canvas, {0, 0, 20, 100}, true, 2, 3, "abc", c.alignment,
                                                c.layout, true, false);
        EXPECT_EQ(extent, c.style.Contains(fsItalic) ? 23 : 21);
        EXPECT_EQ(Runs(), std::vector<TextRun>{c.expected});
        EXPECT_EQ(canvas->Font()->Spec().Escapement, 0);
        EXPECT_EQ(canvas->Font()->Handle(), nullptr);
    }
    // Glyph boxes stand across the text's direction: the first character's just above the start.
    DrawGridTextVertical(canvas, {0, 0, 20, 100}, true, 2, 3, "abc", taLeftJustify, tlBottom, false, false);
    EXPECT_EQ(At(10, 95), 0xFFFF0000u);
    EXPECT_EQ(At(10, 60), 0xFFFFFFFFu);
    Runs();
    canvas->Font()->SetStyle({});
    EXPECT_EQ(
        DrawGridTextVertical(canvas, {0, 0, 20, 100}, true, 2, 3, "abcd", taLeftJustify, tlTop, false, true),
        28);
    EXPECT_TRUE(Runs().empty());
}

TEST_F(GridText, RotatedFontKeepsTheFontsLook) {
    TFont font;
    font.SetName("Default");
    font.SetSize(10);
    font.SetStyle({fsBold, fsUnderline});
    const HFONT rotated = CreateRotatedFont(font);
    EXPECT_EQ(rotated->lfEscapement, 900);
    EXPECT_EQ(rotated->lfOrientation, 900);
    EXPECT_EQ(rotated->lfHeight, font.Height());
    EXPECT_EQ(rotated->lfWeight, 700);
    EXPECT_EQ(rotated->lfUnderline, 1);
    EXPECT_EQ(rotated->lfItalic, 0);
    EXPECT_EQ(rotated->lfFaceName, "MS Sans Serif");
    EXPECT_EQ(rotated->lfOutPrecision, 7);
    font.SetName("Arial");
    EXPECT_EQ(CreateRotatedFont(font)->lfFaceName, "Arial");
}

struct ShortenCase {
    const char* name;
    std::string text;
    int maxWidth;
    std::string expected;
};

TEST_F(GridText, ShortenTextToWidthDropsWholeCharacters) {
    const ShortenCase cases[] = {
        {"fits", "abcd", 28, "abcd"},
        {"one character", "a", 6, "..."},
        {"drops from the end", "abcdefg", 35, "ab..."},
        {"nothing fits", "abcd", 3, "..."},
        {"cyrillic", "Иванов", 41, "Ив..."},
        {"cyrillic longer", "Иванова", 48, "Ива..."},
        {"cyrillic fits", "Иванов", 42, "Иванов"},
        {"empty", "", -1, ""},
        {"broken sequence", "ab\xD0", 20, "..."},
    };
    for (const ShortenCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShortenTextToWidth(c.text, canvas, c.maxWidth), c.expected);
    }
}

// A display that shows the cell's brush colour as another: the text goes through the shared bitmap.
struct GridTextOffscreen : GridText {
    TDrawBitmapUserEh user;  // as a grid holds it
    GridTextOffscreen() {
        ui.System().NearestColorMap = [](std::uint32_t rgb) {
            return rgb == 0x00C0C0C0u ? 0x00C8D0D4u : rgb;
        };
        canvas->Brush()->SetColor(static_cast<TColor>(0x00C0C0C0));
    }
};

TEST_F(GridTextOffscreen, TextIsDrawnOnTheSharedBitmapAndCopiedBack) {
    EXPECT_NE(GetNearestColor(canvas->Handle(), 0x00C0C0C0), 0x00C0C0C0);
    DrawGridText(canvas, {50, 40, 150, 80}, true, 2, 1, "abcd", taLeftJustify, tlTop, false, false, 0, 0,
                 false);
    // Drawn at the bitmap's origin (with the indents), then copied to the cell.
    EXPECT_EQ(Runs(), (std::vector<TextRun>{{"abcd", 2, 1}}));
    EXPECT_EQ(At(149, 79), 0xFFC0C0C0u);
    EXPECT_EQ(At(55, 50), 0xFFFF0000u);
    EXPECT_EQ(At(150, 80), 0xFFFFFFFFu);
    TBitmap* shared = DrawBitmap();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->Canvas()->LockCount(), 0);
    EXPECT_EQ(DrawBitmapUsers(), 1);
    EXPECT_GE(shared->Width(), 100);
    EXPECT_GE(shared->Height(), 40);
    DrawGridText(canvas, {0, 0, 10, 10}, true, 0, 0, "a", taLeftJustify, tlTop, true, false, 0, 0, false);
    EXPECT_GE(shared->Width(), 100);  // only grows
    EXPECT_GE(shared->Height(), 40);
    DrawGridTextVertical(canvas, {0, 100, 20, 200}, true, 2, 3, "abc", taLeftJustify, tlBottom, false, false);
    EXPECT_EQ(Runs().back().Escapement, 900);
    EXPECT_EQ(At(19, 199), 0xFFC0C0C0u);
    EXPECT_EQ(canvas->Font()->Handle(), nullptr);
    // A true-colour brush draws straight onto the canvas.
    canvas->Brush()->SetColor(clWhite);
    DrawGridText(canvas, {50, 40, 150, 80}, true, 2, 1, "abcd", taLeftJustify, tlTop, false, false, 0, 0,
                 false);
    EXPECT_EQ(Runs(), (std::vector<TextRun>{{"abcd", 52, 41}}));
}

TEST(DrawBitmapUsers, TheBitmapLivesWhileAnyUserDoes) {
    const int before = DrawBitmapUsers();
    {
        TDrawBitmapUserEh first;
        TBitmap* bitmap = DrawBitmap();
        ASSERT_NE(bitmap, nullptr);
        {
            TDrawBitmapUserEh second;
            EXPECT_EQ(DrawBitmap(), bitmap);
            EXPECT_EQ(DrawBitmapUsers(), before + 2);
        }
        EXPECT_EQ(DrawBitmap(), bitmap);
    }
    EXPECT_EQ(DrawBitmapUsers(), before);
    if (before == 0) {
        EXPECT_EQ(DrawBitmap(), nullptr);
        ReleaseDrawBitmap();  // unmatched: nothing happens
        EXPECT_EQ(DrawBitmapUsers(), 0);
    }
}

// A host whose text drawing fails for the text "boom".
class RaisingTextEngine : public platform::ui::HeadlessTextEngine {
  public:
    void Draw(platform::ui::RasterImage& image, const platform::ui::FontSpec& font, std::uint32_t argb,
              const TRect& clip, int x, int y, std::string_view text) override {
        if (text == "boom")
            throw Exception("drawing failed");
        HeadlessTextEngine::Draw(image, font, argb, clip, x, y, text);
    }
};
class RaisingHost : public platform::ui::HeadlessWindowSystem {
  public:
    platform::ui::TextEngine& Text() override { return engine; }
    RaisingTextEngine engine;
};

// A bitmap whose drawing fails.
class RaisingBitmap : public TBitmap {
  public:
    void Draw(TCanvas&, const TRect&) override { throw Exception("drawing failed"); }
};

struct GridTextRaising : GridText {
    RaisingHost host;
    GridTextRaising() { platform::ui::SetWindowSystem(&host); }
    ~GridTextRaising() override { platform::ui::SetWindowSystem(&ui.System()); }
};

TEST_F(GridTextRaising, BrushFontLockAndClipComeBackWhenDrawingRaises) {
    TDrawBitmapUserEh user;
    const TRect cell{10, 10, 60, 40};
    for (bool offscreen : {false, true}) {
        SCOPED_TRACE(offscreen);
        host.NearestColorMap = [offscreen](std::uint32_t rgb) { return offscreen ? rgb ^ 1u : rgb; };
        for (bool multiLine : {false, true}) {
            EXPECT_THROW(DrawGridText(canvas, cell, false, 2, 1, "boom", taLeftJustify, tlTop, multiLine,
                                      false, 0, 0, false),
                         Exception);
            EXPECT_EQ(canvas->Brush()->Style(), bsSolid);
        }
        EXPECT_THROW(
            DrawGridTextVertical(canvas, cell, true, 2, 1, "boom", taLeftJustify, tlTop, false, false),
            Exception);
        EXPECT_EQ(canvas->Font()->Handle(), nullptr);
        EXPECT_EQ(canvas->Brush()->Style(), bsSolid);
        EXPECT_EQ(DrawBitmap()->Canvas()->LockCount(), 0);
    }
    RaisingBitmap image;
    image.SetSize(40, 40);
    canvas->SetOwnClip(platform::ui::Region(TRect{0, 0, 100, 100}));
    EXPECT_THROW(DrawImageClipped(nullptr, &image, canvas, cell, 0, 0, taLeftJustify), Exception);
    ASSERT_TRUE(canvas->OwnClip().has_value());
    EXPECT_EQ(canvas->OwnClip()->Bounds(), (TRect{0, 0, 100, 100}));
    canvas->SetOwnClip(std::nullopt);
    EXPECT_THROW(DrawImageClipped(nullptr, &image, canvas, cell, 0, 0, taLeftJustify), Exception);
    EXPECT_FALSE(canvas->OwnClip().has_value());
}

TEST_F(GridText, ImagesFitOrAreClippedToTheCell) {
    TBitmap image;
    image.SetSize(16, 16);
    image.Canvas()->Brush()->SetColor(clBlue);
    image.Canvas()->FillRect({0, 0, 16, 16});
    struct ImageCase {
        const char* name;
        TRect cell;
        TAlignment align;
        TRect painted;  // blue where the cell lets it show
    };
    const ImageCase cases[] = {
        {"left fits", {10, 10, 40, 40}, taLeftJustify, {12, 17, 28, 33}},
        {"right, dx past the edge", {10, 10, 40, 40}, taRightJustify, {26, 17, 40, 33}},
        {"centre fits", {10, 10, 40, 40}, taCenter, {19, 17, 35, 33}},
        {"narrow cell clips", {100, 10, 108, 40}, taCenter, {100, 17, 108, 33}},
        {"low cell clips", {150, 10, 190, 18}, taLeftJustify, {152, 10, 168, 18}},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.name);
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect({0, 0, 300, 200});
        DrawImageClipped(nullptr, &image, canvas, c.cell, 0, 2, c.align);
        TRect found{300, 200, 0, 0};
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                if (At(x, y) == 0xFF0000FFu)
                    found = {std::min(found.Left, x), std::min(found.Top, y), std::max(found.Right, x + 1),
                             std::max(found.Bottom, y + 1)};
        EXPECT_EQ(found, c.painted);
        EXPECT_FALSE(canvas->OwnClip().has_value());
    }
}

}  // namespace
