// Button and check-glyph sizes, and the double-click test.
#include <gtest/gtest.h>

#include "data_controls/edit_button_metrics.h"
#include "platform/ui/headless.h"

namespace {

TEST(EditButtonMetrics, HeightForWidthRoundsHalvesToEven) {
    struct Case {
        int width;
        bool flat;
        int height;
    };
    for (const Case& c : {Case{13, true, 20}, Case{15, true, 22}, Case{11, true, 16}, Case{13, false, 13}}) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(EditButtonHeightForWidth(c.width, c.flat), c.height);
    }
}

TEST(EditButtonMetrics, FlatButtonWidthIsOddAndNoWiderThanAScrollArrow) {
    platform::ui::HeadlessSession ui;
    const int width = ComputeFlatButtonWidth();
    EXPECT_EQ(width % 2, 1);
    EXPECT_LE(width, 17);
    EXPECT_GT(width, 1);
}

TEST(EditButtonMetrics, CheckGlyphRectInsideACell) {
    struct Case {
        TRect cell;
        TAlignment alignment;
        TTextLayout layout;
        TRect glyph;
    };
    const TSize glyph{13, 13};
    const Case cases[] = {
        {Rect(0, 0, 40, 20), taLeftJustify, tlTop, Rect(0, 0, 13, 13)},
        {Rect(0, 0, 40, 20), taRightJustify, tlBottom, Rect(27, 7, 40, 20)},
        {Rect(10, 10, 51, 31), taCenter, tlCenter, Rect(24, 14, 37, 27)},
        {Rect(0, 0, 8, 6), taCenter, tlCenter, Rect(0, 0, 8, 6)},  // smaller than the glyph
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell.Right);
        EXPECT_EQ(CheckBoxGlyphRect(c.cell, c.alignment, c.layout, glyph), c.glyph);
    }
}

TEST(EditButtonMetrics, SecondClickWithinTimeAndDistance) {
    platform::ui::HeadlessSession ui;
    struct Case {
        TPoint at;
        long long elapsed;
        bool second;
    };
    const Case cases[] = {
        {{10, 10}, 0, true},    {{14, 14}, 500, true},  {{15, 10}, 100, false},
        {{10, 15}, 100, false}, {{10, 10}, 501, false}, {{6, 6}, 100, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elapsed);
        EXPECT_EQ(IsSecondClick({10, 10}, c.at, c.elapsed), c.second);
    }
}

}  // namespace
