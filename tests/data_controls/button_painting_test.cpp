// Button faces on a headless bitmap (classic look): the cache, ellipsis dots, plus and minus bars,
// dotted lines and the growth of the export stream.
#include <gtest/gtest.h>

#include <functional>

#include "data_controls/button_bitmap_cache.h"
#include "data_controls/button_faces.h"
#include "data_controls/image_list_color.h"
#include "data_controls/memory_stream_eh.h"
#include "data_controls/tree_lines.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/colors.h"
#include "platform/ui/headless.h"
#include "platform/ui/image_list.h"

namespace {

bool IsColor(TBitmap& b, int x, int y, TColor color) {
    return (ColorToRGB(b.Canvas()->Pixel(x, y)) & 0xFFFFFF) == (ColorToRGB(color) & 0xFFFFFF);
}

int CountIn(TBitmap& b, const TRect& r, TColor color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) n += IsColor(b, x, y, color) ? 1 : 0;
    return n;
}

std::unique_ptr<TBitmap> Blank(int w, int h) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(clWhite);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

TEST(ButtonBitmapCache, KeysDecideWhatIsShared) {
    platform::ui::HeadlessSession ui;
    TButtonsBitmapCache cache;
    const TButtonBitmapKeyEh base{16, 20, dbsUpDownEh, false, false, false, true, 0, 0};
    TBitmap* first = cache.GetButtonBitmap(base);
    EXPECT_EQ(cache.GetButtonBitmap(base), first);
    struct Case {
        const char* what;
        std::function<void(TButtonBitmapKeyEh&)> change;
    };
    const Case cases[] = {
        {"check state", [](TButtonBitmapKeyEh& k) { k.CheckState = 1; }},
        {"half", [](TButtonBitmapKeyEh& k) { k.Half = 1; }},
        {"hot", [](TButtonBitmapKeyEh& k) { k.Hot = true; }},
        {"width", [](TButtonBitmapKeyEh& k) { k.Width = 17; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TButtonBitmapKeyEh key = base;
        c.change(key);
        const int before = cache.Count();
        EXPECT_NE(cache.GetButtonBitmap(key), first);
        EXPECT_EQ(cache.Count(), before + 1);
    }
    TBitmap* negative = cache.GetButtonBitmap({-5, 10, dbsEllipsisEh, false, false, false, true, 0, 0});
    EXPECT_EQ(negative->Width(), 0);
    EXPECT_EQ(cache.GetButtonBitmap({0, 10, dbsEllipsisEh, false, false, false, true, 0, 0}), negative);
}

TEST(ButtonFaces, EllipsisDotsAndGaps) {
    platform::ui::HeadlessSession ui;
    struct Case {
        int w, h;
        bool pressed;
        int dot, gap;
    };
    // Raised buttons: the inner area is the button less a 2-pixel rim.
    for (const Case& c : {Case{20, 16, false, 2, 2}, Case{20, 16, true, 2, 2}, Case{15, 12, false, 2, 1},
                          Case{11, 10, false, 1, 1}}) {
        SCOPED_TRACE(c.w);
        auto b = Blank(c.w, c.h);
        DrawEllipsisGlyph(b->Canvas(), Rect(0, 0, c.w, c.h), true, c.pressed, false, false);
        const TRect inner = Rect(2, 2, c.w - 2, c.h - 2);
        const int p = c.pressed ? 1 : 0;
        const int x = inner.Left + inner.Width() / 2 + p - c.dot / 2;
        const int y = inner.Top + inner.Height() / 2 + p - c.dot / 2;
        for (int dx : {-(c.gap + c.dot), 0, c.gap + c.dot}) {
            EXPECT_TRUE(IsColor(*b, x + dx, y, clBtnText)) << dx;
            EXPECT_TRUE(IsColor(*b, x + dx + c.dot - 1, y + c.dot - 1, clBtnText)) << dx;
        }
        EXPECT_EQ(CountIn(*b, inner, clBtnText), 3 * c.dot * c.dot);
    }
}

TEST(ButtonFaces, PlusAndMinusBars) {
    platform::ui::HeadlessSession ui;
    struct Case {
        int size;
        bool flat, plus;
        int pixels;
    };
    // 20 raised: inner 16, bar 10 x 3 (minus) or 9 x 3 crossed (plus, overlap 3 x 3).
    // 20 flat: inner 18, bar 10 -> 10 x 3, plus 11 (m < 12 is false: 10 -> 9).
    for (const Case& c : {Case{20, false, false, 30}, Case{20, false, true, 45}, Case{20, true, false, 30},
                          Case{20, true, true, 45}, Case{11, false, true, 5 * 1 * 2 - 1}}) {
        SCOPED_TRACE(testing::Message() << c.size << (c.flat ? " flat" : "") << (c.plus ? " plus" : ""));
        auto b = Blank(c.size, c.size);
        DrawPlusMinusGlyph(b->Canvas(), Rect(0, 0, c.size, c.size), true, false, false, c.flat, c.plus);
        const int rim = c.flat ? 1 : 2;
        EXPECT_EQ(CountIn(*b, Rect(rim, rim, c.size - rim, c.size - rim), clBtnText), c.pixels);
    }
}

TEST(ButtonFaces, DisabledMarksAreEmbossed) {
    platform::ui::HeadlessSession ui;
    auto b = Blank(20, 16);
    DrawEllipsisGlyph(b->Canvas(), Rect(0, 0, 20, 16), false, false, false, false);
    EXPECT_EQ(CountIn(*b, Rect(2, 2, 18, 14), clBtnText), 0);
    EXPECT_TRUE(IsColor(*b, 9, 7, clBtnShadow));
    EXPECT_TRUE(IsColor(*b, 11, 9, clBtnHighlight));
}

TEST(PaintEditButton, ClassicFramesAndMiddleRow) {
    platform::ui::HeadlessSession ui;
    struct Case {
        const char* what;
        TDrawButtonStyleEh style;
        bool flat, hot;
        int w, h;
        TPoint parentColoured, notParentColoured;
    };
    const Case cases[] = {
        {"flat at rest: a frame of the parent's colour", dbsDropDownEh, true, false, 18, 20, {0, 7}, {1, 7}},
        {"flat and hot: the face reaches the edge", dbsEllipsisEh, true, true, 18, 20, {-1, -1}, {0, 7}},
        {"raised: the face reaches the edge", dbsPlusEh, false, false, 18, 20, {-1, -1}, {0, 7}},
        {"up-down of odd height: the middle row", dbsUpDownEh, false, false, 18, 21, {8, 10}, {8, 9}},
        {"flat up-down: rows around the middle", dbsUpDownEh, true, false, 18, 20, {8, 10}, {8, 5}},
        {"flat check box at rest: a frame of the parent's colour",
         dbsCheckBoxEh,
         true,
         false,
         16,
         16,
         {0, 8},
         {1, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FlushButtonBitmapCache();
        auto b = Blank(c.w, c.h);
        PaintEditButton(b->Canvas(), Rect(0, 0, c.w, c.h), clLime, 0, true, c.hot, c.flat, 0, c.style);
        if (c.parentColoured.X >= 0) {
            EXPECT_TRUE(IsColor(*b, c.parentColoured.X, c.parentColoured.Y, clLime));
        }
        EXPECT_FALSE(IsColor(*b, c.notParentColoured.X, c.notParentColoured.Y, clLime));
    }
}

TEST(TreeLines, DottedLineDotsAndPhase) {
    platform::ui::HeadlessSession ui;
    struct Case {
        TPoint at;
        int length, phase;
        int dots;
        int firstX;
    };
    for (const Case& c : {Case{{2, 4}, 10, 0, 5, 2}, Case{{2, 4}, 9, 0, 5, 2}, Case{{2, 4}, 10, 1, 5, 3},
                          Case{{3, 4}, 10, 0, 5, 4}}) {
        SCOPED_TRACE(c.length * 10 + c.phase);
        auto b = Blank(30, 10);
        b->Canvas()->Pen()->SetColor(clBlack);
        DrawDottedLine(*b->Canvas(), c.at, c.length, c.phase, true);
        EXPECT_EQ(CountIn(*b, Rect(0, 0, 30, 10), clBlack), c.dots);
        EXPECT_TRUE(IsColor(*b, c.firstX, 4, clBlack));
        EXPECT_FALSE(IsColor(*b, c.firstX + 1, 4, clBlack));
    }
}

TEST(TreeLines, NodeBoxesAndConnectors) {
    platform::ui::HeadlessSession ui;
    struct Case {
        int kind;
        bool plus, lineUp, lineDown;
    };
    // Cell 20 x 20: the box is 9 x 9 around (10, 10).
    for (const Case& c : {Case{0, false, true, true}, Case{2, false, false, true}, Case{3, true, true, true},
                          Case{4, true, true, false}}) {
        SCOPED_TRACE(c.kind);
        auto b = Blank(20, 20);
        DrawTreeNodeGlyph(*b->Canvas(), Rect(0, 0, 20, 20), c.kind, 1, 1, 0);
        EXPECT_TRUE(IsColor(*b, 6, 6, clBtnShadow));  // box corners
        EXPECT_TRUE(IsColor(*b, 14, 14, clBtnShadow));
        EXPECT_TRUE(IsColor(*b, 8, 10, clWindowText));  // the minus bar
        EXPECT_EQ(IsColor(*b, 10, 8, clWindowText), c.plus);
        EXPECT_EQ(IsColor(*b, 10, 0, clBtnShadow), c.lineUp);
        EXPECT_EQ(IsColor(*b, 10, 18, clBtnShadow), c.lineDown);
        EXPECT_TRUE(IsColor(*b, 16, 10, clBtnShadow));  // the connector to the right
    }
}

TEST(DrawImageCentered, ALargerImageIsClippedToTheCell) {
    platform::ui::HeadlessSession ui;
    TImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(16);
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 16, 16));
    images.Add(&red, nullptr);
    auto b = Blank(30, 30);
    DrawImageCentered(b->Canvas(), Rect(10, 10, 20, 20), &images, false, 0);
    EXPECT_EQ(CountIn(*b, Rect(0, 0, 30, 30), clRed), 100);
    EXPECT_TRUE(IsColor(*b, 10, 10, clRed));
    EXPECT_TRUE(IsColor(*b, 9, 15, clWhite));
}

TEST(MemoryStreamEh, GrowsInStepsOfTwiceTheHalfDelta) {
    TMemoryStreamEh stream;
    const char byte = 'x';
    stream.Write(&byte, 1);
    EXPECT_EQ(stream.Capacity(), 8192);
    stream.SetSize(8193);
    EXPECT_EQ(stream.Capacity(), 16384);
    stream.Clear();
    EXPECT_EQ(stream.Capacity(), 0);
}

}  // namespace
