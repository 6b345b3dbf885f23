// Parameters a modify statement takes from a record, as the server receives them: names that only
// a macro value brings into the text, and blob text written in another transaction than the
// statement's.
#include <gtest/gtest.h>

#include "tests/firebird_datasets/dataset_edit_fixture.h"

namespace {

class RecordParams : public dstest::EditEngine {
  protected:
    // Another transaction of the test's connection.
    TFIBTransaction& OtherTransaction() {
        other_ = MakeComponent<TFIBTransaction>(nullptr);
        other_->SetDefaultDatabase(&Database());
        other_->TRParams().SetText("write\nread_committed\nrec_version\nnowait");
        return *other_;
    }

    void TearDown() override {
        if (other_ && other_->Active())
            other_->Rollback();
        EditEngine::TearDown();
        other_.reset();
    }

    TObjectPtr<TFIBTransaction> other_;
};

// The statement is prepared before the record's values go in, so the very first post already
// gives OLD_ID and OLD_NAME, which only the macro's value names.
TEST_F(RecordParams, NamesThatOnlyAMacroBringsInTakeTheRecordsValues) {
    auto& ds = EditDataSet();
    ds.UpdateSQL().SetText("UPDATE EDIT_ROWS SET NAME = :NAME, NEW_SEEN = :NEW_NAME WHERE @KEY%ID=0");
    ds.QUpdate().ParamByName("KEY").WriteAsString("ID = :OLD_ID AND NAME = :OLD_NAME");
    ds.Open();
    for (const int id : {2, 3}) {
        ASSERT_TRUE(ds.Locate("ID", id, {}));
        ds.Edit();
        ds.FieldByName("NAME")->SetAsString("changed " + std::to_string(id));
        ds.Post();
    }
    EXPECT_EQ(ds.QUpdate().ExtraServerParams().Count(), 2);
    const auto rows = ServerRows();
    EXPECT_EQ(rows.at(1), "one|||");
    EXPECT_EQ(rows.at(2), "changed 2||changed 2|");
    EXPECT_EQ(rows.at(3), "changed 3||changed 3|");
}

// The dataset changed its update transaction while the record's blob stream was open: the text
// is sent again in the statement's transaction instead of a blob the server does not know there.
TEST_F(RecordParams, BlobTextOfAnotherTransactionGoesAsANewBlob) {
    auto& ds = DataSet<dstest::TEditProbe>("SELECT ID, NOTE FROM EDIT_ROWS ORDER BY ID");
    ds.SetUpdateTransaction(&Transaction());
    ds.SetAutoCommit(true);
    ds.UpdateSQL().SetText("UPDATE EDIT_ROWS SET NOTE = :NOTE WHERE ID = :OLD_ID");
    ds.Open();
    ds.Edit();
    ds.FieldByName("NOTE")->SetAsString("other transaction");
    TFIBTransaction& other = OtherTransaction();
    other.StartTransaction();
    ds.SetUpdateTransaction(&other);
    ds.Post();
    other.Commit();
    ServerExec("UPDATE EDIT_ROWS SET NAME = CAST(NOTE AS VARCHAR(20)) WHERE ID = 1");
    EXPECT_EQ(ServerRows().at(1), "other transaction|||");
}

}  // namespace
