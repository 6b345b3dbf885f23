// Value comparison of the edit controls: plain values, Null and Unassigned, arrays.
#include <gtest/gtest.h>

#include "data_controls/variants_equal.h"

namespace {

TEST(VariantsEqual, Cases) {
    struct Case {
        const char* what;
        Variant a, b;
        bool equal;
    };
    const Variant twoD = VarArrayCreate({0, 1, 0, 1}, varVariant);
    const Case cases[] = {
        {"two Nulls", Variant::Null(), Variant::Null(), true},
        {"Null and Unassigned", Variant::Null(), Variant(), false},
        {"two Unassigned", Variant(), Variant(), true},
        {"Unassigned and zero", Variant(), Variant(0), false},
        {"equal numbers of different kinds", Variant(2), Variant(2.0), true},
        {"different numbers", Variant(2), Variant(3), false},
        {"text and number", Variant("2"), Variant(2), false},
        {"array and plain value", VarArrayOf({Variant(1)}), Variant(1), false},
        {"equal arrays", VarArrayOf({Variant(1), Variant("a")}), VarArrayOf({Variant(1), Variant("a")}),
         true},
        {"arrays differing in the last element", VarArrayOf({Variant(1), Variant(2)}),
         VarArrayOf({Variant(1), Variant(3)}), false},
        {"arrays of equal bounds without elements", VarArrayCreate({0, -1}, varVariant),
         VarArrayCreate({0, -1}, varVariant), false},
        {"arrays of different bounds", VarArrayCreate({0, 1}, varVariant), VarArrayCreate({1, 2}, varVariant),
         false},
        // Indexing along one dimension fails on two: a failed comparison is no match.
        {"two-dimensional arrays", twoD, twoD, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(VariantsEqual(c.a, c.b), c.equal);
        EXPECT_EQ(VariantsEqual(c.b, c.a), c.equal);
    }
}

}  // namespace
