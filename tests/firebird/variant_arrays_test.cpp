// Variant arrays of any dimension count, walked in index order, and slices built from them.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "firebird/fib_array.h"
#include "firebird/fib_errors.h"
#include "firebird/variant_arrays.h"

namespace {

TEST(VariantArrays, IndexesAdvanceLikeAnOdometer) {
    const Variant array = VarArrayCreate({1, 2, 0, 1}, varVariant);
    TArrayIndex index = ResetArrayIndex(array);
    std::vector<TArrayIndex> visited{index};
    while (NextArrayIndex(array, index)) visited.push_back(index);
    EXPECT_EQ(visited, (std::vector<TArrayIndex>{{1, 0}, {1, 1}, {2, 0}, {2, 1}}));
}

TEST(VariantArrays, WalkStopsWhenAsked) {
    Variant array = VarArrayCreate({0, 5}, varVariant);
    int calls = 0;
    EXPECT_FALSE(ForEachArrayElement(
        array, [&](const Variant&, const TArrayIndex&, bool& proceed) { proceed = ++calls < 3; }));
    EXPECT_EQ(calls, 3);
    int next = 0;
    MapArrayElements(array,
                     [&](const Variant&, Variant& result, const TArrayIndex&, bool&) { result = next++; });
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(array[i].AsInteger(), i);
    EXPECT_TRUE(VarArraysEqual(array, array, 5));
    EXPECT_FALSE(VarArraysEqual(array, VarArrayOf({0, 1, 9}), 2));
    EXPECT_FALSE(VarArraysEqual(array, VarArrayOf({0}), 1));
}

TEST(VariantArrays, IndexErrors) {
    Variant array = VarArrayCreate({0, 1, 0, 1}, varVariant);
    const struct {
        Variant target;
        std::vector<int> index;
        const char* message;
    } cases[] = {
        {Variant(3), {0, 0}, "Variant is not an array."},
        {array, {0}, "Variant array index out of bounds."},
        {array, {0, 2}, "Variant array index out of bounds."},
        {array, {-1, 0}, "Variant array index out of bounds."},
    };
    for (const auto& c : cases) {
        try {
            VarArrayGetByIndex(c.target, c.index);
            ADD_FAILURE() << c.message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, c.message);
        }
    }
    const int at[] = {1, 1};
    VarArrayPutByIndex(array, Variant("x"), at);
    EXPECT_EQ(VarArrayGetByIndex(array, at).AsString(), "x");
}

ISC_ARRAY_DESC Descriptor(unsigned char type, unsigned short length,
                          std::initializer_list<ISC_ARRAY_BOUND> bounds) {
    ISC_ARRAY_DESC desc{};
    desc.array_desc_dtype = type;
    desc.array_desc_length = length;
    desc.array_desc_dimensions = static_cast<short>(bounds.size());
    int d = 0;
    for (const ISC_ARRAY_BOUND& b : bounds) desc.array_desc_bounds[d++] = b;
    return desc;
}

int ClientErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EFIBClientError& e) {
        return e.SqlErrorCode;
    }
    return -1;
}

TEST(ArrayColumn, SliceSizesAndElementOrder) {
    TpFIBArray ints(nullptr, Descriptor(blr_long, 4, {{1, 2}, {1, 3}}), "T", "A", aekInteger);
    EXPECT_EQ(ints.ArraySize(), 24);
    Variant value = VarArrayCreate({1, 2, 1, 3}, varVariant);
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 3; ++j) value.PutElement({i, j}, i * 10 + j);
    const std::vector<char> buffer = ints.FillBufferFromVariant(value);
    std::int32_t elements[6] = {};
    std::memcpy(elements, buffer.data(), sizeof(elements));
    EXPECT_EQ(std::vector<std::int32_t>(elements, elements + 6),
              (std::vector<std::int32_t>{11, 12, 13, 21, 22, 23}));
    TpFIBArray varying(nullptr, Descriptor(blr_varying, 5, {{0, 3}}), "T", "V", aekText);
    EXPECT_EQ(varying.ArraySize(), 30);
}

TEST(ArrayColumn, TextElementsAreZeroTerminated) {
    TpFIBArray texts(nullptr, Descriptor(blr_varying, 5, {{0, 2}}), "T", "V", aekText);
    const std::vector<char> buffer =
        texts.FillBufferFromVariant(VarArrayOf({"ABC", Variant::Null(), "ABCDEFGHI"}));
    EXPECT_EQ(std::string(buffer.data(), 7), std::string("ABC\0\0\0\0", 7));
    EXPECT_EQ(std::string(buffer.data() + 7, 7), std::string(7, '\0'));
    EXPECT_EQ(std::string(buffer.data() + 14, 7), "ABCDEFG");
}

TEST(ArrayColumn, ValuesLargerThanTheColumnAreRefused) {
    TpFIBArray ints(nullptr, Descriptor(blr_long, 4, {{1, 2}, {1, 3}}), "T", "A", aekInteger);
    const Variant cases[] = {
        VarArrayCreate({1, 2, 1, 3, 1, 1}, varVariant),
        VarArrayCreate({1, 3, 1, 3}, varVariant),
        VarArrayCreate({0, 1, 0, 3}, varVariant),
    };
    for (const Variant& value : cases)
        EXPECT_EQ(ClientErrorOf([&] { ints.FillBufferFromVariant(value); }), fceArrayDimensionMissing);
    EXPECT_EQ(ClientErrorOf([&] { ints.GetDimension(2); }), fceArrayDimensionMissing);
    EXPECT_EQ(ints.FillBufferFromVariant(VarArrayCreate({5, 6, 0, 2}, varVariant)).size(), 25u);
}

}  // namespace
