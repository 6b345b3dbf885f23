// Painting on the headless host: real pixels, fixed font metrics.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"

namespace {

std::uint32_t Argb(TColor c) {
    return ColorToArgb(c);
}

class PaintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 200, 150);
        form->SetColor(clWhite);
        panel = NewComponent<TPanel>(form);
        panel->SetParent(form);
        panel->SetBounds(100, 0, 100, 150);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(clSilver);
        form->Show();
        ui.ProcessMessages();
    }
    std::uint32_t At(int x, int y) { return form->SurfaceImage().Pixel(x, y); }
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TPanel* panel = nullptr;
};

TEST_F(PaintingTest, FormAndPanelPaintTheirColours) {
    EXPECT_EQ(At(10, 10), Argb(clWhite));
    EXPECT_EQ(At(150, 10), Argb(clSilver));
}

TEST_F(PaintingTest, TransparentLabelLeavesTheBackgroundAndOpaqueOneFillsIt) {
    TLabel* clear = NewComponent<TLabel>(form);
    clear->SetParent(panel);
    clear->SetTransparent(true);
    clear->Font()->SetColor(clMaroon);
    clear->SetCaption("a b");
    TLabel* solid = NewComponent<TLabel>(form);
    solid->SetParent(panel);
    solid->SetTop(60);
    solid->SetColor(clNavy);
    solid->SetCaption("a b");
    ui.ProcessMessages();
    // Character cells of 8 pt text: 7 px wide, 13 px high; the blank cell shows what lies under it.
    EXPECT_EQ(At(100 + 3, 8), Argb(clMaroon));
    EXPECT_EQ(At(100 + 7 + 3, 8), Argb(clSilver));
    EXPECT_EQ(At(100 + 7 + 3, 60 + 8), Argb(clNavy));
    auto& drawn = ui.System().TextLog().Drawn;
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn.back().Text, "a b");
}

TEST_F(PaintingTest, DrawingOnTheFormCanvasIsClippedByWindowedChildren) {
    TCanvas* c = form->Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 200, 20));
    EXPECT_EQ(At(50, 5), Argb(clRed));
    EXPECT_EQ(At(150, 5), Argb(clSilver));
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 100, 150));
}

TEST_F(PaintingTest, BitBltCopiesWindowPixelsIntoABitmapAndDrawPutsThemBack) {
    TCanvas* c = form->Canvas();
    c->Brush()->SetColor(clGreen);
    c->FillRect(Rect(10, 10, 30, 20));
    TBitmap saved;
    saved.SetSize(40, 20);
    ASSERT_TRUE(BitBlt(saved.Canvas()->Handle(), 0, 0, 40, 20, c->Handle(), 0, 5, SRCCOPY));
    EXPECT_EQ(saved.Canvas()->Pixel(15, 10), clGreen);
    EXPECT_EQ(saved.Canvas()->Pixel(35, 10), clWhite);

    c->Brush()->SetColor(clPurple);
    c->FillRect(Rect(0, 0, 100, 100));
    c->Draw(0, 5, &saved);
    EXPECT_EQ(At(15, 15), Argb(clGreen));
    EXPECT_EQ(At(35, 15), Argb(clWhite));
    EXPECT_EQ(At(35, 50), Argb(clPurple));
}

TEST_F(PaintingTest, TextRectWithAClearBrushDrawsOnlyTheTextInsideTheRectangle) {
    TBitmap bmp;
    bmp.SetSize(30, 20);
    bmp.Canvas()->Brush()->SetColor(clYellow);
    bmp.Canvas()->FillRect(bmp.Canvas()->ClipRect());
    bmp.Canvas()->Font()->SetSize(12);  // 16 px: 10 px wide, 19 high
    bmp.Canvas()->Font()->SetColor(clBlue);
    bmp.Canvas()->Brush()->SetStyle(bsClear);
    EXPECT_EQ(bmp.Canvas()->TextWidth("10:00"), 50);
    EXPECT_EQ(bmp.Canvas()->TextHeight("10:00"), 19);
    bmp.Canvas()->TextRect(Rect(0, 0, 15, 20), 0, 0, "11");
    EXPECT_EQ(bmp.Canvas()->Pixel(5, 10), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixel(12, 10), clBlue);
    EXPECT_EQ(bmp.Canvas()->Pixel(17, 10), clYellow);  // second character cut off by the rectangle
    EXPECT_EQ(bmp.Canvas()->Pixel(5, 1), clYellow);    // no background fill
}

TEST_F(PaintingTest, AssignCopiesPixelsButNotTheCanvasTools) {
    TBitmap a;
    a.SetSize(4, 4);
    a.Canvas()->Brush()->SetColor(clRed);
    a.Canvas()->FillRect(Rect(0, 0, 4, 4));
    a.Canvas()->Font()->SetSize(30);
    TBitmap b;
    b.Assign(a);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Canvas()->Pixel(2, 2), clRed);
    EXPECT_EQ(b.Canvas()->Font()->Size(), 8);
    a.Canvas()->Pixel(0, 0);
    a.Canvas()->SetPixel(0, 0, clBlue);
    EXPECT_EQ(b.Canvas()->Pixel(0, 0), clRed);  // a copy, not a share
}

TEST_F(PaintingTest, ResizingABitmapToZeroAndBackStartsClean) {
    TBitmap bmp;
    bmp.SetSize(10, 10);
    bmp.SetWidth(0);
    EXPECT_TRUE(bmp.Empty());
    bmp.Canvas()->Draw(0, 0, nullptr);
    form->Canvas()->Draw(0, 0, &bmp);  // an empty bitmap draws nothing
    EXPECT_EQ(At(0, 0), Argb(clWhite));
}

TEST_F(PaintingTest, OnlyTheInvalidatedPartIsRepainted) {
    TLabel* l = NewComponent<TLabel>(form);
    l->SetParent(form);
    l->SetBounds(0, 100, 50, 20);
    l->SetAutoSize(false);
    ui.ProcessMessages();
    form->Canvas()->Brush()->SetColor(clRed);
    form->Canvas()->FillRect(Rect(0, 0, 10, 10));  // drawn straight on the window, like a clock
    l->SetCaption("x");
    ui.ProcessMessages();
    EXPECT_EQ(At(5, 5), Argb(clRed));  // untouched by the label's repaint
}

TEST(ColorTest, NamedAndSystemColours) {
    EXPECT_EQ(clMaroon, 0x000080);
    EXPECT_EQ(clNavy, 0x800000);
    EXPECT_EQ(clGreen, 0x008000);
    EXPECT_EQ(clPurple, 0x800080);
    EXPECT_EQ(clSilver, 0xC0C0C0);
    EXPECT_EQ(static_cast<std::uint32_t>(clCaptionText), 0xFF000009u);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToArgb(clRed), 0xFFFF0000u);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clCaptionText), clWhite);
}

}  // namespace
