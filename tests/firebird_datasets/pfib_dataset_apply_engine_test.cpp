// Cached updates applied record by record through OnUpdateRecord and OnUpdateError, committed, and
// key values from a generator.
#include <gtest/gtest.h>

#include "firebird/fib_errors.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"

namespace {

class ApplyUpdates : public gentest::GeneratedSQLEngine {
  protected:
    // A cached dataset with generated statements: ID 1 renamed, 2 deleted, 4 appended.
    TpFIBDataSet& ChangedClients() {
        auto& ds = Clients();
        ds.SetAutoCommit(false);
        ds.AutoUpdateOptions().SetCanChangeSQLs(true);
        ds.SetCachedUpdates(true);
        ds.Open();
        ds.AutoGenerateSQLs();
        ds.FetchAll();
        ds.First();
        Rename(ds, "Anna");
        ds.Next();
        ds.Delete();
        ds.Append();
        ds.FieldByName("ID")->SetAsInteger(4);
        ds.FieldByName("NAME")->SetAsString("Dan");
        ds.Post();
        return ds;
    }

    static void Rename(TDataSet& ds, const char* name) {
        ds.Edit();
        ds.FieldByName("NAME")->SetAsString(name);
        ds.Post();
    }

    // The status of each fetched record, in fetch order, as the letters U M I D.
    static std::string Statuses(TpFIBDataSet& ds) {
        const TFIBUpdateRecordTypes all{cusUnmodified, cusModified, cusInserted, cusDeleted};
        ds.SetUpdateRecordTypes(all);
        std::string letters;
        for (ds.First(); !ds.Eof(); ds.Next()) letters += "UMID"[ds.CachedUpdateStatus()];
        ds.SetUpdateRecordTypes({cusUnmodified, cusModified, cusInserted});
        return letters;
    }

    const std::vector<std::string> kApplied{"1|Anna|111", "3|Cid|333", "4|Dan|-"};
    const std::vector<std::string> kUntouched{"1|Ann|111", "2|Bob|-", "3|Cid|333"};
};

TEST_F(ApplyUpdates, EveryKindReachesTheServerAndStatusesChangeOnCommit) {
    auto& ds = ChangedClients();
    ds.Next();  // away from the bookmark the apply returns to
    ds.First();
    ds.Last();
    ds.ApplyUpdates();
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 4);
    EXPECT_EQ(Statuses(ds), "MDUI");
    Transaction().CommitRetaining();
    EXPECT_EQ(ServerRows(), kApplied);
    ds.CommitUpdates();
    EXPECT_EQ(Statuses(ds), "UUU");
    EXPECT_FALSE(ds.UpdatesPending());
    EXPECT_EQ(ds.CachedChangeCount(), 0);
}

// With AutoCommit each cached change is applied, committed and made the fetched state at once.
TEST_F(ApplyUpdates, WithAutoCommitEachChangeGoesOutAtOnce) {
    auto& ds = Clients();
    ds.AutoUpdateOptions().SetCanChangeSQLs(true);
    ds.SetCachedUpdates(true);
    ds.Open();
    ds.AutoGenerateSQLs();
    Rename(ds, "Anna");
    EXPECT_EQ(ServerRows().front(), "1|Anna|111");
    EXPECT_EQ(ds.CachedUpdateStatus(), cusUnmodified);
    EXPECT_FALSE(ds.UpdatesPending());
    ds.Delete();
    EXPECT_EQ(ServerRows().front(), "2|Bob|-");
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 2);
}

struct TUpdateRecordCase {
    TFIBUpdateAction Action;
    std::vector<std::string> Server;
    std::string Statuses;
};

class UpdateRecordActions : public ApplyUpdates, public ::testing::WithParamInterface<TUpdateRecordCase> {};

// The handler sees each changed record's own values, the deleted one's too, and decides.
TEST_P(UpdateRecordActions, DecideWhatReachesTheServer) {
    auto& ds = ChangedClients();
    std::vector<std::string> seen;
    ds.OnUpdateRecord = [&](TDataSet* d, TUpdateKind kind, TFIBUpdateAction& action) {
        seen.push_back(std::to_string(kind) + ":" + d->FieldByName("NAME")->AsString());
        action = GetParam().Action;
    };
    ds.ApplyUpdates();
    EXPECT_EQ(seen, (std::vector<std::string>{"0:Anna", "2:Bob", "1:Dan"}));
    Transaction().CommitRetaining();
    EXPECT_EQ(ServerRows(), GetParam().Server);
    EXPECT_EQ(Statuses(ds), GetParam().Statuses);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateRecordActions,
    ::testing::Values(TUpdateRecordCase{uaApply, {"1|Anna|111", "3|Cid|333", "4|Dan|-"}, "MDUI"},
                      TUpdateRecordCase{uaSkip, {"1|Ann|111", "2|Bob|-", "3|Cid|333"}, "MDUI"},
                      TUpdateRecordCase{uaApplied, {"1|Ann|111", "2|Bob|-", "3|Cid|333"}, "MDUI"},
                      TUpdateRecordCase{uaFail, {"1|Ann|111", "2|Bob|-", "3|Cid|333"}, "MDUI"}));

struct TUpdateErrorCase {
    TFIBUpdateAction Action;
    const char* Raises;  // "" for none
    const char* Row3;    // what the server holds for ID 3 afterwards
};

class UpdateErrorActions : public ApplyUpdates, public ::testing::WithParamInterface<TUpdateErrorCase> {};

// ID 1's new name breaks a check on the server; ID 3 comes after it.
TEST_P(UpdateErrorActions, DecideHowTheApplyGoesOn) {
    Exec({"ALTER TABLE CLIENTS ADD CONSTRAINT NAME_NOT_BAD CHECK (NAME <> 'bad')"});
    auto& ds = Clients();
    ds.SetAutoCommit(false);
    ds.AutoUpdateOptions().SetCanChangeSQLs(true);
    ds.SetCachedUpdates(true);
    ds.Open();
    ds.AutoGenerateSQLs();
    Rename(ds, "bad");
    ds.Last();
    Rename(ds, "Cyd");
    int calls = 0;
    ds.OnUpdateError = [&](TDataSet*, EDatabaseError& e, TUpdateKind kind, TFIBUpdateAction& action) {
        EXPECT_EQ(kind, ukModify);
        EXPECT_NE(e.Message.find("NAME_NOT_BAD"), std::string::npos);
        // A retry fails the same way; the second call gives up on the record.
        action = ++calls == 1 ? GetParam().Action : uaSkip;
    };
    std::string raised;
    try {
        ds.ApplyUpdates();
    } catch (const EAbort&) {
        raised = "EAbort";
    } catch (const EFIBError&) {
        raised = "EFIBError";
    }
    EXPECT_EQ(raised, GetParam().Raises);
    EXPECT_EQ(calls, GetParam().Action == uaRetry ? 2 : 1);
    Transaction().CommitRetaining();
    EXPECT_EQ(ServerRows().at(0), "1|Ann|111");
    EXPECT_EQ(ServerRows().at(2), std::string("3|") + GetParam().Row3 + "|333");
    EXPECT_TRUE(ds.UpdatesPending());
}

INSTANTIATE_TEST_SUITE_P(Cases, UpdateErrorActions,
                         ::testing::Values(TUpdateErrorCase{uaFail, "EFIBError", "Cid"},
                                           TUpdateErrorCase{uaAbort, "EAbort", "Cid"},
                                           TUpdateErrorCase{uaSkip, "", "Cyd"},
                                           TUpdateErrorCase{uaApplied, "", "Cyd"},
                                           TUpdateErrorCase{uaRetry, "", "Cyd"}));

// A kind the dataset may no longer send is reported, not counted as applied.
TEST_F(ApplyUpdates, ARefusedKindRaisesAndTheRecordStaysPending) {
    auto& ds = ChangedClients();
    ds.SetAllowedUpdateKinds({ukModify, ukInsert});
    try {
        ds.ApplyUpdates();
        FAIL() << "a refused delete was applied";
    } catch (const EFIBError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceCannotDelete);
    }
    std::vector<TUpdateKind> skipped;
    ds.OnUpdateError = [&](TDataSet*, EDatabaseError&, TUpdateKind kind, TFIBUpdateAction& action) {
        skipped.push_back(kind);
        action = uaSkip;
    };
    ds.ApplyUpdates();
    EXPECT_EQ(skipped, std::vector<TUpdateKind>{ukDelete});
    Transaction().CommitRetaining();
    EXPECT_EQ(ServerRows(), (std::vector<std::string>{"1|Anna|111", "2|Bob|-", "3|Cid|333", "4|Dan|-"}));
    EXPECT_EQ(Statuses(ds), "MDUI");
}

class Generators : public gentest::GeneratedSQLEngine {
  protected:
    TpFIBDataSet& Keyed(const std::string& select, const std::string& table, TWhenGetGenID when) {
        Exec({"RECREATE SEQUENCE GEN_KEYS", "ALTER SEQUENCE GEN_KEYS RESTART WITH 100"});
        auto& ds = Clients(select, table);
        ds.AutoUpdateOptions().SetGeneratorName("GEN_KEYS");
        ds.AutoUpdateOptions().SetGeneratorStep(5);
        ds.AutoUpdateOptions().SetWhenGetGenID(when);
        ds.AutoUpdateOptions().SetCanChangeSQLs(true);
        ds.Open();
        ds.AutoGenerateSQLs();
        return ds;
    }
};

TEST_F(Generators, KeysAdvanceByTheStepBeforeEachPost) {
    auto& ds = Keyed("SELECT ID, NAME FROM CLIENTS", "CLIENTS", wgBeforePost);
    for (const char* name : {"Eve", "Fay"}) {
        ds.Append();
        ds.FieldByName("NAME")->SetAsString(name);
        ds.Post();
    }
    // A key the user gave stays.
    ds.Append();
    ds.FieldByName("ID")->SetAsInteger(50);
    ds.Post();
    EXPECT_EQ(ServerRows("SELECT ID, NAME FROM CLIENTS WHERE ID > 3 ORDER BY ID"),
              (std::vector<std::string>{"50|-", "105|Eve", "110|Fay"}));
    // Fetched at once for a new record.
    ds.Append();
    ds.FetchGeneratorValue();
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 115);
    ds.Cancel();
}

TEST_F(Generators, ANewRecordGetsItsKeyAtOnce) {
    auto& ds = Keyed("SELECT ID, NAME FROM CLIENTS", "CLIENTS", wgOnNewRecord);
    ds.Append();
    EXPECT_EQ(ds.FieldByName("ID")->AsInteger(), 105);
    ds.FieldByName("NAME")->SetAsString("Gil");
    ds.Post();
    EXPECT_EQ(ServerRows().back(), "105|Gil|-");
}

TEST_F(Generators, AValueTheKeyCannotHoldRaisesInsteadOfWrapping) {
    Exec({"RECREATE TABLE SMALL_KEYS (ID SMALLINT NOT NULL PRIMARY KEY, NAME VARCHAR(10))"});
    // Fetched before the post, so that the new record is made before the value is asked for.
    auto& ds = Keyed("SELECT ID, NAME FROM SMALL_KEYS", "SMALL_KEYS", wgBeforePost);
    ServerExec("ALTER SEQUENCE GEN_KEYS RESTART WITH 32765");
    ds.Append();
    EXPECT_THROW(ds.FetchGeneratorValue(), EDatabaseError);
    EXPECT_TRUE(ds.FieldByName("ID")->IsNull());
    ds.Cancel();
}

}  // namespace
