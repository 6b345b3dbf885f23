// Locate and Lookup by key fields, field values of several fields at once, and adding whole
// records with InsertRecord and AppendRecord.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/field.h"
#include "platform/rtl/database_error.h"
#include "tests/platform/db/recording_dataset.h"

namespace {

class LocateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ds.SetColumns({"ID", "NAME", "CITY"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftString, 20);
        ds.SetColumnType(2, ftString, 20);
        ds.AddRow({1, "Anna", "Omsk"});
        ds.AddRow({2, "anton", "Tver"});
        ds.AddRow({3, "Boris", Variant::Null()});
        ds.AddRow({4, "Anna", "Tver"});
        ds.Open();
    }
    int Id() const { return ds.FieldByName("ID")->AsInteger(); }

    TMemoryDataSet ds;
};

TEST_F(LocateTest, FindsTheFirstMatchingRecordByItsKeys) {
    struct Case {
        const char* keyFields;
        Variant keys;
        TLocateOptions options;
        int found;  // 0: none, the cursor stays on the second record
    };
    const std::vector<Case> cases = {
        {"NAME", Variant("Anna"), {}, 1},
        {"NAME", Variant("anna"), {}, 0},
        {"NAME", Variant("ANNA"), {loCaseInsensitive}, 1},
        {"NAME", Variant("Bo"), {}, 0},
        {"NAME", Variant("Bo"), {loPartialKey}, 3},
        {"NAME", Variant("AN"), {loPartialKey, loCaseInsensitive}, 1},
        {"NAME;CITY", VarArrayOf({"Anna", "Tver"}), {}, 4},
        {"CITY", Variant::Null(), {}, 3},
        {"ID", Variant(4), {}, 4},
        {"ID", Variant("3"), {}, 3},
        {"ID", Variant(5), {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keyFields) + " " + VarToStr(c.keys.IsArray() ? c.keys[0] : c.keys));
        ds.First();
        ds.Next();
        EXPECT_EQ(ds.Locate(c.keyFields, c.keys, c.options), c.found != 0);
        EXPECT_EQ(Id(), c.found != 0 ? c.found : 2);
    }
}

TEST_F(LocateTest, AnUnknownKeyFieldRaises) {
    EXPECT_THROW(ds.Locate("NOPE", Variant(1), {}), EDatabaseError);
    EXPECT_THROW(ds.Lookup("NOPE", Variant(1), "ID"), EDatabaseError);
}

TEST_F(LocateTest, ScrollEventsFireOnceForAFoundRecordAndNotForAMiss) {
    TRecordingDataSet rec(6);
    rec.Open();
    rec.ClearLog();
    EXPECT_TRUE(rec.Locate("N", Variant(5), {}));
    EXPECT_EQ(rec.Events, (std::vector<std::string>{"BeforeScroll", "AfterScroll"}));
    EXPECT_EQ(rec.N(), 5);
    rec.ClearLog();
    EXPECT_FALSE(rec.Locate("N", Variant(9), {}));
    EXPECT_TRUE(rec.Events.empty());
    EXPECT_EQ(rec.N(), 5);
    rec.Next();
    EXPECT_EQ(rec.N(), 6);
}

TEST_F(LocateTest, LocatePostsAPendingEdit) {
    ds.Edit();
    ds.FieldByName("CITY")->SetAsString("Kazan");
    EXPECT_TRUE(ds.Locate("ID", Variant(3), {}));
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(ds.StoredRow(0)[2], Variant("Kazan"));
}

TEST_F(LocateTest, LookupReadsWithoutMoving) {
    ds.Next();
    EXPECT_EQ(ds.Lookup("ID", Variant(3), "NAME"), Variant("Boris"));
    const Variant both = ds.Lookup("NAME;CITY", VarArrayOf({"Anna", "Tver"}), "ID;NAME");
    ASSERT_TRUE(both.IsArray());
    EXPECT_EQ(both[0], Variant(4));
    EXPECT_EQ(both[1], Variant("Anna"));
    EXPECT_TRUE(ds.Lookup("ID", Variant(9), "NAME").IsNull());
    EXPECT_EQ(Id(), 2);
    ds.Next();
    EXPECT_EQ(Id(), 3);
}

TEST_F(LocateTest, FieldValuesOfSeveralFieldsAreAnArray) {
    ds.Last();
    const Variant values = ds.FieldValues("ID; NAME;CITY");
    ASSERT_EQ(values.HighBound(1), 2);
    EXPECT_EQ(values[0], Variant(4));
    EXPECT_EQ(values[2], Variant("Tver"));
    EXPECT_EQ(ds.FieldValues("NAME"), Variant("Anna"));

    ds.Edit();
    ds.SetFieldValues("NAME;CITY", VarArrayOf({"Vera", Variant::Null()}));
    ds.SetFieldValues("ID", Variant(40));
    ds.Post();
    EXPECT_EQ(ds.StoredRow(3)[0], Variant(40));
    EXPECT_EQ(ds.StoredRow(3)[1], Variant("Vera"));
    EXPECT_TRUE(ds.StoredRow(3)[2].IsNull());
}

TEST_F(LocateTest, WholeRecordsAreInsertedAndAppended) {
    ds.First();
    ds.Next();
    ds.InsertRecord({5, "Petr", "Ufa"});
    EXPECT_EQ(ds.StoredRow(1)[1], Variant("Petr"));
    EXPECT_EQ(Id(), 5);
    // Empty leaves the field as a new record has it; Null clears it.
    ds.OnNewRecord = [](TDataSet* d) { d->FieldByName("CITY")->SetAsString("Sochi"); };
    ds.AppendRecord({6, Variant()});
    EXPECT_EQ(ds.StoredRowCount(), 6);
    EXPECT_EQ(ds.StoredRow(5)[2], Variant("Sochi"));
    ds.AppendRecord({7, "Ivan", Variant::Null()});
    EXPECT_TRUE(ds.StoredRow(6)[2].IsNull());
    EXPECT_EQ(Id(), 7);
    EXPECT_EQ(ds.State(), dsBrowse);
}

TEST_F(LocateTest, AFailedInsertRecordLeavesTheDataSetInserting) {
    ds.FailNextPosts(1);
    EXPECT_THROW(ds.AppendRecord({8, "X", "Y"}), EDatabaseError);
    EXPECT_EQ(ds.State(), dsInsert);
    ds.Cancel();
    EXPECT_EQ(ds.StoredRowCount(), 4);
}

}  // namespace
