// Edges, focus frames and frame-control parts drawn on a bitmap, checked at the pixels that tell
// the parts apart (the bitmap starts lime, a colour none of them uses).
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/edge_drawing.h"
#include "platform/ui/frame_controls.h"
#include "platform/ui/headless.h"

namespace {

struct Expect {
    TPoint At;
    TColor Color;
};

class EdgeDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bitmap.SetSize(30, 30);
        Clear();
    }
    void Clear() {
        canvas()->Brush()->SetColor(clLime);
        canvas()->FillRect(Rect(0, 0, 30, 30));
    }
    TCanvas* canvas() { return bitmap.Canvas(); }
    void Check(const std::vector<Expect>& expects) {
        for (const Expect& e : expects)
            EXPECT_EQ(canvas()->Pixel(e.At.X, e.At.Y), ColorToRGB(e.Color))
                << "at " << e.At.X << ',' << e.At.Y;
    }
    platform::ui::HeadlessSession ui;
    TBitmap bitmap;
};

struct EdgeCase {
    const char* Name;
    UINT Edge;
    UINT Flags;
    std::vector<Expect> Expected;
    TRect Adjusted;
};

TEST_F(EdgeDrawingTest, EdgesPaintTheirRingsOnTheSidesAsked) {
    // The rectangle (2, 2, 12, 12): outer ring on rows and columns 2 and 11, inner on 3 and 10.
    const std::vector<EdgeCase> cases = {
        {"raised",
         EDGE_RAISED,
         BF_RECT,
         {{{2, 5}, cl3DLight},
          {{5, 2}, cl3DLight},
          {{11, 5}, cl3DDkShadow},
          {{5, 11}, cl3DDkShadow},
          {{11, 2}, cl3DDkShadow},  // the bottom and right sides take the corners
          {{2, 11}, cl3DDkShadow},
          {{3, 5}, clBtnHighlight},
          {{10, 5}, clBtnShadow},
          {{6, 6}, clLime}},
         {4, 4, 10, 10}},
        {"sunken with middle",
         EDGE_SUNKEN,
         BF_RECT | BF_MIDDLE,
         {{{2, 5}, clBtnShadow},
          {{11, 5}, clBtnHighlight},
          {{3, 5}, cl3DDkShadow},
          {{10, 5}, cl3DLight},
          {{6, 6}, clBtnFace}},
         {4, 4, 10, 10}},
        {"one sunken outer ring",
         BDR_SUNKENOUTER,
         BF_RECT,
         {{{2, 5}, clBtnShadow}, {{11, 5}, clBtnHighlight}, {{3, 5}, clLime}},
         {3, 3, 11, 11}},
        {"etched",
         EDGE_ETCHED,
         BF_RECT,
         {{{2, 5}, clBtnShadow}, {{3, 5}, clBtnHighlight}, {{10, 5}, clBtnShadow}},
         {4, 4, 10, 10}},
        {"bump",
         EDGE_BUMP,
         BF_RECT,
         {{{2, 5}, cl3DLight}, {{3, 5}, cl3DDkShadow}, {{10, 5}, cl3DLight}},
         {4, 4, 10, 10}},
        {"bottom and right only",
         EDGE_RAISED,
         BF_BOTTOMRIGHT,
         {{{2, 5}, clLime},
          {{5, 2}, clLime},
          {{11, 2}, cl3DDkShadow},
          {{10, 2}, clBtnShadow},
          {{5, 10}, clBtnShadow}},
         {2, 2, 10, 10}},
        {"soft raised",
         EDGE_RAISED,
         BF_RECT | BF_SOFT,
         {{{2, 5}, clBtnHighlight}, {{3, 5}, cl3DLight}},
         {4, 4, 10, 10}},
        {"flat",
         EDGE_RAISED,
         BF_RECT | BF_FLAT,
         {{{2, 5}, clBtnShadow}, {{11, 5}, clBtnShadow}, {{3, 5}, clBtnFace}},
         {4, 4, 10, 10}},
        {"mono",
         EDGE_SUNKEN,
         BF_RECT | BF_MONO | BF_MIDDLE,
         {{{2, 5}, clWindowFrame}, {{11, 5}, clWindowFrame}, {{3, 5}, clWindow}, {{6, 6}, clWindow}},
         {4, 4, 10, 10}},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Clear();
        TRect r{2, 2, 12, 12};
        ASSERT_TRUE(DrawEdge(canvas(), &r, c.Edge, c.Flags));
        EXPECT_EQ(r, Rect(2, 2, 12, 12));
        Check(c.Expected);
        ASSERT_TRUE(DrawEdge(canvas(), &r, c.Edge, c.Flags | BF_ADJUST));
        EXPECT_EQ(r, c.Adjusted);
    }
    TRect r{2, 2, 12, 12};
    EXPECT_FALSE(DrawEdge(canvas(), &r, 0, BF_RECT));
    Clear();
    EXPECT_FALSE(DrawEdge(canvas(), &r, EDGE_RAISED, BF_DIAGONAL | BF_TOPLEFT));
    Check({{{2, 5}, clLime}, {{5, 2}, clLime}});
}

TEST_F(EdgeDrawingTest, FocusRectInvertsEveryOtherPixelAndTakesItselfAway) {
    canvas()->Brush()->SetColor(clWhite);
    canvas()->FillRect(Rect(0, 0, 30, 30));
    const TRect r{4, 4, 14, 10};
    ASSERT_TRUE(DrawFocusRect(canvas(), &r));
    Check({{{4, 4}, clBlack},
           {{5, 4}, clWhite},
           {{6, 4}, clBlack},
           {{13, 5}, clBlack},
           {{4, 5}, clWhite},
           {{5, 9}, clBlack},
           {{8, 7}, clWhite}});
    ASSERT_TRUE(DrawFocusRect(canvas(), &r));
    Check({{{4, 4}, clWhite}, {{6, 4}, clWhite}, {{13, 5}, clWhite}, {{5, 9}, clWhite}});
}

struct PartCase {
    const char* Name;
    UINT Type;
    UINT State;
    TRect Rect;
    std::vector<Expect> Expected;
};

TEST_F(EdgeDrawingTest, FrameControlPartsInEachState) {
    // A 17-pixel scroll button: the inside (2, 2, 15, 15), an arrow four rows deep centred on (8, 8).
    const TRect button{0, 0, 17, 17};
    // A 13-pixel check box: a two-pixel sunken edge, the mark's first column at x 3 from row 5.
    const TRect box{0, 0, 13, 13};
    const std::vector<PartCase> cases = {
        {"down arrow",
         DFC_SCROLL,
         DFCS_SCROLLDOWN,
         button,
         {{{5, 6}, clBtnText},
          {{11, 6}, clBtnText},
          {{4, 6}, clBtnFace},
          {{8, 9}, clBtnText},
          {{7, 9}, clBtnFace},
          {{0, 5}, cl3DLight},
          {{16, 5}, cl3DDkShadow}}},
        {"up arrow",
         DFC_SCROLL,
         DFCS_SCROLLUP,
         button,
         {{{8, 6}, clBtnText}, {{7, 6}, clBtnFace}, {{5, 9}, clBtnText}}},
        {"combo box button",
         DFC_SCROLL,
         DFCS_SCROLLCOMBOBOX,
         button,
         {{{5, 6}, clBtnText}, {{8, 9}, clBtnText}}},
        {"right arrow",
         DFC_SCROLL,
         DFCS_SCROLLRIGHT,
         button,
         {{{9, 8}, clBtnText}, {{6, 5}, clBtnText}, {{9, 7}, clBtnFace}}},
        {"pushed arrow moves and lies flat",
         DFC_SCROLL,
         DFCS_SCROLLDOWN | DFCS_PUSHED,
         button,
         {{{9, 10}, clBtnText},
          {{8, 10}, clBtnFace},
          {{0, 5}, clBtnShadow},
          {{16, 5}, clBtnShadow},
          {{1, 5}, clBtnFace}}},
        {"flat arrow",
         DFC_SCROLL,
         DFCS_SCROLLDOWN | DFCS_FLAT,
         button,
         {{{0, 5}, clBtnShadow}, {{8, 9}, clBtnText}}},
        {"inactive arrow is engraved",
         DFC_SCROLL,
         DFCS_SCROLLDOWN | DFCS_INACTIVE,
         button,
         {{{8, 9}, clBtnShadow}, {{9, 10}, clBtnHighlight}}},
        {"unchecked box",
         DFC_BUTTON,
         DFCS_BUTTONCHECK,
         box,
         {{{0, 5}, clBtnShadow},
          {{1, 5}, cl3DDkShadow},
          {{12, 5}, clBtnHighlight},
          {{11, 5}, cl3DLight},
          {{3, 5}, clWindow}}},
        {"checked box",
         DFC_BUTTON,
         DFCS_BUTTONCHECK | DFCS_CHECKED,
         box,
         {{{3, 5}, clWindowText},
          {{3, 7}, clWindowText},
          {{3, 4}, clWindow},
          {{3, 8}, clWindow},
          {{9, 3}, clWindowText},
          {{6, 8}, clWindowText}}},
        {"checked inactive box",
         DFC_BUTTON,
         DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE,
         box,
         {{{3, 5}, clBtnShadow}, {{4, 3}, clBtnFace}}},
        {"grayed box",
         DFC_BUTTON,
         DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_BUTTON3STATE,
         box,
         {{{3, 5}, clBtnShadow}, {{2, 2}, clBtnFace}, {{3, 2}, clBtnHighlight}}},
        {"pushed box", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_PUSHED, box, {{{5, 5}, clBtnFace}}},
        {"flat box",
         DFC_BUTTON,
         DFCS_BUTTONCHECK | DFCS_FLAT,
         box,
         {{{0, 5}, clBtnShadow}, {{1, 5}, clWindow}}},
        {"transparent box", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_TRANSPARENT, box, {{{5, 5}, clLime}}},
        {"push button",
         DFC_BUTTON,
         DFCS_BUTTONPUSH,
         {0, 0, 20, 10},
         {{{0, 5}, clBtnHighlight}, {{19, 5}, cl3DDkShadow}, {{18, 5}, clBtnShadow}, {{10, 5}, clBtnFace}}},
        {"pushed push button",
         DFC_BUTTON,
         DFCS_BUTTONPUSH | DFCS_PUSHED,
         {0, 0, 20, 10},
         {{{0, 5}, clBtnShadow}, {{1, 5}, cl3DDkShadow}}},
    };
    for (const PartCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Clear();
        TRect r = c.Rect;
        ASSERT_TRUE(DrawFrameControl(canvas(), &r, c.Type, c.State));
        EXPECT_EQ(r, c.Rect);
        Check(c.Expected);
    }
}

TEST_F(EdgeDrawingTest, FrameControlAdjustsAPushButtonAndRefusesUnknownParts) {
    TRect r{0, 0, 20, 10};
    ASSERT_TRUE(DrawFrameControl(canvas(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    EXPECT_EQ(r, Rect(2, 2, 18, 8));
    EXPECT_FALSE(DrawFrameControl(canvas(), &r, DFC_CAPTION, 0));
    EXPECT_FALSE(DrawFrameControl(canvas(), &r, DFC_SCROLL, 8));
}

}  // namespace
