// Datasets that nobody wired to a metadata repository or a query pool: their database's own serve
// them, each database keeps its own, and a dataset whose repository was taken away says so.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "firebird/database.h"
#include "firebird/transaction.h"
#include "firebird_datasets/pfib_dataset.h"
#include "firebird_datasets/repository.h"
#include "tests/firebird/engine_database.h"
#include "tests/firebird_datasets/repository_engine_fixture.h"

namespace {

// A dataset on the connection with nothing but its database and transactions.
TObjectPtr<TpFIBDataSet> Unwired(fbtest::TConnection& on, const std::string& select,
                                 const std::string& table) {
    TObjectPtr<TpFIBDataSet> ds = MakeComponent<TpFIBDataSet>(nullptr);
    ds->SetName("People");
    ds->SetDatabase(on.db.get());
    ds->SetTransaction(on.tr.get());
    ds->SetUpdateTransaction(on.tr.get());
    ds->SelectSQL().SetText(select);
    ds->AutoUpdateOptions().SetUpdateTableName(table);
    return ds;
}

std::string Generated(TpFIBDataSet& ds, TGeneratedSQLKind kind) {
    std::string text;
    ds.GenerateSQLText(ds.AutoUpdateOptions().UpdateTableName(), ds.AutoUpdateOptions().KeyFields(), text,
                       kind);
    return text;
}

class DefaultServices : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (file_.empty())
            file_ = repotest::MakeDatabase("default_services", repotest::kSchema);
    }
    void SetUp() override { c_.db->SetConnected(true); }

    static inline std::string file_;
    fbtest::TConnection c_{file_};
};

TEST_F(DefaultServices, AnUnwiredDatasetGeneratesItsStatementsAndFindsBooleanAndGuidColumns) {
    auto ds = Unwired(c_, "SELECT ID, NAME, ACTIVE, UID FROM PEOPLE", "PEOPLE");
    ds->SetPrepareOptions(ds->PrepareOptions() + TpPrepareOptions{psUseGuidField});
    ds->Open();
    EXPECT_EQ(ds->FieldByName("ACTIVE")->DataType(), ftBoolean) << "the domain's name says boolean";
    EXPECT_EQ(ds->FieldByName("UID")->DataType(), ftGuid) << "the domain's name says GUID";

    // The key comes from the table's primary key, read through the database's own caches.
    ds->AutoGenerateSQLs();
    EXPECT_EQ(ds->AutoUpdateOptions().KeyFields(), "ID");
    EXPECT_EQ(ds->DeleteSQL().Text(), "Delete from PEOPLE\r\nwhere PEOPLE.ID=?OLD_ID\r\n");
    EXPECT_EQ(
        Generated(*ds, gsUpdate),
        "Update PEOPLE Set\r\n     ID=?NEW_ID,\r\n     NAME=?NEW_NAME,\r\n     \"ACTIVE\"=?NEW_ACTIVE,\r\n"
        "     UID=?NEW_UID\r\nwhere PEOPLE.ID=?OLD_ID");
    EXPECT_NE(Generated(*ds, gsInsert).find("values (\r\n     ?NEW_ID,"), std::string::npos);
    EXPECT_NE(Generated(*ds, gsRefresh).find("PEOPLE.ID=?OLD_ID"), std::string::npos);
    EXPECT_EQ(ds->LockSQLText(), "UPDATE PEOPLE SET ID=ID WHERE PEOPLE.ID=?OLD_ID");
    EXPECT_EQ(ds->ColumnRepository(), &DatabaseRepository(*c_.db));
}

// Taken away by the application or freed under the dataset: no empty text passes for success.
TEST_F(DefaultServices, ADatasetWhoseRepositoryWasRemovedSaysSo) {
    const std::vector<std::pair<const char*, std::function<void(TpFIBDataSet&)>>> removals = {
        {"set to none", [](TpFIBDataSet& ds) { ds.SetColumnRepository(nullptr); }},
        {"freed",
         [](TpFIBDataSet& ds) {
             TObjectPtr<TpFIBRepository> given = MakeComponent<TpFIBRepository>(nullptr);
             ds.SetColumnRepository(given.get());
         }},
    };
    for (const auto& [how, remove] : removals) {
        auto ds = Unwired(c_, "SELECT ID, NAME, QTY FROM PEOPLE", "PEOPLE");
        ds->AutoUpdateOptions().SetKeyFields("ID");
        ds->Open();
        remove(*ds);
        EXPECT_EQ(ds->ColumnRepository(), nullptr) << how;
        try {
            Generated(*ds, gsUpdate);
            ADD_FAILURE() << how << ": generated without a repository";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "People: no metadata repository for UpdateSQL.") << how;
        }
        EXPECT_THROW(ds->AutoGenerateSQLs(), Exception) << how;
        ds->Close();
        try {
            ds->Open();
            ADD_FAILURE() << how << ": opened without what the repository tells of its fields";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message.rfind("People: no metadata repository for ", 0), 0u) << e.Message;
        }
    }
}

// Two files with a table of the same name and other columns.
TEST(DefaultServicesOfTwoDatabases, EachKeepsItsOwnMetadata) {
    const std::string first = repotest::MakeDatabase(
        "own_metadata_1", {"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, ONLY_FIRST INTEGER)"});
    const std::string second = repotest::MakeDatabase(
        "own_metadata_2", {"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, ONLY_SECOND VARCHAR(5))"});
    fbtest::TConnection a(first);
    fbtest::TConnection b(second);
    a.db->SetConnected(true);
    b.db->SetConnected(true);
    auto fromA = Unwired(a, "SELECT * FROM T", "T");
    auto fromB = Unwired(b, "SELECT * FROM T", "T");
    for (TpFIBDataSet* ds : {fromA.get(), fromB.get()}) {
        ds->Open();
        ds->AutoGenerateSQLs();
    }
    EXPECT_NE(fromA->InsertSQL().Text().find("ONLY_FIRST"), std::string::npos);
    EXPECT_NE(fromB->InsertSQL().Text().find("ONLY_SECOND"), std::string::npos);
    TpFIBRepository& ofA = DatabaseRepository(*a.db);
    TpFIBRepository& ofB = DatabaseRepository(*b.db);
    ASSERT_NE(&ofA, &ofB);
    EXPECT_EQ(ofA.TableInfos().FindTableInfo(b.db->DBName(), "T"), nullptr);
    EXPECT_EQ(ofB.TableInfos().FindTableInfo(a.db->DBName(), "T"), nullptr);
    EXPECT_NE(ofB.TableInfos().FindTableInfo(b.db->DBName(), "T"), nullptr);
}

}  // namespace
