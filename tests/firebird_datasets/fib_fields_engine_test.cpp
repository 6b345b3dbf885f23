// The Firebird field classes over real columns: DB keys that name their rows, 18-digit numerics
// and 64-bit integers kept exactly through the record buffer, and BOOLEAN columns.
#include <gtest/gtest.h>

#include <string>

#include "firebird_datasets/fib_fields.h"
#include "tests/firebird/embedded_query.h"
#include "tests/firebird_datasets/dataset_engine_fixture.h"

namespace {

// The extremes of NUMERIC(18,4) and BIGINT, a true, a false and a row of NULLs.
constexpr const char* kFieldValuesTable =
    "CREATE TABLE FIELD_VALUES (ID INTEGER NOT NULL, NUM_V NUMERIC(18,4), BIG_V BIGINT, FLAG BOOLEAN)";
constexpr const char* kFieldValuesRows[] = {
    "INSERT INTO FIELD_VALUES VALUES (1, 922337203685477.5807, 9223372036854775807, TRUE)",
    "INSERT INTO FIELD_VALUES VALUES (2, -922337203685477.5808, -9223372036854775808, FALSE)",
    "INSERT INTO FIELD_VALUES (ID) VALUES (3)",
};

// Lets the fields write into the open record's buffer; Cancel reads the cached record back.
class TBufferEditDataSet : public TFIBDataSet {
  public:
    using TFIBDataSet::TFIBDataSet;
    bool CanEdit() const override { return true; }
};

class FieldsOnEngine : public dstest::DatasetEngine {
  protected:
    void SetUp() override {
        DatasetEngine::SetUp();
        static bool created = false;
        if (created)
            return;
        Transaction().StartTransaction();
        fbtest::ExecSQL(Transaction(), kFieldValuesTable);
        Transaction().Commit();
        Transaction().StartTransaction();
        for (const char* row : kFieldValuesRows) fbtest::ExecSQL(Transaction(), row);
        Transaction().Commit();
        created = true;
    }

    // The ID of the row whose DB key has these bytes, by the server's own lookup.
    std::int64_t RowOfKeyBytes(const std::string& hexBytes) {
        if (!Transaction().InTransaction())
            Transaction().StartTransaction();
        return fbtest::TEmbeddedQuery(Database().GetClientLibrary(), *Database().HandleAddress(),
                                      *Transaction().HandleAddress(),
                                      "SELECT ID FROM ALL_TYPES WHERE RDB$DB_KEY = x'" + hexBytes + "'")
            .ReadInteger();
    }
};

// A DB key's text holds one little-endian word per eight digits; the key's bytes in their order.
std::string KeyBytesOfText(const std::string& text) {
    std::string bytes;
    for (std::size_t word = 0; word + 8 <= text.size(); word += 8)
        for (std::size_t pair = 8; pair >= 2; pair -= 2) bytes += text.substr(word + pair - 2, 2);
    return bytes;
}

TEST_F(FieldsOnEngine, DBKeyTextNamesItsRow) {
    for (const char* select : {"SELECT RDB$DB_KEY, ID FROM ALL_TYPES ORDER BY ID",
                               "SELECT A.RDB$DB_KEY AS ROW_KEY, A.ID FROM ALL_TYPES A ORDER BY A.ID"}) {
        SCOPED_TRACE(select);
        auto& ds = DataSet(select);
        ds.Open();
        TField* key = ds.Fields().Fields(0);
        ASSERT_TRUE(IsDBKeyStringField(key));
        std::string previous;
        for (; !ds.Eof(); ds.Next()) {
            const std::string text = key->AsString();
            ASSERT_EQ(text.size(), 16u) << text;
            EXPECT_EQ(text.find_first_not_of("0123456789abcdef"), std::string::npos) << text;
            EXPECT_NE(text, previous);
            EXPECT_EQ(RowOfKeyBytes(KeyBytesOfText(text)), ds.FieldByName("ID")->AsInteger()) << text;
            previous = text;
        }
        ds.Close();
    }
}

TEST_F(FieldsOnEngine, ExtremesOf18DigitsReadExactly) {
    auto& ds = DataSet("SELECT NUM_V, BIG_V FROM FIELD_VALUES ORDER BY ID");
    ds.Open();
    auto& numeric = dynamic_cast<TFIBBCDField&>(*ds.FieldByName("NUM_V"));
    auto& bigint = dynamic_cast<TFIBBCDField&>(*ds.FieldByName("BIG_V"));
    EXPECT_EQ(numeric.Size(), 4);
    EXPECT_EQ(bigint.Size(), 0);
    struct Row {
        const char* numeric;
        const char* bigint;
        long long bigintValue;
    };
    const Row rows[] = {
        {"922337203685477.5807", "9223372036854775807", 9223372036854775807LL},
        {"-922337203685477.5808", "-9223372036854775808", -9223372036854775807LL - 1},
        {"", "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.numeric);
        EXPECT_EQ(numeric.AsString(), row.numeric);
        EXPECT_EQ(bigint.AsString(), row.bigint);
        EXPECT_EQ(bigint.GetAsInt64(), row.bigintValue);
        if (*row.bigint != '\0') {
            EXPECT_EQ(bigint.AsVariant(), Variant(row.bigintValue));
        }
        ds.Next();
    }
}

TEST_F(FieldsOnEngine, NumericTextsRoundTripThroughTheRecordBuffer) {
    auto& ds = DataSet<TBufferEditDataSet>("SELECT NUM_V, BIG_V FROM FIELD_VALUES WHERE ID = 3");
    ds.Open();
    TField& numeric = *ds.FieldByName("NUM_V");
    TField& bigint = *ds.FieldByName("BIG_V");
    ds.Edit();
    for (const char* text :
         {"99999999999999.9999", "-0.0001", "12345678901234.5678", "-922337203685477.5808"}) {
        numeric.SetAsString(text);
        EXPECT_EQ(numeric.AsString(), text);
    }
    bigint.SetAsString("-9223372036854775807");
    EXPECT_EQ(bigint.AsString(), "-9223372036854775807");
    numeric.SetAsCurrency(123456789);
    EXPECT_EQ(numeric.AsString(), "12345.6789");
    ds.Cancel();
    EXPECT_TRUE(numeric.IsNull());
    EXPECT_TRUE(bigint.IsNull());
}

TEST_F(FieldsOnEngine, BooleanColumnsReadTrueFalseAndNull) {
    auto& ds = DataSet<TBufferEditDataSet>("SELECT FLAG FROM FIELD_VALUES ORDER BY ID");
    ds.Open();
    auto& flag = dynamic_cast<TFIBBooleanField&>(*ds.FieldByName("FLAG"));
    EXPECT_EQ(flag.DataSize(), 2);
    flag.SetStringTrue("Да");
    flag.SetStringFalse("Нет");
    const struct {
        const char* text;
        Variant value;
    } rows[] = {{"Да", Variant(true)}, {"Нет", Variant(false)}, {"", Variant::Null()}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(flag.AsString(), row.text);
        EXPECT_EQ(flag.AsVariant(), row.value);
        ds.Next();
    }

    ds.First();
    ds.Edit();
    flag.SetAsString("нет");
    EXPECT_EQ(flag.AsVariant(), Variant(false));
    flag.SetAsInteger(7);
    EXPECT_EQ(flag.AsString(), "Да");
    ds.Cancel();
    EXPECT_TRUE(flag.AsBoolean());
}

}  // namespace
