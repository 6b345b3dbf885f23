// Sizes, alignment and anchors.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"

namespace {

class LayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 807, 613);
        outer = NewComponent<TPanel>(form);
        outer->SetParent(form);
        outer->SetBounds(16, 0, 792, 265);
        inner = NewComponent<TPanel>(form);
        inner->SetParent(outer);
        inner->SetBevelOuter(bvLowered);
        inner->SetBounds(184, 1, 607, 263);
        inner->SetAlign(alRight);
        label = NewComponent<TLabel>(form);
        label->SetParent(inner);
        label->SetAutoSize(false);
        label->SetBounds(16, 24, 585, 153);
        label->SetAnchors({akLeft, akTop, akRight, akBottom});
    }
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TPanel* outer = nullptr;
    TPanel* inner = nullptr;
    TLabel* label = nullptr;
};

TEST_F(LayoutTest, RightAlignedPanelSitsInsideTheParentsBevel) {
    EXPECT_EQ(inner->BoundsRect(), Bounds(184, 1, 607, 263));
}

TEST_F(LayoutTest, RightAlignedPanelFollowsTheParentsRightEdgeAndItsOwnWidth) {
    outer->SetLeft(0);
    outer->SetWidth(1280);
    outer->SetHeight(425);
    EXPECT_EQ(inner->BoundsRect(), Bounds(1280 - 1 - 607, 1, 607, 423));
    inner->SetWidth(962);
    EXPECT_EQ(inner->BoundsRect(), Bounds(1280 - 1 - 962, 1, 962, 423));
}

TEST_F(LayoutTest, ControlAnchoredOnAllSidesKeepsItsDistancesToTheEdges) {
    outer->SetWidth(1280);
    outer->SetHeight(425);
    inner->SetWidth(962);
    // 607 - 16 - 585 = 6 to the right edge, 263 - 24 - 153 = 86 to the bottom.
    EXPECT_EQ(label->BoundsRect(), Rect(16, 24, 962 - 6, 423 - 86));
    label->SetLeft(25);  // moving keeps the size
    EXPECT_EQ(label->Width(), 962 - 6 - 16);
}

TEST_F(LayoutTest, AnchorsOnOneSideMoveWithThatSide) {
    struct Case {
        TAnchors anchors;
        TRect after;
    };
    for (Case c :
         {Case{{akLeft, akTop}, Bounds(10, 10, 50, 20)}, Case{{akRight, akBottom}, Bounds(110, 60, 50, 20)},
          Case{{akTop}, Bounds(60, 10, 50, 20)}}) {
        TPanel* box = NewComponent<TPanel>(form);
        box->SetParent(form);
        box->SetBounds(0, 0, 200, 100);
        TLabel* l = NewComponent<TLabel>(form);
        l->SetParent(box);
        l->SetAutoSize(false);
        l->SetBounds(10, 10, 50, 20);
        l->SetAnchors(c.anchors);
        box->SetBounds(0, 0, 300, 150);
        EXPECT_EQ(l->BoundsRect(), c.after);
    }
}

TEST_F(LayoutTest, EachSizeChangeReachesOnResizeAndMovesDoNot) {
    int resizes = 0;
    form->OnResize = [&](TObject*) { ++resizes; };
    form->SetLeft(1920);
    form->SetTop(0);
    EXPECT_EQ(resizes, 0);
    form->SetWidth(1280);
    form->SetHeight(1024);
    EXPECT_EQ(resizes, 2);
    form->SetBounds(0, 0, 1280, 1024);
    EXPECT_EQ(resizes, 2);
    EXPECT_EQ(form->ClientWidth(), 1280);
    EXPECT_EQ(form->ClientHeight(), 1024);
}

TEST_F(LayoutTest, ClientAlignedControlFillsWhatIsLeft) {
    TPanel* top = NewComponent<TPanel>(form);
    top->SetParent(form);
    top->SetHeight(50);
    top->SetAlign(alTop);
    TPanel* rest = NewComponent<TPanel>(form);
    rest->SetParent(form);
    rest->SetAlign(alClient);
    EXPECT_EQ(rest->BoundsRect(), Rect(0, 50, 807, 613));
    form->SetHeight(700);
    EXPECT_EQ(rest->BoundsRect(), Rect(0, 50, 807, 700));
}

TEST_F(LayoutTest, AutoSizedLabelTakesTheSizeOfItsTextInItsFont) {
    TLabel* l = NewComponent<TLabel>(form);
    l->SetParent(form);
    l->Font()->SetName("Verdana");
    l->Font()->SetSize(16);
    l->SetCaption("Кабинет");
    // Headless metrics: 16 pt is 21 px; 14 px per character, 25 px a line.
    EXPECT_EQ(l->Width(), 7 * 14);
    EXPECT_EQ(l->Height(), 25);
    l->Font()->SetSize(25);  // 33 px: 22 per character, 39 a line
    EXPECT_EQ(l->Width(), 7 * 22);
    EXPECT_EQ(l->Height(), 39);
}

TEST_F(LayoutTest, WordWrappedLabelKeepsItsWidthAndGrowsInHeight) {
    TLabel* l = NewComponent<TLabel>(form);
    l->SetParent(form);
    l->SetWordWrap(true);
    l->SetWidth(50);
    l->Font()->SetSize(9);  // 12 px: 8 per character, 14 a line
    l->SetCaption("aaa bbb ccc");
    EXPECT_EQ(l->Width(), 50);
    EXPECT_EQ(l->Height(), 3 * 14);
}

TEST_F(LayoutTest, ChildrenFollowTheParentFontUntilGivenTheirOwn) {
    TPanel* p = NewComponent<TPanel>(form);
    p->SetParent(form);
    TLabel* follows = NewComponent<TLabel>(form);
    follows->SetParent(p);
    TLabel* own = NewComponent<TLabel>(form);
    own->SetParent(p);
    own->Font()->SetColor(clNavy);
    p->Font()->SetSize(20);
    EXPECT_EQ(follows->Font()->Size(), 20);
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_EQ(own->Font()->Size(), 8);
    EXPECT_FALSE(own->ParentFont());
}

}  // namespace
