// Which kind of cell each grid cell is, and the data-cell area, with and without footer rows.
#include <gtest/gtest.h>

#include <vector>

#include "data_grid/db_grid.h"
#include "data_grid/grid_cell_type.h"
#include "platform/ui/headless.h"

namespace {

struct CellCase {
    int Col;
    int Row;
    std::uint16_t Type;
    int AreaCol;
    int AreaRow;
};

struct CellKinds : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TObjectPtr<TCustomDBGridEh> grid = MakeComponent<TCustomDBGridEh>(nullptr);

    // Title row, 5 data rows, then (with footers) the filler row and the footer rows.
    void Shape(int Footers) {
        grid->SetFooterRowCount(Footers);
        grid->SetColCount(3);
        grid->SetRowCount(1 + 5 + (Footers > 0 ? Footers + 1 : 0));
    }
    void Expect(const std::vector<CellCase>& Cases) {
        for (const CellCase& c : Cases) {
            int areaCol = -9;
            int areaRow = -9;
            EXPECT_EQ(grid->GetCellType(c.Col, c.Row, areaCol, areaRow), c.Type) << c.Col << "," << c.Row;
            EXPECT_EQ(areaCol, c.AreaCol) << c.Col << "," << c.Row;
            EXPECT_EQ(areaRow, c.AreaRow) << c.Col << "," << c.Row;
        }
    }
};

TEST_F(CellKinds, EveryAreaWithTwoFooterRows) {
    Shape(2);
    Expect({
        {0, 0, gctTitleRowEh | gctIndicatorEh, 0, 0},
        {1, 0, gctTitleRowEh | gctDataColEh, 0, 0},
        {2, 0, gctTitleRowEh | gctDataColEh, 1, 0},
        {0, 1, gctDataRowEh | gctIndicatorEh, 0, 0},
        {2, 1, gctDataRowEh | gctDataColEh, 1, 0},
        {1, 5, gctDataRowEh | gctDataColEh, 0, 4},
        {0, 6, gctFillerRowEh | gctIndicatorEh, 0, 0},
        {1, 6, gctFillerRowEh | gctDataColEh, 0, 0},
        {1, 7, gctFooterRowEh | gctDataColEh, 0, 1},
        {0, 8, gctFooterRowEh | gctIndicatorEh, 0, 2},
    });
    EXPECT_EQ(grid->DataCellArea(), (TGridRect{1, 1, 2, 5}));
    EXPECT_EQ(grid->DataRowCount(), 5);
}

TEST_F(CellKinds, WithoutFootersEveryRowBelowTheTitlesHoldsData) {
    Shape(0);
    Expect({
        {1, 5, gctDataRowEh | gctDataColEh, 0, 4},
        {0, 5, gctDataRowEh | gctIndicatorEh, 0, 4},
    });
    // The area ends at the grid's last row, not one past it.
    EXPECT_EQ(grid->DataCellArea(), (TGridRect{1, 1, 2, 5}));
    EXPECT_EQ(grid->DataRowCount(), 5);
}

TEST_F(CellKinds, ARowPastTheGridIsAnAlgorithmError) {
    for (int footers : {0, 2}) {
        Shape(footers);
        int col = 0;
        int row = 0;
        try {
            grid->GetCellType(1, grid->RowCount(), col, row);
            ADD_FAILURE() << "no error with " << footers << " footers";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Algorithm error in TCustomDBGridEh.GetCellType");
        }
    }
}

}  // namespace
