#include "platform/rtl/numbers.h"

#include <gtest/gtest.h>

#include "platform/rtl/exceptions.h"

namespace {

struct IntCase {
    const char* text;
    bool ok;
    std::int32_t value;
};

TEST(IntegerRule, ReadsDecimalAndHexadecimalForms) {
    const IntCase cases[] = {
        {"0", true, 0},
        {"123", true, 123},
        {"  42", true, 42},
        {"\t7", true, 7},
        {"+5", true, 5},
        {"-12", true, -12},
        {"$10", true, 16},
        {"x10", true, 16},
        {"X1f", true, 31},
        {"0x10", true, 16},
        {"0XfF", true, 255},
        {"-$10", true, -16},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"99999999999999999999999", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"12 ", false, 0},
        {"1 2", false, 0},
        {"abc", false, 0},
        {"1.5", false, 0},
        {"$00GG0000", false, 0},
    };
    for (const auto& c : cases) {
        std::int32_t v = -777;
        EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
        EXPECT_EQ(StrToIntDef(c.text, -1), c.ok ? c.value : -1) << c.text;
    }
}

TEST(IntegerRule, SixtyFourBitRange) {
    std::int64_t v;
    EXPECT_TRUE(TryStrToInt64("9223372036854775807", v));
    EXPECT_EQ(v, INT64_MAX);
    EXPECT_TRUE(TryStrToInt64("-9223372036854775808", v));
    EXPECT_EQ(v, INT64_MIN);
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", v));
    EXPECT_TRUE(TryStrToInt64("2147483648", v));
    EXPECT_EQ(v, 2147483648LL);
    EXPECT_EQ(StrToInt64Def("junk", 5), 5);
}

TEST(IntegerRule, StrToIntRaisesWithThePlatformText) {
    try {
        StrToInt("$00GG");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'$00GG' is not a valid integer value");
    }
    EXPECT_EQ(StrToInt(" 0x7FFFFFFF"), 2147483647);
    EXPECT_THROW(StrToInt64("1e5"), EConvertError);
}

}  // namespace
