// What the grid editor takes from its cell and what its keys and mouse do there: the style and
// drop-down each column brings, the cell parameters' colours and read-only state, a lookup grid
// freed under it, the grid's shortcuts from inside the editor, arrows in wrapped text, presses
// outside the text and the wheel over an open list.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data_controls/popup_calculator.h"
#include "data_controls/popup_calendar.h"
#include "data_controls/popup_listbox.h"
#include "data_controls/spec_row.h"
#include "data_grid/popup_data_grid.h"
#include "platform/ui/colors.h"
#include "platform/ui/image_list.h"
#include "platform/ui/input.h"
#include "platform/ui/shortcuts.h"
#include "tests/data_grid/grid_inplace_edit_drop_down_fixture.h"
#include "tests/data_grid/grid_inplace_edit_fixture.h"

using namespace grid_inplace_edit_test;
using drop_down_test::OrdersGrid;

namespace {

TEST(GridInplaceEditContents, EachColumnsStyleBringsItsOwnDropDown) {
    struct Case {
        int column;
        TInplaceEditStyleEh style;
        std::function<TWinControl*(TDBGridInplaceEdit&)> dropDown;
        bool calculator;
    };
    const std::vector<Case> cases = {
        {drop_down_test::CustomerCol, esDataListEh, [](TDBGridInplaceEdit& e) { return e.DataList(); },
         false},
        {drop_down_test::DayCol, esDateCalendarEh, [](TDBGridInplaceEdit& e) { return e.CalendarDropDown(); },
         false},
        {drop_down_test::SumCol, esDropDownEh, [](TDBGridInplaceEdit& e) { return e.CalculatorDropDown(); },
         true},
        {drop_down_test::StatusCol, esPickListEh, [](TDBGridInplaceEdit& e) { return e.PickList(); }, false},
        {drop_down_test::NoteCol, esSimpleEh, [](TDBGridInplaceEdit&) { return nullptr; }, false},
    };
    OrdersGrid g;
    for (const Case& c : cases) {
        TDBGridInplaceEdit& editor = g.Edit(c.column);
        EXPECT_EQ(editor.ActiveEditStyle(), c.style) << c.column;
        TWinControl* expected = c.dropDown(editor);
        EXPECT_EQ(editor.ActiveDropDown(), expected) << c.column;
        if (expected != nullptr) {
            EXPECT_FALSE(expected->Visible()) << c.column;
            EXPECT_EQ(expected->Parent(), &editor) << c.column;
        }
        EXPECT_EQ(editor.CalculatorAvailable(), c.calculator) << c.column;
        EXPECT_EQ(editor.ButtonControls().front().EditButtonControl->Visible(), c.style != esSimpleEh)
            << c.column;
    }
}

TEST(GridInplaceEditContents, ALookupGridFreedWithItsColumnIsForgotten) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(drop_down_test::CustomerCol);
    ASSERT_NE(editor.DataList(), nullptr);
    Free(g.Column(drop_down_test::CustomerCol));
    g.ui.ProcessMessages();
    auto* now = dynamic_cast<TDBGridInplaceEdit*>(g.grid->InplaceEditor());
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->DataList(), nullptr);
    EXPECT_NE(now->ActiveEditStyle(), esDataListEh);
}

TEST(GridInplaceEditContents, TheSpecialRowsShortcutPutsItsTextAndValueInALookupCell) {
    OrdersGrid g;
    TSpecRowEh* specRow = g.Column(drop_down_test::CustomerCol)->DropDownSpecRow();
    specRow->SetVisible(true);
    specRow->SetCellsText("(никто)");
    specRow->SetValue(Variant(0));
    specRow->SetShortCut(ShortCut('N', {ssCtrl}));
    TDBGridInplaceEdit& editor = g.Edit(drop_down_test::CustomerCol);
    ASSERT_EQ(editor.Text(), "Petrov");
    g.Press('N', {ssCtrl});
    EXPECT_EQ(editor.Text(), "(никто)");
    EXPECT_EQ(editor.SelLength(), static_cast<int>(std::u32string(U"(никто)").size()));
    EXPECT_EQ(g.grid->EditText(), "(никто)");
    EXPECT_EQ(g.grid->EditKeyValue().AsInteger(), 0);
    EXPECT_EQ(g.orders.State(), dsEdit);
}

TEST(GridInplaceEditContents, TheMainButtonOpensTheListAndItsNextClickClosesIt) {
    struct Case {
        const char* what;
        int clicks;
        bool downHandled;
        bool clickHandled;
        bool shown;
    };
    const std::vector<Case> cases = {
        {"the opening click leaves it open", 1, false, false, true},
        {"the next click closes it", 2, false, false, false},
        {"OnEditButtonDown takes the press: nothing opens", 1, true, false, false},
        {"OnEditButtonClick takes the click: it stays open", 2, false, true, true},
    };
    for (const Case& c : cases) {
        OrdersGrid g;
        TColumnEh* column = g.Column(drop_down_test::StatusCol);
        column->OnEditButtonDown = [&c](TObject*, bool, bool&, bool& Handled) { Handled = c.downHandled; };
        column->OnEditButtonClick = [&c](TObject*, bool& Handled) { Handled = c.clickHandled; };
        TDBGridInplaceEdit& editor = g.Edit(drop_down_test::StatusCol);
        for (int i = 0; i < c.clicks; ++i) {
            g.ui.Click(editor.ButtonControls().front().EditButtonControl);
            g.ui.ProcessMessages();
        }
        EXPECT_EQ(editor.ListShown(), c.shown) << c.what;
        EXPECT_EQ(g.Stored("STATUS"), "new") << c.what;
    }
}

// A press on the main button opens the list; dragged on into the list, it chooses there.
TEST(GridInplaceEditContents, APressOnTheMainButtonDraggedIntoThePickListChoosesThere) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(drop_down_test::StatusCol);
    TControl* button = editor.ButtonControls().front().EditButtonControl;
    const TPoint formAt = g.form->ClientToScreen({0, 0});
    auto onForm = [&](const TControl& control, TPoint p) {
        const TPoint screen = control.ClientToScreen(p);
        return TPoint{screen.X - formAt.X, screen.Y - formAt.Y};
    };
    platform::ui::PostMouseDown(*g.form, mbLeft, {ssLeft}, onForm(*button, {4, 4}));
    g.ui.ProcessMessages();
    ASSERT_TRUE(editor.ListShown());
    TPopupListboxEh* list = editor.PickList();
    ASSERT_GE(list->Items()->Count(), 3);
    const TRect third = list->ItemRect(2);
    platform::ui::PostMouseMove(*g.form, {ssLeft}, onForm(*list, {third.Left + 5, third.Top + 2}));
    g.ui.ProcessMessages();
    EXPECT_EQ(list->ItemIndex(), 2);
}

TEST(GridInplaceEditContents, TheWheelOverAnOpenListLeavesTheRecordsAlone) {
    OrdersGrid g;
    g.orders.First();
    TDBGridInplaceEdit& editor = g.Edit(drop_down_test::StatusCol);
    auto wheelDown = [&] {
        editor.Perform(CM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint16_t>(-120)) << 16, 0);
        g.ui.ProcessMessages();
    };
    g.Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(editor.ListShown());
    wheelDown();
    EXPECT_EQ(g.orders.FieldByName("ID")->AsInteger(), 10);
    g.Press(VK_ESCAPE);
    ASSERT_FALSE(editor.ListShown());
    wheelDown();
    EXPECT_EQ(g.orders.FieldByName("ID")->AsInteger(), 11);
}

TEST(GridInplaceEditContents, TheCellParametersColourTheEditorAndCanMakeItReadOnly) {
    EditorGrid g;
    g.grid->OnCellParams = [](TObject*, IGridColumnEh*, TFont* AFont, TColor&, TGridDrawState State) {
        if (State.Contains(gdFocused))
            AFont->SetColor(clMaroon);
    };
    g.Column(1)->SetOnGetCellParams([](TObject*, bool EditMode, TColCellParamsEh* Params) {
        if (!EditMode)
            return;
        Params->Background = clYellow;
        Params->ReadOnly = true;
    });
    TDBGridInplaceEdit* editor = g.OpenEditor(2, 2);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Color(), clYellow);
    EXPECT_EQ(editor->Font()->Color(), clMaroon);
    EXPECT_TRUE(editor->ReadOnly);
    g.Type("x");
    EXPECT_EQ(g.EditorText(), "bravo");
    EXPECT_EQ(g.ds.State(), dsBrowse);
    // The next cell's parameters set nothing: it edits.
    g.grid->SetCol(3);
    g.Press(VK_F2);
    EXPECT_FALSE(g.Editor()->ReadOnly);
}

TEST(GridInplaceEditContents, TheGridsShortcutsWorkFromInsideTheEditor) {
    struct Case {
        const char* what;
        TDBGridEhExtOptions options;
        WORD key;
        TShiftState shift;
        std::function<void(EditorGrid&)> check;
    };
    const std::vector<Case> cases = {
        {"Enter as Tab goes to the next column",
         {gxoEnterAsTabEh},
         VK_RETURN,
         {},
         [](EditorGrid& g) { EXPECT_EQ(g.grid->Col(), 3); }},
        {"Ctrl+F starts an in-place search",
         {gxoIncSearchEh},
         'F',
         {ssCtrl},
         [](EditorGrid& g) { EXPECT_TRUE(g.grid->InplaceSearching()); }},
        {"Ctrl+' copies the value above",
         {},
         222,
         {ssCtrl},
         [](EditorGrid& g) { EXPECT_EQ(g.grid->EditText(), "Alpha"); }},
    };
    for (const Case& c : cases) {
        EditorGrid g;
        g.grid->SetExtOptions(c.options);
        ASSERT_NE(g.OpenEditor(2, 2), nullptr) << c.what;
        g.Press(c.key, c.shift);
        SCOPED_TRACE(c.what);
        c.check(g);
    }
}

TEST(GridInplaceEditContents, UpAndDownInWrappedTextLeaveTheRecordOnlyFromItsEdgeLines) {
    struct Case {
        const char* what;
        bool alwaysShowEditor;
        int caret;  // -1: the whole text selected
        WORD key;
        bool leaves;
    };
    const std::vector<Case> cases = {
        {"Up on the first line", true, 1, VK_UP, true},
        {"Up on the second line", true, 12, VK_UP, false},
        {"Down on the last line", true, 12, VK_DOWN, true},
        {"Down on the first line", true, 1, VK_DOWN, false},
        {"Down with all selected", true, -1, VK_DOWN, true},
        {"Up on the first line, editor not always shown", false, 1, VK_UP, false},
    };
    const std::vector<grid_keys_test::Person> people = {
        {1, "one", "a"}, {2, "Westwood Eastwood", "b"}, {3, "three", "c"}};
    for (const Case& c : cases) {
        EditorGrid g(people);
        if (c.alwaysShowEditor)
            g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoAlwaysShowEditorEh});
        g.Column(1)->SetWordWrap(true);
        g.Column(1)->SetWidth(80);
        g.grid->SetRowHeight(40);
        ASSERT_TRUE(g.grid->WordWrapRoom()) << c.what;
        TDBGridInplaceEdit* editor = g.OpenEditor(2, 2);
        ASSERT_NE(editor, nullptr) << c.what;
        ASSERT_TRUE(editor->WordWrap()) << c.what;
        ASSERT_EQ(editor->Perform(EM_GETLINECOUNT), 2) << c.what;
        if (c.caret < 0) {
            editor->SelectAll();
        } else {
            editor->SetSelStart(c.caret);
            editor->SetSelLength(0);
        }
        g.Press(c.key);
        EXPECT_EQ(g.CurrentId() != 2, c.leaves) << c.what;
    }
}

// The editor on record 2's name, its column showing an image of 16 pixels beside the text.
TDBGridInplaceEdit* OpenEditorWithImage(EditorGrid& g) {
    auto* images = NewComponent<TImageList>(g.form);
    images->SetWidth(16);
    images->SetHeight(16);
    g.Column(1)->SetImageList(images);
    g.Column(1)->SetShowImageAndText(true);
    return g.OpenEditor(2, 2);
}

TEST(GridInplaceEditContents, APressOnTheImageLeavesTheCaretWhereItWas) {
    EditorGrid g;
    TDBGridInplaceEdit* editor = OpenEditorWithImage(g);
    ASSERT_NE(editor, nullptr);
    editor->SetSelStart(3);
    editor->SetSelLength(0);
    g.ui.ClickAt(editor, {6, editor->Height() / 2});
    g.ui.ProcessMessages();
    EXPECT_EQ(editor->SelStart(), 3);
    g.ui.ClickAt(editor, {editor->ComputeTextRect().Left + 1, editor->Height() / 2});
    g.ui.ProcessMessages();
    EXPECT_EQ(editor->SelStart(), 0);
}

TEST(GridInplaceEditContents, ThePointerIsTheIBeamOnlyOverTheText) {
    EditorGrid g;
    TDBGridInplaceEdit* editor = OpenEditorWithImage(g);
    ASSERT_NE(editor, nullptr);
    auto pointerAt = [&](int x) {
        const TPoint o = editor->FormOrigin();
        platform::ui::PostMouseMove(*g.form, {}, {o.X + x, o.Y + editor->Height() / 2});
        g.ui.ProcessMessages();
        return g.ui.System().PointerShapes().back();
    };
    EXPECT_EQ(pointerAt(6), crArrow);
    EXPECT_EQ(pointerAt(editor->ComputeTextRect().Left + 4), crIBeam);
}

}  // namespace
