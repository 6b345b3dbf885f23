// A data link hands actions that serve its data source to that source.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "platform/rtl/basic_action.h"

namespace {

// Serves data sources only, and writes down what it was asked to do.
class SourceAction : public TBasicAction {
  public:
    bool HandlesTarget(TObject* target) override { return dynamic_cast<TDataSource*>(target) != nullptr; }
    void ExecuteTarget(TObject* target) override { Log.push_back("execute " + Name(target)); }
    void UpdateTarget(TObject* target) override {
        Log.push_back("update " + Name(target));
        Enabled = false;
    }
    std::vector<std::string> Log;

  private:
    static std::string Name(TObject* target) { return static_cast<TComponent*>(target)->Name(); }
};

TEST(DataLinkActions, GoToTheLinksDataSourceWhenTheActionServesIt) {
    TDataSource source;
    source.SetName("Orders");
    struct Case {
        const char* name;
        TDataSource* linked;
        bool handled;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"linked", &source, true, {"execute Orders", "update Orders"}},
        {"without a source", nullptr, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDataLink link;
        link.SetDataSource(c.linked);
        SourceAction action;
        EXPECT_EQ(link.ExecuteAction(&action), c.handled);
        EXPECT_EQ(link.UpdateAction(&action), c.handled);
        EXPECT_EQ(action.Log, c.log);
        EXPECT_EQ(action.Enabled, !c.handled);
    }
}

TEST(DataLinkActions, AnActionThatServesOtherTargetsIsLeftAlone) {
    TDataSource source;
    TDataLink link;
    link.SetDataSource(&source);
    TBasicAction action;
    int runs = 0;
    action.OnExecute = [&](TObject*) { ++runs; };
    EXPECT_FALSE(link.ExecuteAction(&action));
    EXPECT_FALSE(link.UpdateAction(&action));
    EXPECT_FALSE(link.ExecuteAction(nullptr));
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(action.Execute());
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(action.Update());
}

}  // namespace
