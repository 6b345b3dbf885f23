// Selecting rows by keys after a title-click sort, on a grid over a TpFIBDataSet on the embedded
// engine: the sort leaves the records' bookmarks (their physical numbers) out of the order shown,
// and the range and its export must follow the order shown.
#include <sstream>
#include <string>
#include <vector>

#include "data_grid/grid_export.h"
#include "platform/rtl/memory_stream.h"
#include "tests/data_grid_fib/grid_sort_click_engine_fixture.h"

namespace {

class GridSortedSelectionEngine : public GridSortClickEngine {
  protected:
    // The people read in CITY order (3 5 1 2 4 6 7), shown in a grid whose Shift with the arrows
    // selects rows (not a block) and passes over them without toggling.
    TpFIBDataSet& ShownForRowRanges() {
        auto& ds = People<TpFIBDataSet>("SELECT ID, NAME, CITY, AGE FROM PEOPLE ORDER BY CITY");
        ds.Open();
        ShowInGrid(ds, {"ID", "NAME"});
        grid_->SetOptions(grid_->Options() + TDBGridEhOptions{gdoMultiSelectEh});
        grid_->SetAllowedSelections({gskRowsEh, gskColumnsEh, gskAllEh});
        grid_->SetExtOptions(grid_->ExtOptions() + TDBGridEhExtOptions{gxoClearSelectionEh});
        return ds;
    }
    // Shown sorted by ID going down, over records read in CITY order: 7 6 5 4 3 2 1 on the screen
    // are physical records 7 6 3 5 1 4 2.
    TpFIBDataSet& SortedDown() {
        auto& ds = ShownForRowRanges();
        ClickTitle(1);
        ClickTitle(1);
        EXPECT_EQ(Order(ds), (std::vector<int>{7, 6, 5, 4, 3, 2, 1}));
        grid_->SetFocus();
        return ds;
    }
    static void GoTo(TpFIBDataSet& ds, int id) {
        for (ds.First(); !ds.Eof() && CurrentId(ds) != id;) ds.Next();
    }
    // The selected IDs in the order shown.
    std::vector<int> SelectedIds(TpFIBDataSet& ds) {
        std::vector<int> ids;
        int index = 0;
        for (int id : Order(ds)) {
            GoTo(ds, id);
            if (grid_->SelectedRows()->Search(ds.GetBookmark(), index))
                ids.push_back(id);
        }
        return ids;
    }
    // The first cell of each exported CSV line after the titles.
    std::vector<int> ExportedIds() {
        TMemoryStream stream;
        ExportGridToStream(ExportClass<TDBGridEhExportAsCSV>(), grid_, stream, false);
        std::istringstream text(
            std::string(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size())));
        std::vector<int> ids;
        std::string line;
        std::getline(text, line);
        while (std::getline(text, line))
            if (line.size() > 1)
                ids.push_back(std::stoi(line.substr(1)));
        return ids;
    }
};

TEST_F(GridSortedSelectionEngine, ShiftKeysSelectTheRowsShownBetweenTheAnchorAndTheCurrentRow) {
    struct Keys {
        WORD key;
        TShiftState shift;
    };
    const Keys ctrlEnd{VK_END, {ssCtrl, ssShift}};
    const Keys ctrlHome{VK_HOME, {ssCtrl, ssShift}};
    const Keys down{VK_DOWN, {ssShift}};
    const Keys up{VK_UP, {ssShift}};
    struct Case {
        const char* what;
        int from;
        std::vector<Keys> presses;
        std::vector<int> selected;
        int current;
    };
    const std::vector<Case> cases = {
        {"to the end from the top", 7, {ctrlEnd}, {7, 6, 5, 4, 3, 2, 1}, 1},
        {"to the end from the middle", 5, {ctrlEnd}, {5, 4, 3, 2, 1}, 1},
        {"to the start from the middle", 5, {ctrlHome}, {7, 6, 5}, 7},
        {"down three rows, back one", 5, {down, down, down, up}, {5, 4, 3}, 3},
        {"down two rows, back past the anchor", 5, {down, down, up, up, up, up}, {7, 6, 5}, 7},
    };
    for (const Case& c : cases) {
        TpFIBDataSet& ds = SortedDown();
        GoTo(ds, c.from);
        for (const Keys& press : c.presses) Press(press.key, press.shift);
        EXPECT_EQ(CurrentId(ds), c.current) << c.what;
        EXPECT_EQ(SelectedIds(ds), c.selected) << c.what;
        CloseGrid();
    }
}

// An anchor set before a title-click sort is shown elsewhere after it; a range stretched from it
// with Ctrl+Shift+End or Home covers exactly the rows from where it is now to the end or the start.
TEST_F(GridSortedSelectionEngine, ARangeFromAnAnchorSetBeforeASortRunsFromWhereTheAnchorIsShownNow) {
    struct Case {
        const char* what;
        int clicks;  // one: by ID going up, two: going down
        WORD key;
        std::vector<int> selected;
    };
    // Read in CITY order (3 5 1 2 4 6 7) the anchor 2 is the fourth row; sorted it is the second
    // going up and the sixth going down.
    const std::vector<Case> cases = {
        {"moved up, to the end", 1, VK_END, {2, 3, 4, 5, 6, 7}},
        {"moved down, to the start", 2, VK_HOME, {7, 6, 5, 4, 3, 2}},
    };
    for (const Case& c : cases) {
        auto& ds = ShownForRowRanges();
        ASSERT_EQ(Order(ds), (std::vector<int>{3, 5, 1, 2, 4, 6, 7}));
        grid_->SetFocus();
        GoTo(ds, 2);
        Press(VK_DOWN, {ssShift});
        Press(VK_UP, {ssShift});  // the anchor on 2, the only row selected
        for (int i = 0; i < c.clicks; ++i) ClickTitle(1);
        grid_->SetFocus();
        GoTo(ds, 2);
        Press(c.key, {ssCtrl, ssShift});
        EXPECT_EQ(SelectedIds(ds), c.selected) << c.what;
        CloseGrid();
    }
}

TEST_F(GridSortedSelectionEngine, TheSelectedRowsExportInTheOrderShown) {
    struct Case {
        const char* what;
        int from;
        WORD key;
        TShiftState shift;
        std::vector<int> exported;
    };
    // Most records selected: one walk through the dataset; few: a visit to each.
    const std::vector<Case> cases = {
        {"most rows", 5, VK_END, {ssCtrl, ssShift}, {5, 4, 3, 2, 1}},
        {"two rows", 3, VK_DOWN, {ssShift}, {3, 2}},
    };
    for (const Case& c : cases) {
        TpFIBDataSet& ds = SortedDown();
        GoTo(ds, c.from);
        Press(c.key, c.shift);
        EXPECT_EQ(ExportedIds(), c.exported) << c.what;
        CloseGrid();
    }
}

}  // namespace
