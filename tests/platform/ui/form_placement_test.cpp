// Form placement: Position centres a form as it first shows; a maximized form covers its monitor's work
// area and keeps its normal rectangle; a minimized one leaves the screen and gives up the activation;
// the window placement reads and sets the state and the normal rectangle.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"

namespace {

class FormPlacementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ui.System().SetMonitors({{TRect{0, 0, 1280, 1024}, TRect{0, 0, 1280, 984}, true},
                                 {TRect{1280, 0, 2560, 1024}, TRect{1280, 0, 2560, 1000}}});
        Application->CreateForm(&main);
        main->SetBounds(100, 100, 600, 500);
        main->Show();
        ui.ProcessMessages();
    }
    TForm* Second(TPosition position, TRect bounds) {
        TForm* form = nullptr;
        Application->CreateForm(&form);
        form->SetBoundsRect(bounds);
        form->SetPosition(position);
        return form;
    }
    platform::ui::HeadlessSession ui;
    TForm* main = nullptr;
};

TEST_F(FormPlacementTest, PositionPlacesTheFormAsItFirstShows) {
    struct Case {
        TPosition position;
        TRect shown;
    } cases[] = {
        {poDesigned, Bounds(5, 6, 200, 100)},
        {poScreenCenter, Bounds(540, 442, 200, 100)},    // the primary work area
        {poDesktopCenter, Bounds(1180, 462, 200, 100)},  // both monitors
        {poMainFormCenter, Bounds(300, 300, 200, 100)},
    };
    for (const auto& c : cases) {
        TForm* form = Second(c.position, Bounds(5, 6, 200, 100));
        form->Show();
        EXPECT_EQ(form->BoundsRect(), c.shown) << c.position;
        form->Hide();
        form->SetLeft(7);
        form->Show();
        EXPECT_EQ(form->Left(), 7) << "placed once only";
        Free(form);
    }
}

TEST_F(FormPlacementTest, AMaximizedFormCoversItsWorkAreaAndKeepsItsNormalRectangle) {
    TForm* form = Second(poDesigned, Bounds(1400, 50, 300, 200));
    form->SetWindowState(wsMaximized);
    form->Show();
    EXPECT_EQ(form->BoundsRect(), (TRect{1280, 0, 2560, 1000})) << "the second monitor's work area";
    EXPECT_EQ(form->RestoredBounds(), Bounds(1400, 50, 300, 200));
    form->SetWindowState(wsNormal);
    EXPECT_EQ(form->BoundsRect(), Bounds(1400, 50, 300, 200));
    EXPECT_EQ(form->RestoredBounds(), form->BoundsRect());

    main->SetWindowState(wsMaximized);
    EXPECT_EQ(main->BoundsRect(), (TRect{0, 0, 1280, 984}));
    EXPECT_EQ(main->RestoredBounds(), Bounds(100, 100, 600, 500));
    main->SetWindowState(wsMinimized);
    EXPECT_EQ(main->RestoredBounds(), Bounds(100, 100, 600, 500)) << "still the normal one";
}

TEST_F(FormPlacementTest, APlacementReadFromAMaximizedFormPutsAnotherFormInTheSameState) {
    TForm* form = Second(poDesigned, Bounds(1400, 50, 300, 200));
    form->Show();
    form->SetWindowState(wsMaximized);
    WINDOWPLACEMENT read;
    ASSERT_TRUE(GetWindowPlacement(form->Handle(), &read));
    EXPECT_EQ(read.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(read.rcNormalPosition, Bounds(1400, 50, 300, 200));

    TForm* copy = Second(poDesigned, Bounds(10, 10, 100, 100));
    copy->Show();
    ASSERT_TRUE(SetWindowPlacement(copy->Handle(), &read));
    EXPECT_EQ(copy->WindowState(), wsMaximized);
    EXPECT_EQ(copy->BoundsRect(), (TRect{1280, 0, 2560, 1000}))
        << "maximized on the normal rectangle's monitor";
    WINDOWPLACEMENT again;
    ASSERT_TRUE(GetWindowPlacement(copy->Handle(), &again));
    EXPECT_EQ(again.showCmd, read.showCmd);
    EXPECT_EQ(again.rcNormalPosition, read.rcNormalPosition);

    // A new normal rectangle while maximized: it comes back when the form is restored.
    again.rcNormalPosition = Bounds(40, 30, 250, 150);
    ASSERT_TRUE(SetWindowPlacement(copy->Handle(), &again));
    EXPECT_EQ(copy->BoundsRect(), (TRect{0, 0, 1280, 984}))
        << "the normal rectangle moved to the first monitor";
    copy->SetWindowState(wsNormal);
    EXPECT_EQ(copy->BoundsRect(), Bounds(40, 30, 250, 150));

    struct Case {
        int showCmd;
        TWindowState state;
        TRect bounds;
    } cases[] = {
        {SW_SHOWMAXIMIZED, wsMaximized, TRect{0, 0, 1280, 984}},
        {SW_RESTORE, wsNormal, Bounds(60, 70, 200, 100)},
        {SW_MINIMIZE, wsMinimized, Bounds(60, 70, 200, 100)},
        {SW_SHOWNORMAL, wsNormal, Bounds(60, 70, 200, 100)},
    };
    for (const auto& c : cases) {
        WINDOWPLACEMENT p;
        p.showCmd = static_cast<UINT>(c.showCmd);
        p.rcNormalPosition = Bounds(60, 70, 200, 100);
        ASSERT_TRUE(SetWindowPlacement(copy->Handle(), &p));
        EXPECT_EQ(copy->WindowState(), c.state) << c.showCmd;
        EXPECT_EQ(copy->BoundsRect(), c.bounds) << c.showCmd;
        EXPECT_TRUE(copy->Visible()) << c.showCmd;
    }
    EXPECT_FALSE(GetWindowPlacement(0, &read));
}

TEST_F(FormPlacementTest, AMinimizedFormLeavesTheScreenAndComesBackToItsNormalRectangle) {
    auto& host = ui.System();
    ASSERT_TRUE(host.WindowShown(*main));
    main->SetWindowState(wsMinimized);
    EXPECT_FALSE(host.WindowShown(*main));
    EXPECT_TRUE(main->Visible()) << "minimized is no hidden";
    EXPECT_FALSE(main->Active());
    WINDOWPLACEMENT p;
    ASSERT_TRUE(GetWindowPlacement(main->Handle(), &p));
    EXPECT_EQ(p.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(p.rcNormalPosition, Bounds(100, 100, 600, 500));

    main->SetWindowState(wsNormal);
    EXPECT_TRUE(host.WindowShown(*main));
    EXPECT_TRUE(main->Active());
    EXPECT_EQ(main->BoundsRect(), Bounds(100, 100, 600, 500));

    // Iconified from maximized by the user, brought back by the user: maximized again.
    main->SetWindowState(wsMaximized);
    main->HostMinimizedChanged(true);
    EXPECT_EQ(main->WindowState(), wsMinimized);
    EXPECT_TRUE(host.WindowShown(*main)) << "the host iconified its window itself: it is not told again";
    main->HostMinimizedChanged(false);
    EXPECT_EQ(main->WindowState(), wsMaximized);
    EXPECT_EQ(main->BoundsRect(), (TRect{0, 0, 1280, 984}));
    EXPECT_EQ(main->RestoredBounds(), Bounds(100, 100, 600, 500));

    // A form first shown minimized never shows nor takes the activation.
    TForm* form = Second(poScreenCenter, Bounds(0, 0, 200, 100));
    form->SetWindowState(wsMinimized);
    int activations = host.Activations();
    form->Show();
    EXPECT_FALSE(host.WindowShown(*form));
    EXPECT_EQ(host.Activations(), activations);
    EXPECT_TRUE(main->Active());
    form->SetWindowState(wsNormal);
    EXPECT_TRUE(host.WindowShown(*form));
    EXPECT_EQ(form->BoundsRect(), Bounds(540, 442, 200, 100)) << "placed by its Position all the same";
}

}  // namespace
