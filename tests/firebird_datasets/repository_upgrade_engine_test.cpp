// Repository tables of an older layout brought up to date: what the upgrades add, that a second
// upgrade finishes without changing anything, and that reading a table's info upgrades on its own.
#include <gtest/gtest.h>

#include <string>

#include "firebird/fib_errors.h"
#include "tests/firebird_datasets/repository_engine_fixture.h"

namespace {

using repotest::ExecEach;
using repotest::MakeDatabase;

class RepositoryUpgrade : public ::testing::Test {
  protected:
    void Open(const std::string& name, bool withOldTables = true) {
        std::vector<std::string> statements = repotest::kSchema;
        if (withOldTables)
            statements.insert(statements.end(), repotest::kOldRepository.begin(),
                              repotest::kOldRepository.end());
        connection_ = std::make_unique<fbtest::TConnection>(MakeDatabase(name, statements));
        connection_->db->SetConnected(true);
    }

    std::int64_t Count(const std::string& sql) {
        Variant value;
        connection_->db->SelectValue(sql, 0, value);
        return value.AsInt64();
    }

    std::int64_t Columns(const std::string& table, const std::string& column) {
        return Count("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = '" + table +
                     "' AND RDB$FIELD_NAME = '" + column + "'");
    }

    // Every part the upgrades add, counted: each must be there exactly once.
    void ExpectCurrentLayout() {
        struct Part {
            const char* table;
            const char* column;
        };
        for (const Part& p :
             {Part{"FIB$FIELDS_INFO", "DISPLAY_WIDTH"}, Part{"FIB$FIELDS_INFO", "FIB$VERSION"},
              Part{"FIB$DATASETS_INFO", "UPDATE_TABLE_NAME"},
              Part{"FIB$DATASETS_INFO", "UPDATE_ONLY_MODIFIED_FIELDS"},
              Part{"FIB$DATASETS_INFO", "CONDITIONS"}, Part{"FIB$DATASETS_INFO", "FIB$VERSION"}})
            EXPECT_EQ(Columns(p.table, p.column), 1) << p.table << "." << p.column;
        EXPECT_EQ(Count("SELECT COUNT(*) FROM RDB$FIELDS WHERE RDB$FIELD_NAME = 'FIB$BOOLEAN'"), 1);
        EXPECT_EQ(
            Count("SELECT COUNT(*) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = 'FIB$FIELD_INFO_VERSION'"),
            1);
        EXPECT_EQ(Count("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME IN ('FIB$FIELDS_INFO_BI',"
                        " 'FIB$FIELDS_INFO_BU', 'FIB$DATASETS_INFO_BI', 'FIB$DATASETS_INFO_BU')"),
                  4);
    }

    TFIBTransaction& Transaction() { return *connection_->tr; }

    std::unique_ptr<fbtest::TConnection> connection_;
};

TEST_F(RepositoryUpgrade, BothTablesUpgradeTwiceTheSecondTimeChangingNothing) {
    Open("upgrade_twice");
    ExecEach(*connection_, {"INSERT INTO FIB$DATASETS_INFO (DS_ID, DESCRIPTION) VALUES (1, 'before')"});
    UpgradeFieldsInfoTable(Transaction());
    UpgradeDataSetsInfoTable(Transaction());
    EXPECT_FALSE(Transaction().Active()) << "the upgrade commits";
    ExpectCurrentLayout();
    // A row of the old layout takes the flag domain's default.
    EXPECT_EQ(Count("SELECT UPDATE_ONLY_MODIFIED_FIELDS FROM FIB$DATASETS_INFO WHERE DS_ID = 1"), 1);

    // The triggers number new and changed rows.
    ExecEach(*connection_, {"INSERT INTO FIB$FIELDS_INFO (TABLE_NAME, FIELD_NAME) VALUES ('PEOPLE', 'ID')",
                            "UPDATE FIB$DATASETS_INFO SET DESCRIPTION = 'after' WHERE DS_ID = 1"});
    EXPECT_GT(Count("SELECT FIB$VERSION FROM FIB$FIELDS_INFO"), 0);
    EXPECT_GT(Count("SELECT FIB$VERSION FROM FIB$DATASETS_INFO"), 0);

    EXPECT_NO_THROW(UpgradeFieldsInfoTable(Transaction()));
    EXPECT_NO_THROW(UpgradeDataSetsInfoTable(Transaction()));
    EXPECT_FALSE(Transaction().Active());
    ExpectCurrentLayout();
}

TEST_F(RepositoryUpgrade, AnExistingFlagDomainIsNotMadeAgain) {
    Open("upgrade_domain");
    ExecEach(*connection_,
             {"CREATE DOMAIN FIB$BOOLEAN AS SMALLINT DEFAULT 1 NOT NULL CHECK (VALUE IN (0,1))"});
    EXPECT_TRUE(BooleanDomainExists(*connection_->db));
    EXPECT_NO_THROW(UpgradeDataSetsInfoTable(Transaction()));
    EXPECT_EQ(Columns("FIB$DATASETS_INFO", "UPDATE_ONLY_MODIFIED_FIELDS"), 1);
}

TEST_F(RepositoryUpgrade, FailuresEndOnlyTheDataSetsUpgrade) {
    Open("upgrade_missing", false);
    EXPECT_FALSE(BooleanDomainExists(*connection_->db));
    // Nothing to upgrade: the fields upgrade passes over what fails, the datasets upgrade raises.
    EXPECT_NO_THROW(UpgradeFieldsInfoTable(Transaction()));
    EXPECT_FALSE(Transaction().Active());
    EXPECT_THROW(UpgradeDataSetsInfoTable(Transaction()), EFIBError);
}

TEST_F(RepositoryUpgrade, ReadingATableWithItsRepositoryRowsUpgradesTheFieldsTable) {
    Open("upgrade_on_read");
    ExecEach(*connection_, {"INSERT INTO FIB$FIELDS_INFO (TABLE_NAME, FIELD_NAME, DISPLAY_LABEL)"
                            " VALUES ('PEOPLE', 'CODE', 'Code')"});
    ASSERT_EQ(Columns("FIB$FIELDS_INFO", "FIB$VERSION"), 0);
    TObjectPtr<TCacheList> queries = MakeComponent<TCacheList>(nullptr);
    TObjectPtr<TpFIBRepository> repository = MakeComponent<TpFIBRepository>(*queries);

    TpFIBTableInfo* table = repository->TableInfos().GetTableInfo(*connection_->db, "PEOPLE", true);
    EXPECT_EQ(table->RepositoryVersion(), 0);
    EXPECT_EQ(table->FieldInfo("CODE")->DisplayLabel, "Code");
    EXPECT_EQ(Columns("FIB$FIELDS_INFO", "FIB$VERSION"), 1);
    EXPECT_EQ(Columns("FIB$FIELDS_INFO", "DISPLAY_WIDTH"), 1);
}

}  // namespace
