// Record counts and numbers on the embedded engine: the count asked from the server, numbers that
// skip the records a filter hides, user events that close and open a dataset, and a dataset
// described in FIB$DATASETS_INFO by its number.
#include <gtest/gtest.h>

#include <string>

#include "firebird_datasets/datasets_container.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/rtl/strings.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"
#include "tests/firebird_datasets/repository_engine_fixture.h"

namespace {

using CountsEngine = dstest::DatasetEngine;

constexpr const char* kFirstTwelve = "SELECT N FROM NUMBERS WHERE N <= 12 ORDER BY N";

TEST_F(CountsEngine, ServerCountIsKnownBeforeTheRowsAreFetched) {
    auto& ds = DataSet<TpFIBDataSet>("SELECT N FROM NUMBERS WHERE N > :LOW ORDER BY N");
    ds.SetPrepareOptions(ds.PrepareOptions() + TpPrepareOptions{psAskRecordCount});
    ds.Params().ByName("LOW")->WriteAsInteger(990);
    ds.Open();
    EXPECT_LT(ds.FetchedCount(), 10);
    EXPECT_EQ(ds.RecordCount(), 10);
    EXPECT_TRUE(ds.IsSequenced());
    ds.Close();
    // The application may count another way; a text that fails names the dataset.
    ds.OnAskRecordCount = [](TDataSet*, std::string& sql) { sql = "SELECT 500 FROM RDB$DATABASE"; };
    ds.Open();
    EXPECT_EQ(ds.KnownRecordCount(), 500);
    ds.Close();
    ds.OnAskRecordCount = [](TDataSet*, std::string& sql) { sql = "SELECT COUNT(*) FROM NO_SUCH_TABLE"; };
    try {
        ds.Open();
        ADD_FAILURE() << "opened without a count";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, "TestDS unable to get number of records");
    }
}

TEST_F(CountsEngine, VisibleNumbersSkipTheRecordsTheFilterHides) {
    auto& ds = DataSet<TpFIBDataSet>(kFirstTwelve);
    ds.SetOptions(ds.Options() + TpFIBDsOptions{poVisibleRecno});
    ds.SetOnFilterRecord(
        [](TDataSet* dataSet, bool& accept) { accept = dataSet->FieldByName("N")->AsInteger() % 3 != 0; });
    ds.Open();
    ds.FetchAll();
    ds.SetFiltered(true);
    // Counted over the fetched records.
    EXPECT_EQ(ds.RecordCount(), 8);
    // 3, 6 and 9 are hidden: N = 10 is the seventh record shown.
    ASSERT_TRUE(ds.Locate("N", 10, {}));
    EXPECT_EQ(ds.RecNo(), 7);
    ds.SetRecNo(5);
    EXPECT_EQ(ds.FieldByName("N")->AsInteger(), 7);
    EXPECT_EQ(ds.RecNo(), 5);
    ds.SetFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 12);
    ds.SetRecNo(5);
    EXPECT_EQ(ds.FieldByName("N")->AsInteger(), 5);
}

TEST_F(CountsEngine, UserEventsCloseAndOpenTheDataSet) {
    TObjectPtr<TDataSetsContainer> container = MakeComponent<TDataSetsContainer>(nullptr);
    auto& ds = DataSet<TpFIBDataSet>(kFirstTwelve);
    ds.SetContainer(container.get());
    ds.Open();
    std::string info;
    container->NotifyDataSets(nullptr, "*", info, "close");
    EXPECT_FALSE(ds.Active());
    container->NotifyDataSets(nullptr, "", info, "Open");
    EXPECT_TRUE(ds.Active());
}

using NumberedEngine = repotest::RepositoryEngine;

TEST_F(NumberedEngine, DataSetNumberBringsItsDescriptionAtTheOpen) {
    TObjectPtr<TpFIBDataSet> ds = MakeComponent<TpFIBDataSet>(nullptr);
    ds->SetName("People");
    ds->SetDatabase(&Database());
    ds->SetTransaction(&Transaction());
    ds->SetColumnRepository(&Repository());
    ds->SetDataSet_ID(10);
    EXPECT_TRUE(ds->PrepareOptions().Contains(psApplyRepositary));
    ds->Open();
    EXPECT_EQ(Trim(ds->SelectSQL().Text()), "SELECT * FROM PEOPLE");
    EXPECT_EQ(ds->Description(), "Люди");
    EXPECT_EQ(ds->AutoUpdateOptions().KeyFields(), "ID");
    EXPECT_THROW(ds->SetDataSet_ID(11), Exception);
    ds->Close();
    // Without a select of its own or in the repository there is nothing to open.
    ds->SetDataSet_ID(12);
    ds->SelectSQL().Clear();
    try {
        ds->Open();
        ADD_FAILURE() << "opened without a select";
    } catch (const Exception& error) {
        EXPECT_NE(error.Message.find("Prepare People"), std::string::npos) << error.Message;
    }
}

}  // namespace
