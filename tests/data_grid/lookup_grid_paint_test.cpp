#include "platform/ui/colors.h"
#include "platform/ui/control_canvas.h"
#include "tests/data_grid/lookup_grid_fixture.h"

namespace lookup_grid_test {
namespace {

struct PaintedGrid : LookupGridFixture {
    PaintedGrid() {
        ShowSpecRow("(нет);-");
        ui.ProcessMessages();
    }
    std::uint32_t Pixel(TPoint p) {
        TControlCanvas canvas;
        canvas.SetControl(grid);
        return ColorToArgb(canvas.Pixel(p.X, p.Y)) & 0xFFFFFF;
    }
    // A point inside the first data column's cell of the grid row, clear of its text.
    TPoint InRow(int GridRow) {
        const TRect cell = grid->CellRect(grid->IndicatorOffset(), GridRow);
        return {cell.Right - 3, cell.Bottom - 2};
    }
    bool Highlighted(int GridRow) { return Pixel(InRow(GridRow)) == (ColorToArgb(clHighlight) & 0xFFFFFF); }
    // The grid row of the special row, and that of list record Index.
    int SpecRowRow() const { return grid->TopDataOffset() - 1; }
    int DataRow(int Index) const { return grid->TopDataOffset() + Index; }
};

TEST(LookupGridPaint, SpecialRowIsAFixedRowHighlightedWhileItStandsForTheKey) {
    PaintedGrid f;
    ASSERT_EQ(f.grid->TopDataOffset(), 1) << "the special row is the one row above the data";
    ASSERT_TRUE(f.grid->SpecRowSelected());
    f.grid->Repaint();
    EXPECT_TRUE(f.Highlighted(f.SpecRowRow()));
    EXPECT_FALSE(f.Highlighted(f.DataRow(0)));
    f.grid->SetKeyValue(3);
    f.grid->Repaint();
    EXPECT_FALSE(f.Highlighted(f.SpecRowRow()));
    EXPECT_TRUE(f.Highlighted(f.DataRow(2))) << "the key's row, whatever the grid's own selection";
    EXPECT_FALSE(f.Highlighted(f.DataRow(1)));
    EXPECT_TRUE(f.grid->ShowsRowFocusFrame());
}

}  // namespace
}  // namespace lookup_grid_test
