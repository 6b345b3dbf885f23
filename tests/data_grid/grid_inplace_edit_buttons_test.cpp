// The grid editor's buttons: their height for the editor's height, their row at the right edge (the
// left one right-to-left), the up-down step on numbers and lists, the ellipsis by Ctrl+Enter, the
// extra buttons' shortcuts and the menu marker that only the button whose menu closed heeds.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data_controls/edit_button_metrics.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/shape.h"
#include "platform/ui/shortcuts.h"
#include "platform/ui/system_metrics.h"
#include "tests/data_grid/grid_inplace_edit_fixture.h"

using namespace grid_inplace_edit_test;

namespace {

TEST(GridInplaceEditButtons, ButtonsAreAsTallAsTheEditorUnlessItIsTallerThanOneAndAHalfWidths) {
    struct Case {
        const char* what;
        TColumnButtonStyleEh mainStyle;
        std::vector<int> extraWidths;
        int editorHeight;
        int expected;
    };
    ASSERT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    const std::vector<Case> cases = {
        {"ellipsis, 40 high: past 26 (25.5 rounded), square", cbsEllipsis, {}, 40, 17},
        {"ellipsis, 20 high: fills the editor", cbsEllipsis, {}, 20, 20},
        {"ellipsis and a 17 extra, 40 high", cbsEllipsis, {17}, 40, 17},
        {"17 extra, 26 high: not past 26", cbsNone, {17}, 26, 26},
        {"17 extra, 27 high", cbsNone, {17}, 27, 17},
        {"15 extra, 23 high: past 22 (22.5 to even)", cbsNone, {15}, 23, 15},
        {"the shortest candidate wins", cbsNone, {17, 12}, 40, 12},
    };
    for (const Case& c : cases) {
        EditorGrid g;
        TColumnEh* column = g.Column(1);
        column->SetButtonStyle(c.mainStyle);
        for (int width : c.extraWidths) g.AddButton(column, width);
        ASSERT_NE(g.OpenEditor(2, 2), nullptr) << c.what;
        g.MoveEditor(200, c.editorHeight);
        for (const auto& line : g.Editor()->ButtonControls()) {
            if (!line.EditButtonControl->Visible())
                continue;
            EXPECT_EQ(line.EditButtonControl->Height(), c.expected) << c.what;
            EXPECT_EQ(line.EditButtonControl->Top(), 0) << c.what;
        }
    }
}

TEST(GridInplaceEditButtons, TheRowEndsAtTheRightEdgeAndIsMirroredRightToLeft) {
    struct Case {
        bool flat;
        bool rightToLeft;
        // Lefts of the main button and the two extra buttons.
        std::vector<int> lefts;
        int areaWidth;
    };
    // 200 wide: non-flat main 17, extras 15 and 20, no separators; flat main 9 with 1-pixel separators.
    const std::vector<Case> cases = {
        {false, false, {148, 165, 180}, 52},
        {false, true, {35, 20, 0}, 52},
        {true, false, {154, 164, 180}, 47},
        {true, true, {37, 21, 0}, 47},
    };
    ASSERT_EQ(ComputeFlatButtonWidth(), 9);
    for (const Case& c : cases) {
        EditorGrid g;
        g.grid->SetFlat(c.flat);
        if (c.rightToLeft)
            g.grid->SetBiDiMode(bdRightToLeft);
        TColumnEh* column = g.Column(1);
        column->SetButtonStyle(cbsEllipsis);
        g.AddButton(column, 15);
        g.AddButton(column, 20);
        ASSERT_NE(g.OpenEditor(2, 2), nullptr);
        g.MoveEditor(200, 20);
        const std::string what =
            std::string(c.flat ? "flat" : "raised") + (c.rightToLeft ? ", mirrored" : "");
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(g.ButtonControl(i)->Left(), c.lefts[static_cast<std::size_t>(i)])
                << what << " button " << i;
            EXPECT_EQ(g.ButtonControl(i)->Tag, i) << what;
            const TControl* separator = g.Editor()->ButtonControls()[static_cast<std::size_t>(i)].ButtonLine;
            const int left = c.lefts[static_cast<std::size_t>(i)];
            EXPECT_EQ(separator->Visible(), c.flat) << what;
            if (c.flat) {
                EXPECT_EQ(separator->Left(), c.rightToLeft ? left + g.ButtonControl(i)->Width() : left - 1)
                    << what;
            }
        }
        EXPECT_EQ(g.Editor()->ButtonAreaWidth(), c.areaWidth) << what;
    }
}

TEST(GridInplaceEditButtons, UpDownTopHalfAddsTheIncrementOnANumberAndGoesToThePreviousListItem) {
    struct Case {
        const char* what;
        bool keyList;
        bool topHalf;
        int expectedId;
        const char* expectedText;
    };
    const std::vector<Case> cases = {
        {"number, top half", false, true, 7, "7"},
        {"number, bottom half", false, false, -3, "-3"},
        {"key list, top half", true, true, 1, "Один"},
        {"key list, bottom half", true, false, 3, "Три"},
    };
    for (const Case& c : cases) {
        EditorGrid g;
        TColumnEh* column = g.Column(0);
        column->SetButtonStyle(cbsUpDown);
        column->SetIncrement(5);
        if (c.keyList) {
            column->SetIncrement(1);
            SetItems(column->KeyList(), {"1", "2", "3", "4", "5"});
            SetItems(column->PickList(), {"Один", "Два", "Три", "Четыре", "Пять"});
        }
        ASSERT_NE(g.OpenEditor(EditorGrid::IdCol, 2), nullptr) << c.what;
        TEditButtonControlEh* button = g.ButtonControl(0);
        ASSERT_TRUE(button->Visible()) << c.what;
        ASSERT_EQ(button->Style(), ebsUpDownEh) << c.what;
        g.ui.ClickAt(button, {button->Width() / 2, c.topHalf ? 2 : button->Height() - 2});
        g.ui.ProcessMessages();
        EXPECT_EQ(g.ds.FieldByName("ID")->AsInteger(), c.expectedId) << c.what;
        EXPECT_EQ(g.EditorText(), c.expectedText) << c.what;
    }
}

TEST(GridInplaceEditButtons, UpDownWritesTheTypedTextBeforeStepping) {
    EditorGrid g;
    g.Column(0)->SetButtonStyle(cbsUpDown);
    ASSERT_NE(g.OpenEditor(EditorGrid::IdCol, 2), nullptr);
    g.Editor()->SelectAll();
    g.Type("40");
    TEditButtonControlEh* button = g.ButtonControl(0);
    g.ui.ClickAt(button, {button->Width() / 2, 2});
    g.ui.ProcessMessages();
    EXPECT_EQ(g.ds.FieldByName("ID")->AsInteger(), 41);
}

TEST(GridInplaceEditButtons, CtrlEnterInAnEllipsisCellClicksTheGridsButtonWithoutALineBreak) {
    EditorGrid g;
    int clicks = 0;
    g.grid->OnEditButtonClick = [&](TObject*) { ++clicks; };
    g.Column(1)->SetButtonStyle(cbsEllipsis);
    ASSERT_NE(g.OpenEditor(2, 2), nullptr);
    g.Press(VK_RETURN, {ssCtrl});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(g.EditorText(), "bravo");
    EXPECT_TRUE(g.EditorShown());
    // The main button's click is the same notice.
    g.ui.Click(g.ButtonControl(0));
    g.ui.ProcessMessages();
    EXPECT_EQ(clicks, 2);
}

TEST(GridInplaceEditButtons, AnExtraButtonsShortcutPressesAndClicksIt) {
    EditorGrid g;
    std::vector<std::string> heard;
    TEditButtonEh* button = g.AddButton(g.Column(1), 15);
    button->SetShortCut(ShortCut('B', {ssCtrl}));
    button->OnDown = [&](TObject*, bool, bool&, bool&) { heard.push_back("down"); };
    button->OnClick = [&](TObject*, bool&) { heard.push_back("click"); };
    ASSERT_NE(g.OpenEditor(2, 2), nullptr);
    g.Press('B', {ssCtrl});
    EXPECT_EQ(heard, (std::vector<std::string>{"down", "click"}));
    EXPECT_EQ(g.EditorText(), "bravo");
}

// Each button control's Tag is its index: the marker a closed menu leaves only swallows the next
// press of that same button.
TEST(GridInplaceEditButtons, AMenusClosingMarkerIgnoresOnlyThePressOfItsOwnButton) {
    EditorGrid g;
    TColumnEh* column = g.Column(1);
    std::vector<int> popups;
    for (int i = 1; i <= 2; ++i) {
        TEditButtonEh* button = g.AddButton(column, 15);
        auto* menu = NewComponent<TPopupMenu>(g.form);
        auto* item = NewComponent<TMenuItem>(menu);
        item->Caption = "Пункт";
        menu->Items()->Add(item);
        menu->OnPopup = [&popups, i](TObject*) { popups.push_back(i); };
        button->SetDropdownMenu(menu);
    }
    ASSERT_NE(g.OpenEditor(2, 2), nullptr);
    auto press = [&](int index) {
        bool autoRepeat = false;
        g.ButtonControl(index)->FireOnDown(true, autoRepeat);
    };
    press(1);
    press(2);  // another button: shown although the first one's marker waits
    press(1);  // the press that closed the first menu
    press(2);
    EXPECT_EQ(popups, (std::vector<int>{1, 2}));
    press(1);
    EXPECT_EQ(popups, (std::vector<int>{1, 2, 1}));
}

}  // namespace
