// Descriptor areas on plain buffers: every conversion that needs no server.
#include <gtest/gtest.h>

#include <cstring>

#include <array>
#include <functional>

#include "firebird/bcd_utils.h"
#include "firebird/fib_errors.h"
#include "firebird/sql_types.h"
#include "firebird/xsqlda.h"
#include "platform/rtl/float_format.h"
#include "tests/firebird/xsqlda_context.h"

namespace {

class DescriptorArea : public ::testing::Test {
  protected:
    void SetUp() override { SetNumberFormat({'.', ','}); }
    void TearDown() override { ReloadNumberFormat(); }

    // One variable of the given type as the server would describe it, holding the bytes.
    template <typename T>
    TFIBXSQLVAR& Column(short type, short scale, T value, TFIBXSQLDA& area) {
        area.SetCount(1);
        XSQLVAR& x = *area.GetXSQLDA()->sqlvar;
        x.sqltype = static_cast<short>(type | 1);
        x.sqlscale = scale;
        x.sqllen = sizeof(T);
        area.MakeUniqueNames();
        std::memcpy(x.sqldata, &value, sizeof(T));
        return area[0];
    }

    static int ClientErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const EFIBClientError& e) {
            return e.SqlErrorCode;
        }
        return -1;
    }

    fbtest::TAreaContext context;
    TFIBXSQLDA columns{&context, false};
};

TEST_F(DescriptorArea, ScaledIntegersReadExactly) {
    struct Case {
        short type;
        short scale;
        std::int64_t stored;
        const char* text;
        std::int64_t int64;
        std::int64_t currency;
        double extended;
    };
    const Case cases[] = {
        {SQL_INT64, -2, 12345, "123.45", 123, 1234500, 123.45},
        {SQL_INT64, -2, -12345, "-123.45", -123, -1234500, -123.45},
        {SQL_INT64, -4, 9223372036854775807LL, "922337203685477.5807", 922337203685477LL,
         9223372036854775807LL, 922337203685477.5807},
        {SQL_INT64, -6, 1234567, "1.234567", 1, 12346, 1.234567},
        {SQL_INT64, 0, 4000000000LL, "4000000000", 4000000000LL, 40000000000000LL, 4e9},
        {SQL_LONG, -3, 1500, "1.5", 1, 15000, 1.5},
        {SQL_SHORT, -1, -25, "-2.5", -2, -25000, -2.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TFIBXSQLVAR& v = c.type == SQL_INT64 ? Column(c.type, c.scale, c.stored, columns)
                         : c.type == SQL_LONG
                             ? Column(c.type, c.scale, static_cast<std::int32_t>(c.stored), columns)
                             : Column(c.type, c.scale, static_cast<std::int16_t>(c.stored), columns);
        EXPECT_EQ(v.ReadAsString(), c.text);
        EXPECT_EQ(v.ReadAsInt64(), c.int64);
        EXPECT_EQ(v.ReadAsCurrency(), c.currency);
        EXPECT_DOUBLE_EQ(v.ReadAsDouble(), c.extended);
    }
}

TEST_F(DescriptorArea, OverflowRaisesConversionErrorInsteadOfWrapping) {
    TFIBXSQLVAR& big = Column(SQL_INT64, 0, std::int64_t{1} << 40, columns);
    EXPECT_EQ(ClientErrorOf([&] { big.ReadAsInteger(); }), fceInvalidDataConversion);
    TFIBXSQLVAR& huge = Column(SQL_INT64, 0, std::int64_t{1} << 60, columns);
    EXPECT_EQ(ClientErrorOf([&] { huge.ReadAsCurrency(); }), fceInvalidDataConversion);
    TFIBXSQLVAR& positive = Column(SQL_INT64, 3, std::int64_t{1} << 60, columns);
    EXPECT_EQ(ClientErrorOf([&] { positive.ReadAsInt64(); }), fceInvalidDataConversion);
    TFIBXSQLVAR& floating = Column(SQL_DOUBLE, 0, 1e300, columns);
    EXPECT_EQ(ClientErrorOf([&] { floating.ReadAsInt64(); }), fceInvalidDataConversion);
    TFIBXSQLVAR& stamp = Column(SQL_TIMESTAMP, 0, ISC_TIMESTAMP{58849, 0}, columns);
    EXPECT_EQ(ClientErrorOf([&] { stamp.ReadAsInteger(); }), fceInvalidDataConversion);
}

TEST_F(DescriptorArea, ServerDatesAndTimesRead) {
    EXPECT_EQ(Column(SQL_TIMESTAMP, 0, ISC_TIMESTAMP{58849, 0}, columns).ReadAsDateTime(), 43831.0);
    EXPECT_EQ(Column(SQL_TIMESTAMP, 0, ISC_TIMESTAMP{58849, 432000000}, columns).ReadAsDateTime(), 43831.5);
    EXPECT_EQ(Column(SQL_TYPE_DATE, 0, ISC_DATE{58849}, columns).ReadAsDateTime(), 43831.0);
    EXPECT_EQ(Column(SQL_TYPE_TIME, 0, ISC_TIME{216000000}, columns).ReadAsDateTime(), 0.25);
    // 29 December 1899, 06:00: the fraction counts forward from the midnight of a negative day.
    EXPECT_EQ(Column(SQL_TIMESTAMP, 0, ISC_TIMESTAMP{15017, 216000000}, columns).ReadAsDateTime(), -1.25);
}

TEST_F(DescriptorArea, DateTimeWritesKeepTheirType) {
    struct Case {
        const char* what;
        std::function<void(TFIBXSQLVAR&)> write;
        short type;
        ISC_DATE day;
        ISC_TIME time;
    };
    const Case cases[] = {
        {"stamp at noon", [](TFIBXSQLVAR& v) { v.WriteAsDateTime(43831.5); }, SQL_TIMESTAMP, 58849,
         432000000},
        {"stamp at midnight", [](TFIBXSQLVAR& v) { v.WriteAsDateTime(43831.0); }, SQL_TYPE_DATE, 58849, 0},
        {"date of a stamp", [](TFIBXSQLVAR& v) { v.WriteAsDate(43831.5); }, SQL_TYPE_DATE, 58849, 0},
        {"date of day zero", [](TFIBXSQLVAR& v) { v.WriteAsDate(0.0); }, SQL_TYPE_DATE, 15018, 0},
        {"time at noon", [](TFIBXSQLVAR& v) { v.WriteAsTime(43831.5); }, SQL_TYPE_TIME, 0, 432000000},
        {"time at midnight", [](TFIBXSQLVAR& v) { v.WriteAsTime(43831.0); }, SQL_TYPE_TIME, 0, 0},
        {"time without a date", [](TFIBXSQLVAR& v) { v.WriteAsTime(0.25); }, SQL_TYPE_TIME, 0, 216000000},
        {"variant time", [](TFIBXSQLVAR& v) { v.WriteAsTime(Variant::FromDateTime(0.0).AsDateTime()); },
         SQL_TYPE_TIME, 0, 0},
    };
    TFIBXSQLDA params(&context, true);
    params.SetCount(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.write(params[0]);
        const XSQLVAR& x = *params.GetXSQLDA()->sqlvar;
        ASSERT_EQ(x.sqltype & ~1, c.type);
        if (c.type == SQL_TIMESTAMP) {
            ISC_TIMESTAMP stamp{};
            std::memcpy(&stamp, x.sqldata, sizeof(stamp));
            EXPECT_EQ(stamp.timestamp_date, c.day);
            EXPECT_EQ(stamp.timestamp_time, c.time);
        } else {
            std::int32_t value = 0;
            std::memcpy(&value, x.sqldata, sizeof(value));
            EXPECT_EQ(value, c.type == SQL_TYPE_DATE ? c.day : static_cast<std::int32_t>(c.time));
        }
    }
}

TEST_F(DescriptorArea, NumbersWrittenAsScaledIntegers) {
    TFIBXSQLDA params(&context, true);
    params.SetCount(1);
    TFIBXSQLVAR& v = params[0];
    v.WriteAsExtended(123.45);
    EXPECT_EQ(v.ReadSQLType(), SQL_INT64);
    EXPECT_EQ(v.ReadScale(), -15);
    EXPECT_EQ(v.ReadAsString(), "123.45");
    v.WriteAsCurrency(1234567);
    EXPECT_EQ(v.ReadScale(), -4);
    EXPECT_EQ(v.ReadAsString(), "123.4567");
    TBcd bcd{};
    ASSERT_TRUE(ScaledInt64ToBcd(4, bcd, 9223372036854775807LL));
    v.WriteAsBcd(bcd);
    EXPECT_EQ(v.ReadAsCurrency(), 9223372036854775807LL);
    context.dialect = 1;
    v.WriteAsCurrency(15000);
    EXPECT_EQ(v.ReadSQLType(), SQL_DOUBLE);
    EXPECT_EQ(v.ReadAsDouble(), 1.5);
}

TEST_F(DescriptorArea, RepeatedParameterNamesAllTakeTheValue) {
    TFIBXSQLDA params(&context, true);
    params.SetCount(4);
    const char* names[] = {"ID", "NAME", "ID", "ID"};
    for (int i = 0; i < 4; ++i) params.AddName(names[i], i);
    params.ByName("ID")->WriteAsInteger(7);
    for (int i : {0, 2, 3}) EXPECT_EQ(params[i].ReadAsInteger(), 7) << i;
    EXPECT_TRUE(params[1].ReadIsNull());
}

TEST_F(DescriptorArea, TextForNumericParametersUsesTheDot) {
    TFIBXSQLDA app(&context, true);
    TFIBXSQLDA server(&context, true);
    context.appParams = &app;
    context.serverParams = &server;
    app.SetCount(1);
    app.AddName("PRICE", 0);
    server.SetCount(1);
    XSQLVAR& described = *server.GetXSQLDA()->sqlvar;
    described.sqltype = SQL_DOUBLE | 1;
    described.sqllen = 8;
    server.AddName("PRICE", 0);
    server.MakeUniqueNames();
    app[0].WriteAsString("1,5");
    EXPECT_EQ(app[0].ReadSQLType(), SQL_TEXT);
    EXPECT_EQ(app[0].ReadAsString(), "1.5");
}

TEST_F(DescriptorArea, ColumnsGetUniqueNames) {
    struct Case {
        std::vector<std::string> aliases;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {{"", ""}, {"F_1", "F_2"}},
        {{"TOTAL", "TOTAL"}, {"TOTAL", "TOTAL1"}},
        {{"A", "A", "A1"}, {"A", "A1", "A11"}},
        {{std::string(32, 'X'), std::string(32, 'X')}, {std::string(32, 'X'), std::string(31, 'X') + "1"}},
    };
    for (const Case& c : cases) {
        TFIBXSQLDA area(&context, false);
        area.SetCount(static_cast<int>(c.aliases.size()));
        for (std::size_t i = 0; i < c.aliases.size(); ++i) {
            XSQLVAR& x = area.GetXSQLDA()->sqlvar[i];
            x.sqltype = SQL_LONG;
            x.sqllen = 4;
            x.aliasname_length = static_cast<short>(c.aliases[i].size());
            std::memcpy(x.aliasname, c.aliases[i].data(), c.aliases[i].size());
        }
        area.MakeUniqueNames();
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(area[static_cast<int>(i)].VarName, c.names[i]);
            EXPECT_EQ(area.ByName(c.names[i]), &area[static_cast<int>(i)]);
        }
    }
}

TEST_F(DescriptorArea, NullBeforeFetchAndNullIndicator) {
    TFIBXSQLVAR& v = Column(SQL_LONG, 0, std::int32_t{5}, columns);
    EXPECT_FALSE(v.ReadIsNull());
    context.fetched = false;
    EXPECT_TRUE(v.ReadIsNull());
    EXPECT_EQ(v.ReadAsInteger(), 0);
    EXPECT_TRUE(v.ReadAsVariant().IsNull());
    context.fetched = true;
    *columns.GetXSQLDA()->sqlvar->sqlind = -1;
    EXPECT_EQ(v.ReadAsString(), "");
    EXPECT_TRUE(Column(SQL_NULL, 0, char{0}, columns).ReadIsNull());
}

TEST_F(DescriptorArea, BadInputRaisesClientErrors) {
    EXPECT_EQ(ClientErrorOf([&] { columns.GetVar(3); }), fceXSQLDAIndexOutOfRange);
    columns.SetCount(1);
    columns.GetXSQLDA()->sqlvar->sqltype = 12345;
    EXPECT_EQ(ClientErrorOf([&] { columns.MakeUniqueNames(); }), fceUnknownSQLDataType);
    TFIBXSQLVAR& text = Column(SQL_TEXT, 0, std::array<char, 3>{'a', 'b', 'c'}, columns);
    EXPECT_EQ(ClientErrorOf([&] { text.ReadAsInteger(); }), fceInvalidDataConversion);
    EXPECT_EQ(ClientErrorOf([&] { text.ReadAsDateTime(); }), fceInvalidDataConversion);
    EXPECT_EQ(ClientErrorOf([&] { text.ReadAsQuad(); }), fceInvalidDataConversion);
}

TEST_F(DescriptorArea, ShortDbKeyTextIsRefused) {
    TFIBXSQLDA params(&context, true);
    params.SetCount(1);
    XSQLVAR& x = *params.GetXSQLDA()->sqlvar;
    x.sqltype = SQL_TEXT;
    x.sqllen = 8;
    std::memcpy(x.sqlname, "DB_KEY", 6);
    x.sqlname_length = 6;
    params.MakeUniqueNames();
    EXPECT_EQ(ClientErrorOf([&] { params[0].WriteAsString("1234"); }), fceInvalidDataConversion);
    params[0].WriteAsString("12345678xyz");
    EXPECT_EQ(params[0].ReadAsString(), "12345678");
}

TEST_F(DescriptorArea, VaryingLengthBeyondItsBufferIsCut) {
    struct Varying {
        std::int16_t length;
        char text[4];
    };
    columns.SetCount(1);
    XSQLVAR& x = *columns.GetXSQLDA()->sqlvar;
    x.sqltype = SQL_VARYING;
    x.sqllen = 4;
    columns.MakeUniqueNames();
    const Varying value{30000, {'a', 'b', 'c', 'd'}};
    std::memcpy(x.sqldata, &value, sizeof(value));
    EXPECT_EQ(columns[0].ReadAsString(), "abcd");
}

TEST_F(DescriptorArea, ValuesCopiedBetweenAreasByName) {
    TFIBXSQLDA source(&context, false);
    source.SetCount(4);
    const char* names[] = {"AMOUNT", "DAY", "NOTE", "GONE"};
    for (int i = 0; i < 4; ++i) source.AddName(names[i], i);
    source[0].WriteAsCurrency(1234500);
    source[1].WriteAsString("01.02.2020");
    source[2].WriteAsString("text");
    source[3].WriteIsNull(true);

    TFIBXSQLDA target(&context, true);
    target.SetCount(4);
    const short types[] = {SQL_INT64, SQL_TYPE_DATE, SQL_VARYING, SQL_LONG};
    for (int i = 0; i < 4; ++i) {
        XSQLVAR& x = target.GetXSQLDA()->sqlvar[i];
        x.sqltype = static_cast<short>(types[i] | 1);
        x.sqllen = 8;
        target.AddName(names[3 - i], i);  // in another order than the source's
    }
    target.MakeUniqueNames();
    target[0].WriteAsInteger(5);
    target.AssignValues(source);
    EXPECT_TRUE(target.ByName("GONE")->ReadIsNull());
    EXPECT_EQ(target.ByName("NOTE")->ReadAsString(), "text");
    EXPECT_EQ(target.ByName("AMOUNT")->ReadAsCurrency(), 1234500);
    EXPECT_EQ(target.ByName("DAY")->ReadAsString(), "01.02.2020");
    target.ResetModified();
    EXPECT_FALSE(target[1].Changed);
    target.ClearValues();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(target[i].ReadIsNull()) << i;
}

TEST_F(DescriptorArea, DialectOneWritesStampsAndDoublesAndUpperCasesNames) {
    context.dialect = 1;
    TFIBXSQLDA params(&context, true);
    params.SetCount(1);
    params.AddName("price", 0);
    EXPECT_EQ(params[0].VarName, "PRICE");
    TFIBXSQLVAR* v = params.ByName("Price");
    ASSERT_EQ(v, &params[0]);
    struct Case {
        const char* what;
        std::function<void(TFIBXSQLVAR&)> write;
        short type;
    };
    const Case cases[] = {
        {"date", [](TFIBXSQLVAR& x) { x.WriteAsDate(43831.5); }, SQL_TIMESTAMP},
        {"time", [](TFIBXSQLVAR& x) { x.WriteAsTime(0.5); }, SQL_TIMESTAMP},
        {"midnight stamp", [](TFIBXSQLVAR& x) { x.WriteAsDateTime(43831.0); }, SQL_TIMESTAMP},
        {"extended", [](TFIBXSQLVAR& x) { x.WriteAsExtended(1.25); }, SQL_DOUBLE},
    };
    for (const Case& c : cases) {
        c.write(*v);
        EXPECT_EQ(v->ReadSQLType(), c.type) << c.what;
    }
    EXPECT_EQ(v->ReadAsDouble(), 1.25);
}

TEST_F(DescriptorArea, VariantsChooseTheWriter) {
    TFIBXSQLDA params(&context, true);
    params.SetCount(1);
    TFIBXSQLVAR& v = params[0];
    struct Case {
        Variant value;
        short type;
        const char* text;
    };
    const Case cases[] = {
        {Variant(42), SQL_LONG, "42"},     {Variant(5000000000LL), SQL_INT64, "5000000000"},
        {Variant(2.5), SQL_DOUBLE, "2.5"}, {Variant::FromCurrency(25000), SQL_INT64, "2.5"},
        {Variant(true), SQL_LONG, "1"},    {Variant("abc"), SQL_TEXT, "abc"},
    };
    for (const Case& c : cases) {
        v.WriteAsVariant(c.value);
        EXPECT_EQ(v.ReadSQLType(), c.type) << c.text;
        EXPECT_EQ(v.ReadAsString(), c.text);
        EXPECT_FALSE(v.ReadIsNull());
    }
    v.WriteAsVariant(Variant::Null());
    EXPECT_TRUE(v.ReadIsNull());
    // An error variant carries no value to write: refused, and the variable keeps what it held.
    v.WriteAsVariant(Variant(7));
    try {
        v.WriteAsVariant(Variant::OfError(5));
        ADD_FAILURE() << "an error variant was written";
    } catch (const EFIBClientError& e) {
        EXPECT_EQ(e.SqlErrorCode, fceNotPermitted);
        EXPECT_EQ(e.Message, "Not permitted.");
    }
    EXPECT_EQ(v.ReadAsString(), "7");
}

}  // namespace
