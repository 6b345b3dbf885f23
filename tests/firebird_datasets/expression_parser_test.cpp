// Filter expressions evaluated against the records of an in-memory dataset: the rows each text
// keeps, the functions with their Null, date and text cases, LIKE through the supplied matcher,
// the error texts and the cache of the fields read.
#include "firebird_datasets/expression_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "firebird/date_text.h"
#include "firebird/wildcards.h"
#include "platform/db/field.h"
#include "platform/os/clock.h"
#include "platform/rtl/database_error.h"
#include "platform/rtl/datetime.h"
#include "tests/support/memory_dataset.h"

namespace {

enum Column { ID, NAME, BORN, SEEN, AMOUNT, NOTE, NULLFIELD };

class FilterFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ds.SetColumns({"ID", "NAME", "BORN", "SEEN", "AMOUNT", "NOTE", "NULLFIELD"});
        ds.SetColumnType(ID, ftInteger);
        ds.SetColumnType(NAME, ftString, 20);
        ds.SetColumnType(BORN, ftDate);
        ds.SetColumnType(SEEN, ftDateTime);
        ds.SetColumnType(AMOUNT, ftFloat);
        ds.SetColumnType(NOTE, ftString, 20);
        ds.SetColumnType(NULLFIELD, ftString, 20);
    }

    void AddRow(int id, Variant name, Variant born, Variant amount, Variant note = Variant::Null()) {
        ds.AddRow({Variant(id), name, born, Variant::Null(), amount, note, Variant::Null()});
    }

    std::unique_ptr<TExpressionParser> Parser(const std::string& text, TFilterOptions options = {}) {
        return std::make_unique<TExpressionParser>(ds, MatchLikePattern, StrToDateTimeByFormat, options,
                                                   TParserOptions{}, text);
    }

    // The ids of the rows the filter keeps, in order.
    std::vector<int> Kept(const std::string& text, TFilterOptions options = {}) {
        auto parser = Parser(text, options);
        std::vector<int> ids;
        for (ds.First(); !ds.Eof(); ds.Next())
            if (parser->Evaluate())
                ids.push_back(ds.FieldByName("ID")->AsInteger());
        return ids;
    }

    static Variant Day(int year, int month, int day) {
        return Variant::FromDateTime(EncodeDate(year, month, day));
    }

    TMemoryDataSet ds;
};

class FilterRows : public FilterFixture {
  protected:
    void SetUp() override {
        FilterFixture::SetUp();
        AddRow(1, "ALFA", Day(1970, 5, 17), 10.5, "  padded  ");
        AddRow(2, "A", Day(1985, 1, 2), 0.0);
        AddRow(3, "BA", Variant::Null(), -3.0, "x");
        AddRow(4, "A_", Day(1970, 12, 31), 2.0);
        AddRow(5, "abc", Day(2001, 2, 3), 7.25);
        AddRow(6, Variant::Null(), Day(1999, 9, 9), Variant::Null());
        AddRow(7, "ABCDEF", Day(2000, 1, 1), 100.0);
        AddRow(8, "Иванов", Day(1970, 1, 1), 1.0);
        ds.Open();
    }
};

TEST_F(FilterRows, TextsKeepTheRowsTheyMatch) {
    const TFilterOptions ci{foCaseInsensitive};
    const TFilterOptions exact{foNoPartialCompare};
    struct Case {
        std::string text;
        TFilterOptions options;
        std::vector<int> ids;
    };
    const std::vector<Case> cases = {
        // "%" is the only wildcard: "_" stands for itself.
        {"NAME LIKE 'A%'", {}, {1, 2, 4, 7}},
        {"NAME LIKE 'A_'", {}, {4}},
        // A Null name matches no pattern, so NOT LIKE keeps it.
        {"NAME NOT LIKE 'A%'", {}, {3, 5, 6, 8}},
        {"NAME LIKE '%'", {}, {1, 2, 3, 4, 5, 7, 8}},
        {"NAME LIKE 'a%'", ci, {1, 2, 4, 5, 7}},
        {"NAME = 'ABC'", ci, {5}},
        {"NAME <> 'ABC'", ci, {1, 2, 3, 4, 6, 7, 8}},
        {"NAME = 'ABC'", {}, {}},
        {"NAME = 'иванов'", ci, {8}},
        {"UPPER(NAME) = 'ИВАНОВ'", {}, {8}},
        {"LOWER(NAME) = 'abcdef'", {}, {7}},
        // A trailing "*" compares only what precedes it.
        {"NAME = 'AL*'", {}, {1}},
        {"NAME = 'Ив*'", {}, {8}},
        {"NAME = 'ab*'", ci, {5, 7}},
        {"NAME = 'AL*'", exact, {}},
        {"NAME <> 'A*'", {}, {3, 5, 6, 8}},
        // Null meets nothing in an equality, and equals only Null.
        {"AMOUNT = 1", {}, {8}},
        {"AMOUNT <> 1", {}, {1, 2, 3, 4, 5, 6, 7}},
        {"NAME IS NULL", {}, {6}},
        {"BORN IS NOT NULL AND NOTE IS NULL", {}, {2, 4, 5, 6, 7, 8}},
        {"NAME = NULL", {}, {6}},
        {"ID > 6", {}, {7, 8}},
        {"ID >= 6 AND ID <= 7", {}, {6, 7}},
        {"ID < 2 OR ID = 8", {}, {1, 8}},
        {"NOT (ID < 8)", {}, {8}},
        {"ID IN (2, 4, 9)", {}, {2, 4}},
        {"ID NOT IN (2, 4, 9)", {}, {1, 3, 5, 6, 7, 8}},
        {"ID IN (5)", {}, {5}},
        {"NAME IN ('A', 'BA')", {}, {2, 3}},
        {"AMOUNT * 2 + 1 = 22", {}, {1}},
        {"AMOUNT / 4 = 0.5", {}, {4}},
        {"-AMOUNT = 3", {}, {3}},
        {"ID - 1 = 0", {}, {1}},
        {"NAME + '!' = 'A!'", {}, {2}},
        {"AMOUNT > 5", {}, {1, 5, 7}},
        {"AMOUNT < 0", {}, {3, 6}},  // Null ranks below every value
        {"BORN = '" + DateToStr(EncodeDate(1970, 5, 17)) + "'", {}, {1}},
        {"BORN < '" + DateToStr(EncodeDate(1980, 1, 1)) + "' AND BORN IS NOT NULL", {}, {1, 4, 8}},
        {"BORN IN ('" + DateToStr(EncodeDate(1985, 1, 2)) + "', '" + DateToStr(EncodeDate(2000, 1, 1)) + "')",
         {},
         {2, 7}},
        {"YEAR(BORN) = 1970", {}, {1, 4, 8}},
        {"NAME LIKE 'A%' AND YEAR(BORN) = 1970", {}, {1, 4}},
        {"MONTH(BORN) = 12 OR DAY(BORN) = 3", {}, {4, 5}},
        {"SUBSTRING(NAME, 2, 3) = 'BCD'", {}, {7}},
        {"TRIM(NOTE) = 'padded'", {}, {1}},
        {"ID = 2 OR TRUE = FALSE", {}, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Kept(c.text, c.options), c.ids);
    }
}

TEST_F(FilterRows, AndOrLeaveTheRightSideAloneWhenTheLeftDecides) {
    // The unknown function would raise if it were called.
    EXPECT_EQ(Kept("ID = 0 AND NOSUCH(1) = 1 OR ID = 3"), std::vector<int>{3});
    EXPECT_EQ(Kept("ID > 0 OR NOSUCH(1) = 1").size(), 8u);
    auto parser = Parser("ID = 1 AND NOSUCH(1) = 1");
    ds.First();
    EXPECT_THROW(parser->Evaluate(), EDatabaseError);
}

TEST_F(FilterRows, FaultsRaiseTheirTexts) {
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"NOPE = 1", "Can't parse Filter for: \r\nField 'NOPE' not found"},
        {"ID = ", "Can't parse Filter for: \r\nExpression expected but nothing found"},
        {"Frobnicate(NAME) = 1", "Expression expected but FROBNICATE found"},
        {"SUBSTRING(NAME, '2') = 'B'", "Expression expected but 2 found"},
    };
    ds.First();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            Parser(c.text)->Evaluate();
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
}

TEST_F(FilterRows, WithoutRoutinesLikeAndTwoArgumentDateRaise) {
    ds.First();
    for (const std::string text : {"NAME LIKE 'A%'", "DATE('dd.mm.yyyy', '01.02.2003') = 1"}) {
        SCOPED_TRACE(text);
        TExpressionParser parser(ds, nullptr, nullptr, {}, {}, text);
        try {
            parser.Evaluate();
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.Message, "Incorrectly formed filter expression");
        }
    }
    // The case-insensitive compare node needs the matcher all the same.
    TExpressionParser ci(ds, nullptr, nullptr, {foCaseInsensitive}, {}, "NAME LIKE 'a%'");
    EXPECT_THROW(ci.Evaluate(), EDatabaseError);
}

TEST_F(FilterRows, LikeGoesThroughTheSuppliedMatcher) {
    std::vector<std::pair<std::string, std::string>> calls;
    const TLikeMatcher recording = [&](std::string_view value, std::string_view pattern) {
        calls.emplace_back(value, pattern);
        return value == "BA";
    };
    TExpressionParser parser(ds, recording, nullptr, {}, {}, "NAME LIKE 'B' + '%'");
    std::vector<int> ids;
    for (ds.First(); !ds.Eof(); ds.Next())
        if (parser.Evaluate())
            ids.push_back(ds.FieldByName("ID")->AsInteger());
    EXPECT_EQ(ids, std::vector<int>{3});
    ASSERT_EQ(calls.size(), 7u);  // the Null name is never offered
    EXPECT_EQ(calls[0], (std::pair<std::string, std::string>{"ALFA", "B%"}));
}

TEST_F(FilterRows, ListsHoldFiftyOneValues) {
    std::string values = "1";
    for (int i = 2; i <= 51; ++i) values += ", " + std::to_string(i);
    EXPECT_EQ(Kept("ID IN (" + values + ")").size(), 8u);
    auto parser = Parser("ID IN (" + values + ", 52)");
    ds.First();
    EXPECT_THROW(parser->Evaluate(), EVariantBadIndexError);
}

TEST_F(FilterRows, FieldsAreLookedUpOnceAndCachedUntilCleared) {
    auto parser = Parser("ID = 1");
    ds.First();
    TField* id = ds.FieldByName("ID");
    EXPECT_EQ(parser->GetField("id"), id);
    EXPECT_TRUE(parser->Evaluate());
    // Renamed, the field is still found by its old name in the cache, and only there.
    id->FieldName = "KEY";
    EXPECT_EQ(parser->GetField("ID"), id);
    EXPECT_TRUE(parser->Evaluate());
    parser->ClearFieldCache();
    EXPECT_THROW(parser->Evaluate(), EDatabaseError);
    id->FieldName = "ID";
    EXPECT_TRUE(parser->Evaluate());
    EXPECT_THROW(parser->GetField("NOPE"), EDatabaseError);
}

// One record with a value of each kind, for the functions.
class FilterFunctions : public FilterFixture {
  protected:
    void SetUp() override {
        FilterFixture::SetUp();
        ds.AddRow({Variant(7), Variant("ABCDEF"), Day(1970, 5, 17),
                   Variant::FromDateTime(EncodeDate(2001, 2, 3) + EncodeTime(10, 20, 30, 0)), Variant(2.5),
                   Variant("  x y  "), Variant::Null()});
        ds.Open();
    }

    bool Holds(const std::string& text) { return Parser(text)->Evaluate(); }
};

TEST_F(FilterFunctions, EachFunctionWithItsEdgeCases) {
    platform::ManualClock clock(1700000000000);  // 14 November 2023, 22:13:20 UTC
    platform::ScopedClock scoped(clock);
    const std::string born = std::to_string(static_cast<int>(EncodeDate(1970, 5, 17)));
    const std::string seenDay = std::to_string(static_cast<int>(EncodeDate(2001, 2, 3)));
    const std::vector<std::string> holding = {
        "YEAR(GETDATE()) = 2023",
        "GETDATE() > SEEN",
        "DATE(BORN) = " + born,
        "DATE(SEEN) = " + seenDay,
        "DATE(SEEN) < SEEN",
        "DATE('dd/mm/yyyy', '17/05/1970') = BORN",
        "DATE(AMOUNT) = 2",
        "YEAR(BORN) = 1970 AND MONTH(BORN) = 5 AND DAY(BORN) = 17",
        "HOUR(SEEN) = 10 AND MINUTE(SEEN) = 20 AND SECOND(SEEN) = 30",
        "HOUR(BORN) = 0 AND YEAR(SEEN) = 2001",
        "YEAR('" + DateToStr(EncodeDate(1999, 12, 31)) + "') = 1999",
        "TRIM(NOTE) = 'x y'",
        "TRIMLEFT(NOTE) = 'x y  '",
        "TRIMRIGHT(NOTE) = '  x y'",
        "UPPER('абв') = 'АБВ' AND LOWER('ÀB') = 'àb'",
        "UPPER(ID) = '7'",
        "SUBSTRING(NAME, 2, 3) = 'BCD'",
        "SUBSTRING(NAME, 0, 2) = 'AB'",
        "SUBSTRING(NAME, 5, 10) = 'EF'",
        "SUBSTRING(NAME, 9, 1) = ''",
        "SUBSTRING(NAME, 2, -1) = ''",
        "SUBSTRING(NAME, 2) = ''",
        "SUBSTRING(NAME, '2,3') = 'BCD'",
        "SUBSTRING(NAME, ' 3 , 2 ') = 'CD'",
        "SUBSTRING('Иванов', 2, 3) = 'ван'",
        "SUBSTRING(ID, 1, 1) = '7'",
        "year(born) = 1970",
        // A Null argument gives Null.
        "YEAR(NULLFIELD) IS NULL",
        "DATE(NULLFIELD) IS NULL",
        "HOUR(NULLFIELD) IS NULL",
        "TRIM(NULLFIELD) IS NULL",
        "UPPER(NULLFIELD) IS NULL",
        "SUBSTRING(NULLFIELD, 1, 2) IS NULL",
        "DATE('dd/mm/yyyy', NULLFIELD) IS NULL",
    };
    ds.First();
    for (const std::string& text : holding) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(Holds(text));
    }
}

TEST_F(FilterFunctions, ConversionFaultsReachTheCaller) {
    ds.First();
    EXPECT_THROW(Holds("YEAR(NAME) = 1"), EVariantTypeCastError);
    EXPECT_THROW(Holds("SUBSTRING(NAME, 'x,2') = ''"), EConvertError);
    EXPECT_THROW(Holds("DATE('dd/mm/yyyy', 'soon') = 1"), EConvertError);
    // A date beyond the calendar has no year.
    EXPECT_THROW(Holds("YEAR(1e300) = 1"), Exception);
}

TEST_F(FilterFunctions, DateWithTwoArgumentsPassesTextAndFormatToTheConverter) {
    std::string text, format;
    const TDateConverter converter = [&](std::string_view t, std::string_view f) {
        text = t;
        format = f;
        return EncodeDate(1970, 5, 17);
    };
    ds.First();
    TExpressionParser parser(ds, nullptr, converter, {}, {}, "DATE('yyyymmdd', '19700517') = BORN");
    EXPECT_TRUE(parser.IsTrue());
    EXPECT_EQ(text, "19700517");
    EXPECT_EQ(format, "yyyymmdd");
}

}  // namespace
