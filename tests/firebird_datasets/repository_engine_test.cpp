// The repository over the embedded engine: which repository tables a database has, tested once,
// and the column answers a dataset takes from the tables' domains and defaults.
#include <gtest/gtest.h>

#include <string>

#include "firebird_datasets/fib_custom_dataset.h"
#include "tests/firebird_datasets/repository_engine_fixture.h"

namespace {

using repotest::RepositoryEngine;

using RepositoryOnEngine = RepositoryEngine;

TEST_F(RepositoryOnEngine, EachRepositoryTableIsTestedOncePerDatabase) {
    EXPECT_EQ(Repository().RepositoryState(Database()), "222");
    EXPECT_TRUE(Repository().FieldsInfoTableExists(Database()));
    EXPECT_EQ(Repository().RepositoryState(Database()), "122");
    EXPECT_FALSE(Repository().RepositoryTableExists(Database(), rtErrorMessages));
    EXPECT_EQ(Repository().RepositoryState(Database()), "120");

    // The answer is kept: a table made later is not seen.
    Exec("CREATE TABLE FIB$ERROR_MESSAGES (CONSTRAINT_NAME VARCHAR(67))");
    EXPECT_FALSE(Repository().RepositoryTableExists(Database(), rtErrorMessages));
    Exec("DROP TABLE FIB$ERROR_MESSAGES");
}

TEST_F(RepositoryOnEngine, ATableTheDatabaseDoesNotUseIsAbsentWithoutATest) {
    Database().UseRepositories = {urFieldsInfo};
    EXPECT_FALSE(Repository().DataSetsInfoTableExists(Database()));
    EXPECT_EQ(Repository().RepositoryState(Database()), "222") << "nothing tested";

    Database().UseRepositories = {urFieldsInfo, urDataSetInfo};
    EXPECT_TRUE(Repository().DataSetsInfoTableExists(Database()));
    EXPECT_EQ(Repository().RepositoryState(Database()), "212");
}

// Shows what the dataset hears from its column repository.
class TProbeDataSet : public TFIBDataSet {
  public:
    using TFIBDataSet::TFIBDataSet;
    bool DefaultIsEmptyString(const TField* field) const { return ColumnDefaultIsEmptyString(field); }
};

class ColumnRepositoryOnEngine : public RepositoryEngine {
  protected:
    // A dataset over PEOPLE that asks the repository, or none, about its columns.
    TFIBDataSet& DataSet(IFIBColumnRepository* repository) {
        TObjectPtr<TFIBDataSet>& slot = repository != nullptr ? withRepository_ : without_;
        slot = MakeComponent<TFIBDataSet>(nullptr);
        slot->SetDatabase(&Database());
        slot->SetTransaction(&Transaction());
        slot->SelectSQL().SetText("SELECT * FROM PEOPLE");
        slot->SetPrepareOptions(slot->PrepareOptions() + TpPrepareOptions{psUseGuidField});
        slot->SetColumnRepository(repository);
        return *slot;
    }

    TObjectPtr<TFIBDataSet> withRepository_;
    TObjectPtr<TFIBDataSet> without_;
};

TEST_F(ColumnRepositoryOnEngine, DomainsDecideBooleanAndGuidFields) {
    struct Case {
        const char* field;
        TFieldType withRepository;
    };
    const Case cases[] = {
        {"ACTIVE", ftBoolean},
        {"UID", ftGuid},
        {"QTY", ftInteger},
        {"NOTE", ftString},
    };
    // Without a repository the dataset can't tell: it says so rather than guess.
    TFIBDataSet& plain = DataSet(nullptr);
    EXPECT_THROW(plain.FieldDefs().Update(), Exception);
    TFIBDataSet& asking = DataSet(&Repository());
    asking.FieldDefs().Update();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(asking.FieldDefs().Find(c.field)->DataType, c.withRepository);
    }
    asking.Open();
    EXPECT_EQ(asking.FieldByName("ACTIVE")->ClassName(), "TFIBBooleanField");
    EXPECT_EQ(asking.FieldByName("UID")->ClassName(), "TFIBGuidField");
}

TEST_F(ColumnRepositoryOnEngine, EmptyStringDefaultsReachTheDataSet) {
    auto probe = MakeComponent<TProbeDataSet>(nullptr);
    probe->SetDatabase(&Database());
    probe->SetTransaction(&Transaction());
    probe->SelectSQL().SetText("SELECT P.*, P.QTY + 1 AS NEXT_QTY FROM PEOPLE P");
    probe->SetColumnRepository(&Repository());
    probe->Open();
    struct Case {
        const char* field;
        bool emptyStringDefault;
    };
    const Case cases[] = {
        {"NAME", true},       // DEFAULT ''
        {"TAG", true},        // the domain's DEFAULT ''
        {"NOTE", false},      // no default at all
        {"CODE", false},      // DEFAULT 'ABC'
        {"NEXT_QTY", false},  // no column behind it
    };
    for (const Case& c : cases)
        EXPECT_EQ(probe->DefaultIsEmptyString(probe->FieldByName(c.field)), c.emptyStringDefault) << c.field;
}

}  // namespace
