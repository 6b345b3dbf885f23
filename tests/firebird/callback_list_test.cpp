#include "firebird/callback_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TListener : public TComponent {
  public:
    explicit TListener(TComponent* owner = nullptr) : TComponent(owner) {}
    void Heard(TObject*) { log.push_back(Name()); }
    void Other(TObject*) { log.push_back("other " + Name()); }
    static inline std::vector<std::string> log;
};

TEST(CallBackList, AnEqualHandlerIsListedOnceAndRemovedWhole) {
    TListener::log.clear();
    auto a = MakeComponent<TListener>();
    a->SetName("A");
    auto b = MakeComponent<TListener>();
    b->SetName("B");
    TNotifyEventList list;
    EXPECT_EQ(list.Add(MakeMethod(a.get(), &TListener::Heard)), 0);
    EXPECT_EQ(list.Add(MakeMethod(b.get(), &TListener::Heard)), 1);
    EXPECT_EQ(list.Add(MakeMethod(a.get(), &TListener::Other)), 2) << "same object, other code";
    EXPECT_EQ(list.Add(MakeMethod(a.get(), &TListener::Heard)), 0) << "already listed";
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOfEntry(MakeMethod(b.get(), &TListener::Heard)), 1);

    list.CallAll(false, nullptr);
    list.CallAll(true, nullptr);
    EXPECT_EQ(TListener::log, (std::vector<std::string>{"A", "B", "other A", "other A", "B", "A"}));

    list.Remove(MakeMethod(a.get(), &TListener::Heard));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOfEntry(MakeMethod(a.get(), &TListener::Heard)), -1);
    EXPECT_FALSE(list.GetEvent(2));
    EXPECT_FALSE(list.GetEvent(-1));
    EXPECT_TRUE(list.GetEvent(1));
}

TEST(CallBackList, AFreedComponentsHandlersLeaveTheList) {
    TListener::log.clear();
    TNotifyEventList list;
    auto kept = MakeComponent<TListener>();
    kept->SetName("kept");
    {
        auto gone = MakeComponent<TListener>();
        gone->SetName("gone");
        list.Add(MakeMethod(gone.get(), &TListener::Heard));
        list.Add(MakeMethod(kept.get(), &TListener::Heard));
        list.Add(MakeMethod(gone.get(), &TListener::Other));
    }
    ASSERT_EQ(list.Count(), 1);
    list.CallAll(false, nullptr);
    EXPECT_EQ(TListener::log, (std::vector<std::string>{"kept"}));
}

TEST(CallBackList, AListFreedFirstLeavesNoWatchBehind) {
    auto listener = MakeComponent<TListener>();
    {
        TNotifyEventList list;
        list.Add(MakeMethod(listener.get(), &TListener::Heard));
    }
    // Freeing the listener must not reach the list that is gone.
    EXPECT_NO_THROW(listener.reset());
}

TEST(CallBackList, HandlersWithoutAMemberFunctionAreToldApartByKey) {
    TCallBackList<void(int)> list;
    int sum = 0;
    const int firstKey = 0, secondKey = 0;
    auto first = MakeMethod<void(int)>(nullptr, &firstKey, [&](int v) { sum += v; });
    auto second = MakeMethod<void(int)>(nullptr, &secondKey, [&](int v) { sum += 10 * v; });
    list.AddEntry(first);
    list.AddEntry(second);
    list.AddEntry(first);
    list.CallAll(false, 2);
    EXPECT_EQ(sum, 22);
    list.RemoveEntry(second);
    list.CallAll(false, 1);
    EXPECT_EQ(sum, 23);
}

}  // namespace
