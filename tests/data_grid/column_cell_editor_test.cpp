// The grid's own answers about its in-place editor, over a real editor on a shown form: a step
// takes the editor's text while it shows, and the MRU list remembers stored texts only then.
#include <string>

#include "data_controls/mru_list.h"
#include "platform/ui/inplace_edit.h"
#include "tests/data_grid/column_cell_fixture.h"

namespace {

struct EditorCells : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TCustomDBGridEh* grid = nullptr;
    TMemoryDataSet ds;
    TDataSource* source = nullptr;

    EditorCells() {
        Application->CreateForm(&form);
        form->SetBounds(0, 0, 500, 300);
        grid = NewComponent<TCustomDBGridEh>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 240);
        ds.SetColumns({"QTY"});
        ds.SetColumnType(0, ftInteger);
        ds.AddRow({Variant(4)});
        source = NewComponent<TDataSource>(form);
        source->SetDataSet(&ds);
        ds.Open();
        grid->SetDataSource(source);
        form->Show();
        ui.ProcessMessages();
    }
    ~EditorCells() override {
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
};

TEST_F(EditorCells, StepsTakeTheShownEditorsTextAndTheMRUListRemembersIt) {
    TColumnEh* column = static_cast<TDBGridColumnsEh&>(*grid->Columns()).Add();
    column->SetFieldName("QTY");
    column->MRUList()->SetActive(true);
    std::string heard;
    column->OnUpdateData = [&](TObject*, std::string& Text, Variant&, bool&, bool&) { heard = Text; };
    EXPECT_FALSE(grid->EditorShown());
    column->StepValue(1);
    EXPECT_EQ(heard, "4") << "the field's text without an editor";
    EXPECT_EQ(column->MRUList()->Items()->Count(), 0);
    ds.Cancel();

    grid->SetFocus();
    grid->ShowCellEditor();
    ui.ProcessMessages();
    ASSERT_TRUE(grid->EditorShown());
    EXPECT_TRUE(grid->EditorShowing());
    // Typing happens in edit mode: entering it reloads the editor.
    ASSERT_TRUE(column->IsEditable(true));
    grid->InplaceEditor()->SetText("12");
    EXPECT_EQ(grid->EditorText(), "12");
    column->StepValue(1);
    EXPECT_EQ(heard, "12");
    EXPECT_EQ(ds.FieldByName("QTY")->AsInteger(), 5);
    ASSERT_EQ(column->MRUList()->Items()->Count(), 1);
    EXPECT_EQ(column->MRUList()->Items()->Get(0), "12");

    // Shown but not on screen: the form is hidden.
    form->Hide();
    ui.ProcessMessages();
    ASSERT_TRUE(grid->EditorShown());
    EXPECT_FALSE(grid->EditorShowing());
    column->PutCellValue("30", Variant(30), false);
    EXPECT_EQ(ds.FieldByName("QTY")->AsInteger(), 30);
    EXPECT_EQ(column->MRUList()->Items()->Count(), 1);
}

}  // namespace
