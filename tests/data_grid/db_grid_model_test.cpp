// The data grid's model on the headless host: option sets and what they rebuild, the layout
// brackets and the deferred rebuild, construction through a derived grid's factories, free
// notices and taking the focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/db_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/font.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/popup_menu.h"
#include "tests/support/memory_dataset.h"

namespace {

// Counts the layout rebuilds; a rebuild may be made to fail. Its columns are the plain ones, which
// show what the grid itself does with columns.
class CountingGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    std::unique_ptr<IGridColumnsEh> NewColumns() override { return std::make_unique<TPlainGridColumnsEh>(); }
    void RebuildGridLayout() override {
        ++rebuilds;
        if (rebuildRaises)
            throw Exception("layout failed");
    }
    TPlainGridColumnsEh& PlainColumns() { return static_cast<TPlainGridColumnsEh&>(*ColumnsPart()); }
    TPlainGridSelectedRowsEh& PlainSelectedRows() {
        return static_cast<TPlainGridSelectedRowsEh&>(*SelectedRowsPart());
    }
    int rebuilds = 0;
    bool rebuildRaises = false;

  protected:
    // The stand-ins, whose state the tests set directly.
    std::unique_ptr<IGridSelectedRowsEh> NewSelectedRows() override {
        return std::make_unique<TPlainGridSelectedRowsEh>();
    }
};

struct GridOnForm : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    CountingGrid* grid = nullptr;

    GridOnForm() {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 400, 300);
        edit = NewComponent<TEdit>(form);
        edit->SetParent(form);
        edit->SetBounds(10, 250, 100, 24);
        grid = NewComponent<CountingGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 400, 240);
        form->Show();
        edit->SetFocus();
        ui.ProcessMessages();
        grid->rebuilds = 0;
    }
    int WaitingDeferredUpdates() {
        int waiting = 0;
        TMsg msg;
        std::vector<TMsg> taken;
        while (PeekMessage(msg, grid->Handle(), WM_DEFERRED_LAYOUT_EH, WM_DEFERRED_LAYOUT_EH, PM_REMOVE)) {
            ++waiting;
            taken.push_back(msg);
        }
        for (const TMsg& m : taken) PostMessage(m.hwnd, m.message, m.wParam, m.lParam);
        return waiting;
    }
};

TEST_F(GridOnForm, OptionsStoreWhatTheyMayAndRebuildOnlyForLayoutBits) {
    using O = TDBGridEhOptions;
    const O defaults = DefaultDBGridEhOptions;
    struct Case {
        const char* what;
        O set;
        O stored;
        int rebuilds;
    };
    const Case cases[] = {
        {"the same value", defaults, defaults, 0},
        {"Tabs off", defaults - O{gdoTabsEh}, defaults - O{gdoTabsEh}, 0},
        {"ConfirmDelete off", defaults - O{gdoConfirmDeleteEh}, defaults - O{gdoConfirmDeleteEh}, 0},
        {"Indicator off", defaults - O{gdoIndicatorEh}, defaults - O{gdoIndicatorEh}, 1},
        {"Titles off", defaults - O{gdoTitlesEh}, defaults - O{gdoTitlesEh}, 1},
        {"row select drops editing", defaults + O{gdoRowSelectEh, gdoAlwaysShowEditorEh},
         defaults + O{gdoRowSelectEh} - O{gdoEditingEh}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid->SetOptions(defaults);
        grid->rebuilds = 0;
        grid->SetOptions(c.set);
        EXPECT_EQ(grid->Options().Bits(), c.stored.Bits());
        EXPECT_EQ(grid->rebuilds, c.rebuilds);
        const TGridOptions base = grid->TCustomGrid::Options();
        EXPECT_EQ(base.Contains(goTabs), c.stored.Contains(gdoTabsEh));
        EXPECT_EQ(base.Contains(goEditing), c.stored.Contains(gdoEditingEh));
        EXPECT_EQ(base.Contains(goRowSelect), c.stored.Contains(gdoRowSelectEh));
    }
}

TEST_F(GridOnForm, MultiSelectOffDropsTheSelectionEvenWithoutClearSelection) {
    grid->SetExtOptions(grid->ExtOptions() - TDBGridEhExtOptions{gxoClearSelectionEh});
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
    grid->PlainSelectedRows().SetCount(3);
    grid->Selection()->StoreKind(gskRowsEh);

    grid->SetOptions(grid->Options() - TDBGridEhOptions{gdoMultiSelectEh});

    EXPECT_EQ(grid->SelectedRowsPart()->Count(), 0);
    EXPECT_EQ(grid->Selection()->Kind(), gskNoneEh);
}

TEST_F(GridOnForm, MultiSortMarkingOffKeepsOnlyTheFirstMarker) {
    std::vector<IGridColumnEh*>& marked = grid->SortMarkedColumns();
    for (TSortMarkerEh marker : {smUpEh, smDownEh, smUpEh}) {
        IGridColumnEh* column = grid->PlainColumns().Add();
        column->SetSortMarker(marker);
        marked.push_back(column);
    }
    grid->SetExtOptions(grid->ExtOptions() + TDBGridEhExtOptions{gxoMultiSortMarkingEh});

    grid->SetExtOptions(grid->ExtOptions() - TDBGridEhExtOptions{gxoMultiSortMarkingEh});

    EXPECT_EQ(marked[0]->SortMarker(), smUpEh);
    EXPECT_EQ(marked[1]->SortMarker(), smNoneEh);
    EXPECT_EQ(marked[2]->SortMarker(), smNoneEh);
}

TEST_F(GridOnForm, NestedBracketsRebuildOnceAtTheOutermostEnd) {
    grid->BeginLayout();
    grid->BeginLayout();
    grid->RefreshLayout();
    EXPECT_EQ(grid->PlainColumns().UpdateCount(), 1);
    grid->EndLayout();
    EXPECT_EQ(grid->rebuilds, 0);
    grid->EndLayout();
    EXPECT_EQ(grid->rebuilds, 1);
    EXPECT_EQ(grid->LayoutLockCount(), 0);
    EXPECT_EQ(grid->PlainColumns().UpdateCount(), 0);
}

TEST_F(GridOnForm, AFailedRebuildLeavesTheGridUnlocked) {
    grid->rebuildRaises = true;
    grid->BeginLayout();
    EXPECT_THROW(grid->EndLayout(), Exception);
    EXPECT_EQ(grid->LayoutLockCount(), 0);
    EXPECT_EQ(grid->LayoutUpdateCount(), 0);
    EXPECT_EQ(grid->PlainColumns().UpdateCount(), 0);
    EXPECT_FALSE(grid->LayoutRunning());
    grid->rebuildRaises = false;
    grid->RefreshLayout();
    EXPECT_EQ(grid->rebuilds, 2);
}

TEST_F(GridOnForm, TwoDeferredUpdatesPostOneMessageAndRebuildOnce) {
    for (int i = 0; i < 2; ++i) {
        grid->BeginLayout();
        grid->PostDeferredUpdate();
    }
    EXPECT_EQ(WaitingDeferredUpdates(), 1);
    EXPECT_EQ(grid->LayoutLockCount(), 0);
    ui.ProcessMessages();
    EXPECT_EQ(grid->rebuilds, 1);
}

TEST_F(GridOnForm, DeferredUpdateNeverEndsAnOuterBracket) {
    grid->BeginLayout();  // held across the message loop
    grid->BeginLayout();
    grid->PostDeferredUpdate();
    EXPECT_EQ(grid->LayoutLockCount(), 1);
    ui.ProcessMessages();
    EXPECT_EQ(grid->rebuilds, 0);
    EXPECT_EQ(grid->LayoutLockCount(), 1);
    EXPECT_EQ(grid->LayoutUpdateCount(), 1);
    grid->EndLayout();
    EXPECT_EQ(grid->rebuilds, 1);
}

TEST_F(GridOnForm, DeferredUpdateWaitsForABareLockAndThenRebuilds) {
    grid->LockLayout();
    grid->BeginLayout();
    grid->PostDeferredUpdate();
    ui.ProcessMessages();
    EXPECT_EQ(grid->rebuilds, 0);
    EXPECT_EQ(grid->LayoutLockCount(), 1);
    grid->UnlockLayout();
    ui.ProcessMessages();
    EXPECT_EQ(grid->rebuilds, 1);
}

TEST_F(GridOnForm, ARebuildDropsTheWaitingDeferredUpdate) {
    grid->BeginLayout();
    grid->PostDeferredUpdate();
    grid->RefreshLayout();
    EXPECT_EQ(WaitingDeferredUpdates(), 0);
    ui.ProcessMessages();
    EXPECT_EQ(grid->rebuilds, 1);
}

TEST_F(GridOnForm, TryFocusGridHonoursTakesFocus) {
    grid->SetTakesFocus(false);
    EXPECT_TRUE(grid->TryFocusGrid());
    EXPECT_TRUE(edit->Focused());

    grid->SetTakesFocus(true);
    EXPECT_TRUE(grid->TryFocusGrid());
    EXPECT_TRUE(grid->Focused());
}

TEST_F(GridOnForm, FlatChangesTheTitleMarginAndRowHeightNeverGoesNegative) {
    grid->SetFlat(true);
    EXPECT_EQ(grid->TitleMargin(), 2);
    grid->SetFlat(false);
    EXPECT_EQ(grid->TitleMargin(), 4);
    grid->SetRowHeight(-5);
    EXPECT_EQ(grid->RowHeight(), 0);
}

struct GridOverData : GridOnForm {
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    GridOverData() {
        ds.SetColumns({"ID", "NAME"});
        ds.SetColumnType(0, ftInteger);
        ds.SetColumnType(1, ftString, 20);
        ds.AddRow({Variant(1), Variant("a")});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        ds.Open();
    }
    ~GridOverData() override {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
};

TEST_F(GridOverData, AFreedFieldLeavesItsColumnWithoutAField) {
    grid->SetDataSource(source);
    IGridColumnEh* shown = grid->PlainColumns().Add();
    IGridColumnEh* other = grid->PlainColumns().Add();
    TField* name = ds.FieldByName("NAME");
    shown->SetField(name);
    other->SetField(ds.FieldByName("ID"));
    name->FreeNotification(grid);
    ASSERT_TRUE(grid->DataLink()->MapField("NAME"));

    ds.Close();  // frees the dataset's own fields

    EXPECT_EQ(grid->ColumnsPart()->Count(), 2);
    EXPECT_EQ(shown->Field(), nullptr);
    EXPECT_EQ(grid->DataLink()->FieldAt(0), nullptr);
    EXPECT_EQ(grid->LayoutLockCount(), 0);
    EXPECT_EQ(grid->LayoutUpdateCount(), 0);
}

TEST_F(GridOverData, AFreedDataSourceIsLetGo) {
    grid->SetDataSource(source);
    ASSERT_EQ(grid->DataSource(), source);
    Free(source);
    EXPECT_EQ(grid->DataSource(), nullptr);
    EXPECT_FALSE(grid->DataLink()->Active());
}

TEST_F(GridOverData, OpeningAndClosingTheDataRebuildsTheLayout) {
    grid->SetDataSource(source);
    const int afterAttach = grid->rebuilds;
    EXPECT_GE(afterAttach, 1);
    ds.Close();
    EXPECT_GT(grid->rebuilds, afterAttach);
}

// A grid that makes its own parts, as the lookup grid does.
class OwnPartsGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    std::vector<std::string> made;

  protected:
    std::unique_ptr<IGridColumnsEh> NewColumns() override {
        made.push_back("columns");
        auto columns = std::make_unique<TPlainGridColumnsEh>();
        columns->SetCustomized(true);
        return columns;
    }
    std::unique_ptr<IGridColumnDefValuesEh> NewColumnDefValues() override {
        made.push_back("column defaults");
        return TCustomDBGridEh::NewColumnDefValues();
    }
    std::unique_ptr<IGridScrollBarEh> NewScrollBar(TScrollBarKindEh Kind) override {
        made.push_back(Kind == sbVerticalEh ? "vertical bar" : "horizontal bar");
        return TCustomDBGridEh::NewScrollBar(Kind);
    }
    std::unique_ptr<IGridFilterRowEh> NewFilterRow() override {
        auto row = std::make_unique<TPlainGridFilterRowEh>();
        row->SetVisible(true);
        return row;
    }
    int ShowsTitles() override {
        made.push_back("title rows");
        return TCustomDBGridEh::ShowsTitles();
    }
};

TEST(DBGridConstruction, ADerivedGridsFactoriesMakeItsParts) {
    platform::ui::HeadlessSession ui;
    auto grid = MakeComponent<OwnPartsGrid>(nullptr);
    EXPECT_EQ(grid->made, (std::vector<std::string>{"column defaults", "columns", "horizontal bar",
                                                    "vertical bar", "title rows"}));
    EXPECT_TRUE(grid->ColumnsPart()->Customized());
    // Typed, the plain parts are not the grid's own kind; the defaults made by the grid are.
    EXPECT_EQ(grid->Columns(), nullptr);
    EXPECT_EQ(grid->STFilter(), nullptr);
    EXPECT_NE(grid->ColumnDefValues(), nullptr);
    EXPECT_EQ(grid->VertScrollBar()->Kind(), sbVerticalEh);
    // Titles and the filter row, which exists by the time the offset is taken.
    EXPECT_EQ(grid->TopDataOffset(), 2);
}

TEST(DBGridConstruction, DefaultsOfAPlainGrid) {
    platform::ui::HeadlessSession ui;
    auto grid = MakeComponent<TCustomDBGridEh>(nullptr);
    EXPECT_EQ(grid->Options().Bits(), 0x0CFDu);
    EXPECT_EQ(grid->ExtOptions().Bits(), 0x00010061u);
    EXPECT_EQ(grid->TopDataOffset(), 1);
    EXPECT_EQ(grid->IndicatorOffset(), 1);
    EXPECT_EQ(grid->TitleMargin(), 4);
    EXPECT_EQ(grid->FooterColor(), clWindow);
    EXPECT_TRUE(grid->TakesFocus());
    EXPECT_EQ(grid->TitleExtraHeight(), 10);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->ColCount(), 2);
    EXPECT_EQ(grid->Selection()->Kind(), gskNoneEh);
    // Its user reaches its own parts typed.
    EXPECT_EQ(grid->Columns(), grid->ColumnsPart());
    EXPECT_EQ(grid->ColumnDefValues(), grid->ColumnDefValuesPart());
    EXPECT_EQ(grid->STFilter(), grid->FilterRowPart());
    EXPECT_EQ(grid->SelectedRows(), grid->SelectedRowsPart());
}

class RecordingMenu : public TPopupMenu {
  public:
    using TPopupMenu::TPopupMenu;
    void Popup(int X, int Y) override { shownAt.push_back(TPoint{X, Y}); }
    std::vector<TPoint> shownAt;
};

TEST_F(GridOnForm, ARightClickOnADataColumnPopsUpItsMenu) {
    auto* menu = NewComponent<RecordingMenu>(form);
    auto* column = static_cast<TPlainGridColumnEh*>(grid->PlainColumns().Add());
    column->SetPopupMenu(menu);
    const TRect cell = grid->CellRect(1, 1);
    const TPoint inCell{cell.Left + 5, cell.Top + 5};
    const TRect indicator = grid->CellRect(0, 1);
    struct Case {
        const char* what;
        TPoint at;
        bool autoPopup;
        bool shown;
    };
    const Case cases[] = {
        {"the data cell", inCell, true, true},
        {"the indicator", TPoint{indicator.Left + 2, indicator.Top + 5}, true, false},
        {"a menu without auto pop-up", inCell, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        menu->shownAt.clear();
        menu->PopupComponent = nullptr;
        menu->AutoPopup = c.autoPopup;
        grid->Perform(WM_RBUTTONUP, 0, MakeLParam(c.at.X, c.at.Y));
        ASSERT_EQ(menu->shownAt.size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(menu->PopupComponent, grid);
            EXPECT_EQ(menu->shownAt[0], grid->ClientToScreen(c.at));
        }
    }
    Free(menu);
    EXPECT_EQ(column->PopupMenu(), nullptr);
}

TEST_F(GridOnForm, TitleAndFooterFontsFollowTheParentUntilSetThemselves) {
    grid->SetParentFont(true);
    form->Font()->SetSize(14);
    EXPECT_EQ(grid->TitleFont()->Size(), 14);
    EXPECT_EQ(grid->FooterFont()->Size(), 14);
    EXPECT_TRUE(grid->ParentFont());
    EXPECT_GE(grid->rebuilds, 1);

    grid->TitleFont()->SetSize(9);
    EXPECT_FALSE(grid->ParentFont());
    form->Font()->SetSize(16);
    EXPECT_EQ(grid->TitleFont()->Size(), 9);
}

TEST_F(GridOnForm, FooterColorFollowsTheParentColour) {
    grid->SetParentColor(true);
    form->SetColor(clYellow);
    EXPECT_EQ(grid->FooterColor(), clYellow);
    grid->SetFooterColor(clRed);
    EXPECT_FALSE(grid->ParentColor());
    form->SetColor(clLime);
    EXPECT_EQ(grid->FooterColor(), clRed);
}

}  // namespace
