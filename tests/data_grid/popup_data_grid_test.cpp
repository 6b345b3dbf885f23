#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data_grid/grid_unit.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/ui/application.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"
#include "platform/ui/input.h"
#include "platform/ui/messages.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_styles.h"
#include "tests/data_grid/grid_unit_scope.h"
#include "tests/support/memory_dataset.h"

namespace {

// Counts its layout rebuilds.
class CountingPopupGrid : public TPopupDataGridEh {
  public:
    using TPopupDataGridEh::TPopupDataGridEh;
    void RebuildGridLayout() override {
        ++rebuilds;
        TPopupDataGridEh::RebuildGridLayout();
    }
    int rebuilds = 0;
};

// A drop-down grid of three rows over six people, shown under a form whose edit keeps the focus;
// it records what it tells its owner.
struct PopupGrid {
    platform::ui::HeadlessSession ui;
    GridUnitScope unit;
    TForm* form = nullptr;
    CountingPopupGrid* grid = nullptr;
    TMemoryDataSet people;
    TDataSource* peopleSource = nullptr;
    std::vector<bool> closeUps;
    std::vector<int> userKeys;

    PopupGrid() {
        people.SetColumns({"ID", "NAME"});
        people.SetColumnType(0, ftInteger);
        people.SetColumnType(1, ftString, 20);
        for (int id = 1; id <= 6; ++id) people.AddRow({id, "Person " + std::to_string(id)});
        people.Open();
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 600, 400);
        peopleSource = NewComponent<TDataSource>(form);
        peopleSource->SetDataSet(&people);
        grid = NewComponent<CountingPopupGrid>(form);
        grid->SetParent(form);
        grid->SetListSource(peopleSource);
        grid->SetKeyField("ID");
        grid->SetListField("NAME");
        grid->SetBounds(100, 100, 300, 100);
        grid->OnListCloseUp = [this](TObject*, bool accept) { closeUps.push_back(accept); };
        grid->OnKeyChangedByUser = [this](TObject*) { userKeys.push_back(grid->KeyValue().AsInteger()); };
        form->Show();
        grid->Show();
        // Whole rows need the frame, which the window has once it exists.
        grid->SetRowCount(3);
        ui.ProcessMessages();
    }
    ~PopupGrid() {
        grid->TCustomDBGridEh::SetDataSource(nullptr);
        people.BeforeDestruction();
    }
    int RowY(int Row) {
        const TRect cell = grid->CellRect(grid->IndicatorOffset(), grid->TopDataOffset() + Row);
        return (cell.Top + cell.Bottom) / 2;
    }
    void Press(TPoint at) {
        ui.Advance(1000);
        platform::ui::PostMouseDown(*grid, mbLeft, {}, at);
        ui.ProcessMessages();
    }
    void Move(TPoint at, TShiftState shift = {}) {
        platform::ui::PostMouseMove(*grid, shift, at);
        ui.ProcessMessages();
    }
    void Release(TPoint at) {
        platform::ui::PostMouseUp(*grid, mbLeft, {}, at);
        ui.ProcessMessages();
    }
};

TEST(PopupDataGrid, IsAToolWindowThatNeverTakesTheFocus) {
    PopupGrid f;
    EXPECT_FALSE(f.grid->CanFocus());
    EXPECT_TRUE(f.grid->PopupMode());
    EXPECT_EQ(f.grid->Perform(WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    EXPECT_EQ(f.grid->Perform(WM_ERASEBKGND, 0, 0), 1);
    ASSERT_NE(f.grid->SizeGrip(), nullptr);
    EXPECT_TRUE(f.grid->SizeGrip()->Triangular());
    EXPECT_EQ(f.grid->SizeGrip()->Parent(), f.grid);
}

TEST(PopupDataGrid, ReleaseAsksToCloseAcceptingOnlyOverTheRows) {
    const struct {
        const char* what;
        int pressRow;
        int releaseX;  // -1: inside, in the data column
        int releaseRow;
        int key;
        std::vector<bool> closeUps;
    } cases[] = {
        {"on the row pressed", 1, -1, 1, 2, {true}},
        {"on another row", 0, -1, 2, 3, {true}},
        {"outside the window", 0, 1000, 1, 1, {false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PopupGrid f;
        f.Press({20, f.RowY(c.pressRow)});
        const int x = c.releaseX < 0 ? 20 : c.releaseX;
        f.Release({x, f.RowY(c.releaseRow)});
        EXPECT_EQ(f.grid->KeyValue().AsInteger(), c.key);
        EXPECT_EQ(f.closeUps, c.closeUps);
    }
}

TEST(PopupDataGrid, ReleaseOnTheTitlesOrAfterSizingAColumnAsksNothing) {
    PopupGrid f;
    f.grid->SetShowTitles(true);
    f.grid->SetOptions(f.grid->Options() + TDBLookupGridEhOptions{dlgColumnResizeEh});
    f.ui.ProcessMessages();
    ASSERT_TRUE(f.grid->TitlesShown());
    const TRect title = f.grid->CellRect(f.grid->IndicatorOffset(), 0);
    const int titleY = (title.Top + title.Bottom) / 2;
    f.Press({20, titleY});
    f.Release({20, titleY});
    EXPECT_TRUE(f.closeUps.empty()) << "titles";

    const int width = title.Right - title.Left;
    f.Press({title.Right - 1, titleY});
    // The release lands over a data row: only the sizing keeps it from choosing.
    f.Move({title.Right - 31, titleY}, {ssLeft});
    f.Release({title.Right - 31, f.RowY(1)});
    const TRect sized = f.grid->CellRect(f.grid->IndicatorOffset(), 0);
    EXPECT_NE(sized.Right - sized.Left, width) << "the column was sized";
    EXPECT_TRUE(f.closeUps.empty()) << "after sizing";
}

TEST(PopupDataGrid, HotTrackingTellsTheOwnerOfEachRowButNotOfTheProgramsKeys) {
    PopupGrid f;
    f.grid->SetKeyValue(Variant(1));
    f.ui.ProcessMessages();
    EXPECT_TRUE(f.userKeys.empty()) << "a key set by the program";
    f.Move({20, f.RowY(1)});
    f.Move({20, f.RowY(2)});
    f.Move({24, f.RowY(2)});
    EXPECT_EQ(f.userKeys, (std::vector<int>{2, 3})) << "once per row";
    EXPECT_EQ(f.grid->KeyValue().AsInteger(), 3);
    EXPECT_TRUE(f.closeUps.empty());

    f.Move({20, f.RowY(0)}, {ssLeft});
    EXPECT_EQ(f.grid->KeyValue().AsInteger(), 3) << "no tracking while a button is held";
    f.grid->SetKeyValue(Variant(5));
    f.ui.ProcessMessages();
    EXPECT_EQ(f.userKeys.size(), 2u) << "a key set by the program";
}

TEST(PopupDataGrid, DraggingTheGripSmallStopsAtTheScrollBarsSize) {
    PopupGrid f;
    f.grid->SetSizeGripResized(false);
    TSizeGripEh& grip = *f.grid->SizeGrip();
    const TPoint start{grip.Width() / 2, grip.Height() / 2};
    grip.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(start.X, start.Y));
    // From the bottom-right corner back to a 5 x 5 window.
    const TPoint to{start.X - (f.grid->Width() - 5), start.Y - (f.grid->Height() - 5)};
    grip.Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(to.X, to.Y));
    grip.Perform(WM_LBUTTONUP, 0, MakeLParam(to.X, to.Y));
    f.ui.ProcessMessages();
    EXPECT_EQ(f.grid->Width(), std::max(GetSystemMetrics(SM_CXVSCROLL),
                                        f.grid->Width() - f.grid->ClientWidth() + grip.Width()));
    EXPECT_GE(f.grid->Height(), GetSystemMetrics(SM_CYVSCROLL));
    EXPECT_TRUE(f.grid->SizeGripResized());

    f.grid->SetBounds(f.grid->Left(), f.grid->Top(), 5, 5);
    EXPECT_EQ(f.grid->Width(), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(f.grid->Height(), GetSystemMetrics(SM_CYVSCROLL));
}

TEST(PopupDataGrid, GripMessageMovesTheGripToTheSideAsked) {
    const struct {
        WPARAM side;
        TSizeGripPosition position;
    } cases[] = {{sgsLeft, sgpBottomLeft}, {sgsTop | 0x100, sgpTopRight}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.side);
        PopupGrid f;
        ASSERT_EQ(f.grid->SizeGrip()->Position(), sgpBottomRight);
        f.grid->Perform(WM_USER + 100, c.side, 0);
        EXPECT_EQ(f.grid->SizeGrip()->Position(), c.position);
    }
}

TEST(PopupDataGrid, GridsOwnDeferredRebuildRunsAndLeavesTheGripInItsCorner) {
    PopupGrid f;
    f.grid->rebuilds = 0;
    f.grid->BeginLayout();
    f.grid->PostDeferredUpdate();
    f.ui.ProcessMessages();
    EXPECT_EQ(f.grid->rebuilds, 1);
    EXPECT_EQ(f.grid->SizeGrip()->Position(), sgpBottomRight);
}

TEST(PopupDataGrid, ClickingLeavesTheFocusWithTheEditor) {
    PopupGrid f;
    auto* edit = NewComponent<TEdit>(f.form);
    edit->SetParent(f.form);
    edit->SetFocus();
    f.ui.ProcessMessages();
    ASSERT_TRUE(edit->Focused());
    f.Press({20, f.RowY(1)});
    f.Release({20, f.RowY(1)});
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(f.form->ActiveControl(), edit);
    EXPECT_EQ(f.closeUps, std::vector<bool>{true});
}

// Shows the parameters its window was made with.
struct StyleProbe : TPopupDataGridEh {
    using TPopupDataGridEh::TPopupDataGridEh;
    using TWinControl::WindowParams;
};

TEST(PopupDataGrid, WindowIsAPopUpToolWindowBorderedOnlyWithoutCtl3D) {
    const struct {
        bool ctl3D;
        DWORD style;
    } cases[] = {{true, 0x82000000}, {false, 0x82800000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ctl3D);
        PopupGrid f;
        auto* probe = NewComponent<StyleProbe>(f.form);
        probe->SetParent(f.form);
        probe->SetCtl3D(!c.ctl3D);
        probe->Show();
        f.ui.ProcessMessages();
        // Changed while shown: the window is made anew.
        probe->SetCtl3D(c.ctl3D);
        f.ui.ProcessMessages();
        ASSERT_TRUE(probe->HandleAllocated());
        // The scroll bars come and go with the rows and columns shown.
        EXPECT_EQ(probe->WindowParams().Style & ~(WS_VSCROLL | WS_HSCROLL), c.style);
        EXPECT_EQ(probe->WindowParams().ExStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
    }
}

}  // namespace
