// Pens, polygons, clip states and stretched copies on a bitmap's canvas, pixel by pixel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/headless.h"
#include "platform/ui/raster_ops.h"

namespace {

class PenDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bitmap.SetSize(40, 30);
        Clear(clWhite);
    }
    void Clear(TColor color) {
        canvas()->Brush()->SetColor(color);
        canvas()->FillRect(Rect(0, 0, 40, 30));
    }
    TCanvas* canvas() { return bitmap.Canvas(); }
    TColor At(int x, int y) { return canvas()->Pixel(x, y); }
    // One character per pixel of a row: '#' for colour, '.' for anything else.
    std::string Row(int y, int from, int to, TColor color) {
        std::string s;
        for (int x = from; x < to; ++x) s += At(x, y) == color ? '#' : '.';
        return s;
    }

    platform::ui::HeadlessSession ui;
    TBitmap bitmap;
};

TEST_F(PenDrawingTest, StylesDrawTheirPatternAndLeaveTheEndPoint) {
    struct Case {
        TPenStyle Style;
        int Width;
        std::string Expected;
    };
    const std::vector<Case> cases = {
        {psSolid, 1, "##############################."},
        {psDot, 1, "###...###...###...###...###...."},
        {psDash, 1, "##################......######."},
        {psDashDot, 1, "#########......###......######."},
        {psDashDotDot, 1, "#########...###...###...######."},
        {psClear, 1, "..............................."},
        {psInsideFrame, 1, "##############################."},
        {psDot, 2, "###############################"},  // wide pens draw solid, and reach further
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Style);
        Clear(clWhite);
        canvas()->Pen()->SetStyle(c.Style);
        canvas()->Pen()->SetWidth(c.Width);
        canvas()->MoveTo(0, 5);
        canvas()->LineTo(30, 5);
        EXPECT_EQ(Row(5, 0, 31, clBlack), c.Expected);
        EXPECT_EQ(canvas()->PenPos(), Point(30, 5));
    }
}

TEST_F(PenDrawingTest, WidePenCoversRowsAroundTheLine) {
    canvas()->Pen()->SetWidth(3);
    canvas()->MoveTo(5, 10);
    canvas()->LineTo(15, 10);
    for (int y = 8; y <= 12; ++y) EXPECT_EQ(At(8, y) == clBlack, y >= 9 && y <= 11) << y;
}

TEST_F(PenDrawingTest, LinesReachingFarOutsideDrawTheirVisiblePart) {
    canvas()->Pen()->SetWidth(3);
    const TPoint far[] = {{-2000000, 5}, {2000000, 5}, {2000000, 2000000}};
    canvas()->Polyline(far);
    EXPECT_EQ(Row(5, 0, 40, clBlack), std::string(40, '#'));
    EXPECT_EQ(At(20, 8), clWhite);
}

TEST_F(PenDrawingTest, RasterOperationsOnTheColourBits) {
    struct Case {
        TPenMode Mode;
        std::uint32_t Screen;
        std::uint32_t Pen;
        std::uint32_t Expected;
    };
    const std::vector<Case> cases = {
        {pmCopy, 0xFF123456, 0xFFABCDEF, 0xFFABCDEF},    {pmXor, 0xFF123456, 0xFFFFFFFF, 0xFFEDCBA9},
        {pmXor, 0xFF0F0F0F, 0xFF00FF00, 0xFF0FF00F},     {pmNotXor, 0xFF0F0F0F, 0xFF00FF00, 0xFFF00FF0},
        {pmNot, 0xFF123456, 0xFF000000, 0xFFEDCBA9},     {pmNop, 0xFF123456, 0xFFABCDEF, 0xFF123456},
        {pmBlack, 0xFF123456, 0xFFABCDEF, 0xFF000000},   {pmWhite, 0xFF123456, 0xFFABCDEF, 0xFFFFFFFF},
        {pmMask, 0xFF0F0F0F, 0xFF00FFFF, 0xFF000F0F},    {pmMerge, 0xFF0F0F0F, 0xFF00F000, 0xFF0FFF0F},
        {pmNotCopy, 0xFF000000, 0xFF00FF00, 0xFFFF00FF}, {pmMaskPenNot, 0xFF0F0F0F, 0xFFFFFFFF, 0xFFF0F0F0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mode);
        EXPECT_EQ(platform::ui::ApplyRasterOp(c.Mode, c.Screen, c.Pen), c.Expected);
    }
}

TEST_F(PenDrawingTest, XorLinesAndPolylinesUndoThemselves) {
    canvas()->Brush()->SetColor(clNavy);
    canvas()->FillRect(Rect(0, 0, 20, 30));
    canvas()->Pen()->SetMode(pmXor);
    canvas()->Pen()->SetColor(clWhite);
    const TPoint zigzag[] = {{2, 2}, {30, 2}, {30, 20}, {2, 20}, {2, 3}};
    canvas()->Polyline(zigzag);
    EXPECT_EQ(At(10, 2), clNavy ^ clWhite);
    EXPECT_EQ(At(25, 2), clBlack);  // white xor white
    EXPECT_EQ(At(30, 2), clBlack);  // the corner is drawn once
    EXPECT_EQ(At(2, 3), clNavy);    // the last point is left out
    canvas()->Polyline(zigzag);
    EXPECT_EQ(At(10, 2), clNavy);
    EXPECT_EQ(At(30, 2), clWhite);
    EXPECT_EQ(At(30, 10), clWhite);
}

TEST_F(PenDrawingTest, XorRectangleTakesItselfAwayInsideAndOut) {
    canvas()->Pen()->SetMode(pmXor);
    canvas()->Pen()->SetColor(clWhite);
    canvas()->Brush()->SetColor(clRed);
    for (int pass = 1; pass <= 2; ++pass) {
        SCOPED_TRACE(pass);
        canvas()->Rectangle(5, 5, 15, 15);
        EXPECT_EQ(At(5, 5), pass == 1 ? clBlack : clWhite);
        EXPECT_EQ(At(14, 14), pass == 1 ? clBlack : clWhite);
        EXPECT_EQ(At(10, 10), pass == 1 ? (clWhite ^ clRed) : clWhite);
    }
}

TEST_F(PenDrawingTest, PolygonFillsItsInsideAndClosesItsOutline) {
    canvas()->Brush()->SetColor(clYellow);
    canvas()->Pen()->SetColor(clRed);
    const TPoint square[] = {{5, 5}, {15, 5}, {15, 15}, {5, 15}};
    ASSERT_TRUE(Polygon(canvas(), square, 4));
    EXPECT_EQ(At(10, 10), clYellow);
    EXPECT_EQ(Row(5, 4, 17, clRed), ".###########.");
    EXPECT_EQ(Row(15, 4, 17, clRed), ".###########.");  // closed back to the first point
    EXPECT_EQ(At(5, 10), clRed);
    EXPECT_EQ(At(16, 10), clWhite);
    const TPoint triangle[] = {{20, 2}, {30, 12}, {20, 12}};
    const platform::ui::Region inside = CreatePolygonRgn(triangle);
    // The pixels whose centres lie inside: the tip's row has none.
    EXPECT_EQ(inside.Bounds(), Rect(20, 3, 29, 12));
}

TEST_F(PenDrawingTest, PolyPolylineDrawsEachRunOnItsOwn) {
    // Dotted lines are drawn this way: one two-point run per dot.
    const TPoint dots[] = {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}};
    const DWORD counts[] = {2, 2, 2};
    ASSERT_TRUE(PolyPolyline(canvas(), dots, counts, 3));
    EXPECT_EQ(Row(3, 0, 7, clBlack), "#.#.#..");
    const DWORD tooShort[] = {2, 1};
    EXPECT_FALSE(PolyPolyline(canvas(), dots, tooShort, 2));
}

TEST_F(PenDrawingTest, ClipIsSavedSelectedAndRestored) {
    canvas()->Brush()->SetColor(clRed);
    const int level = SaveDC(canvas());
    EXPECT_EQ(IntersectClipRect(canvas(), 10, 10, 20, 20), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(canvas(), 12, 12, 14, 14), COMPLEXREGION);
    platform::ui::Region clip;
    EXPECT_EQ(GetClipRgn(canvas(), clip), 1);
    EXPECT_EQ(clip.Bounds(), Rect(10, 10, 20, 20));
    canvas()->FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(At(10, 10), clRed);
    EXPECT_EQ(At(12, 12), clWhite);
    EXPECT_EQ(At(9, 10), clWhite);
    EXPECT_EQ(canvas()->ClipRect(), Rect(10, 10, 20, 20));
    ASSERT_TRUE(RestoreDC(canvas(), level));
    EXPECT_EQ(GetClipRgn(canvas(), clip), 0);
    EXPECT_FALSE(RestoreDC(canvas(), -1));  // nothing left to restore
    const platform::ui::Region band = CreateRectRgn(0, 0, 40, 2);
    EXPECT_EQ(SelectClipRgn(canvas(), &band), SIMPLEREGION);
    canvas()->FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(At(30, 1), clRed);
    EXPECT_EQ(At(30, 2), clWhite);
    SelectClipRgn(canvas(), nullptr);
    canvas()->FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(At(30, 2), clRed);
}

TEST_F(PenDrawingTest, NestedSavesRestoreToTheLevelAsked) {
    SaveDC(canvas());
    IntersectClipRect(canvas(), 0, 0, 10, 10);
    const int second = SaveDC(canvas());
    IntersectClipRect(canvas(), 0, 0, 5, 5);
    SaveDC(canvas());
    ASSERT_TRUE(RestoreDC(canvas(), second));
    EXPECT_EQ(canvas()->ClipRect(), Rect(0, 0, 10, 10));
    ASSERT_TRUE(RestoreDC(canvas(), -1));
    EXPECT_EQ(canvas()->ClipRect(), Rect(0, 0, 40, 30));
    EXPECT_FALSE(RestoreDC(canvas(), 5));
}

TEST_F(PenDrawingTest, StretchBltScalesIntoTheDestination) {
    TBitmap source;
    source.SetSize(2, 1);
    source.Canvas()->SetPixel(0, 0, clRed);
    source.Canvas()->SetPixel(1, 0, clBlue);
    ASSERT_TRUE(StretchBlt(canvas(), 10, 10, 8, 4, source.Canvas(), 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(At(10, 10), clRed);
    EXPECT_EQ(At(13, 13), clRed);
    EXPECT_EQ(At(14, 10), clBlue);
    EXPECT_EQ(At(17, 13), clBlue);
    EXPECT_EQ(At(18, 10), clWhite);
    EXPECT_EQ(At(10, 14), clWhite);
}

}  // namespace
