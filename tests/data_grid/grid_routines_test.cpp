// The grid's small routines: fields that can be modified, grid rectangles, dropping a waiting
// message (a quit request survives), the integer helpers, and text measured for cells and hints
// on the headless host's fixed metrics (a character of an 8-point font is 7 pixels wide and a line
// 13 pixels high).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/grid_routines.h"
#include "platform/db/field.h"
#include "platform/db/fields.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/font.h"
#include "platform/ui/headless.h"
#include "platform/ui/message_queue.h"
#include "tests/support/memory_dataset.h"

namespace {

TEST(GridRoutines, AllFieldsModifiableNeedsEveryField) {
    TMemoryDataSet ds;
    ds.SetColumns({"A", "B"});
    ds.Open();
    std::vector<TField*> fields{ds.Fields().Fields(0), ds.Fields().Fields(1)};
    EXPECT_TRUE(AllFieldsModifiable({}));
    EXPECT_TRUE(AllFieldsModifiable(fields));
    fields[1]->ReadOnly = true;
    EXPECT_FALSE(AllFieldsModifiable(fields));
    EXPECT_TRUE(AllFieldsModifiable({fields[0]}));
}

TEST(GridRoutines, GridRectanglesIncludeTheirBorders) {
    const TGridRect rect = MakeGridRect(1, 2, 3, 4);
    EXPECT_EQ(rect, (TGridRect{1, 2, 3, 4}));
    struct Case {
        int col, row;
        bool inside;
    };
    const Case cases[] = {{1, 2, true},  {3, 4, true},  {2, 3, true}, {0, 3, false},
                          {4, 3, false}, {2, 1, false}, {2, 5, false}};
    for (const Case& c : cases)
        EXPECT_EQ(PointInGridRect(c.col, c.row, rect), c.inside) << c.col << "," << c.row;
    EXPECT_THROW(RaiseGridOperationError("Grid index out of range"), EInvalidGridOperation);
}

TEST(GridRoutines, IntegerHelpersAndTheUprightRectangle) {
    EXPECT_EQ(LargerInt(3, -5), 3);
    EXPECT_EQ(SmallerInt(3, -5), -5);
    EXPECT_EQ(ChooseInt(true, 1, 2), 1);
    EXPECT_EQ(ChooseInt(false, 1, 2), 2);
    EXPECT_EQ(RotateRectUpright(TRect{10, 20, 110, 50}), (TRect{10, 20, 40, 120}));
}

class DropPendingMessageTest : public ::testing::Test {
  protected:
    ~DropPendingMessageTest() override {
        TMsg rest;
        while (PeekMessage(rest, 0, 0, 0, PM_REMOVE)) {
        }
        DeallocateHWnd(window);
    }
    // The numbers of the messages waiting, in order.
    std::vector<UINT> Waiting() {
        std::vector<UINT> numbers;
        TMsg m;
        while (PeekMessage(m, 0, 0, 0, PM_REMOVE)) numbers.push_back(m.message);
        for (UINT n : numbers)
            n == WM_QUIT ? PostQuitMessage(7) : static_cast<void>(PostMessage(window, n, 0, 0));
        return numbers;
    }
    platform::ui::HeadlessSession ui;
    HWND window = AllocateHWnd([](TMessage& m) { m.Result = 0; });
};

TEST_F(DropPendingMessageTest, TakesOneWaitingMessageAndLeavesTheRest) {
    PostMessage(window, WM_USER + 100, 0, 0);
    PostMessage(window, WM_USER + 1, 0, 0);
    PostMessage(window, WM_USER + 100, 0, 0);
    DropPendingMessage(window, WM_USER + 100);
    EXPECT_EQ(Waiting(), (std::vector<UINT>{WM_USER + 1, WM_USER + 100}));
    DropPendingMessage(window, WM_USER + 2);  // not waiting: nothing changes
    EXPECT_EQ(Waiting(), (std::vector<UINT>{WM_USER + 1, WM_USER + 100}));
}

TEST_F(DropPendingMessageTest, AQuitRequestTakenIsPostedAgainWithItsCode) {
    PostQuitMessage(7);
    PostMessage(window, WM_USER + 1, 0, 0);
    DropPendingMessage(0, WM_QUIT);
    TMsg m;
    ASSERT_TRUE(PeekMessage(m, 0, WM_USER + 1, WM_USER + 1, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(m, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(m.wParam, 7u);
}

TEST(GridRoutinesText, MeasuresTextsAndTellsWhenACellNeedsAHint) {
    platform::ui::HeadlessSession ui;
    TBitmap bitmap;
    bitmap.SetSize(200, 200);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Font()->SetSize(8);
    struct Case {
        const char* what;
        std::string text;
        TRect cell;
        int rightIndent, lineSpacing;
        bool wordWrap;
        int width, height;
        bool needsHint;
    };
    const Case cases[] = {
        {"fits", "abc", {0, 0, 30, 14}, 0, 0, false, 21, 13, false},
        {"one pixel too wide", "abcd", {0, 0, 29, 14}, 0, 0, false, 28, 13, true},
        {"the right indent takes room", "abc", {0, 0, 30, 14}, 8, 0, false, 21, 13, true},
        {"an ampersand is a character", "&ab", {0, 0, 30, 14}, 0, 0, false, 21, 13, false},
        {"wrapped onto two lines is too high", "ab cd", {0, 0, 20, 14}, 0, 0, true, 14, 26, true},
        {"two lines just fit", "ab cd", {0, 0, 20, 25}, 0, 0, true, 14, 26, false},
        {"line spacing leaves less height", "ab", {0, 0, 30, 12}, 0, 2, false, 14, 13, true},
        {"one line just fits beside its spacing", "ab", {0, 0, 30, 13}, 0, 1, false, 14, 13, false},
        {"a cell narrower than its indent still measures", "a", {0, 0, 2, 14}, 5, 0, false, 7, 13, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int width = -1;
        int height = -1;
        EXPECT_EQ(
            TextNeedsHint(0, canvas, c.rightIndent, height, width, c.wordWrap, c.cell, c.text, c.lineSpacing),
            c.needsHint);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
    }
    EXPECT_EQ(MeasureTextWidth(canvas, "abcd"), 28);
    EXPECT_EQ(MeasureTextWidth(canvas, "&&x"), 21);
    EXPECT_EQ(MeasureTextWidth(canvas, "ab\nabcde"), 35);
    EXPECT_EQ(MeasureTextWidth(canvas, ""), 0);
}

}  // namespace
