// The Firebird datasets' field classes over a one-row in-memory dataset that tells them about
// their columns the way the buffered dataset does: the values it keeps are the raw ones the
// record buffer would hold (scaled integers, DB key bytes, GUID bytes, 0/1 numbers).
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "firebird/bcd_utils.h"
#include "firebird_datasets/fib_fields.h"
#include "platform/db/dataset.h"
#include "platform/rtl/bcd.h"
#include "platform/rtl/database_error.h"
#include "platform/rtl/form_stream.h"
#include "tests/support/memory_dataset.h"

namespace {

constexpr int SqlVarying = 448;
constexpr int SqlText = 452;
constexpr int SqlDouble = 480;
constexpr int SqlLong = 496;
constexpr int SqlBoolean = 32764;
constexpr int SqlArray = 540;
constexpr int SqlTypeInt64 = 580;

// A memory dataset whose fields are the TFIB classes and whose columns carry SQL descriptions.
class FibFieldsDataSet : public TMemoryDataSet, public IFIBFieldDataSet {
  public:
    FibFieldsDataSet() { SetName("DS"); }
    std::string ClassName() const override { return "FibFieldsDataSet"; }

    std::vector<TFIBFieldColumn> Columns;
    int ArraySize = 0;
    Variant ArrayValues;
    Variant WrittenArrayValues;

    bool FieldColumn(const TField* field, TFIBFieldColumn& column) const override {
        const auto index = static_cast<std::size_t>(field->FieldNo() - 1);
        if (index >= Columns.size())
            return false;
        column = Columns[index];
        return true;
    }
    Variant GetArrayFieldValues(TField* /*field*/) override { return ArrayValues; }
    void SetArrayFieldValues(TField* /*field*/, const Variant& value) override { WrittenArrayValues = value; }
    int ArrayFieldSize(const TField* /*field*/) const override { return ArraySize; }

    TFieldClass GetFieldClass(TFieldType type) const override {
        switch (type) {
            case ftString:
                return FieldClassOf<TFIBstringField>("TFIBstringField");
            case ftInteger:
                return FieldClassOf<TFIBIntegerField>("TFIBIntegerField");
            case ftSmallint:
                return FieldClassOf<TFIBSmallIntField>("TFIBSmallIntField");
            case ftFloat:
                return FieldClassOf<TFIBFloatField>("TFIBFloatField");
            case ftBCD:
                return FieldClassOf<TFIBBCDField>("TFIBBCDField");
            case ftBoolean:
                return FieldClassOf<TFIBBooleanField>("TFIBBooleanField");
            case ftBlob:
                return FieldClassOf<TFIBBlobField>("TFIBBlobField");
            case ftGuid:
                return FieldClassOf<TFIBGuidField>("TFIBGuidField");
            case ftBytes:
                return FieldClassOf<TFIBArrayField>("TFIBArrayField");
            default:
                return TMemoryDataSet::GetFieldClass(type);
        }
    }
};

// One column "F" of the given type over one row holding `stored`, open and editing.
class OneColumn {
  public:
    OneColumn(TFieldType type, int size, TFIBFieldColumn column, const Variant& stored) {
        ds.SetColumns({"F"});
        ds.SetColumnType(0, type, size);
        ds.Columns = {std::move(column)};
        ds.AddRow({stored.IsEmpty() ? Variant::Null() : stored});
        ds.Open();
        // The framework keeps a class's own size for a definition of size 0.
        Field().SetSize(size);
        ds.Edit();
    }
    TField& Field() const { return *ds.FieldByName("F"); }
    Variant Stored() const { return ds.GetValue(0); }
    FibFieldsDataSet ds;
};

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "(no error)";
}

Variant Int64(long long value) {
    return Variant(value);
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes += static_cast<char>(v);
    return bytes;
}

TFIBFieldColumn Column(int sqlType, int scale = 0, int length = 0, const std::string& name = "F") {
    return TFIBFieldColumn{sqlType, scale, 0, length, name};
}

template <class F>
F& As(TField& field) {
    return dynamic_cast<F&>(field);
}

// Each case: a column, its stored raw value, what is done to the field, and then the raw value
// the record holds and the field's text.
struct ValueCase {
    const char* what;
    TFieldType type;
    int size;
    TFIBFieldColumn column;
    Variant stored;
    std::function<void(TField&)> act;
    Variant expectStored;
    std::string expectText;
};

TEST(FibFields, ValuesAndTextsOfEachClass) {
    const TGUID guid{0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    const std::string guidText = "{01234567-89AB-CDEF-0123-456789ABCDEF}";
    const auto none = [](TField&) {};
    const std::vector<ValueCase> cases = {
        {"DB key words as hexadecimal", ftString, 8, Column(SqlText, 0, 8, "DB_KEY"),
         Variant(Bytes({1, 0, 0, 0, 2, 0, 0, 0})), none, Variant(Bytes({1, 0, 0, 0, 2, 0, 0, 0})),
         "0000000100000002"},
        {"RDB$DB_KEY word above 2^31", ftString, 8, Column(SqlText, 0, 8, "RDB$DB_KEY"),
         Variant(Bytes({0xef, 0xcd, 0xab, 0x89, 0x20, 0, 0, 0})), none,
         Variant(Bytes({0xef, 0xcd, 0xab, 0x89, 0x20, 0, 0, 0})), "89abcdef00000020"},
        {"plain text as kept", ftString, 10, Column(SqlVarying, 0, 10, "NAME"), Variant("ab c"), none,
         Variant("ab c"), "ab c"},
        {"text longer than the column cut", ftString, 3, Column(SqlVarying, 0, 3, "NAME"), Variant(),
         [](TField& f) { f.SetAsString("abcdef"); }, Variant("abc"), "abc"},
        {"empty text stored as an empty string", ftString, 5, Column(SqlVarying, 0, 5), Variant("x"),
         [](TField& f) { f.SetAsString(""); }, Variant(""), ""},
        {"seconds shown as hours and minutes", ftInteger, 0, Column(SqlLong), Variant(3900),
         [](TField& f) { As<TFIBIntegerField>(f).SetIsTimeField(true); }, Variant(3900), "3900"},
        {"hours:minutes read as seconds", ftInteger, 0, Column(SqlLong), Variant(),
         [](TField& f) {
             As<TFIBIntegerField>(f).SetIsTimeField(true);
             f.SetText("1:30");
         },
         Variant(5400), "5400"},
        {"hours alone read as seconds", ftInteger, 0, Column(SqlLong), Variant(),
         [](TField& f) {
             As<TFIBIntegerField>(f).SetIsTimeField(true);
             f.SetText("2");
         },
         Variant(7200), "7200"},
        {"four time parts, the last in tens of seconds", ftInteger, 0, Column(SqlLong), Variant(),
         [](TField& f) {
             As<TFIBIntegerField>(f).SetIsTimeField(true);
             f.SetText("1:02:03:4");
         },
         Variant(3723 + 40), "3763"},
        {"integer from true", ftInteger, 0, Column(SqlLong), Variant(0),
         [](TField& f) { f.SetAsBoolean(true); }, Variant(1), "1"},
        {"smallint from false", ftSmallint, 0, Column(500), Variant(7),
         [](TField& f) { f.SetAsBoolean(false); }, Variant(0), "0"},
        {"float rounded to the column's scale", ftFloat, 0, Column(SqlLong, -2), Variant(),
         [](TField& f) { f.SetAsFloat(2.345678); }, Variant(2.35), "2.35"},
        {"float unrounded without RoundByScale", ftFloat, 0, Column(SqlLong, -2), Variant(),
         [](TField& f) {
             As<TFIBFloatField>(f).SetRoundByScale(false);
             f.SetAsFloat(2.345678);
         },
         Variant(2.345678), "2.345678"},
        {"float of a double column unrounded", ftFloat, 0, Column(SqlDouble), Variant(),
         [](TField& f) { f.SetAsFloat(0.125); }, Variant(0.125), "0.125"},
        {"BCD scaled integer as text", ftBCD, 2, Column(SqlTypeInt64, -2), Int64(12345), none, Int64(12345),
         "123.45"},
        {"BCD from a float", ftBCD, 2, Column(SqlTypeInt64, -2), Variant(),
         [](TField& f) { f.SetAsFloat(1.25); }, Int64(125), "1.25"},
        {"BCD from a float of more places, half away from zero", ftBCD, 2, Column(SqlTypeInt64, -2),
         Variant(), [](TField& f) { f.SetAsFloat(-0.125); }, Int64(-13), "-0.13"},
        {"BCD from currency, rounded to its places", ftBCD, 2, Column(SqlTypeInt64, -2), Variant(),
         [](TField& f) { f.SetAsCurrency(123456); }, Int64(1235), "12.35"},
        {"BCD of 6 places from currency", ftBCD, 6, Column(SqlTypeInt64, -6), Variant(),
         [](TField& f) { f.SetAsCurrency(-1); }, Int64(-100), "-0.0001"},
        {"BCD from a 64-bit integer", ftBCD, 4, Column(SqlTypeInt64, -4), Variant(),
         [](TField& f) { As<TFIBBCDField>(f).SetAsInt64(922337203685477LL); }, Int64(9223372036854770000LL),
         "922337203685477"},
        {"BCD of 18 digits from text", ftBCD, 4, Column(SqlTypeInt64, -4), Variant(),
         [](TField& f) { f.SetAsString("-92233720368547.7580"); }, Int64(-922337203685477580LL),
         "-92233720368547.758"},
        {"BCD text of more places rounds", ftBCD, 2, Column(SqlTypeInt64, -2), Variant(),
         [](TField& f) { f.SetAsString("0.005"); }, Int64(1), "0.01"},
        {"BCD from a variant 64-bit integer", ftBCD, 0, Column(SqlTypeInt64), Variant(),
         [](TField& f) { f.SetValue(Int64(-9223372036854775807LL - 1)); }, Int64(-9223372036854775807LL - 1),
         "-9223372036854775808"},
        {"BCD from a BCD of another scale", ftBCD, 3, Column(SqlTypeInt64, -3), Variant(),
         [](TField& f) {
             TBcd bcd;
             ASSERT_TRUE(ScaledInt64ToBcd(5, bcd, 1234567));
             As<TFIBBCDField>(f).SetAsBCD(bcd);
         },
         Int64(12346), "12.346"},
        {"BCD empty text clears", ftBCD, 2, Column(SqlTypeInt64, -2), Int64(5),
         [](TField& f) { f.SetAsString(""); }, Variant::Null(), ""},
        {"boolean true text, any case", ftBoolean, 0, Column(SqlBoolean, 0, 1), Variant(false),
         [](TField& f) {
             As<TFIBBooleanField>(f).SetStringTrue("Yes");
             f.SetAsString("yes");
         },
         Variant(true), "Yes"},
        {"boolean from 1", ftBoolean, 0, Column(SqlBoolean, 0, 1), Variant(false),
         [](TField& f) {
             As<TFIBBooleanField>(f).SetStringTrue("Yes");
             f.SetAsString("1");
         },
         Variant(true), "Yes"},
        {"boolean from 0 shows the false text", ftBoolean, 0, Column(SqlBoolean, 0, 1), Variant(true),
         [](TField& f) {
             As<TFIBBooleanField>(f).SetStringFalse("Нет");
             f.SetAsString("0");
         },
         Variant(false), "Нет"},
        {"boolean false text, Cyrillic in another case", ftBoolean, 0, Column(SqlBoolean, 0, 1),
         Variant(true),
         [](TField& f) {
             As<TFIBBooleanField>(f).SetStringFalse("Нет");
             f.SetAsString("нЕТ");
         },
         Variant(false), "Нет"},
        {"boolean over an integer column: any non-zero", ftBoolean, 0, Column(SqlLong, 0, 4), Variant(2),
         none, Variant(2), "True"},
        {"boolean from a non-zero integer", ftBoolean, 0, Column(SqlLong, 0, 4), Variant(0),
         [](TField& f) { f.SetAsInteger(-5); }, Variant(true), "True"},
        {"GUID from its text as 16 bytes", ftGuid, 16, Column(SqlText, 0, 16), Variant(),
         [&](TField& f) { f.SetAsString(guidText); }, Variant(GuidToBytes(guid)), guidText},
        {"GUID cleared by an empty text", ftGuid, 16, Column(SqlText, 0, 16), Variant(GuidToBytes(guid)),
         [](TField& f) { f.SetAsString(""); }, Variant::Null(), ""},
        {"GUID cleared by the zero GUID", ftGuid, 16, Column(SqlText, 0, 16), Variant(GuidToBytes(guid)),
         [](TField& f) { As<TFIBGuidField>(f).SetGuidData(TGUID{}); }, Variant::Null(), ""},
        {"GUID of zeros from text is kept", ftGuid, 16, Column(SqlText, 0, 16), Variant(),
         [](TField& f) { f.SetAsString("{00000000-0000-0000-0000-000000000000}"); },
         Variant(std::string(16, '\0')), "{00000000-0000-0000-0000-000000000000}"},
        {"array identifier shown in capitals", ftBytes, 8, Column(SqlArray, 0, 8),
         Variant(std::string(8, '\1')), none, Variant(std::string(8, '\1')), "(ARRAY)"},
        {"empty array", ftBytes, 8, Column(SqlArray, 0, 8), Variant(), none, Variant::Null(), "(Array)"},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.what);
        OneColumn table(c.type, c.size, c.column, c.stored);
        c.act(table.Field());
        EXPECT_EQ(table.Stored(), c.expectStored);
        EXPECT_EQ(table.Field().AsString(), c.expectText);
    }
}

TEST(FibFields, TextsShownAndEdited) {
    struct TextCase {
        const char* what;
        TFieldType type;
        int size;
        TFIBFieldColumn column;
        Variant stored;
        std::function<void(TField&)> setup;
        std::string display;
        std::string edit;
    };
    const auto timeField = [](TField& f) { As<TFIBIntegerField>(f).SetIsTimeField(true); };
    const std::vector<TextCase> cases = {
        {"3900 seconds", ftInteger, 0, Column(SqlLong), Variant(3900), timeField, "01:05", "01:05"},
        {"over a hundred hours", ftInteger, 0, Column(SqlLong), Variant(360000 + 59 * 60 + 59), timeField,
         "100:59", "100:59"},
        {"no time for NULL", ftInteger, 0, Column(SqlLong), Variant(), timeField, "", ""},
        {"float text trimmed", ftFloat, 0, Column(SqlDouble), Variant(1.5),
         [](TField& f) { As<TFIBFloatField>(f).DisplayFormat = "  0.00  "; }, "1.50", "1.50"},
        {"BCD with a display format", ftBCD, 4, Column(SqlTypeInt64, -4), Int64(123456789012345678LL),
         [](TField& f) { As<TFIBBCDField>(f).DisplayFormat = "#,##0.00"; }, "12,345,678,901,234.57",
         "12,345,678,901,234.57"},
        {"BCD edit format beside the display one", ftBCD, 2, Column(SqlTypeInt64, -2), Int64(-150),
         [](TField& f) {
             As<TFIBBCDField>(f).DisplayFormat = "0.000";
             As<TFIBBCDField>(f).EditFormat = "0.0";
         },
         "-1.500", "-1.5"},
        {"BCD as money", ftBCD, 4, Column(SqlTypeInt64, -4), Int64(12345678),
         [](TField& f) { As<TFIBBCDField>(f).Currency = true; }, "1,234.57", "1234.57"},
        {"BCD of no places ignores formats", ftBCD, 0, Column(SqlTypeInt64), Int64(1234567),
         [](TField& f) { As<TFIBBCDField>(f).DisplayFormat = "0.00"; }, "1234567", "1234567"},
        {"boolean texts", ftBoolean, 0, Column(SqlBoolean, 0, 1), Variant(true),
         [](TField& f) { As<TFIBBooleanField>(f).SetStringTrue("Да"); }, "Да", "Да"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.what);
        OneColumn table(c.type, c.size, c.column, c.stored);
        c.setup(table.Field());
        EXPECT_EQ(table.Field().DisplayText(), c.display);
        EXPECT_EQ(table.Field().Text(), c.edit);
    }
}

TEST(FibFields, BcdNumericOf18DigitsRoundTripsThroughText) {
    const std::vector<std::string> texts = {"99999999999999.9999",
                                            "-99999999999999.9999",
                                            "922337203685477.5807",
                                            "-922337203685477.5808",
                                            "12345678901234.5678",
                                            "0.0001",
                                            "-0.0001",
                                            "100000000000000",
                                            "0"};
    OneColumn table(ftBCD, 4, Column(SqlTypeInt64, -4), Variant());
    TField& field = table.Field();
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        field.SetAsString(text);
        EXPECT_EQ(field.AsString(), text);
        field.SetAsString(field.AsString());
        EXPECT_EQ(field.AsString(), text);
    }
    // The stored integer is the text's digits exactly.
    field.SetAsString("12345678901234.5678");
    EXPECT_EQ(table.Stored(), Int64(123456789012345678LL));
    EXPECT_EQ(field.AsCurrency(), 123456789012345678LL);
    TBcd bcd = As<TFIBBCDField>(field).AsBCD();
    EXPECT_EQ(BcdToStrDot(bcd), "12345678901234.5678");
}

TEST(FibFields, BcdReadsOfTheScaledInteger) {
    OneColumn table(ftBCD, 2, Column(SqlTypeInt64, -2), Int64(12345));
    auto& field = As<TFIBBCDField>(table.Field());
    EXPECT_DOUBLE_EQ(field.AsFloat(), 123.45);
    EXPECT_EQ(field.GetAsInt64(), 123);
    EXPECT_EQ(field.AsLargeInt(), 123);
    EXPECT_EQ(field.AsCurrency(), 1234500);
    EXPECT_EQ(field.AsVariant(), Variant(123.45));
    EXPECT_EQ(field.DataSize(), 8);

    field.SetAsInt64(-7);
    EXPECT_EQ(table.Stored(), Int64(-700));
    table.ds.Post();
    table.ds.Edit();
    field.Clear();
    EXPECT_TRUE(field.IsNull());
    EXPECT_TRUE(field.AsVariant().IsNull());
    EXPECT_EQ(field.AsFloat(), 0.0);
    EXPECT_EQ(field.GetAsInt64(), 0);

    OneColumn integer(ftBCD, 0, Column(SqlTypeInt64), Int64(9007199254740993LL));
    EXPECT_EQ(integer.Field().AsVariant(), Int64(9007199254740993LL));
    EXPECT_EQ(integer.Field().AsVariant().VarType(), varInt64);
    EXPECT_EQ(integer.Field().AsLargeInt(), 9007199254740993LL);
}

TEST(FibFields, BcdConversionErrorsCarryTheFieldsPath) {
    OneColumn table(ftBCD, 4, Column(SqlTypeInt64, -4), Variant());
    TField& field = table.Field();
    EXPECT_EQ(ErrorOf([&] { field.SetAsFloat(1e300); }).rfind("DS.F\r\n", 0), 0u);
    EXPECT_EQ(ErrorOf([&] { As<TFIBBCDField>(field).SetAsInt64(1000000000000000LL); }).rfind("DS.F\r\n", 0),
              0u);
    field.SetName("PriceField");
    EXPECT_EQ(ErrorOf([&] {
                  field.SetAsFloat(std::numeric_limits<double>::infinity());
              }).rfind("DS.PriceField\r\n", 0),
              0u);
    EXPECT_NE(ErrorOf([&] { field.SetAsString("12x"); }), "(no error)");
    EXPECT_NE(ErrorOf([&] { field.SetAsString("1000000000000000"); }), "(no error)");
    EXPECT_TRUE(field.IsNull()) << "a failed conversion stores nothing";

    OneColumn wide(ftBCD, 0, Column(SqlTypeInt64), Int64(9223372036854775807LL));
    EXPECT_NE(ErrorOf([&] { wide.Field().AsCurrency(); }), "(no error)") << "too large for currency";
}

TEST(FibFields, BcdRangeChecksTheRoundedValue) {
    OneColumn table(ftBCD, 2, Column(SqlTypeInt64, -2), Variant());
    auto& field = As<TFIBBCDField>(table.Field());
    field.MinValue = 0;
    field.MaxValue = 1000000;  // 100 in currency units
    field.SetAsCurrency(1000040);
    EXPECT_EQ(table.Stored(), Int64(10000)) << "100.004 rounds to 100.00, inside the range";
    const std::string error = ErrorOf([&] { field.SetAsCurrency(1000050); });
    EXPECT_NE(error.find("is not a valid value for field"), std::string::npos) << error;
    EXPECT_NE(ErrorOf([&] { field.SetAsString("-0.01"); }), "(no error)");
    EXPECT_EQ(table.Stored(), Int64(10000));
}

TEST(FibFields, BcdOfNoColumnKeepsThePlatformsValues) {
    TMemoryDataSet ds;
    ds.SetColumns({"F"});
    ds.SetColumnType(0, ftVariant);
    ds.AddRow({Variant::Null()});
    auto* field = new TFIBBCDField(&ds);
    field->FieldName = "C";
    field->FieldKind = fkCalculated;
    field->SetSize(2);
    field->SetDataSet(&ds);
    ds.OnCalcFields = [field](TDataSet*) { field->SetAsString("12.5"); };
    ds.Open();
    EXPECT_EQ(field->AsCurrency(), 125000);
    EXPECT_EQ(field->AsString(), "12.5");
    EXPECT_EQ(field->DataSize(), static_cast<int>(sizeof(TBcd)));
}

TEST(FibFields, BcdTakesAnotherBcdFieldsExactValue) {
    OneColumn target(ftBCD, 4, Column(SqlTypeInt64, -4), Variant());
    OneColumn source(ftBCD, 4, Column(SqlTypeInt64, -4), Int64(123456789012345678LL));
    target.Field().Assign(source.Field());
    EXPECT_EQ(target.Stored(), Int64(123456789012345678LL));
    OneColumn empty(ftBCD, 4, Column(SqlTypeInt64, -4), Variant());
    target.Field().Assign(empty.Field());
    EXPECT_TRUE(target.Stored().IsNull());
}

TEST(FibFields, StringFieldRemembersItsLengthWhileStoring) {
    OneColumn table(ftString, 5, Column(SqlVarying, 0, 5), Variant());
    auto& field = As<TFIBstringField>(table.Field());
    EXPECT_TRUE(field.EmptyStrToNull()) << "on by default";
    bool settingSeen = false;
    field.OnValidate = [&](TField*) { settingSeen = field.IsSettingValue(); };
    field.SetAsString("abcdefgh");
    EXPECT_TRUE(settingSeen);
    EXPECT_FALSE(field.IsSettingValue());
    EXPECT_EQ(field.ValueLength(), 5);
    field.OnValidate = [](TField*) { throw Exception("rejected"); };
    EXPECT_EQ(ErrorOf([&] { field.SetAsString("xy"); }), "rejected");
    EXPECT_FALSE(field.IsSettingValue()) << "a failed store leaves the flag off";
}

TEST(FibFields, DBKeyStringFieldsAreKnownByColumnAndClass) {
    OneColumn dbKey(ftString, 8, Column(SqlText, 0, 8, "RDB$DB_KEY"), Variant());
    OneColumn named(ftString, 8, Column(SqlText, 0, 8, "DB_KEY"), Variant());
    OneColumn other(ftString, 8, Column(SqlText, 0, 8, "DB_KEYS"), Variant());
    EXPECT_TRUE(IsDBKeyStringField(&dbKey.Field()));
    EXPECT_TRUE(IsDBKeyStringField(&named.Field()));
    EXPECT_FALSE(IsDBKeyStringField(&other.Field()));
    EXPECT_FALSE(IsDBKeyStringField(nullptr));
    EXPECT_EQ(dbKey.Field().AsString(), "") << "no key, no text";

    TStringField plain(nullptr);
    EXPECT_FALSE(IsDBKeyStringField(&plain));
}

TEST(FibFields, SizesTheClassesAccept) {
    TFIBGuidField guid(nullptr);
    EXPECT_EQ(guid.Size(), 16);
    EXPECT_EQ(guid.DataSize(), 16);
    guid.SetSize(38);
    EXPECT_EQ(guid.DataSize(), 16) << "the 16 bytes whatever the size";
    EXPECT_EQ(ErrorOf([&] { guid.SetSize(20); }), "Invalid field size");

    TFIBBCDField bcd(nullptr);
    EXPECT_EQ(bcd.DataType(), ftBCD);
    EXPECT_EQ(bcd.Size(), 8);
    bcd.SetSize(40);
    EXPECT_EQ(bcd.Size(), 40);
    TFIBstringField text(nullptr);
    text.SetSize(40000);
    EXPECT_EQ(text.Size(), 40000);

    OneColumn boolean(ftBoolean, 0, Column(SqlBoolean, 0, 1), Variant());
    OneColumn flagInteger(ftBoolean, 0, Column(SqlLong, 0, 4), Variant());
    EXPECT_EQ(boolean.Field().DataSize(), 2);
    EXPECT_EQ(flagInteger.Field().DataSize(), 4);
}

TEST(FibFields, GuidTextThatIsNoGuidRaises) {
    OneColumn table(ftGuid, 16, Column(SqlText, 0, 16), Variant());
    EXPECT_NE(ErrorOf([&] { table.Field().SetAsString("{not-a-guid}"); }), "(no error)");
    EXPECT_TRUE(table.Stored().IsNull());
}

TEST(FibFields, BooleanOtherTextsGoToThePlatformsParsing) {
    OneColumn table(ftBoolean, 0, Column(SqlBoolean, 0, 1), Variant());
    TField& field = table.Field();
    EXPECT_TRUE(field.AsVariant().IsNull());
    EXPECT_FALSE(field.AsBoolean());
    field.SetAsString("T");
    EXPECT_EQ(table.Stored(), Variant(true));
    EXPECT_NE(ErrorOf([&] { field.SetAsString("maybe"); }), "(no error)");
    EXPECT_EQ(field.AsInteger(), 1);
}

TEST(FibFields, IntegersAsBooleansCountOnlyPositiveValues) {
    OneColumn table(ftInteger, 0, Column(SqlLong), Variant(-1));
    EXPECT_FALSE(table.Field().AsBoolean());
    table.ds.SetValue(0, Variant(2));
    EXPECT_TRUE(table.Field().AsBoolean());
}

TEST(FibFields, TimeFieldAcceptsTheTimeSeparatorOnlyWhileSet) {
    OneColumn table(ftInteger, 0, Column(SqlLong), Variant());
    auto& field = As<TFIBIntegerField>(table.Field());
    EXPECT_FALSE(field.IsValidChar(':'));
    field.SetIsTimeField(true);
    EXPECT_TRUE(field.IsValidChar(':'));
    EXPECT_TRUE(field.IsValidChar('7'));
    EXPECT_NE(ErrorOf([&] { field.SetText("600000:00"); }), "(no error)") << "beyond the integer range";
    EXPECT_NE(ErrorOf([&] { field.SetText("99999999999:1"); }), "(no error)");
    EXPECT_NE(ErrorOf([&] { field.SetText("1:x"); }), "(no error)");
    EXPECT_TRUE(table.Stored().IsNull());
    field.SetIsTimeField(false);
    EXPECT_FALSE(field.IsValidChar(':'));
    EXPECT_NE(ErrorOf([&] { field.SetText("1:30"); }), "(no error)") << "plain integers again";
}

TEST(FibFields, ArrayValuesGoThroughTheDataSet) {
    OneColumn table(ftBytes, 8, Column(SqlArray, 0, 8), Variant(Bytes({1, 2, 3, 4, 5, 6, 7, 8})));
    table.ds.ArrayValues = Variant(42);
    table.ds.ArraySize = 12;
    auto& field = As<TFIBArrayField>(table.Field());
    EXPECT_EQ(field.AsVariant(), Variant(42));
    field.SetValue(Variant("values"));
    EXPECT_EQ(table.ds.WrittenArrayValues, Variant("values"));

    field.LoadBuffer();
    EXPECT_EQ(field.ArrayBuffer(), std::vector<char>({1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0}));
    table.ds.SetValue(0, Variant::Null());
    field.StoreBuffer();
    EXPECT_EQ(table.Stored().AsString().substr(0, 8), Bytes({1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(FibFields, BlobOfNullReadsAsNull) {
    OneColumn empty(ftBlob, 0, Column(520), Variant());
    OneColumn full(ftBlob, 0, Column(520), Variant("content"));
    EXPECT_TRUE(empty.Field().AsVariant().IsNull());
    EXPECT_EQ(full.Field().AsVariant(), Variant("content"));
}

// A field alone, named and set up, as a stored form would hold it.
template <class F>
std::function<TObjectPtr<TComponent>()> StoredField(std::function<void(F&)> setup = [](F&) {}) {
    return [setup] {
        TObjectPtr<F> field = MakeComponent<F>(nullptr);
        field->SetName("F");
        setup(*field);
        return TObjectPtr<TComponent>(std::move(field));
    };
}

TEST(FibFields, StoredFormsKeepSettingsAwayFromTheirDefaults) {
    struct StoredCase {
        const char* what;
        std::function<TObjectPtr<TComponent>()> make;
        std::vector<std::string> written;
        std::vector<std::string> notWritten;
    };
    const std::vector<StoredCase> cases = {
        {"boolean texts as they come", StoredField<TFIBBooleanField>(), {}, {"StringTrue", "StringFalse"}},
        {"boolean true text changed",
         StoredField<TFIBBooleanField>([](auto& f) { f.SetStringTrue("Yes"); }),
         {"StringTrue = 'Yes'"},
         {"StringFalse"}},
        {"BCD of 8 places, rounding", StoredField<TFIBBCDField>(), {}, {"Size", "RoundByScale"}},
        {"BCD of 2 places, not rounding",
         StoredField<TFIBBCDField>([](auto& f) {
             f.SetSize(2);
             f.SetRoundByScale(false);
         }),
         {"Size = 2", "RoundByScale = False"},
         {}},
        {"text keeping empty strings",
         StoredField<TFIBstringField>([](auto& f) { f.SetEmptyStrToNull(false); }),
         {"EmptyStrToNull = False"},
         {}},
        {"seconds as time",
         StoredField<TFIBIntegerField>([](auto& f) { f.SetIsTimeField(true); }),
         {"IsTimeField = True"},
         {}},
        {"float not rounding",
         StoredField<TFIBFloatField>([](auto& f) { f.SetRoundByScale(false); }),
         {"RoundByScale = False"},
         {}},
    };
    for (const StoredCase& c : cases) {
        SCOPED_TRACE(c.what);
        TObjectPtr<TComponent> field = c.make();
        const std::string text = ComponentToText(*field);
        for (const std::string& part : c.written) EXPECT_NE(text.find(part), std::string::npos) << text;
        for (const std::string& part : c.notWritten) EXPECT_EQ(text.find(part), std::string::npos) << text;
    }
}

}  // namespace
