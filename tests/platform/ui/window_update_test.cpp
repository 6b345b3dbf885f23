// Invalidating, validating and scrolling a window's pixels; control and screen canvases; the
// system colour change reaching every control; the system metrics table.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/control_canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/label.h"
#include "platform/ui/messages.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_canvas.h"
#include "platform/ui/system_colour_change.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_update.h"

namespace {

template <class Base>
class Listening : public Base {
  public:
    using Base::Base;
    void Dispatch(TMessage& Message) override {
        heard.push_back(Message.Msg);
        Base::Dispatch(Message);
    }
    int Count(UINT msg) const { return static_cast<int>(std::count(heard.begin(), heard.end(), msg)); }
    std::vector<UINT> heard;
};

class WindowUpdateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 200, 100);
        form->SetColor(clWhite);
        panel = NewComponent<Listening<TPanel>>(form);
        panel->SetParent(form);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(clSilver);
        panel->SetBounds(150, 0, 50, 100);
        form->Show();
        ui.ProcessMessages();
    }
    TColor At(int x, int y) {
        const std::uint32_t p = form->SurfaceImage().Pixel(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    platform::ui::HeadlessSession ui;
    Listening<TForm>* form = nullptr;
    Listening<TPanel>* panel = nullptr;
};

TEST_F(WindowUpdateTest, InvalidateAndValidateWhatWaitsForPainting) {
    ASSERT_FALSE(form->NeedsPaint());
    const TRect part{5, 5, 20, 20};
    ASSERT_TRUE(InvalidateRect(panel->Handle(), &part, true));
    EXPECT_TRUE(form->NeedsPaint());
    ASSERT_TRUE(ValidateRect(panel->Handle(), nullptr));
    EXPECT_FALSE(form->NeedsPaint());
    ASSERT_TRUE(InvalidateRect(form->Handle(), nullptr, false));
    ValidateRect(form->Handle(), &part);
    EXPECT_TRUE(form->NeedsPaint());  // only part of it was taken off
    EXPECT_FALSE(InvalidateRect(0, nullptr, false));
}

TEST_F(WindowUpdateTest, ScrollMovesPixelsAndInvalidatesWhatItUncovers) {
    // Rows 0-9 red, 10-19 blue on the form (its canvas leaves the panel out).
    form->Canvas()->Brush()->SetColor(clRed);
    form->Canvas()->FillRect(Rect(0, 0, 200, 10));
    form->Canvas()->Brush()->SetColor(clBlue);
    form->Canvas()->FillRect(Rect(0, 10, 200, 20));
    platform::ui::Region update;
    TRect updateRect;
    const int kind =
        ScrollWindowEx(form->Handle(), 0, -10, nullptr, nullptr, &update, &updateRect, SW_INVALIDATE);
    EXPECT_EQ(kind, 2);  // SIMPLEREGION
    EXPECT_EQ(At(10, 0), clBlue);
    EXPECT_EQ(At(10, 10), clWhite);
    EXPECT_EQ(At(160, 0), clSilver);  // the windowed child keeps its pixels
    EXPECT_EQ(updateRect, Rect(0, 90, 150, 100));
    EXPECT_TRUE(form->NeedsPaint());

    const TRect scroll{0, 0, 100, 100};
    const TRect clip{0, 0, 50, 100};
    ScrollWindowEx(form->Handle(), 10, 0, &scroll, &clip, nullptr, &updateRect, 0);
    EXPECT_EQ(updateRect, Rect(0, 0, 10, 100));
}

TEST_F(WindowUpdateTest, ScrollCarriesWhatWaitsForPaintingAlongWithThePixels) {
    // Rows 20-29 hold pixels that wait to be painted over (white); the scroll moves them up to 10-19.
    form->Canvas()->Brush()->SetColor(clRed);
    form->Canvas()->FillRect(Rect(0, 20, 150, 30));
    const TRect stale{0, 20, 150, 30};
    InvalidateRect(form->Handle(), &stale, false);
    const TRect scroll{0, 0, 150, 100};
    ScrollWindowEx(form->Handle(), 0, -10, &scroll, &scroll, nullptr, nullptr, SW_INVALIDATE);
    ASSERT_EQ(At(10, 15), clRed);
    ui.ProcessMessages();
    EXPECT_EQ(At(10, 15), clWhite);
    EXPECT_EQ(At(10, 25), clWhite);
}

TEST_F(WindowUpdateTest, ControlCanvasDrawsAtTheControlClippedToIt) {
    TControlCanvas canvas;
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 10, 10));  // no control: nowhere
    canvas.SetControl(panel);
    EXPECT_EQ(canvas.Control(), panel);
    canvas.FillRect(Rect(-5, 0, 10, 10));
    EXPECT_EQ(At(150, 0), clRed);
    EXPECT_EQ(At(159, 9), clRed);
    EXPECT_EQ(At(149, 0), clWhite);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 50, 100));
}

TEST_F(WindowUpdateTest, ScreenCanvasMeasuresInTheDefaultFont) {
    TScreenCanvas canvas;
    EXPECT_EQ(canvas.TextExtent("Wg"), (TSize{14, 13}));
    canvas.TextOut(0, 0, "drawn nowhere");
}

TEST_F(WindowUpdateTest, SystemColourChangeReachesFormsAndEveryControl) {
    auto* label = NewComponent<Listening<TLabel>>(form);
    label->SetParent(panel);
    BroadcastSysColorChange();
    EXPECT_EQ(form->Count(WM_SYSCOLORCHANGE), 1);
    EXPECT_EQ(panel->Count(CM_SYSCOLORCHANGE), 1);
    EXPECT_EQ(label->Count(CM_SYSCOLORCHANGE), 1);
    EXPECT_TRUE(form->NeedsPaint());
}

TEST(SystemMetricsTable, SizesTheControlsLayOutBy) {
    const std::vector<std::pair<int, int>> expected = {
        {SM_CXVSCROLL, 17},  {SM_CYHSCROLL, 17},   {SM_CXBORDER, 1}, {SM_CYBORDER, 1}, {SM_CXEDGE, 2},
        {SM_CXDOUBLECLK, 4}, {SM_CXMENUCHECK, 13}, {SM_CXDRAG, 4},   {SM_CXFRAME, 4},  {SM_SWAPBUTTON, 0},
        {9999, 0},
    };
    for (const auto& [index, value] : expected) EXPECT_EQ(GetSystemMetrics(index), value) << index;
    // The check glyph the controls measure: a quarter of the bitmap's width, a third of its height.
    const TSize boxes = SystemBitmapSize(OBM_CHECKBOXES);
    EXPECT_EQ(boxes.cx / 4, 13);
    EXPECT_EQ(boxes.cy / 3, 13);
    EXPECT_EQ(SystemBitmapSize(1), (TSize{}));
}

}  // namespace
