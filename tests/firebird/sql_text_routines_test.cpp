#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "firebird/sql_from_tables.h"
#include "firebird/sql_normalize.h"
#include "firebird/sql_order_by.h"
#include "firebird/sql_param_field.h"
#include "firebird/sql_text_routines.h"

namespace {

std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Get(i));
    return lines;
}

TEST(NormalizeSQL, OneFormForTheSameStatement) {
    const struct {
        const char* sql;
        const char* normalized;
    } cases[] = {
        {"select a from t where b!=:p", " SELECT A FROM T WHERE B <> ?P"},
        {"  select\t*\r\n from  t ", " SELECT * FROM T "},
        {"select 'It''s -- /*', \"Mixed Case\" from t", " SELECT 'It''s -- /*' , \"Mixed Case\" FROM T"},
        {"a/*c*/b -- x\nc--y", " A B C "},
        {"x<=y and x<>y and x>=y and a||b", " X <= Y AND X <> Y AND X >= Y AND A || B"},
        {"c^<d and e~>f and g!<h and i^=j", " C >= D AND E <= F AND G >= H AND I <> J"},
        {"count(*)+-1;", " COUNT ( * ) + - 1 ; "},
        // A positional marker stays apart from the word behind it.
        {"where a = ? and b = :B", " WHERE A = ? AND B = ?B"},
        {"select @fields%a,b from t where x = @@raw text@ and y=@Cond\nor z",
         " SELECT @fields%a,b FROM T WHERE X = @@raw text@ AND Y = @Cond OR Z"},
        {"select @f) from t where a@b", " SELECT @f ) FROM T WHERE A@B"},
        {"", " "},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizeSQL(c.sql, '@'), c.normalized) << c.sql;
}

TEST(NormalizeSQL, SplitMacro) {
    std::string defaultValue = "old", name;
    SplitMacro("@FIELDS%ID", '@', defaultValue, name);
    EXPECT_EQ(name, "@FIELDS");
    EXPECT_EQ(defaultValue, "ID");
    SplitMacro("FIELDS", '@', defaultValue, name);
    EXPECT_EQ(name, "@FIELDS");
    EXPECT_EQ(defaultValue, "ID");  // no "%": left alone
    SplitMacro("FIELDS%", '@', defaultValue, name);
    EXPECT_EQ(defaultValue, "");
}

TEST(SqlWords, PosSQLWordStandsAfterABlankOrBracket) {
    EXPECT_EQ(PosSQLWord("order", "select a from t\norder by a"), 17);
    EXPECT_EQ(PosOrderWord("select a from t)ORDER"), 17);
    EXPECT_EQ(PosOrderWord("select xorder, order_no from t order by 1"), 32);
    EXPECT_EQ(PosOrderWord("select a from t"), 0);
}

TEST(FromTables, ItemsOfTheFromClause) {
    const struct {
        const char* sql;
        std::vector<std::string> items;
    } cases[] = {
        {"SELECT * FROM A X LEFT JOIN B Y ON X.ID = Y.ID", {"A X", "B Y"}},
        {"select * from t1 a, t2 as b where a.id = b.id", {"T1 A", "T2 B"}},
        {"select * from a join b using (id) inner join c on c.x = coalesce(a.x, b.x), proc(1) p, \"My T\" m "
         "order by 1",
         {"A", "B", "C", "\"My T\" M"}},
        {"select * from (select a from b join c on c.x = b.x) x, d", {"D"}},
        {"select * from a cross join b natural join c", {"A", "B", "C"}},
        {"select 1", {}},
        {"  ", {}},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.Add("stale");
        FillFromTables(c.sql, list);
        EXPECT_EQ(Lines(list), c.items) << c.sql;
    }
}

TEST(FromTables, JoinsAndBracketsInAList) {
    EXPECT_EQ(JoinsToCommaList("A X"), "A X");
    EXPECT_EQ(JoinsToCommaList("A X left outer JOIN B Y ON X.ID = Y.ID"), "A X , B Y ");
    std::string from = "P(1) Q, A, (SELECT 1 FROM B) C, D";
    EXPECT_EQ(StripFromListBrackets(from), 0);
    EXPECT_EQ(from, ", A, D");
    from = "A, F('(' , B";
    EXPECT_EQ(StripFromListBrackets(from), 1);  // not closed: the rest stays
    EXPECT_EQ(from, "A, F('(' , B");
}

TEST(FromTables, MainTableAndTableNames) {
    const struct {
        const char* sql;
        const char* withAlias;
        const char* name;
    } cases[] = {
        {"INSERT INTO T (A) VALUES (1)", "T", "T"},
        {"INSERT INTO T(A) VALUES(1)", "T", "T"},
        {"update \"My T\" x set a = 1", "\"My T\" x", "My T"},
        {"delete from T1 t where t.a = 1", "T1 t", "T1"},
        {"insert T values (1)", "Unknown", "Unknown"},
        {"select * from T", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetMainTableName(c.sql, true), c.withAlias) << c.sql;
        EXPECT_EQ(GetMainTableName(c.sql, false), c.name) << c.sql;
    }
    TStringList list;
    FillTableNames("update T set A = 1", list);
    EXPECT_EQ(Lines(list), std::vector<std::string>{"T"});
    FillTableNames("select * from A X, \"My T\" Y join C on C.I = Y.I", list);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "\"My T\"", "C"}));
}

TEST(FromTables, TablesBehindAliases) {
    const char* sql = "select * from CLIENTS c join ORDERS o on o.CLIENT_ID = c.ID, T1 XY, T2 X, \"My T\" m";
    EXPECT_EQ(TableNameByAlias(sql, "o"), "ORDERS");
    EXPECT_EQ(TableNameByAlias(sql, "C"), "CLIENTS");
    EXPECT_EQ(TableNameByAlias(sql, "X"), "T2");  // not T1, whose alias only begins with X
    EXPECT_EQ(TableNameByAlias(sql, "z"), "z");
    EXPECT_EQ(AliasToTableName(sql, "o.AMOUNT"), "ORDERS.AMOUNT");
    EXPECT_EQ(AliasToTableName(sql, "m.A"), "My T.A");
    EXPECT_EQ(AliasToTableName(sql, "AMOUNT"), "AMOUNT");
    EXPECT_EQ(AliasToTableName(sql, "z.A"), "z.A");
}

TEST(OrderByFields, NamesAndDirectionsOfTheTopLevelList) {
    const struct {
        const char* sql;
        std::vector<std::pair<std::string, bool>> fields;
    } cases[] = {
        {"select * from t order by T.A desc, \"B\" collate C1", {{"T.A", false}, {"B", true}}},
        {"select a from t where n = 'x order by y' order by a nulls first, 2 descending rows 5",
         {{"A", true}, {"2", false}}},
        {"select a from t order by coalesce(a, b) asc for update", {{"COALESCE ( A , B )", true}}},
        {"select a from t union select b from u order by 1", {{"1", true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        const Variant fields = GetOrderByFields(c.sql);
        ASSERT_EQ(fields.DimCount(), 2);
        ASSERT_EQ(fields.HighBound(1), static_cast<int>(c.fields.size()) - 1);
        EXPECT_EQ(fields.HighBound(2), 1);
        for (std::size_t i = 0; i < c.fields.size(); ++i) {
            EXPECT_EQ(fields.GetElement({static_cast<int>(i), 0}).AsString(), c.fields[i].first);
            EXPECT_EQ(fields.GetElement({static_cast<int>(i), 1}).AsBoolean(), c.fields[i].second);
        }
    }
    EXPECT_TRUE(GetOrderByFields("select a from t").IsEmpty());
    EXPECT_TRUE(GetOrderByFields("select (select first 1 a from u order by b) from t").IsEmpty());
    EXPECT_TRUE(GetOrderByFields("select a from t order by ").IsEmpty());
}

TEST(FieldNameForParam, TheFieldComparedWithTheParameter) {
    const struct {
        const char* sql;
        const char* param;
        const char* field;
    } cases[] = {
        {"select * from t a where a.ID = :ID", "id", "a.ID"},
        {"select a from t where a = 1 union select a from u where u.X>=:P", "P", "u.X"},
        {"select * from t where name = ':P' /* :P */ and id = :p", "P", "id"},
        {"select * from t where a = :P2 and b = :P", "P", "b"},
        {"select * from t where x = ?P", "P", "x"},
        {"select * from t where :P = x", "P", ""},
        {"select * from t where a = 1", "P", ""},
        {"select * from t where a = :P", "P Q", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FieldNameForParam(c.sql, c.param), c.field) << c.sql;
}

}  // namespace
