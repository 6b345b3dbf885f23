// What a typed cell stores besides plain text: a key-list column's key, a lookup cell's key found
// by its text, the value copied from the record above; and the editor following the field.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/string_list.h"
#include "tests/data_grid/db_grid_keys_fixture.h"
#include "tests/support/add_field.h"

using namespace grid_keys_test;

namespace {

void SetItems(TStrings* list, const std::vector<std::string>& items) {
    list->Clear();
    for (const std::string& item : items) list->Add(item);
}

// CITY as a key-list column: keys stored, their names shown and typed.
void CitiesByKey(KeyedGrid& g) {
    SetItems(g.Column(2)->KeyList(), {"Москва", "Тверь"});
    SetItems(g.Column(2)->PickList(), {"Moscow", "Tver"});
    g.grid->SetCol(KeyedGrid::CityCol);
}

TEST(GridEditingValues, AKeyListCellShowsTheNameAndStoresTheKeyOfTheTypedName) {
    struct Case {
        const char* typed;
        bool addsOnNotInList;
        Variant stored;
    };
    const std::vector<Case> cases = {
        {"tver", false, Variant("Тверь")},
        {"Omsk", false, Variant::Null()},
        {"Omsk", true, Variant("Омск")},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        CitiesByKey(g);
        g.GoTo(1);
        g.Press(VK_F2);
        ASSERT_EQ(g.EditorText(), "Moscow");
        std::vector<std::string> notInList;
        g.Column(2)->OnNotInList = [&](TObject*, const std::string& text, bool& recheck) {
            notInList.push_back(text);
            if (c.addsOnNotInList) {
                g.Column(2)->KeyList()->Add("Омск");
                g.Column(2)->PickList()->Add("Omsk");
                recheck = true;
            }
        };
        g.grid->InplaceEditor()->SelectAll();
        g.Type(c.typed);
        g.Press(VK_RETURN);
        const Variant city = g.ds.FieldByName("CITY")->Value();
        EXPECT_EQ(city.IsNull(), c.stored.IsNull()) << c.typed;
        EXPECT_EQ(city.IsNull() ? "" : city.AsString(), c.stored.IsNull() ? "" : c.stored.AsString())
            << c.typed;
        EXPECT_EQ(notInList.size(), std::string(c.typed) == "Omsk" ? 1u : 0u) << c.typed;
    }
}

TEST(GridEditingValues, ALookupCellWithoutAKeyTakesTheKeyOfTheRecordShowingTheTypedText) {
    struct Case {
        const char* typed;
        bool addsOnNotInList;
        int key;  // 0: none
    };
    const std::vector<Case> cases = {{"SECOND", false, 2}, {"third", false, 0}, {"third", true, 3}};
    for (const Case& c : cases) {
        OneColumnGrid<> g;
        TMemoryDataSet kinds;
        kinds.SetColumns({"KIND", "TITLE"});
        kinds.SetColumnType(0, ftInteger);
        kinds.SetColumnType(1, ftString, 20);
        kinds.AddRow({Variant(1), Variant("first")});
        kinds.AddRow({Variant(2), Variant("second")});
        kinds.Open();
        TMemoryDataSet ds;
        ds.SetColumns({"KIND"});
        ds.SetColumnType(0, ftInteger);
        ds.AddRow({Variant::Null()});
        AddField<TIntegerField>(ds, "KIND");
        AddLookupField<TStringField>(ds, "KIND_NAME", 20, kinds, "KIND", "KIND", "TITLE");
        TColumnEh* column = g.OpenColumn(ds, "KIND_NAME");
        column->OnNotInList = [&](TObject*, const std::string&, bool& recheck) {
            if (c.addsOnNotInList) {
                kinds.AddRow({Variant(3), Variant("Third")});
                recheck = true;
            }
        };
        g.Show();
        g.ui.TypeText(c.typed);
        g.ui.PressKey(VK_RETURN);
        g.ui.ProcessMessages();
        const Variant key = ds.FieldByName("KIND")->Value();
        EXPECT_EQ(key.IsNull() ? 0 : key.AsInteger(), c.key) << c.typed;
        g.grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
        kinds.BeforeDestruction();
    }
}

TEST(GridEditingValues, CtrlQuoteCopiesTheValueOfTheRecordAboveIntoAnEditableCell) {
    struct Case {
        const char* what;
        int id;
        std::function<void(KeyedGrid&)> setUp;
        std::string name;  // the current record's name afterwards
    };
    const std::vector<Case> cases = {
        {"second record", 2, [](KeyedGrid&) {}, "Alpha"},
        {"first record: nothing above", 1, [](KeyedGrid&) {}, "Alpha"},
        {"read-only column", 2, [](KeyedGrid& g) { g.Column(1)->SetReadOnly(true); }, "bravo"},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        c.setUp(g);
        g.GoTo(c.id);
        g.Press(222, {ssCtrl});
        EXPECT_EQ(g.Name(), c.name) << c.what;
        EXPECT_EQ(g.CurrentId(), c.id) << c.what;
    }
}

TEST(GridEditingValues, TheEditorFollowsAFieldTheDatasetChangesAndTheInputMethodOpensIt) {
    KeyedGrid g;
    g.GoTo(2);
    g.grid->Perform(WM_IME_STARTCOMPOSITION, 0, 0);
    ASSERT_TRUE(g.EditorShown());
    EXPECT_EQ(g.EditorText(), "bravo");
    g.ds.Edit();
    g.ds.FieldByName("NAME")->SetAsString("changed");
    EXPECT_EQ(g.EditorText(), "changed");
    g.ds.FieldByName("CITY")->SetAsString("Вологда");
    EXPECT_EQ(g.EditorText(), "changed");
}

}  // namespace

namespace {

TEST(GridEditingValues, TheEditorStartsWithTheTextTheCellParametersGiveInEditMode) {
    KeyedGrid g;
    std::vector<bool> modes;
    g.Column(1)->SetOnGetCellParams([&](TObject*, bool EditMode, TColCellParamsEh* Params) {
        modes.push_back(EditMode);
        if (EditMode)
            Params->Text = "<" + Params->Text + ">";
    });
    g.GoTo(2);
    g.Press(VK_F2);
    EXPECT_EQ(g.EditorText(), "<bravo>");
    EXPECT_EQ(g.grid->EditText(), "<bravo>");
    EXPECT_NE(std::count(modes.begin(), modes.end(), true), 0) << "asked in edit mode";
}

}  // namespace
