// The combo box typed, stepped and cleared as a user would, over the in-memory dataset: keys beyond
// the items, the key-based search, completion of typed text, stepping by keys, wheel and up-down
// button, clearing, the not-in-list event and what is written to the data.
#include <cctype>
#include <functional>
#include <vector>

#include "platform/rtl/class_registry.h"
#include "platform/rtl/form_stream.h"
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
    {"g typed into a bound box", true, "COLOR", {{"g"}}, "Green", 1, {1, 4}, "G"},
    {"typing over a chosen key", true, "MUST", {{"g"}}, "Green", 1, {1, 4}, "G"},
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

// A stored box without its button controls, which a form does not store.
std::string OwnSettings(const std::string& text) {
    std::string own;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at) + 1;
        const std::string line = text.substr(at, end - at);
        at = end;
        if (line.rfind("  object ", 0) == 0 || line == "  end\n")
            continue;
        own += line;
    }
    return own;
}

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

TEST_F(ComboForm, ChoosingByIndexWritesTheRecordAndANoneClearsIt) {
    KeyBased();
    Bind("COLOR");
    combo->SetItemIndex(1);
    EXPECT_EQ(ds.State(), dsEdit);
    EXPECT_EQ(combo->Text(), "Green");
    EXPECT_EQ(ds.FieldByName("COLOR")->AsString(), "G");
    combo->SetItemIndex(5);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_TRUE(ds.FieldByName("COLOR")->AsString().empty());
    combo->SetItemIndex(0);
    combo->Clear();
    EXPECT_EQ(combo->Text(), "");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_TRUE(ds.FieldByName("COLOR")->AsString().empty());
}

TEST_F(ComboForm, ChangingTheItemsKeepsTheKeyShownAndKeysMakeTheBoxAPickList) {
    Bind("MUST");
    EXPECT_EQ(combo->Text(), "R") << "a plain box shows the field's text";
    EXPECT_FALSE(combo->KeyBased());
    Focus();
    KeyBased();
    EXPECT_TRUE(combo->KeyBased());
    EXPECT_EQ(combo->Text(), "Red");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_TRUE(combo->TEdit::ReadOnly) << "no free typing into a key-based box";
    EXPECT_EQ(combo->Alignment(), taLeftJustify);
    combo->Items()->Put(0, "Rot");
    EXPECT_EQ(combo->Text(), "Rot") << "the key's new text";
    EXPECT_EQ(combo->ItemIndex(), 0);
    combo->KeyItems()->Clear();
    EXPECT_FALSE(combo->KeyBased());
    EXPECT_EQ(combo->Text(), "R");
}

TEST_F(ComboForm, AutoDropOpensTheListOnTheFirstCharacter) {
    combo->DropDownBox()->SetAutoDrop(true);
    Focus();
    Type("g");
    ASSERT_TRUE(combo->ListVisible());
    EXPECT_EQ(List().ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "Green");
    EXPECT_EQ(combo->Perform(CM_WANTSPECIALKEY, VK_RETURN), 1) << "Enter is the list's, not the form's";
    Press(VK_RETURN);
    EXPECT_FALSE(combo->ListVisible());
}

TEST_F(ComboForm, ACancelModeFromOutsideClosesTheListButNotOneFromTheList) {
    Focus();
    combo->OpenDropDown();
    ASSERT_TRUE(combo->ListVisible());
    combo->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(&List()));
    EXPECT_TRUE(combo->ListVisible());
    combo->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(next));
    EXPECT_FALSE(combo->ListVisible());
}

TEST_F(ComboForm, ItemsKeysAndListSettingsAreStoredAndReadBack) {
    combo->SetName("Visit");
    combo->Items()->Add("it's");
    for (const char* key : {"R", "G", "Q"}) combo->KeyItems()->Add(key);
    combo->DropDownBox()->SetRows(10);
    combo->DropDownBox()->SetSizable(true);
    combo->DropDownBox()->SetAlign(daRight);
    const std::string text = OwnSettings(ComponentToText(*combo));
    EXPECT_NE(text.find("  Items.Strings = (\n    'Red'\n    'Green'\n    'it''s')\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("  KeyItems.Strings = (\n"), std::string::npos);
    EXPECT_NE(
        text.find("  DropDownBox.Align = daRight\n  DropDownBox.Rows = 10\n  DropDownBox.Sizable = True\n"),
        std::string::npos)
        << text;
    TClassRegistry classes;
    classes.RegisterClass<TDBComboBoxEh>("TDBComboBoxEh");
    TObjectPtr<TComponent> read = TextToComponent(text, classes);
    auto& copy = dynamic_cast<TDBComboBoxEh&>(*read);
    EXPECT_EQ(copy.ItemsCount(), 3);
    EXPECT_EQ(copy.KeyItems()->Get(2), "Q");
    EXPECT_EQ(copy.DropDownBox()->Rows(), 10);
    EXPECT_EQ(OwnSettings(ComponentToText(copy)), text);

    TDropDownBoxEh box;
    box.SetAutoDrop(true);
    box.Assign(*combo->DropDownBox());
    EXPECT_EQ(box.Rows(), 10);
    EXPECT_EQ(box.Align(), daRight);
    EXPECT_TRUE(box.AutoDrop()) << "AutoDrop is not copied";
}
