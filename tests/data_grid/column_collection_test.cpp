// The grid's column collection telling the grid of changes: sort markers set inside an update,
// widths passed to the grid's columns, initial widths while the grid fits widths to its client
// area, and the columns following the grid's font.
#include "platform/ui/font.h"
#include "tests/data_grid/column_fixture.h"

namespace {

TEST_F(ColumnsOverData, SortMarkersSetInsideAnUpdateRebuildTheSortListOnce) {
    OpenData();
    grid->SetExtOptions(grid->ExtOptions() + TDBGridEhExtOptions{gxoMultiSortMarkingEh});
    TColumnEh* a = ColumnFor("ID");
    TColumnEh* b = ColumnFor("PAID");
    TColumnEh* c = ColumnFor("NAME");
    grid->rebuilds = 0;

    Columns().BeginUpdate();
    c->Title()->SetSortMarker(smDownEh);
    c->Title()->SetSortIndex(1);
    a->Title()->SetSortMarker(smUpEh);
    a->Title()->SetSortIndex(2);
    EXPECT_TRUE(grid->SortMarkedColumns().empty());
    EXPECT_EQ(grid->rebuilds, 0);
    Columns().EndUpdate();

    EXPECT_EQ(grid->rebuilds, 1);
    EXPECT_EQ(grid->SortMarkedColumns(), (std::vector<IGridColumnEh*>{c, a}));
    EXPECT_EQ(b->Title()->SortIndex(), 0);
}

TEST_F(ColumnsOverData, SortIndexesWithGapsOrTwinsStillGiveAListOfRealColumns) {
    OpenData();
    TColumnEh* a = ColumnFor("ID");
    TColumnEh* b = ColumnFor("NAME");
    // As a form may hold them: the second place twice, nothing first.
    Columns().BeginUpdate();
    a->Title()->SetSortIndex(2);
    b->Title()->SetSortIndex(2);
    Columns().EndUpdate();

    EXPECT_EQ(grid->SortMarkedColumns(), std::vector<IGridColumnEh*>{b});
    Columns().BeginUpdate();
    b->Title()->SetSortIndex(9);
    Columns().EndUpdate();
    EXPECT_EQ(grid->SortMarkedColumns(), (std::vector<IGridColumnEh*>{a, b}));
}

TEST_F(ColumnsOverData, AColumnsWidthReachesItsGridColumn) {
    OpenData();
    grid->SetColCount(4);
    TColumnEh* id = ColumnFor("ID");
    ColumnFor("NAME");
    struct Case {
        const char* what;
        bool visible;
        bool colLines;
        int width;
        int gridWidth;
    };
    // A hidden column's grid column shows no width: -1 keeps its column line.
    const Case cases[] = {
        {"shown", true, true, 90, 90},
        {"hidden with column lines", false, true, 80, -1},
        {"hidden without column lines", false, false, 70, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TDBGridEhOptions options = DefaultDBGridEhOptions;
        if (!c.colLines)
            options.Exclude(gdoColLinesEh);
        grid->SetOptions(options);
        id->SetVisible(c.visible);
        id->SetWidth(c.width);
        EXPECT_EQ(grid->ColWidths(grid->DataColToGridCol(id->Index())), c.gridWidth);
    }
}

TEST_F(ColumnsOverData, AutoFitKeepsInitialWidthsAndScalesThemWithTheUsersSizing) {
    OpenData();
    grid->SetColCount(3);
    TColumnEh* id = ColumnFor("ID");
    TColumnEh* name = ColumnFor("NAME");
    id->SetWidth(100);
    name->SetWidth(50);
    grid->SetAutoFitColWidths(true);
    EXPECT_EQ(id->InitialWidth(), 100);
    EXPECT_EQ(name->InitialWidth(), 50);

    // The grid shows the first column 200 wide; the user makes it 300: its initial width grows
    // by half and the next column gives up the difference.
    // Fitted widths reach the grid's columns inside its layout; outside it a width set counts
    // as the user's sizing.
    grid->LockLayout();
    grid->SetColWidths(1, 200);
    grid->UnlockLayout();
    id->SetWidth(300);
    EXPECT_EQ(id->InitialWidth(), 150);
    EXPECT_EQ(name->InitialWidth(), 0);

    // A collapsed grid column gives nothing to scale by: the initial width stays.
    grid->LockLayout();
    grid->SetColWidths(1, 0);
    grid->UnlockLayout();
    id->SetWidth(120);
    EXPECT_EQ(id->InitialWidth(), 150);

    grid->SetAutoFitColWidths(false);
    EXPECT_EQ(id->Width(), 150);
    EXPECT_EQ(grid->ScrollBars(), ssHorizontal);
}

TEST_F(ColumnsOverData, ColumnsFollowTheGridsFontUntilTheyHaveTheirOwn) {
    OpenData();
    TColumnEh* id = ColumnFor("ID");
    TColumnEh* name = ColumnFor("NAME");
    name->Font()->SetSize(12);
    EXPECT_TRUE(name->OwnValues().Contains(ovFont));

    grid->Font()->SetSize(10);

    EXPECT_EQ(id->Font()->Size(), 10);
    EXPECT_FALSE(id->OwnValues().Contains(ovFont));
    EXPECT_EQ(name->Font()->Size(), 12);
    EXPECT_EQ(id->Title()->Font()->Size(), grid->TitleFont()->Size());
}

TEST_F(ColumnsOverData, EnteringAColumnAppliesItsInputMethodSettingsOrTheGrids) {
    OpenData();
    grid->SetColCount(3);
    grid->SetImeMode(imClose);
    grid->SetImeName("grid method");
    ColumnFor("ID");
    TColumnEh* name = ColumnFor("NAME");
    name->SetImeMode(imHira);
    name->SetImeName("column method");
    int entered = 0;
    grid->OnColumnEnter = [&](TObject*) { ++entered; };

    grid->SetCol(2);
    grid->ColEnter();
    EXPECT_EQ(grid->ActiveImeMode(), imHira);
    EXPECT_EQ(grid->ActiveImeName(), "column method");
    grid->SetCol(1);
    grid->ColEnter();
    EXPECT_EQ(grid->ActiveImeMode(), imClose);
    EXPECT_EQ(grid->ActiveImeName(), "grid method");
    EXPECT_EQ(entered, 2);
}

}  // namespace
