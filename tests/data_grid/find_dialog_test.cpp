// The find dialog over a grid on the in-memory dataset, typed and clicked through: directions and
// Ctrl reversing them, the three match modes with and without letter case, the scope, the pattern
// history and what a failed search leaves behind.
#include "platform/rtl/exceptions.h"
#include "tests/data_grid/find_dialog_fixture.h"

namespace find_dialog_test {
namespace {

constexpr int NotFound = 0;

struct Click {
    bool ctrl;
    int id;  // NotFound: the record and the column stay where they were
    const char* column;
};

struct SearchCase {
    const char* name;
    int startId;  // -1: the dataset's end (Last)
    const char* startColumn;
    const char* scope;  // nullptr: "<All>"
    TFindDirectionEh direction;
    TFindMatchModeEh mode;
    bool matchCase;
    const char* pattern;
    std::vector<Click> clicks;
};

const SearchCase SearchCases[] = {
    {"all starts from the first record",
     4,
     "ID",
     nullptr,
     fdAllEh,
     fmmAnywhereEh,
     false,
     "омск",
     {{false, 3, "CITY"}, {false, NotFound, ""}}},
    {"two matches in one record are found in turn",
     5,
     "ID",
     nullptr,
     fdAllEh,
     fmmAnywhereEh,
     false,
     "ТВЕРЬ",
     {{false, 2, "NAME"}, {false, 2, "CITY"}, {false, NotFound, ""}}},
    {"down examines the current record first",
     3,
     "CITY",
     nullptr,
     fdDownEh,
     fmmAnywhereEh,
     false,
     "омск",
     {{false, 3, "CITY"}}},
    {"up from the first record examines it before the beginning ends the search",
     1,
     "ID",
     nullptr,
     fdUpEh,
     fmmAnywhereEh,
     false,
     "alpha",
     {{false, 1, "NAME"}, {false, NotFound, ""}}},
    {"down at the end examines the last record",
     -1,
     "ID",
     nullptr,
     fdDownEh,
     fmmAnywhereEh,
     false,
     "псков",
     {{false, 5, "CITY"}}},
    {"up never wraps round to the last record",
     2,
     "ID",
     nullptr,
     fdUpEh,
     fmmAnywhereEh,
     false,
     "курск",
     {{false, NotFound, ""}}},
    {"down never wraps round to the first record",
     4,
     "ID",
     nullptr,
     fdDownEh,
     fmmAnywhereEh,
     false,
     "alpha",
     {{false, NotFound, ""}}},
    {"Ctrl turns down into up",
     4,
     "ID",
     nullptr,
     fdDownEh,
     fmmAnywhereEh,
     false,
     "alpha",
     {{true, 1, "NAME"}}},
    {"Ctrl turns up into down", 2, "ID", nullptr, fdUpEh, fmmAnywhereEh, false, "курск", {{true, 4, "CITY"}}},
    {"Ctrl with all on a first try stops at the first record",
     4,
     "ID",
     nullptr,
     fdAllEh,
     fmmAnywhereEh,
     false,
     "москва",
     {{true, NotFound, ""}}},
    {"an empty pattern never matches anywhere",
     1,
     "ID",
     nullptr,
     fdAllEh,
     fmmAnywhereEh,
     false,
     "",
     {{false, NotFound, ""}}},
    {"an empty pattern matches an empty whole cell",
     1,
     "ID",
     nullptr,
     fdAllEh,
     fmmWholeEh,
     false,
     "",
     {{false, 5, "NAME"}}},
    {"an empty pattern matches the start of the first cell",
     3,
     "CITY",
     nullptr,
     fdAllEh,
     fmmStartEh,
     false,
     "",
     {{false, 1, "ID"}, {false, 1, "NAME"}}},
    {"the whole cell ignoring case",
     1,
     "ID",
     nullptr,
     fdAllEh,
     fmmWholeEh,
     false,
     "омск",
     {{false, 3, "CITY"}}},
    {"part of a cell is not the whole cell",
     1,
     "ID",
     nullptr,
     fdAllEh,
     fmmWholeEh,
     false,
     "Омс",
     {{false, NotFound, ""}}},
    {"the start of cells, one after the other",
     1,
     "ID",
     nullptr,
     fdAllEh,
     fmmStartEh,
     false,
     "бор",
     {{false, 3, "NAME"}, {false, 4, "NAME"}}},
    {"the start is not the middle",
     1,
     "ID",
     nullptr,
     fdAllEh,
     fmmStartEh,
     false,
     "рис",
     {{false, NotFound, ""}}},
    {"match case refuses another case",
     1,
     "ID",
     nullptr,
     fdAllEh,
     fmmAnywhereEh,
     true,
     "борис",
     {{false, NotFound, ""}}},
    {"match case still moves the current column to the match",
     1,
     "CITY",
     nullptr,
     fdAllEh,
     fmmAnywhereEh,
     true,
     "Борис",
     {{false, 3, "NAME"}}},
    {"one column as the scope",
     1,
     "ID",
     "NAME",
     fdAllEh,
     fmmAnywhereEh,
     false,
     "тверь",
     {{false, 2, "NAME"}, {false, NotFound, ""}}},
    {"a one-column scope misses the other columns",
     1,
     "ID",
     "CITY",
     fdAllEh,
     fmmAnywhereEh,
     false,
     "bravo",
     {{false, NotFound, ""}}},
};

class FindDialogSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(FindDialogSearch, FindsTheCellsItShould) {
    const SearchCase& c = GetParam();
    GridWithFindDialog g;
    TDBGridEhFindDlg& dialog = g.Open();
    TStrings& scopes = *dialog.cbFindIn->Items();
    dialog.cbFindIn->SetItemIndex(c.scope != nullptr ? scopes.IndexOf(c.scope) : scopes.Count() - 1);
    dialog.cbFindDirection->SetItemIndex(c.direction);
    dialog.cbMatchinType->SetItemIndex(c.mode);
    dialog.cbCharCase->SetChecked(c.matchCase);
    dialog.cbText->SetText(c.pattern);
    if (c.startId < 0)
        g.ds.Last();
    else
        g.GoTo(c.startId);
    g.SelectColumn(c.startColumn);
    std::vector<std::string> messages;
    for (std::size_t i = 0; i < c.clicks.size(); ++i) {
        const Click& click = c.clicks[i];
        SCOPED_TRACE("click " + std::to_string(i + 1));
        const int idBefore = g.RecordId();
        const std::string columnBefore = g.CurrentColumn();
        g.ui.PressKey(VK_RETURN, click.ctrl ? TShiftState{ssCtrl} : TShiftState{});
        if (click.id == NotFound) {
            messages.push_back("Строка \"" + std::string(c.pattern) + "\" не найдена.");
            EXPECT_EQ(g.RecordId(), idBefore);
            EXPECT_EQ(g.CurrentColumn(), columnBefore);
        } else {
            EXPECT_EQ(g.RecordId(), click.id);
            EXPECT_EQ(g.CurrentColumn(), click.column);
        }
        EXPECT_EQ(g.Messages(), messages);
        EXPECT_FALSE(g.ds.ControlsDisabled());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FindDialogSearch, ::testing::ValuesIn(SearchCases),
                         [](const ::testing::TestParamInfo<SearchCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(FindDialog, TheScopeStartsAtTheGridsCurrentColumnOrAtAll) {
    GridWithFindDialog g;
    g.SelectColumn("CITY");
    TDBGridEhFindDlg& dialog = g.Open("омск");
    EXPECT_EQ(dialog.cbFindIn->Text(), "CITY");
    EXPECT_EQ(dialog.SearchColumns().Count(), 1);
    EXPECT_EQ(dialog.cbText->Text(), "омск");
    EXPECT_EQ(dialog.FindGrid(), g.grid);
    // An explicit scope without the current column's caption starts at "<All>".
    auto* name = static_cast<TColumnEh*>(g.grid->Columns()->Items(1));
    g.Open("", {{"Имя", name}});
    EXPECT_EQ(dialog.cbFindIn->Items()->CommaText(), "Имя,<All>");
    EXPECT_EQ(dialog.cbFindIn->ItemIndex(), 1);
    EXPECT_EQ(dialog.SearchColumns().Count(), 1);
    EXPECT_EQ(dialog.SearchColumns().ColumnAt(0), name);
}

TEST(FindDialog, ThePatternHistoryKeepsOneEntryPerTextWhateverItsCase) {
    GridWithFindDialog g;
    TDBGridEhFindDlg& dialog = g.Open();
    dialog.cbFindIn->SetItemIndex(dialog.cbFindIn->Items()->Count() - 1);
    for (const char* pattern : {"тверь", "ТВЕРЬ", "Тверь", "омск"}) {
        dialog.cbText->SetText(pattern);
        g.ui.PressKey(VK_RETURN);
        EXPECT_EQ(g.RecordId(), std::string(pattern) == "омск" ? 3 : 2) << pattern;
    }
    // A search that cannot run records its pattern too.
    g.ds.Close();
    dialog.cbText->SetText("курск");
    g.ui.PressKey(VK_RETURN);
    EXPECT_EQ(dialog.cbText->Items()->CommaText(), "тверь,омск,курск");
    // Each changed text searched afresh from the first record; the closed dataset was not searched.
    EXPECT_TRUE(g.Messages().empty());
}

TEST(FindDialog, ChangingThePatternDirectionOrScopeStartsAFreshSearch) {
    GridWithFindDialog g;
    TDBGridEhFindDlg& dialog = g.Open();
    dialog.cbFindIn->SetItemIndex(dialog.cbFindIn->Items()->Count() - 1);
    dialog.cbText->SetText("тверь");
    g.ui.PressKey(VK_RETURN);
    ASSERT_FALSE(dialog.FirstTry());
    dialog.cbFindDirection->SetItemIndex(fdUpEh);
    EXPECT_TRUE(dialog.FirstTry());
    EXPECT_EQ(dialog.SearchColumnIndex(), 2);
    g.ui.PressKey(VK_RETURN);
    EXPECT_EQ(g.CurrentColumn(), "CITY");
    g.ui.PressKey(VK_RETURN);
    EXPECT_EQ(g.CurrentColumn(), "NAME");
    dialog.cbFindIn->SetItemIndex(0);
    EXPECT_TRUE(dialog.FirstTry());
    EXPECT_EQ(dialog.SearchColumnIndex(), 0);
}

}  // namespace
}  // namespace find_dialog_test

namespace find_dialog_test {
namespace {

TEST(FindDialog, AFailingCellTextPassesOnWithTheControlsEnabledAgain) {
    GridWithFindDialog g;
    TDBGridEhFindDlg& dialog = g.Open("курск");
    dialog.cbFindIn->SetItemIndex(dialog.cbFindIn->Items()->Count() - 1);
    g.ds.FieldByName("CITY")->OnGetText = [](TField* field, std::string& text, bool) {
        if (field->AsString() == "Омск")
            throw EConvertError("unreadable");
        text = field->AsString();
    };
    EXPECT_THROW(dialog.bFindClick(dialog.bFind), EConvertError);
    EXPECT_FALSE(g.ds.ControlsDisabled());
    EXPECT_EQ(g.RecordId(), 3);
    EXPECT_TRUE(g.Messages().empty());
}

}  // namespace
}  // namespace find_dialog_test
