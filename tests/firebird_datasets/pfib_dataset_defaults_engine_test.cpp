// New records on the embedded engine: column defaults imported into the fields and given to a new
// record, linked select parameters, the application's own values, and the formats of the fields.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "firebird/cached_queries.h"
#include "firebird_datasets/datasets_container.h"
#include "firebird_datasets/field_formats.h"
#include "firebird_datasets/pfib_dataset.h"
#include "firebird_datasets/repository.h"
#include "platform/db/numeric_fields.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/float_format.h"
#include "tests/firebird/engine_database.h"

namespace {

class DefaultsEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!File().empty())
            return;
        File() = fbtest::TEngineFolder::Get().CreateDatabase("defaults");
        fbtest::TConnection setup(File());
        setup.db->SetConnected(true);
        setup.tr->StartTransaction();
        fbtest::ExecSQL(
            *setup.tr,
            "CREATE TABLE VISITS (ID INTEGER NOT NULL PRIMARY KEY, CODE VARCHAR(10) DEFAULT 'ABC',"
            " VISIT DATE DEFAULT 'TODAY', NOTE VARCHAR(10) DEFAULT NULL, QTY INTEGER DEFAULT 5,"
            " PLAIN VARCHAR(10), EMPTY_TEXT VARCHAR(10) DEFAULT '' NOT NULL,"
            " PRICE NUMERIC(9,2) DEFAULT 1.5, SEEN DATE DEFAULT '2024-01-31', DOCTOR INTEGER)");
        setup.tr->Commit();
        setup.tr->StartTransaction();
        fbtest::ExecSQL(*setup.tr, "INSERT INTO VISITS (ID, DOCTOR) VALUES (1, 7)");
        setup.tr->Commit();
    }

    static std::string& File() {
        static std::string file;
        return file;
    }

    void SetUp() override {
        SetNumberFormat({'.', ','});
        connection_.db->SetConnected(true);
    }

    void TearDown() override {
        dataSet_.reset();
        if (connection_.tr->Active())
            connection_.tr->Rollback();
        ReloadNumberFormat();
    }

    TpFIBDataSet& DataSet(const std::string& select = "SELECT * FROM VISITS") {
        dataSet_ = MakeComponent<TpFIBDataSet>(nullptr);
        TpFIBDataSet& ds = *dataSet_;
        ds.SetName("Visits");
        ds.SetDatabase(connection_.db.get());
        ds.SetTransaction(connection_.tr.get());
        ds.SetUpdateTransaction(connection_.tr.get());
        ds.SetColumnRepository(repository_.get());
        ds.SelectSQL().SetText(select);
        ds.InsertSQL().SetText("INSERT INTO VISITS (ID) VALUES (?ID)");
        ds.SetPrepareOptions(TpPrepareOptions{pfImportDefaultValues});
        return ds;
    }

    static std::string Shown(TField* field) { return field->IsNull() ? "<null>" : field->AsString(); }

    fbtest::TConnection connection_{File()};
    TObjectPtr<TCacheList> queries_ = MakeComponent<TCacheList>(nullptr);
    TObjectPtr<TpFIBRepository> repository_ = MakeComponent<TpFIBRepository>(*queries_);
    TObjectPtr<TpFIBDataSet> dataSet_;
};

TEST(FormatWithDecimals, WidensFormatsEndingInAPointOrOneDecimal) {
    struct Case {
        const char* format;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {"#,##0.", 2, "#,##0.00"},
        {"#,##0.", 0, "#,##0."},
        {"0.0", 3, "0.000"},
        {"0.#", 2, "0.##"},
        {"", 4, ""},
        {"#,##0", 2, "#,##0"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatWithDecimals(c.format, c.decimals), c.expected) << c.format;
}

TEST_F(DefaultsEngine, NewRecordTakesTheColumnsDefaults) {
    TpFIBDataSet& ds = DataSet();
    ds.Open();
    ds.Insert();
    struct Case {
        const char* field;
        std::string expected;
    };
    const Case cases[] = {
        {"CODE", "ABC"},      // quoted text
        {"NOTE", "<null>"},   // DEFAULT NULL
        {"PLAIN", "<null>"},  // no default
        {"QTY", "5"},         // a number
        {"PRICE", "1.5"},     // a decimal in the locale's notation
        {"SEEN", "<null>"},   // a date text the library can't read: the server's to give
        {"ID", "<null>"},
    };
    for (const Case& c : cases) EXPECT_EQ(Shown(ds.FieldByName(c.field)), c.expected) << c.field;
    // TODAY is the date without its time.
    const TDateTime visit = ds.FieldByName("VISIT")->AsDateTime();
    EXPECT_EQ(visit, std::floor(Now()));
    auto* emptyText = dynamic_cast<TFIBstringField*>(ds.FieldByName("EMPTY_TEXT"));
    ASSERT_NE(emptyText, nullptr);
    EXPECT_TRUE(emptyText->DefaultValueEmptyString());
    ds.FieldByName("ID")->SetAsInteger(2);
    ds.Post();
    EXPECT_EQ(ds.CachedUpdateStatus(), cusUnmodified);
}

TEST_F(DefaultsEngine, WithoutImportOnlyTheFieldsOwnExpressionsCount) {
    TpFIBDataSet& ds = DataSet();
    ds.SetPrepareOptions(TpPrepareOptions{});
    ds.Open();
    ds.FieldByName("PLAIN")->DefaultExpression = "'typed'";
    ds.FieldByName("QTY")->DefaultExpression = "NULL";
    ds.Insert();
    EXPECT_EQ(Shown(ds.FieldByName("CODE")), "<null>");
    EXPECT_EQ(Shown(ds.FieldByName("PLAIN")), "typed");
    EXPECT_EQ(Shown(ds.FieldByName("QTY")), "<null>");
}

TEST_F(DefaultsEngine, ContainerAndHandlerMayGiveTheValueFirst) {
    TObjectPtr<TDataSetsContainer> container = MakeComponent<TDataSetsContainer>(nullptr);
    container->OnApplyDefaultValue = [](TDataSet*, TField* field, bool& applied) {
        if (field->FieldName == "CODE") {
            field->SetAsString("FROM_BOX");
            applied = true;
        }
    };
    TpFIBDataSet& ds = DataSet();
    ds.SetContainer(container.get());
    ds.OnApplyDefaultValue = [](TDataSet*, TField* field, bool& applied) {
        if (field->FieldName == "QTY") {
            field->SetAsInteger(42);
            applied = true;
        }
    };
    ds.Open();
    ds.Insert();
    EXPECT_EQ(Shown(ds.FieldByName("CODE")), "FROM_BOX");
    EXPECT_EQ(Shown(ds.FieldByName("QTY")), "42");
    EXPECT_EQ(Shown(ds.FieldByName("NOTE")), "<null>");
}

TEST_F(DefaultsEngine, LinkedSelectParameterFillsItsField) {
    TpFIBDataSet& ds = DataSet("SELECT V.* FROM VISITS V WHERE V.DOCTOR = :DOC AND ID > :FROM_ID");
    ds.AutoUpdateOptions().SetAutoParamsToFields(true);
    ds.Open();
    EXPECT_EQ(ds.AutoUpdateOptions().ParamsToFieldsLinks().Text(), "DOCTOR=DOC\r\nID=FROM_ID\r\n");
    ds.Close();
    ds.Params().ByName("DOC")->WriteAsInteger(7);
    ds.Params().ByName("FROM_ID")->WriteAsInteger(0);
    ds.Open();
    ds.Insert();
    EXPECT_EQ(Shown(ds.FieldByName("DOCTOR")), "7");
}

TEST_F(DefaultsEngine, RepositoryMarksRequiredAndForeignFieldsAndFormatsNumbers) {
    TpFIBDataSet& ds = DataSet(
        "SELECT V.ID, V.CODE, V.EMPTY_TEXT, V.PRICE, R.RDB$RELATION_ID FROM VISITS V"
        " JOIN RDB$DATABASE R ON 1 = 1");
    ds.SetPrepareOptions(TpPrepareOptions{pfImportDefaultValues, pfSetRequiredFields, pfSetReadOnlyFields});
    ds.Open();
    struct Case {
        const char* field;
        bool required;
        bool readOnly;
    };
    const Case cases[] = {
        {"ID", true, false},               // NOT NULL without a default
        {"CODE", false, false},            // nullable
        {"EMPTY_TEXT", false, false},      // NOT NULL with a default
        {"RDB$RELATION_ID", false, true},  // not the table the dataset writes to
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ds.FieldByName(c.field)->Required, c.required) << c.field;
        EXPECT_EQ(ds.FieldByName(c.field)->ReadOnly, c.readOnly) << c.field;
    }
    auto* price = dynamic_cast<TNumericField*>(ds.FieldByName("PRICE"));
    ASSERT_NE(price, nullptr);
    EXPECT_EQ(price->DisplayFormat, "#,##0.00");
    EXPECT_EQ(price->EditFormat, "0.00");
}

}  // namespace
