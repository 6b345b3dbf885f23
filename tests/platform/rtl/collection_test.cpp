// Collections: the notices a collection hears, in order, as items come, move, change and go;
// IDs, indexes, Assign and the names of collections and their items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/collection.h"

namespace {

class Entry : public TCollectionItem {
  public:
    std::string ClassName() const override { return "Entry"; }
    void Assign(const TPersistent& source) override {
        if (const auto* other = dynamic_cast<const Entry*>(&source)) {
            label = other->label;
            Changed(false);
        } else {
            TCollectionItem::Assign(source);
        }
    }
    std::string label;

  protected:
    std::string GetDisplayName() const override {
        return label.empty() ? TCollectionItem::GetDisplayName() : label;
    }
};

// Writes down every notice as text: "added 0", "deleting 1", "update *" (all), "update 2".
class Journal : public TOwnedCollection {
  public:
    explicit Journal(TPersistent* owner = nullptr) : TOwnedCollection(owner, ItemClass<Entry>()) {}
    Entry* At(int index) const { return static_cast<Entry*>(Items(index)); }
    std::vector<std::string> notices;

  protected:
    void Notify(TCollectionItem* item, TCollectionNotification action) override {
        const char* names[] = {"added", "extracting", "deleting"};
        notices.push_back(std::string(names[action]) + " " + std::to_string(item->ID()));
    }
    void Update(TCollectionItem* item) override {
        notices.push_back(item == nullptr ? "update *" : "update " + std::to_string(item->ID()));
    }
};

std::vector<int> Ids(const TCollection& c) {
    std::vector<int> ids;
    for (int i = 0; i < c.Count(); ++i) ids.push_back(c.Items(i)->ID());
    return ids;
}

TEST(Collection, NoticesComeInOrderAndUpdatesWaitForTheLastEndUpdate) {
    using Notices = std::vector<std::string>;
    struct Step {
        const char* what;
        std::function<void(Journal&)> act;
        Notices notices;
        std::vector<int> ids;
    };
    const Step steps[] = {
        {"add", [](Journal& j) { j.Add(); }, {"added 0", "update *"}, {0}},
        {"insert at the front", [](Journal& j) { j.Insert(0); }, {"added 1", "update *", "update *"}, {1, 0}},
        {"move", [](Journal& j) { j.Items(0)->SetIndex(1); }, {"update *"}, {0, 1}},
        {"move to where it is", [](Journal& j) { j.Items(0)->SetIndex(0); }, {}, {0, 1}},
        {"one item changes", [](Journal& j) { j.Items(1)->SetDisplayName("x"); }, {"update 1"}, {0, 1}},
        {"delete", [](Journal& j) { j.Delete(0); }, {"deleting 0", "extracting 0", "update *"}, {1}},
        {"all inside one update",
         [](Journal& j) {
             j.BeginUpdate();
             j.BeginUpdate();
             j.Add();
             j.Add();
             j.Items(2)->SetIndex(0);
             j.Items(1)->SetDisplayName("y");
             j.Delete(1);
             j.EndUpdate();  // still inside the outer one
             j.notices.push_back("-");
             j.EndUpdate();
         },
         {"added 2", "added 3", "deleting 1", "extracting 1", "-", "update *"},
         {3, 2}},
        {"an item freed by itself", [](Journal& j) { Free(j.Items(0)); }, {"extracting 3", "update *"}, {2}},
        {"clear",
         [](Journal& j) {
             j.Add();
             j.notices.clear();
             j.Clear();
         },
         {"extracting 4", "extracting 2", "update *"},
         {}},
    };
    Journal journal;
    for (const Step& step : steps) {
        journal.notices.clear();
        step.act(journal);
        EXPECT_EQ(journal.notices, step.notices) << step.what;
        EXPECT_EQ(Ids(journal), step.ids) << step.what;
    }
    EXPECT_EQ(journal.NextID(), 5);  // IDs are never reused
}

TEST(Collection, IndexesOutsideTheListRaiseAndChangeNothing) {
    Journal journal;
    journal.Add();
    journal.Add();
    struct Case {
        const char* what;
        std::function<void()> act;
        const char* message;
    };
    const Case cases[] = {
        {"item", [&] { journal.Items(2); }, "List index out of bounds (2)"},
        {"negative item", [&] { journal.Items(-1); }, "List index out of bounds (-1)"},
        {"delete", [&] { journal.Delete(5); }, "List index out of bounds (5)"},
        {"insert", [&] { journal.Insert(3); }, "List index out of bounds (3)"},
        {"move", [&] { journal.Items(0)->SetIndex(2); }, "List index out of bounds (2)"},
    };
    for (const Case& c : cases) {
        try {
            c.act();
            ADD_FAILURE() << c.what;
        } catch (const EListError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.what;
        }
    }
    EXPECT_EQ(Ids(journal), (std::vector<int>{0, 1}));
    EXPECT_EQ(journal.Insert(2)->Index(), 2);  // at the end is a place too
    EXPECT_EQ(journal.FindItemID(1), journal.Items(1));
    EXPECT_EQ(journal.FindItemID(7), nullptr);
}

TEST(Collection, AssignCopiesItemsThroughTheirAssignInOneUpdate) {
    Journal source;
    static_cast<Entry*>(source.Add())->label = "a";
    static_cast<Entry*>(source.Add())->label = "b";
    Journal target;
    target.Add();
    target.notices.clear();
    target.Assign(source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(target.At(0)->label, "a");
    EXPECT_EQ(target.At(1)->label, "b");
    EXPECT_EQ(target.notices, (std::vector<std::string>{"extracting 0", "added 1", "added 2", "update *"}));
    target.Assign(target);  // itself: nothing lost
    EXPECT_EQ(target.Count(), 2);
    TPersistent other;
    EXPECT_THROW(target.Assign(other), EConvertError);
}

TEST(Collection, NamePathsAndDisplayNames) {
    TComponent grid(nullptr);
    grid.SetName("Grid1");
    Journal columns(&grid);
    columns.SetPropName("Columns");
    columns.Add();
    Entry* second = static_cast<Entry*>(columns.Add());
    EXPECT_EQ(columns.GetNamePath(), "Grid1.Columns");
    EXPECT_EQ(second->GetNamePath(), "Grid1.Columns[1]");
    EXPECT_EQ(second->GetOwner(), &columns);
    EXPECT_EQ(columns.GetOwner(), &grid);
    EXPECT_EQ(second->DisplayName(), "Entry");
    second->label = "Surname";
    EXPECT_EQ(second->DisplayName(), "Surname");

    Journal loose;
    EXPECT_EQ(loose.GetNamePath(), "TOwnedCollection");
    columns.SetPropName("");
    EXPECT_EQ(columns.GetNamePath(), "TOwnedCollection");
}

}  // namespace
