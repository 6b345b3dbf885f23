// What the dataset answers a provider: names, statements run with parameters by position, and one
// record applied from a delta.
#include <gtest/gtest.h>

#include "firebird/fib_errors.h"
#include "tests/firebird_datasets/generated_sql_fixture.h"

namespace {

using ProviderSupport = gentest::GeneratedSQLEngine;

std::unique_ptr<TParams> PositionalParams(const std::vector<Variant>& values) {
    auto params = std::make_unique<TParams>();
    for (const Variant& value : values) params->CreateParam(ftUnknown, "", ptInput)->SetValue(value);
    return params;
}

TEST_F(ProviderSupport, NamesForTheProvidersSQL) {
    auto& ds = Clients("SELECT C.ID, C.NAME, O.X FROM OTHER_T O JOIN CLIENTS C ON C.ID = O.ID", "CLIENTS");
    EXPECT_EQ(ds.PSGetQuoteChar(), "\"");
    EXPECT_EQ(ds.PSGetTableName(), "CLIENTS");
    ds.AutoUpdateOptions().SetUpdateTableName("NOT_SELECTED");
    EXPECT_EQ(ds.PSGetTableName(), "OTHER_T");
    EXPECT_EQ(ds.PSGetKeyFields(), "ID");
    EXPECT_TRUE(ds.PSIsSQLBased());
}

TEST_F(ProviderSupport, StatementsBindTheirMarkersByPosition) {
    auto& ds = Clients();
    // Markers in quoted text stay text.
    EXPECT_EQ(ds.PSExecuteStatement("UPDATE CLIENTS SET NAME = ? WHERE ID > ? AND PHONE <> '?'",
                                    *PositionalParams({Variant("Zed"), Variant(1)})),
              1);
    TObjectPtr<TDataSet> rows;
    EXPECT_EQ(ds.PSExecuteStatement("SELECT ID FROM CLIENTS WHERE NAME = ? /* ? */",
                                    *PositionalParams({Variant("Zed")}), &rows),
              1);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->FieldByName("ID")->AsInteger(), 3);
    Transaction().CommitRetaining();
    EXPECT_EQ(ServerRows(), (std::vector<std::string>{"1|Ann|111", "2|Bob|-", "3|Zed|333"}));
}

TEST_F(ProviderSupport, SelectParametersGoBothWays) {
    auto& ds = Clients("SELECT ID, NAME FROM CLIENTS WHERE ID = :ID AND NAME <> :NAME");
    const auto given = PositionalParams({Variant(2), Variant("x")});
    given->Items(0)->Name = "ID";
    given->Items(1)->Name = "NAME";
    ds.PSSetParams(*given);
    TParams* params = ds.PSGetParams();
    ASSERT_EQ(params->Count(), 2);
    EXPECT_EQ(params->Items(0)->DataType, ftInteger);
    EXPECT_EQ(params->Items(0)->ParamType, ptInputOutput);
    EXPECT_EQ(params->Items(0)->Value().AsInteger(), 2);
    EXPECT_EQ(params->Items(1)->DataType, ftString);
    ds.Open();
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "Bob");
}

TEST_F(ProviderSupport, UpdateErrorsCarryTheServerCodes) {
    auto& ds = Clients();
    std::exception_ptr error;
    try {
        ds.PSExecuteStatement("INSERT INTO CLIENTS (ID) VALUES (?)", *PositionalParams({Variant(1)}));
    } catch (const EFIBError&) {
        error = std::current_exception();
    }
    ASSERT_TRUE(error);
    const auto first = ds.PSGetUpdateException(error, nullptr);
    EXPECT_EQ(first->ErrorCode, -803);
    EXPECT_EQ(first->PreviousError, 0);
    EXPECT_NE(first->Message.find("PRIMARY"), std::string::npos);
    EXPECT_EQ(ds.PSGetUpdateException(error, first.get())->PreviousError, -803);
}

// The delta is another dataset whose current record holds the old and new values.
TEST_F(ProviderSupport, ARecordFromADeltaGoesThroughTheKindsStatement) {
    auto& ds = Clients();
    ds.UpdateSQL().SetText("UPDATE CLIENTS SET NAME = :NEW_NAME, PHONE = :PHONE WHERE ID = :OLD_ID");
    TObjectPtr<TpFIBDataSet> delta = MakeComponent<TpFIBDataSet>(nullptr);
    delta->SetDatabase(&Database());
    delta->SetTransaction(&Transaction());
    delta->SelectSQL().SetText("SELECT ID, NAME, PHONE FROM CLIENTS WHERE ID = 2");
    delta->UpdateSQL().SetText("UPDATE CLIENTS SET NAME = NAME WHERE 1 = 0");
    delta->Open();
    delta->Edit();
    delta->FieldByName("ID")->SetAsInteger(20);
    delta->FieldByName("NAME")->SetAsString("Bea");
    delta->FieldByName("PHONE")->SetAsString("222");
    EXPECT_TRUE(ds.PSUpdateRecord(ukModify, *delta));
    delta->Cancel();
    // The handler decides instead, and only uaApplied counts as done.
    ds.OnUpdateRecord = [](TDataSet*, TUpdateKind, TFIBUpdateAction& action) { action = uaSkip; };
    EXPECT_FALSE(ds.PSUpdateRecord(ukModify, *delta));
    delta->Close();
    Transaction().CommitRetaining();
    EXPECT_EQ(ServerRows(), (std::vector<std::string>{"1|Ann|111", "2|Bea|222", "3|Cid|333"}));
}

}  // namespace
