// The drop-down of remembered texts, driven by a small host around an edit: its own scroll bar shown
// only when the rows overflow and kept clear of the size grip, and a pass cut short by a waiting key.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "data_controls/drop_down_placement.h"
#include "data_controls/mru_list.h"
#include "data_controls/mru_listbox.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/window_functions.h"

namespace {

// What the edit control will do with the list: fill it with the texts beginning with the edit's
// text and show as many rows as the settings allow under the edit.
struct MRUHost : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TMRUListboxEh* list = nullptr;
    TMRUListEh mru{nullptr};
    bool completed = true;

    MRUHost() {
        ui.System().SetWorkAreas({Rect(0, 0, 1280, 984)});
        Application->CreateForm(&form);
        form->SetBounds(100, 100, 400, 300);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        list = NewComponent<TMRUListboxEh>(form);
        list->SetVisible(false);
        list->SetCtl3D(false);
        list->SetParent(edit);
        dynamic_cast<TStringList*>(list->Items())->SetSorted(true);
        mru.SetLimit(1000);
        form->Show();
        ui.ProcessMessages();
    }

    void DropDown() {
        completed = mru.FilterByPrefix(*list->Items(), edit->Text());
        list->SetWidth(edit->Width());
        list->SizeForRows(std::min(list->Count(), mru.Rows()));
        TPoint at = PlaceDropDownByControl(edit, list, daLeft);
        list->SetBounds(at.X, at.Y, list->Width(), list->Height());
        list->SetVisible(true);
        ShowWindow(list->Handle(), SW_SHOWNOACTIVATE);
        list->ArrangeScrollBar();
        ui.ProcessMessages();
    }
};

TEST_F(MRUHost, TheWindowHasNoScrollBarsOfItsOwn) {
    DropDown();
    EXPECT_EQ(list->WindowStyle() & (WS_VSCROLL | WS_HSCROLL), 0u);
    EXPECT_TRUE(list->IsTopLevelWindow());
}

TEST_F(MRUHost, ScrollBarOnlyWhenTheRowsOverflow) {
    struct Case {
        const char* what;
        int texts;
        int rows;
        int gripSide;  // sent after the drop-down
        bool barShown;
        bool gripTriangular;
    };
    const Case cases[] = {
        {"fewer texts than rows", 3, 7, sgsRight, false, true},
        {"as many texts as rows", 7, 7, sgsRight, false, true},
        {"more texts than rows, grip at the right", 12, 7, sgsRight, true, false},
        {"more texts than rows, grip at the left", 12, 7, sgsLeft, true, true},
    };
    for (const Case& c : cases) {
        mru.Items()->Clear();
        for (int i = 0; i < c.texts; ++i) mru.AddItem("text" + std::to_string(10 + i));
        mru.SetRows(c.rows);
        list->SetVisible(false);
        DropDown();
        list->Perform(WM_DROPDOWN_SIDE_EH, c.gripSide, 0);
        ASSERT_EQ(list->RowCount(), std::min(c.texts, c.rows)) << c.what;
        EXPECT_EQ(list->ScrollBar()->Visible(), c.barShown) << c.what;
        EXPECT_EQ(list->SizeGrip()->Triangular(), c.gripTriangular) << c.what;
        if (c.barShown) {
            EXPECT_EQ(list->ScrollBar()->Max(), c.texts - 1) << c.what;
            EXPECT_EQ(list->ScrollBar()->PageSize(), c.rows) << c.what;
        }
    }
}

TEST_F(MRUHost, ScrollBarKeepsClearOfTheGrip) {
    for (int i = 0; i < 20; ++i) mru.AddItem("text" + std::to_string(10 + i));
    DropDown();
    TScrollBar* bar = list->ScrollBar();
    const int gripHeight = list->SizeGrip()->Height();
    struct Case {
        int side;
        int top;
        int height;
    };
    const Case cases[] = {
        {sgsBottom, 0, list->ClientHeight() - gripHeight},        // bottom-right
        {sgsTop, gripHeight, list->ClientHeight() - gripHeight},  // top-right
        {sgsLeft, 0, list->ClientHeight()},                       // top-left
        {sgsBottom, 0, list->ClientHeight()},                     // bottom-left
    };
    for (const Case& c : cases) {
        list->Perform(WM_DROPDOWN_SIDE_EH, c.side, 0);
        EXPECT_EQ(bar->Left(), list->ClientWidth() - bar->Width()) << list->SizeGrip()->Position();
        EXPECT_EQ(bar->Top(), c.top) << list->SizeGrip()->Position();
        EXPECT_EQ(bar->Height(), c.height) << list->SizeGrip()->Position();
    }
    bar->SetLeft(0);  // moved by someone else: back at the edge
    EXPECT_EQ(bar->Left(), list->ClientWidth() - bar->Width());
}

TEST_F(MRUHost, ScrollBarAndListMoveTogether) {
    for (int i = 0; i < 20; ++i) mru.AddItem("text" + std::to_string(10 + i));
    DropDown();
    TScrollBar* bar = list->ScrollBar();
    ui.ClickAt(bar, {bar->Width() / 2, bar->Height() - 3});  // the down arrow
    EXPECT_EQ(list->TopIndex(), 1);
    EXPECT_EQ(bar->Position(), 1);

    list->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(-WHEEL_DELTA) << 16, 0);
    EXPECT_EQ(list->TopIndex(), 2);
    EXPECT_EQ(bar->Position(), 2);
    list->SetItemIndex(19);
    list->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(bar->Position(), list->TopIndex());
    EXPECT_EQ(list->TopIndex(), 13);

    // Fewer texts now: the bar goes as the list's rows change.
    mru.Items()->Clear();
    mru.AddItem("text1");
    mru.FilterByPrefix(*list->Items(), "");
    EXPECT_FALSE(bar->Visible());
}

TEST_F(MRUHost, AWaitingKeyLeavesOnlyTheFirstMatch) {
    for (int i = 0; i < 500; ++i) mru.AddItem("entry" + std::to_string(i));
    edit->SetFocus();
    ui.KeyDown('E', {}, "e");
    DropDown();
    EXPECT_FALSE(completed);
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->ItemText(0), "entry0");
    EXPECT_EQ(list->RowCount(), 1);
    EXPECT_FALSE(list->ScrollBar()->Visible());
    EXPECT_EQ(edit->Text(), "e");  // the waiting key reached the edit
}

}  // namespace
