// Scaled numbers written through every setter of their fields reach the server with their scale.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/firebird_datasets/dataset_edit_fixture.h"

namespace {

class NumericPost : public dstest::EditEngine {
  protected:
    void SetUp() override {
        EditEngine::SetUp();
        ServerExec(
            "RECREATE TABLE AMOUNTS (ID INTEGER NOT NULL PRIMARY KEY, N18 NUMERIC(18,4),"
            " N9 NUMERIC(9,2), N4 NUMERIC(4,1))");
        ServerExec("INSERT INTO AMOUNTS (ID) VALUES (1)");
    }

    // The column's value as the server prints it, read through another connection.
    std::string ServerText(const std::string& column) {
        return ServerSelect("SELECT CAST(" + column + " AS VARCHAR(40)) FROM AMOUNTS WHERE ID = 1")[0][0]
            .AsString();
    }
};

TEST_F(NumericPost, EverySetterSendsTheValueWithItsScale) {
    struct Case {
        const char* column;
        std::function<void(TField&)> set;
        const char* server;
    };
    const std::vector<Case> cases = {
        {"N18", [](TField& f) { f.SetAsFloat(7.7777); }, "7.7777"},
        {"N18", [](TField& f) { f.SetAsCurrency(123456); }, "12.3456"},
        {"N18", [](TField& f) { f.SetAsString("-98765432109876.5432"); }, "-98765432109876.5432"},
        {"N18", [](TField& f) { f.SetValue(Variant(std::string("0.0001"))); }, "0.0001"},
        {"N18", [](TField& f) { f.SetAsInteger(42); }, "42.0000"},
        {"N9", [](TField& f) { f.SetAsFloat(1234567.89); }, "1234567.89"},
        {"N9", [](TField& f) { f.SetAsString("-0.05"); }, "-0.05"},
        {"N4", [](TField& f) { f.SetAsString("123.4"); }, "123.4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " -> " + c.server);
        auto& ds = DataSet<dstest::TEditProbe>(std::string("SELECT ID, ") + c.column + " FROM AMOUNTS");
        ds.SetUpdateTransaction(&Transaction());
        ds.SetAutoCommit(true);
        ds.UpdateSQL().SetText(std::string("UPDATE AMOUNTS SET ") + c.column + " = :" + c.column +
                               " WHERE ID = :OLD_ID");
        ds.Open();
        ds.Edit();
        c.set(*ds.FieldByName(c.column));
        ds.Post();
        EXPECT_EQ(ServerText(c.column), c.server);
        ds.Close();
    }
}

}  // namespace
