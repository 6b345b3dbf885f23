// Keys on cells without an editor (check boxes, images picked by key) and an untouched new record
// given up when the focus leaves the grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/string_list.h"
#include "platform/ui/image_list.h"
#include "tests/data_grid/db_grid_keys_fixture.h"

using namespace grid_keys_test;

namespace {

struct StepCellsGrid {
    platform::ui::HeadlessSession ui;
    GridUnitScope unit;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TMemoryDataSet ds;

    StepCellsGrid() {
        Application->CreateForm(&form);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 300, 200);
        ds.SetColumns({"PAID", "CODE"});
        ds.SetColumnType(0, ftBoolean);
        ds.SetColumnType(1, ftString, 5);
        ds.AddRow({Variant(true), Variant("b")});
        auto* source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        ds.Open();
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid->Columns());
        TColumnEh* paid = columns.Add();
        paid->SetFieldName("PAID");
        paid->SetCheckboxes(true);
        TColumnEh* code = columns.Add();
        code->SetFieldName("CODE");
        code->SetImageList(NewComponent<TImageList>(form));
        for (const char* key : {"a", "b", "c"}) code->KeyList()->Add(key);
        grid->SetDataSource(source);
        grid->SetColCount(3);
        grid->SetRowCount(2);
        form->Show();
        grid->SetFocus();
        ui.ProcessMessages();
    }
    ~StepCellsGrid() {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
};

TEST(GridKeysCells, SpaceStepsAndDeleteEmptiesACellWithoutAnEditor) {
    struct Case {
        int col;
        WORD key;
        TShiftState shift;
        bool required;
        std::string value;  // "-" for null
    };
    const std::vector<Case> cases = {
        {1, VK_SPACE, {}, false, "False"},    {2, VK_SPACE, {}, false, "c"},
        {2, VK_SPACE, {ssShift}, false, "a"}, {2, VK_DELETE, {}, false, "-"},
        {1, VK_DELETE, {}, false, "-"},       {1, VK_DELETE, {}, true, "True"},
    };
    for (const Case& c : cases) {
        StepCellsGrid g;
        g.grid->SetCol(c.col);
        TField* field = g.ds.Fields().Fields(c.col - 1);
        field->Required = c.required;
        g.ui.PressKey(c.key, c.shift);
        g.ui.ProcessMessages();
        EXPECT_EQ(field->IsNull() ? "-" : field->AsString(), c.value) << c.col << " " << c.key;
        EXPECT_FALSE(g.grid->InplaceEditor() != nullptr && g.grid->InplaceEditor()->Visible());
    }
}

TEST(GridKeysCells, LeavingTheGridGivesUpAnUntouchedNewRecordButKeepsATypedOne) {
    for (bool typed : {false, true}) {
        KeyedGrid g;
        g.GoTo(5);
        g.Press(VK_DOWN);
        ASSERT_EQ(g.ds.State(), dsInsert);
        if (typed)
            g.Type("New");
        g.other->SetFocus();
        g.ui.ProcessMessages();
        EXPECT_EQ(g.ds.State(), typed ? dsInsert : dsBrowse) << typed;
        EXPECT_EQ(g.Name(), typed ? "New" : "Charlie") << typed;
    }
}

}  // namespace
