// A masked edit under a private Xvfb server: real X keys typed by xdotool, and text going both
// ways through the X clipboard with another X client (clipboard_peer).
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/form.h"
#include "platform/ui/mask_edit.h"
#include "platform/ui/qt/qt_host.h"
#include "tests/platform/ui/x11_host_test.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xvfb_server.h"

namespace {

class MaskForm : public TForm {
  public:
    explicit MaskForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(0, 0, 300, 100);
        edit = NewComponent<TMaskEdit>(this);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 200, 24);
        edit->AutoSelect = false;
        edit->SetEditMask("000-00;1;_");
    }
    TMaskEdit* edit;
};

class X11EditTest : public X11HostTest {
  protected:
    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        Application->CreateForm(&form);
        form->Show();
        Pump([] { return false; }, std::chrono::milliseconds(300));
        form->edit->SetFocus();
    }
    void TearDown() override { Application->DestroyForms(); }

    // Runs a program against the display while the loop runs; true when it ended with status 0 and
    // done() came true.
    bool Run(const std::vector<std::string>& argv, const std::function<bool()>& done) {
        testsupport::ChildProcess tool;
        tool.Start(argv);
        bool ended = Pump([&] { return !tool.Running(); }, std::chrono::seconds(15));
        bool seen = Pump(done, std::chrono::seconds(5));
        return ended && tool.WaitExit(std::chrono::seconds(1)) == 0 && seen;
    }
    bool Keys(std::vector<std::string> args, const std::function<bool()>& done) {
        args.insert(args.begin(), "xdotool");
        return Run(args, done);
    }
    std::string EditText() const { return form->edit->EditText(); }

    testsupport::TempDir dir{"ui_x11_edit"};
    MaskForm* form = nullptr;
};

TEST_F(X11EditTest, TypedKeysFillTheMaskAndRefusedOnesLeaveNoTrace) {
    EXPECT_TRUE(Keys({"type", "--delay", "30", "12a3x45"}, [&] { return EditText() == "123-45"; }))
        << "edit text: '" << EditText() << "'";
    EXPECT_TRUE(
        Keys({"key", "--delay", "30", "BackSpace", "BackSpace", "7"}, [&] { return EditText() == "123-7_"; }))
        << "edit text: '" << EditText() << "'";
}

TEST_F(X11EditTest, TextGoesToAndComesFromAnotherClientThroughTheXClipboard) {
    form->edit->SetText("123-45");
    ASSERT_TRUE(Keys({"key", "--delay", "30", "Home", "shift+End", "ctrl+c"},
                     [&] { return form->edit->SelLength() == 6; }));
    // The other client reads what this one owns.
    std::string file = (dir.Path() / "clipboard.txt").string();
    EXPECT_TRUE(Run({CLIPBOARD_PEER, "get", file}, [] { return true; }));
    std::stringstream got;
    got << std::ifstream(file).rdbuf();
    EXPECT_EQ(got.str(), "123-45");

    // And this one pastes what the other owns.
    testsupport::ChildProcess owner;
    owner.Start({CLIPBOARD_PEER, "set", "987-65", "20"});
    EXPECT_TRUE(Pump([] { return Clipboard()->AsText() == "987-65"; }, std::chrono::seconds(10)));
    form->edit->SetText("");
    form->edit->SetSelStart(0);
    EXPECT_TRUE(Keys({"key", "ctrl+v"}, [&] { return EditText() == "987-65"; }))
        << "edit text: '" << EditText() << "'";
}

}  // namespace
