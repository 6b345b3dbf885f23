#include <gtest/gtest.h>

#include "platform/db/params.h"
#include "platform/rtl/database_error.h"

namespace {

TEST(Params, FoundByNameWithoutCase) {
    TParams params;
    TParam* id = params.CreateParam(ftInteger, "ID", ptInput);
    params.CreateParam(ftString, "Name", ptInput);
    EXPECT_EQ(params.ParamByName("id"), id);
    EXPECT_EQ(params.FindParam("AGE"), nullptr);
    try {
        params.ParamByName("AGE");
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Parameter 'AGE' not found");
    }
}

TEST(Params, TypeFollowsWhatTheValueWasGivenAs) {
    struct Case {
        const char* name;
        void (*set)(TParam&);
        TFieldType type;
    };
    const Case cases[] = {
        {"string", [](TParam& p) { p.SetAsString("x"); }, ftString},
        {"integer", [](TParam& p) { p.SetAsInteger(5); }, ftInteger},
        {"float", [](TParam& p) { p.SetAsFloat(1.5); }, ftFloat},
        {"boolean", [](TParam& p) { p.SetAsBoolean(true); }, ftBoolean},
        {"date-time", [](TParam& p) { p.SetAsDateTime(45000.5); }, ftDateTime},
        {"variant int64", [](TParam& p) { p.SetValue(Variant(7LL)); }, ftLargeint},
        {"variant string", [](TParam& p) { p.SetValue(Variant("a")); }, ftString},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TParams params;
        TParam* p = params.CreateParam(ftUnknown, "P", ptInput);
        EXPECT_TRUE(p->IsNull());
        c.set(*p);
        EXPECT_EQ(p->DataType, c.type);
        EXPECT_FALSE(p->IsNull());
    }
}

TEST(Params, AValueKeepsAKnownTypeAndClearKeepsIt) {
    TParams params;
    TParam* p = params.CreateParam(ftFloat, "P", ptInput);
    p->SetValue(Variant(3));
    EXPECT_EQ(p->DataType, ftFloat);
    EXPECT_DOUBLE_EQ(p->AsFloat(), 3.0);
    p->Clear();
    EXPECT_TRUE(p->IsNull());
    EXPECT_EQ(p->DataType, ftFloat);
    EXPECT_EQ(p->AsInteger(), 0);
    EXPECT_EQ(p->AsString(), "");
}

TEST(Params, AssignCopiesNameTypeAndValue) {
    TParams a, b;
    TParam* source = a.CreateParam(ftInteger, "N", ptOutput);
    source->SetAsInteger(9);
    b.Assign(a);
    ASSERT_EQ(b.Count(), 1);
    EXPECT_EQ(b.Items(0)->Name, "N");
    EXPECT_EQ(b.Items(0)->ParamType, ptOutput);
    EXPECT_EQ(b.Items(0)->AsInteger(), 9);
}

}  // namespace
