// Locate, LocateEx and Lookup over the cached records of a real table.
#include <gtest/gtest.h>

#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "tests/firebird_datasets/people_engine_fixture.h"
#include "tests/support/add_field.h"

namespace {

using dstest::PeopleEngine;

struct LocateCase {
    const char* name;
    const char* fields;
    Variant keys;
    TExtLocateOptions options;
    int id;  // 0: not found
};

class LocateEngine : public PeopleEngine {
  protected:
    // From record 3 so that a failed search is seen to come back.
    dstest::TPeopleDataSet& OpenAtThird() {
        auto& ds = People();
        ds.Open();
        ds.SetRecNo(3);
        return ds;
    }
};

TEST_F(LocateEngine, MatchesKeysAsTheOptionsSay) {
    const LocateCase cases[] = {
        {"exact text", "NAME", "abc", {}, 2},
        {"a prefix is no match without partial key", "NAME", "ab", {}, 0},
        {"partial key", "NAME", "ab", {eloPartialKey}, 2},
        {"case-insensitive partial key", "NAME", "ab", {eloPartialKey, eloCaseInsensitive}, 1},
        {"case-insensitive", "NAME", "BANANA", {eloCaseInsensitive}, 4},
        {"case-insensitive Cyrillic", "NAME", "ёЛКА", {eloCaseInsensitive}, 7},
        {"case counts without the option", "NAME", "banana", {}, 0},
        {"wildcard", "NAME", "a%e", {eloWildCards}, 5},
        {"wildcard inside", "NAME", "%nan%", {eloWildCards}, 4},
        {"NULL key meets the NULL name", "NAME", Variant::Null(), {}, 6},
        {"NULL key meets the NULL city", "CITY", Variant::Null(), {}, 3},
        {"number", "AGE", 41, {}, 5},
        {"number as text", "AGE", "25", {}, 3},
        {"a text key compares the field's text", "AGE", "3", {}, 0},
        {"two fields", "CITY;AGE", VarArrayOf({"Kazan", 41}), {}, 5},
        {"two fields with a NULL", "CITY;AGE", VarArrayOf({"Kazan", Variant::Null()}), {}, 1},
        {"two fields, second differs", "CITY;AGE", VarArrayOf({"Moscow", 31}), {}, 0},
    };
    auto& ds = OpenAtThird();
    for (const LocateCase& c : cases) {
        SCOPED_TRACE(c.name);
        ds.SetRecNo(3);
        EXPECT_EQ(ds.LocateEx(c.fields, c.keys, c.options), c.id != 0);
        EXPECT_EQ(CurrentId(ds), c.id != 0 ? c.id : 3);
    }
}

TEST_F(LocateEngine, LocateMapsItsOptionsAndScrollsOnceFromWhereItWas) {
    auto& ds = OpenAtThird();
    int scrolls = 0;
    ds.AfterScroll = [&](TDataSet*) { ++scrolls; };
    EXPECT_TRUE(ds.Locate("NAME", "ab", {loPartialKey, loCaseInsensitive}));
    EXPECT_EQ(CurrentId(ds), 1);
    EXPECT_EQ(scrolls, 1);
    EXPECT_FALSE(ds.Locate("NAME", "zzz", {}));
    EXPECT_EQ(CurrentId(ds), 1);
    EXPECT_EQ(scrolls, 1);
}

// A grid showing more rows than the table has keeps a window of buffers larger than the records.
TEST_F(LocateEngine, LocateFindsEveryRecordThroughAWindowLargerThanTheRecords) {
    auto& ds = People();
    TDataSource source(nullptr);
    source.SetDataSet(&ds);
    TDataLink link;
    link.SetDataSource(&source);
    link.SetBufferCount(20);
    ds.Open();
    for (int id : {5, 1, 7, 3}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(ds.Locate("ID", id, {}));
        EXPECT_EQ(CurrentId(ds), id);
    }
    link.SetDataSource(nullptr);
}

TEST_F(LocateEngine, FetchedRecordsOptionLooksNoFurtherThanTheFetchedRows) {
    auto& ds = People();
    ds.Open();
    ASSERT_LT(ds.FetchedCount(), 7);
    const int fetched = ds.FetchedCount();
    EXPECT_FALSE(ds.LocateEx("ID", 7, {eloInFetchedRecords}));
    EXPECT_EQ(ds.FetchedCount(), fetched);
    EXPECT_TRUE(ds.LocateEx("ID", 7, {}));
}

struct SortedCase {
    const char* name;
    Variant key;
    bool found;
    Variant at;  // the AGE of the record the search stays on
    bool eof;
};

// By halves over a local order, staying where a missing key would go: NULL first going up, last
// going down.
TEST_F(LocateEngine, SearchByHalvesStaysAtTheNearestPlace) {
    auto& ds = People();
    ds.Open();
    const TExtLocateOptions nearest{eloInSortedDS, eloNearest};
    const SortedCase ascending[] = {
        {"found", 25, true, 25, false},
        {"between", 20, false, 25, false},
        {"below all", 0, false, 19, false},
        {"above all", 50, false, 41, true},
        {"NULL", Variant::Null(), true, Variant::Null(), false},
    };
    ds.DoSort({"AGE"}, {true});
    for (const SortedCase& c : ascending) {
        SCOPED_TRACE(std::string("ascending ") + c.name);
        ds.First();
        EXPECT_EQ(ds.LocateEx("AGE", c.key, nearest), c.found);
        EXPECT_EQ(ds.FieldByName("AGE")->Value(), c.at);
        EXPECT_EQ(ds.Eof(), c.eof);
    }
    const SortedCase descending[] = {
        {"found", 30, true, 30, false},
        {"between", 20, false, 19, false},
        {"above all", 50, false, 41, false},
        {"NULL", Variant::Null(), true, Variant::Null(), false},
    };
    ds.DoSort({"AGE"}, {false});
    for (const SortedCase& c : descending) {
        SCOPED_TRACE(std::string("descending ") + c.name);
        ds.First();
        EXPECT_EQ(ds.LocateEx("AGE", c.key, nearest), c.found);
        EXPECT_EQ(ds.FieldByName("AGE")->Value(), c.at);
        EXPECT_EQ(ds.Eof(), c.eof);
    }
}

TEST_F(LocateEngine, SearchByHalvesFindsEveryNameOfTheLocalOrder) {
    auto& ds = People();
    ds.Open();
    ds.DoSort({"NAME"}, {true});
    for (const char* name : {"ABc", "abc", "abd", "apple", "Banana", "Ёлка"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ds.LocateEx("NAME", name, {eloInSortedDS}));
        EXPECT_EQ(ds.FieldByName("NAME")->AsString(), name);
    }
    EXPECT_FALSE(ds.LocateEx("NAME", "b", {eloInSortedDS}));
}

// Records the options each search was given.
class TLookupProbe : public dstest::TPeopleDataSet {
  public:
    using TPeopleDataSet::TPeopleDataSet;
    bool LocateEx(const std::string& keyFields, const Variant& keyValues, TExtLocateOptions options,
                  bool fromBeginning = true) override {
        lastOptions = options;
        return TPeopleDataSet::LocateEx(keyFields, keyValues, options, fromBeginning);
    }
    TExtLocateOptions lastOptions;
};

TEST_F(LocateEngine, LookupSearchesByHalvesOnlyOverItsOwnOrderOfTheKey) {
    struct LookupCase {
        const char* name;
        std::function<void(TLookupProbe&)> order;
        bool byHalves;
    };
    const LookupCase cases[] = {
        {"local order of the key", [](TLookupProbe& ds) { ds.DoSort({"NAME"}, {true}); }, true},
        {"local order of another field", [](TLookupProbe& ds) { ds.DoSort({"AGE"}, {true}); }, false},
        {"local order through a compare handler",
         [](TLookupProbe& ds) {
             ds.OnCompareFieldValues = [](TField*, const Variant& a, const Variant& b) {
                 return a.AsString() < b.AsString() ? -1 : (a.AsString() == b.AsString() ? 0 : 1);
             };
             ds.DoSort({"NAME"}, {true});
         },
         false},
        {"no order", [](TLookupProbe&) {}, false},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto& ds = People<TLookupProbe>();
        ds.Open();
        ds.FetchAll();
        c.order(ds);
        ds.SetRecNo(4);
        const int start = CurrentId(ds);
        int scrolls = 0;
        ds.AfterScroll = [&](TDataSet*) { ++scrolls; };
        EXPECT_EQ(ds.Lookup("NAME", "Banana", "ID;CITY"), VarArrayOf({4, "Omsk"}));
        EXPECT_EQ(ds.lastOptions.Contains(eloInSortedDS), c.byHalves);
        EXPECT_TRUE(ds.Lookup("NAME", "nobody", "ID").IsNull());
        EXPECT_EQ(CurrentId(ds), start);
        EXPECT_EQ(scrolls, 0);
    }
}

// The server orders names by their bytes (Banana before abc); a search by halves that compares as
// the local sort does would miss Banana there.
TEST_F(LocateEngine, LookupOverTheServersOrderSearchesFromTheStart) {
    auto& ds = People<TLookupProbe>("SELECT ID, NAME, CITY, AGE FROM PEOPLE ORDER BY NAME");
    ds.SetPrepareOptions(ds.PrepareOptions() + TpPrepareOptions{psGetOrderInfo});
    ds.Open();
    ds.FetchAll();
    ASSERT_EQ(ds.SortFieldNames(), "NAME");
    EXPECT_EQ(ds.Lookup("NAME", "Banana", "ID"), Variant(4));
    EXPECT_FALSE(ds.lastOptions.Contains(eloInSortedDS));
}

// A search by data fields reads the records without working out their calculated fields; one by
// a calculated field needs them for every record.
TEST_F(LocateEngine, CalculatedFieldsAreWorkedOutOnlyWhenTheSearchNeedsThem) {
    auto& ds = People("SELECT ID FROM PEOPLE ORDER BY ID");
    AddField<TFIBIntegerField>(ds, "ID");
    auto* twice = AddField<TFIBIntegerField>(ds, "TWICE", fkCalculated);
    int calculations = 0;
    ds.OnCalcFields = [&](TDataSet* d) {
        ++calculations;
        twice->SetAsInteger(2 * d->FieldByName("ID")->AsInteger());
    };
    ds.Open();
    ds.FetchAll();
    calculations = 0;
    ASSERT_TRUE(ds.LocateEx("ID", 7, {}));
    EXPECT_LT(calculations, 7);
    EXPECT_EQ(twice->AsInteger(), 14);
    ds.First();
    calculations = 0;
    ASSERT_TRUE(ds.LocateEx("TWICE", 10, {}));
    EXPECT_GE(calculations, 5);
    EXPECT_EQ(CurrentId(ds), 5);
}

TEST_F(LocateEngine, LocateOnAClosedDataSetRaises) {
    auto& ds = People();
    EXPECT_THROW(ds.LocateEx("ID", 1, {}), EDatabaseError);
}

}  // namespace
