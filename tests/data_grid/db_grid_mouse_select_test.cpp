// Selecting by the mouse: blocks of cells dragged or Shift+clicked, rows by the indicator with and
// without Ctrl, and a cancel mode that ends what a press started.
#include "db_grid_mouse_fixture.h"

#include "data_grid/grid_selection.h"
#include "platform/ui/messages.h"

namespace grid_mouse_test {
namespace {

class GridMouseSelectTest : public GridMouseTest {
  protected:
    void SetUp() override {
        GridMouseTest::SetUp();
        grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
        ui.ProcessMessages();
    }
    TDBGridEhSelection& Selection() const { return dynamic_cast<TDBGridEhSelection&>(*grid->Selection()); }
    std::vector<int> SelectedIds() const { return row_id_bookmarks::SelectedRowIds(*grid); }
};

TEST_F(GridMouseSelectTest, ABlockOfCellsFollowsTheDragOrAShiftClick) {
    struct Case {
        const char* what;
        bool drag;  // else Shift+click from the current cell
        TGridCoord from, to;
        int anchorCol, anchorId, movingCol, movingId;
    } cases[] = {
        {"dragged down and right", true, {1, 2}, {3, 4}, 0, 2, 2, 4},
        {"dragged up and left", true, {3, 4}, {2, 1}, 2, 4, 1, 1},
        {"Shift+click", false, {2, 1}, {3, 5}, 1, 1, 2, 5},
    };
    for (const Case& c : cases) {
        grid->Selection()->Clear();
        if (c.drag) {
            Press(Middle(c.from.X, c.from.Y));
            EXPECT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsSelectingRectEh) << c.what;
            MoveTo(Middle(c.to.X, c.to.Y));
            Release(Middle(c.to.X, c.to.Y));
        } else {
            Click(Middle(c.from.X, c.from.Y));
            Click(Middle(c.to.X, c.to.Y), {ssShift});
        }
        ASSERT_EQ(grid->Selection()->Kind(), gskRectangleEh) << c.what;
        EXPECT_EQ(Selection().Rect().AnchorCell().ColumnIndex, c.anchorCol) << c.what;
        EXPECT_EQ(Selection().Rect().AnchorCell().RowBookmark, BookmarkOf(c.anchorId)) << c.what;
        EXPECT_EQ(Selection().Rect().MovingCell().ColumnIndex, c.movingCol) << c.what;
        EXPECT_EQ(Selection().Rect().MovingCell().RowBookmark, BookmarkOf(c.movingId)) << c.what;
        EXPECT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsNoneEh) << c.what;
    }
}

TEST_F(GridMouseSelectTest, IndicatorClicksSelectRowsAloneOrWithCtrlOneMore) {
    struct Step {
        int row;
        TShiftState shift;
        std::vector<int> ids;
    } steps[] = {
        {3, {}, {3}}, {5, {ssCtrl}, {3, 5}}, {3, {ssCtrl}, {5}}, {2, {}, {2}}, {4, {ssShift}, {2, 3, 4}},
    };
    for (const Step& s : steps) {
        Click(Middle(0, s.row), s.shift);
        EXPECT_EQ(SelectedIds(), s.ids) << "row " << s.row;
        EXPECT_EQ(CurrentId(), s.row);
    }
}

TEST_F(GridMouseSelectTest, CancelModeEndsARowSelectionDragAndFreesTheMouse) {
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoRowSelectEh});
    FitRowsToClient(8);
    Press(Middle(1, 2));
    MoveTo({Middle(1, 2).X, grid->ClientHeight() + 20});
    ASSERT_GE(grid->ScrollTimerInterval(), 0);
    grid->Perform(WM_CANCELMODE);
    EXPECT_EQ(grid->GridDragState(), TCustomDBGridEh::dgsNoneEh);
    EXPECT_EQ(grid->ScrollTimerInterval(), -1);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    const int stopped = CurrentId();
    ui.Advance(500);
    EXPECT_EQ(CurrentId(), stopped);
}

TEST_F(GridMouseTest, LeftReleasesOnTitlesAndCellsTellTheirColumn) {
    std::vector<std::string> told;
    grid->OnTitleCellClick = [&](TObject*, IGridColumnEh* Column) {
        told.push_back("title " + static_cast<TColumnEh*>(Column)->FieldName());
    };
    grid->OnDataCellClick = [&](TObject*, IGridColumnEh* Column) {
        told.push_back("cell " + static_cast<TColumnEh*>(Column)->FieldName());
    };
    Click(Middle(2, 0));
    Click(Middle(3, 2));
    Click(Middle(0, 2));
    Press(Middle(1, 3), {}, mbRight);
    Release(Middle(1, 3), {}, mbRight);
    EXPECT_EQ(told, (std::vector<std::string>{"title NAME", "cell CITY"}));
}

}  // namespace
}  // namespace grid_mouse_test

namespace grid_mouse_test {
namespace {

TEST_F(GridMouseTest, ACheckBoxCellStepsOnAClickOrWithDblClickNextValOnADoubleClick) {
    auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
    TColumnEh* paid = columns.Add();
    paid->SetFieldName("PAID");
    paid->SetWidth(40);
    ui.ProcessMessages();
    ASSERT_EQ(paid->CellKind(), ckCheckboxesEh);
    struct Case {
        const char* what;
        bool nextValOnDoubleClick;
        bool doubleClick;
        int releaseCol;
        bool paid;
    } cases[] = {
        {"a click", false, false, 4, true},
        {"released on another cell", false, false, 3, false},
        {"a click with DblClickNextVal", true, false, 4, false},
        {"a double click with DblClickNextVal", true, true, 4, true},
    };
    for (const Case& c : cases) {
        if (ds.State() != dsBrowse)
            ds.Cancel();
        GoTo(1);
        paid->SetDblClickNextVal(c.nextValOnDoubleClick);
        if (c.doubleClick) {
            DoubleClick(Middle(4, 2));
        } else {
            Press(Middle(4, 2));
            Release(Middle(c.releaseCol, 2));
        }
        EXPECT_EQ(ds.FieldByName("PAID")->AsBoolean(), c.paid) << c.what;
    }
}

}  // namespace
}  // namespace grid_mouse_test
