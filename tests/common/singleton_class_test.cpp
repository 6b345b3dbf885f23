#include "common/singleton_class.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "common/collection_instances.h"
#include "common/event_handlers.h"
#include "platform/rtl/exceptions.h"

namespace {

int liveProbes = 0;

// A singleton under a name given by the test, counting its live instances.
class TProbe : public TSingletonClass {
  public:
    TProbe(Key key, std::string className) : TSingletonClass(key, std::move(className)) { ++liveProbes; }
    ~TProbe() override { --liveProbes; }
};

class TFailingProbe : public TSingletonClass {
  public:
    explicit TFailingProbe(Key key) : TSingletonClass(key, "TFailingProbe") {
        throw std::runtime_error("construction failed");
    }
};

class TMyHandlers : public TEventHandlers {
  public:
    explicit TMyHandlers(Key key) : TEventHandlers(key, "TMyHandlers") {}
};

std::string MessageOfSecond(const std::function<void()>& create) {
    try {
        create();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "no Exception";
}

class SingletonClassTest : public ::testing::Test {
  protected:
    void SetUp() override { liveProbes = 0; }
    void TearDown() override {
        for (const char* name : {"TEventHandlers", "TMyHandlers", "TProbe", "TPROBE", "TOther"}) {
            FreeInstancesOf(name);
        }
        EXPECT_EQ(SingletonRegistry(), nullptr);
    }
};

TEST_F(SingletonClassTest, SecondLiveInstanceRaisesAndFreeingTheFirstAllowsANewOne) {
    auto* first = TSingletonClass::Create<TEventHandlers>();
    EXPECT_EQ(MessageOfSecond([] { TSingletonClass::Create<TEventHandlers>(); }),
              "Нельзя создать второй экземпляр класса \"TEventHandlers\".");
    EXPECT_EQ(SingletonRegistry()->Count(), 1);
    first->Free();
    auto* second = TSingletonClass::Create<TEventHandlers>();
    EXPECT_EQ(second->ClassName(), "TEventHandlers");
    second->Free();
}

TEST_F(SingletonClassTest, DifferentClassesLiveSideBySideAndTheRegistryGoesWithTheLast) {
    EXPECT_EQ(SingletonRegistry(), nullptr);
    auto* probe = TSingletonClass::Create<TProbe>("TProbe");
    auto* other = TSingletonClass::Create<TProbe>("TOther");
    ASSERT_NE(SingletonRegistry(), nullptr);
    EXPECT_EQ(SingletonRegistry()->Count(), 2);
    probe->Free();
    ASSERT_NE(SingletonRegistry(), nullptr);
    EXPECT_EQ(SingletonRegistry()->IndexOfName("TProbe"), -1);
    EXPECT_EQ(SingletonRegistry()->IndexOfName("TOther"), 0);
    other->Free();
    EXPECT_EQ(SingletonRegistry(), nullptr);
    EXPECT_EQ(liveProbes, 0);
}

TEST_F(SingletonClassTest, ClassNamesCompareExactly) {
    TSingletonClass::Create<TProbe>("TProbe");
    TSingletonClass::Create<TProbe>("TPROBE");
    EXPECT_EQ(liveProbes, 2);
    EXPECT_EQ(SingletonRegistry()->IndexOfName("tprobe"), -1);
    EXPECT_EQ(SingletonRegistry()->IndexOfName("TPROBE"), 1);
    FreeInstancesOf("TProbe");
    EXPECT_EQ(liveProbes, 1);
    EXPECT_EQ(SingletonRegistry()->IndexOfName("TPROBE"), 0);
}

TEST_F(SingletonClassTest, FreeInstancesOfFreesOnlyThatClassName) {
    TSingletonClass::Create<TEventHandlers>();
    TSingletonClass::Create<TMyHandlers>();
    TSingletonClass::Create<TProbe>("TProbe");
    FreeInstancesOf<TEventHandlers>();
    EXPECT_EQ(SingletonRegistry()->IndexOfName("TEventHandlers"), -1);
    EXPECT_EQ(SingletonRegistry()->Count(), 2);
    EXPECT_EQ(liveProbes, 1);
    // With nothing of that name alive it does nothing.
    FreeInstancesOf<TEventHandlers>();
    EXPECT_EQ(SingletonRegistry()->Count(), 2);
}

TEST_F(SingletonClassTest, FreeingTheLastInstanceThroughFreeInstancesOfFreesTheRegistry) {
    TSingletonClass::Create<TEventHandlers>();
    FreeInstancesOf<TEventHandlers>();
    EXPECT_EQ(SingletonRegistry(), nullptr);
    FreeInstancesOf<TEventHandlers>();  // no registry: nothing to do
}

TEST_F(SingletonClassTest, AConstructorThatFailsLeavesNoRegistration) {
    EXPECT_THROW(TSingletonClass::Create<TFailingProbe>(), std::runtime_error);
    EXPECT_EQ(SingletonRegistry(), nullptr);
    // The name is free again: the next attempt fails for its own reason, not as a second instance.
    EXPECT_THROW(TSingletonClass::Create<TFailingProbe>(), std::runtime_error);
}

}  // namespace
