// The combo box typed, stepped and cleared as a user would, over the in-memory dataset: keys beyond
// the items, the key-based search, completion of typed text, stepping by keys, wheel and up-down
// button, clearing, the not-in-list event and what is written to the data.
#include <cctype>
#include <functional>
#include <vector>

#include "platform/ui/clipboard.h"
#include "platform/ui/image_list.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/db_combo_box_test_support.h"

namespace {

struct Step {
    std::string typed;  // typed text, or
    WORD key = 0;       // a key pressed
};

struct Case {
    const char* name;
    bool keyBased;
    const char* field;  // nullptr: unbound
    std::vector<Step> steps;
    std::string text;
    int index;
    std::pair<int, int> selection;  // start and length after the steps
    std::string value;              // the box's value as text
};

const Case kCases[] = {
    {"a key beyond the items", true, "COLOR", {}, "", -1, {0, 0}, "B"},
    {"g finds Green", true, nullptr, {{"g"}}, "Green", 1, {1, 4}, "G"},
    {"Backspace widens the search", true, nullptr, {{"g"}, {"", VK_BACK}}, "Green", 1, {0, 5}, "G"},
    {"a letter no item begins with", true, nullptr, {{"g"}, {"x"}}, "Green", 1, {1, 4}, "G"},
    {"r completes Red", false, nullptr, {{"r"}}, "Red", 0, {1, 2}, "Red"},
    {"r then e completes Red", false, nullptr, {{"re"}}, "Red", 0, {2, 1}, "Red"},
    {"Backspace drops the completion", false, nullptr, {{"r"}, {"", VK_BACK}}, "R", -1, {1, 0}, "R"},
    {"no item begins so", false, nullptr, {{"bl"}}, "bl", -1, {2, 0}, "bl"},
    {"Up from none takes the last", false, nullptr, {{"", VK_UP}}, "Green", 1, {0, 5}, "Green"},
    {"Down from none takes the first", false, nullptr, {{"", VK_DOWN}}, "Red", 0, {0, 3}, "Red"},
    {"Down at the end stays", false, nullptr, {{"", VK_UP}, {"", VK_DOWN}}, "Green", 1, {0, 5}, "Green"},
    {"Up at the first stays", false, "NAME", {{"", VK_DOWN}, {"", VK_UP}}, "Red", 0, {0, 3}, "Red"},
    {"key-based Up from a key beyond", true, "COLOR", {{"", VK_UP}}, "Green", 1, {0, 5}, "G"},
    {"Delete keeps a required key", true, "MUST", {{"", VK_DELETE}}, "Red", 0, {0, 3}, "R"},
    {"Down steps a required key", true, "MUST", {{"", VK_DOWN}}, "Green", 1, {0, 5}, "G"},
    {"Delete clears a key", true, "COLOR", {{"", VK_UP}, {"", VK_DELETE}}, "", -1, {0, 0}, ""},
    {"Delete clears an unbound key", true, nullptr, {{"g"}, {"", VK_DELETE}}, "", -1, {0, 0}, ""},
};

}  // namespace

struct ComboCases : ComboForm, ::testing::WithParamInterface<Case> {};

TEST_P(ComboCases, TypedSteppedAndClearedAsAUserWould) {
    const Case& c = GetParam();
    if (c.keyBased)
        KeyBased();
    if (c.field != nullptr)
        Bind(c.field);
    EXPECT_EQ(combo->ItemsCount(), 2);
    Focus();
    for (const Step& step : c.steps) {
        if (step.key != 0)
            Press(step.key);
        else
            Type(step.typed);
    }
    EXPECT_EQ(combo->Text(), c.text);
    EXPECT_EQ(combo->ItemIndex(), c.index);
    EXPECT_EQ(Selection(), c.selection);
    EXPECT_EQ(VarToStr(combo->Value()), c.value);
    next->SetFocus();
    ui.ProcessMessages();
    if (c.field != nullptr) {
        EXPECT_EQ(ds.FieldByName(c.field)->AsString(), c.value) << "written to the record on leaving";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ComboCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (char ch : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name + "_" + std::to_string(info.index);
                         });
