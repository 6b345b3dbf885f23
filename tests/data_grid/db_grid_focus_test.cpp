// The grid losing the focus: a sort held back by Ctrl runs, but not while the focus only moves into
// the grid's own cell editor.
#include "platform/ui/inplace_edit.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/db_grid_mouse_fixture.h"

namespace grid_mouse_test {
namespace {

class GridFocusTest : public GridMouseTest {
  protected:
    void SetUp() override {
        GridMouseTest::SetUp();
        other = NewComponent<MouseGrid>(form);
        other->SetParent(form);
        other->SetBounds(420, 10, 90, 90);
        grid->SetExtOptions(grid->ExtOptions() +
                            TDBGridEhExtOptions{gxoAutoSortMarkingEh, gxoMultiSortMarkingEh});
        for (int i = 0; i < 3; ++i) Column(i)->Title()->SetTitleButton(true);
        grid->OnSortMarkersChange = [this](TObject*) { ++sorts; };
    }
    MouseGrid* other = nullptr;
    int sorts = 0;
};

TEST_F(GridFocusTest, PendingCtrlClickSortRunsWhenTheFocusLeaves) {
    Click(Middle(1, 0), {ssCtrl});
    Click(Middle(2, 0), {ssCtrl});
    ASSERT_TRUE(grid->SortMarkingDeferred());
    ASSERT_EQ(sorts, 0);
    other->SetFocus();
    ui.ProcessMessages();
    EXPECT_EQ(sorts, 1);
    EXPECT_FALSE(grid->SortMarkingDeferred());
    EXPECT_EQ(grid->SortMarkedColumns().size(), 2u);
    grid->SetFocus();
    ui.ProcessMessages();
    other->SetFocus();
    ui.ProcessMessages();
    EXPECT_EQ(sorts, 1) << "nothing pending: leaving again sorts nothing";
}

TEST_F(GridFocusTest, FocusMovingIntoTheCellEditorKeepsTheSortPending) {
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoEditingEh});
    Click(Middle(1, 0), {ssCtrl});
    ASSERT_TRUE(grid->SortMarkingDeferred());
    ui.KeyDown(VK_F2);
    ui.ProcessMessages();
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    grid->InplaceEditor()->SetFocus();
    ui.ProcessMessages();
    EXPECT_EQ(sorts, 0);
    EXPECT_TRUE(grid->SortMarkingDeferred());
}

}  // namespace
}  // namespace grid_mouse_test
