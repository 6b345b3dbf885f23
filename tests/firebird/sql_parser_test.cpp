#include "firebird/sql_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "firebird/sql_text_routines.h"
#include "firebird/str_basics.h"

namespace {

TEST(SQLParserKind, FirstWordBehindBlanksAndCommentsDecides) {
    const struct {
        const char* sql;
        TSQLStatementKind kind;
        int textStart;
    } cases[] = {
        {"  /* head */  select * from t", TSQLStatementKind::Select, 15},
        {"/*c*/select a from t", TSQLStatementKind::Select, 6},
        {"-- report\nselect a from t", TSQLStatementKind::Select, 11},
        {"-- report\r\n/* two */ Select a from t", TSQLStatementKind::Select, 22},
        {"alter table t add x int", TSQLStatementKind::Other, 1},
        {"ALTER table t add x int", TSQLStatementKind::DDL, 1},
        {"RECREATE TABLE t (a int)", TSQLStatementKind::DDL, 1},
        {"drop table t", TSQLStatementKind::Other, 1},
        {"update t set a = 1", TSQLStatementKind::Update, 1},
        {"Delete from t", TSQLStatementKind::Delete, 1},
        {"insert into t values (1)", TSQLStatementKind::Insert, 1},
        {"execute procedure p", TSQLStatementKind::Execute, 1},
        {"with x as (select a from t) select * from x", TSQLStatementKind::Other, 1},
        {"select", TSQLStatementKind::Other, 1},
        {"selected from t", TSQLStatementKind::Other, 1},
        {"/* never closed select a from t", TSQLStatementKind::Other, 32},
        {"", TSQLStatementKind::Other, 1},
    };
    for (const auto& c : cases) {
        TSQLParser parser(c.sql);
        EXPECT_EQ(parser.StatementKind(), c.kind) << c.sql;
        EXPECT_EQ(parser.TextStart(), c.textStart) << c.sql;
    }
}

// Scans for the letter X, which stands in code only once in each text.
TEST(SQLParserScan, PassesOverStringsAndComments) {
    const struct {
        const char* sql;
        int found;
    } cases[] = {
        {"'X' \"X\" /* X */ -- X\n X", 23},
        {"-- X\r X", 7},
        {"-- X /* still a line comment\n X */", 31},
        {"/* X */*X", 9},  // "*/" followed by "*" opens no comment
        {"'it''s X' X", 11},
        {"a -- X\nb", 0},
        {"'X", 0},
    };
    for (const auto& c : cases) {
        TSQLParser parser(c.sql);
        parser.Scan(1, [&](int pos) { return parser.SQLText()[static_cast<std::size_t>(pos - 1)] == 'X'; });
        EXPECT_EQ(parser.FoundPos(), c.found) << c.sql;
    }
}

TEST(SQLParserScan, CountsBracketsAndStopsAtTheOneThatClosesTheStart) {
    TSQLParser parser("a (b (c) d) e) f");
    parser.Scan(1, [](int) { return false; });
    EXPECT_EQ(parser.BracketDepth(), -1);
    EXPECT_EQ(parser.ScanState(), TSQLScanState::Normal);

    parser.ResetBracketDepth();
    parser.SetStopAtClosingBracket(true);
    parser.Scan(1, [](int) { return false; });
    EXPECT_EQ(parser.FoundPos(), 14);
    EXPECT_EQ(parser.LastCodePos(), 13);
    EXPECT_EQ(parser.BracketDepth(), 0);

    TSQLParser open("select 'abc");
    open.Scan(1, [](int) { return false; });
    EXPECT_EQ(open.ScanState(), TSQLScanState::SingleQuoted);
}

TEST(SQLParserFrom, BoundsOfTheTopLevelFromClause) {
    const struct {
        const char* sql;
        const char* clause;
    } cases[] = {
        {"SELECT A, (SELECT MAX(B) FROM U) FROM T WHERE X = 1", "T"},
        {"select a from t1 join t2 on t1.id = t2.id order by a", "t1 join t2 on t1.id = t2.id"},
        {"select 'from x' as f from t group by f", "t"},
        {"select a from t -- where x\nwhere y = 1", "t -- where x"},
        {"select * from t rows 5", "t"},
        {"select * from t with lock", "t"},
        {"select * from t\n", "t\n"},
        {"select a from t", "t"},
        {"select 1", ""},
        {"select a from", ""},
        {"select a /* from t */ , b", ""},
    };
    for (const auto& c : cases) {
        TSQLParser parser(c.sql);
        EXPECT_EQ(parser.GetFromClause(), c.clause) << c.sql;
    }
    int start = -1, end = -1;
    GetFromBounds("SELECT A FROM T ORDER BY A", start, end);
    EXPECT_EQ(start, 10);
    EXPECT_EQ(end, 16);
    GetFromBounds("SELECT A FROM T", start, end);
    EXPECT_EQ(end, 15);
    GetFromBounds("update t set a = 1", start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
}

TEST(SQLParserFrom, TargetTableOfModifyingStatements) {
    const struct {
        const char* sql;
        const char* target;
    } cases[] = {
        {"update T set A = 1", "T"},
        {"UPDATE \"My T\" x\nSET A = 1", "\"My T\" x"},
        {"update T", "T"},
        {"INSERT INTO T (A) VALUES (1)", "T"},
        {"INSERT INTO T(A) VALUES(1)", "T"},
        {"insert into T select * from U", "T"},
        {"insert into \"T(1)\" values (1)", "\"T(1)\""},
        {"insert T values (1)", "Unknown"},
        {"insert into T", ""},
        {"delete from T where A = 1", "T"},
        {"select * from T", ""},
    };
    for (const auto& c : cases) {
        TSQLParser parser(c.sql);
        EXPECT_EQ(parser.GetTargetTableText(), c.target) << c.sql;
    }
}

TEST(SQLParserWhere, ClausesAtEveryDepthInTextOrder) {
    const struct {
        const char* sql;
        int mainIndex;
        std::vector<std::string> conditions;
    } cases[] = {
        {"select * from t where a = (select max(b) from u where u.c = t.c) and d = 'where' order by a",
         1,
         {"a = (select max(b) from u where u.c = t.c) and d = 'where'", "u.c = t.c"}},
        // A clause in brackets ends before its bracket, also at the end of the text.
        {"select * from t where a in (select b from u where c = 1)",
         1,
         {"a in (select b from u where c = 1)", "c = 1"}},
        {"select (select x from y where z = 1) as q from t", -1, {"z = 1"}},
        {"select * from t where a = 1 -- note\norder by a", 1, {"a = 1"}},
        {"select * from t where a = 1 /* note */", 1, {"a = 1"}},
        {"select * from t /* where */ where(b = 2)", 1, {"(b = 2)"}},
        {"select 'where x' from t", -1, {}},
        {"select a from t where x = 1 union select a from u where y = 2 rows 3", 1, {"x = 1", "y = 2"}},
        {"select * from t\r\nwhere a = 1\r\n", 1, {"a = 1"}},
        {"select * from t where a = 1 with lock", 1, {"a = 1"}},
        {"select * from t where name starting with 'W' for update", 1, {"name starting with 'W'"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        TSQLParser parser(c.sql);
        EXPECT_EQ(parser.MainWhereIndex(), c.mainIndex);
        ASSERT_EQ(parser.WhereCount(), static_cast<int>(c.conditions.size()));
        for (std::size_t i = 0; i < c.conditions.size(); ++i) {
            int start = -1, end = -1;
            std::string text;
            parser.GetWhereClause(static_cast<int>(i) + 1, start, text, end);
            EXPECT_EQ(text, c.conditions[i]);
            EXPECT_EQ(AsciiUpperCase(parser.SQLText().substr(static_cast<std::size_t>(start - 1), 5)),
                      "WHERE");
            EXPECT_EQ(parser.SQLText()[static_cast<std::size_t>(end - 1)], c.conditions[i].back());
        }
    }
}

TEST(SQLParserWhere, MissingClausesAndClausesWithoutEnd) {
    TSQLParser parser("select * from t where a = 1");
    int start = 77, end = 77;
    std::string text = "old";
    parser.GetWhereClause(2, start, text, end);
    EXPECT_EQ(text, "");
    EXPECT_EQ(start, 77);  // no such clause: the caller's positions stay
    EXPECT_EQ(end, 77);
    parser.GetWhereClause(-1, start, text, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
    parser.GetWhereClause(0, start, text, end);
    EXPECT_EQ(text, "a = 1");
    EXPECT_EQ(start, 17);
    EXPECT_EQ(end, 27);

    TSQLParser unclosed("select * from t where (a = 1");
    unclosed.GetWhereClause(1, start, text, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(GetWhereClause("select * from t where a = 'x", 1), "");
    EXPECT_EQ(GetWhereCount("select * from t where a = 1 and b in (select c from d where e = 2)"), 2);
    EXPECT_EQ(GetMainWhereIndex("select (select c from d where e = 2) from t where a = 1"), 2);

    std::string mainText;
    TSQLParser("select (select c from d where e = 2) from t").GetMainWhere(start, end, mainText);
    EXPECT_EQ(mainText, "");
    EXPECT_EQ(start, 0);
}

TEST(SQLParserEdit, AddToWhere) {
    const struct {
        const char* sql;
        bool indent;
        const char* result;
    } cases[] = {
        {"SELECT * FROM T ORDER BY A", false, "SELECT * FROM T  WHERE B=2\r\nORDER BY A"},
        {"SELECT * FROM T WHERE A=1", false, "SELECT * FROM T WHERE(  A=1 )and ( B=2 )"},
        {"SELECT * FROM T WHERE A=1 ORDER BY A", true,
         "SELECT * FROM T WHERE(  A=1 )\r\n    and ( B=2 )\r\n     ORDER BY A"},
        {"select * from t", true, "select * from t WHERE \r\n    B=2\r\n"},
        // A comment behind the clause stays behind the added text.
        {"select * from t -- all rows", false, "select * from t WHERE B=2\r\n -- all rows"},
        {"select * from t where a=1 -- first\norder by a", false,
         "select * from t where(  a=1 )and ( B=2 ) -- first\norder by a"},
        {"select * from t where a in (select b from u where c=1)", false,
         "select * from t where(  a in (select b from u where c=1) )and ( B=2 )"},
        {"select (select x from y where z=1) from t", false,
         "select (select x from y where z=1) from t WHERE B=2\r\n"},
        {"execute procedure p", false, "execute procedure p"},
        {"select * from t where (a = 1", false, "select * from t where (a = 1"},
    };
    for (const auto& c : cases) EXPECT_EQ(AddToWhere(c.sql, "B=2", c.indent), c.result) << c.sql;
    EXPECT_EQ(AddToWhere("select * from t", " \r\n", false), "select * from t");
}

TEST(SQLParserEdit, ReplaceAndSetWhere) {
    TSQLParser parser("select * from t where a=1 order by a");
    EXPECT_EQ(parser.ReplaceWhere(1, "b=2"), "select * from t \r\nWHERE b=2\r\n order by a");
    EXPECT_EQ(parser.ReplaceWhere(1, ""), "select * from t \r\n order by a");
    EXPECT_EQ(parser.ReplaceWhere(2, "b=2"), parser.SQLText());
    EXPECT_EQ(parser.SetWhereText("b=2"), "select * from t \r\nWHERE b=2\r\n order by a");

    TSQLParser nested("select * from t where a in (select b from u where c=1)");
    EXPECT_EQ(nested.ReplaceWhere(2, "c=2"),
              "select * from t where a in (select b from u \r\nWHERE c=2\r\n)");

    TSQLParser lines("select * from t\nwhere a=1\r\n");
    EXPECT_EQ(lines.ReplaceWhere(1, "b=2"), "select * from t\nWHERE b=2\r\n");

    TSQLParser onlyNested("select (select x from y where z=1) from t");
    EXPECT_EQ(onlyNested.SetWhereText("b=2"), "select (select x from y where z=1) from t WHERE b=2\r\n");
}

TEST(SQLParserCount, PlainSelectsAreCountedOverTheirFromClause) {
    EXPECT_EQ(GetCountSQL("SELECT A FROM T WHERE X=1 ORDER BY A"), "Select Count(*) FROM T \r\n WHERE X=1");
    EXPECT_EQ(GetCountSQL("select a, (select count(*) from u) from t"), "Select Count(*) from t");
    EXPECT_EQ(GetCountSQL("select * from t where a = 1 with lock"),
              "Select Count(*) from t \r\n WHERE a = 1");
    EXPECT_EQ(GetCountSQL("update t set a = 1"), "");
    EXPECT_EQ(GetCountSQL("select 1"), "");
}

TEST(SQLParserCount, OtherSelectsAreCountedAsADerivedTable) {
    const struct {
        const char* sql;
        const char* count;
    } cases[] = {
        {"select distinct a from t",
         "Select Count(*) FROM (\r\nselect distinct a from t\r\n) COUNTED_ROWS (C1)"},
        {"select a, count(*) from t group by a order by 2",
         "Select Count(*) FROM (\r\nselect a, count(*) from t group by a \r\n) COUNTED_ROWS (C1, C2)"},
        {"select a, f(b, c) from t union select x, y from u -- end",
         "Select Count(*) FROM (\r\nselect a, f(b, c) from t union select x, y from u -- end\r\n) "
         "COUNTED_ROWS (C1, C2)"},
        // Stars are counted on a constant when the columns do not matter.
        {"select first (2) skip 1 * from a join b on a.id = b.id order by a.id for update",
         "Select Count(*) FROM (\r\nselect first (2) skip 1 1 AS C from a join b on a.id = b.id \r\n) "
         "COUNTED_ROWS"},
        {"select t.* from t order by a rows 5 with lock",
         "Select Count(*) FROM (\r\nselect 1 AS C from t rows 5 \r\n) COUNTED_ROWS"},
        {"select distinct * from t", "Select Count(*) FROM (\r\nselect distinct * from t\r\n) COUNTED_ROWS"},
    };
    for (const auto& c : cases) EXPECT_EQ(GetCountSQL(c.sql), c.count) << c.sql;
}

}  // namespace
