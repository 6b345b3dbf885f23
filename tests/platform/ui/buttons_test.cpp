// Buttons: TButtonControl's check state and BN_CLICKED notice, speed buttons in groups and their glyphs.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/button_control.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/virtual_keys.h"

namespace {

// A check box as the data controls build one on the base: a program's setting fires no click.
class TestCheck : public TButtonControl {
  public:
    using TButtonControl::TButtonControl;
    void SetQuietly(bool value) {
        SetClicksDisabled(true);
        Perform(BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED);
        Perform(BM_CLICK);
        SetClicksDisabled(false);
    }
    bool ShownPushed() const { return Pushed(); }
};

class ButtonForm : public TForm {
  public:
    explicit ButtonForm(TComponent* owner) : TForm(owner) {
        SetBounds(0, 0, 400, 200);
        check = NewComponent<TestCheck>(this);
        check->SetParent(this);
        check->SetBounds(10, 10, 80, 20);
        check->OnClick = [this](TObject*) { ++checkClicks; };
        for (int i = 0; i < 4; ++i) {
            auto* b = NewComponent<TSpeedButton>(this);
            b->SetParent(this);
            b->SetBounds(10 + i * 40, 60, 30, 30);
            b->OnClick = [this, i](TObject*) { clicked += static_cast<char>('0' + i); };
            speed.push_back(b);
        }
    }
    TestCheck* check;
    std::vector<TSpeedButton*> speed;
    int checkClicks = 0;
    std::string clicked;
};

class ButtonsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Application->CreateForm(&form);
        form->Show();
        ui.ProcessMessages();
    }
    void Press(TControl* c, TPoint at) {
        TPoint o = c->FormOrigin();
        platform::ui::PostMouseDown(*form, mbLeft, {}, {o.X + at.X, o.Y + at.Y});
        ui.ProcessMessages();
    }
    void Release(TControl* c, TPoint at) {
        TPoint o = c->FormOrigin();
        platform::ui::PostMouseUp(*form, mbLeft, {}, {o.X + at.X, o.Y + at.Y});
        ui.ProcessMessages();
    }
    // Which of the speed buttons are down, as "0101".
    std::string Downs() {
        std::string s;
        for (auto* b : form->speed) s += b->Down() ? '1' : '0';
        return s;
    }
    platform::ui::HeadlessSession ui;
    ButtonForm* form = nullptr;
};

TEST_F(ButtonsTest, TheCheckStateIsWhatBmSetcheckLastSet) {
    HWND h = form->check->Handle();
    for (WPARAM state : {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}) {
        SendMessage(h, BM_SETCHECK, state, 0);
        EXPECT_EQ(SendMessage(h, BM_GETCHECK, 0, 0), static_cast<LRESULT>(state));
        EXPECT_EQ(SendMessage(h, BM_GETSTATE, 0, 0) & 3, static_cast<LRESULT>(state));
    }
    EXPECT_EQ(form->checkClicks, 0);
}

TEST_F(ButtonsTest, ClicksComeFromTheNoticeAndNotWhileDisabled) {
    TestCheck* check = form->check;
    // A press released inside clicks once; one released outside does not.
    Press(check, {5, 5});
    EXPECT_TRUE(check->ShownPushed());
    Release(check, {6, 6});
    EXPECT_FALSE(check->ShownPushed());
    EXPECT_EQ(form->checkClicks, 1);
    Press(check, {5, 5});
    platform::ui::PostMouseMove(*form, {ssLeft}, {200, 150});
    ui.ProcessMessages();
    EXPECT_FALSE(check->ShownPushed());
    Release(check, {190, 140});
    EXPECT_EQ(form->checkClicks, 1);
    // The space bar, BM_CLICK and the notice itself; a program's setting stays quiet.
    check->SetFocus();
    ui.PressKey(VK_SPACE);
    SendMessage(check->Handle(), BM_CLICK, 0, 0);
    check->Perform(CN_COMMAND, static_cast<WPARAM>(BN_CLICKED) << 16, 0);
    EXPECT_EQ(form->checkClicks, 4);
    check->SetQuietly(true);
    EXPECT_EQ(form->checkClicks, 4);
    EXPECT_EQ(SendMessage(check->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
}

TEST_F(ButtonsTest, SpeedButtonGroupsKeepOneDown) {
    struct Case {
        bool AllowAllUp;
        std::vector<int> Clicks;
        const char* Downs;
    };
    const Case cases[] = {
        {false, {0}, "1000"},       {false, {0, 1}, "0100"},
        {false, {1, 1}, "0100"},  // stays down: nothing lets the group go all up
        {true, {1, 1}, "0000"},     {true, {0, 2, 2}, "0000"},
        {false, {3}, "0000"},  // outside the group: never stays down
        {false, {0, 3, 2}, "0010"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "AllowAllUp " << c.AllowAllUp << ", clicks " << c.Clicks.size());
        for (int i = 0; i < 3; ++i) {
            form->speed[static_cast<std::size_t>(i)]->SetGroupIndex(1);
            form->speed[static_cast<std::size_t>(i)]->SetAllowAllUp(true);
            form->speed[static_cast<std::size_t>(i)]->SetDown(false);
        }
        form->speed[0]->SetAllowAllUp(c.AllowAllUp);
        form->clicked.clear();
        std::string expectedClicks;
        for (int i : c.Clicks) {
            ui.Click(form->speed[static_cast<std::size_t>(i)]);
            expectedClicks += static_cast<char>('0' + i);
        }
        EXPECT_EQ(Downs(), c.Downs);
        EXPECT_EQ(form->clicked, expectedClicks);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(form->speed[static_cast<std::size_t>(i)]->State(),
                      form->speed[static_cast<std::size_t>(i)]->Down() ? bsExclusive : bsUp);
    }
}

TEST_F(ButtonsTest, DownSetByAProgramFollowsTheSameRules) {
    auto& b = form->speed;
    b[0]->SetGroupIndex(1);
    b[1]->SetGroupIndex(1);
    b[2]->SetGroupIndex(2);
    b[0]->SetDown(true);
    b[2]->SetDown(true);
    b[1]->SetDown(true);
    EXPECT_EQ(Downs(), "0110");  // another group keeps its own
    b[1]->SetDown(false);
    EXPECT_EQ(Downs(), "0110");
    b[0]->SetAllowAllUp(true);  // shared by the whole group
    EXPECT_TRUE(b[1]->AllowAllUp());
    EXPECT_FALSE(b[2]->AllowAllUp());
    b[1]->SetDown(false);
    b[3]->SetDown(true);
    EXPECT_EQ(Downs(), "0010");
}

TEST_F(ButtonsTest, TheGlyphShownIsTheOneForTheState) {
    // Four 6x6 squares: red, green, blue, yellow, cut into NumGlyphs pictures; a black corner
    // pixel makes black transparent.
    const TColor colours[] = {clRed, clLime, clBlue, clYellow};
    TBitmap glyph;
    glyph.SetSize(24, 6);
    for (int i = 0; i < 4; ++i) {
        glyph.Canvas()->Brush()->SetColor(colours[i]);
        glyph.Canvas()->FillRect(Bounds(i * 6, 0, 6, 6));
    }
    glyph.Canvas()->SetPixel(0, 5, clBlack);
    TSpeedButton* b = form->speed[0];
    b->SetGroupIndex(1);
    b->SetGlyph(glyph);
    struct Case {
        int NumGlyphs;
        bool Enabled;
        bool Down;
        TColor Shown;
    };
    for (Case c : {Case{4, true, false, clRed}, Case{4, false, false, clLime}, Case{4, true, true, clYellow},
                   Case{2, true, true, clRed}, Case{9, true, true, clYellow}, Case{0, true, false, clRed}}) {
        b->SetNumGlyphs(c.NumGlyphs);
        b->SetEnabled(c.Enabled);
        b->SetAllowAllUp(true);
        b->SetDown(c.Down);
        form->Repaint();
        int width = 24 / b->NumGlyphs();
        int x = b->Left() + (b->Width() - width) / 2 + 2 + (c.Down ? 1 : 0);
        int y = b->Top() + b->Height() / 2 + (c.Down ? 1 : 0);
        std::uint32_t p = form->SurfaceImage().Pixel(x, y) & 0xFFFFFF;
        TColor rgb = ColorToRGB(c.Shown);
        std::uint32_t want = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
        EXPECT_EQ(p, want) << c.NumGlyphs << (c.Enabled ? " enabled" : " disabled")
                           << (c.Down ? " down" : " up");
    }
    // Black, the corner's colour, lets the face show through.
    b->SetNumGlyphs(4);
    b->SetDown(false);
    b->SetEnabled(true);
    form->Repaint();
    int left = b->Left() + (b->Width() - 6) / 2, bottom = b->Top() + (b->Height() - 6) / 2 + 5;
    EXPECT_NE(form->SurfaceImage().Pixel(left, bottom) & 0xFFFFFF, 0u);
}

}  // namespace
