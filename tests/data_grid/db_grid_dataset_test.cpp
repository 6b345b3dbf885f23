// The real grid over the in-memory dataset: the data link's notices reach it in order, and it
// notices a dataset that offers the memory-table view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/headless.h"
#include "tests/support/memory_dataset.h"

namespace {

// Writes down the link's calls, then does what the grid does with them.
class NoticedGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    void DataLinkActiveChanged(bool Active) override {
        calls.push_back(Active ? "active" : "inactive");
        TCustomDBGridEh::DataLinkActiveChanged(Active);
    }
    void LinkDataSetChanged() override {
        calls.push_back("dataset changed");
        TCustomDBGridEh::LinkDataSetChanged();
    }
    void LinkDataSetScrolled(int Distance) override {
        calls.push_back("scrolled " + std::to_string(Distance));
        TCustomDBGridEh::LinkDataSetScrolled(Distance);
    }
    void EditingStateChanged() override {
        calls.push_back(DataLink()->Editing() ? "editing" : "not editing");
        TCustomDBGridEh::EditingStateChanged();
    }
    void RecordChanged(TField* Field) override {
        calls.push_back(Field == nullptr ? "record changed" : "record changed " + Field->FieldName);
        TCustomDBGridEh::RecordChanged(Field);
    }
    void PostEditText() override {
        calls.push_back("post text");
        TCustomDBGridEh::PostEditText();
    }
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }
    std::vector<std::string> calls;
};

class MemoryTable : public TMemoryDataSet, public IMemTableEh {};

struct GridOverMemoryData : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TObjectPtr<NoticedGrid> grid = MakeComponent<NoticedGrid>(nullptr);
    TDataSource source;

    void Fill(TMemoryDataSet& ds) {
        ds.SetColumns({"ID"});
        ds.SetColumnType(0, ftInteger);
        for (int i = 1; i <= 3; ++i) ds.AddRow({Variant(i)});
    }
};

TEST_F(GridOverMemoryData, TheLinksNoticesReachTheGridInOrder) {
    TMemoryDataSet ds;
    Fill(ds);
    source.SetDataSet(&ds);
    grid->SetDataSource(&source);
    grid->Take();

    ds.Open();
    EXPECT_EQ(grid->Take(), std::vector<std::string>{"active"});
    ds.Next();
    EXPECT_EQ(grid->Take(), std::vector<std::string>{"scrolled 1"});
    ds.Edit();
    EXPECT_EQ(grid->Take(), (std::vector<std::string>{"editing", "record changed"}));
    grid->DataLink()->MarkModified();
    ds.Post();
    EXPECT_EQ(grid->Take(), (std::vector<std::string>{"post text", "not editing", "dataset changed"}));
    ds.Close();
    EXPECT_EQ(grid->Take(), std::vector<std::string>{"inactive"});

    grid->SetDataSource(nullptr);
    source.SetDataSet(nullptr);
    ds.BeforeDestruction();
}

TEST_F(GridOverMemoryData, AMemoryTableIsHeldWhileAllowedAndLetGoWhenFreed) {
    auto table = std::make_unique<MemoryTable>();
    Fill(*table);
    table->Open();
    source.SetDataSet(table.get());

    grid->SetAllowMemTable(false);
    grid->SetDataSource(&source);
    EXPECT_FALSE(grid->HasMemTable());

    grid->SetAllowMemTable(true);
    grid->DetectMemTable();
    EXPECT_EQ(grid->MemTable(), static_cast<IMemTableEh*>(table.get()));
    EXPECT_TRUE(grid->InMemTableView());
    grid->SetFooterRowCount(1);
    EXPECT_FALSE(grid->InMemTableView());

    table->BeforeDestruction();
    table.reset();
    EXPECT_FALSE(grid->HasMemTable());
    grid->SetDataSource(nullptr);
}

}  // namespace
