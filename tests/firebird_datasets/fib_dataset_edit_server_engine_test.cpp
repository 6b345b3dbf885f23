// Posting, deleting and refreshing without cached updates: what the server receives and holds.
#include <gtest/gtest.h>

#include "firebird/fib_errors.h"
#include "platform/db/data_source.h"
#include "tests/firebird_datasets/dataset_edit_fixture.h"

namespace {

using EditOnServer = dstest::EditEngine;

// Every row fetched: the open cursor would otherwise also bring the rows the test posts.
void OpenAll(TFIBCustomDataSet& ds) {
    ds.Open();
    ds.FetchAll();
}

void Rename(TDataSet& ds, const char* name) {
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString(name);
    ds.Post();
}

TEST_F(EditOnServer, UpdateReceivesOldAndNewValuesOfTheEditedRecordOnly) {
    auto& ds = EditDataSet();
    OpenAll(ds);
    Rename(ds, "uno");
    ds.Next();
    Rename(ds, "dos");
    // The first record is modified already: its second edit must still go out with its own key.
    ds.First();
    Rename(ds, "first");
    const auto rows = ServerRows();
    EXPECT_EQ(rows.at(1), "first|uno|first|");
    EXPECT_EQ(rows.at(2), "dos|two|dos|");
    EXPECT_EQ(rows.at(3), "three|||");
    EXPECT_EQ(ds.CachedUpdateStatus(), cusModified);
    EXPECT_FALSE(ds.UpdatesPending());
}

TEST_F(EditOnServer, ChangedKeyGoesOutWithTheOldOne) {
    auto& ds = EditDataSet();
    OpenAll(ds);
    ds.Edit();
    ds.FieldByName("ID")->SetAsInteger(10);
    ds.Post();
    const auto rows = ServerRows();
    EXPECT_EQ(rows.count(1), 0u);
    EXPECT_EQ(rows.at(10), "one|one|one|");
}

TEST_F(EditOnServer, TextWrittenToABlobFieldReachesTheServer) {
    auto& ds = DataSet<dstest::TEditProbe>("SELECT ID, NOTE FROM EDIT_ROWS ORDER BY ID");
    ds.SetUpdateTransaction(&Transaction());
    ds.SetAutoCommit(true);
    ds.UpdateSQL().SetText("UPDATE EDIT_ROWS SET NOTE = :NOTE WHERE ID = :OLD_ID");
    OpenAll(ds);
    ds.Edit();
    ds.FieldByName("NOTE")->SetAsString("a long note");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("NOTE")->AsString(), "a long note");
    ServerExec("UPDATE EDIT_ROWS SET NAME = CAST(NOTE AS VARCHAR(20)) WHERE ID = 1");
    EXPECT_EQ(ServerRows().at(1), "a long note|||");
}

TEST_F(EditOnServer, InsertAndAppendPlaceTheRecordAndSendItsValues) {
    auto& ds = EditDataSet();
    OpenAll(ds);
    ds.Next();  // on 2
    ds.Insert();
    ds.FieldByName("ID")->SetAsInteger(20);
    ds.FieldByName("NAME")->SetAsString("before two");
    ds.Post();
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.CachedUpdateStatus(), cusInserted);
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(30);
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), 5);
    EXPECT_EQ(ds.FetchedCount(), 5);
    std::string order;
    for (ds.First(); !ds.Eof(); ds.Next()) order += ds.FieldByName("ID")->AsString() + " ";
    EXPECT_EQ(order, "1 20 2 3 30 ");
    const auto rows = ServerRows();
    EXPECT_EQ(rows.at(20), "before two|||");
    EXPECT_EQ(rows.at(30), "|||");
}

TEST_F(EditOnServer, RefusedInsertLeavesTheCacheAsItWasAndTheRecordToCorrect) {
    auto& ds = EditDataSet();
    OpenAll(ds);
    ds.Next();
    ds.Insert();
    ds.FieldByName("ID")->SetAsInteger(3);  // the key is taken
    EXPECT_THROW(ds.Post(), EFIBError);
    EXPECT_EQ(ds.State(), dsInsert);
    ds.FieldByName("ID")->SetAsInteger(40);
    ds.Post();
    std::string order;
    for (ds.First(); !ds.Eof(); ds.Next()) order += ds.FieldByName("ID")->AsString() + " ";
    EXPECT_EQ(order, "1 40 2 3 ");
    EXPECT_EQ(ServerRows().size(), 4u);
}

TEST_F(EditOnServer, DeleteRemovesTheRowByItsKeyAndHidesTheRecord) {
    auto& ds = EditDataSet();
    OpenAll(ds);
    ds.Next();
    Rename(ds, "edited first");
    ds.Delete();
    EXPECT_EQ(ds.RecordCount(), 2);
    // Changes done on the server are not pending.
    EXPECT_EQ(ds.CachedChangeCount(), 0);
    EXPECT_FALSE(ds.UpdatesPending());
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 3);
    const auto rows = ServerRows();
    EXPECT_EQ(rows.count(2), 0u);
    EXPECT_EQ(rows.size(), 2u);
}

TEST_F(EditOnServer, RefreshReadsTheRowAgainOrHidesItWhenGone) {
    struct Case {
        const char* serverChange;
        bool refreshDeleted;
        int recordCount;
        const char* name;  // of the current record after the refresh
    };
    const Case cases[] = {
        {"UPDATE EDIT_ROWS SET NAME = 'changed' WHERE ID = 1", false, 3, "changed"},
        {"DELETE FROM EDIT_ROWS WHERE ID = 1", false, 3, "one"},
        {"DELETE FROM EDIT_ROWS WHERE ID = 1", true, 2, "two"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serverChange);
        SetUp();
        auto& ds = EditDataSet();
        if (c.refreshDeleted)
            ds.SetOptions(ds.Options() + TpFIBDsOptions{poRefreshDeletedRecord});
        OpenAll(ds);
        ServerExec(c.serverChange);
        ds.Refresh();
        EXPECT_EQ(ds.RecordCount(), c.recordCount);
        EXPECT_EQ(ds.FieldByName("NAME")->AsString(), c.name);
    }
}

TEST_F(EditOnServer, MasterValuesGoToMasParameters) {
    TObjectPtr<TFIBDataSet> owned = MakeComponent<TFIBDataSet>(nullptr);
    TFIBDataSet& master = *owned;
    master.SetDatabase(&Database());
    master.SetTransaction(&Transaction());
    master.SelectSQL().SetText("SELECT ID FROM EDIT_ROWS WHERE ID = 2");
    master.Open();
    TObjectPtr<TDataSource> source = MakeComponent<TDataSource>(nullptr);
    source->SetDataSet(&master);
    auto& ds = EditDataSet("WHERE MASTER_ID IS NOT NULL");
    ds.SetDataSource(source.get());
    OpenAll(ds);
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(50);
    ds.Post();
    EXPECT_EQ(ServerRows().at(50), "|||2");
    ds.Close();
    ds.SetDataSource(nullptr);
}

TEST_F(EditOnServer, RefusedStepsChangeNothing) {
    auto& ds = EditDataSet();
    OpenAll(ds);
    ds.RefreshSQL().Clear();
    try {
        ds.Refresh();
        ADD_FAILURE() << "refresh without a statement went through";
    } catch (const EFIBError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceCannotRefresh);
        EXPECT_NE(e.Message.find("Can't refresh row. (TestDS)"), std::string::npos) << e.Message;
    }
    ds.InsertSQL().Clear();
    ds.DeleteSQL().Clear();
    EXPECT_THROW(ds.Insert(), EAbort);
    EXPECT_THROW(ds.Delete(), EAbort);
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(ServerRows().size(), 3u);
    EXPECT_EQ(ServerRows().at(1), "one|||");
}

}  // namespace
