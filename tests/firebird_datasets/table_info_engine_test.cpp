// Table infos read from a real database: columns with their domains and defaults, the
// repository's descriptions, procedures and views, primary keys, and the cache that keeps them.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "firebird_datasets/metadata_queries.h"
#include "tests/firebird_datasets/repository_engine_fixture.h"

namespace {

using repotest::RepositoryEngine;

using TableInfoOnEngine = RepositoryEngine;

TEST_F(TableInfoOnEngine, ColumnsTakeDomainDefaultAndWhereUse) {
    TpFIBTableInfo* table = Tables().GetTableInfo(Database(), "PEOPLE", false);
    ASSERT_NE(table, nullptr);
    struct Case {
        const char* field;
        const char* defaultValue;
        bool defaultIsEmptyString;
        bool computed;
        bool canBeInWhere;
        bool booleanCapable;
        bool guidCapable;
    };
    const Case cases[] = {
        {"ID", "", false, false, true, false, false},
        {"NAME", "", true, false, true, false, false},
        {"CODE", "ABC", false, false, true, false, false},
        {"QTY", "0", false, false, true, false, false},
        // No default at all is not an empty-string default.
        {"NOTE", "", false, false, true, false, false},
        // The domain's default counts when the column has none of its own.
        {"TAG", "", true, false, true, false, false},
        {"ACTIVE", "", false, false, true, true, false},
        {"UID", "", false, false, true, false, true},
        {"MEMO", "", false, false, false, false, false},
        {"ARR", "", false, false, false, false, false},
        {"DOUBLE_QTY", "", false, true, true, false, false},
    };
    EXPECT_EQ(table->FieldCount(), static_cast<int>(std::size(cases)));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        TpFIBFieldInfo* field = table->FieldInfo(c.field);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->DefaultValue, c.defaultValue);
        EXPECT_EQ(field->DefaultIsEmptyString, c.defaultIsEmptyString);
        EXPECT_EQ(field->Computed, c.computed);
        EXPECT_EQ(field->CanBeInWhere, c.canBeInWhere);
        EXPECT_EQ(field->BooleanCapable(), c.booleanCapable);
        EXPECT_EQ(field->GuidCapable(), c.guidCapable);
        EXPECT_FALSE(field->WithRepositoryInfo);
    }
    EXPECT_EQ(table->FieldInfo("ACTIVE")->DomainName, "D_BOOLEAN");
    EXPECT_GT(table->FormatNumber(), 0);
}

TEST_F(TableInfoOnEngine, RepositoryRowsDescribeTheirFields) {
    TpFIBTableInfo* table = Tables().GetTableInfo(Database(), "PEOPLE", true);
    ASSERT_NE(table, nullptr);
    EXPECT_GT(table->RepositoryVersion(), 0) << "the triggers number the rows";

    const TpFIBFieldInfo& name = *table->FieldInfo("NAME");
    EXPECT_TRUE(name.WithRepositoryInfo);
    EXPECT_EQ(name.DisplayLabel, "Full name");
    EXPECT_EQ(name.DisplayWidth, 12);
    EXPECT_TRUE(name.Visible);
    EXPECT_FALSE(name.Triggered);
    EXPECT_EQ(name.OtherInfo.Values("HINT"), "shown first");

    const TpFIBFieldInfo& qty = *table->FieldInfo("QTY");
    EXPECT_EQ(qty.DisplayLabel, "Количество");
    EXPECT_FALSE(qty.Visible);
    EXPECT_TRUE(qty.Triggered);
    EXPECT_EQ(qty.DisplayFormat, "#,##0");
    EXPECT_EQ(qty.EditFormat, "0");
    EXPECT_EQ(qty.OtherInfo.Values("HINT"), "");

    EXPECT_FALSE(table->FieldInfo("ID")->WithRepositoryInfo);
    EXPECT_TRUE(table->FieldInfo("ID")->Visible);
}

TEST_F(TableInfoOnEngine, ATableNameWithAQuoteFindsItsRepositoryRows) {
    TpFIBTableInfo* table = Tables().GetTableInfo(Database(), "\"O'NEIL\"", true);
    ASSERT_NE(table->FieldInfo("A"), nullptr);
    EXPECT_EQ(table->FieldInfo("A")->DisplayLabel, "Quoted");
}

TEST_F(TableInfoOnEngine, RepositoryRowsComeLaterToAnEntryReadWithoutThem) {
    TpFIBTableInfo* plain = Tables().GetTableInfo(Database(), "PEOPLE", false);
    TpFIBFieldInfo* name = plain->FieldInfo("NAME");
    EXPECT_FALSE(name->WithRepositoryInfo);

    TpFIBTableInfo* described = Tables().GetTableInfo(Database(), "PEOPLE", true);
    EXPECT_EQ(described, plain);
    EXPECT_EQ(described->FieldInfo("NAME"), name) << "field infos handed out stay valid";
    EXPECT_TRUE(name->WithRepositoryInfo);
    EXPECT_EQ(name->DisplayLabel, "Full name");
    EXPECT_EQ(Tables().Count(), 1);
}

TEST_F(TableInfoOnEngine, AliasRowsNameComputedColumns) {
    TpFIBTableInfo* alias = Tables().GetTableInfo(Database(), "ALIAS", true);
    ASSERT_EQ(alias->FieldCount(), 2);
    EXPECT_EQ(alias->FieldName(0), "AVG_PRICE");
    EXPECT_EQ(alias->FieldInfo("TOTAL_SUM")->DisplayLabel, "Total");
    EXPECT_EQ(alias->FieldInfo("TOTAL_SUM")->DisplayFormat, "0.00");
    EXPECT_TRUE(alias->FieldInfo("AVG_PRICE")->WithRepositoryInfo);

    // Without repository info the pseudo table has nothing to describe.
    Tables().Clear();
    EXPECT_EQ(Tables().GetTableInfo(Database(), "ALIAS", false)->FieldCount(), 0);
}

TEST_F(TableInfoOnEngine, ProcedureOutputsAndViewColumnsAreFields) {
    TpFIBTableInfo* procedure = Tables().GetTableInfo(Database(), "P_ITEMS", false);
    ASSERT_EQ(procedure->FieldCount(), 2);
    EXPECT_NE(procedure->FieldInfo("ITEM_ID"), nullptr);
    EXPECT_NE(procedure->FieldInfo("ITEM_NAME"), nullptr);
    EXPECT_FALSE(procedure->FieldInfo("ITEM_NAME")->DefaultIsEmptyString);
    EXPECT_EQ(procedure->FormatNumber(), 0);

    TpFIBTableInfo* view = Tables().GetTableInfo(Database(), "V_PEOPLE", false);
    ASSERT_EQ(view->FieldCount(), 2);
    EXPECT_EQ(view->FieldName(0), "ID");
    EXPECT_EQ(view->FormatNumber(), Select("SELECT RDB$RELATION_ID FROM RDB$RELATIONS"
                                           " WHERE RDB$RELATION_NAME = 'V_PEOPLE'")
                                        .AsInteger());
}

TEST_F(TableInfoOnEngine, QuotedAndBlankPaddedNamesFindOneEntry) {
    TpFIBTableInfo* table = Tables().GetTableInfo(Database(), "PEOPLE", false);
    for (const char* name : {"\"PEOPLE\"", " PEOPLE ", "\"PEOPLE\" "}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Tables().GetTableInfo(Database(), name, false), table);
        EXPECT_EQ(Tables().FindTableInfo(Database().DBName(), name), table);
    }
    EXPECT_EQ(Tables().Count(), 1);
    for (const char* name : {"name", "\"NAME\"", " Name "})
        EXPECT_EQ(table->FieldInfo(name), table->FieldInfo("NAME"));
    EXPECT_EQ(table->FieldInfo("NOT_THERE"), nullptr);
    EXPECT_EQ(Tables().FindFieldInfo(Database(), "\"PEOPLE\"", false, "\"CODE\"")->DefaultValue, "ABC");
}

TEST_F(TableInfoOnEngine, TablesOfTwoDatabasesStaySeparate) {
    const std::string other =
        repotest::MakeDatabase("repository_other", {"CREATE TABLE PEOPLE (PERSON_ID BIGINT)"});
    fbtest::TConnection second(other);
    second.db->SetConnected(true);

    TpFIBTableInfo* here = Tables().GetTableInfo(Database(), "PEOPLE", false);
    TpFIBTableInfo* there = Tables().GetTableInfo(*second.db, "PEOPLE", false);
    ASSERT_NE(here, there);
    EXPECT_EQ(there->FieldCount(), 1);
    EXPECT_NE(there->FieldInfo("PERSON_ID"), nullptr);
    EXPECT_EQ(here->FieldInfo("PERSON_ID"), nullptr);
    EXPECT_EQ(Tables().FindTableInfo(other, "PEOPLE"), there);
    EXPECT_EQ(Tables().Count(), 2);

    Tables().RemoveTable("PEOPLE");
    EXPECT_EQ(Tables().Count(), 0);
}

TEST_F(TableInfoOnEngine, AFreedDatabaseTakesItsEntriesAlong) {
    const std::string other = repotest::MakeDatabase("repository_freed", {"CREATE TABLE T (A INTEGER)"});
    auto second = std::make_unique<fbtest::TConnection>(other);
    second->db->SetConnected(true);
    Tables().GetTableInfo(Database(), "PEOPLE", false);
    Tables().GetTableInfo(*second->db, "T", false);
    EXPECT_FALSE(Repository().FieldsInfoTableExists(*second->db));
    EXPECT_EQ(Repository().RepositoryState(*second->db), "022");
    ASSERT_EQ(Tables().Count(), 2);

    second.reset();
    EXPECT_EQ(Tables().Count(), 1);
    EXPECT_NE(Tables().FindTableInfo(Database().DBName(), "PEOPLE"), nullptr);
}

TEST_F(TableInfoOnEngine, PrimaryKeysInIndexOrder) {
    struct Case {
        const char* table;
        const char* key;
    };
    for (const Case& c : {Case{"PEOPLE", "ID"}, Case{"ORDER_LINES", "ORDER_ID;LINE_NO"}, Case{"NO_KEY", ""},
                          Case{"P_ITEMS", ""}}) {
        SCOPED_TRACE(c.table);
        EXPECT_EQ(GetPrimaryKeyFields(queries_.get(), c.table, &Transaction()), c.key);
        EXPECT_EQ(Tables().GetTableInfo(Database(), c.table, false)->GetPrimaryKey(), c.key);
    }
    EXPECT_EQ(GetPrimaryKeyFields(queries_.get(), "PEOPLE", nullptr), kDeferredPrimaryKey);
    TObjectPtr<TFIBTransaction> unbound = MakeComponent<TFIBTransaction>(nullptr);
    EXPECT_EQ(GetPrimaryKeyFields(queries_.get(), "PEOPLE", unbound.get()), kDeferredPrimaryKey);
}

TEST_F(TableInfoOnEngine, AnEmptyPrimaryKeyIsReadOnce) {
    Exec("CREATE TABLE KEY_LATER (K INTEGER NOT NULL)");
    TpFIBTableInfo* table = Tables().GetTableInfo(Database(), "KEY_LATER", false);
    EXPECT_EQ(table->GetPrimaryKey(), "");
    Exec("ALTER TABLE KEY_LATER ADD CONSTRAINT PK_KEY_LATER PRIMARY KEY (K)");
    EXPECT_EQ(table->GetPrimaryKey(), "") << "kept from the first read";
    EXPECT_EQ(GetPrimaryKeyFields(queries_.get(), "KEY_LATER", &Transaction()), "K");
}

TEST_F(TableInfoOnEngine, RevalidationReadsAChangedTableAgain) {
    Exec("CREATE TABLE GROWING (A INTEGER)");
    TpFIBTableInfo* before = Tables().GetTableInfo(Database(), "GROWING", false);
    EXPECT_EQ(before->FieldCount(), 1);
    Exec("ALTER TABLE GROWING ADD B INTEGER");
    EXPECT_EQ(Tables().GetTableInfo(Database(), "GROWING", false)->FieldCount(), 1)
        << "kept without revalidation";

    Tables().SetRevalidate(true);
    TpFIBTableInfo* after = Tables().GetTableInfo(Database(), "GROWING", false);
    EXPECT_EQ(after->FieldCount(), 2);
    EXPECT_FALSE(after->NotValidated);

    // An unchanged table passes the test and is kept.
    TpFIBTableInfo* people = Tables().GetTableInfo(Database(), "PEOPLE", true);
    Tables().SetRevalidate(true);
    EXPECT_TRUE(people->NotValidated);
    EXPECT_EQ(Tables().GetTableInfo(Database(), "PEOPLE", true), people);
    EXPECT_FALSE(people->NotValidated);
}

TEST_F(TableInfoOnEngine, TwoThreadsReadATableOnce) {
    fbtest::TConnection second(File());
    second.db->SetConnected(true);
    TpFIBTableInfo* seen[2] = {nullptr, nullptr};
    std::thread first([&] { seen[0] = Tables().GetTableInfo(Database(), "PEOPLE", true); });
    std::thread other([&] { seen[1] = Tables().GetTableInfo(*second.db, "PEOPLE", true); });
    first.join();
    other.join();
    ASSERT_NE(seen[0], nullptr);
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_EQ(Tables().Count(), 1);
    EXPECT_EQ(seen[0]->FieldInfo("NAME")->DisplayLabel, "Full name");
}

}  // namespace
