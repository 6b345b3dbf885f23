// The checks around posting, and array values written while editing.
#include <gtest/gtest.h>

#include <functional>

#include "firebird/fib_errors.h"
#include "tests/firebird_datasets/dataset_edit_fixture.h"

namespace {

class TStepsProbe : public dstest::TEditProbe {
  public:
    using TEditProbe::TEditProbe;
    using TFIBCustomDataSet::CheckEditState;
};

using EditSteps = dstest::EditEngine;

TEST_F(EditSteps, PostWithoutItsStatementOrOutsideEditingRaisesTheStateError) {
    struct Case {
        const char* name;
        std::function<void(TStepsProbe&)> act;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {"browsing", [](TStepsProbe& ds) { ds.CheckEditState(); }, fceNotInEditMode,
         "DataSet not in Edit or Insert mode.(TestDS)"},
        {"editing without an update statement",
         [](TStepsProbe& ds) {
             ds.Edit();
             ds.UpdateSQL().Clear();
             ds.Post();
         },
         fceCannotUpdate, "Can't update. (TestDS)"},
        {"inserting without an insert statement",
         [](TStepsProbe& ds) {
             ds.Insert();
             ds.FieldByName("ID")->SetAsInteger(7);
             ds.InsertSQL().SetText("  \n\t");  // blank lines count as no statement
             ds.Post();
         },
         fceCannotInsert, "Can't insert into dataset. (TestDS)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto& ds = DataSet<TStepsProbe>("SELECT ID, NAME FROM EDIT_ROWS ORDER BY ID");
        ds.UpdateSQL().SetText("UPDATE EDIT_ROWS SET NAME = :NAME WHERE ID = :OLD_ID");
        ds.InsertSQL().SetText("INSERT INTO EDIT_ROWS (ID, NAME) VALUES (:ID, :NAME)");
        ds.Open();
        try {
            c.act(ds);
            ADD_FAILURE() << "no error";
        } catch (const EFIBError& e) {
            EXPECT_EQ(e.SqlErrorCode, c.code);
            EXPECT_NE(e.Message.find(c.text), std::string::npos) << e.Message;
        }
        EXPECT_EQ(ServerRows().size(), 3u);
    }
}

TEST_F(EditSteps, ArrayValuesAreWrittenOnlyWhileEditingAndNullClearsThem) {
    auto& ds = DataSet<TStepsProbe>("SELECT ID, ARR_V FROM ALL_TYPES ORDER BY ID");
    ds.UpdateSQL().SetText("UPDATE ALL_TYPES SET ARR_V = :ARR_V WHERE ID = :OLD_ID");
    ds.Open();
    TField* array = ds.FieldByName("ARR_V");
    ds.SetArrayFieldValues(array, VarArrayOf({1, 2, 3}));  // browsing: ignored
    const Variant kept = ds.GetArrayFieldValues(array);
    EXPECT_EQ(kept[kept.LowBound(1)].AsInteger(), 7);
    ds.Edit();
    ds.SetArrayFieldValues(array, Variant::Null());
    EXPECT_TRUE(array->IsNull());
    ds.Cancel();
    EXPECT_FALSE(array->IsNull());
}

}  // namespace

namespace {

TEST_F(EditSteps, AutoCommitEndsASeparateUpdateTransactionOnlyWhenItsTimeoutActionCommits) {
    struct Case {
        TTransactionAction timeoutAction;
        bool stillActive;
    };
    for (const Case& c : {Case{TACommit, false}, Case{TARollback, true}}) {
        SCOPED_TRACE(c.timeoutAction);
        TObjectPtr<TFIBTransaction> update = MakeComponent<TFIBTransaction>(nullptr);
        update->SetDefaultDatabase(&Database());
        update->TimeoutAction = c.timeoutAction;
        auto& ds = DataSet<dstest::TEditProbe>("SELECT ID, NAME FROM EDIT_ROWS ORDER BY ID");
        ds.SetUpdateTransaction(update.get());
        ds.SetAutoCommit(true);
        ds.UpdateSQL().SetText("UPDATE EDIT_ROWS SET NAME = :NAME WHERE ID = :OLD_ID");
        ds.Open();
        ds.Edit();
        ds.FieldByName("NAME")->SetAsString("committed");
        ds.Post();
        EXPECT_EQ(update->Active(), c.stillActive);
        EXPECT_EQ(ServerRows().at(1), "committed|||");
        ds.Close();
        ds.SetUpdateTransaction(nullptr);
        if (update->Active())
            update->Commit();
    }
}

}  // namespace

namespace {

TEST_F(EditSteps, ABeforeHandlerThatClosesTheDatasetStopsTheStep) {
    struct Case {
        const char* event;
        std::function<void(TDataSet&, TDataSetNotifyEvent)> hook;
        std::function<void(TDataSet&)> act;
    };
    const Case cases[] = {
        {"BeforeEdit", [](TDataSet& ds, TDataSetNotifyEvent e) { ds.BeforeEdit = e; },
         [](TDataSet& ds) { ds.Edit(); }},
        {"BeforeDelete", [](TDataSet& ds, TDataSetNotifyEvent e) { ds.BeforeDelete = e; },
         [](TDataSet& ds) { ds.Delete(); }},
        {"BeforePost", [](TDataSet& ds, TDataSetNotifyEvent e) { ds.BeforePost = e; },
         [](TDataSet& ds) {
             ds.Edit();
             ds.FieldByName("NAME")->SetAsString("x");
             ds.Post();
         }},
        {"BeforeCancel", [](TDataSet& ds, TDataSetNotifyEvent e) { ds.BeforeCancel = e; },
         [](TDataSet& ds) {
             ds.Edit();
             ds.Cancel();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        auto& ds = EditDataSet();
        ds.Open();
        c.hook(ds, [](TDataSet* d) { d->Close(); });
        try {
            c.act(ds);
            ADD_FAILURE() << "the step went on after the dataset closed";
        } catch (const EFIBError& e) {
            EXPECT_EQ(e.SqlErrorCode, fceDatasetClosed);
            EXPECT_NE(e.Message.find(std::string("continue after ") + c.event), std::string::npos)
                << e.Message;
        }
        EXPECT_EQ(ServerRows().size(), 3u);
    }
}

}  // namespace
