// A title click on a grid over a TpFIBDataSet on the embedded engine sorts the dataset's records
// through the grid unit's data service and the dataset features.
#include <vector>

#include "tests/data_grid_fib/grid_sort_click_engine_fixture.h"

namespace {

TEST_F(GridSortClickEngine, ClickingATitleButtonSortsTheCachedRecordsUpThenDown) {
    auto& ds = People<TpFIBDataSet>("SELECT ID, NAME, CITY, AGE FROM PEOPLE ORDER BY CITY");
    ds.Open();
    const std::vector<int> before = Order(ds);
    ASSERT_NE(before, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    ShowInGrid(ds, {"ID", "NAME"});

    ClickTitle(1);
    EXPECT_EQ(Order(ds), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    ClickTitle(1);
    EXPECT_EQ(Order(ds), (std::vector<int>{7, 6, 5, 4, 3, 2, 1}));
    EXPECT_TRUE(ds.SortedByDoSort());
}

}  // namespace
