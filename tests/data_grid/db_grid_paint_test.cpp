// Which cells the grid's repainting operations paint again: the grid is painted, covered with a
// marker colour, told to repaint a part, and the form paints what became invalid.
#include <functional>

#include "data_grid/column_footer.h"
#include "data_grid/grid_selection.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "tests/data_grid/db_grid_draw_fixture.h"

namespace grid_draw_test {
namespace {

constexpr TColor Marker = 0x00FF00FF;

bool Repainted(GridDrawRig& r, int Col, int Row) {
    const TRect cell = r.grid->CellRect(Col, Row);
    return r.Pixel((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2) !=
           (ColorToArgb(Marker) & 0xFFFFFF);
}

TEST(GridRepainting, EachOperationPaintsItsCellsAgain) {
    struct Case {
        const char* what;
        std::function<void(GridDrawRig&)> prepare;
        std::function<void(GridDrawRig&)> repaint;
        std::vector<TGridCoord> again;
        std::vector<TGridCoord> not_again;
    };
    const Case cases[] = {
        {"a cell",
         [](GridDrawRig&) {},
         [](GridDrawRig& r) { r.grid->RepaintCell(2, 2); },
         {{2, 2}},
         {{2, 1}, {1, 2}, {3, 2}, {2, 3}}},
        {"a row",
         [](GridDrawRig&) {},
         [](GridDrawRig& r) { r.grid->InvalidateGridRow(3); },
         {{0, 3}, {1, 3}, {3, 3}},
         {{1, 2}, {1, 4}}},
        {"a column",
         [](GridDrawRig&) {},
         [](GridDrawRig& r) { r.grid->InvalidateColumn(2); },
         {{2, 0}, {2, 1}, {2, 4}},
         {{1, 1}, {3, 4}}},
        {"the footers",
         [](GridDrawRig& r) {
             r.grid->SetFooterRowCount(1);
             static_cast<TColumnFooterEh*>(r.Column(0)->Footer())->SetValueType(fvtCount);
         },
         [](GridDrawRig& r) { r.grid->InvalidateFooters(); },
         {{1, 6}, {3, 6}},
         {{1, 4}, {1, 5}}},
        {"a whole-grid selection",
         [](GridDrawRig& r) { r.grid->Selection()->SelectWholeGrid(); },
         [](GridDrawRig& r) { r.grid->InvalidateSelection(); },
         {{1, 0}, {1, 3}, {3, 4}},
         {}},
        {"a row selection: its rows and the current row",
         [](GridDrawRig& r) {
             r.grid->SetOptions(r.grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
             r.ds.Locate("ID", Variant(3), {});
             r.grid->SelectedRows()->SelectCurrentRow(true);
             r.ds.First();
         },
         [](GridDrawRig& r) { r.grid->InvalidateSelection(); },
         {{1, 3}, {2, 1}},
         {{1, 2}, {1, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GridDrawRig rig;
        c.prepare(rig);
        rig.Relayout();
        rig.Paint();
        {
            TControlCanvas canvas;
            canvas.SetControl(rig.grid);
            canvas.Brush()->SetColor(Marker);
            canvas.FillRect(rig.grid->ClientRect());
        }
        c.repaint(rig);
        rig.form->PaintInvalid();
        for (const TGridCoord& cell : c.again)
            EXPECT_TRUE(Repainted(rig, cell.X, cell.Y)) << cell.X << "," << cell.Y;
        for (const TGridCoord& cell : c.not_again)
            EXPECT_FALSE(Repainted(rig, cell.X, cell.Y)) << cell.X << "," << cell.Y;
    }
}

TEST(GridRepainting, TheSelectionRemembersWhetherItWasShownActive) {
    GridDrawRig rig;
    TEdit* edit = NewComponent<TEdit>(rig.form);
    edit->SetParent(rig.form);
    edit->SetBounds(0, 300, 100, 20);
    edit->SetFocus();
    rig.grid->InvalidateSelection();
    EXPECT_FALSE(rig.grid->SelectionShownActive());
    rig.grid->SetFocus();
    rig.grid->InvalidateSelection();
    EXPECT_TRUE(rig.grid->SelectionShownActive());
}

}  // namespace
}  // namespace grid_draw_test
