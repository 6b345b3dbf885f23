// Pop-up windows: a control with WS_POPUP, or made top-level after creation, shows in a host window of
// its own above its form, takes its own clicks and never the keyboard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/popup_window.h"
#include "platform/ui/top_level.h"
#include "platform/ui/window_functions.h"

namespace {

enum class PopupKind { Style, MadeTopLevel };

// A list-like pop-up: WS_POPUP in its style, or a child made top-level once its window exists.
class PopupList : public TCustomControl {
  public:
    PopupList(TComponent* owner, PopupKind kind) : TCustomControl(owner), kind_(kind) {
        SetColor(clRed);
        OnClick = [this](TObject*) { ++clicks; };
        OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) { downs.push_back({x, y}); };
    }
    int clicks = 0;
    std::vector<TPoint> downs;

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        if (kind_ == PopupKind::Style) {
            params.Style |= WS_POPUP;
            params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
        }
    }
    void CreateWnd() override {
        TCustomControl::CreateWnd();
        if (kind_ == PopupKind::MadeTopLevel)
            ::SetParent(Handle(), 0);
    }

  private:
    PopupKind kind_;
};

class PopupForm : public TForm {
  public:
    PopupForm(TComponent* owner, PopupKind kind) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBounds(100, 50, 400, 300);
        edit = new TEdit(this);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 200, 21);
        edit->SetTabStop(true);
        under = new TEdit(this);
        under->SetParent(this);
        under->SetBounds(10, 100, 200, 21);
        list = new PopupList(this, kind);
        list->SetVisible(false);
        list->SetParent(this);
    }
    // Drops the list below the edit, in screen coordinates, without taking the focus.
    void DropDown() {
        TPoint p = edit->ClientToScreen({0, edit->Height()});
        SetWindowPos(list->Handle(), HWND_TOP, p.X, p.Y, 200, 120, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    TEdit* edit;
    TEdit* under;
    PopupList* list;
};

class PopupWindowTest : public ::testing::TestWithParam<PopupKind> {
  protected:
    void SetUp() override {
        form = new PopupForm(nullptr, GetParam());
        form->Show();
        form->edit->SetFocus();
        ui.ProcessMessages();
        ui.TypeText("12");
        form->DropDown();
        ui.ProcessMessages();
    }
    platform::ui::HeadlessSession ui;
    PopupForm* form = nullptr;
};

TEST_P(PopupWindowTest, AClickedPopupTakesItsClickWhileTheKeyboardStaysInTheFormsEdit) {
    int activations = ui.System().Activations();
    ui.Click(form->list);
    EXPECT_EQ(form->list->clicks, 1);
    ASSERT_EQ(form->list->downs.size(), 1u);
    EXPECT_EQ(form->list->downs[0], (TPoint{100, 60}));
    EXPECT_EQ(FocusedControl(), form->edit);
    EXPECT_EQ(ui.System().Activations(), activations) << "a click on a pop-up activates nothing";
    ui.TypeText("3");
    EXPECT_EQ(form->edit->Text(), "123");
}

TEST_P(PopupWindowTest, APopupIsATopLevelWindowPlacedOnTheScreen) {
    EXPECT_TRUE(form->list->IsTopLevelWindow());
    EXPECT_FALSE(form->list->CanFocus());
    EXPECT_FALSE(IsChild(form->Handle(), form->list->Handle()));
    EXPECT_TRUE(IsChild(form->Handle(), form->edit->Handle()));
    EXPECT_TRUE(IsWindowVisible(form->list->Handle()));
    EXPECT_FALSE(form->list->Visible()) << "SetWindowPos shows the window, not the control's Visible";
    // The form's left 100 + the edit's 10; the form's top 50 + the edit's 10 + its height 21.
    EXPECT_EQ(form->list->BoundsRect(), Bounds(110, 81, 200, 120));
    EXPECT_EQ(form->list->ClientToScreen({5, 5}), (TPoint{115, 86}));
    ASSERT_NE(form->list->PopupWindow(), nullptr);
    EXPECT_TRUE(form->list->PopupWindow()->Shown());
}

TEST_P(PopupWindowTest, AClickOnTheFormWhereThePopupWouldLieAsAChildReachesTheForm) {
    // The list's Left/Top read as child coordinates of the edit would cover the lower edit's place;
    // a top-level window covers nothing of its form.
    ui.ClickAt(form->under, {140, 10});
    EXPECT_EQ(form->list->downs.size(), 0u);
    EXPECT_EQ(FocusedControl(), form->under);
}

TEST_P(PopupWindowTest, APopupPaintsItsOwnSurfaceAndLeavesTheFormsPixelsAlone) {
    platform::ui::RasterImage* surface = platform::ui::TopLevelSurface(*form->list);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->Width(), 200);
    EXPECT_EQ(surface->Pixel(100, 60) & 0xFFFFFF, ColorToArgb(clRed) & 0xFFFFFF);
    EXPECT_NE(form->SurfaceImage().Pixel(20, 40) & 0xFFFFFF, ColorToArgb(clRed) & 0xFFFFFF);
}

TEST_P(PopupWindowTest, APopupHoldingTheCaptureHearsAClickOutsideItOnTheForm) {
    // A drop-down takes the capture to close when the user clicks elsewhere.
    SetCaptureControl(form->list);
    TPoint inForm{300, 200};
    platform::ui::PostMouseDown(*form, mbLeft, {}, inForm);
    ui.ProcessMessages();
    ASSERT_EQ(form->list->downs.size(), 1u);
    TPoint screen = form->ClientToScreen(inForm);
    EXPECT_EQ(form->list->downs[0], form->list->ScreenToClient(screen));
    EXPECT_EQ(form->list->downs[0], (TPoint{290, 169}));
}

TEST_P(PopupWindowTest, HidingThePopupsWindowHidesItsHostAndShowingItAgainLeavesTheFocus) {
    ShowWindow(form->list->Handle(), SW_HIDE);
    ui.ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(form->list->Handle()));
    EXPECT_FALSE(form->list->PopupWindow()->Shown());
    ShowWindow(form->list->Handle(), SW_SHOWNA);
    ui.ProcessMessages();
    EXPECT_TRUE(form->list->PopupWindow()->Shown());
    EXPECT_EQ(FocusedControl(), form->edit);
}

TEST_P(PopupWindowTest, APopupMadeAChildAgainShowsInsideItsParent) {
    if (GetParam() != PopupKind::MadeTopLevel)
        GTEST_SKIP() << "a WS_POPUP window stays a pop-up";
    EXPECT_EQ(SetParent(form->list->Handle(), form->edit->Handle()), HWND{0}) << "not its parent";
    EXPECT_EQ(SetParent(form->list->Handle(), form->Handle()), HWND{0}) << "it was top-level";
    EXPECT_FALSE(form->list->IsTopLevelWindow());
    EXPECT_EQ(form->list->PopupWindow(), nullptr);
    EXPECT_TRUE(IsChild(form->Handle(), form->list->Handle()));
}

INSTANTIATE_TEST_SUITE_P(Kinds, PopupWindowTest, ::testing::Values(PopupKind::Style, PopupKind::MadeTopLevel),
                         [](const auto& info) {
                             return info.param == PopupKind::Style ? std::string("Style")
                                                                   : std::string("MadeTopLevel");
                         });

// A pop-up that draws a frame inside its window: the pointer's place on the window's surface is
// told apart from its place in the client area.
class FramedPopup : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    std::vector<TPoint> downs;
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_NCCALCSIZE) {
            auto& r = *reinterpret_cast<TRect*>(message.LParam);
            r = {r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3};
        }
        TCustomControl::Dispatch(message);
    }

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.Style |= WS_POPUP;
        params.ExStyle = WS_EX_TOOLWINDOW;
    }
    void MouseDown(TMouseButton, TShiftState, int x, int y) override { downs.push_back({x, y}); }
};

TEST(FramedPopupWindow, ClicksLandWhereTheyWereMadeInTheClientArea) {
    platform::ui::HeadlessSession ui;
    auto* form = new TForm(nullptr);
    form->SetBounds(100, 50, 400, 300);
    auto* popup = new FramedPopup(form);
    popup->SetVisible(false);
    popup->SetParent(form);
    form->Show();
    SetWindowPos(popup->Handle(), HWND_TOP, 150, 100, 120, 80, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ui.ProcessMessages();
    ASSERT_EQ(popup->ClientWidth(), 114);
    for (TPoint at : {TPoint{0, 0}, TPoint{5, 7}, TPoint{113, 73}}) {
        popup->downs.clear();
        ui.Advance(1000);
        ui.ClickAt(popup, at);
        EXPECT_EQ(popup->downs, std::vector<TPoint>{at});
    }
}

}  // namespace
