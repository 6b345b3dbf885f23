// A grid's lookup cell over TpFIBDataSets on the embedded engine: the editor drops down the
// clients of the second dataset, a click on a client writes its key into the visit, and leaving the
// row posts it to the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/grid_inplace_edit.h"
#include "data_grid/popup_data_grid.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/visits_engine_fixture.h"

namespace {

class DropDownEngine : public visits_engine::LookupColumnEngine {
  protected:
    TDBGridInplaceEdit& ShowEditor() {
        grid_->ShowCellEditor();
        ui_.ProcessMessages();
        auto* editor = dynamic_cast<TDBGridInplaceEdit*>(grid_->InplaceEditor());
        EXPECT_NE(editor, nullptr);
        return *editor;
    }
};

TEST_F(DropDownEngine, AClientClickedInTheLookupGridIsPostedToTheVisit) {
    auto& visits = ShowVisits();
    visits.Next();
    TDBGridInplaceEdit& editor = ShowEditor();
    ASSERT_EQ(editor.ActiveEditStyle(), esDataListEh);
    EXPECT_EQ(editor.Text(), "Bob");
    ui_.PressKey(VK_DOWN, {ssAlt});
    ASSERT_TRUE(editor.ListShown());
    TPopupDataGridEh& list = *editor.DataList();
    EXPECT_EQ(list.ListSource(), editor.DropDownSource());
    EXPECT_EQ(editor.DropDownSource()->DataSet(), clients_.get()) << "the list is the second dataset";
    EXPECT_EQ(list.KeyValue(), Variant(2));
    const TRect rows = list.DataRowsRect();
    ui_.ClickAt(&list, {rows.Left + 10, rows.Top + list.RowPitch() * 2 + list.RowPitch() / 2});
    ui_.ProcessMessages();
    EXPECT_FALSE(editor.ListShown());
    EXPECT_EQ(editor.Text(), "Cid");
    EXPECT_EQ(grid_->EditKeyValue(), Variant(3));
    ASSERT_EQ(visits.State(), dsEdit);
    ui_.PressKey(VK_UP);
    ui_.ProcessMessages();
    EXPECT_EQ(visits.State(), dsBrowse);
    EXPECT_EQ(ServerRows("SELECT ID, CLIENT_ID FROM VISITS ORDER BY ID"),
              (std::vector<std::string>{"10|1", "11|3"}));
}

}  // namespace
