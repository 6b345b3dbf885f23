// The remembered texts: adding, limits, filtering by prefix and giving up when a key waits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/mru_list.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"

namespace {

std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Get(i));
    return lines;
}

void Fill(TMRUListEh& mru, const std::vector<std::string>& texts) {
    mru.Items()->Clear();
    for (const std::string& t : texts) mru.Items()->Add(t);
}

TEST(MRUList, AddItem) {
    struct Case {
        const char* what;
        std::vector<std::string> before;
        bool caseSensitive;
        int limit;
        std::string text;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"found entry moves to the end in its own spelling",
         {"x", "ABC", "y"},
         false,
         100,
         "abc",
         {"x", "y", "ABC"}},
        {"case-sensitive: another spelling is new",
         {"x", "ABC", "y"},
         true,
         100,
         "abc",
         {"x", "ABC", "y", "abc"}},
        {"Cyrillic folded without case sensitivity", {"Привет", "z"}, false, 100, "привет", {"z", "Привет"}},
        {"blank text changes nothing", {"x"}, false, 100, "   ", {"x"}},
        {"empty text changes nothing", {"x"}, false, 100, "", {"x"}},
        {"blanks around a text are kept", {"x"}, false, 100, " y ", {"x", " y "}},
        {"over the limit drops the oldest", {"a", "b", "c"}, false, 3, "d", {"b", "c", "d"}},
        {"a moved entry drops nothing", {"a", "b", "c"}, false, 3, "A", {"b", "c", "a"}},
        {"limit 0 keeps nothing", {}, false, 0, "a", {}},
    };
    for (const Case& c : cases) {
        TMRUListEh mru(nullptr);
        Fill(mru, c.before);
        mru.SetCaseSensitive(c.caseSensitive);
        mru.SetLimit(c.limit);
        mru.AddItem(c.text);
        EXPECT_EQ(Lines(*mru.Items()), c.after) << c.what;
    }
}

TEST(MRUList, TheHundredAndFirstTextDropsTheOldest) {
    TMRUListEh mru(nullptr);
    for (int i = 0; i < 101; ++i) mru.AddItem("t" + std::to_string(i));
    ASSERT_EQ(mru.Items()->Count(), 100);
    EXPECT_EQ(mru.Items()->Get(0), "t1");
    EXPECT_EQ(mru.Items()->Get(99), "t100");
}

TEST(MRUList, LimitTrimsAndANegativeOneIsZero) {
    TMRUListEh mru(nullptr);
    Fill(mru, {"a", "b", "c"});
    mru.SetLimit(2);
    EXPECT_EQ(Lines(*mru.Items()), (std::vector<std::string>{"b", "c"}));
    mru.SetLimit(-5);
    EXPECT_EQ(mru.Limit(), 0);
    EXPECT_EQ(mru.Items()->Count(), 0);
    mru.AddItem("d");
    EXPECT_EQ(mru.Items()->Count(), 0);
}

TEST(MRUList, FilterByPrefixWithTheHook) {
    struct Case {
        const char* what;
        bool caseSensitive;
        std::string prefix;
        std::vector<std::string> matches;
    };
    const Case cases[] = {
        {"case aside", false, "ab", {"abc", "ABD", "ab"}},
        {"case-sensitive", true, "ab", {"abc", "ab"}},
        {"empty prefix takes all", false, "", {"abc", "ABD", "xab", "ab", "a"}},
        {"longer than every entry", false, "abcde", {}},
    };
    for (const Case& c : cases) {
        TMRUListEh mru(nullptr);
        Fill(mru, {"abc", "ABD", "xab", "ab", "a"});
        mru.SetCaseSensitive(c.caseSensitive);
        TStringList target;
        target.Add("stale");
        EXPECT_TRUE(mru.FilterByPrefix(target, c.prefix)) << c.what;
        EXPECT_EQ(Lines(target), c.matches) << c.what;
    }

    TMRUListEh mru(nullptr);
    Fill(mru, {"abc", "abd", "xyz"});
    std::vector<std::string> asked;
    mru.OnFilterItem = [&](TObject* sender, const std::string& text, bool& accept) {
        EXPECT_EQ(sender, &mru);
        asked.push_back(text);
        accept = text != "abd" && (accept || text == "xyz");
    };
    TStringList target;
    mru.FilterByPrefix(target, "ab");
    EXPECT_EQ(asked, (std::vector<std::string>{"abc", "abd", "xyz"}));
    EXPECT_EQ(Lines(target), (std::vector<std::string>{"abc", "xyz"}));
}

TEST(MRUList, AWaitingKeyPressCutsFilteringShort) {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    Application->CreateForm(&form);
    auto* edit = NewComponent<TEdit>(form);
    edit->SetParent(form);
    form->Show();
    ui.ProcessMessages();

    TMRUListEh mru(nullptr);
    mru.SetLimit(1000);
    for (int i = 0; i < 500; ++i) mru.AddItem("item" + std::to_string(i));
    TStringList target;
    ui.KeyDown('X', {}, "x");
    EXPECT_FALSE(mru.FilterByPrefix(target, "item"));
    EXPECT_EQ(Lines(target), (std::vector<std::string>{"item0"}));

    mru.SetCancelIfKeyInQueue(false);
    EXPECT_TRUE(mru.FilterByPrefix(target, "item"));
    EXPECT_EQ(target.Count(), 500);

    ui.ProcessMessages();  // the key is taken: filtering runs through again
    mru.SetCancelIfKeyInQueue(true);
    EXPECT_TRUE(mru.FilterByPrefix(target, "item4"));
    EXPECT_EQ(target.Count(), 111);
}

TEST(MRUList, HooksAndAssign) {
    TMRUListEh mru(nullptr);
    std::vector<std::string> calls;
    mru.OnActiveChanged = [&](TMRUListEh*) { calls.push_back("active"); };
    mru.OnDropDown = [&](TMRUListEh*) { calls.push_back("drop"); };
    mru.OnCloseUp = [&](TMRUListEh*, bool accept) { calls.push_back(accept ? "accept" : "cancel"); };
    mru.SetActive(true);
    mru.SetActive(true);
    mru.DropDown();
    mru.CloseUp(true);
    mru.CloseUp(false);
    EXPECT_EQ(calls, (std::vector<std::string>{"active", "drop", "accept", "cancel"}));

    TMRUListEh source(nullptr);
    Fill(source, {"p", "q"});
    source.SetLimit(5);
    source.SetRows(3);
    source.SetCaseSensitive(true);
    source.SetAutoAdd(false);
    calls.clear();
    mru.Assign(source);
    EXPECT_EQ(calls, (std::vector<std::string>{"active"}));
    EXPECT_FALSE(mru.Active());
    EXPECT_EQ(Lines(*mru.Items()), (std::vector<std::string>{"p", "q"}));
    EXPECT_EQ(mru.Limit(), 5);
    EXPECT_EQ(mru.Rows(), 3);
    EXPECT_TRUE(mru.CaseSensitive());
    EXPECT_TRUE(mru.AutoAdd());  // the owner's own setting
}

}  // namespace
