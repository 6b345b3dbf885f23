#include <algorithm>

#include "platform/ui/input.h"
#include "tests/data_grid/lookup_grid_fixture.h"

namespace lookup_grid_test {
namespace {

// A lookup grid of three rows driven by real mouse messages through the form.
struct MouseGrid : LookupGridFixture {
    MouseGrid() {
        grid->SetRowCount(3);
        ui.ProcessMessages();
    }
    TPoint FormPoint(int y) const {
        const TPoint origin = grid->FormOrigin();
        return {origin.X + 20, origin.Y + y};
    }
    // The client y in the middle of data row Row (0 the top row shown).
    int RowY(int Row) {
        const TRect cell = grid->CellRect(grid->IndicatorOffset(), grid->TopDataOffset() + Row);
        return (cell.Top + cell.Bottom) / 2;
    }
    void Press(int y) {
        ui.Advance(1000);
        platform::ui::PostMouseDown(*form, mbLeft, {}, FormPoint(y));
        ui.ProcessMessages();
    }
    void MoveTo(int y) {
        platform::ui::PostMouseMove(*form, {ssLeft}, FormPoint(y));
        ui.ProcessMessages();
    }
    void Release(int y) {
        platform::ui::PostMouseUp(*form, mbLeft, {}, FormPoint(y));
        ui.ProcessMessages();
    }
};

TEST(LookupGridMouse, PressAndDragChooseTheRowUnderThePointer) {
    MouseGrid f;
    f.Press(f.RowY(1));
    EXPECT_EQ(f.grid->KeyValue(), Variant(2));
    f.MoveTo(f.RowY(2));
    EXPECT_EQ(f.grid->KeyValue(), Variant(3));
    f.Release(f.RowY(0));
    EXPECT_EQ(f.grid->KeyValue(), Variant(1));
    f.MoveTo(f.RowY(2));
    EXPECT_EQ(f.grid->KeyValue(), Variant(1)) << "no tracking after the release";
}

TEST(LookupGridMouse, PointerBelowTheGridScrollsFasterTheFartherItIs) {
    const struct {
        int below;
        int interval;
    } cases[] = {{3, 155}, {13, 5}, {20, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.below << " pixels below");
        MouseGrid f;
        f.Press(f.RowY(0));
        ASSERT_EQ(f.grid->KeyValue(), Variant(1));
        f.MoveTo(f.grid->ClientHeight() - 1 + c.below);
        EXPECT_EQ(f.grid->ScrollTimerInterval(), c.interval);
        const Variant afterMove = f.grid->KeyValue();
        // At least 10 ms, so the shortest intervals surely come due.
        f.ui.Advance(std::max(c.interval, 10));
        EXPECT_EQ(f.grid->KeyValue().AsInteger(), afterMove.AsInteger() + 1) << "one record per tick";
        f.Release(f.RowY(0));
        EXPECT_EQ(f.grid->ScrollTimerInterval(), -1);
    }
}

TEST(LookupGridMouse, PointerAboveTheGridAtTheFirstRecordChoosesTheSpecialRow) {
    MouseGrid f;
    f.ShowSpecRow();
    f.ui.ProcessMessages();
    f.Press(f.RowY(0));
    ASSERT_EQ(f.grid->KeyValue(), Variant(1));
    f.people.First();
    f.MoveTo(-5);
    EXPECT_TRUE(f.grid->SpecRowSelected());
    EXPECT_EQ(f.grid->KeyValue(), Variant::Null());
    f.Release(-5);
}

}  // namespace
}  // namespace lookup_grid_test
