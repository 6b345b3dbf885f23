// DrawText, ExtTextOut and text metrics on the headless host: the default 8-point font there has
// cells 7 pixels wide and 13 high, its baseline 10 rows down.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/headless.h"

namespace {

struct TextRun {
    std::string Text;
    int X;
    int Y;
    bool operator==(const TextRun&) const = default;
};

void PrintTo(const TextRun& run, std::ostream* os) {
    *os << '"' << run.Text << "\"@" << run.X << ',' << run.Y;
}

class DrawTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bitmap.SetSize(200, 100);
        canvas()->Font()->SetColor(clRed);
        canvas()->Brush()->SetStyle(bsClear);
    }
    TCanvas* canvas() { return bitmap.Canvas(); }
    std::vector<TextRun> Runs() {
        std::vector<TextRun> runs;
        for (const auto& drawn : ui.System().TextLog().Drawn)
            runs.push_back({drawn.Text, drawn.At.X, drawn.At.Y});
        return runs;
    }
    std::uint32_t At(int x, int y) { return bitmap.Pixels().Pixel(x, y); }

    platform::ui::HeadlessSession ui;
    TBitmap bitmap;
    const TRect box{10, 10, 80, 50};  // ten characters wide, three lines high and a bit
};

struct DrawCase {
    const char* Name;
    std::string Text;
    UINT Format;
    std::vector<TextRun> Expected;
    int Height;
};

TEST_F(DrawTextTest, FormatFlagsPlaceTheLines) {
    const std::vector<DrawCase> cases = {
        {"left and top", "abc", DT_LEFT | DT_TOP, {{"abc", 10, 10}}, 13},
        {"centred", "abc", DT_CENTER, {{"abc", 34, 10}}, 13},
        {"right", "abc", DT_RIGHT, {{"abc", 59, 10}}, 13},
        {"vertically centred single line", "abc", DT_SINGLELINE | DT_VCENTER, {{"abc", 10, 23}}, 26},
        {"bottom single line", "abc", DT_SINGLELINE | DT_BOTTOM, {{"abc", 10, 37}}, 40},
        {"vertical placement needs a single line", "abc", DT_VCENTER, {{"abc", 10, 10}}, 13},
        {"CR LF, LF and CR break lines",
         "ab\r\ncd\nef\rg",
         0,
         {{"ab", 10, 10}, {"cd", 10, 23}, {"ef", 10, 36}, {"g", 10, 49}},
         52},
        {"a single line keeps its breaks as characters", "ab\ncd", DT_SINGLELINE, {{"ab\ncd", 10, 10}}, 13},
        {"word break between words, blanks at the break dropped",
         "one two three four",
         DT_WORDBREAK,
         {{"one two", 10, 10}, {"three four", 10, 23}},
         26},
        {"word break keeps a line's leading blanks", "  ab", DT_WORDBREAK, {{"  ab", 10, 10}}, 13},
        {"a word wider than the line stands alone",
         "abcdefghijklm xy",
         DT_WORDBREAK,
         {{"abcdefghijklm", 10, 10}, {"xy", 10, 23}},
         26},
        {"edit-control breaking splits a long word",
         "abcdefghijklm",
         DT_WORDBREAK | DT_EDITCONTROL,
         {{"abcdefghij", 10, 10}, {"klm", 10, 23}},
         26},
        {"word break ignored on a single line",
         "one two three four",
         DT_WORDBREAK | DT_SINGLELINE,
         {{"one two three four", 10, 10}},
         13},
        {"word break centres each line",
         "one two three four",
         DT_WORDBREAK | DT_CENTER,
         {{"one two", 20, 10}, {"three four", 10, 23}},
         26},
        {"prefix characters go", "&File", 0, {{"File", 10, 10}}, 13},
        {"a doubled prefix shows one", "a&&b", 0, {{"a&b", 10, 10}}, 13},
        {"a prefix at the end shows nothing", "ab&", 0, {{"ab", 10, 10}}, 13},
        {"no prefix processing", "&File", DT_NOPREFIX, {{"&File", 10, 10}}, 13},
        {"end ellipsis cuts what does not fit",
         "abcdefghijklmno",
         DT_SINGLELINE | DT_END_ELLIPSIS,
         {{"abcdefg...", 10, 10}},
         13},
        {"end ellipsis leaves text that fits",
         "abcdefghij",
         DT_SINGLELINE | DT_END_ELLIPSIS,
         {{"abcdefghij", 10, 10}},
         13},
        {"end ellipsis counts characters, not bytes",
         "ЖЖЖЖЖЖЖЖЖЖЖ",
         DT_SINGLELINE | DT_END_ELLIPSIS,
         {{"ЖЖЖЖЖЖЖ...", 10, 10}},
         13},
        {"end ellipsis after right alignment",
         "abcdefghijklmno",
         DT_RIGHT | DT_END_ELLIPSIS,
         {{"abcdefg...", 10, 10}},
         13},
        {"tabs expand to eight average characters",
         "a\tb",
         DT_EXPANDTABS,
         {{"a", 10, 10}, {"b", 66, 10}},
         13},
        {"a tab stop length in bits 8-15",
         "a\tb",
         DT_EXPANDTABS | DT_TABSTOP | (2u << 8),
         {{"a", 10, 10}, {"b", 24, 10}},
         13},
        {"an empty text is one empty line", "", 0, {}, 13},
    };
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ui.System().TextLog().Drawn.clear();
        TRect rect = box;
        EXPECT_EQ(DrawText(canvas(), c.Text, -1, &rect, c.Format), c.Height);
        EXPECT_EQ(rect, box);
        std::vector<TextRun> runs = Runs();
        std::erase_if(runs, [](const TextRun& r) { return r.Text.empty(); });
        EXPECT_EQ(runs, c.Expected);
    }
}

struct CalcCase {
    const char* Name;
    std::string Text;
    UINT Format;
    TRect Expected;
};

TEST_F(DrawTextTest, CalcRectMeasuresWithoutDrawing) {
    const std::vector<CalcCase> cases = {
        {"one line", "abc", 0, {10, 10, 31, 23}},
        {"the widest of several lines", "ab\r\nabcd", 0, {10, 10, 38, 36}},
        {"word-broken lines narrow the width", "one two three four", DT_WORDBREAK, {10, 10, 80, 36}},
        {"a word wider than the line widens it", "abcdefghijklm xy", DT_WORDBREAK, {10, 10, 101, 36}},
        {"without word break the line is as long as the text", "one two three four", 0, {10, 10, 136, 23}},
        {"an empty text is one line high", "", 0, {10, 10, 10, 23}},
        {"prefixes are not measured", "&File", 0, {10, 10, 38, 23}},
        {"unless prefixes are off", "&File", DT_NOPREFIX, {10, 10, 45, 23}},
        {"no ellipsis while measuring",
         "abcdefghijklmno",
         DT_END_ELLIPSIS | DT_SINGLELINE,
         {10, 10, 115, 23}},
        {"external leading is none on this host", "a\nb", DT_EXTERNALLEADING, {10, 10, 17, 36}},
    };
    for (const CalcCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ui.System().TextLog().Drawn.clear();
        TRect rect = box;
        EXPECT_EQ(DrawText(canvas(), c.Text, -1, &rect, c.Format | DT_CALCRECT), c.Expected.Height());
        EXPECT_EQ(rect, c.Expected);
        EXPECT_TRUE(ui.System().TextLog().Drawn.empty());
    }
}

TEST_F(DrawTextTest, CountTakesTheFirstBytesOnly) {
    TRect rect = box;
    DrawText(canvas(), "abcdef", 3, &rect, 0);
    EXPECT_EQ(Runs(), (std::vector<TextRun>{{"abc", 10, 10}}));
}

TEST_F(DrawTextTest, ExMarginsNarrowTheLinesAndWidenTheMeasure) {
    DRAWTEXTPARAMS params;
    params.iLeftMargin = 5;
    params.iRightMargin = 7;
    TRect rect = box;
    DrawTextEx(canvas(), "abc", -1, &rect, DT_RIGHT, &params);
    EXPECT_EQ(Runs(), (std::vector<TextRun>{{"abc", 80 - 7 - 21, 10}}));
    EXPECT_EQ(params.uiLengthDrawn, 3u);
    DrawTextEx(canvas(), "abc", -1, &rect, DT_CALCRECT, &params);
    EXPECT_EQ(rect, Rect(10, 10, 10 + 5 + 21 + 7, 23));
    params.iTabLength = 1;
    ui.System().TextLog().Drawn.clear();
    rect = box;
    DrawTextEx(canvas(), "a\tb", -1, &rect, DT_EXPANDTABS, &params);
    // "a" ends on the first stop, so "b" goes to the next one.
    EXPECT_EQ(Runs(), (std::vector<TextRun>{{"a", 15, 10}, {"b", 15 + 14, 10}}));
}

TEST_F(DrawTextTest, PrefixUnderlinesItsCharacterUnlessHidden) {
    // The underline runs one row under the baseline across the whole cell; the glyph box leaves
    // the cell's first column free, so that column shows the underline alone.
    struct Case {
        const char* Name;
        UINT Format;
        bool Underline;
        bool Glyphs;
    };
    const std::vector<Case> cases = {
        {"shown", 0, true, true},
        {"hidden", DT_HIDEPREFIX, false, true},
        {"only the prefix", DT_PREFIXONLY, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        canvas()->Brush()->SetStyle(bsSolid);
        canvas()->Brush()->SetColor(clWhite);
        canvas()->FillRect(Rect(0, 0, 200, 100));
        canvas()->Brush()->SetStyle(bsClear);
        TRect rect = box;
        DrawText(canvas(), "a&bc", -1, &rect, c.Format);
        const std::uint32_t red = ColorToArgb(clRed);
        EXPECT_EQ(At(17, 21) == red, c.Underline);  // under 'b'
        EXPECT_NE(At(10, 21), red);                 // not under 'a'
        EXPECT_NE(At(24, 21), red);                 // not under 'c'
        EXPECT_EQ(At(13, 15) == red, c.Glyphs);
    }
}

TEST_F(DrawTextTest, ClipToTheRectangleUnlessNoClip) {
    for (UINT format : {0u, DT_NOCLIP}) {
        SCOPED_TRACE(format);
        canvas()->Brush()->SetStyle(bsSolid);
        canvas()->Brush()->SetColor(clWhite);
        canvas()->FillRect(Rect(0, 0, 200, 100));
        canvas()->Brush()->SetStyle(bsClear);
        TRect rect = box;
        DrawText(canvas(), "abcdefghijklmnop", -1, &rect, format | DT_SINGLELINE);
        EXPECT_EQ(At(13, 15), ColorToArgb(clRed));
        EXPECT_EQ(At(90, 15) == ColorToArgb(clRed), format == DT_NOCLIP);
    }
}

TEST_F(DrawTextTest, OpaqueBrushFillsTheTextCellsOnly) {
    canvas()->Brush()->SetStyle(bsSolid);
    canvas()->Brush()->SetColor(clYellow);
    TRect rect = box;
    DrawText(canvas(), "ab", -1, &rect, 0);
    EXPECT_EQ(At(10, 10), ColorToArgb(clYellow));
    EXPECT_EQ(At(23, 22), ColorToArgb(clYellow));
    EXPECT_EQ(At(24, 10), ColorToArgb(clWhite));
    EXPECT_EQ(At(10, 23), ColorToArgb(clWhite));
}

TEST_F(DrawTextTest, ExtTextOutOpaqueClippedAndSpaced) {
    canvas()->Brush()->SetColor(clAqua);
    const TRect rect{0, 0, 40, 30};
    const int dx[] = {10, 10, 10, 10, 10};
    ExtTextOut(canvas(), 5, 5, ETO_OPAQUE | ETO_CLIPPED, &rect, "abcde", dx);
    EXPECT_EQ(Runs(),
              (std::vector<TextRun>{{"a", 5, 5}, {"b", 15, 5}, {"c", 25, 5}, {"d", 35, 5}, {"e", 45, 5}}));
    EXPECT_EQ(At(39, 29), ColorToArgb(clAqua));
    EXPECT_EQ(At(40, 29), ColorToArgb(clWhite));
    EXPECT_EQ(At(37, 10), ColorToArgb(clRed));  // 'd' is cut at the rectangle
    EXPECT_EQ(At(41, 10), ColorToArgb(clWhite));
}

TEST_F(DrawTextTest, TextMetricsOfTheCanvasFont) {
    canvas()->Font()->SetStyle(TFontStyles{fsBold, fsItalic});
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(canvas(), &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 10);
    EXPECT_EQ(tm.tmDescent, 3);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    EXPECT_EQ(tm.tmAveCharWidth, 7);
    EXPECT_EQ(tm.tmWeight, 700);
    EXPECT_EQ(tm.tmItalic, 1);
    EXPECT_EQ(tm.tmUnderlined, 0);
}

}  // namespace
