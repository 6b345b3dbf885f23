// Which keys begin editing the record, and the list of remembered texts under keys, the wheel,
// cancel-mode and a pending key press.
#include <gtest/gtest.h>

#include "data_controls/mru_listbox.h"
#include "platform/db/dataset.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/input.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/db_edit_test_support.h"

TEST_F(DBEditForm, KeysThatBeginEditing) {
    struct Case {
        const char* what;
        WORD key;
        TShiftState shift;
        bool begins;
        const char* text;
    };
    const Case cases[] = {
        {"Delete", VK_DELETE, {}, true, "vanov"},
        {"Backspace", VK_BACK, {}, true, "Ivano"},
        {"Shift+Insert pastes", VK_INSERT, {ssShift}, true, "Ivanovxy"},
        {"Ctrl+V pastes", 'V', {ssCtrl}, true, "Ivanovxy"},
        {"Ctrl+X cuts", 'X', {ssCtrl}, true, ""},
        {"Ctrl+Z undoes", 'Z', {ssCtrl}, true, "Ivanov"},
        {"Ctrl+C copies", 'C', {ssCtrl}, false, "Ivanov"},
        {"Home moves", VK_HOME, {}, false, "Ivanov"},
        {"Left moves", VK_LEFT, {}, false, "Ivanov"},
    };
    Bind("NAME");
    for (const Case& c : cases) {
        Clipboard()->SetAsText("xy");
        Focus();
        // Delete works at the start, the rest at the end; Ctrl+X on everything selected.
        if (c.key == VK_DELETE)
            Press(VK_HOME);
        else if (c.key != 'X')
            Press(VK_END);
        Press(c.key, c.shift);
        EXPECT_EQ(ds.State() == dsEdit, c.begins) << c.what;
        EXPECT_EQ(edit->Text(), c.text) << c.what;
        ds.Cancel();
        next->SetFocus();
        ui.ProcessMessages();
    }
}

TEST_F(DBEditForm, CtrlASelectsAll) {
    Bind("NAME");
    Focus();
    Press(VK_END);
    Press('A', TShiftState{ssCtrl});
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 6);
}

TEST_F(DBEditForm, ANewFieldSetsItsOwnMaxLength) {
    Bind("NAME");
    EXPECT_EQ(edit->MaxLength(), 20);
    edit->SetDataField("CODE");
    EXPECT_EQ(edit->MaxLength(), 10) << "the length the last field gave is not kept";
    edit->SetMaxLength(5);
    edit->SetDataField("NAME");
    EXPECT_EQ(edit->MaxLength(), 5) << "a length set by hand is kept";
}

namespace {

struct DBEditOpenList : DBEditForm {
    DBEditOpenList() {
        edit->MRUList()->SetActive(true);
        for (int i = 0; i < 20; ++i) edit->MRUList()->Items()->Add("Запись " + std::to_string(i));
        Focus();
        Type("З");
    }
    TMRUListboxEh& List() { return *edit->MRUListBox(); }
};

}  // namespace

TEST_F(DBEditOpenList, ListKeysWithAndWithoutModifiers) {
    ASSERT_TRUE(edit->MRUList()->DroppedDown());
    Press(VK_NEXT);
    EXPECT_GT(List().ItemIndex(), 0) << "Page Down goes to the list";
    Press(VK_END, TShiftState{ssCtrl});
    EXPECT_EQ(List().ItemIndex(), 19);
    Press(VK_HOME, TShiftState{ssCtrl});
    EXPECT_EQ(List().ItemIndex(), 0);
    edit->SetSelStart(1);
    Press(VK_HOME);
    EXPECT_EQ(edit->SelStart(), 0) << "Home alone moves the caret";
    EXPECT_EQ(List().ItemIndex(), 0);
}

TEST_F(DBEditOpenList, WheelOverTheEditScrollsTheList) {
    ASSERT_TRUE(edit->MRUList()->DroppedDown());
    const int top = List().TopIndex();
    edit->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint32_t>(-WHEEL_DELTA) << 16), 0);
    EXPECT_GT(List().TopIndex(), top);
}

TEST_F(DBEditOpenList, CancelModeFromOutsideClosesTheList) {
    edit->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(edit));
    EXPECT_TRUE(edit->MRUList()->DroppedDown()) << "the edit's own cancel-mode";
    edit->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(&List()));
    EXPECT_TRUE(edit->MRUList()->DroppedDown()) << "the list's";
    edit->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(next));
    EXPECT_FALSE(edit->MRUList()->DroppedDown());
}

TEST_F(DBEditOpenList, ResizingTheListIsRememberedForNextTime) {
    List().SizeForRows(4);
    List().SetWidth(250);
    edit->MRUListBoxResized(&List());
    EXPECT_EQ(edit->MRUList()->Rows(), 4);
    EXPECT_EQ(edit->MRUList()->Width(), 250);
}

TEST_F(DBEditOpenList, AFilterCutShortByAPendingKeyShowsWhatItFound) {
    for (int i = 0; i < 500; ++i) edit->MRUList()->Items()->Add("Звезда " + std::to_string(i));
    platform::ui::PostKeyDown(*form, 'X', {}, "");
    edit->MRUList()->DropDown();
    EXPECT_TRUE(edit->MRUList()->DroppedDown()) << "closed, then opened again with the first match";
    EXPECT_EQ(List().Items()->Count(), 1);
}

TEST_F(DBEditOpenList, ClosingWhileTheEditHoldsTheMouse) {
    // Closing cancels the capture; the edit's own cancel-mode must not close the list a second time.
    SetCaptureControl(edit);
    Press(VK_ESCAPE);
    EXPECT_FALSE(edit->MRUList()->DroppedDown());
    EXPECT_EQ(GetCaptureControl(), nullptr);
    EXPECT_EQ(edit->Text(), "З");
}
