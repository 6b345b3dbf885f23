// A pop-up over a form under a real X server: it takes real clicks while the keys typed go on to the
// form's edit.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/window_functions.h"
#include "tests/platform/ui/x11_host_test.h"
#include "tests/support/child_process.h"
#include "tests/support/xvfb_server.h"

namespace {

class DropList : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    int clicks = 0;
    TPoint lastDown{-1, -1};

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.Style |= WS_POPUP;
        params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        lastDown = {x, y};
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void Click() override { ++clicks; }
};

class PopupOverForm : public TForm {
  public:
    explicit PopupOverForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(0, 0, 400, 300);
        edit = new TEdit(this);
        edit->SetParent(this);
        edit->SetBounds(4, 4, 200, 21);
        list = new DropList(this);
        list->SetVisible(false);
        list->SetParent(this);
    }
    TEdit* edit;
    DropList* list;
};

class X11PopupTest : public X11HostTest {
  protected:
    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        Application->CreateForm(&form);
        form->Show();
        form->edit->SetFocus();
        Pump([] { return false; }, std::chrono::milliseconds(300));
    }
    void TearDown() override { Application->DestroyForms(); }

    PopupOverForm* form = nullptr;
};

TEST_F(X11PopupTest, APopupOverTheFormTakesRealClicksWhileTypedKeysReachTheFormsEdit) {
    // Dropped over the form's lower right part, without activation.
    SetWindowPos(form->list->Handle(), HWND_TOP, 200, 150, 150, 100, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_TRUE(Pump([&] { return form->list->PopupWindow()->Shown(); }, std::chrono::seconds(2)));
    Pump([] { return false; }, std::chrono::milliseconds(300));

    EXPECT_TRUE(Drive({"mousemove", "250", "180", "click", "1"}, [&] { return form->list->clicks == 1; }))
        << "clicks on the pop-up: " << form->list->clicks;
    EXPECT_EQ(form->list->lastDown, (TPoint{50, 30}));
    EXPECT_TRUE(Drive({"type", "--delay", "30", "42"}, [&] { return form->edit->Text() == "42"; }))
        << "typed: '" << form->edit->Text() << "'";
    EXPECT_EQ(FocusedControl(), form->edit);

    // A second click, then more keys: the keyboard never moved to the pop-up.
    EXPECT_TRUE(Drive({"click", "1"}, [&] { return form->list->clicks == 2; }));
    EXPECT_TRUE(Drive({"type", "--delay", "30", "7"}, [&] { return form->edit->Text() == "427"; }))
        << "typed: '" << form->edit->Text() << "'";
}

}  // namespace
