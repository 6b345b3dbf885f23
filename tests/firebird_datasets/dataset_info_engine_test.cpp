// Datasets' stored descriptions over the embedded engine: reading a FIB$DATASETS_INFO row into the
// cache, giving it to a dataset, saving a dataset's settings into its row, and the refusals.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "firebird_datasets/auto_update_options.h"
#include "firebird_datasets/dataset_info.h"
#include "platform/rtl/strings.h"
#include "tests/firebird_datasets/repository_engine_fixture.h"

namespace {

using repotest::RepositoryEngine;

// A dataset with a repository number, as the repository sees it.
class TNumberedDataSet : public TFIBDataSet, public IFIBRepositoryDataSet {
  public:
    using TFIBDataSet::TFIBDataSet;
    TFIBCustomDataSet& RepositoryDataSet() override { return *this; }
    int RepositoryId() const override { return Id; }
    TAutoUpdateOptions& RepositoryUpdateOptions() override { return Options; }
    std::string RepositoryDescription() const override { return Description; }
    void SetRepositoryDescription(const std::string& text) override { Description = text; }

    int Id = 0;
    std::string Description;
    TAutoUpdateOptions Options{this};
};

class DataSetInfoOnEngine : public RepositoryEngine {
  protected:
    TNumberedDataSet& DataSet(int id, TFIBDatabase* database = nullptr) {
        dataSet_ = MakeComponent<TNumberedDataSet>(nullptr);
        dataSet_->SetName("TestDS");
        dataSet_->SetTransaction(&Transaction());
        // After the transaction, which brings its own database along.
        dataSet_->SetDatabase(database != nullptr ? database : &Database());
        dataSet_->Id = id;
        // The update-only-modified flag holds only where the statements may be rewritten.
        dataSet_->Options.SetAutoReWriteSqls(true);
        dataSet_->Options.SetCanChangeSQLs(true);
        return *dataSet_;
    }

    TpDataSetInfoCollect& Infos() { return Repository().DataSetInfos(); }

    TObjectPtr<TNumberedDataSet> dataSet_;
};

TEST_F(DataSetInfoOnEngine, ApplyingGivesTheDataSetItsStoredDescription) {
    TNumberedDataSet& ds = DataSet(10);
    ds.SelectSQL().SetText("SELECT ID FROM PEOPLE");
    Infos().ApplyToDataSet(ds);

    EXPECT_EQ(Trim(ds.SelectSQL().Text()), "SELECT * FROM PEOPLE");
    EXPECT_EQ(Trim(ds.InsertSQL().Text()), "INSERT INTO PEOPLE (ID) VALUES (:ID)");
    EXPECT_EQ(Trim(ds.UpdateSQL().Text()), "UPDATE PEOPLE SET NOTE = :NOTE WHERE ID = :OLD_ID");
    EXPECT_EQ(Trim(ds.DeleteSQL().Text()), "DELETE FROM PEOPLE WHERE ID = :OLD_ID");
    EXPECT_EQ(Trim(ds.RefreshSQL().Text()), "SELECT * FROM PEOPLE WHERE ID = :ID");
    EXPECT_EQ(ds.Options.KeyFields(), "ID");
    EXPECT_EQ(ds.Options.GeneratorName(), "GEN_PEOPLE");
    EXPECT_EQ(ds.Options.WhenGetGenID(), wgBeforePost) << "a key and a generator select the generator";
    EXPECT_EQ(ds.Options.UpdateTableName(), "PEOPLE");
    EXPECT_TRUE(ds.Options.UpdateOnlyModifiedFields());
    ASSERT_NE(ds.Conditions().FindCondition("ACTIVE_ONLY"), nullptr);
    EXPECT_EQ(ds.Conditions().FindCondition("ACTIVE_ONLY")->GetValue(), "ACTIVE = 1");
    EXPECT_TRUE(ds.Conditions().FindCondition("ACTIVE_ONLY")->Enabled());
    EXPECT_EQ(ds.Description, "Люди");

    ds.Open();
    EXPECT_EQ(ds.FieldByName("NAME")->FieldName, "NAME");
}

TEST_F(DataSetInfoOnEngine, EmptyStoredTextsLeaveTheDataSetsOwn) {
    TNumberedDataSet& ds = DataSet(11);
    ds.SelectSQL().SetText("SELECT ID FROM PEOPLE");
    ds.InsertSQL().SetText("INSERT INTO PEOPLE (ID) VALUES (:ID)");
    ds.Options.SetSelectGenID(true);
    Infos().ApplyToDataSet(ds);
    EXPECT_EQ(Trim(ds.SelectSQL().Text()), "SELECT * FROM PEOPLE");
    EXPECT_EQ(Trim(ds.InsertSQL().Text()), "INSERT INTO PEOPLE (ID) VALUES (:ID)");
    EXPECT_EQ(ds.Options.WhenGetGenID(), wgNever) << "no key and generator stored";
    EXPECT_FALSE(ds.Options.UpdateOnlyModifiedFields());
    EXPECT_EQ(ds.Description, "Only a select");
}

TEST_F(DataSetInfoOnEngine, AppliedConditionsOverTheStoredSelectKeepTheirText) {
    TNumberedDataSet& ds = DataSet(11);
    ds.SelectSQL().SetText("SELECT * FROM PEOPLE");
    ds.Conditions().AddCondition("BIG", "QTY > 10", true);
    ds.Conditions().Apply();
    const std::string withCondition = ds.SelectSQL().Text();
    ASSERT_NE(Trim(withCondition), "SELECT * FROM PEOPLE");
    Infos().ApplyToDataSet(ds);
    EXPECT_EQ(ds.SelectSQL().Text(), withCondition);
}

TEST_F(DataSetInfoOnEngine, EachNumberAndDatabaseIsReadOnce) {
    TNumberedDataSet& ds = DataSet(10);
    TpDataSetInfo* info = Infos().GetDataSetInfo(ds);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->DBName, Database().DBName());
    EXPECT_GT(info->Version, 0);
    EXPECT_EQ(Infos().GetDataSetInfo(ds), info);
    EXPECT_EQ(Infos().FindDataSetInfo(ds), info);
    EXPECT_EQ(Infos().Count(), 1);

    Infos().ClearDataSetInfo(ds);
    EXPECT_EQ(Infos().FindDataSetInfo(ds), nullptr);
    EXPECT_NE(Infos().GetDataSetInfo(ds), nullptr);
    EXPECT_EQ(Infos().GetDataSetInfo(DataSet(0)), nullptr) << "no number, nothing to read";

    // A number without a row reads as an empty description.
    TpDataSetInfo* missing = Infos().GetDataSetInfo(DataSet(99));
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->SelectSQL.Count(), 0);
    EXPECT_EQ(Infos().Count(), 2);
}

TEST_F(DataSetInfoOnEngine, RepositoryVersionOfARow) {
    EXPECT_GT(Infos().GetRepositoryVersion(DataSet(10)).value_or(0), 0);
    EXPECT_EQ(Infos().GetRepositoryVersion(DataSet(99)), std::nullopt);
}

TEST_F(DataSetInfoOnEngine, RevalidationReadsAChangedRowAgain) {
    TNumberedDataSet& ds = DataSet(12);
    EXPECT_EQ(Infos().GetDataSetInfo(ds)->Description, "Changes");
    Exec("UPDATE FIB$DATASETS_INFO SET DESCRIPTION = 'Changed' WHERE DS_ID = 12");
    EXPECT_EQ(Infos().GetDataSetInfo(ds)->Description, "Changes") << "kept without revalidation";
    Infos().SetRevalidate(true);
    EXPECT_EQ(Infos().GetDataSetInfo(ds)->Description, "Changed");
}

TEST_F(DataSetInfoOnEngine, RefusalsNameWhatIsMissing) {
    const std::string noRepository =
        repotest::MakeDatabase("datasets_info_missing", {"CREATE TABLE T (A INTEGER)"});
    fbtest::TConnection bare(noRepository);
    bare.db->SetConnected(true);
    fbtest::TConnection closed(File());
    closed.db->UseRepositories = {urFieldsInfo};
    TObjectPtr<TFIBDatabase> unnamed = MakeComponent<TFIBDatabase>(nullptr);

    struct Case {
        const char* what;
        int id;
        TFIBDatabase* database;
        const char* message;
    };
    const Case cases[] = {
        {"no number", 0, &Database(), "TestDS.DataSet_ID should be greater than 0"},
        {"no database", 10, nullptr, "Database is not assigned"},
        // Not connected: the refusal comes before any query.
        {"not used", 10, closed.db.get(),
         "Can't use FIB$DATASETS_INFO.\r\nurDataSetInfo not included into Database.UseRepositories."},
        {"no table", 10, bare.db.get(), "Table FIB$DATASETS_INFO does not exist."},
    };
    TpDataSetInfo info(DataSet(10));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TNumberedDataSet& ds = DataSet(c.id);
        ds.SetDatabase(c.database);
        try {
            ReadDataSetRepositoryInfo(Repository(), ds, &info);
            ADD_FAILURE() << "no refusal";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
    EXPECT_EQ(Repository().RepositoryState(*closed.db), "222");

    TNumberedDataSet& ds = DataSet(10, unnamed.get());
    try {
        Infos().GetDataSetInfo(ds);
        ADD_FAILURE() << "no refusal";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Can't get info for 10\r\nDatabase is not assigned");
    }
}

class SavingDataSetInfo : public DataSetInfoOnEngine {
  protected:
    // A dataset with every setting the row keeps.
    TNumberedDataSet& Configured(int id, TFIBDatabase* database = nullptr) {
        TNumberedDataSet& ds = DataSet(id, database);
        ds.SelectSQL().SetText("SELECT ID, NAME FROM PEOPLE");
        ds.InsertSQL().SetText("INSERT INTO PEOPLE (ID, NAME) VALUES (:ID, :NAME)");
        ds.UpdateSQL().SetText("UPDATE PEOPLE SET NAME = :NAME WHERE ID = :OLD_ID");
        ds.DeleteSQL().SetText("DELETE FROM PEOPLE WHERE ID = :OLD_ID");
        ds.RefreshSQL().SetText("SELECT ID, NAME FROM PEOPLE WHERE ID = :ID");
        ds.Options.SetKeyFields("ID");
        ds.Options.SetGeneratorName("GEN_PEOPLE_ID");
        ds.Options.SetUpdateTableName("PEOPLE");
        ds.Options.SetUpdateOnlyModifiedFields(true);
        ds.Conditions().AddCondition("NAMED", "NAME <> ''", false);
        ds.Description = "Before";
        return ds;
    }

    // Answers the description prompt with the text, or cancels without one.
    TDescriptionQuery Answer(std::optional<std::string> text) {
        return [this, text](const std::string& caption, const std::string& prompt, std::string& value) {
            asked_ = caption + "|" + prompt + "|" + value;
            if (text)
                value = *text;
            return text.has_value();
        };
    }

    std::string asked_;
};

TEST_F(SavingDataSetInfo, SavedSettingsReadBackThroughTheCache) {
    TNumberedDataSet& ds = Configured(20);
    ReadDataSetRepositoryInfo(Repository(), ds, nullptr, Answer("Saved people"));
    EXPECT_EQ(asked_, "Save FIBDataSet properties|Set dataset description|Before");
    EXPECT_EQ(ds.Description, "Saved people");

    TpDataSetInfo* info = Infos().GetDataSetInfo(ds);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Description, "Saved people");
    EXPECT_EQ(Trim(info->SelectSQL.Text()), "SELECT ID, NAME FROM PEOPLE");
    EXPECT_EQ(Trim(info->InsertSQL.Text()), "INSERT INTO PEOPLE (ID, NAME) VALUES (:ID, :NAME)");
    EXPECT_EQ(Trim(info->UpdateSQL.Text()), "UPDATE PEOPLE SET NAME = :NAME WHERE ID = :OLD_ID");
    EXPECT_EQ(Trim(info->DeleteSQL.Text()), "DELETE FROM PEOPLE WHERE ID = :OLD_ID");
    EXPECT_EQ(Trim(info->RefreshSQL.Text()), "SELECT ID, NAME FROM PEOPLE WHERE ID = :ID");
    EXPECT_EQ(info->KeyField, "ID");
    EXPECT_EQ(info->GeneratorName, "GEN_PEOPLE_ID");
    EXPECT_EQ(info->UpdateTableName, "PEOPLE");
    EXPECT_TRUE(info->UpdateOnlyModifiedFields);
    EXPECT_EQ(info->Conditions, ds.Conditions().GetAsText());

    // Saving again changes the row in place.
    ds.Description = "Again";
    ReadDataSetRepositoryInfo(Repository(), ds, nullptr);
    EXPECT_EQ(Select("SELECT COUNT(*) FROM FIB$DATASETS_INFO WHERE DS_ID = 20").AsInteger(), 1);
    EXPECT_EQ(Select("SELECT DESCRIPTION FROM FIB$DATASETS_INFO WHERE DS_ID = 20").AsString(), "Again");
}

TEST_F(SavingDataSetInfo, TheBaseSelectIsSavedUnderAppliedConditions) {
    TNumberedDataSet& ds = Configured(21);
    ds.Conditions().FindCondition("NAMED")->SetEnabled(true);
    ds.Conditions().Apply();
    ReadDataSetRepositoryInfo(Repository(), ds, nullptr);
    EXPECT_EQ(Trim(Select("SELECT SELECT_SQL FROM FIB$DATASETS_INFO WHERE DS_ID = 21").AsString()),
              "SELECT ID, NAME FROM PEOPLE");
}

TEST_F(SavingDataSetInfo, ACancelledDescriptionSavesNoSettings) {
    TNumberedDataSet& ds = Configured(22);
    ReadDataSetRepositoryInfo(Repository(), ds, nullptr, Answer(std::nullopt));
    EXPECT_EQ(ds.Description, "Before");
    EXPECT_EQ(Select("SELECT COUNT(*) FROM FIB$DATASETS_INFO"
                     " WHERE DS_ID = 22 AND SELECT_SQL IS NULL AND DESCRIPTION IS NULL")
                  .AsInteger(),
              1)
        << "the row is made, but keeps nothing";
}

TEST_F(SavingDataSetInfo, AnOlderTableIsUpgradedBeforeTheSave) {
    std::vector<std::string> statements = repotest::kSchema;
    statements.insert(statements.end(), repotest::kOldRepository.begin(), repotest::kOldRepository.end());
    fbtest::TConnection old(repotest::MakeDatabase("datasets_info_old", statements));
    old.db->SetConnected(true);
    TNumberedDataSet& ds = Configured(30, old.db.get());
    ds.SetTransaction(old.tr.get());

    ReadDataSetRepositoryInfo(Repository(), ds, nullptr);
    TpDataSetInfo* info = Infos().GetDataSetInfo(ds);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->UpdateTableName, "PEOPLE");
    EXPECT_GT(info->Version, 0);
}

}  // namespace
