#pragma once
// Editing over the embedded engine: a small table rebuilt for every test, a dataset whose modify
// statements the test writes, and a second connection that reads what the server holds.
#include <map>
#include <memory>
#include <string>

#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace dstest {

// Posts as a dataset with generated SQL would, with the cache operations the tests call.
class TEditProbe : public TStatementPostDataSet {
  public:
    using TFIBCustomDataSet::RefreshRecordByQuery;
    using TFIBCustomDataSet::RemoveFromCache;
    using TFIBCustomDataSet::RevertRecordUpdate;
    using TStatementPostDataSet::TStatementPostDataSet;
};

// PREV_NAME and NEW_SEEN show the OLD_NAME and NEW_NAME values the update statement received.
inline constexpr const char* kEditRowsTable =
    "RECREATE TABLE EDIT_ROWS (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20),"
    " PREV_NAME VARCHAR(20), NEW_SEEN VARCHAR(20), MASTER_ID INTEGER, NOTE BLOB SUB_TYPE 1)";

class EditEngine : public DatasetEngine {
  protected:
    void SetUp() override {
        DatasetEngine::SetUp();
        Transaction().StartTransaction();
        fbtest::ExecSQL(Transaction(), kEditRowsTable);
        Transaction().Commit();
        Transaction().StartTransaction();
        for (const char* row : {"(1, 'one')", "(2, 'two')", "(3, 'three')"})
            fbtest::ExecSQL(Transaction(), std::string("INSERT INTO EDIT_ROWS (ID, NAME) VALUES ") + row);
        Transaction().Commit();
    }

    // A dataset over EDIT_ROWS by ID with the test's modify statements, committing each change.
    TEditProbe& EditDataSet(const std::string& where = "") {
        auto& ds = DataSet<TEditProbe>("SELECT ID, NAME, MASTER_ID FROM EDIT_ROWS " + where + " ORDER BY ID");
        ds.SetUpdateTransaction(&Transaction());
        ds.SetAutoCommit(true);
        ds.UpdateSQL().SetText(
            "UPDATE EDIT_ROWS SET ID = :ID, NAME = :NAME, PREV_NAME = :OLD_NAME, NEW_SEEN = :NEW_NAME"
            " WHERE ID = :OLD_ID");
        ds.InsertSQL().SetText("INSERT INTO EDIT_ROWS (ID, NAME, MASTER_ID) VALUES (:ID, :NAME, :MAS_ID)");
        ds.DeleteSQL().SetText("DELETE FROM EDIT_ROWS WHERE ID = :OLD_ID");
        ds.RefreshSQL().SetText("SELECT ID, NAME, MASTER_ID FROM EDIT_ROWS WHERE ID = :OLD_ID");
        return ds;
    }

    // What the server holds, read through a connection of its own: ID -> "NAME|PREV_NAME|NEW_SEEN|MASTER_ID".
    std::map<int, std::string> ServerRows() {
        std::map<int, std::string> rows;
        for (const auto& row :
             ServerSelect("SELECT ID, NAME, PREV_NAME, NEW_SEEN, MASTER_ID FROM EDIT_ROWS")) {
            std::string text;
            for (std::size_t i = 1; i < row.size(); ++i)
                text += (i > 1 ? "|" : "") + (row[i].IsNull() ? std::string() : row[i].AsString());
            rows[row[0].AsInteger()] = text;
        }
        return rows;
    }
};

}  // namespace dstest
