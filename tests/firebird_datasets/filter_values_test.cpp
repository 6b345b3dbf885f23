// The values filter expressions compute with: how variants compare and add up, and how the
// literals of a parsed tree become values.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "firebird_datasets/expression_constants.h"
#include "firebird_datasets/filter_variant_ops.h"
#include "platform/rtl/database_error.h"
#include "platform/rtl/datetime.h"

namespace {

using namespace filter_variants;

constexpr long long Int64Max = std::numeric_limits<std::int64_t>::max();
constexpr long long Int64Min = std::numeric_limits<std::int64_t>::min();

Variant Day(int year, int month, int day) {
    return Variant::FromDateTime(EncodeDate(year, month, day));
}

TEST(FilterVariants, CompareOrdersNullTextsNumbersAndDates) {
    struct Case {
        const char* what;
        Variant a, b;
        int order;
    };
    const std::vector<Case> cases = {
        {"Null equals Null", Variant::Null(), Variant::Null(), 0},
        {"Null ranks below a number", Variant::Null(), Variant(1), -1},
        {"a number ranks above Null", Variant(-5), Variant::Null(), 1},
        {"Null ranks below an empty text", Variant::Null(), Variant(""), -1},
        {"Empty reads as zero", Variant(), Variant(0), 0},
        {"Empty reads as a blank text", Variant(), Variant(""), 0},
        {"Empty below one", Variant(), Variant(1), -1},
        {"a text beside a number is read as one", Variant("10"), Variant(10), 0},
        {"a number text is not rounded", Variant("1.5"), Variant(2), -1},
        {"texts by the locale's order", Variant("a"), Variant("B"), -1},
        {"texts with case deciding only a tie", Variant("abc"), Variant("abd"), -1},
        {"large integers stay exact", Variant(9007199254740993LL), Variant(9007199254740992LL), 1},
        {"currency beside a double", Variant::FromCurrency(15000), Variant(1.5), 0},
        {"currency beside an integer", Variant::FromCurrency(15000), Variant(2), -1},
        {"a date beside its text", Day(2001, 2, 3), Variant(DateToStr(EncodeDate(2001, 2, 3))), 0},
        {"dates by time", Day(2001, 2, 3), Day(2001, 2, 4), -1},
        {"booleans", Variant(true), Variant(false), 1},
        {"a boolean beside its text", Variant(true), Variant("True"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Compare(c.a, c.b), c.order);
        EXPECT_EQ(Compare(c.b, c.a), -c.order);
    }
}

TEST(FilterVariants, CompareRaisesForValuesWithoutACommonReading) {
    EXPECT_THROW(Compare(Variant("abc"), Variant(1)), EVariantTypeCastError);
    EXPECT_THROW(Compare(VarArrayOf({1, 2}), Variant(1)), EVariantError);
}

TEST(FilterVariants, ArithmeticKeepsTypesAndNeverOverflowsSilently) {
    struct Case {
        const char* what;
        TCANOperator op;
        Variant a, b;
        Variant result;
        TVarType type;
    };
    const TDateTime feb3 = EncodeDate(2001, 2, 3);
    const std::vector<Case> cases = {
        {"integers", coADD, Variant(1), Variant(2), Variant(3), varInteger},
        {"past 32 bits", coADD, Variant(2147483647), Variant(1), Variant(2147483648LL), varInt64},
        {"past 64 bits", coADD, Variant(Int64Max), Variant(1), Variant(9223372036854775808.0), varDouble},
        {"product past 64 bits", coMUL, Variant(Int64Max), Variant(2), Variant(18446744073709551614.0),
         varDouble},
        {"lowest minus one", coSUB, Variant(Int64Min), Variant(1), Variant(-9223372036854775809.0),
         varDouble},
        {"texts join", coADD, Variant("ab"), Variant("cd"), Variant("abcd"), varString},
        {"a text beside a number adds", coADD, Variant("2"), Variant(3), Variant(5), varInteger},
        {"Null absorbs", coADD, Variant::Null(), Variant(1), Variant::Null(), varNull},
        {"Null absorbs a text", coADD, Variant("a"), Variant::Null(), Variant::Null(), varNull},
        {"a date moved back", coSUB, Day(2001, 2, 3), Variant(1), Variant::FromDateTime(feb3 - 1), varDate},
        {"a date moved on", coADD, Variant(0.5), Day(2001, 2, 3), Variant::FromDateTime(feb3 + 0.5), varDate},
        {"days between dates", coSUB, Day(2001, 3, 3), Day(2001, 2, 3), Variant(28.0), varDouble},
        {"currency plus integer", coADD, Variant::FromCurrency(15000), Variant(1),
         Variant::FromCurrency(25000), varCurrency},
        {"currency times integer", coMUL, Variant::FromCurrency(15000), Variant(3),
         Variant::FromCurrency(45000), varCurrency},
        {"division is a double", coDIV, Variant(7), Variant(2), Variant(3.5), varDouble},
        {"remainder", coMOD, Variant(7), Variant(3), Variant(1), varInteger},
        {"remainder of a negative", coREM, Variant(-7), Variant(3), Variant(-1), varInteger},
        {"lowest modulo minus one", coMOD, Variant(Int64Min), Variant(-1), Variant(0), varInteger},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Variant result = Arithmetic(c.op, c.a, c.b);
        EXPECT_EQ(result.VarType(), c.type);
        EXPECT_TRUE(result == c.result) << result.AsString();
    }
}

TEST(FilterVariants, DivisionByZeroRaises) {
    for (TCANOperator op : {coDIV, coMOD, coREM}) {
        SCOPED_TRACE(op);
        try {
            Arithmetic(op, Variant(1), Variant(0));
            ADD_FAILURE() << "no error";
        } catch (const EVariantError& e) {
            EXPECT_EQ(e.Message, "Division by zero");
        }
    }
    EXPECT_THROW(Arithmetic(coDIV, Variant(1.0), Variant("0")), EVariantError);
}

TEST(FilterVariants, NegationAndTruth) {
    EXPECT_TRUE(Negate(Variant(5)) == Variant(-5));
    EXPECT_TRUE(Negate(Variant("5")) == Variant(-5));
    EXPECT_EQ(Negate(Variant(Int64Min)).VarType(), varDouble);
    EXPECT_TRUE(Negate(Variant(Int64Min)) == Variant(9223372036854775808.0));
    EXPECT_TRUE(Negate(Variant::FromCurrency(15000)) == Variant::FromCurrency(-15000));
    EXPECT_TRUE(Negate(Variant::Null()).IsNull());
    EXPECT_FALSE(Truth(Variant::Null()));
    EXPECT_FALSE(Truth(Variant()));
    EXPECT_TRUE(Truth(Variant(true)));
    EXPECT_TRUE(Truth(Variant("True")));
    EXPECT_THROW(Truth(Variant("maybe")), EVariantTypeCastError);
}

TEST(FilterConstants, LiteralsBecomeValuesByTheirType) {
    struct Case {
        TFieldType type;
        Variant literal;
        Variant value;
        TVarType varType;
    };
    const TDateTime feb3 = EncodeDate(2001, 2, 3);
    const double feb3Stamp = 730519;  // 3 February 2001, counting 1 January of year 1 as day 1
    const std::vector<Case> cases = {
        {ftString, Variant("x"), Variant("x"), varString},
        {ftFixedChar, Variant("y "), Variant("y "), varString},
        {ftSmallint, Variant(-5), Variant(-5), varSmallint},
        {ftWord, Variant(65535), Variant(65535), varWord},
        {ftInteger, Variant(7), Variant(7), varInteger},
        {ftAutoInc, Variant(8), Variant(8), varInteger},
        {ftBoolean, Variant(1), Variant(true), varBoolean},
        {ftBoolean, Variant(0), Variant(false), varBoolean},
        {ftBoolean, Variant(true), Variant(true), varBoolean},
        {ftFloat, Variant(2.5), Variant(2.5), varDouble},
        {ftCurrency, Variant(2.25), Variant(2.25), varDouble},
        {ftBCD, Variant(1.2345), Variant::FromCurrency(12345), varCurrency},
        {ftDate, Variant(730519), Variant::FromDateTime(feb3), varDate},
        {ftTime, Variant(36000000), Variant::FromDateTime(EncodeTime(10, 0, 0, 0)), varDate},
        {ftDateTime, Variant(feb3Stamp * 86400000.0 + 36000000),
         Variant::FromDateTime(feb3 + EncodeTime(10, 0, 0, 0)), varDate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.literal.AsString());
        TExprNode node;
        node.NodeClass = nodeCONST;
        node.DataType = c.type;
        node.Value = c.literal;
        const Variant value = FilterConstant(node);
        EXPECT_EQ(value.VarType(), c.varType);
        EXPECT_TRUE(value == c.value) << value.AsString();
    }
}

TEST(FilterConstants, OtherTypesAndImpossibleStampsRaise) {
    TExprNode node;
    node.NodeClass = nodeCONST;
    node.DataType = ftBlob;
    node.Value = Variant("x");
    try {
        FilterConstant(node);
        ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Incorrectly formed filter expression");
    }
    node.DataType = ftDateTime;
    for (double milliseconds : {1e300, -1e300, -86400000.0 * 5})
        EXPECT_THROW((node.Value = Variant(milliseconds), FilterConstant(node)), EConvertError)
            << milliseconds;
    node.DataType = ftTime;
    node.Value = Variant(-1);
    EXPECT_THROW(FilterConstant(node), EConvertError);
}

}  // namespace
