#include <gtest/gtest.h>

#include "platform/rtl/float_format.h"
#include "platform/rtl/variant.h"

namespace {
class VariantTest : public ::testing::Test {
  protected:
    void SetUp() override { SetNumberFormat({'.', ','}); }
    void TearDown() override { ReloadNumberFormat(); }
};

TEST_F(VariantTest, ReadsEachKindAsEachType) {
    EXPECT_EQ(Variant().AsInteger(), 0);
    EXPECT_EQ(Variant().AsString(), "");
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Variant(2.5).AsInteger(), 2);  // ties to even
    EXPECT_EQ(Variant(3.5).AsInteger(), 4);
    EXPECT_EQ(Variant("  42").AsInteger(), 42);
    EXPECT_EQ(Variant("$1F").AsInteger(), 31);
    EXPECT_EQ(Variant("12.5").AsCurrency(), 125000);
    EXPECT_EQ(Variant::FromCurrency(25000).AsInteger(), 2);  // 2.5 to even
    EXPECT_EQ(Variant::FromCurrency(123456).AsString(), "12.3456");
    EXPECT_DOUBLE_EQ(Variant::FromCurrency(5).AsDouble(), 0.0005);
    EXPECT_EQ(Variant(7).AsCurrency(), 70000);
    EXPECT_EQ(Variant(1.5).AsString(), "1.5");
    EXPECT_EQ(Variant(false).AsString(), "False");
    EXPECT_TRUE(Variant("TRUE").AsBoolean());
    EXPECT_FALSE(Variant("0").AsBoolean());
    EXPECT_EQ(Variant(static_cast<long long>(INT64_MIN)).AsString(), "-9223372036854775808");
    EXPECT_DOUBLE_EQ(Variant(36526).AsDateTime(), 36526.0);
}

TEST_F(VariantTest, FailedConversionsRaiseWithTheTypes) {
    const struct {
        Variant value;
        TVarType target;
        const char* message;
    } cases[] = {
        {Variant::Null(), varInteger, "Could not convert variant of type (Null) into type (Integer)"},
        {Variant("abc"), varDouble, "Could not convert variant of type (String) into type (Double)"},
        {Variant("abc"), varBoolean, "Could not convert variant of type (String) into type (Boolean)"},
        {Variant(3e9), varInteger, "Overflow while converting variant of type (Double) into type (Integer)"},
        {Variant(300), varByte, "Overflow while converting variant of type (Integer) into type (Byte)"},
        {Variant(static_cast<long long>(INT64_MAX)), varCurrency,
         "Overflow while converting variant of type (Int64) into type (Currency)"},
        {VarArrayOf({1, 2}), varString,
         "Could not convert variant of type (Array Variant) into type (String)"},
        {Variant::OfError(1), varDouble, "Could not convert variant of type (Error) into type (Double)"},
    };
    for (const auto& c : cases) {
        try {
            c.value.AsType(c.target);
            ADD_FAILURE() << c.message;
        } catch (const EVariantError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_EQ(VarToStr(Variant::Null()), "");
}

TEST_F(VariantTest, ArraysHaveBoundsAndCopyOnWrite) {
    Variant a = VarArrayCreate({0, 1, 1, 3}, varVariant);
    EXPECT_EQ(VarType(a), varArray | varVariant);
    EXPECT_EQ(VarArrayDimCount(a), 2);
    EXPECT_EQ(VarArrayLowBound(a, 2), 1);
    EXPECT_EQ(VarArrayHighBound(a, 2), 3);
    a.PutElement({1, 3}, Variant("x"));
    Variant copy = a;
    copy.PutElement({1, 3}, Variant(5));
    EXPECT_EQ(a.GetElement({1, 3}).AsString(), "x");
    EXPECT_EQ(copy.GetElement({1, 3}).AsInteger(), 5);
    EXPECT_TRUE(a.GetElement({0, 1}).IsEmpty());
    EXPECT_THROW(a.GetElement({2, 1}), EVariantBadIndexError);
    EXPECT_THROW(a.GetElement({0}), EVariantBadIndexError);
    EXPECT_THROW(Variant(1).LowBound(1), EVariantArrayError);
    EXPECT_EQ(Variant(1).DimCount(), 0);
}

TEST_F(VariantTest, TypedArraysConvertElementsAndHaveRawBytes) {
    Variant bytes = VarArrayCreate({0, 2}, varByte);
    bytes.PutElement({0}, Variant("65"));
    bytes.PutElement({1}, Variant(66.0));
    bytes.PutElement({2}, Variant(67));
    EXPECT_EQ(VarType(bytes.GetElement({0})), varByte);
    EXPECT_EQ(VarArrayRawBytes(bytes), "ABC");
    EXPECT_THROW(bytes.PutElement({0}, Variant(256)), EVariantOverflowError);
    Variant ints = VarArrayCreate({5, 5}, varInteger);
    ints.PutElement({5}, Variant(-2));
    EXPECT_EQ(VarArrayRawBytes(ints), std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_THROW(VarArrayRawBytes(VarArrayOf({1})), EVariantArrayError);
    EXPECT_THROW(VarArrayCreate({1}, varVariant), EVariantArrayError);
    Variant texts = VarArrayCreate({0, 1}, varString);
    EXPECT_EQ(texts[0].AsString(), "");  // not the text of the number 0
}

TEST_F(VariantTest, BoundsWhoseElementCountOverflowsAreRefused) {
    // 65536^4 wraps to 0 in 64 bits; the array must not be created with fewer elements than its
    // bounds address.
    EXPECT_THROW(VarArrayCreate({0, 65535, 0, 65535, 0, 65535, 0, 65535}, varVariant), EVariantArrayError);
    EXPECT_THROW(VarArrayCreate({INT32_MIN, INT32_MAX}, varByte), EVariantArrayError);
    EXPECT_EQ(VarArrayCreate({0, -1}, varVariant).HighBound(1), -1);  // empty is fine
}

TEST_F(VariantTest, EqualityByValue) {
    EXPECT_EQ(Variant(1), Variant(1.0));
    EXPECT_EQ(Variant(2), Variant::FromCurrency(20000));
    EXPECT_FALSE(Variant(1) == Variant("1"));
    EXPECT_FALSE(Variant() == Variant::Null());
    EXPECT_EQ(VarArrayOf({1, "a"}), VarArrayOf({1, "a"}));
    EXPECT_FALSE(VarArrayOf({1, "a"}) == VarArrayOf({1, "b"}));
    EXPECT_EQ(Variant::OfError(5), Variant::OfError(5));
    EXPECT_FALSE(Variant::OfError(5) == Variant::OfError(6));
    EXPECT_FALSE(Variant::OfError(5) == Variant(5));
}
}  // namespace
