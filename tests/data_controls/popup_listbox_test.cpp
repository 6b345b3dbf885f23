// The pop-up list: search as typed on the program clock, whole rows, the mouse and the wheel, the grip's
// side, images, and a list under an edit that leaves the keys and the focus with the edit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/drop_down_placement.h"
#include "data_controls/popup_listbox.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/image_list.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_functions.h"

namespace {

TEST(WindowBorderHeight, StylesAndTheBorderDrawnInside) {
    struct Case {
        DWORD style, exStyle;
        int borderWidth;
        int height;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {WS_BORDER, 0, 0, 2},
        {0, 0, 2, 4},
        {0, WS_EX_CLIENTEDGE, 0, 4},
        {WS_BORDER, WS_EX_CLIENTEDGE, 1, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowBorderHeight(c.style, c.exStyle, c.borderWidth), c.height)
            << c.style << " " << c.exStyle << " " << c.borderWidth;
}

struct PopupList : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TPopupListboxEh* list = nullptr;

    PopupList() {
        ui.System().SetWorkAreas({Rect(0, 0, 1280, 984)});
        Application->CreateForm(&form);
        form->SetBounds(100, 100, 400, 300);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        list = NewComponent<TPopupListboxEh>(form);
        list->SetVisible(false);
        list->SetParent(edit);
        for (const char* text : {"aa", "ab", "abc", "b", "c", "ca", "cb", "d", "e", "f"})
            list->Items()->Add(text);
        form->Show();
        ui.ProcessMessages();
    }

    void DropDown(int rows) {
        list->SetWidth(edit->Width());
        list->SizeForRows(rows);
        TPoint at = PlaceDropDownByControl(edit, list, daLeft);
        list->SetBounds(at.X, at.Y, list->Width(), list->Height());
        list->SetVisible(true);
        ShowWindow(list->Handle(), SW_SHOWNOACTIVATE);
        ui.ProcessMessages();
    }
    void Char(char32_t c) { list->Perform(WM_CHAR, c, 0); }
    static LPARAM At(TPoint p) { return MakeLParam(p.X, p.Y); }
    TPoint RowPoint(int row) const {
        TRect r = list->ItemRect(row);
        return {r.Left + 4, r.Top + r.Height() / 2};
    }
};

TEST_F(PopupList, SearchAsTyped) {
    struct Step {
        char32_t key;
        int afterMs;  // since the previous key
        std::string search;
        int selected;
    };
    const Step steps[] = {
        {'a', 0, "a", 0},     {'b', 100, "ab", 1}, {'C', 1999, "abC", 2}, {'c', 2500, "c", 4},
        {'b', 2000, "cb", 6}, {'x', 0, "cbx", 6},  // no such row: stays
        {VK_BACK, 0, "", 6},  {'e', 0, "e", 8},    {VK_ESCAPE, 0, "", 8}, {'d', 5000, "d", 7},
    };
    for (const Step& s : steps) {
        ui.Clock().Advance(s.afterMs);
        Char(s.key);
        EXPECT_EQ(list->SearchText(), s.search) << "key " << static_cast<int>(s.key);
        EXPECT_EQ(list->ItemIndex(), s.selected) << "key " << static_cast<int>(s.key);
    }
}

TEST_F(PopupList, SearchTextStopsAtThirtyTwoCharacters) {
    std::string thirtyTwo;
    for (int i = 0; i < 32; ++i) {
        Char(U'ж');
        thirtyTwo += "ж";
    }
    Char(U'z');
    EXPECT_EQ(list->SearchText(), thirtyTwo);
}

TEST_F(PopupList, HeightIsWholeRows) {
    struct Case {
        const char* what;
        bool ctl3D;
        int rowsAsked;  // -1: set the height below instead
        int heightSet;
        int rows;
        int height;
    };
    const Case cases[] = {
        {"0 rows give one", true, 0, 0, 1, 16 + 4},
        {"three rows", true, 3, 0, 3, 48 + 4},
        {"height snapped down to whole rows", true, -1, 60, 3, 48 + 4},
        {"too low a height keeps one row", true, -1, 3, 1, 16 + 4},
        {"flat border is one pixel", false, 3, 0, 3, 48 + 2},
    };
    for (const Case& c : cases) {
        list->SetCtl3D(c.ctl3D);
        if (c.rowsAsked >= 0)
            list->SizeForRows(c.rowsAsked);
        else
            list->SetHeight(c.heightSet);
        EXPECT_EQ(list->RowCount(), c.rows) << c.what;
        EXPECT_EQ(list->Height(), c.height) << c.what;
        EXPECT_EQ(list->BorderWidth(), c.ctl3D ? 2 : 0) << c.what;
    }
}

TEST_F(PopupList, ShownUnderTheEditTheFocusAndKeysStayThere) {
    edit->SetFocus();
    DropDown(4);
    ASSERT_TRUE(list->IsTopLevelWindow());
    EXPECT_EQ(list->Top(), form->ClientToScreen({0, 31}).Y);
    EXPECT_EQ(list->WindowExStyle(), static_cast<DWORD>(WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_EQ(FocusedControl(), edit);

    ui.TypeText("xy");
    EXPECT_EQ(edit->Text(), "xy");
    EXPECT_EQ(list->SearchText(), "");

    ui.ClickAt(list, RowPoint(2));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(FocusedControl(), edit);
    ui.TypeText("z");
    EXPECT_EQ(edit->Text(), "xyz");
}

TEST_F(PopupList, MouseMovesSelectAndTheWheelScrollsOneRow) {
    DropDown(4);
    list->Perform(WM_MOUSEMOVE, 0, At(RowPoint(1)));
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(RowPoint(3)));
    EXPECT_EQ(list->ItemIndex(), 1);  // a button held: no following
    list->Perform(WM_MOUSEMOVE, 0, At(RowPoint(3)));
    EXPECT_EQ(list->ItemIndex(), 1);  // the same point again: no move
    list->SetItemIndex(0);
    list->Perform(WM_MOUSEMOVE, 0, At({5, list->ClientHeight() - 1}));
    EXPECT_EQ(list->ItemIndex(), 3);

    list->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(-WHEEL_DELTA) << 16, 0);
    EXPECT_EQ(list->TopIndex(), 1);
    list->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(WHEEL_DELTA) << 16, 0);
    EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(PopupList, TheSideMessageMovesTheGripAndResizingPlacesIt) {
    DropDown(4);
    EXPECT_EQ(list->SizeGrip()->Position(), sgpBottomRight);
    list->Perform(WM_DROPDOWN_SIDE_EH, sgsTop, 0);
    list->Perform(WM_DROPDOWN_SIDE_EH, sgsLeft, 0);
    EXPECT_EQ(list->SizeGrip()->Position(), sgpTopLeft);

    list->SetSizeGripResized(false);
    list->Perform(WM_DROPDOWN_SIDE_EH, sgsBottom, 0);
    list->Perform(WM_DROPDOWN_SIDE_EH, sgsRight, 0);
    list->SizeForRows(6);
    EXPECT_TRUE(list->SizeGripResized());
    EXPECT_EQ(list->SizeGrip()->Top(), list->ClientHeight() - list->SizeGrip()->Height());
    EXPECT_EQ(list->SizeGrip()->Left(), list->ClientWidth() - list->SizeGrip()->Width());
}

TEST_F(PopupList, ItemsSourceAndImageIndexHook) {
    TStringList source;
    source.Add("one");
    source.Add("two");
    list->SetItemsSource(&source);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->ItemText(1), "two");

    TCustomImageList images(nullptr);
    images.SetWidth(8);
    images.SetHeight(8);
    list->SetImages(&images);
    std::vector<int> asked;
    list->OnGetImageIndex = [&](TObject*, int row, int& imageIndex) {
        asked.push_back(row);
        EXPECT_EQ(imageIndex, row);
    };
    DropDown(3);
    asked.clear();
    list->Repaint();
    EXPECT_EQ(asked, (std::vector<int>{0, 1}));
    list->SetImages(nullptr);
}

}  // namespace
