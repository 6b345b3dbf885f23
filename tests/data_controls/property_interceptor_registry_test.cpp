// The registry of property-storage interceptors: which pairs remain after registering and
// unregistering, and which interceptor a target gets.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "data_controls/property_interceptor.h"

namespace {

class TShape : public TPersistent {};
class TCircle : public TShape {};
class TText : public TPersistent {};

class TFirstInterceptor : public TStoragePropertyInterceptor {
  public:
    using TStoragePropertyInterceptor::TStoragePropertyInterceptor;
};
class TSecondInterceptor : public TStoragePropertyInterceptor {
  public:
    using TStoragePropertyInterceptor::TStoragePropertyInterceptor;
    bool InterceptsReading() const override { return false; }
};

const TInterceptedClass Shape = InterceptedClassOf<TShape>("TShape");
const TInterceptedClass Circle = InterceptedClassOf<TCircle>("TCircle");
const TInterceptedClass Text = InterceptedClassOf<TText>("TText");
const TPropertyInterceptorClass First = PropertyInterceptorClassOf<TFirstInterceptor>("TFirstInterceptor");
const TPropertyInterceptorClass Second = PropertyInterceptorClassOf<TSecondInterceptor>("TSecondInterceptor");

struct Step {
    bool registering;
    const TInterceptedClass* target;
    const TPropertyInterceptorClass* interceptor;
};
Step Reg(const TInterceptedClass& t, const TPropertyInterceptorClass& i) {
    return {true, &t, &i};
}
Step Unreg(const TInterceptedClass& t, const TPropertyInterceptorClass& i) {
    return {false, &t, &i};
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs EntriesAfter(const std::vector<Step>& steps) {
    TPropertyInterceptorRegistry registry;
    for (const Step& step : steps) {
        if (step.registering)
            registry.Register(*step.target, *step.interceptor);
        else
            registry.Unregister(*step.target, *step.interceptor);
    }
    Pairs pairs;
    for (const auto& entry : registry.Entries())
        pairs.emplace_back(entry.Target.Name, entry.Interceptor.Name);
    return pairs;
}

TEST(PropertyInterceptorRegistry, EntriesAfterSteps) {
    struct Case {
        const char* what;
        std::vector<Step> steps;
        Pairs expected;
    };
    const Case cases[] = {
        {"one pair", {Reg(Shape, First)}, {{"TShape", "TFirstInterceptor"}}},
        {"a second interceptor for a class replaces the first",
         {Reg(Shape, First), Reg(Shape, Second)},
         {{"TShape", "TSecondInterceptor"}}},
        {"the same pair twice leaves one entry",
         {Reg(Shape, First), Reg(Shape, First)},
         {{"TShape", "TFirstInterceptor"}}},
        {"re-registering moves the class to the end",
         {Reg(Shape, First), Reg(Text, First), Reg(Shape, Second)},
         {{"TText", "TFirstInterceptor"}, {"TShape", "TSecondInterceptor"}}},
        {"one interceptor may serve several classes",
         {Reg(Shape, First), Reg(Circle, First)},
         {{"TShape", "TFirstInterceptor"}, {"TCircle", "TFirstInterceptor"}}},
        {"unregistering a pair removes it",
         {Reg(Shape, First), Reg(Text, Second), Unreg(Shape, First)},
         {{"TText", "TSecondInterceptor"}}},
        {"unregistering with another interceptor changes nothing",
         {Reg(Shape, First), Unreg(Shape, Second)},
         {{"TShape", "TFirstInterceptor"}}},
        {"unregistering another class changes nothing",
         {Reg(Shape, First), Unreg(Text, First)},
         {{"TShape", "TFirstInterceptor"}}},
        {"unregistering from an empty registry", {Unreg(Shape, First)}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(EntriesAfter(c.steps), c.expected) << c.what;
}

TEST(PropertyInterceptorRegistry, TargetGetsTheLatestMatchingClass) {
    TPropertyInterceptorRegistry registry;
    registry.Register(Shape, First);
    registry.Register(Circle, Second);
    TShape shape;
    TCircle circle;
    TText text;
    ASSERT_NE(registry.InterceptorClassFor(shape), nullptr);
    EXPECT_EQ(registry.InterceptorClassFor(shape)->Name, "TFirstInterceptor");
    ASSERT_NE(registry.InterceptorClassFor(circle), nullptr);
    EXPECT_EQ(registry.InterceptorClassFor(circle)->Name, "TSecondInterceptor");
    EXPECT_EQ(registry.InterceptorClassFor(text), nullptr);

    auto interceptor = registry.InterceptorClassFor(circle)->Create(&circle);
    EXPECT_EQ(interceptor->Target(), &circle);
    EXPECT_FALSE(interceptor->InterceptsReading());
}

}  // namespace
