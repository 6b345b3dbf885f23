// The combo box's list, opened, used and closed as a user would: keys and focus while it is open,
// its size and place, the size the user gives it with the grip, the mouse on a key-based box and a
// drag from the button into the list, the wheel, the up-down button, the grid's hooks, images and
// the not-in-list event.
#include "data_controls/size_grip.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/image_list.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/screen_canvas.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_controls/db_combo_box_test_support.h"

namespace {

struct ComboList : ComboForm {
    void AltDown() { Press(VK_DOWN, {ssAlt}); }
    TEditButtonControlEh& Button() { return *combo->ButtonControls().front().EditButtonControl; }
    TRect ComboOnScreen() const {
        const TPoint topLeft = combo->ClientToScreen({0, 0});
        return Rect(topLeft.X, topLeft.Y, topLeft.X + combo->ClientWidth(),
                    topLeft.Y + combo->ClientHeight());
    }
    TRect ListOnScreen() {
        return Rect(List().Left(), List().Top(), List().Left() + List().Width(),
                    List().Top() + List().Height());
    }
    // Presses the grip's centre and moves it by (dx, dy) on the screen.
    void DragGrip(int dx, int dy) {
        TSizeGripEh& grip = *List().SizeGrip();
        const TPoint start = grip.ClientToScreen({grip.Width() / 2, grip.Height() / 2});
        const TPoint to{start.X + dx, start.Y + dy};
        const TPoint from = grip.ScreenToClient(start);
        grip.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(from.X, from.Y));
        const TPoint moved = grip.ScreenToClient(to);
        grip.Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(moved.X, moved.Y));
        grip.Perform(WM_LBUTTONUP, 0, MakeLParam(moved.X, moved.Y));
    }
};

}  // namespace

TEST_F(ComboList, AltDownOpensTheListWhileTheFocusStaysAndEnterTakesTheRow) {
    Focus();
    AltDown();
    ASSERT_TRUE(combo->ListVisible());
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_TRUE(List().WindowVisible());
    EXPECT_TRUE(ui.System().WindowShown(List()));
    EXPECT_TRUE(combo->Focused()) << "the list opens without taking the focus";
    EXPECT_EQ(List().Count(), 2);
    EXPECT_EQ(List().ItemIndex(), -1);
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(List().ItemIndex(), 1);
    EXPECT_TRUE(combo->Focused());
    EXPECT_EQ(combo->Text(), "") << "the keys move in the list, not the box";
    Press(VK_HOME, {ssCtrl});
    EXPECT_EQ(List().ItemIndex(), 0);
    Press(VK_END, {ssCtrl});
    EXPECT_EQ(List().ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "");
    Press(VK_RETURN);
    EXPECT_FALSE(combo->ListVisible());
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_FALSE(ui.System().WindowShown(List()));
    EXPECT_EQ(combo->Text(), "Green");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->SelLength(), 5);
}

TEST_F(ComboList, EscapeAltDownAndLeavingCloseWithoutTakingTheRow) {
    int closeUps = 0;
    bool accepted = true;
    combo->OnCloseUp = [&](TObject*, bool accept) {
        ++closeUps;
        accepted = accept;
    };
    Focus();
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        AltDown();
        ASSERT_TRUE(combo->ListVisible());
        Press(VK_DOWN);
        if (way == 0)
            Press(VK_ESCAPE);
        else if (way == 1)
            AltDown();
        else
            next->SetFocus();
        ui.ProcessMessages();
        EXPECT_FALSE(combo->ListVisible());
        EXPECT_EQ(combo->Text(), "");
        EXPECT_FALSE(accepted);
    }
    EXPECT_EQ(closeUps, 3);
}

TEST_F(ComboList, CharactersWhoseCodesAreKeyCodesAreTypedWhileTheListIsOpen) {
    // '!', '"', '&' and '(' share their codes with Page Up, Page Down, Up and Down.
    Focus();
    AltDown();
    ASSERT_TRUE(combo->ListVisible());
    Type("(&\"!");
    EXPECT_EQ(combo->Text(), "(&\"!");
    EXPECT_TRUE(combo->ListVisible());
    EXPECT_EQ(List().ItemIndex(), -1);
}

TEST_F(ComboList, TypingFollowsInTheOpenListAndAClickOnARowTakesIt) {
    Focus();
    AltDown();
    Type("g");
    EXPECT_EQ(List().ItemIndex(), 1) << "the completed item is selected in the list";
    ui.ClickAt(&List(), {5, List().ItemHeight() / 2});
    ui.ProcessMessages();
    EXPECT_FALSE(combo->ListVisible());
    EXPECT_EQ(combo->Text(), "Red");
    EXPECT_TRUE(combo->Focused());
}

TEST_F(ComboList, WidthFollowsTheSettingButNeverNarrowerThanTheBox) {
    const std::string longItem(40, 'W');
    TScreenCanvas canvas;
    canvas.Font()->Assign(*combo->Font());
    const int longWidth = canvas.TextWidth(longItem);
    ASSERT_GT(longWidth + 5, 200);
    struct Case {
        int setting;
        bool withLongItem;
        int width;        // the list's width, or
        int clientWidth;  // its client width
    };
    const Case cases[] = {
        {0, false, 200, 0},  {300, false, 300, 0},         {100, false, 200, 0},
        {-1, false, 200, 0}, {-1, true, 0, longWidth + 5},
    };
    Focus();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        combo->Items()->Clear();
        combo->Items()->Add("Red");
        if (c.withLongItem)
            combo->Items()->Add(longItem);
        combo->DropDownBox()->SetWidth(c.setting);
        AltDown();
        ASSERT_TRUE(combo->ListVisible());
        if (c.width != 0)
            EXPECT_EQ(List().Width(), c.width);
        else
            EXPECT_EQ(List().ClientWidth(), c.clientWidth);
        EXPECT_EQ(List().Left(), ComboOnScreen().Left - (combo->Width() - combo->ClientWidth()) / 2);
        Press(VK_ESCAPE);
    }
}

TEST_F(ComboList, RowsShrinkToTheItemsAndTheListOpensUpwardsNearTheBottom) {
    Focus();
    AltDown();
    EXPECT_EQ(List().RowCount(), 2) << "fewer items than rows";
    EXPECT_EQ(ListOnScreen().Top, ComboOnScreen().Bottom + (combo->Height() - combo->ClientHeight()) / 2);
    Press(VK_ESCAPE);
    for (int i = 0; i < 10; ++i) combo->Items()->Add("Item " + std::to_string(i));
    form->SetTop(984 - 60);
    ui.ProcessMessages();
    AltDown();
    EXPECT_EQ(List().RowCount(), 7);
    const TPoint comboTop = form->ClientToScreen({combo->Left(), combo->Top()});
    EXPECT_EQ(ListOnScreen().Bottom, comboTop.Y) << "above the box: no room below";
}

TEST_F(ComboList, TheSizeGivenWithTheGripIsKeptForTheNextTime) {
    for (int i = 0; i < 10; ++i) combo->Items()->Add("Item " + std::to_string(i));
    combo->DropDownBox()->SetSizable(true);
    Focus();
    AltDown();
    ASSERT_TRUE(List().SizeGrip()->Visible());
    EXPECT_EQ(List().RowCount(), 7);
    DragGrip(60, 3 * List().ItemHeight());
    const int rows = List().RowCount();
    const int width = List().Width();
    EXPECT_EQ(rows, 10);
    EXPECT_EQ(width, 260);
    Press(VK_ESCAPE);
    EXPECT_EQ(combo->DropDownBox()->Rows(), rows);
    EXPECT_EQ(combo->DropDownBox()->Width(), width);
    AltDown();
    EXPECT_EQ(List().RowCount(), rows);
    EXPECT_EQ(List().Width(), width);
    Press(VK_ESCAPE);
    EXPECT_EQ(combo->DropDownBox()->Rows(), rows) << "opening alone changes nothing";
}

TEST_F(ComboList, AKeyBasedBoxDropsDownOnAClickOnItsTextAndTheNextClickClosesIt) {
    KeyBased();
    Bind("COLOR");
    ui.ClickAt(combo, {20, 10});
    ui.ProcessMessages();
    EXPECT_TRUE(combo->Focused());
    ASSERT_TRUE(combo->ListVisible());
    EXPECT_EQ(combo->SelLength(), 0) << "no caret placed by the mouse";
    ui.ClickAt(combo, {20, 10});
    ui.ProcessMessages();
    EXPECT_FALSE(combo->ListVisible());
    EXPECT_EQ(VarToStr(combo->Value()), "B");
    platform::ui::PostMouseMove(*form, {}, {combo->Left() + 40, combo->Top() + 10});
    ui.ProcessMessages();
    ASSERT_FALSE(ui.System().PointerShapes().empty());
    EXPECT_EQ(ui.System().PointerShapes().back(), crArrow) << "a pick list, not a text";
}

TEST_F(ComboList, PressOnTheButtonDragIntoTheListAndReleaseTakesTheRow) {
    Focus();
    const TPoint press = Button().ClientToScreen({Button().Width() / 2, Button().Height() / 2});
    const TPoint onForm = form->ScreenToClient(press);
    platform::ui::PostMouseDown(*form, mbLeft, {}, onForm);
    ui.ProcessMessages();
    ASSERT_TRUE(combo->ListVisible());
    const TPoint row = List().ClientToScreen({10, List().ItemHeight() + 2});
    platform::ui::PostMouseMove(*form, {ssLeft}, form->ScreenToClient(row));
    ui.ProcessMessages();
    EXPECT_EQ(GetCaptureControl(), &List()) << "the list took over the drag";
    platform::ui::PostMouseUp(*form, mbLeft, {ssLeft}, form->ScreenToClient(row));
    ui.ProcessMessages();
    EXPECT_FALSE(combo->ListVisible());
    EXPECT_EQ(combo->Text(), "Green");
}

TEST_F(ComboList, TheWheelStepsUnlessShiftedHandledOrReadOnlyAndGoesToAnOpenList) {
    Focus();
    Wheel(-1);
    EXPECT_EQ(combo->Text(), "Red");
    Wheel(-1);
    EXPECT_EQ(combo->Text(), "Green");
    Wheel(1);
    EXPECT_EQ(combo->Text(), "Red");
    Wheel(-1, {ssCtrl});
    EXPECT_EQ(combo->Text(), "Red");
    combo->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; };
    Wheel(-1);
    EXPECT_EQ(combo->Text(), "Red");
    combo->OnMouseWheel = nullptr;
    combo->SetReadOnly(true);
    Wheel(-1);
    EXPECT_EQ(combo->Text(), "Red");
    combo->SetReadOnly(false);
    for (int i = 0; i < 10; ++i) combo->Items()->Add("Item " + std::to_string(i));
    AltDown();
    Wheel(-1);
    EXPECT_EQ(List().TopIndex(), 1) << "the open list scrolls";
    EXPECT_EQ(combo->Text(), "Red");
}

TEST_F(ComboList, TheUpDownButtonSteps) {
    combo->EditButton()->SetStyle(ebsUpDownEh);
    Focus();
    ui.ClickAt(&Button(), {Button().Width() / 2, Button().Height() - 3});
    ui.ProcessMessages();
    EXPECT_EQ(combo->Text(), "Red");
    ui.ClickAt(&Button(), {Button().Width() / 2, Button().Height() - 3});
    ui.ProcessMessages();
    EXPECT_EQ(combo->Text(), "Green");
    ui.ClickAt(&Button(), {Button().Width() / 2, 2});
    ui.ProcessMessages();
    EXPECT_EQ(combo->Text(), "Red");
    EXPECT_FALSE(combo->ListVisible());
}

TEST_F(ComboList, TheGridsHooksFillTheItemsAndMayRefuseTheChoice) {
    combo->Items()->Clear();
    int asked = 0;
    combo->ItemsListHook = [&](TObject* sender) {
        EXPECT_EQ(sender, combo);
        ++asked;
        combo->Items()->Add("One");
        combo->Items()->Add("Two");
    };
    bool refuse = true;
    combo->ClosingUpHook = [&](TObject*, bool& accept) {
        if (refuse)
            accept = false;
    };
    Focus();
    AltDown();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(List().Count(), 2);
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(combo->Text(), "") << "refused before it was applied";
    refuse = false;
    AltDown();
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(combo->Text(), "One");
    EXPECT_EQ(asked, 1) << "asked only while there are no items";
}

TEST_F(ComboList, ImagesFollowTheItemInTheBoxAndTheList) {
    auto* images = NewComponent<TCustomImageList>(form);
    images->SetWidth(16);
    images->SetHeight(20);
    TBitmap picture;
    picture.SetSize(16, 20);
    for (int i = 0; i < 12; ++i) images->AddMasked(&picture, clFuchsia);
    combo->SetImages(images);
    combo->OnGetItemImageIndex = [](TObject*, int item, int& index) { index = item + 10; };
    EXPECT_TRUE(combo->EditImage()->Visible());
    Focus();
    Press(VK_UP);
    EXPECT_EQ(combo->EditImage()->ImageIndex(), 11);
    AltDown();
    EXPECT_EQ(List().Images(), images);
    EXPECT_EQ(List().ItemHeight(), 21) << "rows as high as the images and a line";
    int asked = -1;
    List().OnGetImageIndex(&List(), 0, asked);
    EXPECT_EQ(asked, 10);
}

TEST_F(ComboList, NotInListMayAddTheTextWhichIsThenTheItemChosen) {
    Bind("NAME");
    std::vector<std::string> offered;
    combo->OnNotInList = [&](TObject*, const std::string& text, bool& recheck) {
        offered.push_back(text);
        if (text == "Blue") {
            combo->Items()->Add(text);
            recheck = true;
        }
    };
    Focus();
    combo->SelectAll();
    Type("Blue");
    Press(VK_TAB);
    EXPECT_EQ(offered, std::vector<std::string>{"Blue"});
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "Blue");
    Focus();
    combo->SelectAll();
    Type("Red");
    Press(VK_TAB);
    EXPECT_EQ(offered.size(), 1u) << "an item in the list is not offered";
}

TEST_F(ComboList, PastingIntoAKeyBasedBoxSearches) {
    KeyBased();
    Focus();
    Clipboard()->SetAsText("gr");
    Press('V', {ssCtrl});
    EXPECT_EQ(combo->Text(), "Green");
    EXPECT_EQ(VarToStr(combo->Value()), "G");
    combo->SetSelStart(0);
    Clipboard()->SetAsText("purple");
    combo->Perform(WM_PASTE);
    EXPECT_EQ(combo->Text(), "Green") << "nothing found, nothing changed";
}

TEST_F(ComboList, AGridCopyOfAKeyBasedBoxShowsTheItemOfTheFieldsKey) {
    KeyBased();
    Bind("COLOR");
    combo->ControlState.Include(csPaintCopy);
    EXPECT_EQ(combo->PaintCopyText(), "") << "a key beyond the items";
    ds.Edit();
    ds.FieldByName("COLOR")->SetAsString("G");
    EXPECT_EQ(combo->PaintCopyText(), "Green");
    combo->SetCharCase(ecUpperCase);
    EXPECT_EQ(combo->PaintCopyText(), "GREEN");
    combo->ControlState.Exclude(csPaintCopy);
}

TEST_F(ComboList, NotInListOnAKeyBasedBoxMayAddTheItemForItsKey) {
    KeyBased();
    Bind("COLOR");
    combo->OnNotInList = [&](TObject*, const std::string&, bool& recheck) {
        combo->Items()->Add("Blue");
        recheck = true;
    };
    combo->SetValue(Variant("B"));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "Blue");
    EXPECT_EQ(ds.FieldByName("COLOR")->AsString(), "B");
}
