// Opening a dataset over a real select: the record layout, the field definitions and classes, and
// every column type read back through its field.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "firebird/fib_errors.h"
#include "platform/rtl/strings.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace {

using dstest::DatasetEngine;

// Shows the layout the dataset computed, and answers yes where the repository would be asked
// whether a column holds GUIDs.
class TProbeDataSet : public TFIBDataSet {
  public:
    using TFIBCustomDataSet::Cache;
    using TFIBCustomDataSet::CalcFieldsOffset;
    using TFIBCustomDataSet::Descriptors;
    using TFIBCustomDataSet::RecordBufferSize;
    using TFIBDataSet::TFIBDataSet;
    bool GuidColumns = false;

  protected:
    bool ColumnCanBeGuid(TFIBXSQLVAR& /*column*/) const override { return GuidColumns; }
};

using OpenOnEngine = DatasetEngine;

TEST_F(OpenOnEngine, RecordLayoutOfIntegerTwoTextsAndBlob) {
    auto& ds = DataSet<TProbeDataSet>("SELECT INT_V, SHORT_VC, VC_V, BLOB_V FROM ALL_TYPES ORDER BY ID");
    ds.Open();
    const TFIBFieldDescrList& columns = ds.Descriptors();
    ASSERT_EQ(columns.Count(), 4);
    struct Expected {
        int offset;
        int size;
        bool inStringStore;
    };
    const Expected expected[] = {{10, 4, false}, {14, 5, false}, {27, 40, true}, {19, 8, false}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(columns.GetDescr(i)->Offset, expected[i].offset);
        EXPECT_EQ(columns.GetDescr(i)->Size, expected[i].size);
        EXPECT_EQ(columns.GetDescr(i)->InStringStore, expected[i].inStringStore);
    }
    EXPECT_EQ(columns.GetDescr(2)->StringIndex, 0);
    EXPECT_EQ(ds.CalcFieldsOffset(), 71);
    EXPECT_EQ(ds.RecordBufferSize(), 71);
    EXPECT_EQ(ds.Cache()->RecordSize(), 26);
    EXPECT_EQ(ds.Cache()->StringFieldCount(), 1);
    // The long text comes back whole from the string store, the values around it from the image.
    EXPECT_EQ(ds.FieldByName("INT_V")->AsInteger(), 123456);
    EXPECT_EQ(ds.FieldByName("SHORT_VC")->AsString(), "xy");
    EXPECT_EQ(ds.FieldByName("VC_V")->AsString(), "a varying text");
    EXPECT_FALSE(ds.FieldByName("BLOB_V")->IsNull());
}

TEST_F(OpenOnEngine, FieldDefinitionsFollowTheColumnTypes) {
    auto& ds = DataSet("SELECT * FROM ALL_TYPES");
    ds.FieldDefs().Update();
    struct Case {
        const char* name;
        TFieldType type;
        int size;
    };
    const Case cases[] = {
        {"SMALL_V", ftSmallint, 0}, {"INT_V", ftInteger, 0},  {"BIG_V", ftBCD, 0},
        {"NUM_V", ftBCD, 4},        {"MONEY_V", ftFloat, 0},  {"FINE_V", ftFloat, 0},
        {"FLOAT_V", ftFloat, 0},    {"DOUBLE_V", ftFloat, 0}, {"DATE_V", ftDate, 0},
        {"TIME_V", ftTime, 0},      {"TS_V", ftDateTime, 0},  {"CHAR_V", ftString, 20},
        {"VC_V", ftString, 40},     {"MEMO_V", ftMemo, 8},    {"BLOB_V", ftBlob, 8},
        {"BOOL_V", ftBoolean, 0},   {"ARR_V", ftBytes, 8},    {"GUID_V", ftString, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TFieldDef* def = ds.FieldDefs().FindDef(c.name);
        ASSERT_NE(def, nullptr);
        EXPECT_EQ(def->DataType, c.type);
        EXPECT_EQ(def->Size, c.size);
        EXPECT_FALSE(def->Required);
    }
    EXPECT_FALSE(ds.Active());
}

// Answers yes for the columns it names.
class TNamedColumns : public IFIBColumnRepository {
  public:
    std::string Booleans;
    bool ColumnCanBeBoolean(const TFIBCustomDataSet&, TFIBXSQLVAR& column) override {
        return column.VarName == Booleans;
    }
    bool ColumnCanBeGuid(const TFIBCustomDataSet&, TFIBXSQLVAR&) override { return false; }
    bool DefaultIsEmptyString(const TFIBCustomDataSet&, const TField*) override { return false; }
};

TEST_F(OpenOnEngine, RepositoryDecidesWhichIntegersAreBooleans) {
    TNamedColumns repository;
    repository.Booleans = "SMALL_V";
    auto& ds = DataSet("SELECT SMALL_V, INT_V FROM ALL_TYPES ORDER BY ID");
    ds.SetColumnRepository(&repository);
    ds.Open();
    EXPECT_EQ(ds.FieldByName("SMALL_V")->ClassName(), "TFIBBooleanField");
    EXPECT_TRUE(ds.FieldByName("SMALL_V")->AsBoolean());  // -12 is not 0
    EXPECT_EQ(ds.FieldByName("INT_V")->ClassName(), "TFIBIntegerField");
    ds.Close();
    ds.SetPrepareOptions(ds.PrepareOptions() - TpPrepareOptions{psUseBooleanField});
    ds.Open();
    EXPECT_EQ(ds.FieldByName("SMALL_V")->ClassName(), "TFIBSmallIntField");
}

TEST_F(OpenOnEngine, Int64BelowFourDecimalsBecomesBcdOnlyWhenAsked) {
    auto& ds = DataSet("SELECT FINE_V FROM ALL_TYPES");
    ds.SetPrepareOptions(ds.PrepareOptions() + TpPrepareOptions{psSQLINT64ToBCD});
    ds.FieldDefs().Update();
    EXPECT_EQ(ds.FieldDefs().Find("FINE_V")->DataType, ftBCD);
    EXPECT_EQ(ds.FieldDefs().Find("FINE_V")->Size, 6);
    ds.Open();
    EXPECT_EQ(ds.FieldByName("FINE_V")->AsString(), "123456789012.345678");
}

TEST_F(OpenOnEngine, EveryColumnTypeReadsThroughItsField) {
    auto& ds = DataSet<TProbeDataSet>("SELECT * FROM ALL_TYPES ORDER BY ID");
    ds.GuidColumns = true;
    ds.SetPrepareOptions(ds.PrepareOptions() + TpPrepareOptions{psUseGuidField});
    ds.Open();
    struct Case {
        const char* name;
        const char* className;
        const char* text;
    };
    const Case cases[] = {
        {"SMALL_V", "TFIBSmallIntField", "-12"},
        {"INT_V", "TFIBIntegerField", "123456"},
        {"BIG_V", "TFIBBCDField", "9000000000000000001"},
        {"NUM_V", "TFIBBCDField", "12345678901234.5678"},
        {"MONEY_V", "TFIBFloatField", "-1234567.89"},
        {"FLOAT_V", "TFIBFloatField", "1.5"},
        {"DOUBLE_V", "TFIBFloatField", "2.25"},
        {"CHAR_V", "TFIBstringField", "fixed"},
        {"SHORT_CHAR", "TFIBstringField", "abc"},
        {"VC_V", "TFIBstringField", "a varying text"},
        {"SHORT_VC", "TFIBstringField", "xy"},
        {"MEMO_V", "TMemoField", "memo text"},
        {"GUID_V", "TFIBGuidField", "{03020100-0504-0706-0809-0A0B0C0D0E0F}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TField* field = ds.FieldByName(c.name);
        EXPECT_EQ(field->ClassName(), c.className);
        EXPECT_EQ(field->AsString(), c.text);
    }
    EXPECT_NEAR(ds.FieldByName("FINE_V")->AsFloat(), 123456789012.345678, 1e-3);
    EXPECT_EQ(ds.FieldByName("DATE_V")->AsDateTime(), EncodeDate(2024, 2, 29));
    EXPECT_EQ(std::llround(ds.FieldByName("TIME_V")->AsDateTime() * 86400000.0), 10 * 3600000 + 500);
    const TDateTime stamp = ds.FieldByName("TS_V")->AsDateTime();
    EXPECT_EQ(std::llround((stamp - EncodeDate(1999, 12, 31)) * 86400000.0), 86400000 - 1750);
    EXPECT_EQ(ds.FieldByName("BLOB_V")->ClassName(), "TFIBBlobField");
    EXPECT_EQ(ds.FieldByName("BLOB_V")->AsString(), std::string("\x00\xff\x10", 3));
    EXPECT_EQ(ds.FieldByName("BOOL_V")->ClassName(), "TFIBBooleanField");
    EXPECT_TRUE(ds.FieldByName("BOOL_V")->AsBoolean());
    TField* array = ds.FieldByName("ARR_V");
    EXPECT_EQ(array->ClassName(), "TFIBArrayField");
    EXPECT_EQ(array->AsString(), "(ARRAY)");
    const Variant values = array->AsVariant();
    ASSERT_TRUE(values.IsArray());
    EXPECT_EQ(values.HighBound(1) - values.LowBound(1), 2);
    EXPECT_EQ(values[values.LowBound(1)].AsInteger(), 7);
    EXPECT_EQ(values[values.HighBound(1)].AsInteger(), 9);

    ds.Next();
    ASSERT_EQ(ds.FieldByName("ID")->AsInteger(), 2);
    for (int i = 0; i < ds.Fields().Count(); ++i) {
        TField* field = ds.Fields().Fields(i);
        if (field->FieldName != "ID") {
            EXPECT_TRUE(field->IsNull()) << field->FieldName;
        }
    }
}

TEST_F(OpenOnEngine, DBKeysShowAsHexadecimalWords) {
    auto& ds = DataSet("SELECT RDB$DB_KEY, ID FROM ALL_TYPES ORDER BY ID");
    ds.Open();
    TField* key = ds.Fields().Fields(0);
    EXPECT_TRUE(IsDBKeyStringField(key));
    const std::string first = key->AsString();
    EXPECT_EQ(first.size(), 16u);
    EXPECT_EQ(first.find_first_not_of("0123456789abcdef"), std::string::npos) << first;
    ds.Next();
    EXPECT_NE(key->AsString(), first);
}

TEST_F(OpenOnEngine, AViewsLongDBKeyKeepsEveryByte) {
    Transaction().StartTransaction();
    fbtest::ExecSQL(Transaction(),
                    "CREATE OR ALTER VIEW PAIRS (ID, N) AS SELECT A.ID, B.N FROM ALL_TYPES A JOIN NUMBERS B "
                    "ON B.N = A.ID");
    Transaction().Commit();
    TObjectPtr<TFIBQuery> raw = MakeComponent<TFIBQuery>(nullptr);
    raw->SetDatabase(&Database());
    raw->SetTransaction(&Transaction());
    raw->SQL().SetText("SELECT RDB$DB_KEY FROM PAIRS ORDER BY ID");
    raw->GoToFirstRecordOnExecute = false;
    Transaction().StartTransaction();
    raw->Execute();
    raw->Next();
    const std::string bytes = raw->GetFieldByIndex(0).ReadAsString();
    raw->Close();
    ASSERT_EQ(bytes.size(), 16u);
    std::string expected;
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        std::uint32_t word = 0;
        std::memcpy(&word, bytes.data() + i, 4);
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08x", word);
        expected += hex;
    }
    auto& ds = DataSet("SELECT RDB$DB_KEY FROM PAIRS ORDER BY ID");
    ds.Open();
    EXPECT_EQ(ds.Fields().Fields(0)->AsString(), expected);
}

TEST_F(OpenOnEngine, TextsKeepTheirBlanksWithoutTrimming) {
    auto& ds =
        DataSet("SELECT CHAR_V, SHORT_CHAR, CAST('ab  ' AS VARCHAR(5)) PADDED FROM ALL_TYPES WHERE ID = 1");
    ds.SetOptions(ds.Options() - TpFIBDsOptions{poTrimCharFields});
    ds.Open();
    EXPECT_EQ(ds.FieldByName("CHAR_V")->AsString(), "fixed");  // the long-text store drops the padding
    EXPECT_EQ(ds.FieldByName("SHORT_CHAR")->AsString(), "abc  ");
    EXPECT_EQ(ds.FieldByName("PADDED")->AsString(), "ab  ");
    ds.Close();
    ds.SetOptions(ds.Options() + TpFIBDsOptions{poTrimCharFields});
    ds.Open();
    EXPECT_EQ(ds.FieldByName("SHORT_CHAR")->AsString(), "abc");
    EXPECT_EQ(ds.FieldByName("PADDED")->AsString(), "ab");
}

TEST_F(OpenOnEngine, StringFieldNarrowerThanItsColumnRaises) {
    auto& ds = DataSet("SELECT CHAR_V FROM ALL_TYPES WHERE ID = 1");
    ds.FieldDefs().Update();  // a field added later keeps its own size
    auto* narrow = new TFIBstringField(&ds);
    narrow->FieldName = "CHAR_V";
    narrow->SetSize(10);
    narrow->SetDataSet(&ds);
    ds.Open();
    try {
        (void)narrow->AsString();
        FAIL() << "a field of 10 over CHAR(20) read its value";
    } catch (const EFIBError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceFieldSizeTooSmall);
        EXPECT_NE(std::string(e.what()).find("TestDS.CHAR_V"), std::string::npos) << e.what();
    }
}

TEST_F(OpenOnEngine, ChecksRefuseWhatCannotOpen) {
    auto& ds = DataSet("  ");
    try {
        ds.Open();
        FAIL() << "an empty select opened";
    } catch (const EFIBError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceEmptyQuery);
    }
    EXPECT_FALSE(ds.Active());

    ds.SelectSQL().SetText("SELECT ID FROM ALL_TYPES");
    ds.Open();
    for (const auto& change : std::initializer_list<std::function<void()>>{
             [&] { ds.SetTransaction(nullptr); },
             [&] { ds.SetDatabase(nullptr); },
             [&] { ds.SelectSQL().SetText("SELECT 1 FROM RDB$DATABASE"); },
             [&] { ds.SetUniDirectional(true); },
             [&] { ds.SetCachedUpdates(true); },
         }) {
        try {
            change();
            ADD_FAILURE() << "changed while open";
        } catch (const EFIBError& e) {
            EXPECT_EQ(e.SqlErrorCode, fceDatasetOpen);
            EXPECT_NE(std::string(e.what()).find("TestDS"), std::string::npos) << e.what();
        }
    }
    EXPECT_TRUE(ds.Active());
    EXPECT_EQ(Trim(ds.SelectSQL().Text()), "SELECT ID FROM ALL_TYPES");
}

TEST_F(OpenOnEngine, MissingDatabaseOrTransactionIsReported) {
    TObjectPtr<TFIBDataSet> ds = MakeComponent<TFIBDataSet>(nullptr);
    ds->SelectSQL().SetText("SELECT ID FROM ALL_TYPES");
    try {
        ds->Open();
        FAIL() << "opened without a database";
    } catch (const EFIBError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceDatabaseNotAssigned);
    }
    ds->SetDatabase(&Database());
    try {
        ds->Open();
        FAIL() << "opened without a transaction";
    } catch (const EFIBError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceTransactionNotAssigned);
    }
    // The database's default transaction serves when the dataset has none, started on demand.
    Database().SetDefaultTransaction(&Transaction());
    ds->Open();
    EXPECT_EQ(ds->Transaction(), &Transaction());
    EXPECT_TRUE(Transaction().Active());
}

TEST_F(OpenOnEngine, ClosingFreesTheCacheAndKeepsDefinitions) {
    auto& ds = DataSet<TProbeDataSet>("SELECT N FROM NUMBERS");
    ds.Open();
    ds.Close();
    EXPECT_EQ(ds.Cache(), nullptr);
    EXPECT_EQ(ds.FetchedCount(), 0);
    EXPECT_EQ(ds.CurrentIndex(), -1);
    EXPECT_EQ(ds.Fields().Count(), 0);
    EXPECT_EQ(ds.FieldDefs().Count(), 1);
    EXPECT_FALSE(ds.QSelect().Open());
    ds.Open();
    EXPECT_EQ(ds.FieldByName("N")->AsInteger(), 1);
}

}  // namespace
