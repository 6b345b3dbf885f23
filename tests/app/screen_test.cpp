#include <gtest/gtest.h>

#include "kiosk_fixture.h"
#include "platform/ui/virtual_keys.h"

namespace {

TEST_F(KioskTest, OneMonitorWorkedNumbers) {
    TMainForm* form = CreateAndShow();
    EXPECT_EQ(form->DesignWidth(), 807);
    EXPECT_EQ(form->DesignHeight(), 613);
    EXPECT_EQ(form->BoundsRect(), Rect(0, 0, 1280, 984));
    EXPECT_EQ(form->pnInfo->BoundsRect(), Rect(0, 0, 1280, 425));
    EXPECT_FALSE(form->pnInfo->Visible());
    EXPECT_EQ(form->pnData->Width(), 962);
    EXPECT_EQ(form->pnData->Left() + form->pnData->Width(),
              1280 - 1);  // still on the right edge, inside the bevel
    // The ticket label keeps its distances to the value area's edges: it grows with it.
    EXPECT_EQ(form->lbTicket->Width(), 585 + (962 - 607));
    EXPECT_EQ(form->lbTicket->Height(), 153 + (425 - 265));
    EXPECT_EQ(form->lbTitle1->Left(), 25);
    EXPECT_EQ(form->lbTitle1->Top(), 38);
    EXPECT_EQ(form->lbTitle1->Font()->Size(), 25);
    EXPECT_EQ(form->btReturn->BoundsRect(), Rect(25, 321, 25 + 242, 321 + 48));
    EXPECT_EQ(form->btReturn->Font()->Size(), 16);
    // Tap buttons at the edges, at their design size.
    EXPECT_EQ(form->btExit1->BoundsRect(), Rect(0, 984 - 38, 41, 984));
    EXPECT_EQ(form->btExit2->BoundsRect(), Rect(1280 - 41, 984 - 38, 1280, 984));
    EXPECT_EQ(form->btExit3->BoundsRect(), Rect(1280 - 41, (984 - 38) / 2, 1280, (984 - 38) / 2 + 38));
    EXPECT_EQ(form->btDebug->BoundsRect(), Rect(0, (984 - 38) / 2, 41, (984 - 38) / 2 + 38));
    // Reset for scanning.
    EXPECT_EQ(form->edTicket->Text(), "");
    EXPECT_EQ(form->edTicket->Width(), 0);
    EXPECT_TRUE(form->edTicket->Visible());
    EXPECT_TRUE(form->edTicket->Focused());
    EXPECT_EQ(form->lbTicket->Caption(), "");
    EXPECT_EQ(form->lbCount->Caption(), "");
    EXPECT_TRUE(form->MainTimer->Enabled());
}

struct MonitorCase {
    const char* name;
    std::vector<TRect> workAreas;
    TRect expected;
};

TEST_F(KioskTest, PlacementOnTheSecondMonitor) {
    const MonitorCase cases[] = {
        {"second monitor on the right",
         {Rect(0, 0, 1920, 1040), Rect(1920, 0, 3200, 1024)},
         Rect(1920, 0, 3200, 1024)},
        // The window follows the second monitor wherever it lies, not the first one's right edge.
        {"second monitor on the left",
         {Rect(0, 0, 1920, 1040), Rect(-1280, 100, 0, 1124)},
         Rect(-1280, 100, 0, 1124)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui().System().SetWorkAreas(c.workAreas);
        TMainForm* form = CreateAndShow();
        EXPECT_EQ(form->BoundsRect(), c.expected);
        EXPECT_EQ(form->pnInfo->Width(), c.expected.Width());
        Application->DestroyForms();
    }
}

TEST_F(KioskTest, NoMonitorKeepsTheDesignedSize) {
    ui().System().SetWorkAreas({});
    TMainForm* form = CreateAndShow();
    EXPECT_EQ(form->Width(), 807);
    EXPECT_EQ(form->Height(), 613);
    EXPECT_TRUE(ui().System().MessageBoxes().empty());
}

struct GestureCase {
    const char* name;
    std::vector<std::string> taps;  // exit1, exit2, exit3, debug
    bool closes;
    bool debugMode;
};

TEST_F(KioskTest, HiddenGestures) {
    const GestureCase cases[] = {
        {"bottom-left, bottom-right, right-middle", {"exit1", "exit2", "exit3"}, true, false},
        {"bottom-left twice first", {"exit1", "exit1", "exit2", "exit3"}, true, false},
        {"bottom-left, right-middle", {"exit1", "exit3"}, false, false},
        {"bottom-right, right-middle", {"exit2", "exit3"}, false, false},
        {"bottom-left, bottom-right, bottom-right, right-middle",
         {"exit1", "exit2", "exit2", "exit3"},
         false,
         false},
        {"debug sequence", {"exit1", "exit2", "debug"}, false, true},
        {"debug sequence twice", {"exit1", "exit2", "debug", "exit1", "exit2", "debug"}, false, false},
        {"debug tap alone", {"debug"}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMainForm* form = CreateAndShow();
        bool closed = false;
        form->OnClose = [&](TObject*, TCloseAction& action) {
            closed = true;
            action = caHide;
        };
        for (const auto& tap : c.taps) {
            TSpeedButton* button = tap == "exit1"   ? form->btExit1
                                   : tap == "exit2" ? form->btExit2
                                   : tap == "exit3" ? form->btExit3
                                                    : form->btDebug;
            ui().Click(button);
        }
        EXPECT_EQ(closed, c.closes);
        EXPECT_EQ(form->DebugMode(), c.debugMode);
        Application->DestroyForms();
    }
}

TEST_F(KioskTest, SwitchingDebugModeOnEmptiesTheScanBoxOffDoesNot) {
    TMainForm* form = CreateAndShow();
    form->edTicket->SetText("55");
    for (TSpeedButton* b : {form->btExit1, form->btExit2, form->btDebug}) ui().Click(b);
    EXPECT_TRUE(form->DebugMode());
    EXPECT_EQ(form->edTicket->Text(), "");
    form->InfoTimer->SetEnabled(false);
    form->edTicket->SetText("66");
    for (TSpeedButton* b : {form->btExit1, form->btExit2, form->btDebug}) ui().Click(b);
    EXPECT_FALSE(form->DebugMode());
    EXPECT_EQ(form->edTicket->Text(), "66");
}

class DebugEntryTest : public KioskTest {
  protected:
    TMainForm* StartInDebugMode() {
        TMainForm* form = CreateAndShow();
        for (TSpeedButton* b : {form->btExit1, form->btExit2, form->btDebug}) ui().Click(b);
        EXPECT_TRUE(form->DebugMode());
        return form;
    }
};

TEST_F(DebugEntryTest, AltDigitsThenAltEnterFillTheScanBox) {
    TMainForm* form = StartInDebugMode();
    for (WORD key : {WORD('1'), WORD('2'), WORD('3')}) ui().PressKey(key, {ssAlt});
    EXPECT_EQ(form->edTicket->Text(), "");  // Alt keys never type into the box
    ui().PressKey(VK_RETURN, {ssAlt});
    EXPECT_EQ(form->edTicket->Text(), "123");
    EXPECT_TRUE(form->InfoTimer->Enabled());  // the check starts as after a scan
    ui().PressKey(VK_RETURN, {ssAlt});
    EXPECT_EQ(form->edTicket->Text(), "");  // the buffer was emptied
}

TEST_F(DebugEntryTest, OtherModifiersAreNotTaken) {
    TMainForm* form = StartInDebugMode();
    ui().PressKey('1', {ssCtrl, ssAlt});
    ui().PressKey('2', {ssShift, ssAlt});
    ui().PressKey('3', {ssCtrl});
    ui().PressKey(VK_RETURN, {ssAlt});
    EXPECT_EQ(form->edTicket->Text(), "");
}

TEST_F(KioskTest, AltDigitsOutsideDebugModeChangeNothing) {
    TMainForm* form = CreateAndShow();
    ui().PressKey('1', {ssAlt});
    ui().PressKey(VK_RETURN, {ssAlt});
    EXPECT_EQ(form->edTicket->Text(), "");
    EXPECT_FALSE(form->InfoTimer->Enabled());
}

// The clock text drawn on the form at (timeX, timeY), in the template's format.
TEST_F(KioskTest, ClockIsDrawnEveryHalfSecond) {
    WriteSettings(
        "timeTemplate=hh:nn:ss\r\ntimeX=40\r\ntimeY=60\r\ntimeFontSize=20\r\ntimeFontName=DejaVu Sans\r\n"
        "timeFontColor=#00FF00\r\n");
    ui().Clock().SetUnixMillis(
        DateTimeToUnixMillis(LocalToUtc(EncodeDate(2024, 3, 1) + EncodeTime(9, 59, 58, 0))));
    CreateAndShow();
    auto& drawn = ui().System().TextLog().Drawn;
    drawn.clear();
    ui().Advance(500);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().Text, "09:59:58");
    EXPECT_EQ(drawn.back().Font.PixelHeight, 27);  // 20 points at 96 dpi
    EXPECT_EQ(drawn.back().Font.Name, "DejaVu Sans");
    EXPECT_EQ(drawn.back().Argb & 0xFFFFFF, 0x00FF00u);
    ui().Advance(1500);
    EXPECT_EQ(drawn.back().Text, "10:00:00");
}

// The first frame the window shows is the finished idle screen: the clock is on it before the
// timer's first tick, over the background, and the next tick draws the same text in the same place.
TEST_F(KioskTest, FirstFrameShowsTheClock) {
    WriteSettings("timeTemplate=hh:nn\r\ntimeX=40\r\ntimeY=60\r\ntimeFontColor=#00FF00\r\n");
    ui().Clock().SetUnixMillis(
        DateTimeToUnixMillis(LocalToUtc(EncodeDate(2024, 3, 1) + EncodeTime(9, 59, 30, 0))));
    TMainForm* form = CreateAndShow();
    auto& drawn = ui().System().TextLog().Drawn;
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().Text, "09:59");
    EXPECT_FALSE(form->NeedsPaint()) << "a later paint would cover the clock";
    const platform::ui::RasterImage& surface = form->SurfaceImage();
    const auto greenIn = [&](const TRect& r) {
        int count = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) count += (surface.Pixel(x, y) & 0xFFFFFF) == 0x00FF00;
        return count;
    };
    const TRect clockArea = Bounds(40, 60, form->ClockBitmap()->Width(), form->ClockBitmap()->Height());
    EXPECT_GT(greenIn(clockArea), 0);
    EXPECT_EQ(greenIn(Bounds(0, 0, form->Width(), 60)), 0);  // the background above it is untouched
    const std::size_t drawnAtShow = drawn.size();
    ui().Advance(500);
    ASSERT_EQ(drawn.size(), drawnAtShow + 1);
    EXPECT_EQ(drawn.back().Text, "09:59");
}

// A text that grows puts back the old background before it saves a wider one: no remnants.
TEST_F(KioskTest, GrowingClockTextLeavesNoRemnants) {
    WriteSettings("timeTemplate=h:nn\r\ntimeX=40\r\ntimeY=60\r\n");
    ui().Clock().SetUnixMillis(
        DateTimeToUnixMillis(LocalToUtc(EncodeDate(2024, 3, 1) + EncodeTime(9, 59, 59, 0))));
    TMainForm* form = CreateAndShow();
    form->Repaint();  // the background alone, without the clock the first frame shows
    const platform::ui::RasterImage clean = form->SurfaceImage();
    ui().Advance(500);  // "9:59"
    const int narrow = form->ClockBitmap()->Width();
    ui().Advance(500);  // "10:00"
    EXPECT_GT(form->ClockBitmap()->Width(), narrow);
    // Restore what the clock saved: the surface is the clean background again.
    form->Canvas()->Draw(40, 60, form->ClockBitmap());
    const platform::ui::RasterImage& now = form->SurfaceImage();
    ASSERT_EQ(now.Width(), clean.Width());
    int differing = 0;
    for (int y = 0; y < now.Height(); ++y)
        for (int x = 0; x < now.Width(); ++x) differing += now.Pixel(x, y) != clean.Pixel(x, y);
    EXPECT_EQ(differing, 0);
}

}  // namespace
