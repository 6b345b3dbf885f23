// Record locks on the embedded engine, with a second connection that holds, changes or deletes
// the same rows: the lock's text, what each conflict reports, and the protected edit around it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "firebird/fib_errors.h"
#include "firebird_datasets/datasets_container.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/rtl/strings.h"
#include "tests/firebird/engine_database.h"

namespace {

constexpr const char* kRows = "SELECT NAME, ID, CODE FROM LOCK_ITEMS ORDER BY ID, CODE";
constexpr const char* kUpdate = "UPDATE LOCK_ITEMS SET NAME=?NAME WHERE ID=?OLD_ID and CODE=?OLD_CODE";
constexpr const char* kRefresh = "SELECT NAME, ID, CODE FROM LOCK_ITEMS WHERE ID=?OLD_ID and CODE=?OLD_CODE";

class LockEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!File().empty())
            return;
        File() = fbtest::TEngineFolder::Get().CreateDatabase("locking");
        fbtest::TConnection setup(File());
        setup.db->SetConnected(true);
        setup.tr->StartTransaction();
        fbtest::ExecSQL(
            *setup.tr,
            "CREATE TABLE LOCK_ITEMS (ID INTEGER NOT NULL, CODE INTEGER NOT NULL, NAME VARCHAR(20),"
            " PRIMARY KEY (ID, CODE))");
        setup.tr->Commit();
    }

    static std::string& File() {
        static std::string file;
        return file;
    }

    void SetUp() override {
        mine_.db->SetConnected(true);
        other_.db->SetConnected(true);
        updates_->SetDefaultDatabase(mine_.db.get());
        updates_->TRParams().SetText("write\nread_committed\nrec_version\nnowait");
        Other("DELETE FROM LOCK_ITEMS");
        Other("INSERT INTO LOCK_ITEMS VALUES (1, 1, 'one')");
        Other("INSERT INTO LOCK_ITEMS VALUES (1, 2, 'two')");
        Other("INSERT INTO LOCK_ITEMS VALUES (2, 1, 'three')");
    }

    void TearDown() override {
        dataSet_.reset();
        for (TFIBTransaction* transaction : {updates_.get(), mine_.tr.get(), other_.tr.get()})
            if (transaction->Active())
                transaction->Rollback();
    }

    // A statement of the other connection, committed at once.
    void Other(const std::string& sql) {
        OtherPending(sql);
        other_.tr->Commit();
    }

    // A statement of the other connection left uncommitted: its rows stay locked.
    void OtherPending(const std::string& sql) {
        if (!other_.tr->Active())
            other_.tr->StartTransaction();
        fbtest::ExecSQL(*other_.tr, sql);
    }

    std::string ServerName(int id, int code) {
        Variant value;
        mine_.db->SelectValue("SELECT NAME FROM LOCK_ITEMS WHERE ID=" + std::to_string(id) +
                                  " AND CODE=" + std::to_string(code),
                              0, value);
        return value.IsNull() ? "<null>" : value.AsString();
    }

    // A protected dataset over the rows, writing through its own update transaction.
    TpFIBDataSet& DataSet(const char* update = kUpdate) {
        dataSet_ = MakeComponent<TpFIBDataSet>(nullptr);
        TpFIBDataSet& ds = *dataSet_;
        ds.SetName("Items");
        ds.SetDatabase(mine_.db.get());
        ds.SetTransaction(mine_.tr.get());
        ds.SetUpdateTransaction(updates_.get());
        ds.SelectSQL().SetText(kRows);
        ds.UpdateSQL().SetText(update);
        ds.RefreshSQL().SetText(kRefresh);
        ds.SetOptions(ds.Options() + TpFIBDsOptions{poProtectedEdit});
        return ds;
    }

    // Only UpdateTableName and KeyFields name the record: the update text is written when needed.
    TpFIBDataSet& GeneratingDataSet(const std::string& keyFields) {
        TpFIBDataSet& ds = DataSet("");
        ds.AutoUpdateOptions().SetAutoReWriteSqls(true);
        ds.AutoUpdateOptions().SetCanChangeSQLs(true);
        ds.AutoUpdateOptions().SetUpdateTableName("LOCK_ITEMS");
        ds.AutoUpdateOptions().SetKeyFields(keyFields);
        ds.AutoUpdateOptions().SetUpdateOnlyModifiedFields(true);
        return ds;
    }

    static std::string EditError(TDataSet& ds) {
        try {
            ds.Edit();
        } catch (const EAbort&) {
            return "<abort>";
        } catch (const Exception& error) {
            return error.Message;
        }
        return "";
    }

    fbtest::TConnection mine_{File()};
    fbtest::TConnection other_{File()};
    TObjectPtr<TFIBTransaction> updates_ = MakeComponent<TFIBTransaction>(nullptr);
    TObjectPtr<TpFIBDataSet> dataSet_;
};

TEST_F(LockEngine, LockTextSetsAColumnToItselfAndNamesTheRecordByEveryKey) {
    struct Case {
        const char* update;
        const char* keyFields;  // nullptr: the update text names the record
        const char* expected;
    };
    const Case cases[] = {
        {kUpdate, nullptr, "UPDATE LOCK_ITEMS SET NAME=NAME WHERE ID=?OLD_ID and CODE=?OLD_CODE"},
        {"UPDATE LOCK_ITEMS L SET NAME=?NAME WHERE L.ID=?OLD_ID", nullptr,
         "UPDATE LOCK_ITEMS L SET NAME=NAME WHERE L.ID=?OLD_ID"},
        {"", "ID;CODE", "UPDATE LOCK_ITEMS SET NAME=NAME WHERE ID=?ID and CODE=?CODE"},
        {"", "ID", "UPDATE LOCK_ITEMS SET NAME=NAME WHERE ID=?ID"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        TpFIBDataSet& ds = c.keyFields == nullptr ? DataSet(c.update) : GeneratingDataSet(c.keyFields);
        ds.Open();
        EXPECT_EQ(Trim(ds.LockSQLText()), c.expected);
    }
    TpFIBDataSet& ds = DataSet("");
    ds.Open();
    try {
        ds.LockSQLText();
        ADD_FAILURE() << "no lock text without an update text";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, "Unable to lock record. Update query is empty");
    }
}

TEST_F(LockEngine, LockStatusForEachStateOfTheRowOnTheServer) {
    struct Case {
        const char* name;
        const char* otherPending;    // left uncommitted by the other connection
        const char* otherCommitted;  // committed by it after the fetch
        const char* keyFields;       // nullptr: the update text names the record
        TLockStatus expected;
    };
    const Case cases[] = {
        {"free", nullptr, nullptr, nullptr, lsSuccess},
        {"changed and committed", nullptr, "UPDATE LOCK_ITEMS SET NAME='theirs' WHERE ID=1", nullptr,
         lsSuccess},
        {"held", "UPDATE LOCK_ITEMS SET NAME='held' WHERE ID=1 AND CODE=1", nullptr, nullptr, lsDeadLock},
        {"gone", nullptr, "DELETE FROM LOCK_ITEMS WHERE ID=1 AND CODE=1", nullptr, lsNotExist},
        {"key of two rows", nullptr, nullptr, "ID", lsMultiply},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        TpFIBDataSet& ds = c.keyFields == nullptr ? DataSet() : GeneratingDataSet(c.keyFields);
        ds.Open();
        if (c.otherPending != nullptr)
            OtherPending(c.otherPending);
        if (c.otherCommitted != nullptr)
            Other(c.otherCommitted);
        EXPECT_EQ(ds.LockRecord(false), c.expected);
        EXPECT_EQ(ds.State(), dsBrowse);
        TearDown();
    }
}

TEST_F(LockEngine, ProtectedEditReportsConflictsAndStaysBrowsing) {
    TpFIBDataSet& ds = DataSet();
    ds.Open();
    OtherPending("UPDATE LOCK_ITEMS SET NAME='held' WHERE ID=1 AND CODE=1");
    EXPECT_EQ(EditError(ds), "Error of record updating:\r\nDeadlock detected");
    EXPECT_EQ(ds.State(), dsBrowse);
    other_.tr->Rollback();
    Other("DELETE FROM LOCK_ITEMS WHERE ID=1 AND CODE=1");
    EXPECT_EQ(EditError(ds), "Error of record updating:\r\nRecord does not exist");
    EXPECT_EQ(ds.State(), dsBrowse);
}

TEST_F(LockEngine, LockErrorHandlerAbortsOrRetriesOnceTheOtherCommits) {
    TpFIBDataSet& ds = DataSet();
    std::vector<TLockStatus> heard;
    TDataAction answer = daAbort;
    ds.OnLockError = [&](TDataSet*, TLockStatus status, std::string& message, TDataAction& action) {
        heard.push_back(status);
        EXPECT_EQ(message, "Error of record updating:\r\nDeadlock detected");
        if (answer == daRetry)
            other_.tr->Commit();
        action = answer;
    };
    ds.Open();
    OtherPending("UPDATE LOCK_ITEMS SET NAME='theirs' WHERE ID=1 AND CODE=1");
    EXPECT_EQ(EditError(ds), "<abort>");
    EXPECT_EQ(ds.State(), dsBrowse);
    answer = daRetry;
    EXPECT_EQ(EditError(ds), "");
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_EQ(heard, (std::vector<TLockStatus>{lsDeadLock, lsDeadLock}));
    // The edit starts from what the other connection committed.
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "theirs");
}

TEST_F(LockEngine, LockKeepsWhatAnotherUserCommittedAndHoldsTheRow) {
    TpFIBDataSet& ds = DataSet();
    ds.Open();
    Other("UPDATE LOCK_ITEMS SET NAME='theirs' WHERE ID=1 AND CODE=1");
    ds.Edit();
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "theirs");
    // Locked: the other connection can't change the row now.
    EXPECT_THROW(OtherPending("UPDATE LOCK_ITEMS SET NAME='again' WHERE ID=1 AND CODE=1"), EFIBError);
    other_.tr->Rollback();
    ds.Cancel();
    updates_->Commit();
    EXPECT_EQ(ServerName(1, 1), "theirs");
}

TEST_F(LockEngine, PostedRecordStaysLockedUntilTheUpdateTransactionEnds) {
    TpFIBDataSet& ds = DataSet();
    ds.Open();
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("mine");
    ds.Post();
    EXPECT_EQ(ds.CachedUpdateStatus(), cusModified);
    // A second edit of the held record takes no new lock.
    ds.Edit();
    ds.Cancel();
    updates_->Commit();
    EXPECT_EQ(ds.CachedUpdateStatus(), cusUnmodified);
    EXPECT_EQ(ServerName(1, 1), "mine");
    // Released: the next edit locks again and meets the other connection's lock.
    OtherPending("UPDATE LOCK_ITEMS SET NAME='held' WHERE ID=1 AND CODE=1");
    EXPECT_EQ(EditError(ds), "Error of record updating:\r\nDeadlock detected");
}

TEST_F(LockEngine, RolledBackUpdateTransactionReleasesTheRecordToo) {
    TpFIBDataSet& ds = DataSet();
    ds.Open();
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("mine");
    ds.Post();
    updates_->Rollback();
    EXPECT_EQ(ds.CachedUpdateStatus(), cusUnmodified);
    OtherPending("UPDATE LOCK_ITEMS SET NAME='held' WHERE ID=1 AND CODE=1");
    EXPECT_EQ(EditError(ds), "Error of record updating:\r\nDeadlock detected");
}

TEST_F(LockEngine, ContainersHearAPostMasterFirstAndPostErrorsBeforeTheDataSet) {
    TObjectPtr<TDataSetsContainer> master = MakeComponent<TDataSetsContainer>(nullptr);
    TObjectPtr<TDataSetsContainer> own = MakeComponent<TDataSetsContainer>(nullptr);
    own->SetMasterContainer(master.get());
    std::vector<std::string> heard;
    master->OnDataSetEvent = [&](TDataSet*, TKindDataSetEvent event) {
        if (event == deBeforePost || event == deAfterPost)
            heard.push_back("master " + std::to_string(event));
    };
    own->OnDataSetEvent = [&](TDataSet*, TKindDataSetEvent event) {
        if (event == deBeforePost || event == deAfterPost)
            heard.push_back("own " + std::to_string(event));
    };
    own->OnDataSetError = [&](TDataSet*, TKindDataSetError kind, EDatabaseError&, TDataAction&) {
        heard.push_back("own error " + std::to_string(kind));
    };
    TpFIBDataSet& ds = DataSet();
    ds.SetOptions(ds.Options() - TpFIBDsOptions{poProtectedEdit});
    ds.SetContainer(own.get());
    ds.BeforePost = [&](TDataSet*) { heard.push_back("BeforePost"); };
    ds.OnPostError = [&](TDataSet*, EDatabaseError&, TDataAction& action) {
        heard.push_back("OnPostError");
        action = daAbort;
    };
    ds.Open();
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("mine");
    ds.Post();
    EXPECT_EQ(heard, (std::vector<std::string>{"master 8", "own 8", "BeforePost", "master 9", "own 9"}));
    heard.clear();
    OtherPending("UPDATE LOCK_ITEMS SET NAME='held' WHERE ID=1 AND CODE=2");
    ds.Next();
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("blocked");
    EXPECT_THROW(ds.Post(), EAbort);
    EXPECT_EQ(heard,
              (std::vector<std::string>{"master 8", "own 8", "BeforePost", "own error 1", "OnPostError"}));
    ds.Cancel();
}

}  // namespace
