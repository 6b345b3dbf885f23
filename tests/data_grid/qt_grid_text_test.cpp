// Cell text output under the Qt host with real fonts, checked by the bounding boxes of the pixels
// drawn: alignment and layout, wrapping, shortening, upward titles, clipped images, and the
// tool-tip window sized to a text in the cell's font.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/tool_tips_window.h"
#include "data_grid/grid_text.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/colors.h"
#include "tests/support/qt_host_test.h"

namespace {

class QtGridText : public QtHostTest {
  protected:
    void SetUp() override {
        bitmap.SetSize(300, 200);
        Clear();
        canvas()->Font()->SetName("DejaVu Sans");
        canvas()->Font()->SetSize(10);
        canvas()->Font()->SetColor(clBlack);
    }
    TCanvas* canvas() { return bitmap.Canvas(); }
    void Clear() {
        canvas()->Brush()->SetColor(clWhite);
        canvas()->FillRect({0, 0, 300, 200});
    }
    // The box of every pixel that is not white.
    TRect Ink() {
        TRect box{300, 200, 0, 0};
        const platform::ui::RasterImage& pixels = bitmap.Pixels();
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                if ((pixels.Pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
        return box;
    }
    TRect Drawn(const TRect& cell, const std::string& text, TAlignment alignment, TTextLayout layout,
                bool multiLine = false, bool ellipsis = false) {
        Clear();
        DrawGridText(canvas(), cell, false, 2, 1, text, alignment, layout, multiLine, ellipsis, 0, 0, false);
        return Ink();
    }
    TBitmap bitmap;
};

TEST_F(QtGridText, AlignmentsAndLayoutsPlaceTheInk) {
    const TRect cell{20, 20, 220, 120};
    const int centreX = (cell.Left + cell.Right) / 2, centreY = (cell.Top + cell.Bottom) / 2;
    for (TTextLayout layout : {tlTop, tlCenter, tlBottom}) {
        for (TAlignment alignment : {taLeftJustify, taRightJustify, taCenter}) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << " alignment " << alignment);
            const TRect ink = Drawn(cell, "Ticket 42", alignment, layout);
            ASSERT_LT(ink.Left, ink.Right);
            if (alignment == taLeftJustify)
                EXPECT_NEAR(ink.Left, cell.Left + 2, 2);
            else if (alignment == taRightJustify)
                EXPECT_NEAR(ink.Right, cell.Right - 3, 2);
            else
                EXPECT_NEAR((ink.Left + ink.Right) / 2, centreX, 2);
            if (layout == tlTop)
                EXPECT_NEAR(ink.Top, cell.Top + 1, 4);
            else if (layout == tlBottom)
                EXPECT_NEAR(ink.Bottom, cell.Bottom, 5);
            else
                EXPECT_NEAR((ink.Top + ink.Bottom) / 2, centreY, 3);
        }
    }
}

TEST_F(QtGridText, WrappedAndShortenedTextsStayInTheirCells) {
    const int lineHeight = canvas()->TextHeight("Ag");
    const TRect narrow{20, 20, 90, 150};
    const TRect wrapped = Drawn(narrow, "Запись на приём к врачу", taLeftJustify, tlTop, true);
    EXPECT_GE(wrapped.Height(), 2 * lineHeight);
    EXPECT_LE(wrapped.Right, narrow.Right);
    const TRect line{20, 20, 90, 40};
    const TRect whole = Drawn({20, 20, 290, 40}, "Запись на приём к врачу", taLeftJustify, tlTop);
    const TRect shortened = Drawn(line, "Запись на приём к врачу", taLeftJustify, tlTop, false, true);
    EXPECT_LE(shortened.Right, line.Right);
    EXPECT_GT(shortened.Width(), line.Width() / 2);
    EXPECT_GT(whole.Width(), shortened.Width());
    const std::string text = ShortenTextToWidth("Запись на приём к врачу", canvas(), line.Width() - 2);
    EXPECT_TRUE(text.ends_with("..."));
    EXPECT_LE(canvas()->TextWidth(text), line.Width() - 2);
}

TEST_F(QtGridText, VerticalTitleReadsUpward) {
    const TRect cell{20, 10, 50, 190};
    Clear();
    const int extent =
        DrawGridTextVertical(canvas(), cell, false, 2, 3, "Фамилия", taLeftJustify, tlBottom, false, false);
    const TRect ink = Ink();
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    EXPECT_NEAR(ink.Bottom, cell.Bottom - 3, 3);
    EXPECT_NEAR(ink.Height(), extent, 4);
    // Its first letter is at the bottom: a mark followed by blanks stays low, blanks then a mark go high.
    Clear();
    DrawGridTextVertical(canvas(), cell, false, 2, 3, "W          ", taLeftJustify, tlBottom, false, false);
    const TRect first = Ink();
    Clear();
    DrawGridTextVertical(canvas(), cell, false, 2, 3, "          W", taLeftJustify, tlBottom, false, false);
    const TRect last = Ink();
    EXPECT_GT(first.Top, last.Bottom);
    EXPECT_EQ(canvas()->Font()->Handle(), nullptr);
}

TEST_F(QtGridText, ImageIsClippedToANarrowCell) {
    TBitmap image;
    image.SetSize(16, 16);
    image.Canvas()->Brush()->SetColor(clNavy);
    image.Canvas()->FillRect({0, 0, 16, 16});
    Clear();
    const TRect cell{100, 50, 108, 90};
    DrawImageClipped(nullptr, &image, canvas(), cell, 0, 0, taCenter);
    EXPECT_EQ(Ink(), (TRect{100, 62, 108, 78}));
    EXPECT_FALSE(canvas()->OwnClip().has_value());
}

TEST_F(QtGridText, ToolTipWindowMeasuresInTheCellFont) {
    TToolTipsWindow window(nullptr);
    TFont small, large;
    small.SetName("DejaVu Sans");
    small.SetSize(8);
    large.Assign(small);
    large.SetSize(20);
    large.SetColor(clRed);
    const std::string text = "Иванов Иван Иванович";
    const TRect a = window.CalcHintRect(1000, text, &small);
    const TRect b = window.CalcHintRect(1000, text, &large);
    canvas()->Font()->Assign(small);
    const int smallWidth = canvas()->TextWidth(text);
    canvas()->Font()->Assign(large);
    const int largeWidth = canvas()->TextWidth(text);
    EXPECT_EQ(b.Width() - a.Width(), largeWidth - smallWidth);
    EXPECT_GT(b.Height(), a.Height());
    EXPECT_EQ(window.Canvas()->Font()->Color(), clWindowText);
    EXPECT_EQ(window.Canvas()->Font()->Size(), 20);
}

}  // namespace
