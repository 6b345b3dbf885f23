// The grid unit's start-up and shut-down: the glyph lists and their sizes, the marker font,
// cursors, shortcuts and search settings; the search-time arrow rebuilt on a new background; a
// missing cursor or bitmap stopping the start-up with nothing left behind; counted start-ups.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "data_grid/grid_style.h"
#include "data_grid/grid_unit.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/font.h"
#include "platform/ui/headless.h"
#include "platform/ui/image_cursor.h"
#include "platform/ui/image_list.h"
#include "platform/ui/virtual_keys.h"

namespace {

struct GridUnitTest : ::testing::Test {
    ~GridUnitTest() override {
        // Shutting a unit down frees the program's default style; later tests use it.
        MakeDefaultGridStyle();
    }
    // The colour image Index of the list shows at its pixel (x, y) over a black background.
    static TColor ShownPixel(TImageList& List, int Index, int X, int Y) {
        TBitmap canvas;
        canvas.SetSize(List.Width(), List.Height());
        canvas.Canvas()->Brush()->SetColor(clBlack);
        canvas.Canvas()->FillRect(TRect{0, 0, List.Width(), List.Height()});
        List.Draw(canvas.Canvas(), 0, 0, Index);
        return canvas.Canvas()->Pixel(X, Y);
    }
    platform::ui::HeadlessSession ui;
};

TEST_F(GridUnitTest, StartUpMakesTheGlyphsFontCursorsAndSettings) {
    const int cursorsBefore = ImageCursors().Count();
    TDBGridEhUnit unit;
    EXPECT_EQ(unit.Indicators().Count(), 7);
    EXPECT_EQ(unit.Indicators().Width(), 6);
    EXPECT_EQ(unit.Indicators().Height(), 11);
    EXPECT_EQ(unit.SortMarkers().Count(), 2);
    EXPECT_EQ(unit.SortMarkers().Width(), 10);
    EXPECT_EQ(unit.SortMarkers().Height(), 9);
    EXPECT_EQ(unit.SortMarkerFont().Name(), "Arial");
    EXPECT_EQ(unit.SortMarkerFont().Height(), -8);

    EXPECT_EQ(ImageCursors().Count(), cursorsBefore + 3);
    const TImageCursor* down = ImageCursors().Find(unit.ColumnSelectCursor());
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->HotSpot, (TPoint{7, 13}));
    EXPECT_NE(ImageCursors().Find(unit.RowSelectCursor()), nullptr);
    EXPECT_NE(ImageCursors().Find(unit.RightToLeftRowSelectCursor()), nullptr);

    EXPECT_EQ(unit.Shortcuts().InplaceSearch, scCtrl | 'F');
    EXPECT_EQ(unit.Shortcuts().SearchNext, scCtrl | VK_RETURN);
    EXPECT_EQ(unit.Shortcuts().SearchPrior, scCtrl | scShift | VK_RETURN);
    EXPECT_EQ(unit.Shortcuts().CopyValueFromAbove, scCtrl | 222);
    EXPECT_EQ(unit.Shortcuts().FindDialog, scCtrl | 'F');
    EXPECT_EQ(unit.SearchTimeout(), 1500u);
    EXPECT_EQ(unit.SearchBackground(), RGB(255, 255, 0));
    EXPECT_EQ(unit.SearchText(), clBlack);
    EXPECT_FALSE(unit.NoBufferedPaint());
    EXPECT_FALSE(unit.FindHook);
    EXPECT_NE(DefaultGridStyle(), nullptr);
}

// The transparent keys leave the background; the search arrow's white takes the search colour,
// and teal, being the key, is replaced by a near teal.
TEST_F(GridUnitTest, TheSearchArrowIsRebuiltOnTheSearchBackgroundAtItsPlace) {
    TDBGridEhUnit unit;
    EXPECT_EQ(ShownPixel(unit.Indicators(), 0, 5, 0), clBlack);  // white key around the arrow
    EXPECT_EQ(ShownPixel(unit.Indicators(), 0, 0, 5), clBlack);  // the arrow itself is black too
    EXPECT_EQ(ShownPixel(unit.Indicators(), 5, 0, 0), clBlack);  // teal key
    EXPECT_EQ(ShownPixel(unit.Indicators(), 5, 5, 5), clWhite);  // white around the arrow stays
    EXPECT_EQ(ShownPixel(unit.Indicators(), 6, 5, 5), RGB(255, 255, 0));
    EXPECT_EQ(ShownPixel(unit.SortMarkers(), 0, 0, 0), clBlack);  // fuchsia key
    EXPECT_NE(ShownPixel(unit.SortMarkers(), 0, 4, 3), clBlack);

    struct Case {
        TColor search, shown;
    };
    for (const Case& c : {Case{clRed, clRed}, Case{clTeal, RGB(0, 127, 127)}}) {
        unit.SetSearchBackground(c.search);
        unit.BuildWideIndicatorImages();
        EXPECT_EQ(unit.Indicators().Count(), 7);
        EXPECT_EQ(ShownPixel(unit.Indicators(), 6, 5, 5), c.shown);
        EXPECT_EQ(ShownPixel(unit.Indicators(), 6, 0, 0), clBlack);
        EXPECT_EQ(ShownPixel(unit.Indicators(), 5, 5, 5), clWhite);
    }
}

TEST_F(GridUnitTest, AMissingResourceStopsTheStartUpAndLeavesNothing) {
    struct Case {
        const char* missing;
        const char* message;
    };
    const Case cases[] = {
        {"DOWNCUREH", "Cannot load cursor resource"},
        {"LEFTCUREH", "Cannot load cursor resource"},
        {"DBSMUPEH", "Resource DBSMUPEH not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        const int cursorsBefore = ImageCursors().Count();
        const std::string missing = c.missing;
        auto find = [&missing](std::string_view name) {
            return name == missing ? nullptr : platform::ui::FindResource(name);
        };
        try {
            TDBGridEhUnit unit(find);
            ADD_FAILURE() << "started";
        } catch (const EOutOfResources& e) {
            EXPECT_EQ(std::string(c.message), e.what());
        } catch (const EResNotFound& e) {
            EXPECT_EQ(std::string(c.message), e.what());
        }
        EXPECT_EQ(ImageCursors().Count(), cursorsBefore);
    }
}

TEST_F(GridUnitTest, StartUpsAreCountedAndTheLastShutDownFreesEverything) {
    const int cursorsBefore = ImageCursors().Count();
    InitializeDBGridEhUnit();
    TDBGridEhUnit* unit = DBGridEhUnit();
    ASSERT_NE(unit, nullptr);
    InitializeDBGridEhUnit();
    EXPECT_EQ(DBGridEhUnit(), unit);
    FinalizeDBGridEhUnit();
    EXPECT_EQ(DBGridEhUnit(), unit);
    EXPECT_EQ(DBGridEhDataService(), &unit->DataService());
    FinalizeDBGridEhUnit();
    EXPECT_EQ(DBGridEhUnit(), nullptr);
    EXPECT_EQ(DBGridEhDataService(), nullptr);
    EXPECT_EQ(DefaultGridStyle(), nullptr);
    EXPECT_EQ(ImageCursors().Count(), cursorsBefore);
    FinalizeDBGridEhUnit();  // unmatched: nothing happens
    InitializeDBGridEhUnit();
    EXPECT_NE(DBGridEhUnit(), nullptr);
    FinalizeDBGridEhUnit();
    EXPECT_EQ(DBGridEhUnit(), nullptr);
}

}  // namespace
