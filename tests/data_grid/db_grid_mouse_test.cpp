// The mouse in a data grid, clicked through on the headless host: title presses that click or
// move a column, fitting a column on a double click, right presses that always give the mouse back.
#include "db_grid_mouse_fixture.h"

#include "data_grid/grid_selection.h"
#include "platform/ui/virtual_keys.h"

namespace grid_mouse_test {
namespace {

TEST_F(GridMouseTest, ATitlePressDraggedThreePixelsStillClicksAndFourPixelsMovesTheColumn) {
    struct Case {
        int dx;
        int clicks;
        bool moving;
    } cases[] = {{0, 1, false}, {3, 1, false}, {-3, 1, false}, {4, 0, true}, {-4, 0, true}};
    Column(1)->Title()->SetTitleButton(true);
    int clicks = 0;
    grid->OnTitleButtonClick = [&](TObject*, int ACol, IGridColumnEh* Column) {
        EXPECT_EQ(ACol, 1);
        EXPECT_EQ(Column, this->Column(1));
        ++clicks;
    };
    for (const Case& c : cases) {
        clicks = 0;
        const TPoint p = Middle(2, 0);
        Press(p);
        EXPECT_EQ(grid->PressedTitleColumn(), 2) << c.dx;
        EXPECT_TRUE(grid->TitlePressShown()) << c.dx;
        MoveTo({p.X + c.dx, p.Y});
        EXPECT_EQ(grid->GridState() == gsColMoving, c.moving) << c.dx;
        EXPECT_EQ(grid->PressedTitleColumn(), c.moving ? -1 : 2) << c.dx;
        Release({p.X + c.dx, p.Y});
        EXPECT_EQ(clicks, c.clicks) << c.dx;
        EXPECT_EQ(grid->GridState(), gsNormal) << c.dx;
        EXPECT_EQ(grid->PressedTitleColumn(), -1) << c.dx;
        EXPECT_EQ(GetCaptureControl(), nullptr) << c.dx;
    }
}

TEST_F(GridMouseTest, ATitlePressReleasedElsewhereOrWithoutTitleButtonIsNoTitleClick) {
    int clicks = 0;
    grid->OnTitleButtonClick = [&](TObject*, int, IGridColumnEh*) { ++clicks; };
    Click(Middle(2, 0));
    EXPECT_EQ(grid->PressedTitleColumn(), -1) << "no title button: never held pressed";
    Column(1)->Title()->SetTitleButton(true);
    Press(Middle(2, 0));
    // Down into the data rows: the press no longer counts, and the title shows raised again.
    MoveTo(Middle(2, 3));
    EXPECT_FALSE(grid->TitlePressShown());
    Release(Middle(2, 3));
    EXPECT_EQ(clicks, 0);
    // OnTitleButtonCheck may make any title a button.
    grid->OnTitleButtonCheck = [](TObject*, int ACol, IGridColumnEh*, bool& Enabled) { Enabled = ACol == 2; };
    Click(Middle(3, 0));
    EXPECT_EQ(clicks, 1);
}

TEST_F(GridMouseTest, CtrlClicksOnTwoTitlesSortOnceWhenCtrlIsReleased) {
    auto ReleaseKey = [this](WORD key) {
        ui.KeyUp(key);
        ui.ProcessMessages();
    };
    grid->SetExtOptions(grid->ExtOptions() +
                        TDBGridEhExtOptions{gxoAutoSortMarkingEh, gxoMultiSortMarkingEh});
    for (int i = 0; i < 3; ++i) Column(i)->Title()->SetTitleButton(true);
    int sorts = 0;
    grid->OnSortMarkersChange = [&](TObject*) { ++sorts; };
    Click(Middle(1, 0), {ssCtrl});
    Click(Middle(2, 0), {ssCtrl});
    EXPECT_EQ(sorts, 0);
    EXPECT_TRUE(grid->SortMarkingDeferred());
    ASSERT_EQ(grid->SortMarkedColumns().size(), 2u);
    EXPECT_EQ(grid->SortMarkedColumns()[0], Column(0));
    EXPECT_EQ(grid->SortMarkedColumns()[1], Column(1));
    ReleaseKey(VK_SHIFT);
    EXPECT_EQ(sorts, 0) << "only Ctrl's release sorts";
    ReleaseKey(VK_CONTROL);
    EXPECT_EQ(sorts, 1);
    ReleaseKey(VK_CONTROL);
    EXPECT_EQ(sorts, 1) << "once";
    // A plain click sorts at once, by that column alone.
    Click(Middle(3, 0));
    EXPECT_EQ(sorts, 2);
    EXPECT_EQ(grid->SortMarkedColumns(), std::vector<IGridColumnEh*>{Column(2)});
    EXPECT_EQ(Column(0)->Title()->SortMarker(), smNoneEh);
}

TEST_F(GridMouseTest, ADoubleClickOnABorderFitsTheColumnAndIsNoDoubleClickForTheProgram) {
    grid->SetExtOptions(grid->ExtOptions() + TDBGridEhExtOptions{gxoDblClickOptimizeColWidthEh});
    int doubleClicks = 0;
    grid->OnDblClick = [&](TObject*) { ++doubleClicks; };
    Column(1)->SetWidth(20);
    ui.ProcessMessages();
    TCanvas& canvas = *grid->Canvas();
    canvas.Font()->Assign(*Column(1)->Font());
    const int widest = 4 + canvas.TextWidth("name 30");
    const TPoint border{grid->CellRect(2, 0).Right, Middle(2, 0).Y};
    DoubleClick(border);
    EXPECT_EQ(Column(1)->Width(), widest) << "the widest record's text, the last one read";
    EXPECT_EQ(doubleClicks, 0);
    EXPECT_EQ(CurrentId(), 1) << "the position comes back";
    EXPECT_FALSE(ds.ControlsDisabled());
    // Anywhere else a double click is the program's.
    DoubleClick(Middle(2, 3));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(Column(1)->Width(), widest);
}

TEST_F(GridMouseTest, FittingTakesTheSelectedColumnsAlongAndAWideFooter) {
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
    grid->SetFooterRowCount(1);
    const std::string footer = "a footer wider than any name";
    grid->OnFooterCellParams = [&](TObject*, int DataCol, int, IGridColumnEh*, TFont*, TColor&, TAlignment&,
                                   TGridDrawState, std::string& Text) {
        if (DataCol == 2)
            Text = footer;
    };
    ui.ProcessMessages();
    TCanvas& canvas = *grid->Canvas();
    canvas.Font()->Assign(*grid->FooterFont());
    const int footerWidth = canvas.TextWidth(footer) + 5;
    struct Case {
        const char* what;
        bool selectIdAndCity;
        std::vector<bool> fitted;
    } cases[] = {{"alone", false, {false, true, false}}, {"with the selected", true, {true, true, true}}};
    for (const Case& c : cases) {
        for (int i = 0; i < 3; ++i) Column(i)->SetWidth(300);
        auto& selection = dynamic_cast<TDBGridEhSelection&>(*grid->Selection());
        selection.Reset();
        if (c.selectIdAndCity) {
            selection.Columns().SelectColumn(Column(0), false);
            selection.Columns().SelectColumn(Column(2), true);
        }
        grid->OptimizeColumnWidths(Column(1));
        for (int i = 0; i < 3; ++i) EXPECT_EQ(Column(i)->Width() != 300, c.fitted[i]) << c.what << " " << i;
    }
    EXPECT_EQ(Column(2)->Width(), footerWidth);
}

TEST_F(GridMouseTest, FittingAColumnGivesTheDatasetBackWhenADisplayTextRaises) {
    GoTo(7);
    grid->OnCellParams = [this](TObject*, IGridColumnEh*, TFont*, TColor&, TGridDrawState) {
        if (ds.FieldByName("ID")->AsInteger() == 15)
            throw Exception("no text");
    };
    EXPECT_THROW(grid->OptimizeColumnWidths(Column(1)), Exception);
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(CurrentId(), 7);
}

TEST_F(GridMouseTest, ARightPressGivesTheMouseBackOnReleaseWhereverItLands) {
    grid->SetFooterRowCount(1);
    ui.ProcessMessages();
    const int footerRow = grid->RowCount() - 1;
    struct Case {
        const char* area;
        TPoint at;
        bool mayFocus;
    } cases[] = {
        {"title", Middle(2, 0), true},          {"indicator title", Middle(0, 0), true},
        {"indicator", Middle(0, 2), true},      {"data cell", Middle(2, 2), true},
        {"footer", Middle(2, footerRow), true}, {"focus refused", Middle(2, 2), false},
    };
    for (const Case& c : cases) {
        grid->mayFocus = c.mayFocus;
        Press(c.at, {}, mbRight);
        EXPECT_EQ(GetCaptureControl(), grid) << c.area;
        Release(c.at, {}, mbRight);
        EXPECT_EQ(GetCaptureControl(), nullptr) << c.area;
        EXPECT_EQ(grid->PressedTitleColumn(), -1) << c.area;
    }
}

TEST_F(GridMouseTest, ARightPressOnATitleButtonActsAsALeftPressWithColumnResize) {
    Column(1)->Title()->SetTitleButton(true);
    int clicks = 0;
    grid->OnTitleButtonClick = [&](TObject*, int, IGridColumnEh*) { ++clicks; };
    Press(Middle(2, 0), {}, mbRight);
    EXPECT_EQ(grid->PressedTitleColumn(), 2);
    Release(Middle(2, 0), {}, mbRight);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(GridMouseTest, SelectionKindsFollowMultiSelectRowSelectAndTheAllowedSet) {
    struct Case {
        TDBGridEhOptions add;
        TDBGridEhAllowedSelections allowed;
        bool rows, rect, cols, all;
    } cases[] = {
        {{}, {gskRowsEh, gskRectangleEh, gskColumnsEh, gskAllEh}, false, false, false, false},
        {{gdoMultiSelectEh}, {gskRowsEh, gskRectangleEh, gskColumnsEh, gskAllEh}, true, true, true, true},
        {{gdoMultiSelectEh, gdoRowSelectEh},
         {gskRowsEh, gskRectangleEh, gskColumnsEh, gskAllEh},
         true,
         false,
         false,
         true},
        {{gdoMultiSelectEh}, {gskColumnsEh}, false, false, true, false},
    };
    const TDBGridEhOptions base = grid->Options();
    for (const Case& c : cases) {
        grid->SetOptions(base + c.add);
        grid->SetAllowedSelections(c.allowed);
        EXPECT_TRUE(grid->SelectionKindAllowed(gskNoneEh));
        EXPECT_EQ(grid->SelectionKindAllowed(gskRowsEh), c.rows);
        EXPECT_EQ(grid->SelectionKindAllowed(gskRectangleEh), c.rect);
        EXPECT_EQ(grid->SelectionKindAllowed(gskColumnsEh), c.cols);
        EXPECT_EQ(grid->SelectionKindAllowed(gskAllEh), c.all);
    }
}

}  // namespace
}  // namespace grid_mouse_test
