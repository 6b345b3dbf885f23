// Bare parameter markers get names the scanner accepts; everything else stays as written.
#include "firebird/unnamed_params.h"

#include <gtest/gtest.h>

#include "firebird/sql_normalize.h"
#include "firebird/sql_param_scanner.h"

namespace {

struct TNamingCase {
    std::string Sql;
    std::string Named;
    bool Scans = true;  // false where the text is broken for the scanner anyway
};

class UnnamedParams : public ::testing::TestWithParam<TNamingCase> {};

TEST_P(UnnamedParams, BareMarkersAreNamedInOrder) {
    const std::string named = NameUnnamedParams(GetParam().Sql);
    EXPECT_EQ(named, GetParam().Named);
    // The statement scans its normalised text.
    if (GetParam().Scans) {
        EXPECT_NO_THROW(ScanSQLParams(NormalizeSQL(named, '@'), TParamScanPass::Params, '@', "Test.Query"))
            << named;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnnamedParams,
    ::testing::Values(
        TNamingCase{" SELECT * FROM T WHERE A = ? AND B = ?",
                    " SELECT * FROM T WHERE A = ?UNNAMED1 AND B = ?UNNAMED2"},
        TNamingCase{"insert into T values (?,:ID,?)", "insert into T values (?UNNAMED1,:ID,?UNNAMED2)"},
        TNamingCase{"select * from T where A = :A and B = ?\"b\"",
                    "select * from T where A = :A and B = ?\"b\""},
        // Markers in quoted text and comments are not parameters.
        TNamingCase{"select '?', \"?x\" from T /* ? */ where A = ? -- ?\n",
                    "select '?', \"?x\" from T /* ? */ where A = ?UNNAMED1 -- ?\n"},
        TNamingCase{"select 'it''s ?' from T where A = ?", "select 'it''s ?' from T where A = ?UNNAMED1"},
        TNamingCase{"select 'open ? ", "select 'open ? ", false},
        // A caller's own name never joins a made-up one.
        TNamingCase{"select * from T where A = :unnamed1 and B = ?",
                    "select * from T where A = :unnamed1 and B = ?UNNAMED_1"},
        TNamingCase{"select * from T where A = ?", "select * from T where A = ?UNNAMED1"}));

}  // namespace

namespace {

struct TNumberingCase {
    std::string Sql;
    std::string Numbered;
};

class PositionalParams : public ::testing::TestWithParam<TNumberingCase> {};

TEST_P(PositionalParams, EveryBareMarkerIsNumberedFromZero) {
    EXPECT_EQ(NumberPositionalParams(GetParam().Sql), GetParam().Numbered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionalParams,
    ::testing::Values(
        TNumberingCase{"insert into T (A, B) values (?, ?)",
                       "insert into T (A, B) values (:Param0, :Param1)"},
        TNumberingCase{"select '?', \"?\" from T /* ? */ where A=? -- ?\r\n and B=?",
                       "select '?', \"?\" from T /* ? */ where A=:Param0 -- ?\r\n and B=:Param1"},
        TNumberingCase{"select 'it''s ?' from T where A = ?", "select 'it''s ?' from T where A = :Param0"},
        TNumberingCase{"update T set A = ? where B = 'open ?", "update T set A = :Param0 where B = 'open ?"},
        TNumberingCase{"select * from T", "select * from T"}));

}  // namespace
