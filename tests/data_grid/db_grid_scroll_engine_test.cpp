// The grid's vertical bar over a TpFIBDataSet of 1,000 rows on the embedded engine: line, page and
// thumb codes land on the records they name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/db_grid.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/messages.h"
#include "platform/ui/scroll_info.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace {

class GridScrollEngine : public dstest::DatasetEngine {
  protected:
    void SetUp() override {
        DatasetEngine::SetUp();
        Application->CreateForm(&form_);
        form_->SetBounds(0, 0, 600, 500);
        grid_ = NewComponent<TCustomDBGridEh>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 500, 300);
        form_->Show();
        numbers_ = &DataSet<TpFIBDataSet>("SELECT N, NAME FROM NUMBERS ORDER BY N");
        source_ = NewComponent<TDataSource>(form_);
        source_->SetDataSet(numbers_);
        numbers_->Open();
        grid_->SetDataSource(source_);
        grid_->SetFocus();
        ui_.ProcessMessages();
    }
    void TearDown() override {
        grid_->SetDataSource(nullptr);
        DatasetEngine::TearDown();
    }
    void Bar(int Code, int Pos = 0) {
        grid_->Perform(WM_VSCROLL, static_cast<WPARAM>(Code) | (static_cast<WPARAM>(Pos) << 16), 0);
    }
    int Current() { return numbers_->FieldByName("N")->AsInteger(); }

    platform::ui::HeadlessSession ui_;
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
    TDataSource* source_ = nullptr;
    TpFIBDataSet* numbers_ = nullptr;
};

TEST_F(GridScrollEngine, BarCodesLandOnTheRecordsTheyName) {
    const int page = grid_->VisibleDataRowCount();
    ASSERT_GT(page, 3);
    ASSERT_EQ(grid_->DataLink()->RecordCount(), page);
    struct Step {
        const char* What;
        int Code;
        int Pos;
        int Expected;
    };
    // From the first record: the rows shown are 1..page.
    const std::vector<Step> steps = {
        {"line down", SB_LINEDOWN, 0, page + 1},
        {"page down", SB_PAGEDOWN, 0, 2 * page + 1},
        {"page up", SB_PAGEUP, 0, page + 1},
        {"bottom", SB_BOTTOM, 0, 1000},
        {"top", SB_TOP, 0, 1},
        {"thumb to the last", SB_THUMBPOSITION, 4000, 1000},
        {"thumb to the first", SB_THUMBPOSITION, 0, 1},
    };
    for (const Step& s : steps) {
        Bar(s.Code, s.Pos);
        EXPECT_EQ(Current(), s.Expected) << s.What;
    }
}

TEST_F(GridScrollEngine, TheThumbHasFivePlacesUntilAllRowsAreFetchedThenRecordNumbers) {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(grid_->Handle(), SB_VERT, info));
    ASSERT_EQ(info.nMin, 0) << "rows still to come: no record numbers";
    EXPECT_EQ(info.nMax, 4);
    EXPECT_EQ(info.nPos, 0);
    Bar(SB_THUMBPOSITION, 3);
    EXPECT_EQ(Current(), 1 + grid_->VisibleDataRowCount());

    numbers_->Last();
    numbers_->First();
    Bar(SB_THUMBPOSITION, 500);
    EXPECT_EQ(Current(), 500);
    ASSERT_TRUE(GetScrollInfo(grid_->Handle(), SB_VERT, info));
    EXPECT_EQ(info.nMin, 1);
    EXPECT_EQ(info.nPos, 500);
    EXPECT_EQ(info.nMax, 1000 + grid_->VisibleDataRowCount() - 1);
}

}  // namespace
