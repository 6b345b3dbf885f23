// The edit control's list of remembered texts, typed and clicked through: opening while typing, keys
// while it is open, taking a choice, and what is remembered on commit.
#include <gtest/gtest.h>

#include "data_controls/mru_listbox.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/db_edit_test_support.h"

namespace {

struct DBEditMRU : DBEditForm {
    DBEditMRU() {
        edit->MRUList()->SetActive(true);
        for (const char* text : {"Москва", "Мурманск", "Минск", "Омск", "!важно", "(пусто)"})
            edit->MRUList()->Items()->Add(text);
    }
    bool ListOpen() const { return edit->MRUList()->DroppedDown(); }
    TMRUListboxEh& List() { return *edit->MRUListBox(); }
};

}  // namespace

TEST_F(DBEditMRU, OpensWhileTypingThenDownAndEnterTakeAText) {
    Focus();
    Type("М");
    ASSERT_TRUE(ListOpen());
    EXPECT_TRUE(List().WindowVisible());
    EXPECT_EQ(List().Items()->Count(), 3);
    EXPECT_EQ(List().ItemIndex(), -1);
    EXPECT_TRUE(edit->Focused()) << "the list opens without taking the focus";
    Type("у");
    EXPECT_EQ(List().Items()->Count(), 1);
    Press(VK_DOWN);
    EXPECT_EQ(List().ItemIndex(), 0);
    EXPECT_EQ(edit->Text(), "Му") << "Down moves in the list, not in the edit";
    Press(VK_RETURN);
    EXPECT_FALSE(ListOpen());
    EXPECT_EQ(edit->Text(), "Мурманск");
    EXPECT_EQ(edit->SelLength(), 8);
    EXPECT_EQ(form->DialogKeys, 0) << "the Enter that took the choice is not the form's";
}

TEST_F(DBEditMRU, EscapeClosesTheListKeepingWhatWasTyped) {
    Focus();
    Type("Ом");
    ASSERT_TRUE(ListOpen());
    Press(VK_ESCAPE);
    EXPECT_FALSE(ListOpen());
    EXPECT_EQ(edit->Text(), "Ом");
}

TEST_F(DBEditMRU, NoMatchClosesTheListAndClearingTheTextClosesIt) {
    Focus();
    Type("М");
    ASSERT_TRUE(ListOpen());
    Type("я");
    EXPECT_FALSE(ListOpen()) << "nothing begins with that";
    Press(VK_BACK);
    EXPECT_TRUE(ListOpen());
    Press(VK_BACK);
    EXPECT_FALSE(ListOpen()) << "back to the blank text";
}

TEST_F(DBEditMRU, BackspaceInAnEmptyEditOffersEverything) {
    Focus();
    Press(VK_BACK);
    ASSERT_TRUE(ListOpen());
    EXPECT_EQ(List().Items()->Count(), 6);
}

TEST_F(DBEditMRU, TypedCharactersWhoseCodesAreKeyCodesGoIntoTheText) {
    // '!', '"', '&' and '(' share their codes with Page Up, Page Down, Up and Down.
    Focus();
    Type("М");
    ASSERT_TRUE(ListOpen());
    edit->SetText("");
    Type("(");
    EXPECT_EQ(edit->Text(), "(");
    EXPECT_TRUE(ListOpen());
    EXPECT_EQ(List().Items()->Count(), 1);
    Type("&\"!");
    EXPECT_EQ(edit->Text(), "(&\"!");
}

TEST_F(DBEditMRU, CommittedTextIsRememberedOnce) {
    Focus();
    Type("Тверь");
    Press(VK_ESCAPE);
    Type("Тверь");
    Press(VK_TAB);
    const TStrings& items = *edit->MRUList()->Items();
    EXPECT_EQ(items.Get(items.Count() - 1), "Тверь");
    Focus();
    Type("мурманск");
    Press(VK_ESCAPE);
    Press(VK_TAB);
    EXPECT_EQ(items.Get(items.Count() - 1), "Мурманск") << "an entry met again moves to the end as spelt";
}

TEST_F(DBEditMRU, APasswordIsNeitherOfferedNorRemembered) {
    edit->SetPasswordChar(U'*');
    edit->RecreateWnd();
    Focus();
    Type("М");
    EXPECT_FALSE(ListOpen());
    Press(VK_BACK);
    Press(VK_BACK);
    EXPECT_FALSE(ListOpen());
    Type("secret");
    Press(VK_TAB);
    EXPECT_EQ(edit->MRUList()->Items()->IndexOf("secret"), -1);
    EXPECT_EQ(edit->MRUList()->Items()->Count(), 6);
}

TEST_F(DBEditMRU, ClickOnARowTakesIt) {
    Focus();
    Type("М");
    ASSERT_TRUE(ListOpen());
    ui.ClickAt(&List(), {5, List().ItemHeight() * 2 + 2});
    ui.ProcessMessages();
    EXPECT_FALSE(ListOpen());
    EXPECT_EQ(edit->Text(), List().Items()->Get(2));
}

TEST_F(DBEditMRU, LosingTheFocusClosesTheList) {
    Focus();
    Type("М");
    ASSERT_TRUE(ListOpen());
    next->SetFocus();
    ui.ProcessMessages();
    EXPECT_FALSE(ListOpen());
}

TEST_F(DBEditMRU, AcceptMRUItemComparesThePrefix) {
    struct Case {
        const char* typed;
        const char* item;
        bool caseSensitive;
        bool accepted;
    };
    const Case cases[] = {
        {"мос", "Москва", false, true},      {"мос", "Москва", true, false}, {"Мос", "Москва", true, true},
        {"Москва!", "Москва", false, false}, {"", "Омск", false, true},
    };
    for (const Case& c : cases) {
        edit->MRUList()->SetCaseSensitive(c.caseSensitive);
        edit->SetText(c.typed);
        bool accept = !c.accepted;
        edit->AcceptMRUItem(c.item, accept);
        EXPECT_EQ(accept, c.accepted) << c.typed << " / " << c.item;
    }
    edit->MRUList()->OnFilterItem = [this](TObject* sender, const std::string&, bool& accept) {
        EXPECT_EQ(sender, edit);
        accept = false;
    };
    bool accept = true;
    edit->AcceptMRUItem("Омск", accept);
    EXPECT_FALSE(accept) << "the filter hook has the last word";
}
