// The edit control's button row: its layout, clicks, shortcuts and drop-down menus.
#include <gtest/gtest.h>

#include "data_controls/edit_button_metrics.h"
#include "platform/ui/menu_item.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/shape.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/db_edit_test_support.h"

namespace {

TEditButtonEh* AddExtraButton(TDBEditEh& edit) {
    auto* button = static_cast<TEditButtonEh*>(edit.EditButtons()->Add());
    button->SetVisible(true);
    return button;
}

}  // namespace

TEST_F(DBEditForm, FlatRowWithTwoExtraButtons) {
    edit->SetFlat(true);
    edit->EditButton()->SetVisible(true);
    AddExtraButton(*edit);
    AddExtraButton(*edit);
    ui.ProcessMessages();
    const int width = ComputeFlatButtonWidth();
    const TEditButtonControlList& row = edit->ButtonControls();
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(edit->ButtonWidth(), 3 * (width + 1));
    // From the left: separator, main button, separator, extra 1, separator, extra 2.
    int x = edit->ClientWidth() - edit->ButtonWidth();
    for (const auto& line : row) {
        EXPECT_EQ(line.ButtonLine->Left(), x);
        EXPECT_EQ(line.ButtonLine->Width(), 1);
        EXPECT_TRUE(line.ButtonLine->Visible());
        EXPECT_EQ(line.EditButtonControl->Left(), x + 1);
        EXPECT_EQ(line.EditButtonControl->Width(), width);
        EXPECT_EQ(line.EditButtonControl->Top(), 0);
        EXPECT_EQ(line.EditButtonControl->Height(), edit->ButtonHeight());
        x += width + 1;
    }
    EXPECT_EQ(row[0].EditButtonControl->Tag, 0);
    EXPECT_EQ(row[2].EditButtonControl->Tag, 2);
    EXPECT_EQ(edit->ComputeTextRect().Right, edit->ClientWidth() - edit->ButtonWidth());
}

TEST_F(DBEditForm, RaisedRowHasNoSeparatorsAndHiddenButtonsTakeNoRoom) {
    edit->EditButton()->SetVisible(true);
    TEditButtonEh* hidden = AddExtraButton(*edit);
    hidden->SetVisible(false);
    TEditButtonEh* wide = AddExtraButton(*edit);
    wide->SetWidth(30);
    ui.ProcessMessages();
    const TEditButtonControlList& row = edit->ButtonControls();
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[1].EditButtonControl->Width(), 0);
    EXPECT_EQ(row[2].EditButtonControl->Width(), 30);
    for (const auto& line : row) EXPECT_EQ(line.ButtonLine->Width(), 0);
    EXPECT_EQ(edit->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 30);
    edit->EditButtons()->Delete(1);
    edit->EditButtons()->Delete(0);
    ui.ProcessMessages();
    EXPECT_EQ(edit->ButtonControls().size(), 1u) << "surplus controls freed";
}

TEST_F(DBEditForm, ClicksReachTheirOwnHandlers) {
    edit->EditButton()->SetVisible(true);
    edit->EditButton()->SetStyle(ebsEllipsisEh);
    TEditButtonEh* extra = AddExtraButton(*edit);
    ui.ProcessMessages();
    int mainClicks = 0;
    int extraClicks = 0;
    edit->OnButtonClick = [&](TObject* sender, bool&) {
        EXPECT_EQ(sender, edit);
        ++mainClicks;
    };
    extra->OnClick = [&](TObject* sender, bool&) {
        EXPECT_EQ(sender, extra);
        ++extraClicks;
    };
    ui.Click(edit->ButtonControls()[0].EditButtonControl);
    ui.Advance(1000);
    ui.Click(edit->ButtonControls()[1].EditButtonControl);
    ui.ProcessMessages();
    EXPECT_EQ(mainClicks, 1);
    EXPECT_EQ(extraClicks, 1);
    EXPECT_TRUE(edit->Focused()) << "a press brings the focus to the edit";
}

TEST_F(DBEditForm, AltDownPressesTheMainButton) {
    edit->EditButton()->SetVisible(true);
    edit->EditButton()->SetShortCut(static_cast<TShortCut>(scAlt | VK_DOWN));
    ui.ProcessMessages();
    int downs = 0;
    int clicks = 0;
    edit->OnButtonDown = [&](TObject*, bool topButton, bool&, bool& handled) {
        EXPECT_FALSE(topButton);
        ++downs;
        handled = true;
    };
    edit->OnButtonClick = [&](TObject*, bool&) { ++clicks; };
    Focus();
    Press(VK_DOWN, TShiftState{ssAlt});
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(clicks, 1);
    Press(VK_DOWN);
    EXPECT_EQ(downs, 1) << "Down alone is not the shortcut";
}

TEST_F(DBEditForm, MainButtonDropsDownAndASecondClickClosesIt) {
    edit->EditButton()->SetVisible(true);
    ui.ProcessMessages();
    TEditButtonControlEh* button = edit->ButtonControls()[0].EditButtonControl;
    ui.Click(button);
    ui.Advance(1000);
    EXPECT_TRUE(edit->DroppedDown());
    ui.Click(button);
    ui.Advance(1000);
    EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(DBEditForm, DropDownMenuClickedTwiceClosesWithoutOpeningAgain) {
    auto* menu = NewComponent<TPopupMenu>(form);
    auto* item = NewComponent<TMenuItem>(menu);
    item->Caption = "Очистить";
    menu->Items()->Add(item);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    edit->EditButton()->SetVisible(true);
    edit->EditButton()->SetDropdownMenu(menu);
    ui.ProcessMessages();
    TEditButtonControlEh* button = edit->ButtonControls()[0].EditButtonControl;
    ui.Click(button);
    ui.ProcessMessages();
    ASSERT_NE(menu->MenuWindow(), nullptr);
    EXPECT_EQ(menu->PopupPoint(), button->ClientToScreen({0, button->Height()}));
    EXPECT_EQ(button->State(), bsUp) << "the menu took the mouse; the button is let up";
    ui.Advance(1000);
    ui.Click(button);
    ui.ProcessMessages();
    EXPECT_EQ(menu->MenuWindow(), nullptr);
    EXPECT_EQ(popups, 1);
    ui.Advance(1000);
    ui.Click(button);
    ui.ProcessMessages();
    EXPECT_EQ(popups, 2) << "a later click opens it again";
}

TEST_F(DBEditForm, FreedMenuIsForgotten) {
    auto* menu = NewComponent<TPopupMenu>(form);
    edit->EditButton()->SetDropdownMenu(menu);
    edit->EditButton()->SetVisible(true);
    Free(menu);
    EXPECT_EQ(edit->EditButton()->DropdownMenu(), nullptr);
}

TEST_F(DBEditForm, ButtonsAreUsableOnlyOverAnActiveLink) {
    edit->EditButton()->SetVisible(true);
    ui.ProcessMessages();
    TEditButtonControlEh* button = edit->ButtonControls()[0].EditButtonControl;
    EXPECT_TRUE(button->Enabled()) << "unbound";
    edit->SetDataSource(&source);
    edit->SetDataField("NAME");
    EXPECT_FALSE(button->Enabled()) << "the dataset is closed";
    ds.Open();
    EXPECT_TRUE(button->Enabled());
    edit->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
}

TEST_F(DBEditForm, AButtonControlFreedFromOutsideIsMadeAgain) {
    edit->EditButton()->SetVisible(true);
    ui.ProcessMessages();
    Free(edit->ButtonControls()[0].EditButtonControl);
    EXPECT_TRUE(edit->ButtonControls().empty());
    edit->UpdateEditButtonControlList();
    ASSERT_EQ(edit->ButtonControls().size(), 1u);
    EXPECT_EQ(edit->ButtonControls()[0].EditButtonControl->Width(), GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(DBEditForm, AltDownWithoutAHandlerDropsDown) {
    edit->EditButton()->SetVisible(true);
    edit->EditButton()->SetShortCut(static_cast<TShortCut>(scAlt | VK_DOWN));
    Focus();
    Press(VK_DOWN, TShiftState{ssAlt});
    EXPECT_TRUE(edit->DroppedDown()) << "the click that follows the press does not close it again";
    Press(VK_DOWN, TShiftState{ssAlt});
    EXPECT_FALSE(edit->DroppedDown());
}

TEST_F(DBEditForm, APressLetGoOutsideTheButtonDoesNotHoldTheDropDownOpen) {
    edit->EditButton()->SetVisible(true);
    ui.ProcessMessages();
    TEditButtonControlEh* button = edit->ButtonControls()[0].EditButtonControl;
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(2, 2));
    button->Perform(WM_LBUTTONUP, 0, MakeLParam(-20, 2));
    ASSERT_TRUE(edit->DroppedDown());
    ui.Advance(1000);
    ui.Click(button);
    EXPECT_FALSE(edit->DroppedDown()) << "one click closes it";
}
