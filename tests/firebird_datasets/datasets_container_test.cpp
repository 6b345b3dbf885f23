// TDataSetsContainer: forwarding up the master chain, the circular-link check, the registered
// datasets as containers and datasets come and go, and user events by receiver mask and name.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "firebird_datasets/datasets_container.h"
#include "firebird_datasets/pfib_dataset.h"

namespace {

using TContainerPtr = TObjectPtr<TDataSetsContainer>;

// Three containers: A's master is B, B's is C. Each writes what it hears into one log.
struct TChain {
    TContainerPtr a = MakeComponent<TDataSetsContainer>(nullptr);
    TContainerPtr b = MakeComponent<TDataSetsContainer>(nullptr);
    TContainerPtr c = MakeComponent<TDataSetsContainer>(nullptr);
    std::vector<std::string> log;

    TChain() {
        b->SetMasterContainer(c.get());
        a->SetMasterContainer(b.get());
        Listen(*a, "A");
        Listen(*b, "B");
        Listen(*c, "C");
    }

    void Listen(TDataSetsContainer& container, const std::string& name) {
        container.OnDataSetEvent = [this, name](TDataSet*, TKindDataSetEvent event) {
            log.push_back(name + " event " + std::to_string(event));
        };
        container.OnDataSetError = [this, name](TDataSet*, TKindDataSetError, EDatabaseError&,
                                                TDataAction& action) {
            log.push_back(name + " error");
            action = daRetry;
        };
        container.OnUserEvent = [this, name](TObject*, TDataSet*, const std::string& event,
                                             std::string& info) {
            log.push_back(name + " user " + event);
            info += name;
        };
        container.OnApplyDefaultValue = [this, name](TDataSet*, TField*, bool& applied) {
            log.push_back(name + (applied ? " default after" : " default"));
            applied = true;
        };
    }
};

// A dataset with an owner whose name the receiver masks look at.
struct TOwnedDataSet {
    TObjectPtr<TComponent> owner = MakeComponent<TComponent>(nullptr);
    TpFIBDataSet* dataSet;
    std::vector<std::string> heard;

    TOwnedDataSet(const std::string& ownerName, const std::string& name,
                  std::initializer_list<const char*> receives = {}) {
        owner->SetName(ownerName);
        dataSet = NewComponent<TpFIBDataSet>(owner.get());
        dataSet->SetName(name);
        for (const char* event : receives) dataSet->ReceiveEvents().Add(event);
        dataSet->OnUserEvent = [this](TObject*, TDataSet*, const std::string& event, std::string&) {
            heard.push_back(event);
        };
    }
};

TEST(DataSetsContainer, EdgeCases) {
    struct Case {
        const char* name;
        std::function<void(TChain&)> run;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"an event goes to the masters first",
         [](TChain& chain) { chain.a->DataSetEvent(nullptr, deBeforePost); },
         {"C event 8", "B event 8", "A event 8"}},
        {"an inactive container forwards but calls none of its handlers",
         [](TChain& chain) {
             chain.b->SetActive(false);
             chain.a->DataSetEvent(nullptr, deAfterPost);
         },
         {"C event 9", "A event 9"}},
        {"errors, user events and default values go the same way",
         [](TChain& chain) {
             EDatabaseError error("failed");
             TDataAction action = daFail;
             chain.b->DataSetError(nullptr, deOnPostError, error, action);
             std::string info;
             chain.a->UserEvent(nullptr, nullptr, "PING", info);
             bool applied = false;
             chain.b->ApplyDefaultValue(nullptr, nullptr, applied);
             chain.log.push_back(info + (action == daRetry ? " retry" : " fail"));
         },
         {"C error", "B error", "C user PING", "B user PING", "A user PING", "C default", "B default after",
          "CBA retry"}},
        {"a container can't be its own master",
         [](TChain& chain) {
             try {
                 chain.a->SetMasterContainer(chain.a.get());
             } catch (const Exception& error) {
                 chain.log.push_back(error.Message);
             }
         },
         {"Circular link is not allowed."}},
        {"nor can a container below it in the chain",
         [](TChain& chain) {
             try {
                 chain.c->SetMasterContainer(chain.a.get());
             } catch (const Exception& error) {
                 chain.log.push_back(error.Message);
             }
             chain.log.push_back(chain.c->MasterContainer() == nullptr ? "unchanged" : "linked");
         },
         {"Circular link is not allowed.", "unchanged"}},
        {"a freed master is forgotten",
         [](TChain& chain) {
             chain.b.reset();
             chain.log.push_back(chain.a->MasterContainer() == nullptr ? "forgotten" : "kept");
             chain.a->DataSetEvent(nullptr, deAfterScroll);
         },
         {"forgotten", "A event 15"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChain chain;
        c.run(chain);
        EXPECT_EQ(chain.log, c.expected);
    }
}

TEST(DataSetsContainer, RegisteredDataSetsFollowContainersAndMasters) {
    TChain chain;
    TOwnedDataSet first("FORM1", "People");
    first.dataSet->SetContainer(chain.a.get());
    EXPECT_TRUE(chain.a->HasDataSet(first.dataSet));
    EXPECT_TRUE(chain.c->HasDataSet(first.dataSet));
    // A new master of B hears of A's datasets; the old one forgets them.
    TContainerPtr other = MakeComponent<TDataSetsContainer>(nullptr);
    chain.b->SetMasterContainer(other.get());
    EXPECT_FALSE(chain.c->HasDataSet(first.dataSet));
    EXPECT_TRUE(other->HasDataSet(first.dataSet));
    // Leaving a container leaves its masters too.
    first.dataSet->SetContainer(nullptr);
    EXPECT_EQ(chain.a->DataSetCount(), 0);
    EXPECT_EQ(other->DataSetCount(), 0);
    // A freed dataset leaves every list; a freed container leaves its datasets without one.
    TOwnedDataSet second("FORM1", "Visits");
    second.dataSet->SetContainer(chain.a.get());
    second.owner.reset();
    EXPECT_EQ(chain.a->DataSetCount(), 0);
    EXPECT_EQ(other->DataSetCount(), 0);
    TOwnedDataSet third("FORM1", "Doctors");
    third.dataSet->SetContainer(chain.a.get());
    chain.a.reset();
    EXPECT_EQ(third.dataSet->Container(), nullptr);
    EXPECT_EQ(other->DataSetCount(), 0);
}

TEST(DataSetsContainer, UserEventsReachTheDataSetsByMaskAndName) {
    TContainerPtr container = MakeComponent<TDataSetsContainer>(nullptr);
    std::vector<std::string> routed;
    container->OnUserEvent = [&](TObject*, TDataSet* receiver, const std::string& event, std::string&) {
        routed.push_back(receiver->Name() + " " + event);
    };
    TOwnedDataSet all("FORM1", "People");
    TOwnedDataSet refreshing("FORM1", "Visits", {"REFRESH*"});
    TOwnedDataSet elsewhere("Form2", "People");
    for (TOwnedDataSet* owned : {&all, &refreshing, &elsewhere})
        owned->dataSet->SetContainer(container.get());
    struct Case {
        const char* mask;
        const char* event;
        std::vector<std::string> all, refreshing, elsewhere;
    };
    const Case cases[] = {
        {"FORM1.*", "REFRESH_ALL", {"REFRESH_ALL"}, {"REFRESH_ALL"}, {}},
        {"", "refresh_one", {"refresh_one"}, {"refresh_one"}, {"refresh_one"}},
        {"*.PEOPLE", "CLOSE", {"CLOSE"}, {}, {"CLOSE"}},
        {"form?.visits", "CLOSE", {}, {}, {}},
        {"NOBODY.*", "PING", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " " + c.event);
        for (TOwnedDataSet* owned : {&all, &refreshing, &elsewhere}) owned->heard.clear();
        std::string info;
        container->NotifyDataSets(nullptr, c.mask, info, c.event);
        EXPECT_EQ(all.heard, c.all);
        EXPECT_EQ(refreshing.heard, c.refreshing);
        EXPECT_EQ(elsewhere.heard, c.elsewhere);
    }
    // Names other than CLOSE and OPEN come back to the container; the closed datasets stay closed.
    EXPECT_EQ(routed,
              (std::vector<std::string>{"People REFRESH_ALL", "Visits REFRESH_ALL", "People refresh_one",
                                        "Visits refresh_one", "People refresh_one"}));
    EXPECT_FALSE(all.dataSet->Active());
}

}  // namespace
