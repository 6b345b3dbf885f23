// Placing drop-downs against their owner inside the work areas of one or two monitors.
#include <gtest/gtest.h>

#include <vector>

#include "data_controls/drop_down_placement.h"
#include "platform/ui/control.h"
#include "platform/ui/headless.h"

namespace {

class TSideRecordingDropDown : public TControl {
  public:
    TSideRecordingDropDown() : TControl(nullptr) {}
    std::vector<WPARAM> Sides;
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_DROPDOWN_SIDE_EH)
            Sides.push_back(message.WParam);
        TControl::WndProc(message);
    }
};

TEST(PlaceDropDownByRect, SidesShrinkingAndAlignment) {
    struct Case {
        const char* what;
        TRect owner;
        TSize size;
        TDropDownAlign align;
        TPoint at;
        TSize shrunk;
        std::vector<WPARAM> sides;
    };
    const Case cases[] = {
        {"fits below, left-aligned",
         Rect(100, 100, 200, 120),
         {150, 200},
         daLeft,
         {100, 120},
         {150, 200},
         {3, 1}},
        {"right-aligned that fits has its grip on the left",
         Rect(100, 100, 200, 120),
         {150, 200},
         daRight,
         {50, 120},
         {150, 200},
         {3, 0}},
        {"centred", Rect(100, 100, 200, 120), {150, 200}, daCenter, {75, 120}, {150, 200}, {3, 1}},
        {"no room below opens above",
         Rect(100, 900, 200, 920),
         {150, 200},
         daLeft,
         {100, 700},
         {150, 200},
         {2, 1}},
        {"taller than both sides: more room below, shrunk to it",
         Rect(100, 400, 200, 420),
         {150, 900},
         daLeft,
         {100, 420},
         {150, 580},
         {3, 1}},
        {"taller than both sides: more room above, shrunk to it",
         Rect(100, 600, 200, 620),
         {150, 900},
         daLeft,
         {100, 0},
         {150, 600},
         {2, 1}},
        {"left-aligned moved left by the right edge",
         Rect(900, 100, 1000, 120),
         {300, 100},
         daLeft,
         {724, 120},
         {300, 100},
         {3, 0}},
        {"right-aligned moved right by the left edge",
         Rect(0, 100, 100, 120),
         {300, 100},
         daRight,
         {0, 120},
         {300, 100},
         {3, 1}},
        {"wider than the work area",
         Rect(10, 100, 100, 120),
         {2000, 100},
         daLeft,
         {0, 120},
         {1024, 100},
         {3, 0}},
        {"second monitor's work area",
         Rect(1950, 700, 2050, 720),
         {300, 100},
         daLeft,
         {1900, 600},
         {300, 100},
         {2, 0}},
    };
    platform::ui::HeadlessSession ui;
    ui.System().SetWorkAreas({Rect(0, 0, 1024, 1000), Rect(1024, 0, 2200, 768)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSideRecordingDropDown dropDown;
        dropDown.SetBounds(0, 0, c.size.cx, c.size.cy);
        EXPECT_EQ(PlaceDropDownByRect(c.owner, &dropDown, c.align), c.at);
        EXPECT_EQ((TSize{dropDown.Width(), dropDown.Height()}), c.shrunk);
        EXPECT_EQ(dropDown.Sides, c.sides);
    }
}

}  // namespace
