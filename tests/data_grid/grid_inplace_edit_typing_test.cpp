// The grid editor's typing in lookup and key-list cells, typed through the headless host: letters
// completed against the pick list and the lookup list dataset, letters no item starts with
// swallowed or let in by OnNotInList, Delete and Backspace, paste, and a double click stepping the
// value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/mru_list.h"
#include "data_controls/mru_listbox.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/typed_fields.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/application.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/headless_grid_form.h"
#include "tests/support/add_field.h"
#include "tests/support/memory_dataset.h"

namespace {

// People with a kind kept as a key ("A1") shown through a pick list ("Alpha"), a city kept as an
// id shown through a lookup field into a list of cities, a count, and a note offered from a pick
// list but free to hold any text.
struct TypingGrid : ::testing::Test, HeadlessGridForm {
    static constexpr int KindCol = 1;
    static constexpr int CityCol = 2;
    static constexpr int CountCol = 3;
    static constexpr int NoteCol = 4;

    TMemoryDataSet cities;
    TMemoryDataSet people;
    TField* kind = nullptr;
    TField* cityId = nullptr;
    TField* count = nullptr;
    std::vector<std::string> notInList;

    TypingGrid() {
        cities.SetColumns({"ID", "NAME"});
        cities.SetColumnType(0, ftInteger);
        cities.SetColumnType(1, ftString, 20);
        for (const auto& [id, name] :
             std::vector<std::pair<int, const char*>>{{1, "Омск"}, {2, "Tver"}, {3, "Kazan"}, {4, "Kaluga"}})
            cities.AddRow({id, name});
        cities.Open();
        people.SetColumns({"KIND", "CITY_ID", "COUNT", "NOTE"});
        people.SetColumnType(0, ftString, 10);
        people.SetColumnType(1, ftInteger);
        people.SetColumnType(2, ftInteger);
        people.SetColumnType(3, ftString, 10);
        people.AddRow({"B2", 2, 5, "Bravo"});
        people.AddRow({"C3", 1, 7, ""});
        kind = AddField<TStringField>(people, "KIND", fkData, 10);
        cityId = AddField<TIntegerField>(people, "CITY_ID");
        count = AddField<TIntegerField>(people, "COUNT");
        AddField<TStringField>(people, "NOTE", fkData, 10);
        AddLookupField<TStringField>(people, "City", 20, cities, "CITY_ID", "ID", "NAME");
        people.Open();

        CreateForm(500, 300);
        PlaceGrid({0, 0, 480, 200});
        auto* source = NewComponent<TDataSource>(form);
        source->SetDataSet(&people);
        for (const char* name : {"KIND", "City", "COUNT", "NOTE"}) Columns().Add()->SetFieldName(name);
        SetItems(Column(KindCol)->KeyList(), {"A1", "A2", "B2", "C3"});
        SetItems(Column(KindCol)->PickList(), {"Alpha", "Abacus", "Bravo", "Charlie"});
        SetItems(Column(NoteCol)->PickList(), {"Alpha", "Abacus", "Bravo"});
        ShowGrid(source);
    }
    ~TypingGrid() override {
        grid->SetDataSource(nullptr);
        people.BeforeDestruction();
        cities.BeforeDestruction();
    }

    static void SetItems(TStrings* list, const std::vector<std::string>& items) {
        list->Clear();
        for (const std::string& item : items) list->Add(item);
    }
    TColumnEh* Column(int gridCol) const { return Columns().ColumnAt(gridCol - 1); }
    TDBGridInplaceEdit* Editor() const { return dynamic_cast<TDBGridInplaceEdit*>(grid->InplaceEditor()); }
    // The column takes texts not in its list; the texts it was told of are kept.
    void TakeTextsNotInList(int gridCol) {
        Column(gridCol)->OnNotInList = [this](TObject*, const std::string& text, bool&) {
            notInList.push_back(text);
        };
    }
    // Opens the editor on the first record's cell, its whole text selected.
    TDBGridInplaceEdit* OpenEditor(int gridCol) {
        grid->SetCol(gridCol);
        Press(VK_F2);
        Editor()->SelectAll();
        return Editor();
    }
    void Press(WORD key, TShiftState shift = {}) {
        ui.PressKey(key, shift);
        ui.ProcessMessages();
    }
    void Type(const std::string& text) { ui.TypeText(text); }
    std::string Selected() const { return Editor()->SelText(); }
    // Leaves the row, which writes the edited cell into the record.
    void PostRow() {
        Press(VK_DOWN);
        people.First();
    }
    // Runs Check in the column's editor, the column taking texts not in its list when TakesOthers, and
    // leaves the cell and the column as they were.
    template <typename CheckFn>
    void InCell(int gridCol, bool TakesOthers, CheckFn Check) {
        if (TakesOthers)
            TakeTextsNotInList(gridCol);
        OpenEditor(gridCol);
        Check();
        Press(VK_ESCAPE);
        Press(VK_ESCAPE);
        Column(gridCol)->OnNotInList = nullptr;
    }
    // The editor and the grid hold Text, the completed part of it selected.
    void ExpectCompleted(const std::string& Text, const std::string& Completed) {
        EXPECT_EQ(Editor()->Text(), Text);
        EXPECT_EQ(Selected(), Completed);
        EXPECT_EQ(grid->EditText(), Text);
    }
};

// What a text entered into a list cell completes to.
struct CompletionCase {
    int col;
    const char* entered;
    bool takesOthers;
    const char* text;
    const char* selected;
};

// ---- Typing

TEST(GridInplaceEditFindStringIndex, FindsTheFirstItemEqualOrStartingWithTheTextInAnyLetterCase) {
    TStringList list;
    for (const char* item : {"Alpha", "Abacus", "Борис", "борщ", "Ab"}) list.Add(item);
    struct Case {
        const char* text;
        bool partial;
        int index;
    };
    const std::vector<Case> cases = {
        {"ab", true, 1},    {"ab", false, 4},       {"ALPHA", false, 0}, {"бор", true, 2},
        {"БОРЩ", false, 3}, {"Alphabet", true, -1}, {"", true, 0},       {"", false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TDBGridInplaceEdit::FindStringIndex(list, c.text, c.partial), c.index)
            << c.text << (c.partial ? " partial" : "");
}

TEST_F(TypingGrid, LettersCompleteToTheFirstListItemStartingWithThem) {
    const std::vector<CompletionCase> cases = {
        {KindCol, "a", false, "Alpha", "lpha"},   {KindCol, "ab", false, "Abacus", "acus"},
        {KindCol, "AB", false, "Abacus", "acus"}, {KindCol, "abx", false, "Abacus", "acus"},
        {KindCol, "x", false, "Bravo", "Bravo"},  {KindCol, "abx", true, "Abx", ""},
        {CityCol, "k", false, "Kazan", "azan"},   {CityCol, "kal", false, "Kaluga", "uga"},
        {CityCol, "ом", false, "Омск", "ск"},     {CityCol, "x", false, "Tver", "Tver"},
        {CityCol, "kx", true, "Kx", ""},
    };
    for (const CompletionCase& c : cases) {
        SCOPED_TRACE(std::string(c.entered) + (c.takesOthers ? " with OnNotInList" : ""));
        InCell(c.col, c.takesOthers, [&] {
            Type(c.entered);
            ExpectCompleted(c.text, c.selected);
        });
    }
}

TEST_F(TypingGrid, TheOpenListFollowsTheTypedText) {
    OpenEditor(KindCol);
    Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(Editor()->ListShown());
    Type("ab");
    EXPECT_EQ(Editor()->Text(), "Abacus");
    EXPECT_EQ(Editor()->PickList()->ItemIndex(), 1);
    TakeTextsNotInList(KindCol);
    Press(VK_BACK);
    EXPECT_EQ(Editor()->Text(), "A");
    EXPECT_EQ(Editor()->PickList()->ItemIndex(), -1) << "no item is just A";
    Type("lphax");
    EXPECT_EQ(Editor()->Text(), "Alphax");
    EXPECT_EQ(Editor()->PickList()->ItemIndex(), -1);
    Press(VK_BACK);
    EXPECT_EQ(Editor()->PickList()->ItemIndex(), 0) << "Backspace back to an item";
    Type("x");
    Editor()->SetSelStart(5);
    Editor()->SetSelLength(1);
    Press(VK_DELETE);
    EXPECT_EQ(Editor()->Text(), "Alpha");
    EXPECT_EQ(Editor()->PickList()->ItemIndex(), 0) << "Delete back to an item";
    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
    Press(VK_ESCAPE);

    OpenEditor(CityCol);
    Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(Editor()->ListShown());
    Type("kal");
    EXPECT_EQ(Editor()->DataList()->KeyValue(), Variant(4));
}

TEST_F(TypingGrid, TheGridsEditedKeyFollowsTheLookupTextAndIsStored) {
    OpenEditor(CityCol);
    Type("kaz");
    EXPECT_EQ(grid->EditKeyValue(), Variant(3));
    Type("x");
    EXPECT_EQ(grid->EditKeyValue(), Variant(3)) << "a letter no city has changes nothing";
    PostRow();
    EXPECT_EQ(cityId->AsInteger(), 3);
}

TEST_F(TypingGrid, ALookupTextNotInTheListTakesNoKey) {
    TakeTextsNotInList(CityCol);
    OpenEditor(CityCol);
    Type("Kaz");
    EXPECT_EQ(grid->EditKeyValue(), Variant(3));
    Type("x");
    EXPECT_EQ(Editor()->Text(), "Kazx");
    EXPECT_TRUE(grid->EditKeyValue().IsNull());
}

TEST_F(TypingGrid, AKeyListItemTypedIsStoredAsItsKey) {
    OpenEditor(KindCol);
    Type("ab");
    PostRow();
    EXPECT_EQ(kind->AsString(), "A2");
}

TEST_F(TypingGrid, TypingInAReadOnlyListCellChangesNothing) {
    for (int col : {KindCol, CityCol}) {
        Column(col)->SetReadOnly(true);
        OpenEditor(col);
        const std::string before = Editor()->Text();
        Type("a");
        EXPECT_EQ(Editor()->Text(), before) << col;
        EXPECT_EQ(people.State(), dsBrowse) << col;
        Press(VK_ESCAPE);
    }
}

// ---- Delete and Backspace

TEST_F(TypingGrid, BackspaceEmptyingThePlainTextOpensTheRememberedTexts) {
    TMRUListEh* mru = Column(CountCol)->MRUList();
    mru->SetActive(true);
    for (const char* text : {"10", "12", "7"}) mru->Items()->Add(text);
    struct Case {
        const char* before;
        WORD prepare;
        const char* text;
        bool droppedDown;
        int shown;
    };
    const std::vector<Case> cases = {
        {"", 0, "", true, 3},          // the whole text selected
        {"", VK_DELETE, "", true, 3},  // already empty
        {"12", 0, "1", true, 2},       // a text left: the list follows it
        {"1", 0, "", false, 0},        // emptied while open: the list closes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " " + std::to_string(c.prepare));
        OpenEditor(CountCol);
        if (c.prepare != 0)
            Press(c.prepare);
        Type(c.before);
        Press(VK_BACK);
        EXPECT_EQ(Editor()->Text(), c.text);
        EXPECT_EQ(grid->EditText(), c.text);
        EXPECT_EQ(mru->DroppedDown(), c.droppedDown);
        if (c.droppedDown) {
            EXPECT_TRUE(Editor()->MRUListBox()->Visible());
            EXPECT_EQ(Editor()->MRUListBox()->Items()->Count(), c.shown);
        }
        Editor()->MRUListClosed(false);
        Press(VK_ESCAPE);
        Press(VK_ESCAPE);
    }
}

TEST_F(TypingGrid, DeleteWithTheWholeTextSelectedClearsTheCell) {
    OpenEditor(CityCol);
    Press(VK_DELETE);
    EXPECT_EQ(Editor()->Text(), "");
    EXPECT_TRUE(grid->EditKeyValue().IsNull());
    PostRow();
    EXPECT_TRUE(cityId->IsNull());

    OpenEditor(KindCol);
    Press(VK_DELETE);
    EXPECT_EQ(Editor()->Text(), "");
    EXPECT_EQ(grid->EditText(), "");
}

TEST_F(TypingGrid, DeleteOfPartOfTheTextNeedsOnNotInList) {
    OpenEditor(CityCol);
    Type("ka");
    Press(VK_DELETE);
    EXPECT_EQ(Editor()->Text(), "Kazan") << "the key is dropped";
    EXPECT_EQ(grid->EditKeyValue(), Variant(3));

    TakeTextsNotInList(CityCol);
    Press(VK_DELETE);
    EXPECT_EQ(Editor()->Text(), "Ka");
    EXPECT_EQ(Editor()->SelStart(), 2);
    EXPECT_TRUE(grid->EditKeyValue().IsNull());
    EXPECT_EQ(grid->EditText(), "Ka");
}

TEST_F(TypingGrid, BackspaceStepsBackOrDeletesWithOnNotInList) {
    struct Case {
        int col;
        bool takesOthers;
        const char* text;
        int caret;
        bool keyNull;
    };
    const std::vector<Case> cases = {
        {CityCol, false, "Kazan", 2, false},
        {CityCol, true, "K", 1, true},
        {KindCol, false, "Abacus", 2, false},
        {KindCol, true, "A", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.col) + (c.takesOthers ? " with OnNotInList" : ""));
        InCell(c.col, c.takesOthers, [&] {
            Type(c.col == CityCol ? "ka" : "ab");
            Press(VK_BACK);
            EXPECT_EQ(Editor()->Text(), c.text);
            EXPECT_EQ(Editor()->SelStart(), c.caret);
            EXPECT_EQ(Editor()->SelLength(), 0);
            EXPECT_EQ(grid->EditText(), c.text);
            if (c.col == CityCol) {
                EXPECT_EQ(grid->EditKeyValue().IsNull(), c.keyNull);
            }
        });
    }
}

TEST_F(TypingGrid, BackspaceInAListCellNeverLeavesTheCell) {
    TDBGridEhOptions options = grid->Options();
    options.Include(gdoAlwaysShowEditorEh);
    grid->SetOptions(options);
    for (int col : {CityCol, KindCol}) {
        OpenEditor(col);
        const std::string before = Editor()->Text();
        Press(VK_BACK);
        EXPECT_EQ(grid->Col(), col) << "the whole text selected";
        EXPECT_EQ(Editor()->Text(), before);
        EXPECT_EQ(Editor()->SelLength(), 0);
        Editor()->SetSelStart(0);
        Press(VK_BACK);
        EXPECT_EQ(grid->Col(), col) << "the caret at the start";
    }
}

TEST_F(TypingGrid, BackspaceThenTypingCompletesAgain) {
    OpenEditor(KindCol);
    Type("ab");
    Press(VK_BACK);
    Press(VK_BACK);
    Type("l");
    EXPECT_EQ(Editor()->Text(), "Alpha");
    EXPECT_EQ(Selected(), "pha");
}

// ---- Paste

TEST_F(TypingGrid, PasteCompletesAgainstTheListWithTheCompletedPartSelected) {
    const std::vector<CompletionCase> cases = {
        {KindCol, "ab", false, "Abacus", "acus"}, {KindCol, "CHAR", false, "Charlie", "lie"},
        {KindCol, "zz", false, "Bravo", "Bravo"}, {KindCol, "zz", true, "zz", ""},
        {CityCol, "tv", false, "Tver", "er"},     {CityCol, "zz", false, "Tver", "Tver"},
        {CityCol, "zz", true, "zz", ""},          {NoteCol, "ab", false, "ab", ""},
    };
    for (const CompletionCase& c : cases) {
        SCOPED_TRACE(std::string(c.entered) + (c.takesOthers ? " with OnNotInList" : ""));
        InCell(c.col, c.takesOthers, [&] {
            Clipboard()->SetAsText(c.entered);
            Press('V', {ssCtrl});
            ExpectCompleted(c.text, c.selected);
        });
    }
}

TEST_F(TypingGrid, PasteKeepsTheTextAroundTheSelection) {
    OpenEditor(CityCol);
    Type("k");
    Clipboard()->SetAsText("alu");
    Editor()->Perform(WM_PASTE);
    EXPECT_EQ(Editor()->Text(), "Kaluga");
    EXPECT_EQ(Selected(), "ga");
    EXPECT_EQ(grid->EditKeyValue(), Variant(4));
}

TEST_F(TypingGrid, APasteIntoAPlainCellOpensTheRememberedTextsAsTypingDoes) {
    TMRUListEh* mru = Column(CountCol)->MRUList();
    mru->SetActive(true);
    for (const char* text : {"10", "12", "7"}) mru->Items()->Add(text);
    OpenEditor(CountCol);
    Clipboard()->SetAsText("1");
    Editor()->Perform(WM_PASTE);
    EXPECT_EQ(Editor()->Text(), "1");
    EXPECT_TRUE(mru->DroppedDown());
    EXPECT_EQ(Editor()->MRUListBox()->Items()->Count(), 2);
}

TEST_F(TypingGrid, AClipboardWithoutTextChangesNothing) {
    for (int col : {KindCol, CityCol}) {
        OpenEditor(col);
        const std::string before = Editor()->Text();
        Clipboard()->Clear();
        Press(VK_INSERT, {ssShift});
        EXPECT_EQ(Editor()->Text(), before) << col;
        EXPECT_EQ(people.State(), dsBrowse) << col;
        Press(VK_ESCAPE);
    }
}

// ---- Double click

TEST_F(TypingGrid, ADoubleClickStepsTheValueWithDblClickNextVal) {
    struct Case {
        bool nextVal;
        TShiftState shift;
        int count;
    };
    const std::vector<Case> cases = {{false, {}, 5}, {true, {}, 6}, {true, {ssShift}, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.count));
        Column(CountCol)->SetDblClickNextVal(c.nextVal);
        TDBGridInplaceEdit* editor = OpenEditor(CountCol);
        const TPoint origin = editor->FormOrigin();
        const TPoint at{origin.X + editor->Width() / 2, origin.Y + editor->Height() / 2};
        for (int i = 0; i < 2; ++i) {
            platform::ui::PostMouseDown(*form, mbLeft, c.shift, at);
            platform::ui::PostMouseUp(*form, mbLeft, c.shift, at);
        }
        ui.ProcessMessages();
        EXPECT_EQ(count->AsInteger(), c.count);
        Press(VK_ESCAPE);
        Press(VK_ESCAPE);
    }
}

}  // namespace
