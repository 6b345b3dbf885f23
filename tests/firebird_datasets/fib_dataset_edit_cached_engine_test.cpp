// Cached updates: statuses, counts and what cancelling them brings back; nothing reaches the server.
#include <gtest/gtest.h>

#include "tests/firebird_datasets/dataset_edit_fixture.h"

namespace {

// Applies the delete of one cached record the way applying the updates would.
class TCachedProbe : public dstest::TEditProbe {
  public:
    using TEditProbe::TEditProbe;
    void DeleteOnServer(int index) {
        TRecordBuffer buffer = AllocRecordBuffer();
        InitRecordBuffer(index, buffer, false);
        DeleteRecordOnServer(QDelete(), buffer);
        FreeRecordBuffer(buffer);
        UpdateTransaction()->CommitRetaining();  // cached updates commit once all are applied
    }
};

class CachedEditing : public dstest::EditEngine {
  protected:
    TCachedProbe& Cached() {
        auto& ds = DataSet<TCachedProbe>("SELECT ID, NAME, MASTER_ID FROM EDIT_ROWS ORDER BY ID");
        ds.SetUpdateTransaction(&Transaction());
        ds.SetAutoCommit(true);
        ds.UpdateSQL().SetText("UPDATE EDIT_ROWS SET NAME = :NAME WHERE ID = :OLD_ID");
        ds.InsertSQL().SetText("INSERT INTO EDIT_ROWS (ID, NAME) VALUES (:ID, :NAME)");
        ds.DeleteSQL().SetText("DELETE FROM EDIT_ROWS WHERE ID = :OLD_ID");
        ds.SetCachedUpdates(true);
        ds.Open();
        ds.FetchAll();
        return ds;
    }

    static void Set(TDataSet& ds, const char* field, const Variant& value) {
        ds.Edit();
        ds.FieldByName(field)->SetValue(value);
        ds.Post();
    }

    static std::string Ids(TDataSet& ds) {
        std::string ids;
        for (ds.First(); !ds.Eof(); ds.Next())
            ids += ds.FieldByName("ID")->AsString() + ":" + ds.FieldByName("NAME")->AsString() + " ";
        return ids;
    }

    const std::map<int, std::string> untouched_ = {{1, "one|||"}, {2, "two|||"}, {3, "three|||"}};
};

TEST_F(CachedEditing, EditsCountOncePerRecordAndCancelBringsTheFetchedValuesBack) {
    auto& ds = Cached();
    Set(ds, "NAME", "uno");
    EXPECT_EQ(ds.CachedUpdateStatus(), cusModified);
    EXPECT_EQ(ds.UpdateStatus(), usModified);
    EXPECT_EQ(ds.CachedChangeCount(), 1);
    Set(ds, "NAME", "uno again");  // the log keeps the image from before the first edit
    EXPECT_EQ(ds.CachedChangeCount(), 1);
    EXPECT_TRUE(ds.UpdatesPending());
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("dropped");
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "uno again");
    EXPECT_EQ(ServerRows(), untouched_);

    ds.CancelUpdates();
    EXPECT_EQ(Ids(ds), "1:one 2:two 3:three ");
    // A change cancelled before its post leaves nothing pending, for an edit as for an insertion.
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("dropped");
    ds.Cancel();
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(9);
    ds.Cancel();
    ds.First();
    EXPECT_EQ(ds.CachedUpdateStatus(), cusUnmodified);
    EXPECT_EQ(ds.CachedChangeCount(), 0);
    EXPECT_FALSE(ds.UpdatesPending());
}

TEST_F(CachedEditing, DeletingAPendingInsertionHidesItForGood) {
    auto& ds = Cached();
    ds.Last();
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(4);
    ds.FieldByName("NAME")->SetAsString("four");
    ds.Post();
    EXPECT_EQ(ds.CachedUpdateStatus(), cusInserted);
    EXPECT_EQ(ds.CachedChangeCount(), 1);
    EXPECT_EQ(ds.RecordCount(), 4);
    ds.Delete();
    EXPECT_EQ(ds.CachedChangeCount(), 0);
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.CancelUpdates();
    EXPECT_EQ(Ids(ds), "1:one 2:two 3:three ");
    EXPECT_EQ(ServerRows(), untouched_);
}

TEST_F(CachedEditing, CancellingTakesBackInsertionsAndDeletes) {
    auto& ds = Cached();
    ds.Next();
    ds.Delete();  // 2
    EXPECT_EQ(ds.CachedChangeCount(), 1);
    EXPECT_EQ(ds.RecordCount(), 2);
    ds.First();
    ds.Insert();
    ds.FieldByName("ID")->SetAsInteger(0);
    ds.FieldByName("NAME")->SetAsString("zero");
    ds.Post();
    EXPECT_EQ(Ids(ds), "0:zero 1:one 3:three ");
    EXPECT_EQ(ds.CachedChangeCount(), 2);
    ds.CancelUpdates();
    EXPECT_EQ(Ids(ds), "1:one 2:two 3:three ");
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(ServerRows(), untouched_);
}

TEST_F(CachedEditing, EditThenDeleteKeepsTheFetchedImageForCancelAndForTheAppliedDelete) {
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "applied");
        SetUp();
        auto& ds = Cached();
        ds.Next();
        Set(ds, "ID", 20);
        Set(ds, "NAME", "twenty");
        ds.Delete();
        EXPECT_EQ(ds.CachedChangeCount(), 2);
        EXPECT_EQ(ds.RecordCount(), 2);
        if (cancel) {
            ds.CancelUpdates();
            EXPECT_EQ(Ids(ds), "1:one 2:two 3:three ");
            EXPECT_EQ(ServerRows(), untouched_);
        } else {
            ds.DeleteOnServer(1);  // goes out with the key the server has
            EXPECT_EQ(ServerRows().count(2), 0u);
            EXPECT_EQ(ServerRows().size(), 2u);
        }
    }
}

TEST_F(CachedEditing, RevertingAnUninsertedRecordWithReinsertShowsItAgain) {
    auto& ds = Cached();
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(4);
    ds.Post();
    ds.Delete();
    ASSERT_EQ(ds.RecordCount(), 3);
    ds.RevertRecordUpdate(3, false);
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.RevertRecordUpdate(3, true);
    EXPECT_EQ(ds.RecordCount(), 4);
    EXPECT_EQ(ds.CachedChangeCount(), 2);
}

}  // namespace
