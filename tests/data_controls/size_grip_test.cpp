// The size grip: its corner, the side it is sent to, its region and cursor, and dragging it, which
// resizes its parent inside the work area.
#include <gtest/gtest.h>

#include "data_controls/size_grip.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_functions.h"

namespace {

LPARAM PointToLParam(TPoint p) {
    return MakeLParam(p.X, p.Y);
}

TEST(SizeGripPositionForSide, MovesToTheNearestCornerOnThatSide) {
    struct Case {
        TSizeGripPosition from;
        int side;
        TSizeGripPosition to;
    };
    const Case cases[] = {
        {sgpTopRight, sgsLeft, sgpTopLeft},          {sgpBottomRight, sgsLeft, sgpBottomLeft},
        {sgpTopLeft, sgsLeft, sgpTopLeft},           {sgpBottomLeft, sgsLeft, sgpBottomLeft},
        {sgpTopLeft, sgsRight, sgpTopRight},         {sgpBottomLeft, sgsRight, sgpBottomRight},
        {sgpTopRight, sgsRight, sgpTopRight},        {sgpBottomRight, sgsTop, sgpTopRight},
        {sgpBottomLeft, sgsTop, sgpTopLeft},         {sgpTopLeft, sgsTop, sgpTopLeft},
        {sgpTopRight, sgsBottom, sgpBottomRight},    {sgpTopLeft, sgsBottom, sgpBottomLeft},
        {sgpBottomRight, sgsBottom, sgpBottomRight}, {sgpBottomRight, 7, sgpBottomRight},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SizeGripPositionForSide(c.from, c.side), c.to) << c.from << " to side " << c.side;
}

// A pop-up box with a grip, on a form, in a 1280 x 984 work area.
struct GripOnPopup : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TCustomControl* box = nullptr;
    TSizeGripEh* grip = nullptr;
    int resized = 0;

    GripOnPopup() {
        ui.System().SetWorkAreas({Rect(0, 0, 1280, 984)});
        Application->CreateForm(&form);
        form->SetBounds(100, 100, 600, 500);
        box = NewComponent<TCustomControl>(form);
        box->SetParent(form);
        form->Show();
        ui.ProcessMessages();
        SetParent(box->Handle(), 0);
        box->SetBounds(300, 300, 200, 150);
        grip = NewComponent<TSizeGripEh>(box);
        grip->SetParent(box);
        grip->OnParentResized = [this](TObject*) { ++resized; };
        ui.ProcessMessages();
    }

    // Presses at the grip's centre and moves the pointer by (dx, dy) on the screen.
    void Drag(int dx, int dy) {
        TPoint start = grip->ClientToScreen({grip->Width() / 2, grip->Height() / 2});
        grip->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(grip->ScreenToClient(start)));
        TPoint to{start.X + dx, start.Y + dy};
        grip->Perform(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam(grip->ScreenToClient(to)));
        grip->Perform(WM_LBUTTONUP, 0, PointToLParam(grip->ScreenToClient(to)));
    }
};

TEST_F(GripOnPopup, StandsInItsCornerWithItsCursor) {
    const int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYVSCROLL);
    struct Case {
        TSizeGripPosition position;
        TPoint at;
        TCursor cursor;
    };
    const Case cases[] = {
        {sgpTopLeft, {0, 0}, crSizeNWSE},
        {sgpTopRight, {200 - w, 0}, crSizeNESW},
        {sgpBottomRight, {200 - w, 150 - h}, crSizeNWSE},
        {sgpBottomLeft, {0, 150 - h}, crSizeNESW},
    };
    for (const Case& c : cases) {
        grip->SetPosition(c.position);
        EXPECT_EQ((TPoint{grip->Left(), grip->Top()}), c.at) << c.position;
        EXPECT_EQ(grip->Cursor(), c.cursor) << c.position;
    }
    grip->SetLeft(3);  // moved by someone else: back in its corner
    EXPECT_EQ(grip->Left(), 0);
    box->SetBounds(300, 300, 250, 180);  // the parent grew: the grip follows once placed
    grip->PlaceInCorner();
    EXPECT_EQ((TPoint{grip->Left(), grip->Top()}), (TPoint{0, 180 - h}));
}

TEST_F(GripOnPopup, RegionIsTheTriangleInItsCorner) {
    const int w = grip->Width(), h = grip->Height();
    struct Case {
        TSizeGripPosition position;
        TPoint inside, outside;
    };
    const Case cases[] = {
        {sgpBottomRight, {w - 2, h - 2}, {1, 1}},
        {sgpBottomLeft, {1, h - 2}, {w - 2, 1}},
        {sgpTopLeft, {1, 1}, {w - 2, h - 2}},
        {sgpTopRight, {w - 2, 1}, {1, h - 2}},
    };
    auto covers = [](const platform::ui::Region& region, TPoint p) {
        for (const TRect& r : region.Rects())
            if (r.Contains(p))
                return true;
        return false;
    };
    for (const Case& c : cases) {
        grip->SetPosition(c.position);
        grip->HandleNeeded();
        const platform::ui::Region* region = grip->WindowRegion();
        ASSERT_NE(region, nullptr) << c.position;
        EXPECT_TRUE(covers(*region, c.inside)) << c.position;
        EXPECT_FALSE(covers(*region, c.outside)) << c.position;
    }
    grip->SetTriangular(false);
    EXPECT_EQ(grip->WindowRegion(), nullptr);
}

TEST_F(GripOnPopup, DraggingResizesTheParentFromEachCorner) {
    struct Case {
        const char* what;
        TSizeGripPosition position;
        int dx, dy;
        TRect bounds;  // the parent's, on the screen
    };
    const Case cases[] = {
        {"bottom-left dragged left widens and moves left", sgpBottomLeft, -20, 0, Rect(280, 300, 500, 450)},
        {"bottom-left dragged down", sgpBottomLeft, 0, 30, Rect(300, 300, 500, 480)},
        {"bottom-right grows right and down", sgpBottomRight, 20, 10, Rect(300, 300, 520, 460)},
        {"bottom-right shrinks", sgpBottomRight, -50, -40, Rect(300, 300, 450, 410)},
        {"top-right grows upwards, the bottom stays", sgpTopRight, 10, -25, Rect(300, 275, 510, 450)},
        {"top-left grows up and left", sgpTopLeft, -15, -5, Rect(285, 295, 500, 450)},
        {"right edge held inside the work area", sgpBottomRight, 2000, 0, Rect(300, 300, 1280, 450)},
        {"bottom edge held inside the work area", sgpBottomLeft, 0, 2000, Rect(300, 300, 500, 984)},
        {"left edge held inside the work area", sgpTopLeft, -2000, 0, Rect(0, 300, 500, 450)},
        {"top edge held inside the work area", sgpTopRight, 0, -2000, Rect(300, 0, 500, 450)},
        {"never smaller than the grip", sgpBottomRight, -1000, -1000,
         Rect(300, 300, 300 + grip->Width(), 300 + grip->Height())},
    };
    for (const Case& c : cases) {
        box->SetBounds(300, 300, 200, 150);
        grip->SetPosition(c.position);
        resized = 0;
        Drag(c.dx, c.dy);
        EXPECT_EQ(box->BoundsRect(), c.bounds) << c.what;
        EXPECT_EQ(resized, 1) << c.what;
        TPoint corner{
            c.position == sgpTopRight || c.position == sgpBottomRight ? box->ClientWidth() - grip->Width()
                                                                      : 0,
            c.position == sgpTopLeft || c.position == sgpTopRight ? 0 : box->ClientHeight() - grip->Height()};
        EXPECT_EQ((TPoint{grip->Left(), grip->Top()}), corner) << c.what;
    }
}

TEST_F(GripOnPopup, MovingWithoutTheButtonOrToTheSamePointResizesNothing) {
    TPoint p = grip->ClientToScreen({2, 2});
    grip->Perform(WM_MOUSEMOVE, 0, PointToLParam(grip->ScreenToClient({p.X + 30, p.Y})));
    EXPECT_EQ(box->Width(), 200);
    Drag(0, 0);
    EXPECT_EQ(box->BoundsRect(), Rect(300, 300, 500, 450));
    EXPECT_EQ(resized, 0);
}

}  // namespace
