// The data-aware edit hosted by a small holder, as a grid hosts its cell editor: the holder sees
// every message and key first and may stop a message; the holder moves, shows and hides the editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_controls/db_edit.h"
#include "data_controls/inplace_editor.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/virtual_keys.h"

namespace {

// A holder that keeps what its editor told it and can stop one kind of message.
class TSmallHolder : public TWinControl, public IInplaceEditHolderEh {
  public:
    using TWinControl::TWinControl;
    bool EditorCanModify(TControl*) override { return true; }
    void EditorMouseDownPlace(TPoint& ScreenPoint, DWORD& Time) override {
        ScreenPoint = pressedAt;
        Time = pressedTime;
    }
    void EditorWindowProc(TControl*, TMessage& Message) override {
        seen.push_back(Message.Msg);
        if (Message.Msg == stopMessage && (stopWParam == 0 || Message.WParam == stopWParam))
            Message.Result = 1;
    }
    void EditorKeyDown(TControl*, WORD& Key, TShiftState) override { keysDown.push_back(Key); }
    void EditorKeyPress(TControl*, char32_t& Key) override { keysPressed.push_back(Key); }
    void EditorKeyUp(TControl*, WORD&, TShiftState) override {}

    std::vector<UINT> seen;
    std::vector<WORD> keysDown;
    std::u32string keysPressed;
    UINT stopMessage = 0;
    WPARAM stopWParam = 0;
    TPoint pressedAt{-1000, -1000};
    DWORD pressedTime = 0;
};

struct EditHosting : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TSmallHolder* holder = nullptr;
    TDBEditEh* edit = nullptr;

    EditHosting() {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 400, 300);
        holder = NewComponent<TSmallHolder>(form);
        holder->SetParent(form);
        holder->SetBounds(10, 10, 300, 200);
        holder->SetTabStop(true);
        edit = NewComponent<TDBEditEh>(form);
        edit->SetParent(holder);
        edit->SetBounds(0, 0, 100, 20);
        form->Show();
        ui.ProcessMessages();
        edit->AttachEditHolder(holder);
    }
};

TEST_F(EditHosting, AttachingNeedsTheHolderInterface) {
    EXPECT_TRUE(edit->InplaceMode());
    EXPECT_EQ(edit->EditHolder(), holder);
    EXPECT_EQ(edit->EditHolderIntf(), static_cast<IInplaceEditHolderEh*>(holder));
    edit->AttachEditHolder(holder);
    EXPECT_TRUE(edit->InplaceMode()) << "the same holder again changes nothing";

    edit->AttachEditHolder(nullptr);
    EXPECT_FALSE(edit->InplaceMode());
    EXPECT_EQ(edit->EditHolderIntf(), nullptr);

    auto* plain = NewComponent<TWinControl>(form);
    try {
        edit->AttachEditHolder(plain);
        FAIL() << "a holder without the interface is refused";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "InplaceEditHolder have to support IInplaceEditHolderEh interface");
    }
    EXPECT_FALSE(edit->InplaceMode());
    EXPECT_EQ(edit->EditHolderIntf(), nullptr);
}

TEST_F(EditHosting, HolderSeesMessagesAndKeysFirstAndNonZeroResultStopsThem) {
    edit->SetEditorBounds(Rect(0, 0, 120, 22));
    edit->SetFocus();
    ui.ProcessMessages();
    ASSERT_TRUE(edit->Focused());
    holder->stopMessage = WM_CHAR;
    holder->stopWParam = 'x';
    ui.TypeText("axb");
    ui.ProcessMessages();
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(holder->keysPressed, U"ab") << "the stopped character never reaches the key handling";
    EXPECT_FALSE(holder->keysDown.empty());
    EXPECT_NE(std::find(holder->seen.begin(), holder->seen.end(), WM_KEYUP), holder->seen.end());

    // Stopping every key-down leaves the edit without its editing keys.
    holder->stopMessage = WM_KEYDOWN;
    holder->stopWParam = 0;
    ui.PressKey(VK_BACK);
    ui.ProcessMessages();
    EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(EditHosting, EmptyBoundsHideTheEditorAndHandTheFocusBack) {
    const TRect place = Rect(20, 30, 140, 52);
    edit->SetEditorBounds(place);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(edit->BoundsRect(), place);
    edit->SetFocus();
    ui.ProcessMessages();
    ASSERT_TRUE(edit->Focused());

    edit->SetEditorBounds(TRect{});
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(holder->Focused());

    edit->SetEditorBounds(place);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(edit->BoundsRect(), place);
    EXPECT_TRUE(edit->Focused()) << "the holder had the focus, so the shown editor takes it";

    edit->SetVisible(false);
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(holder->Focused());
    edit->SetFocus();
    EXPECT_TRUE(holder->Focused()) << "a hidden editor does not take the focus";
}

TEST_F(EditHosting, PressOnTheEditorCompletesADoubleClickBegunOnTheHolder) {
    edit->SetEditorBounds(Rect(20, 30, 140, 52));
    int doubleClicks = 0;
    edit->OnDblClick = [&](TObject*) { ++doubleClicks; };
    struct Case {
        const char* what;
        int dx;
        int elapsed;
        int doubles;
    };
    for (const Case& c :
         {Case{"same place, at once", 0, 0, 1}, Case{"far away", 40, 0, 0}, Case{"too late", 0, 5000, 0}}) {
        SCOPED_TRACE(c.what);
        doubleClicks = 0;
        ui.Advance(10000);
        const TPoint at{10, 10};
        const TPoint screen = edit->ClientToScreen(at);
        holder->pressedAt = {screen.X + c.dx, screen.Y};
        holder->pressedTime =
            static_cast<DWORD>(ui.Clock().TickMillis() - static_cast<std::uint64_t>(c.elapsed));
        ui.ClickAt(edit, at);
        ui.ProcessMessages();
        EXPECT_EQ(doubleClicks, c.doubles);
    }
}

TEST(EditUnhosted, BoundsAndVisibleAreTheControlsOwn) {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    Application->CreateForm(&form);
    auto* edit = NewComponent<TDBEditEh>(form);
    edit->SetParent(form);
    edit->SetEditorBounds(Rect(5, 6, 105, 30));
    EXPECT_EQ(edit->BoundsRect(), Rect(5, 6, 105, 30));
    edit->SetEditorBounds(TRect{});
    EXPECT_TRUE(edit->BoundsRect().IsEmpty()) << "not hosted, empty bounds are just bounds";
    edit->Hide();
    EXPECT_FALSE(edit->Visible());
    EXPECT_FALSE(edit->TControl::Visible());
}

}  // namespace
