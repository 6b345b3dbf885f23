#include <functional>

#include "tests/data_grid/lookup_grid_fixture.h"

namespace lookup_grid_test {
namespace {

// What the grid shows after a case: the key, whether the special row stands for it, the running
// search text and the chosen entry's text.
struct ChoiceCase {
    const char* name;
    std::function<void(LookupGridFixture&)> run;
    Variant key;
    bool specSelected;
    std::string search;
    std::string selectedText;
};

const std::vector<ChoiceCase>& ChoiceCases() {
    static const std::vector<ChoiceCase> cases = {
        {"a key equal to the special row's value selects it",
         [](LookupGridFixture& f) {
             f.ShowSpecRow();
             f.grid->SetKeyValue(3);
             f.grid->SetKeyValue(Variant::Null());
         },
         Variant::Null(), true, "", "(нет)"},
        {"a key missing from the list shows the special row while ShowIfNotInKeyList is on",
         [](LookupGridFixture& f) {
             f.ShowSpecRow();
             f.grid->SetKeyValue(99);
         },
         99, true, "", "(нет)"},
        {"a key missing from the list leaves the special row off and the list at its start",
         [](LookupGridFixture& f) {
             f.ShowSpecRow();
             f.grid->SpecRow()->SetShowIfNotInKeyList(false);
             f.people.Last();
             f.grid->SetKeyValue(99);
             EXPECT_EQ(f.CurrentId(), 1);
         },
         99, false, "", "Alpha"},
        {"a key of several values for one key field is never located",
         [](LookupGridFixture& f) {
             f.ShowSpecRow();
             f.grid->SetKeyValue(VarArrayOf({Variant(3), Variant(4)}));
         },
         VarArrayOf({Variant(3), Variant(4)}), true, "", "(нет)"},
        {"typing a then b within two seconds searches a then ab",
         [](LookupGridFixture& f) {
             f.Type("a");
             EXPECT_EQ(f.grid->KeyValue(), Variant(1));
             f.ui.Advance(1900);
             f.Type("B");
         },
         2, false, "aB", "Abc"},
        {"a pause over two seconds starts a fresh search",
         [](LookupGridFixture& f) {
             f.Type("a");
             f.ui.Advance(2100);
             f.Type("b");
         },
         3, false, "b", "Bravo"},
        {"a text not in the list keeps the search text and the key",
         [](LookupGridFixture& f) { f.Type("bq"); }, 3, false, "b", "Bravo"},
        {"Backspace empties the search text", [](LookupGridFixture& f) { f.Type("bra\b"); }, 3, false, "",
         "Bravo"},
        {"the 33rd character of a search is ignored",
         [](LookupGridFixture& f) {
             f.Type(std::string(32, 'x'));
             EXPECT_EQ(f.grid->SearchText().size(), 32u);
             f.Type("x");
         },
         6, false, std::string(32, 'x'), LongName},
        {"Up at the start of the list selects the special row",
         [](LookupGridFixture& f) {
             f.ShowSpecRow();
             f.grid->SetKeyValue(1);
             f.people.First();
             f.Press(VK_UP);
         },
         Variant::Null(), true, "", "(нет)"},
        {"Down from the special row chooses the first record",
         [](LookupGridFixture& f) {
             f.ShowSpecRow();
             f.Press(VK_DOWN);
         },
         1, false, "", "Alpha"},
        {"Down and Up step through the list and end the search",
         [](LookupGridFixture& f) {
             f.Type("b");
             f.Press(VK_DOWN);
             f.Press(VK_DOWN);
             f.Press(VK_UP);
         },
         4, false, "", "Борис"},
        {"Left and Right step while the horizontal bar is hidden",
         [](LookupGridFixture& f) {
             f.grid->SetKeyValue(3);
             f.Press(VK_LEFT);
             EXPECT_EQ(f.grid->KeyValue(), Variant(2));
             f.Press(VK_RIGHT);
             f.Press(VK_RIGHT);
         },
         4, false, "", "Борис"},
        {"Home and End choose the first and the last record",
         [](LookupGridFixture& f) {
             f.grid->SetKeyValue(3);
             f.Press(VK_END);
             EXPECT_EQ(f.grid->KeyValue(), Variant(6));
             f.Press(VK_HOME);
         },
         1, false, "", "Alpha"},
    };
    return cases;
}

TEST(LookupGrid, ChoosesKeysByValueTypingAndMoveKeys) {
    for (const ChoiceCase& c : ChoiceCases()) {
        SCOPED_TRACE(c.name);
        LookupGridFixture f;
        c.run(f);
        EXPECT_EQ(f.grid->KeyValue(), c.key);
        EXPECT_EQ(f.grid->SpecRowSelected(), c.specSelected);
        EXPECT_EQ(f.grid->SearchText(), c.search);
        EXPECT_EQ(f.grid->SelectedText(), c.selectedText);
    }
}

TEST(LookupGrid, SearchIgnoresLetterCaseOfCyrillicText) {
    LookupGridFixture f;
    f.Type("БОР");
    EXPECT_EQ(f.grid->KeyValue(), Variant(4));
    f.ui.Advance(2500);
    f.Type("борщ");
    EXPECT_EQ(f.grid->KeyValue(), Variant(5));
    EXPECT_EQ(f.grid->SelectedText(), "борщ");
}

TEST(LookupGrid, LeftAndRightScrollWhileTheHorizontalBarShows) {
    LookupGridFixture f;
    f.grid->SetBounds(0, 0, 60, 200);
    f.ui.ProcessMessages();
    ASSERT_TRUE(f.grid->HorzScrollBar()->IsShown());
    f.grid->SetKeyValue(3);
    f.Press(VK_LEFT);
    f.Press(VK_RIGHT);
    f.Press(VK_RIGHT);
    EXPECT_EQ(f.grid->KeyValue(), Variant(3));
}

// The list field and the list fields after a change of ListField or of the columns.
struct ListFieldCase {
    const char* name;
    std::function<void(LookupGridFixture&)> run;
    std::vector<std::string> listFields;
    std::string listField;
};

TEST(LookupGrid, ListFieldFollowsIndexTextAndColumnMoves) {
    const std::vector<ListFieldCase> cases = {
        {"the list field is the one at the list-field index",
         [](LookupGridFixture& f) {
             f.grid->SetListFieldIndex(1);
             f.grid->SetListField("CITY;NAME");
         },
         {"CITY", "NAME"},
         "NAME"},
        {"an index outside the list fields takes the first",
         [](LookupGridFixture& f) {
             f.grid->SetListFieldIndex(5);
             f.grid->SetListField("CITY;NAME");
         },
         {"CITY", "NAME"},
         "CITY"},
        {"an empty ListField shows the key fields",
         [](LookupGridFixture& f) { f.grid->SetListField(""); },
         {"ID"},
         "ID"},
        {"moving the list field's column keeps its field",
         [](LookupGridFixture& f) {
             f.grid->SetListFieldIndex(1);
             f.grid->SetListField("CITY;NAME");
             f.grid->SetListField("NAME;CITY");
             f.Columns().ColumnAt(1)->SetIndex(0);
             EXPECT_EQ(f.grid->ListField(), "CITY;NAME");
             EXPECT_EQ(f.grid->ListFieldIndex(), 0);
         },
         {"CITY", "NAME"},
         "CITY"},
        {"moving another column before it keeps the list field",
         [](LookupGridFixture& f) {
             f.grid->SetListField("NAME;CITY;ID");
             f.Columns().ColumnAt(2)->SetIndex(0);
             EXPECT_EQ(f.grid->ListFieldIndex(), 1);
         },
         {"ID", "NAME", "CITY"},
         "NAME"},
    };
    for (const ListFieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        LookupGridFixture f;
        c.run(f);
        std::vector<std::string> names;
        for (TField* field : f.grid->ListFields()) names.push_back(field->FieldName);
        EXPECT_EQ(names, c.listFields);
        ASSERT_NE(f.grid->ListFieldObject(), nullptr);
        EXPECT_EQ(f.grid->ListFieldObject()->FieldName, c.listField);
        std::vector<std::string> columns;
        for (int i = 0; i < f.Columns().Count(); ++i) columns.push_back(f.Columns().ColumnAt(i)->FieldName());
        EXPECT_EQ(columns, c.listFields) << "the automatic columns are the list fields";
    }
}

TEST(LookupGrid, MissingListFieldLeavesTheListInactive) {
    LookupGridFixture f;
    try {
        f.grid->SetListField("NAME;NOPE");
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'NAME;NOPE' not found");
    }
    EXPECT_FALSE(f.grid->ListActive());
    EXPECT_EQ(f.grid->RecordCount(), 0);
    EXPECT_FALSE(f.grid->CanModifyKey());
}

TEST(LookupGrid, SpecialRowMovesItsCellsWithTheColumns) {
    LookupGridFixture f;
    f.ShowSpecRow("нет;город");
    auto* name = static_cast<TDBLookupGridColumnEh*>(f.Columns().ColumnAt(0));
    f.Columns().ColumnAt(1)->SetIndex(0);
    EXPECT_EQ(f.grid->SpecRow()->CellsText(), "город;нет");
    EXPECT_EQ(name->SpecCell()->Text(), "нет");
    name->SpecCell()->SetText("ничего");
    f.grid->SpecRow()->SetCellsText("a;b");
    EXPECT_EQ(name->SpecCell()->Text(), "ничего") << "an own text stays";
}

}  // namespace
}  // namespace lookup_grid_test
