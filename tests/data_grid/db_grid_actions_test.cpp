// The standard edit actions on a focused grid: each is enabled exactly when the grid's state lets
// it run, and executing one runs the grid's clipboard or delete operation.
#include "data_grid/grid_clipboard.h"
#include "data_grid/grid_selection.h"
#include "platform/ui/action.h"
#include "platform/ui/clipboard.h"
#include "tests/data_grid/db_grid_mouse_fixture.h"

namespace grid_mouse_test {
namespace {

// Stands for one of the window system's standard edit actions, known by its class name.
class StandardAction : public TCustomAction {
  public:
    explicit StandardAction(std::string Name) : name_(std::move(Name)) {}
    std::string ClassName() const override { return name_; }

  private:
    std::string name_;
};

enum class Sel { None, Rows, Columns, All };

struct ActionCase {
    const char* name;
    Sel selection;
    bool readOnly;
    TDBGridEhAllowedOperations operations;
    bool clipboardText;
    bool allowSelectAll;
    // Enabled: cut, copy, paste, delete, select all.
    bool cut, copy, paste, del, selectAll;
};

constexpr TDBGridEhAllowedOperations allOps{alopInsertEh, alopUpdateEh, alopDeleteEh, alopAppendEh};

const ActionCase actionCases[] = {
    {"nothing selected", Sel::None, false, allOps, true, true, false, false, true, false, true},
    {"rows selected", Sel::Rows, false, allOps, true, true, true, true, true, true, true},
    {"rows selected, read-only grid", Sel::Rows, true, allOps, true, true, false, true, false, false, true},
    {"rows selected, deleting not allowed",
     Sel::Rows,
     false,
     {alopUpdateEh},
     true,
     true,
     false,
     true,
     true,
     false,
     true},
    {"columns selected, updating not allowed",
     Sel::Columns,
     false,
     {alopDeleteEh},
     true,
     true,
     false,
     true,
     false,
     false,
     true},
    {"columns selected, updating allowed",
     Sel::Columns,
     false,
     {alopUpdateEh},
     true,
     true,
     true,
     true,
     true,
     true,
     true},
    {"whole grid, empty clipboard", Sel::All, false, allOps, false, true, true, true, false, true, true},
    {"selecting all not allowed", Sel::None, false, allOps, true, false, false, false, true, false, false},
};

class GridActionTest : public GridMouseTest, public ::testing::WithParamInterface<ActionCase> {
  protected:
    TDBGridEhClipboardActions handler;
};

TEST_P(GridActionTest, UpdateEnablesEachEditActionOnlyWhenItCanRun) {
    const ActionCase& c = GetParam();
    grid->SetEditActionsHandler(&handler);
    grid->SetEditActions({geaCutEh, geaCopyEh, geaPasteEh, geaDeleteEh, geaSelectAllEh});
    grid->SetOptions(grid->Options() + TDBGridEhOptions{gdoMultiSelectEh});
    grid->SetReadOnly(c.readOnly);
    grid->SetAllowedOperations(c.operations);
    if (!c.allowSelectAll)
        grid->SetAllowedSelections({gskRowsEh, gskRectangleEh, gskColumnsEh});
    Clipboard()->Clear();
    if (c.clipboardText)
        Clipboard()->SetAsText("x");
    auto* selection = static_cast<TDBGridEhSelection*>(grid->Selection());
    if (c.selection == Sel::Rows)
        grid->SelectedRows()->SelectCurrentRow(true);
    else if (c.selection == Sel::Columns)
        selection->Columns().SelectColumn(Column(1), false);
    else if (c.selection == Sel::All)
        selection->SelectWholeGrid();
    ui.ProcessMessages();
    ASSERT_TRUE(grid->Focused());
    const std::pair<const char*, bool> expected[] = {{"TEditCut", c.cut},
                                                     {"TEditCopy", c.copy},
                                                     {"TEditPaste", c.paste},
                                                     {"TEditDelete", c.del},
                                                     {"TEditSelectAll", c.selectAll}};
    for (const auto& [name, enabled] : expected) {
        StandardAction action(name);
        action.Enabled = !enabled;
        EXPECT_TRUE(grid->UpdateAction(&action)) << name;
        EXPECT_EQ(action.Enabled, enabled) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(States, GridActionTest, ::testing::ValuesIn(actionCases),
                         [](const auto& info) { return "State" + std::to_string(info.index); });

class GridActionRunTest : public GridMouseTest {
  protected:
    TDBGridEhClipboardActions handler;
};

// Executing runs the operation only on the focused grid; another action is left to others.
TEST_F(GridActionRunTest, ExecuteServesStandardActionsOnlyWhileFocused) {
    grid->SetEditActionsHandler(&handler);
    grid->SetEditActions({geaCopyEh, geaSelectAllEh});
    StandardAction selectAll("TEditSelectAll");
    EXPECT_TRUE(grid->ExecuteAction(&selectAll));
    EXPECT_EQ(grid->Selection()->Kind(), gskAllEh);
    StandardAction other("TFileOpen");
    EXPECT_FALSE(grid->ExecuteAction(&other));
    grid->Selection()->Clear();
    StandardAction del("TEditDelete");
    EXPECT_FALSE(grid->ExecuteAction(&del)) << "delete is not among the grid's edit actions";
    grid->mayFocus = false;
    form->SetActiveControl(nullptr);
    ui.ProcessMessages();
    ASSERT_FALSE(grid->Focused());
    EXPECT_FALSE(grid->ExecuteAction(&selectAll));
    EXPECT_EQ(grid->Selection()->Kind(), gskNoneEh);
}

}  // namespace
}  // namespace grid_mouse_test
