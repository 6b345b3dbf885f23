// The grids' style: the colours of highlighted cells by focus, lightening, colour depth and row
// highlight; the lightened colour; the default style and styles going away; the colour depth
// followed through the style's hidden window.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "data_grid/grid_style.h"
#include "platform/ui/font.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/system_colour_change.h"
#include "tests/data_grid/grid_selection_fixture.h"

namespace {

using grid_selection_test::GridOverRows;

TEST(GridStyleLighten, LightenColorMixesThroughAPaleGlass) {
    struct Case {
        const char* what;
        TColor colour, glass;
        bool ungray;
        TColor expected;
    };
    const Case cases[] = {
        {"white under grey glass", clWhite, RGB(128, 128, 128), false, RGB(212, 212, 212)},
        {"black under black glass", clBlack, clBlack, false, RGB(135, 135, 135)},
        {"ungray darkens the middle", clBlack, clBlack, true, RGB(138, 138, 138)},
        {"ungray past white is clamped", clWhite, clWhite, true, RGB(255, 255, 255)},
        {"each component on its own", RGB(255, 0, 0), RGB(0, 0, 255), false, RGB(186, 135, 186)},
        {"system colours are resolved first", clWhite, clBtnShadow, false,
         TDBGridEhStyle::LightenColor(clWhite, ColorToRGB(clBtnShadow), false)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TDBGridEhStyle::LightenColor(c.colour, c.glass, c.ungray), c.expected);
    }
}

struct StyleFixture : ::testing::Test, GridOverRows {
    TObjectPtr<TDBGridEhStyle> style = MakeComponent<TDBGridEhStyle>();

    StyleFixture() { grid->SetStyle(style.get()); }
    ~StyleFixture() override {
        // The program's default style heard the changes too: leave it on true colour.
        ColourDepth(-1);
        grid->SetStyle(nullptr);
    }
    void ColourDepth(int colours) {
        ui.System().SetScreenNumColors(colours);
        BroadcastSysColorChange();
    }
};

TEST_F(StyleFixture, DataCellColoursFollowFocusLighteningDepthAndRowHighlight) {
    const TColor lightHighlight = TDBGridEhStyle::LightenColor(clWhite, clHighlight, true);
    const TColor lightShadow = TDBGridEhStyle::LightenColor(clWhite, clBtnShadow, false);
    constexpr TColor Unchanged = clWindowText;
    struct Case {
        const char* what;
        bool focused;
        bool lighten;
        int colours;
        bool selected;
        TDBGridEhExtOptions extra;
        TDBGridEhOptions options;
        int column;  // grid column on the current row; the current one is 1
        bool answer;
        TColor background;
        TColor font;
        bool markedSelected;
    };
    const TDBGridEhExtOptions none;
    const TDBGridEhOptions plain;
    const Case cases[] = {
        {"focused, lightened", true, true, -1, true, none, plain, 2, true, lightHighlight, Unchanged, false},
        {"focused, the current cell", true, true, -1, true, none, plain, 1, true, clHighlight,
         clHighlightText, false},
        {"focused, no lightening", true, false, -1, true, none, plain, 2, true, clHighlight, clHighlightText,
         false},
        {"focused on 256 colours", true, true, 256, true, none, plain, 2, true, clHighlight, clHighlightText,
         false},
        {"unfocused, lightened shadow", false, true, -1, true, none, plain, 2, true, lightShadow, Unchanged,
         false},
        {"unfocused on 256 colours", false, true, 256, true, none, plain, 2, true, clBtnFace, Unchanged,
         false},
        {"unfocused current cell always shown",
         false,
         true,
         -1,
         true,
         none,
         {gdoAlwaysShowSelectionEh},
         1,
         true,
         clBtnShadow,
         clHighlightText,
         false},
        {"row highlight marks the row's other cells",
         true,
         true,
         -1,
         false,
         {gxoRowHighlightEh},
         plain,
         3,
         true,
         lightHighlight,
         Unchanged,
         true},
        {"row highlight leaves the current cell",
         true,
         true,
         -1,
         false,
         {gxoRowHighlightEh},
         plain,
         1,
         false,
         clWhite,
         Unchanged,
         false},
        {"nothing selected", true, true, -1, false, none, plain, 2, false, clWhite, Unchanged, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid->SelectedRows()->Clear();
        if (c.selected)
            SelectRow(1);
        GoTo(1);
        grid->SetOptions(DefaultDBGridEhOptions + c.options);
        grid->SetExtOptions(DefaultDBGridEhExtOptions + c.extra);
        style->SetLightenSelection(c.lighten);
        ColourDepth(c.colours);
        if (c.focused)
            grid->SetFocus();
        else
            edit->SetFocus();
        TColor background = clWhite;
        TFont font;
        TGridDrawState state;
        EXPECT_EQ(style->GetDataCellColors(grid, c.column, 1, c.column - 1, 0, state, background, &font),
                  c.answer);
        EXPECT_EQ(background, c.background);
        EXPECT_EQ(font.Color(), c.font);
        EXPECT_EQ(state.Contains(gdSelected), c.markedSelected);
    }
}

TEST_F(StyleFixture, HighlightColoursOfOtherCells) {
    const TColor darkHighlight = RGB(64, 64, 64);
    struct Case {
        const char* what;
        bool highlighted;
        int across,
            down;  // the cell kind: indicator 0 / data 1; title 0, filter 1, data 2, filler 3, footer 4
        bool focused;
        int colours;
        bool answer;
        TColor background;
        TColor font;
    };
    const Case cases[] = {
        {"not highlighted", false, 1, 2, true, -1, false, clWhite, clWindowText},
        {"indicator cell", true, 0, 2, true, -1, true, darkHighlight, clWhite},
        {"data title", true, 1, 0, false, -1, true, darkHighlight, clWhite},
        {"filter cell", true, 1, 1, true, -1, true, darkHighlight, clWhite},
        {"indicator of the filler row, focused", true, 0, 3, true, -1, true,
         TDBGridEhStyle::LightenColor(clWhite, clHighlight, true), clWindowText},
        {"footer, focused on 256 colours", true, 1, 4, true, 256, true, clHighlight, clHighlightText},
        {"footer, unfocused", true, 1, 4, false, -1, true,
         TDBGridEhStyle::LightenColor(clWhite, clBtnShadow, false), clWindowText},
        {"footer, unfocused on 256 colours", true, 1, 4, false, 256, true, clBtnFace, clWindowText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ColourDepth(c.colours);
        if (c.focused)
            grid->SetFocus();
        else
            edit->SetFocus();
        TColor background = clWhite;
        TFont font;
        const auto kind = static_cast<std::uint16_t>(c.across | c.down << 8);
        EXPECT_EQ(style->GetHighlightColors(grid, 0, 0, 0, 0, {}, c.highlighted, kind, background, &font),
                  c.answer);
        EXPECT_EQ(background, c.background);
        EXPECT_EQ(font.Color(), c.font);
    }
}

TEST_F(StyleFixture, TheHiddenWindowFollowsTheColourDepth) {
    EXPECT_EQ(style->ScreenColorCount(), -1);
    ColourDepth(256);
    EXPECT_EQ(style->ScreenColorCount(), 256);
    ColourDepth(-1);
    EXPECT_EQ(style->ScreenColorCount(), -1);
}

class FailingStyle : public TDBGridEhStyle {
  public:
    void SystemColorsChanged() override {
        ++calls;
        if (calls > 1)
            throw std::runtime_error("no palette");
    }
    int calls = 0;
};

TEST(GridStyleWindow, AFailureOnAColourChangeGoesToTheApplicationAndTheWindowGoesOn) {
    platform::ui::HeadlessSession ui;
    std::vector<std::string> reported;
    Application->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    auto style = MakeComponent<FailingStyle>();
    SendMessage(style->WindowHandle(), WM_SYSCOLORCHANGE, 0, 0);
    SendMessage(style->WindowHandle(), WM_SYSCOLORCHANGE, 0, 0);
    Application->OnException = nullptr;
    EXPECT_EQ(style->calls, 3);
    EXPECT_EQ(reported, (std::vector<std::string>{"no palette", "no palette"}));
}

TEST(GridStyleSharing, GridsTakeTheDefaultStyleAndLetGoOfFreedStyles) {
    GridOverRows g;
    TCustomDBGridEh* other = NewComponent<TCustomDBGridEh>(g.form);
    TDBGridEhStyle* defaultStyle = DefaultGridStyle();
    ASSERT_NE(defaultStyle, nullptr);
    EXPECT_EQ(g.grid->Style(), defaultStyle);
    EXPECT_TRUE(defaultStyle->GridInChangeNotification(other));

    auto own = MakeComponent<TDBGridEhStyle>();
    g.grid->SetStyle(own.get());
    other->SetStyle(own.get());
    EXPECT_FALSE(defaultStyle->GridInChangeNotification(g.grid));
    EXPECT_EQ(own->Grids().size(), 2u);
    own.reset();
    // Both went back to the default.
    EXPECT_EQ(g.grid->Style(), defaultStyle);
    EXPECT_EQ(other->Style(), defaultStyle);

    g.grid->SetStyle(nullptr);
    EXPECT_EQ(g.grid->Style(), defaultStyle);

    FreeDefaultGridStyle();
    EXPECT_EQ(DefaultGridStyle(), nullptr);
    EXPECT_EQ(g.grid->Style(), nullptr);
    EXPECT_EQ(other->Style(), nullptr);
    // A new default serves the grids made from then on.
    MakeDefaultGridStyle();
    TCustomDBGridEh* later = NewComponent<TCustomDBGridEh>(g.form);
    EXPECT_EQ(later->Style(), DefaultGridStyle());
    Free(later);
    EXPECT_TRUE(DefaultGridStyle()->Grids().empty());
}

}  // namespace
