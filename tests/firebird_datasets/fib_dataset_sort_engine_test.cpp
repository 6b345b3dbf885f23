// Local sorting of the cached records of a real table: the orders, the sort description, keeping
// the order after a post, a reopen and the select's ORDER BY.
#include <gtest/gtest.h>

#include "firebird/fib_errors.h"
#include "tests/firebird_datasets/people_engine_fixture.h"

namespace {

using dstest::PeopleEngine;
using Ids = std::vector<int>;

struct SortCase {
    const char* name;
    std::vector<TSortFieldRef> fields;
    std::vector<bool> ordering;
    Ids ids;
};

class SortEngine : public PeopleEngine {};

// Texts compare as the locale does (abc before ABc before abd, Latin before Cyrillic); NULL is
// first going up and last going down.
TEST_F(SortEngine, SortsByOneOrTwoFieldsEitherWay) {
    auto& ds = People();
    ds.Open();
    const SortCase cases[] = {
        {"name", {"NAME"}, {true}, {6, 2, 1, 3, 5, 4, 7}},
        {"name down", {"NAME"}, {false}, {7, 4, 5, 3, 1, 2, 6}},
        {"age down, then ID", {"AGE", "ID"}, {false, true}, {5, 2, 4, 7, 3, 6, 1}},
        {"city, then age down", {"CITY", "AGE"}, {true, false}, {3, 5, 1, 2, 4, 6, 7}},
        {"field index", {1}, {true}, {6, 2, 1, 3, 5, 4, 7}},
        {"one-letter name", {'X'}, {true}, {}},
        {"field object", {ds.FieldByName("NAME")}, {true}, {6, 2, 1, 3, 5, 4, 7}},
        {"variant name and index", {Variant("AGE"), Variant(0)}, {true, false}, {1, 6, 3, 7, 4, 2, 5}},
        {"ID back", {"ID"}, {true}, {1, 2, 3, 4, 5, 6, 7}},
    };
    for (const SortCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.ids.empty()) {
            EXPECT_THROW(ds.DoSort(c.fields, c.ordering), Exception);
            continue;
        }
        ds.DoSort(c.fields, c.ordering);
        EXPECT_EQ(Order(ds), c.ids);
    }
}

TEST_F(SortEngine, DescribesTheOrderItWasGiven) {
    auto& ds = People();
    ds.Open();
    EXPECT_EQ(ds.SortFieldNames(), "ID");  // the select's ORDER BY
    EXPECT_FALSE(ds.SortedByDoSort());
    ds.DoSort({"CITY", 3}, {true, false});
    EXPECT_TRUE(ds.SortedByDoSort());
    EXPECT_EQ(ds.SortFieldCount(), 2);
    EXPECT_EQ(ds.SortFieldNames(), "CITY;AGE");
    const TSortFieldInfo second = ds.GetSortFieldInfo(2);
    EXPECT_EQ(second.FieldName, "AGE");
    EXPECT_EQ(second.InDataSetIndex, 3);
    EXPECT_EQ(second.InOrderIndex, 2);
    EXPECT_FALSE(second.Asc);
    const TSortFieldInfo none = ds.GetSortFieldInfo(3);
    EXPECT_EQ(none.FieldName, "Unknown");
    EXPECT_EQ(none.InDataSetIndex, -1);
    EXPECT_EQ(none.InOrderIndex, -1);
    EXPECT_TRUE(none.Asc);
    const Variant info = ds.SortInfo();
    EXPECT_EQ(info.GetElement({0, 0}), Variant("CITY"));
    EXPECT_EQ(info.GetElement({1, 1}), Variant(false));
}

TEST_F(SortEngine, BadFieldsNameTheirPlaceAndAClosedDataSetRefuses) {
    const struct {
        std::vector<TSortFieldRef> fields;
        const char* message;
    } cases[] = {
        {{"NAME", "NOPE"}, "Can't sort. Invalid parameter: Fields[1]"},
        {{99}, "Can't sort. Invalid parameter: Fields[0]"},
        {{"ID", Variant(2.5)}, "Can't sort. Invalid parameter: Fields[1]"},
        {{static_cast<TField*>(nullptr)}, "Can't sort. Invalid parameter: Fields[0]"},
    };
    auto& people = People();
    people.Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            people.DoSort(c.fields, {true, true});
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    people.Close();
    try {
        people.DoSort({"ID"}, {true});
        ADD_FAILURE() << "no error";
    } catch (const EFIBClientError& e) {
        EXPECT_NE(std::string(e.what()).find(" do local sorting "), std::string::npos) << e.what();
    }
}

TEST_F(SortEngine, OneRecordStaysAndKeepsTheDescription) {
    auto& ds = People("SELECT ID, NAME, CITY, AGE FROM PEOPLE WHERE ID = 4");
    ds.Open();
    ds.DoSort({"NAME"}, {false});
    EXPECT_EQ(Order(ds), Ids({4}));
    EXPECT_EQ(ds.SortFieldNames(), "NAME");
}

TEST_F(SortEngine, BookmarksAndThePositionSurviveTheSort) {
    auto& ds = People();
    ds.Open();
    ds.SetRecNo(5);  // apple
    const TBookmark apple = ds.GetBookmark();
    ds.DoSort({"NAME"}, {false});
    EXPECT_EQ(CurrentId(ds), 5);
    ds.First();
    ds.GotoBookmark(apple);
    EXPECT_EQ(CurrentId(ds), 5);
    EXPECT_EQ(ds.GetRecNo(), 3);
}

TEST_F(SortEngine, AFailingComparisonLeavesEveryRecordAndDropsTheDescription) {
    auto& ds = People();
    ds.Open();
    int calls = 0;
    ds.OnCompareFieldValues = [&](TField*, const Variant&, const Variant&) -> int {
        if (++calls == 4)
            throw Exception("no order here");
        return 1;  // no consistent order at all: the sort must still stay within the records
    };
    EXPECT_NO_THROW(ds.DoSort({"AGE"}, {true}));
    Ids ids = Order(ds);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, Ids({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_FALSE(ds.IsSorted());
}

TEST_F(SortEngine, DeletedRecordsStayHiddenAfterASort) {
    auto& ds = People();
    ds.SetCachedUpdates(true);
    ds.Open();
    ds.SetRecNo(2);
    ds.Delete();
    ds.DoSort({"NAME"}, {true});
    EXPECT_EQ(Order(ds), Ids({6, 1, 3, 5, 4, 7}));
}

TEST_F(SortEngine, MoveRecordClampsItsTarget) {
    auto& ds = People();
    ds.Open();
    ds.MoveRecord(1, 3);
    EXPECT_EQ(Order(ds), Ids({2, 3, 1, 4, 5, 6, 7}));
    ds.MoveRecord(4, 0);
    EXPECT_EQ(Order(ds), Ids({4, 2, 3, 1, 5, 6, 7}));
    ds.MoveRecord(1, 99);
    EXPECT_EQ(Order(ds), Ids({2, 3, 1, 5, 6, 7, 4}));
}

struct KeepCase {
    const char* name;
    bool keepSorting;
    int recNo;        // the record edited
    Variant newName;  // its new name
    Ids ids;          // the order afterwards
    bool sorted;      // the description is still there
};

// Sorted by name: NULL(6), abc(2), ABc(1), abd(3), apple(5), Banana(4), Ёлка(7).
TEST_F(SortEngine, PostPutsTheRecordInItsPlaceOnlyWithKeepSorting) {
    const KeepCase cases[] = {
        {"up to the front", true, 6, "aaa", {6, 4, 2, 1, 3, 5, 7}, true},
        {"down to the end", true, 2, "Яблоко", {6, 1, 3, 5, 4, 7, 2}, true},
        {"into the middle", true, 7, "abcd", {6, 2, 1, 7, 3, 5, 4}, true},
        {"to NULL, first", true, 5, Variant::Null(), {5, 6, 2, 1, 3, 4, 7}, true},
        {"stays", true, 4, "abe", {6, 2, 1, 3, 5, 4, 7}, true},
        {"without keep sorting", false, 6, "aaa", {6, 2, 1, 3, 5, 4, 7}, false},
    };
    for (const KeepCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto& ds = People();
        if (c.keepSorting)
            ds.SetOptions(ds.Options() + TpFIBDsOptions{poKeepSorting});
        ds.Open();
        ds.DoSort({"NAME"}, {true});
        ds.SetRecNo(c.recNo);
        const int id = CurrentId(ds);
        ds.Edit();
        ds.FieldByName("NAME")->SetValue(c.newName);
        ds.Post();
        EXPECT_EQ(CurrentId(ds), id);
        EXPECT_EQ(Order(ds), c.ids);
        EXPECT_EQ(ds.IsSorted(), c.sorted);
        ds.Close();
        ServerExec(
            "UPDATE PEOPLE SET NAME = (CASE ID WHEN 1 THEN 'ABc' WHEN 2 THEN 'abc' WHEN 3 THEN 'abd'"
            " WHEN 4 THEN 'Banana' WHEN 5 THEN 'apple' WHEN 6 THEN NULL ELSE 'Ёлка' END)");
    }
}

TEST_F(SortEngine, AnInsertedRecordGoesToItsPlaceWithKeepSorting) {
    auto& ds = People();
    ds.SetOptions(ds.Options() + TpFIBDsOptions{poKeepSorting});
    ds.Open();
    ds.DoSort({"AGE", "ID"}, {true, true});
    ds.Append();
    ds.FieldByName("ID")->SetValue(8);
    ds.FieldByName("NAME")->SetValue("new");
    ds.FieldByName("AGE")->SetValue(26);
    ds.Post();
    EXPECT_EQ(CurrentId(ds), 8);
    EXPECT_EQ(Order(ds), Ids({1, 6, 3, 8, 2, 4, 7, 5}));
}

TEST_F(SortEngine, ARefreshedRecordMovesToItsPlaceWithKeepSorting) {
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "keep sorting" : "no keep sorting");
        auto& ds = People();
        ds.RefreshSQL().SetText("SELECT ID, NAME, CITY, AGE FROM PEOPLE WHERE ID = :OLD_ID");
        if (keep)
            ds.SetOptions(ds.Options() + TpFIBDsOptions{poKeepSorting});
        ds.Open();
        ds.DoSort({"NAME"}, {true});
        ASSERT_TRUE(ds.Locate("ID", 4, {}));
        ServerExec("UPDATE PEOPLE SET NAME = 'aaa' WHERE ID = 4");
        ds.Refresh();
        EXPECT_EQ(CurrentId(ds), 4);
        EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "aaa");
        EXPECT_EQ(Order(ds), keep ? Ids({6, 4, 2, 1, 3, 5, 7}) : Ids({6, 2, 1, 3, 5, 4, 7}));
        EXPECT_EQ(ds.IsSorted(), keep);
        ds.Close();
        ServerExec("UPDATE PEOPLE SET NAME = 'Banana' WHERE ID = 4");
    }
}

TEST_F(SortEngine, PersistentSortingSortsAgainAfterAReopen) {
    for (const bool persistent : {true, false}) {
        SCOPED_TRACE(persistent ? "persistent" : "not persistent");
        auto& ds = People();
        if (persistent)
            ds.SetOptions(ds.Options() + TpFIBDsOptions{poPersistentSorting});
        ds.Open();
        ds.DoSort({"NAME"}, {false});
        ds.Close();
        ds.Open();
        EXPECT_EQ(ds.SortedByDoSort(), persistent);
        EXPECT_EQ(Order(ds), persistent ? Ids({7, 4, 5, 3, 1, 2, 6}) : Ids({1, 2, 3, 4, 5, 6, 7}));
    }
}

struct OrderCase {
    const char* select;
    const char* names;
    std::vector<bool> ascending;
};

TEST_F(SortEngine, ReadsTheOrderOfTheSelect) {
    const OrderCase cases[] = {
        {"SELECT ID, NAME, CITY, AGE FROM PEOPLE ORDER BY NAME DESC, ID", "NAME;ID", {false, true}},
        {"SELECT P.ID, P.NAME AS WHO, P.AGE FROM PEOPLE P ORDER BY P.NAME, 3 DESC", "WHO;AGE", {true, false}},
        {"SELECT ID, AGE FROM PEOPLE ORDER BY \"AGE\" DESC", "AGE", {false}},
        {"SELECT ID, AGE FROM PEOPLE ORDER BY AGE, CITY", "", {}},
        {"SELECT ID, AGE FROM PEOPLE", "", {}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.select);
        auto& ds = People(c.select);
        ds.SetPrepareOptions(ds.PrepareOptions() + TpPrepareOptions{psGetOrderInfo});
        ds.Open();
        EXPECT_EQ(ds.SortFieldNames(), c.names);
        EXPECT_FALSE(ds.SortedByDoSort());
        for (std::size_t i = 0; i < c.ascending.size(); ++i)
            EXPECT_EQ(ds.GetSortFieldInfo(static_cast<int>(i) + 1).Asc, c.ascending[i]);
        ASSERT_EQ(ds.TableNames().Count(), 1);
        EXPECT_EQ(ds.TableNames()[0], "PEOPLE");
    }
}

TEST_F(SortEngine, FindsFieldsByOriginAndSQLName) {
    auto& ds = People("SELECT P.ID, P.NAME AS WHO FROM PEOPLE P");
    ds.Open();
    TField* who = ds.FieldByName("WHO");
    EXPECT_EQ(ds.GetFieldOrigin(who), "PEOPLE.NAME");
    EXPECT_EQ(ds.FindFieldByOrigin("PEOPLE.NAME"), who);
    EXPECT_EQ(ds.FindFieldByOrigin("\"PEOPLE\".\"NAME\""), who);
    EXPECT_EQ(ds.FindFieldBySQLName("NAME"), who);
    EXPECT_EQ(ds.FindFieldBySQLName("WHO"), nullptr);
}

}  // namespace
