// The mouse's marks on a grid painted by the Qt host under the offscreen platform, by their
// pixels: a title held pressed, and the dotted drop line of records dragged by the indicator.
#include <gtest/gtest.h>

#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/input.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/support/memory_dataset.h"
#include "tests/support/qt_host_test.h"

namespace {

using platform::ui::RasterImage;

class QtGridMouseTest : public QtHostTest {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 460, 260);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(10, 10, 440, 230);
        grid->SetExtOptions(grid->ExtOptions() + TDBGridEhExtOptions{gxoRecordMovingEh});
        ds.SetColumns({"ID", "NAME"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftString, 20);
        for (int id = 1; id <= 6; ++id) ds.AddRow({Variant(id), Variant("row " + std::to_string(id))});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
        for (const char* name : {"ID", "NAME"}) {
            TColumnEh* column = columns.Add();
            column->SetFieldName(name);
            column->Title()->SetTitleButton(true);
        }
        form->Show();
        ds.Open();
        grid->SetDataSource(source);
        grid->OnRecordsMove = [](TObject*, const std::vector<std::string>&, int, int, bool) { return true; };
        Application->ProcessMessages();
    }
    void TearDown() override {
        grid->SetDataSource(nullptr);
        Application->DestroyForms();
        ds.BeforeDestruction();
    }
    TPoint OnForm(TPoint client) const {
        const TPoint origin = grid->FormOrigin();
        return {origin.X + client.X, origin.Y + client.Y};
    }
    TPoint Middle(int col, int row) const {
        const TRect r = grid->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    RasterImage Shown() {
        Application->ProcessMessages();
        return platform::ui::GrabHostWindow(*form);
    }
    std::uint32_t At(const RasterImage& shown, TPoint client) const {
        const TPoint p = OnForm(client);
        return shown.Pixel(p.X, p.Y) & 0xFFFFFF;
    }

    GridUnitScope unit;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;
};

TEST_F(QtGridMouseTest, AHeldTitleShowsPressedUntilTheRelease) {
    const TRect title = grid->CellRect(2, 0);
    const RasterImage before = Shown();
    auto changed = [&](const RasterImage& now) {
        int n = 0;
        for (int y = title.Top; y < title.Bottom; ++y)
            for (int x = title.Left; x < title.Right; ++x) n += At(now, {x, y}) != At(before, {x, y});
        return n;
    };
    platform::ui::PostMouseDown(*form, mbLeft, {}, OnForm(Middle(2, 0)));
    Application->ProcessMessages();
    grid->Repaint();
    const RasterImage pressed = Shown();
    EXPECT_EQ(grid->PressedTitleColumn(), 2);
    EXPECT_GT(changed(pressed), 10) << "the raised frame sinks and the caption moves";
    platform::ui::PostMouseUp(*form, mbLeft, {}, OnForm(Middle(2, 0)));
    Application->ProcessMessages();
    grid->Repaint();
    EXPECT_EQ(changed(Shown()), 0);
}

TEST_F(QtGridMouseTest, TheDropLineInvertsADottedBandAlongTheTargetRow) {
    const RasterImage before = Shown();
    const int y = grid->CellRect(1, 4).Bottom;
    platform::ui::PostMouseDown(*form, mbLeft, {}, OnForm(Middle(0, 2)));
    platform::ui::PostMouseMove(*form, {ssLeft}, OnForm(Middle(0, 4)));
    const RasterImage dragging = Shown();
    ASSERT_EQ(grid->DropTargetRow(), 4);
    int inverted = 0;
    int other = 0;
    for (int x = grid->CellRect(1, 4).Left; x < grid->ClientWidth(); ++x) {
        const std::uint32_t was = At(before, {x, y});
        const std::uint32_t now = At(dragging, {x, y});
        if (now == (was ^ 0xFFFFFFu))
            ++inverted;
        else if (now != was)
            ++other;
    }
    EXPECT_GT(inverted, 20);
    EXPECT_EQ(other, 0);
    platform::ui::PostMouseUp(*form, mbLeft, {}, OnForm(Middle(0, 4)));
    // Drawn a second time, the line is gone.
    const RasterImage after = Shown();
    for (int x = grid->CellRect(1, 4).Left; x < grid->ClientWidth(); x += 7)
        EXPECT_EQ(At(after, {x, y}), At(before, {x, y})) << x;
}

}  // namespace
