// Real X input: a private Xvfb server, the Qt host on it (xcb) and xdotool typing and clicking.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_host.h"
#include "platform/ui/speed_button.h"
#include "tests/platform/ui/x11_host_test.h"
#include "tests/support/child_process.h"
#include "tests/support/xvfb_server.h"

namespace {

class ScanForm : public TForm {
  public:
    explicit ScanForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(0, 0, 400, 300);
        edit = new TEdit(this);
        edit->SetParent(this);
        edit->SetBounds(4, 0, 0, 21);
        edit->OnKeyUp = [this](TObject*, WORD& key, TShiftState shift) {
            if (shift == TShiftState{ssAlt})
                altKeys += static_cast<char>(key);
        };
        button = new TSpeedButton(this);
        button->SetParent(this);
        button->SetBounds(300, 200, 41, 38);
        button->SetFlat(true);
        button->OnClick = [this](TObject*) { ++clicks; };
    }
    TEdit* edit;
    TSpeedButton* button;
    std::string altKeys;
    int clicks = 0;
};

class X11InputTest : public X11HostTest {
  protected:
    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        Application->CreateForm(&form);
        form->Show();
        Pump([] { return false; }, std::chrono::milliseconds(300));
    }
    void TearDown() override { Application->DestroyForms(); }

    // Switches the X server's keyboard layout and lets Qt hear of it.
    bool SetLayout(const std::string& layout) {
        if (!xvfb->Run({"setxkbmap", layout}))
            return false;
        Pump([] { return false; }, std::chrono::milliseconds(200));
        return true;
    }

    ScanForm* form = nullptr;
};

TEST_F(X11InputTest, TypedKeysReachTheFocusedZeroWidthEdit) {
    EXPECT_TRUE(Drive({"type", "--delay", "30", "4217"}, [&] { return form->edit->Text() == "4217"; }))
        << "typed: '" << form->edit->Text() << "'";
}

TEST_F(X11InputTest, LettersOfAnotherLayoutAreTyped) {
    ASSERT_TRUE(SetLayout("ru"));
    bool typed = Drive({"type", "--delay", "30", "жя"}, [&] { return form->edit->Text() == "жя"; });
    EXPECT_TRUE(SetLayout("us"));
    EXPECT_TRUE(typed) << "typed: '" << form->edit->Text() << "'";
}

TEST_F(X11InputTest, AltDigitArrivesAsKeyUpWithExactlyAltAndTypesNothing) {
    // Alt stays down while the keys go down and up, as a hand does it (xdotool's "alt+1" lets Alt go first).
    EXPECT_TRUE(Drive({"keydown", "alt", "key", "--delay", "30", "1", "2", "Return", "keyup", "alt"},
                      [&] { return form->altKeys.size() == 3; }))
        << "seen: '" << form->altKeys << "'";
    EXPECT_EQ(form->altKeys, "12\r");
    EXPECT_EQ(form->edit->Text(), "");
}

TEST_F(X11InputTest, AMouseClickOnAnInvisibleButtonFiresOnClick) {
    EXPECT_TRUE(Drive({"mousemove", "320", "220", "click", "1"}, [&] { return form->clicks == 1; }));
}

}  // namespace
