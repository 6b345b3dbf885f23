// The record format: a value the server sends comes out of the record as the field's Variant, and
// that Variant written back reads the same, for every SQL type the dataset keeps.
#include "firebird_datasets/record_codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "firebird/sql_types.h"
#include "platform/rtl/datetime.h"

namespace {

// 2024-02-29 is day 60369 of the server's count (the Modified Julian Day).
constexpr ISC_DATE kLeapDay = 60369;
// 13:45:30.250 in the server's units of 1/10000 s.
constexpr ISC_TIME kAfternoon = (13 * 3600 + 45 * 60 + 30) * 10000 + 2500;

template <class T>
std::string Bytes(T value) {
    std::string bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

// A VARCHAR as the server sends it: the length word, then the buffer of the SQL length.
std::string Varying(const std::string& text, std::size_t sqlLength, char filler) {
    std::string buffer = text;
    buffer.resize(sqlLength, filler);
    return Bytes(static_cast<std::int16_t>(text.size())) + buffer;
}

TFieldDescr Column(std::int16_t sqlType, std::int16_t scale = 0, std::int16_t sqlLength = 0) {
    TFieldDescr descr;
    descr.SqlType = sqlType;
    descr.Scale = scale;
    descr.Size = TRecordCodec::ValueSize(sqlType, sqlLength);
    return descr;
}

TFieldDescr Guid() {
    TFieldDescr descr = Column(SQL_TEXT, 0, 16);
    descr.IsGUID = true;
    return descr;
}

struct Case {
    const char* name;
    TFieldDescr column;
    std::string server;
    Variant expected;
    TValueForm form = TValueForm::Natural;
    bool int64AsBCD = false;
    bool trimText = false;
};

void ExpectSame(const Variant& actual, const Variant& expected) {
    EXPECT_EQ(actual.VarType(), expected.VarType());
    if (expected.VarType() == varDouble || expected.VarType() == varDate)
        EXPECT_NEAR(actual.AsDouble(), expected.AsDouble(), 1e-9 * (1 + std::abs(expected.AsDouble())));
    else
        EXPECT_TRUE(actual == expected) << actual.AsString() << " instead of " << expected.AsString();
}

TEST(RecordCodec, ServerValuesReadAsTheirVariantsAndWriteBackTheSame) {
    const TDateTime leapDay = EncodeDate(2024, 2, 29);
    const TDateTime afternoon = EncodeTime(13, 45, 30, 250);
    const std::string guid("\x01\x00\x02\x00\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e", 16);
    const Case cases[] = {
        {"SMALLINT", Column(SQL_SHORT), Bytes<std::int16_t>(-1234), Variant(-1234)},
        {"SMALLINT as boolean", Column(SQL_SHORT), Bytes<std::int16_t>(1), Variant(true),
         TValueForm::Boolean},
        {"INTEGER", Column(SQL_LONG), Bytes<std::int32_t>(123456789), Variant(123456789)},
        {"BIGINT", Column(SQL_INT64), Bytes<std::int64_t>(9000000000000000000),
         Variant(9000000000000000000LL)},
        {"FLOAT", Column(SQL_FLOAT), Bytes(1.5f), Variant(1.5)},
        {"DOUBLE PRECISION", Column(SQL_DOUBLE), Bytes(-2.25), Variant(-2.25)},
        {"NUMERIC(4,2) in a SMALLINT", Column(SQL_SHORT, -2), Bytes<std::int16_t>(1234), Variant(12.34)},
        {"DECIMAL(9,3) in an INTEGER", Column(SQL_LONG, -3), Bytes<std::int32_t>(-1234567),
         Variant(-1234.567)},
        {"NUMERIC(18,4) in a BIGINT", Column(SQL_INT64, -4), Bytes<std::int64_t>(12345678),
         Variant(1234.5678)},
        {"NUMERIC(18,4) as currency", Column(SQL_INT64, -4), Bytes<std::int64_t>(12345678),
         Variant::FromCurrency(12345678), TValueForm::Currency},
        {"NUMERIC(18,2) as currency", Column(SQL_INT64, -2), Bytes<std::int64_t>(-1234),
         Variant::FromCurrency(-123400), TValueForm::Currency},
        {"NUMERIC(18,4) as BCD", Column(SQL_INT64, -4), Bytes<std::int64_t>(12345678), Variant(12345678LL),
         TValueForm::ScaledInteger},
        {"NUMERIC(18,6) kept as a double", Column(SQL_INT64, -6), Bytes<std::int64_t>(1234567),
         Variant(1.234567)},
        {"NUMERIC(18,6) kept as BCD", Column(SQL_INT64, -6), Bytes<std::int64_t>(1234567), Variant(1234567LL),
         TValueForm::ScaledInteger, true},
        {"DATE", Column(SQL_TYPE_DATE), Bytes(kLeapDay), Variant::FromDateTime(leapDay)},
        {"DATE of the server's day 0", Column(SQL_TYPE_DATE), Bytes<ISC_DATE>(0),
         Variant::FromDateTime(EncodeDate(1858, 11, 17))},
        {"TIME", Column(SQL_TYPE_TIME), Bytes(kAfternoon), Variant::FromDateTime(afternoon)},
        {"TIMESTAMP", Column(SQL_TIMESTAMP), Bytes(ISC_TIMESTAMP{kLeapDay, kAfternoon}),
         Variant::FromDateTime(leapDay + afternoon)},
        // Before 1899 the time of day counts away from day 0, as the date does.
        {"TIMESTAMP before 1899", Column(SQL_TIMESTAMP), Bytes(ISC_TIMESTAMP{0, 6 * 3600 * 10000}),
         Variant::FromDateTime(EncodeDate(1858, 11, 17) - 0.25)},
        {"CHAR(6) trimmed", Column(SQL_TEXT, 0, 6), "ab    ", Variant("ab"), TValueForm::Natural, false,
         true},
        {"CHAR(6) with its padding", Column(SQL_TEXT, 0, 6), "ab    ", Variant("ab    ")},
        {"VARCHAR(8)", Column(SQL_VARYING, 0, 8), Varying("abc", 8, 'X'), Variant("abc")},
        {"VARCHAR(8) full", Column(SQL_VARYING, 0, 8), Varying("abcdefgh", 8, 'X'), Variant("abcdefgh")},
        {"GUID with zero bytes", Guid(), guid, Variant(guid)},
        {"CHAR(16) read whole", Column(SQL_TEXT, 0, 16), guid, Variant(guid), TValueForm::AllBytes},
        {"BLOB identifier", Column(SQL_BLOB, 0, 8), Bytes(ISC_QUAD{0x12, 0x345}),
         Variant(Bytes(ISC_QUAD{0x12, 0x345}))},
        {"BOOLEAN true", Column(SQL_BOOLEAN, 0, 1), std::string(1, '\x01'), Variant(true)},
        {"BOOLEAN false", Column(SQL_BOOLEAN, 0, 1), std::string(1, '\0'), Variant(false)},
        {"16-bit BOOLEAN", Column(SQL_BOOLEAN16, 0, 2), Bytes<std::int16_t>(5), Variant(true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TRecordCodec codec(c.int64AsBCD);
        std::vector<std::byte> fetched(static_cast<std::size_t>(c.column.Size), std::byte{0x55});
        codec.StoreFetched(c.column, c.server.data(), fetched.data());
        const Variant read = codec.Read(c.column, fetched.data(), c.form, c.trimText);
        ExpectSame(read, c.expected);
        std::vector<std::byte> written(fetched.size(), std::byte{0x55});
        codec.Write(c.column, read, c.form, written.data());
        ExpectSame(codec.Read(c.column, written.data(), c.form, c.trimText), c.expected);
    }
}

TEST(RecordCodec, NumbersAndDatesWriteTheImageTheServerValueMade) {
    const Case cases[] = {
        {"NUMERIC(4,2)", Column(SQL_SHORT, -2), Bytes<std::int16_t>(-1999), {}},
        {"NUMERIC(18,4) from a double", Column(SQL_INT64, -4), Bytes<std::int64_t>(-12345678), {}},
        {"NUMERIC(18,6) kept as a double", Column(SQL_INT64, -6), Bytes<std::int64_t>(1234567), {}},
        {"DATE", Column(SQL_TYPE_DATE), Bytes(kLeapDay), {}},
        {"TIME", Column(SQL_TYPE_TIME), Bytes(kAfternoon), {}},
        {"TIMESTAMP", Column(SQL_TIMESTAMP), Bytes(ISC_TIMESTAMP{kLeapDay, kAfternoon}), {}},
        {"TIMESTAMP before 1899", Column(SQL_TIMESTAMP), Bytes(ISC_TIMESTAMP{100, kAfternoon}), {}},
    };
    const TRecordCodec codec(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::byte> fetched(static_cast<std::size_t>(c.column.Size));
        codec.StoreFetched(c.column, c.server.data(), fetched.data());
        std::vector<std::byte> written(fetched.size());
        codec.Write(c.column, codec.Read(c.column, fetched.data(), c.form, false), c.form, written.data());
        EXPECT_EQ(written, fetched);
    }
}

TEST(RecordCodec, CurrencyAndDoublesBecomeTheUnscaledInteger) {
    const TRecordCodec codec(false);
    const TFieldDescr numeric = Column(SQL_INT64, -2);
    struct Written {
        Variant value;
        TValueForm form;
        std::int64_t unscaled;
    };
    const Written cases[] = {
        {Variant::FromCurrency(123456), TValueForm::Natural,
         1234},                                     // 12.3456 loses what the scale cannot hold
        {Variant(0.125), TValueForm::Natural, 13},  // halves round away from zero
        {Variant(1234LL), TValueForm::Natural, 1234},
        {Variant(77), TValueForm::ScaledInteger, 77},
    };
    for (const Written& c : cases) {
        std::vector<std::byte> place(8);
        codec.Write(numeric, c.value, c.form, place.data());
        std::int64_t unscaled = 0;
        std::memcpy(&unscaled, place.data(), sizeof unscaled);
        EXPECT_EQ(unscaled, c.unscaled) << c.value.AsString();
    }
}

TEST(RecordCodec, FetchedValueIsNullOnlyInANullableColumnWhoseIndicatorSaysSo) {
    struct NullCase {
        bool nullable;
        bool hasIndicator;
        short indicator;
        bool isNull;
    };
    const NullCase cases[] = {
        {true, true, -1, true},
        {true, true, 0, false},
        {false, true, -1, false},
        {true, false, 0, false},
    };
    for (const NullCase& c : cases) {
        TFieldDescr descr = Column(SQL_LONG);
        descr.Nullable = c.nullable;
        short indicator = c.indicator;
        XSQLVAR var{};
        var.sqlind = c.hasIndicator ? &indicator : nullptr;
        EXPECT_EQ(TRecordCodec::FetchedIsNull(descr, var), c.isNull)
            << "nullable " << c.nullable << ", indicator " << (c.hasIndicator ? c.indicator : 0);
    }
}

TEST(RecordCodec, BlobAndArrayIdentifiersComeBackWhole) {
    const ISC_QUAD id{-7, 0x89abcdefu};
    std::vector<std::byte> place(8);
    TRecordCodec::WriteQuad(place.data(), id);
    const ISC_QUAD read = TRecordCodec::ReadQuad(place.data());
    EXPECT_EQ(read.gds_quad_high, id.gds_quad_high);
    EXPECT_EQ(read.gds_quad_low, id.gds_quad_low);
}

}  // namespace
