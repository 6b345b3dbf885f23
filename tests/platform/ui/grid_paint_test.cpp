// Painting the grid on the headless host: the lines each line option draws, the selected and focused
// cells, and the dotted XOR line that follows the mouse while a column is sized.
#include <vector>

#include "grid_fixture.h"

namespace {

std::uint32_t Argb(TColor c) {
    return ColorToArgb(c);
}

class GridPaintTest : public GridTest {
  protected:
    void Repaint() {
        grid->Invalidate();
        ui.ProcessMessages();
    }
    std::vector<std::uint32_t> Column(int x) const {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < 100; ++y) pixels.push_back(Pixel(x, y));
        return pixels;
    }
};

TEST_F(GridPaintTest, EachLineOptionDrawsItsLinesAndTheOthersLeaveTheBackground) {
    // Sample points: the line right of the fixed column in the fixed row, the line under the fixed row,
    // a line between scrolling columns and one between scrolling rows (with lines 1 pixel wide).
    struct Case {
        const char* what;
        TGridOptions lines;
        TColor color;
        TColor fixedVert, fixedHorz, vert, horz;
    } cases[] = {
        {"all",
         {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine},
         clWhite,
         clBlack,
         clBlack,
         clSilver,
         clSilver},
        {"fixed only", {goFixedVertLine, goFixedHorzLine}, clWhite, clBlack, clBlack, clWhite, clWhite},
        {"scrolling vertical only", {goVertLine}, clWhite, clBtnFace, clWhite, clSilver, clWhite},
        {"none", {}, clWhite, clBtnFace, clWhite, clWhite, clWhite},
        {"grey lines on a silver grid",
         {goVertLine, goHorzLine},
         clSilver,
         clBtnFace,
         clBtnFace,
         clGray,
         clGray},
    };
    const TGridOptions allLines{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine};
    for (const Case& c : cases) {
        grid->SetOptions((grid->Options() - allLines) + c.lines);
        grid->SetColor(c.color);
        Repaint();
        EXPECT_EQ(Pixel(50, 10), Argb(c.fixedVert)) << c.what;
        EXPECT_EQ(Pixel(130, 20), Argb(c.fixedHorz)) << c.what;
        EXPECT_EQ(Pixel(101, 52), Argb(c.vert)) << c.what;
        EXPECT_EQ(Pixel(130, 62), Argb(c.horz)) << c.what;
    }
}

TEST_F(GridPaintTest, SelectedCellsAreHighlightedAndTheFocusedOneFramed) {
    grid->SetSelection({1, 1, 2, 2});
    Repaint();
    EXPECT_EQ(Pixel(145, 55), Argb(clHighlight)) << "selected";
    EXPECT_EQ(Pixel(95, 35), Argb(clWhite)) << "the focused cell keeps the grid's colour";
    EXPECT_NE(Pixel(51, 21), Argb(clWhite)) << "its focus frame";
    EXPECT_EQ(Pixel(145, 75), Argb(clWhite)) << "not selected";
    EXPECT_EQ(Pixel(20, 35), Argb(clBtnFace)) << "fixed";
    auto& drawn = ui.System().TextLog().Drawn;
    EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [](const auto& t) { return t.Text == "C2"; }));
}

TEST_F(GridPaintTest, TheSizingLineIsDottedXorAndFollowsTheMouse) {
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing});
    std::vector<std::uint32_t> at101 = Column(101);
    std::vector<std::uint32_t> at121 = Column(121);
    auto dotted = [](const std::vector<std::uint32_t>& before, const std::vector<std::uint32_t>& now) {
        int inverted = 0;
        for (std::size_t y = 0; y < before.size(); ++y) {
            if (now[y] == (before[y] ^ 0x00FFFFFFu))
                ++inverted;
            else if (now[y] != before[y])
                return false;
        }
        return inverted > 30 && inverted < 70;  // dots and gaps down the whole grid
    };
    Press({101, 5});
    EXPECT_EQ(grid->GridState(), gsColSizing);
    EXPECT_TRUE(dotted(at101, Column(101)));
    MoveTo({121, 5});
    EXPECT_EQ(Column(101), at101) << "drawn again, the old line is gone";
    EXPECT_TRUE(dotted(at121, Column(121)));
    Release({121, 5});
    EXPECT_EQ(grid->ColWidths(1), 70);
    EXPECT_EQ(Pixel(121, 10), Argb(clBlack)) << "the column's new line";
}

TEST_F(GridPaintTest, TheMoveMarkerTakesThePensColourAndWhiteForBlack) {
    grid->SetOptions(grid->Options() + TGridOptions{goColMoving});
    struct Case {
        TColor pen;
        std::uint32_t mask;
    } cases[] = {{clBlack, 0xFFFFFF}, {clSilver, 0xC0C0C0}};
    for (const Case& c : cases) {
        grid->Canvas()->Pen()->SetColor(c.pen);
        std::vector<std::uint32_t> before = Column(51);
        Press({70, 5});  // column 1's fixed cell: the marker stands at its left edge
        ASSERT_EQ(grid->GridState(), gsColMoving);
        std::vector<std::uint32_t> marked = Column(51);
        int inverted = 0;
        for (std::size_t y = 0; y < before.size(); ++y) inverted += marked[y] == (before[y] ^ c.mask);
        EXPECT_GT(inverted, 30) << c.pen;
        grid->Perform(WM_CANCELMODE);
        EXPECT_EQ(Column(51), before) << "cancelling takes the marker away";
        Release({70, 5});
        ui.Advance(1000);
        EXPECT_EQ(grid->Canvas()->Pen()->Color(), c.pen) << "the pen is given back";
    }
}

}  // namespace
