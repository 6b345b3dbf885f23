// Values written into the record buffer through the fields and read back, the refresh of a row
// in the cache, the screen cursor of long steps and freeing an open dataset.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "firebird/fib_errors.h"
#include "platform/rtl/form_stream.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace {

class TWritableProbe : public TFIBDataSet {
  public:
    using TFIBCustomDataSet::FetchRecordToCache;
    using TFIBDataSet::TFIBDataSet;
    bool CanEdit() const override { return true; }
};

using ValuesOnEngine = dstest::DatasetEngine;

TEST_F(ValuesOnEngine, ValuesWrittenThroughFieldsReadBackUnchanged) {
    auto& ds = DataSet<TWritableProbe>("SELECT * FROM ALL_TYPES WHERE ID = 1");
    ds.Open();
    ds.Edit();
    struct Case {
        const char* field;
        std::function<void(TField&)> set;
        std::function<void(TField&)> check;
    };
    auto text = [](const char* value) {
        return Case{nullptr, [value](TField& f) { f.SetAsString(value); },
                    [value](TField& f) { EXPECT_EQ(f.AsString(), value); }};
    };
    auto dateTime = [](TDateTime value) {
        return Case{nullptr, [value](TField& f) { f.SetAsDateTime(value); },
                    [value](TField& f) { EXPECT_NEAR(f.AsDateTime(), value, 1e-9); }};
    };
    auto named = [](const char* name, Case c) {
        c.field = name;
        return c;
    };
    const std::vector<Case> cases = {
        named("SMALL_V", text("-32768")),
        named("INT_V", text("2147483647")),
        named("BIG_V", text("-9000000000000000001")),
        named("NUM_V", text("-98765432109876.5432")),
        named("MONEY_V", text("-21474836.47")),
        named("FLOAT_V", text("0.25")),
        named("DOUBLE_V", text("1E300")),
        named("CHAR_V", text("exactly twenty chars")),
        named("SHORT_CHAR", text("abcde")),
        named("VC_V", text("a text of forty characters, not shorter!")),
        named("SHORT_VC", text("")),
        named("BOOL_V", text("False")),
        named("DATE_V", dateTime(EncodeDate(1, 1, 1))),
        named("DATE_V", dateTime(EncodeDate(1858, 11, 17))),
        named("TIME_V", dateTime(EncodeTime(23, 59, 59, 999))),
        named("TS_V", dateTime(EncodeDate(1850, 6, 15) - EncodeTime(6, 0, 0, 0))),
        named("TS_V", dateTime(EncodeDate(2038, 1, 19) + EncodeTime(3, 14, 7, 250))),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        TField& field = *ds.FieldByName(c.field);
        c.set(field);
        c.check(field);
    }
    // The empty text of a field that keeps it is stored as a value, not NULL.
    dynamic_cast<TFIBstringField*>(ds.FieldByName("SHORT_VC"))->SetEmptyStrToNull(false);
    ds.FieldByName("SHORT_VC")->SetAsString("");
    EXPECT_FALSE(ds.FieldByName("SHORT_VC")->IsNull());
    EXPECT_EQ(ds.FieldByName("SHORT_VC")->AsString(), "");
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName("SHORT_VC")->AsString(), "xy");
}

// The server reads a new array only once a record holds it, which posting does: here the record
// takes the new array's identifier.
TEST_F(ValuesOnEngine, ArrayValuesAreWrittenAsANewArray) {
    auto& ds = DataSet<TWritableProbe>("SELECT ID, ARR_V FROM ALL_TYPES ORDER BY ID");
    ds.Open();
    TField* array = ds.FieldByName("ARR_V");
    EXPECT_TRUE(array->AsVariant().IsArray());
    ds.Next();
    ASSERT_TRUE(array->IsNull());
    EXPECT_EQ(array->AsString(), "(Array)");
    ds.Edit();
    array->SetValue(VarArrayOf({4, 5, 6}));
    EXPECT_FALSE(array->IsNull());
    EXPECT_EQ(array->AsString(), "(ARRAY)");
    ds.Cancel();
    EXPECT_TRUE(array->IsNull());
}

TEST_F(ValuesOnEngine, EmptyTextFromTheRefreshStatementReplacesTheOldOne) {
    auto& ds = DataSet<TWritableProbe>(
        "SELECT ID, CAST('abc' AS VARCHAR(5)) AS SHORT_VC FROM ALL_TYPES WHERE ID = 1");
    ds.RefreshSQL().SetText("SELECT CAST('' AS VARCHAR(5)) AS SHORT_VC FROM RDB$DATABASE");
    ds.Open();
    ASSERT_EQ(ds.FieldByName("SHORT_VC")->AsString(), "abc");
    ds.QRefresh().Execute();
    ASSERT_NE(ds.QRefresh().Next(), nullptr);
    ds.FetchRecordToCache(ds.QRefresh(), 0);
    ds.QRefresh().Close();
    ds.Refresh();
    EXPECT_FALSE(ds.FieldByName("SHORT_VC")->IsNull());
    EXPECT_EQ(ds.FieldByName("SHORT_VC")->AsString(), "");
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 1);
}

TEST_F(ValuesOnEngine, LongStepsShowTheScreenCursorAndPutItBack) {
    std::vector<TCursor> shown;
    SetScreenCursorListener([&](TCursor cursor) { shown.push_back(cursor); });
    const TCursor before = GetScreenCursor();
    auto& ds = DataSet("SELECT N FROM NUMBERS");
    ds.SetSQLScreenCursor(-11);
    ds.Open();
    ds.FetchAll();
    SetScreenCursorListener(nullptr);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), -11);
    EXPECT_EQ(GetScreenCursor(), before);
    // A failing step puts it back too.
    auto& failing = DataSet(" ");
    failing.SetSQLScreenCursor(-11);
    EXPECT_THROW(failing.Open(), EFIBError);
    EXPECT_EQ(GetScreenCursor(), before);
}

TEST_F(ValuesOnEngine, RollbackClosesAndFreeingAnOpenDatasetLetsGoOfItsTransaction) {
    auto& ds = DataSet("SELECT N FROM NUMBERS");
    ds.Open();
    Transaction().Rollback();
    EXPECT_FALSE(ds.Active());
    int ended = 0;
    ds.AfterEndTransaction = [&](TFIBTransaction*, TTransactionAction, bool) { ++ended; };
    ds.Open();
    dataSet_.reset();
    Transaction().Commit();
    EXPECT_EQ(ended, 0);
}

TEST_F(ValuesOnEngine, BlobsReadAfterACommitUnderCachedUpdates) {
    auto& ds = DataSet("SELECT ID, MEMO_V, BLOB_V FROM ALL_TYPES ORDER BY ID");
    ds.SetCachedUpdates(true);
    ds.Open();
    Transaction().Commit();
    ASSERT_TRUE(ds.Active());
    EXPECT_EQ(ds.FieldByName("MEMO_V")->AsString(), "memo text");
    EXPECT_EQ(ds.FieldByName("MEMO_V")->AsString(), "memo text");
    EXPECT_EQ(ds.FieldByName("BLOB_V")->AsString(), std::string("\x00\xff\x10", 3));
    EXPECT_FALSE(Transaction().Active());
    ds.Next();
    EXPECT_TRUE(ds.FieldByName("MEMO_V")->IsNull());
    EXPECT_EQ(ds.FieldByName("MEMO_V")->AsString(), "");
    ds.Prior();
    EXPECT_EQ(ds.FieldByName("MEMO_V")->AsString(), "memo text");
}

TEST_F(ValuesOnEngine, AnOpenDatasetIsStoredOpenWhereItsDatabaseIsStoredConnected) {
    auto& ds = DataSet("SELECT N FROM NUMBERS");
    EXPECT_EQ(ComponentToText(ds).find("Active"), std::string::npos);
    ds.Open();
    EXPECT_NE(ComponentToText(ds).find("Active = True"), std::string::npos) << ComponentToText(ds);
    Database().SetDesignDBOptions({});
    EXPECT_EQ(ComponentToText(ds).find("Active"), std::string::npos);
}

}  // namespace
