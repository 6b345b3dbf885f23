#pragma once
// Locating and sorting over the embedded engine: one small table of people with texts in both
// cases, a Cyrillic name, NULLs and repeated ages, rebuilt for every test, and a dataset over it
// whose modify statements write to the server.
#include <string>
#include <vector>

#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace dstest {

// ID NAME   CITY   AGE   (server ORDER BY NAME, by bytes: NULL, ABc, Banana, abc, abd, apple, Ёлка)
//  1 ABc    Kazan  NULL
//  2 abc    Moscow 30
//  3 abd    NULL   25
//  4 Banana Omsk   30
//  5 apple  Kazan  41
//  6 NULL   Perm   19
//  7 Ёлка   Тверь  30
inline constexpr const char* kPeopleTable =
    "RECREATE TABLE PEOPLE (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20), CITY VARCHAR(20), AGE "
    "INTEGER)";
inline const std::vector<std::string> kPeopleRows = {"(1, 'ABc', 'Kazan', NULL)", "(2, 'abc', 'Moscow', 30)",
                                                     "(3, 'abd', NULL, 25)",      "(4, 'Banana', 'Omsk', 30)",
                                                     "(5, 'apple', 'Kazan', 41)", "(6, NULL, 'Perm', 19)",
                                                     "(7, 'Ёлка', 'Тверь', 30)"};

// Posts through the dataset's own statements, committing each change.
class TPeopleDataSet : public TStatementPostDataSet {
  public:
    using TStatementPostDataSet::TStatementPostDataSet;
};

class PeopleEngine : public DatasetEngine {
  protected:
    void SetUp() override {
        DatasetEngine::SetUp();
        Transaction().StartTransaction();
        fbtest::ExecSQL(Transaction(), kPeopleTable);
        Transaction().Commit();
        Transaction().StartTransaction();
        for (const std::string& row : kPeopleRows)
            fbtest::ExecSQL(Transaction(), "INSERT INTO PEOPLE (ID, NAME, CITY, AGE) VALUES " + row);
        Transaction().Commit();
    }

    // The people in ID order (or as the select says), open, with statements that write back.
    template <class D = TPeopleDataSet>
    D& People(const std::string& select = "SELECT ID, NAME, CITY, AGE FROM PEOPLE ORDER BY ID") {
        auto& ds = DataSet<D>(select);
        ds.SetUpdateTransaction(&Transaction());
        ds.SetAutoCommit(true);
        ds.UpdateSQL().SetText("UPDATE PEOPLE SET NAME = :NAME, CITY = :CITY, AGE = :AGE WHERE ID = :OLD_ID");
        ds.InsertSQL().SetText("INSERT INTO PEOPLE (ID, NAME, CITY, AGE) VALUES (:ID, :NAME, :CITY, :AGE)");
        ds.DeleteSQL().SetText("DELETE FROM PEOPLE WHERE ID = :OLD_ID");
        return ds;
    }

    // The IDs in the dataset's order, read from the first record on; the position is kept.
    static std::vector<int> Order(TFIBCustomDataSet& ds) {
        const TBookmark here = ds.GetBookmark();
        std::vector<int> ids;
        ds.DisableControls();
        for (ds.First(); !ds.Eof(); ds.Next()) ids.push_back(ds.FieldByName("ID")->AsInteger());
        ds.GotoBookmark(here);
        ds.EnableControls();
        return ids;
    }

    static int CurrentId(TFIBCustomDataSet& ds) { return ds.FieldByName("ID")->AsInteger(); }
};

}  // namespace dstest
