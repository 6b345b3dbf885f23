// The pop-up list under a form's edit on a real X server: real clicks select its rows while the
// keys typed, before and after, go on to the edit, which keeps the focus.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "data_controls/drop_down_placement.h"
#include "data_controls/popup_listbox.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/window_functions.h"
#include "tests/platform/ui/x11_host_test.h"

namespace {

class X11PopupListTest : public X11HostTest {
  protected:
    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(4, 4, 200, 21);
        list = NewComponent<TPopupListboxEh>(form);
        list->SetVisible(false);
        list->SetParent(edit);
        for (const char* text : {"один", "два", "три", "четыре", "пять", "шесть"}) list->Items()->Add(text);
        list->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ++presses; };
        form->Show();
        edit->SetFocus();
        Pump([] { return false; }, std::chrono::milliseconds(300));
    }
    void TearDown() override { Application->DestroyForms(); }

    void DropDown() {
        list->SetWidth(edit->Width());
        list->SizeForRows(6);
        TPoint at = PlaceDropDownByControl(edit, list, daLeft);
        list->SetBounds(at.X, at.Y, list->Width(), list->Height());
        list->SetVisible(true);
        ShowWindow(list->Handle(), SW_SHOWNOACTIVATE);
    }
    // The screen point in the middle of a row's text.
    std::vector<std::string> RowPoint(int row) const {
        TRect r = list->ItemRect(row);
        TPoint p = list->ClientToScreen({r.Left + 30, r.Top + r.Height() / 2});
        return {std::to_string(p.X), std::to_string(p.Y)};
    }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TPopupListboxEh* list = nullptr;
    int presses = 0;
};

TEST_F(X11PopupListTest, RealClicksSelectRowsWhileTheEditKeepsTheKeys) {
    EXPECT_TRUE(Drive({"type", "--delay", "30", "ab"}, [&] { return edit->Text() == "ab"; }));
    DropDown();
    ASSERT_TRUE(Pump([&] { return list->PopupWindow() != nullptr && list->PopupWindow()->Shown(); },
                     std::chrono::seconds(2)));
    Pump([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(FocusedControl(), edit);

    std::vector<std::string> move = RowPoint(3);
    move.insert(move.begin(), "mousemove");
    move.insert(move.end(), {"click", "1"});
    EXPECT_TRUE(Drive(move, [&] { return presses == 1 && list->ItemIndex() == 3; }))
        << "presses " << presses << ", row " << list->ItemIndex();
    EXPECT_EQ(FocusedControl(), edit);

    EXPECT_TRUE(Drive({"type", "--delay", "30", "c"}, [&] { return edit->Text() == "abc"; }))
        << "typed: '" << edit->Text() << "'";
    EXPECT_EQ(list->SearchText(), "");

    move = RowPoint(1);
    move.insert(move.begin(), "mousemove");
    EXPECT_TRUE(Drive(move, [&] { return list->ItemIndex() == 1; })) << "row " << list->ItemIndex();
    EXPECT_TRUE(Drive({"click", "1"}, [&] { return presses == 2; }));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(FocusedControl(), edit);
}

}  // namespace
