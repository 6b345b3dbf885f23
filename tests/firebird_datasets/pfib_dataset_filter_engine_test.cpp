// The record filter of TpFIBDataSet over a real table: which rows each filter text keeps, the
// errors of bad texts, OnFilterRecord and DoExtendedFilter after the text, where the cursor goes
// when filtering changes, and cancelled cached updates filtered again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "firebird_datasets/pfib_dataset.h"
#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"
#include "tests/support/add_field.h"

namespace {

// Row 6 has no name; row 4 no birth date; row 5 no amount.
constexpr const char* kFilterRowsTable =
    "RECREATE TABLE FILTER_ROWS (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(20), BORN DATE,"
    " AMOUNT NUMERIC(9,2), NOTE VARCHAR(10))";
constexpr const char* kFilterRows[] = {
    "(1, 'ALFA', '1970-05-17', 10.50, NULL)",     "(2, 'beta', '1985-01-02', -3, 'x')",
    "(3, 'A_', '1970-12-31', 0, NULL)",           "(4, 'BA', NULL, 99.99, 'note')",
    "(5, 'Alexander', '2001-02-03', NULL, NULL)", "(6, NULL, '1970-01-01', 1, NULL)"};

// Counts the records that reach the extended filter, and hides those of one ID.
class TExtendedProbe : public TpFIBDataSet {
  public:
    using TpFIBDataSet::TpFIBDataSet;
    std::string Seen;
    int HiddenId = 0;

  protected:
    void DoExtendedFilter(TDataSet* DataSet, bool& Accept) override {
        const int id = DataSet->FieldByName("ID")->AsInteger();
        Seen += std::to_string(id) + " ";
        Accept = id != HiddenId;
    }
};

class FilterOnEngine : public dstest::DatasetEngine {
  protected:
    static void SetUpTestSuite() {
        DatasetEngine::SetUpTestSuite();
        CreateTable(kFilterRowsTable, "FILTER_ROWS", kFilterRows);
    }

    template <class D = TpFIBDataSet>
    D& Rows() {
        auto& ds = DataSet<D>("SELECT ID, NAME, BORN, AMOUNT, NOTE FROM FILTER_ROWS ORDER BY ID");
        ds.Open();
        return ds;
    }

    // The IDs the dataset shows, walking it from the first record.
    static std::string Ids(TDataSet& ds) {
        std::string ids;
        for (ds.First(); !ds.Eof(); ds.Next()) ids += ds.FieldByName("ID")->AsString() + " ";
        return ids;
    }

    static int Id(TDataSet& ds) { return ds.FieldByName("ID")->AsInteger(); }

    static void GoToId(TDataSet& ds, int id) {
        for (ds.First(); !ds.Eof() && Id(ds) != id;) ds.Next();
    }
};

struct TFilterCase {
    const char* Text;
    TFilterOptions Options;
    const char* Kept;
};

TEST_F(FilterOnEngine, FilterTextsKeepTheirRows) {
    const TFilterOptions ci{foCaseInsensitive};
    const TFilterOptions whole{foNoPartialCompare};
    const TFilterCase cases[] = {
        {"", {}, "1 2 3 4 5 6 "},
        {"   ", {}, "1 2 3 4 5 6 "},
        {"NAME LIKE 'A%'", {}, "1 3 5 "},
        {"NAME LIKE 'A_'", {}, "3 "},  // no one-character wildcard: only the text A_ itself
        {"NAME LIKE 'a%'", ci, "1 3 5 "},
        {"NAME = 'alfa'", {}, ""},
        {"NAME = 'alfa'", ci, "1 "},
        {"NAME = 'Al*'", {}, "5 "},
        {"NAME = 'Al*'", ci, "1 5 "},
        {"NAME = 'Al*'", whole, ""},
        {"NAME <> 'BA'", {}, "1 2 3 5 6 "},  // a Null name differs from every text
        {"NAME = 'BA' OR NAME IS NULL", {}, "4 6 "},
        {"NAME IN ('beta', 'BA')", {}, "2 4 "},
        {"YEAR(BORN) = 1970", {}, "1 3 6 "},
        {"YEAR(BORN) = 1970 AND NAME LIKE 'A%'", {}, "1 3 "},
        {"MONTH(BORN) = 12 OR DAY(BORN) = 2", {}, "2 3 "},
        {"AMOUNT > 10", {}, "1 4 "},
        {"AMOUNT < 0 OR AMOUNT IS NULL", {}, "2 5 "},
        {"NOTE IS NULL", {}, "1 3 5 6 "},
        {"SUBSTRING(NAME, 2, 3) = 'LFA'", {}, "1 "},
        {"UPPER(NAME) = 'BETA'", {}, "2 "},
        {"TRIM(NOTE) = 'x'", {}, "2 "},
        {"ID * 2 > 8 OR ID = 1", {}, "1 5 6 "},
        {"NOT (ID < 5)", {}, "5 6 "},
        {"ID - 1 = 0", {}, "1 "},
    };
    auto& ds = Rows();
    ds.SetFiltered(true);
    for (const TFilterCase& c : cases) {
        SCOPED_TRACE(c.Text);
        ds.SetFilterOptions(c.Options);
        ds.SetFilterText(c.Text);
        EXPECT_EQ(Ids(ds), c.Kept);
    }
}

TEST_F(FilterOnEngine, BadFilterTextsRaiseAndLeaveTheFilterAsItWas) {
    struct TBadCase {
        const char* Text;
        const char* Message;
    };
    const TBadCase cases[] = {
        {"NAME =", "Can't parse Filter for: \r\n"},
        {"NOPE = 1", "Can't parse Filter for: \r\nTestDS: Field 'NOPE' not found"},
        {"(ID = 1", "Can't parse Filter for: \r\n"},
        {"NAME LIKE", "Can't parse Filter for: \r\n"},
    };
    auto& ds = Rows();
    ds.SetFilterText("ID > 4");
    ds.SetFiltered(true);
    for (const TBadCase& c : cases) {
        SCOPED_TRACE(c.Text);
        try {
            ds.SetFilterText(c.Text);
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, std::string(c.Message).size()), c.Message) << e.what();
        }
        EXPECT_EQ(ds.Filter(), "ID > 4");
        EXPECT_EQ(Ids(ds), "5 6 ");
    }
}

TEST_F(FilterOnEngine, ErrorsWhileEvaluatingReachTheCaller) {
    auto& ds = Rows();
    ds.SetFilterText("FOO(NAME) = 1");
    try {
        ds.SetFiltered(true);
        ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Expression expected but FOO found");
    }
}

TEST_F(FilterOnEngine, OnFilterRecordAndTheExtendedFilterSeeOnlyWhatPassedBeforeThem) {
    auto& ds = Rows<TExtendedProbe>();
    std::string handlerSaw;
    ds.SetOnFilterRecord([&](TDataSet* sender, bool& accept) {
        handlerSaw += std::to_string(Id(*sender)) + " ";
        accept = Id(*sender) != 3;
    });
    ds.HiddenId = 5;
    ds.SetFilterText("NAME LIKE 'A%'");
    ds.SetFiltered(true);
    handlerSaw.clear();
    ds.Seen.clear();
    EXPECT_EQ(Ids(ds), "1 ");
    EXPECT_EQ(handlerSaw, "1 3 5 ");
    EXPECT_EQ(ds.Seen, "1 5 ");
    std::vector<int> hidden;
    for (int i = 0; i < ds.HiddenRecords().Count(); ++i) hidden.push_back(ds.HiddenRecords().GetItem(i));
    EXPECT_EQ(hidden, (std::vector<int>{2, 3, 4, 5, 6}));
    ds.SetFiltered(false);
    EXPECT_EQ(ds.HiddenRecords().Count(), 0);
    EXPECT_EQ(Ids(ds), "1 2 3 4 5 6 ");
}

TEST_F(FilterOnEngine, TurningTheFilterOnKeepsAVisibleRecordElseGoesToTheFirst) {
    auto& ds = Rows();
    ds.SetFilterText("NAME LIKE 'A%'");
    GoToId(ds, 3);
    ds.SetFiltered(true);
    EXPECT_EQ(Id(ds), 3);
    ds.SetFiltered(false);
    GoToId(ds, 4);
    ds.SetFiltered(true);
    EXPECT_EQ(Id(ds), 1);
    ds.Next();
    ds.SetFiltered(false);
    EXPECT_EQ(Id(ds), 3);  // a record that shows stays current when the filter goes off
    ds.SetFilterText("ID > 3");
    EXPECT_EQ(Id(ds), 3);  // not filtered: the text waits
    ds.SetFiltered(true);
    EXPECT_EQ(Id(ds), 4);
}

// No shown record follows the hidden current one: the first shown record becomes current, whether
// the controls keep a window of one record or of several.
TEST_F(FilterOnEngine, TurningTheFilterOnAtAHiddenLastRecordGoesToTheFirst) {
    for (const int buffers : {1, 4}) {
        SCOPED_TRACE(buffers);
        auto& ds = Rows();
        TDataSource source;
        source.SetDataSet(&ds);
        TDataLink link;
        link.SetBufferCount(buffers);
        link.SetDataSource(&source);
        ds.SetFilterText("NAME LIKE 'A%'");
        GoToId(ds, 6);
        ASSERT_NO_THROW(ds.SetFiltered(true));
        EXPECT_EQ(Id(ds), 1);
        EXPECT_EQ(Ids(ds), "1 3 5 ");
        link.SetDataSource(nullptr);
    }
}

TEST_F(FilterOnEngine, AFilterSetWhileClosedAppliesOnOpen) {
    auto& ds = DataSet<TpFIBDataSet>("SELECT ID, NAME FROM FILTER_ROWS ORDER BY ID");
    ds.SetFilterText("ID IN (2, 4)");
    ds.SetFiltered(true);
    EXPECT_EQ(ds.FilterParser(), nullptr);
    ds.Open();
    ASSERT_NE(ds.FilterParser(), nullptr);
    EXPECT_EQ(Ids(ds), "2 4 ");
    ds.Close();
    ds.SetFilterText("ID = 6");
    ds.Open();
    EXPECT_EQ(Ids(ds), "6 ");
}

TEST_F(FilterOnEngine, CalculatedFieldsMayBeNamedInTheFilter) {
    auto& ds = DataSet<TpFIBDataSet>("SELECT ID FROM FILTER_ROWS ORDER BY ID");
    AddField<TFIBIntegerField>(ds, "ID");
    auto* twice = AddField<TFIBIntegerField>(ds, "TWICE", fkCalculated);
    ds.OnCalcFields = [](TDataSet* sender) {
        sender->FieldByName("TWICE")->SetAsInteger(sender->FieldByName("ID")->AsInteger() * 2);
    };
    ds.Open();
    ds.SetFilterText("TWICE > 7");
    ds.SetFiltered(true);
    EXPECT_EQ(Ids(ds), "4 5 6 ");
    EXPECT_EQ(twice->FieldKind, fkCalculated);
}

TEST_F(FilterOnEngine, CancelledCachedUpdatesAreFilteredAgain) {
    auto& ds = DataSet<TpFIBDataSet>("SELECT ID, NAME FROM FILTER_ROWS ORDER BY ID");
    ds.UpdateSQL().SetText("UPDATE FILTER_ROWS SET NAME = :NAME WHERE ID = :OLD_ID");
    ds.SetCachedUpdates(true);
    ds.Open();
    GoToId(ds, 4);
    ds.Edit();
    ds.FieldByName("NAME")->SetAsString("ABBA");
    ds.Post();
    ds.SetFilterText("NAME LIKE 'A%'");
    ds.SetFiltered(true);
    EXPECT_EQ(Ids(ds), "1 3 4 5 ");
    GoToId(ds, 4);
    ds.CancelUpdates();
    // Back to BA, the record no longer passes: the dataset starts again from its first record.
    EXPECT_EQ(Id(ds), 1);
    EXPECT_EQ(Ids(ds), "1 3 5 ");
}

}  // namespace
