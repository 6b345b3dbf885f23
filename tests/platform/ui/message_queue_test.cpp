// The queue and the WndProc -> Dispatch -> DefaultHandler chain.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/headless.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/win_control.h"

namespace {

constexpr UINT WM_PING = WM_USER + 100;

// Handles WM_PING itself and hands every other message down the chain.
class PingControl : public TWinControl {
  public:
    using TWinControl::TWinControl;
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_PING) {
            pings.push_back(m.WParam);
            m.Result = static_cast<LRESULT>(m.WParam * 2);
            return;
        }
        TWinControl::Dispatch(m);
    }
    void DefaultHandler(TMessage& m) override {
        if (m.Msg >= WM_USER)
            unhandled.push_back(m.Msg);
    }
    std::vector<WPARAM> pings;
    std::vector<UINT> unhandled;
};

class MessageQueueTest : public ::testing::Test {
  protected:
    platform::ui::HeadlessSession ui;
    TObjectPtr<PingControl> control = MakeComponent<PingControl>(nullptr);
};

TEST_F(MessageQueueTest, SendAndPerformRunTheChainAtOnceAndReturnTheResult) {
    EXPECT_EQ(SendMessage(control->Handle(), WM_PING, 21, 0), 42);
    EXPECT_EQ(control->Perform(WM_PING, 5), 10);
    control->Perform(WM_USER + 7);
    EXPECT_EQ(control->pings, (std::vector<WPARAM>{21, 5}));
    EXPECT_EQ(control->unhandled, (std::vector<UINT>{WM_USER + 7}));
}

TEST_F(MessageQueueTest, WindowProcCanBeReplacedAndChainedToTheOldOne) {
    std::vector<UINT> seen;
    TWndMethod old = control->WindowProc;
    control->WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        old(m);
    };
    EXPECT_EQ(SendMessage(control->Handle(), WM_PING, 1, 0), 2);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_PING}));
}

TEST_F(MessageQueueTest, PostedMessagesWaitUntilTheLoopRunsAndPeekFilters) {
    HWND h = control->Handle();
    ASSERT_TRUE(PostMessage(h, WM_PING, 1, 0));
    ASSERT_TRUE(PostMessage(h, WM_USER + 1, 0, 0));
    ASSERT_TRUE(PostMessage(h, WM_PING, 2, 0));
    EXPECT_TRUE(control->pings.empty());

    TMsg msg;
    ASSERT_TRUE(PeekMessage(msg, h, WM_USER + 1, WM_USER + 1, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    ASSERT_TRUE(PeekMessage(msg, h, WM_PING, WM_PING, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    ui.ProcessMessages();
    EXPECT_EQ(control->pings, (std::vector<WPARAM>{2}));
    EXPECT_EQ(control->unhandled, (std::vector<UINT>{WM_USER + 1}));
    EXPECT_FALSE(PeekMessage(msg, 0, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, MessagesForAFreedWindowAreDroppedNotDelivered) {
    HWND h = control->Handle();
    PostMessage(h, WM_PING, 1, 0);
    control.reset();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(PostMessage(h, WM_PING, 2, 0));
    EXPECT_EQ(SendMessage(h, WM_PING, 3, 0), 0);
    ui.ProcessMessages();  // nothing left to crash on
    TMsg msg;
    EXPECT_FALSE(PeekMessage(msg, 0, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, RecreatingAWindowGivesANewHandle) {
    HWND before = control->Handle();
    control->RecreateWnd();
    EXPECT_NE(control->Handle(), before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(SendMessage(control->Handle(), WM_PING, 4, 0), 8);
}

}  // namespace
