// Settings a control takes from its parent or gives to its window: the 3-D look, right-to-left modes,
// the single border they make, scaling, and the state flags a press and a window's making set.
#include <gtest/gtest.h>

#include "platform/ui/application.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"

namespace {

// An edit-like box whose border follows BorderStyle and the 3-D look, remade when either changes.
class Box : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    TBorderStyle border = bsSingle;
    DWORD exStyleMade = 0;
    void Dispatch(TMessage& m) override {
        if (m.Msg == CM_CTL3DCHANGED)
            RecreateWnd();
        TCustomControl::Dispatch(m);
    }

  protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        AddBorderStyle(params, border);
        AddBiDiModeExStyle(params.ExStyle);
        exStyleMade = params.ExStyle;
    }
};

class ControlSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 200, 150);
        box = new Box(form);
        box->SetParent(panel);
        box->SetBounds(10, 10, 100, 21);
        form->Show();
        ui.ProcessMessages();
    }
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TPanel* panel = nullptr;
    Box* box = nullptr;
};

TEST_F(ControlSettingsTest, TheThreeDLookFollowsTheParentUntilSetAndGivesTheBorderItsKind) {
    EXPECT_TRUE(box->Ctl3D());
    EXPECT_EQ(box->ClientRect(), Rect(0, 0, 96, 17)) << "a client edge of two pixels";
    form->SetCtl3D(false);
    EXPECT_FALSE(panel->Ctl3D());
    EXPECT_FALSE(box->Ctl3D());
    EXPECT_TRUE(box->ParentCtl3D());
    EXPECT_EQ(box->ClientRect(), Rect(0, 0, 98, 19)) << "a flat border of one pixel";
    EXPECT_NE(box->WindowStyle() & WS_BORDER, 0u);

    box->SetCtl3D(true);
    EXPECT_FALSE(box->ParentCtl3D());
    form->SetCtl3D(false);
    form->SetCtl3D(true);
    form->SetCtl3D(false);
    EXPECT_TRUE(box->Ctl3D()) << "set by hand, it no longer follows";
    box->SetParentCtl3D(true);
    EXPECT_FALSE(box->Ctl3D());

    box->border = bsNone;
    box->RecreateWnd();
    EXPECT_EQ(box->ClientRect(), Rect(0, 0, 100, 21));

    // Put into a showing parent, a window is made with what it took from the parent.
    struct Plain : TCustomControl {
        using TCustomControl::TCustomControl;
        DWORD styleMade = 0;

      protected:
        void CreateParams(TCreateParams& params) override {
            TCustomControl::CreateParams(params);
            AddBorderStyle(params, bsSingle);
            styleMade = params.Style;
        }
    };
    auto* plain = new Plain(form);
    plain->SetParent(panel);
    EXPECT_TRUE(plain->HandleAllocated());
    EXPECT_NE(plain->styleMade & WS_BORDER, 0u) << "a flat border, as the parent's look is flat";
}

TEST_F(ControlSettingsTest, RightToLeftModesFollowTheParentAndNameTheirWindowStyles) {
    struct Case {
        TBiDiMode mode;
        bool reading, alignment, scrollBar;
        DWORD exStyle;
    } cases[] = {
        {bdLeftToRight, false, false, false, 0},
        {bdRightToLeft, true, true, true, WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT},
        {bdRightToLeftNoAlign, true, false, true, WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR},
        {bdRightToLeftReadingOnly, true, false, false, WS_EX_RTLREADING},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        form->SetBiDiMode(c.mode);
        EXPECT_EQ(box->BiDiMode(), c.mode) << "followed through the panel";
        EXPECT_EQ(box->UseRightToLeftReading(), c.reading);
        EXPECT_EQ(box->UseRightToLeftAlignment(), c.alignment);
        EXPECT_EQ(box->UseRightToLeftScrollBar(), c.scrollBar);
        box->RecreateWnd();
        EXPECT_EQ(box->exStyleMade & ~WS_EX_CLIENTEDGE, c.exStyle);
    }
    box->SetBiDiMode(bdLeftToRight);
    form->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(box->BiDiMode(), bdLeftToRight) << "set by hand, it no longer follows";
    auto* late = new TLabel(form);
    late->SetParent(panel);
    EXPECT_EQ(late->BiDiMode(), bdRightToLeft) << "a control put in takes its parent's";
}

TEST_F(ControlSettingsTest, ScalingMovesAndSizesEveryControlAndItsOwnFont) {
    auto* label = new TLabel(form);
    label->SetParent(panel);
    label->SetAutoSize(false);
    label->SetBounds(110, 50, 60, 20);
    label->Font()->SetSize(10);
    auto* filler = new TPanel(form);
    filler->SetParent(panel);
    filler->SetAlign(alBottom);
    filler->SetHeight(30);
    panel->ScaleBy(3, 2);
    EXPECT_EQ(panel->BoundsRect(), Rect(15, 15, 315, 240));
    EXPECT_EQ(box->BoundsRect(), Rect(15, 15, 165, 47))
        << "edges scaled: 10..110 -> 15..165, 10..31 -> 15..47";
    EXPECT_EQ(label->BoundsRect(), Rect(165, 75, 255, 105));
    EXPECT_EQ(label->Font()->Size(), 15);
    EXPECT_EQ(filler->BoundsRect(), Rect(1, 179, 299, 224))
        << "aligned once (inside the bevel), at its scaled height";
    EXPECT_EQ(box->Font()->Size(), form->Font()->Size()) << "a font that follows its parent's is not scaled";
}

TEST_F(ControlSettingsTest, ThePressAndTheWindowsMakingShowInTheControlState) {
    TControlState duringPress;
    box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        duringPress = box->ControlState;
    };
    TControlState duringClick;
    box->OnClick = [&](TObject*) { duringClick = box->ControlState; };
    ui.Click(box);
    EXPECT_TRUE(duringPress.Contains(csLButtonDown));
    EXPECT_TRUE(duringPress.Contains(csClicked));
    EXPECT_FALSE(duringClick.Contains(csLButtonDown));
    EXPECT_FALSE(box->ControlState.Contains(csLButtonDown));
    EXPECT_FALSE(box->ControlState.Contains(csClicked));

    struct Watcher : Box {
        using Box::Box;
        bool creatingSeen = false;

      protected:
        void CreateParams(TCreateParams& params) override {
            Box::CreateParams(params);
            creatingSeen = ControlState.Contains(csCreating);
        }
    };
    bool focusingOnEnter = false;
    box->OnEnter = [&](TObject*) { focusingOnEnter = box->ControlState.Contains(csFocusing); };
    form->SetActiveControl(nullptr);
    box->SetFocus();
    EXPECT_TRUE(focusingOnEnter);
    EXPECT_FALSE(box->ControlState.Contains(csFocusing));

    auto* watcher = new Watcher(form);
    watcher->SetParent(form);
    EXPECT_TRUE(watcher->creatingSeen);
    EXPECT_FALSE(watcher->ControlState.Contains(csCreating));
}

}  // namespace
