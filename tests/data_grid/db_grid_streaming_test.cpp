// The grid's columns in its stored form: written only when they were made by the user (or differ
// from the inherited form's), and read back in place of the columns the grid had.
#include <gtest/gtest.h>

#include <string>

#include "data_grid/db_grid.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"
#include "platform/ui/headless.h"

namespace {

// A grid of plain columns, whose storing the test sets by hand.
class PlainColumnsGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    std::unique_ptr<IGridColumnsEh> NewColumns() override { return std::make_unique<TPlainGridColumnsEh>(); }
};

TPlainGridColumnsEh& ColumnsOf(TCustomDBGridEh& grid) {
    return static_cast<TPlainGridColumnsEh&>(*grid.ColumnsPart());
}

TObjectPtr<TCustomDBGridEh> GridWithColumns(std::initializer_list<TSortMarkerEh> markers, bool customized) {
    TObjectPtr<TCustomDBGridEh> grid = MakeComponent<PlainColumnsGrid>(nullptr);
    grid->SetName("Grid1");
    for (TSortMarkerEh marker : markers) ColumnsOf(*grid).Add()->SetSortMarker(marker);
    ColumnsOf(*grid).SetCustomized(customized);
    return grid;
}

bool WritesColumns(const std::string& text) {
    return text.find("Columns") != std::string::npos;
}

TEST(DBGridStoredForm, ColumnsAreWrittenOnlyWhenCustomized) {
    platform::ui::HeadlessSession ui;
    auto fromFields = GridWithColumns({smNoneEh, smUpEh}, false);
    EXPECT_FALSE(WritesColumns(ComponentToText(*fromFields)));

    auto made = GridWithColumns({smNoneEh, smUpEh, smDownEh}, true);
    const std::string text = ComponentToText(*made);
    ASSERT_TRUE(WritesColumns(text));

    auto readBack = GridWithColumns({smDownEh, smDownEh, smDownEh, smDownEh}, false);
    TReader(text).ReadRootComponent(*readBack);
    ASSERT_EQ(readBack->ColumnsPart()->Count(), 3);
    EXPECT_EQ(readBack->ColumnsPart()->Items(0)->SortMarker(), smNoneEh);
    EXPECT_EQ(readBack->ColumnsPart()->Items(1)->SortMarker(), smUpEh);
    EXPECT_EQ(readBack->ColumnsPart()->Items(2)->SortMarker(), smDownEh);
    EXPECT_EQ(readBack->ColCount(), 3 + readBack->IndicatorOffset());
}

TEST(DBGridStoredForm, AgainstAnInheritedFormOnlyDifferentColumnsAreWritten) {
    platform::ui::HeadlessSession ui;
    struct Case {
        const char* what;
        std::initializer_list<TSortMarkerEh> ancestor;
        bool ancestorCustomized;
        bool written;
    };
    const Case cases[] = {
        {"the same columns", {smNoneEh, smUpEh}, true, false},
        {"another marker", {smNoneEh, smDownEh}, true, true},
        {"another count", {smNoneEh}, true, true},
        {"ancestor from fields", {smNoneEh, smUpEh}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto ancestor = GridWithColumns(c.ancestor, c.ancestorCustomized);
        auto grid = GridWithColumns({smNoneEh, smUpEh}, true);
        EXPECT_EQ(WritesColumns(ComponentToText(*grid, ancestor.get())), c.written);
    }
}

}  // namespace
