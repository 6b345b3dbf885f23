// Form placement: Position centres a form as it first shows; a maximized form covers its monitor's work
// area and keeps its normal rectangle.
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

}  // namespace
