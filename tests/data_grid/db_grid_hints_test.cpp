// Tool-tips of the grid's cells: which text shows, where its window goes, and when it shows at once.
#include "data_controls/tool_tips_window.h"
#include "data_grid/column_footer.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/canvas.h"
#include "platform/ui/hint_controller.h"
#include "platform/ui/hint_window.h"
#include "tests/data_grid/db_grid_mouse_fixture.h"

namespace grid_mouse_test {
namespace {

class GridHintTest : public GridMouseTest {
  protected:
    // What the grid answers for a hint at a client point.
    THintInfo HintAt(TPoint p) {
        THintInfo info;
        info.HintControl = grid;
        info.CursorPos = p;
        info.HintPos = grid->ClientToScreen({p.X, p.Y + 20});
        info.HintStr = "base";
        grid->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
    int TextWidth(const TFont& font, const std::string& text) {
        grid->Canvas()->Font()->Assign(font);
        return grid->Canvas()->TextWidth(text);
    }
};

enum class Place { Left, Right, Centre, None };

struct PlacementCase {
    const char* name;
    std::function<void(TColumnEh&, TCustomDBGridEh&)> setUp;
    int row;             // grid row of the hint point
    int pointFromRight;  // the point's distance from the cell's right edge
    Place place;
    bool wrapped;
};

const PlacementCase placementCases[] = {
    {"left-aligned data", [](TColumnEh& c, TCustomDBGridEh&) { c.SetWidth(30); }, 1, 8, Place::Left, false},
    {"right-aligned data",
     [](TColumnEh& c, TCustomDBGridEh&) {
         c.SetWidth(30);
         c.SetAlignment(taRightJustify);
     },
     1, 8, Place::Right, false},
    {"centred data",
     [](TColumnEh& c, TCustomDBGridEh&) {
         c.SetWidth(30);
         c.SetAlignment(taCenter);
     },
     1, 8, Place::Centre, false},
    {"wide cell: the text fits", [](TColumnEh& c, TCustomDBGridEh&) { c.SetWidth(200); }, 1, 8, Place::None,
     false},
    {"wrapped data in a tall row",
     [](TColumnEh& c, TCustomDBGridEh& g) {
         c.SetWidth(30);
         c.SetWordWrap(true);
         g.SetRowHeight(40);
     },
     1, 8, Place::Left, true},
    {"title caption too long",
     [](TColumnEh& c, TCustomDBGridEh&) {
         c.SetWidth(30);
         c.Title()->SetCaption("Наименование");
         c.Title()->SetToolTips(true);
     },
     0, 8, Place::Left, false},
    {"vertical title longer than the title row is high",
     [](TColumnEh& c, TCustomDBGridEh&) {
         c.SetWidth(30);
         c.Title()->SetCaption("Наименование");
         c.Title()->SetToolTips(true);
         c.Title()->SetOrientation(tohVertical);
     },
     0, 8, Place::Left, false},
    {"point over the cell's button",
     [](TColumnEh& c, TCustomDBGridEh&) {
         c.SetWidth(60);
         TStringList pick;
         pick.Add("a");
         c.SetPickList(&pick);
         c.SetAlwaysShowEditButton(true);
     },
     1, 3, Place::None, false},
};

class GridHintPlacement : public GridHintTest, public ::testing::WithParamInterface<PlacementCase> {};

// The tool-tip window's corner puts its text over the cell's text; a text that fits shows none.
TEST_P(GridHintPlacement, ToolTipFollowsTheCellsTextAndAlignment) {
    const PlacementCase& test = GetParam();
    {
        TColumnEh& column = *Column(1);
        column.SetToolTips(true);
        test.setUp(column, *grid);
        ui.ProcessMessages();
        const TRect cell = grid->CellRect(2, test.row);
        const THintInfo info = HintAt({cell.Right - test.pointFromRight, (cell.Top + cell.Bottom) / 2});
        const std::string text = test.row == 0 ? column.Title()->Caption() : "name 1";
        if (test.place == Place::None) {
            EXPECT_EQ(info.HintStr, "");
            return;
        }
        ASSERT_EQ(info.HintStr, text);
        EXPECT_EQ(static_cast<TFont*>(info.HintData)->Name(),
                  (test.row == 0 ? column.Title()->Font() : column.Font())->Name());
        THintWindow* window = info.HintWindowClass ? info.HintWindowClass(form) : nullptr;
        EXPECT_NE(dynamic_cast<TToolTipsWindow*>(window), nullptr);
        const TFont& font = *static_cast<TFont*>(info.HintData);
        int width = TextWidth(font, text);
        if (test.wrapped) {
            EXPECT_EQ(info.HintMaxWidth, cell.Width() - 4);
        }
        const int right = cell.Left + column.Width();
        int x = cell.Left - 1;
        if (test.place == Place::Right)
            x = right - width - 6;
        else if (test.place == Place::Centre)
            x = (cell.Left + 4 + right - width) / 2 - 5;
        if (!test.wrapped) {
            EXPECT_EQ(info.HintPos, grid->ClientToScreen({x, cell.Top - 1}));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, GridHintPlacement, ::testing::ValuesIn(placementCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace grid_mouse_test

namespace grid_mouse_test {
namespace {

// Resting the pointer on a clipped cell with tool-tips shows its full text without the hint pause;
// with Ctrl held nothing shows.
TEST_F(GridHintTest, ClippedCellShowsItsToolTipAtOnceUnlessCtrlIsHeld) {
    Application->SetShowHint(true);
    grid->ShowHint = true;
    Column(1)->SetWidth(30);
    Column(1)->SetToolTips(true);
    ui.ProcessMessages();
    const TPoint clipped = Middle(2, 1);
    const TPoint plain = Middle(1, 1);
    auto hover = [&](TPoint p, TShiftState shift) {
        MoveTo({450, 350}, {});
        MoveTo(p, shift);
        return Application->Hints()->ShownHintWindow();
    };
    THintWindow* shown = hover(clipped, {});
    ASSERT_NE(shown, nullptr) << "no pause for a cell with tool-tips";
    EXPECT_EQ(shown->Caption(), "name 1");
    shown = hover(plain, {});
    EXPECT_EQ(shown, nullptr) << "the id column has no tool-tips: the pause runs";
    Application->CancelHint();
    EXPECT_EQ(hover(clipped, {ssCtrl}), nullptr);
    ui.Advance(Application->HintPause + 10);
    EXPECT_EQ(Application->Hints()->ShownHintWindow(), nullptr) << "Ctrl suppresses it after the pause too";
}

}  // namespace
}  // namespace grid_mouse_test
