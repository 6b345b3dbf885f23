// The grid's keys typed through a headless form: moving past the last record and back, the
// in-place search and its shortcuts, Shift ranges of rows, Tab across records and Ctrl+Delete.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/ui/dialogs.h"
#include "tests/data_grid/db_grid_keys_fixture.h"

using namespace grid_keys_test;

namespace {

struct DownUpStep {
    WORD key;
    TDataSetState state;
    int storedRows;
};

TEST(GridKeys, DownPastTheLastRecordAppendsOnceAndUpCancelsTheUntouchedRecord) {
    KeyedGrid g;
    g.GoTo(5);
    const std::vector<DownUpStep> steps = {
        {VK_DOWN, dsInsert, 5},  // a new record below the last
        {VK_DOWN, dsInsert, 5},  // nothing typed into it: no second one
        {VK_UP, dsBrowse, 5},    // given up
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        g.Press(steps[i].key);
        EXPECT_EQ(g.ds.State(), steps[i].state) << "step " << i;
        EXPECT_EQ(g.ds.StoredRowCount(), steps[i].storedRows) << "step " << i;
    }
    EXPECT_EQ(g.CurrentId(), 5);
}

TEST(GridKeys, DownOnTheLastRecordAppendsNothingWhenAppendIsNotAllowed) {
    struct Case {
        const char* what;
        std::function<void(KeyedGrid&)> setUp;
    };
    const std::vector<Case> cases = {
        {"read-only grid", [](KeyedGrid& g) { g.grid->SetReadOnly(true); }},
        {"no append",
         [](KeyedGrid& g) {
             g.grid->SetAllowedOperations({alopInsertEh, alopUpdateEh});
         }},
        {"no editing",
         [](KeyedGrid& g) { g.grid->SetOptions(g.grid->Options() - TDBGridEhOptions{gdoEditingEh}); }},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        c.setUp(g);
        g.GoTo(5);
        g.Press(VK_DOWN);
        EXPECT_EQ(g.ds.State(), dsBrowse) << c.what;
        EXPECT_EQ(g.CurrentId(), 5) << c.what;
    }
}

TEST(GridKeys, CtrlFTwiceStartsASearchWithoutTimeoutThenOpensTheFindDialog) {
    KeyedGrid g;
    g.grid->SetExtOptions(g.grid->ExtOptions() + TDBGridEhExtOptions{gxoIncSearchEh, gxoDialogFindEh});
    std::vector<bool> dialogs;
    DBGridEhUnit()->FindHook = [&](TCustomDBGridEh* grid, const std::string&, const TColumnFieldsArrEh&,
                                   bool modal) {
        EXPECT_EQ(grid, g.grid);
        dialogs.push_back(modal);
    };
    g.Press('F', {ssCtrl});
    EXPECT_TRUE(g.grid->InplaceSearching());
    EXPECT_EQ(g.grid->InplaceSearchTimeout(), -1);
    EXPECT_TRUE(dialogs.empty());
    g.ui.Advance(5000);
    EXPECT_TRUE(g.grid->InplaceSearching()) << "a search without timeout runs until it is ended";

    g.Press('F', {ssCtrl});
    EXPECT_FALSE(g.grid->InplaceSearching());
    EXPECT_EQ(dialogs, std::vector<bool>{true});
}

struct SearchStep {
    std::string typed;
    int id;              // the record current afterwards
    std::string search;  // the search text afterwards, in the record's own letter case
};

void RunSearch(const std::vector<SearchStep>& steps) {
    KeyedGrid g;
    g.grid->SetExtOptions(g.grid->ExtOptions() + TDBGridEhExtOptions{gxoIncSearchEh});
    g.grid->SetOptions(g.grid->Options() - TDBGridEhOptions{gdoEditingEh});
    for (const SearchStep& step : steps) {
        g.Type(step.typed);
        EXPECT_EQ(g.CurrentId(), step.id) << "after " << step.typed;
        EXPECT_EQ(g.grid->InplaceSearchText(), step.search) << "after " << step.typed;
        EXPECT_TRUE(g.grid->InplaceSearching());
    }
    EXPECT_FALSE(g.EditorShown()) << "typing searched; it opened no editor";
    EXPECT_EQ(g.ds.State(), dsBrowse);
}

TEST(GridKeys, TypingSearchesTakingTheRecordsLetterCaseAndDroppingAnUnmatchedLetter) {
    RunSearch({{"B", 2, "b"}, {"R", 2, "br"}, {"x", 2, "br"}, {"a", 2, "bra"}});
}

TEST(GridKeys, TypingSearchesWholeCyrillicCharactersInAnyLetterCase) {
    RunSearch({{"бОР", 3, "Бор"}, {"Щ", 4, "борщ"}, {"ж", 4, "борщ"}});
}

TEST(GridKeys, BackspaceTakesBackAWholeCharacterAndTheTimerEndsTheSearch) {
    KeyedGrid g;
    g.grid->SetExtOptions(g.grid->ExtOptions() + TDBGridEhExtOptions{gxoIncSearchEh});
    g.grid->SetOptions(g.grid->Options() - TDBGridEhOptions{gdoEditingEh});
    g.Type("бор");
    ASSERT_EQ(g.grid->InplaceSearchText(), "Бор");
    g.Press(VK_BACK);
    EXPECT_EQ(g.grid->InplaceSearchText(), "Бо");
    EXPECT_EQ(g.grid->InplaceSearchTimeout(), 1500);
    g.ui.Advance(1400);
    EXPECT_TRUE(g.grid->InplaceSearching()) << "Backspace restarted the timer";
    g.ui.Advance(200);
    EXPECT_FALSE(g.grid->InplaceSearching());
    EXPECT_EQ(g.grid->InplaceSearchText(), "");
}

TEST(GridKeys, SearchNextAndPriorStepBetweenMatches) {
    KeyedGrid g;
    g.grid->SetExtOptions(g.grid->ExtOptions() + TDBGridEhExtOptions{gxoIncSearchEh});
    g.grid->SetOptions(g.grid->Options() - TDBGridEhOptions{gdoEditingEh});
    g.Type("б");
    ASSERT_EQ(g.CurrentId(), 3);
    const std::vector<std::pair<TShiftState, int>> steps = {
        {{ssCtrl}, 4}, {{ssCtrl}, 4}, {{ssCtrl, ssShift}, 3}, {{ssCtrl, ssShift}, 3}};
    for (const auto& [shift, id] : steps) {
        g.Press(VK_RETURN, shift);
        EXPECT_EQ(g.CurrentId(), id);
        EXPECT_TRUE(g.grid->InplaceSearching());
    }
    g.Press(VK_ESCAPE);
    EXPECT_FALSE(g.grid->InplaceSearching());
}

TEST(GridKeys, ShiftDownThreeTimesThenShiftUpLeavesTheAnchorAndTheNextTwoSelected) {
    KeyedGrid g;
    g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
    g.grid->SetAllowedSelections({gskRowsEh, gskColumnsEh, gskAllEh});
    g.GoTo(1);
    const std::vector<std::pair<WORD, std::vector<int>>> steps = {
        {VK_DOWN, {1, 2}}, {VK_DOWN, {1, 2, 3}}, {VK_DOWN, {1, 2, 3, 4}}, {VK_UP, {1, 2, 3}}};
    for (const auto& [key, selected] : steps) {
        g.Press(key, {ssShift});
        EXPECT_EQ(g.SelectedIds(), selected);
    }
    EXPECT_EQ(g.CurrentId(), 3);
    g.Press(VK_DOWN);
    EXPECT_TRUE(g.SelectedIds().empty()) << "a plain move drops the rows";
}

TEST(GridKeys, ShiftDownWithRectanglesAllowedStretchesABlockOfCells) {
    KeyedGrid g;
    g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
    g.GoTo(2);
    g.Press(VK_DOWN, {ssShift});
    g.Press(VK_RIGHT, {ssShift});
    ASSERT_EQ(g.grid->Selection()->Kind(), gskRectangleEh);
    EXPECT_TRUE(g.SelectedIds().empty());
    EXPECT_EQ(g.CurrentId(), 3);
    EXPECT_EQ(g.grid->Col(), KeyedGrid::CityCol);
}

TEST(GridKeys, TabOnTheLastColumnGoesToTheFirstDataColumnOfTheNextRecord) {
    KeyedGrid g;
    g.GoTo(2);
    g.Press(VK_TAB);
    EXPECT_EQ(g.grid->Col(), KeyedGrid::CityCol);
    EXPECT_EQ(g.CurrentId(), 2);
    g.Press(VK_TAB);
    EXPECT_EQ(g.grid->Col(), 1);
    EXPECT_EQ(g.CurrentId(), 3);
    g.Press(VK_TAB, {ssShift});
    EXPECT_EQ(g.grid->Col(), KeyedGrid::CityCol);
    EXPECT_EQ(g.CurrentId(), 2);
}

TEST(GridKeys, CtrlDeleteAsksWithTheTextForHowManyRowsAreSelected) {
    struct Case {
        std::vector<int> selected;
        int answer;
        std::string text;
        int rowsLeft;
    };
    const std::vector<Case> cases = {
        {{}, IDOK, "Delete record?", 4},
        {{2}, IDCANCEL, "Delete record?", 5},
        {{1, 2, 4}, IDCANCEL, "Delete all selected records?", 5},
        {{1, 2, 4}, IDOK, "Delete all selected records?", 2},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
        for (int id : c.selected) {
            g.GoTo(id);
            g.grid->SelectedRows()->SelectCurrentRow(true);
        }
        g.GoTo(3);
        g.ui.System().MessageBoxAnswer = c.answer;
        g.Press(VK_DELETE, {ssCtrl});
        ASSERT_EQ(g.ui.System().MessageBoxes().size(), 1u);
        EXPECT_EQ(g.ui.System().MessageBoxes()[0].Text, c.text);
        EXPECT_EQ(g.ds.StoredRowCount(), c.rowsLeft) << c.text;
    }
}

TEST(GridKeys, CtrlDeleteWithoutConfirmationDeletesAtOnceUnlessDeletingIsBarred) {
    struct Case {
        const char* what;
        std::function<void(KeyedGrid&)> setUp;
        int rowsLeft;
    };
    const std::vector<Case> cases = {
        {"allowed", [](KeyedGrid&) {}, 4},
        {"read-only grid", [](KeyedGrid& g) { g.grid->SetReadOnly(true); }, 5},
        {"no delete", [](KeyedGrid& g) { g.grid->SetAllowedOperations({alopUpdateEh}); }, 5},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        g.grid->SetOptions(g.grid->Options() - TDBGridEhOptions{gdoConfirmDeleteEh});
        c.setUp(g);
        g.Press(VK_DELETE, {ssCtrl});
        EXPECT_TRUE(g.ui.System().MessageBoxes().empty()) << c.what;
        EXPECT_EQ(g.ds.StoredRowCount(), c.rowsLeft) << c.what;
    }
}

TEST(GridKeys, CtrlWithAKeyJumpsToTheEndsOfTheDataAndColumns) {
    struct Case {
        WORD key;
        int id;
        int col;
    };
    const std::vector<Case> cases = {
        {VK_END, 5, KeyedGrid::NameCol},   {VK_HOME, 1, KeyedGrid::NameCol}, {VK_LEFT, 3, 1},
        {VK_RIGHT, 3, KeyedGrid::CityCol}, {VK_UP, 1, KeyedGrid::NameCol},   {VK_DOWN, 5, KeyedGrid::NameCol},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        g.GoTo(3);
        g.Press(c.key, {ssCtrl});
        EXPECT_EQ(g.CurrentId(), c.id) << "key " << c.key;
        EXPECT_EQ(g.grid->Col(), c.col) << "key " << c.key;
    }
}

TEST(GridKeys, PreferredSearchMakesTheGridWantCharacters) {
    KeyedGrid g;
    g.grid->SetOptions(g.grid->Options() - TDBGridEhOptions{gdoEditingEh});
    EXPECT_EQ(g.grid->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, 0);
    g.grid->SetExtOptions(g.grid->ExtOptions() + TDBGridEhExtOptions{gxoPreferIncSearchEh});
    EXPECT_NE(g.grid->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, 0);
}

}  // namespace

namespace {

// A text that cannot be shown stops the search, which still gives the dataset back to its
// controls on the record the user was on.
TEST(GridKeys, ASearchStoppedByAFailingTextLeavesTheDatasetWhereItWasAndShownAgain) {
    KeyedGrid g;
    g.grid->SetExtOptions(g.grid->ExtOptions() + TDBGridEhExtOptions{gxoIncSearchEh});
    g.GoTo(2);
    g.ds.FieldByName("NAME")->OnGetText = [](TField* Sender, std::string& Text, bool) {
        Text = Sender->AsString();
        if (Text == "борщ")
            throw EConvertError("Cannot show");
    };
    EXPECT_THROW(g.grid->GridIncrementalSearch("Ch", 1500, ismNewEh), EConvertError);
    EXPECT_FALSE(g.ds.ControlsDisabled());
    EXPECT_EQ(g.CurrentId(), 2);
    EXPECT_EQ(g.grid->InplaceSearchText(), "");
}

// A record inserted or deleted above the anchor of a Shift range moves the anchor down or up; the
// range stretched from the anchor afterwards runs from where the anchor is now shown.
TEST(GridKeys, ARangeStretchedAfterAnInsertOrDeleteAboveItsAnchorRunsFromTheAnchor) {
    const auto deleteFirst = [](KeyedGrid& g) {
        g.GoTo(1);
        g.ds.Delete();
    };
    const auto insertFirst = [](KeyedGrid& g) {
        g.GoTo(1);
        g.ds.Insert();
        g.ds.FieldByName("ID")->SetAsInteger(9);
        g.ds.Post();
    };
    struct Case {
        const char* what;
        std::function<void(KeyedGrid&)> change;
        WORD key;
        std::vector<int> selected;  // in the order shown
    };
    const std::vector<Case> cases = {
        {"one deleted above, to the end", deleteFirst, VK_END, {3, 4, 5}},
        {"one inserted above, to the start", insertFirst, VK_HOME, {9, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
        // Shift with the arrows selects rows (not a block) and passes over them without toggling.
        g.grid->SetAllowedSelections({gskRowsEh, gskColumnsEh, gskAllEh});
        g.grid->SetExtOptions(g.grid->ExtOptions() + TDBGridEhExtOptions{gxoClearSelectionEh});
        g.GoTo(3);
        g.Press(VK_DOWN, {ssShift});
        g.Press(VK_UP, {ssShift});  // the anchor on 3, the only row selected
        c.change(g);
        g.GoTo(3);
        g.Press(c.key, {ssCtrl, ssShift});
        std::vector<int> selected;
        for (g.ds.First(); !g.ds.Eof(); g.ds.Next())
            if (g.grid->SelectedRows()->IsCurrentRowSelected())
                selected.push_back(g.CurrentId());
        EXPECT_EQ(selected, c.selected) << c.what;
    }
}

TEST(GridKeys, CtrlShiftEndAndHomeSelectTheRowsToTheEndsOfTheData) {
    struct Case {
        WORD key;
        std::vector<int> selected;
        int id;
    };
    const std::vector<Case> cases = {{VK_END, {3, 4, 5}, 5}, {VK_HOME, {1, 2, 3}, 1}};
    for (const Case& c : cases) {
        KeyedGrid g;
        g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
        g.GoTo(3);
        g.Press(c.key, {ssCtrl, ssShift});
        EXPECT_EQ(g.SelectedIds(), c.selected) << c.key;
        EXPECT_EQ(g.CurrentId(), c.id) << c.key;
    }
}

}  // namespace

namespace {

TEST(GridKeys, InsertAddsARecordWhereTheOperationsAllowIt) {
    struct Case {
        const char* what;
        TDBGridEhAllowedOperations allowed;
        bool readOnly;
        TDataSetState state;
        bool atEnd;
    };
    const std::vector<Case> cases = {
        {"insert", {alopInsertEh, alopAppendEh}, false, dsInsert, false},
        {"append only", {alopAppendEh}, false, dsInsert, true},
        {"neither", {alopUpdateEh}, false, dsBrowse, false},
        {"read-only grid", {alopInsertEh}, true, dsBrowse, false},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        g.grid->SetAllowedOperations(c.allowed);
        g.grid->SetReadOnly(c.readOnly);
        g.GoTo(3);
        g.Press(VK_INSERT);
        EXPECT_EQ(g.ds.State(), c.state) << c.what;
        EXPECT_EQ(g.ds.Eof(), c.atEnd) << c.what;
    }
}

TEST(GridKeys, RightToLeftSwapsLeftAndRight) {
    for (TBiDiMode mode : {bdLeftToRight, bdRightToLeft}) {
        KeyedGrid g;
        g.grid->SetBiDiMode(mode);
        g.Press(VK_LEFT, {ssCtrl});
        EXPECT_EQ(g.grid->Col(), mode == bdRightToLeft ? KeyedGrid::CityCol : 1) << mode;
    }
}

}  // namespace
