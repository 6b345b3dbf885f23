// A popup menu under a real X server: a real right click opens it, a real click on an item runs the
// item and closes the menu, and the form's edit keeps the focus throughout.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/popup_window.h"
#include "tests/platform/ui/x11_host_test.h"

namespace {

class MenuOverForm : public TForm {
  public:
    explicit MenuOverForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(0, 0, 400, 300);
        edit = NewComponent<TEdit>(this);
        edit->SetParent(this);
        edit->SetBounds(4, 4, 200, 21);
        menu = NewComponent<TPopupMenu>(this);
        for (const char* caption : {"&First", "-", "&Second"}) {
            auto* item = NewComponent<TMenuItem>(this);
            item->Caption = caption;
            item->OnClick = [this, caption](TObject*) { clicked += std::string(caption) + ";"; };
            menu->Items()->Add(item);
        }
        edit->SetPopupMenu(menu);
    }
    TEdit* edit;
    TPopupMenu* menu;
    std::string clicked;
};

class X11PopupMenuTest : public X11HostTest {
  protected:
    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        Application->CreateForm(&form);
        form->Show();
        form->edit->SetFocus();
        Pump([] { return false; }, std::chrono::milliseconds(300));
    }
    void TearDown() override { Application->DestroyForms(); }

    MenuOverForm* form = nullptr;
};

TEST_F(X11PopupMenuTest, ARealClickOnAnItemRunsItWhileTheEditKeepsTheFocus) {
    auto shown = [&] {
        TMenuWindow* w = form->menu->MenuWindow();
        return w != nullptr && w->PopupWindow() != nullptr && w->PopupWindow()->Shown();
    };
    ASSERT_TRUE(Drive({"mousemove", "40", "12", "click", "3"}, shown)) << "a right click on the edit";
    Pump([] { return false; }, std::chrono::milliseconds(300));
    TMenuWindow* window = form->menu->MenuWindow();
    EXPECT_EQ(window->BoundsRect().TopLeft(), (TPoint{40, 12}));
    TRect second = window->ItemRect(2);
    TPoint at = window->ClientToScreen({(second.Left + second.Right) / 2, (second.Top + second.Bottom) / 2});

    EXPECT_TRUE(Drive({"mousemove", std::to_string(at.X), std::to_string(at.Y), "click", "1"},
                      [&] { return form->clicked == "&Second;" && form->menu->MenuWindow() == nullptr; }))
        << "clicked: '" << form->clicked << "'";
    EXPECT_EQ(FocusedControl(), form->edit);
    EXPECT_TRUE(Drive({"type", "--delay", "30", "42"}, [&] { return form->edit->Text() == "42"; }))
        << "typed: '" << form->edit->Text() << "'";

    // Opened again, a click outside closes it without running an item.
    ASSERT_TRUE(Drive({"mousemove", "40", "12", "click", "3"}, shown));
    EXPECT_TRUE(Drive({"mousemove", "350", "280", "click", "1"},
                      [&] { return form->menu->MenuWindow() == nullptr; }));
    EXPECT_EQ(form->clicked, "&Second;");
    EXPECT_EQ(FocusedControl(), form->edit);
}

}  // namespace
