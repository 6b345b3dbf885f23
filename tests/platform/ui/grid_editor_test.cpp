// The in-place editor: opened by typing, F2 and Enter, closed by Enter and Esc, its calls to the grid
// in the order they come, the mask and limit the grid gives, and keys handed back to the grid.
#include "grid_fixture.h"
#include "platform/ui/virtual_keys.h"

namespace {

using Log = std::vector<std::string>;

class GridEditorTest : public GridTest {
  protected:
    void SetUp() override {
        GridTest::SetUp();
        grid->SetOptions(grid->Options() + TGridOptions{goEditing});
        grid->Logging = true;
    }
    TInplaceEdit* Editor() const { return grid->InplaceEditor(); }
    bool EditorShown() const { return Editor() != nullptr && Editor()->Visible(); }
};

TEST_F(GridEditorTest, TypingOpensTheEditorOverTheCellAndEveryChangeGoesToIt) {
    ui.TypeText("x");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(1, 1));
    EXPECT_TRUE(Editor()->Focused());
    EXPECT_EQ(Editor()->Text(), "x");
    EXPECT_EQ(grid->Log,
              (Log{"CanEditShow yes", "GetEditMask 1,1", "GetEditText 1,1", "GetEditLimit", "CanEditShow yes",
                   "CanEditAcceptKey x", "CanEditModify", "SetEditText 1,1 x"}));
    grid->Log.clear();
    ui.TypeText("y");
    EXPECT_EQ(grid->Log, (Log{"CanEditAcceptKey y", "CanEditModify", "SetEditText 1,1 xy"}));
    EXPECT_EQ(grid->Text(1, 1), "xy");
}

TEST_F(GridEditorTest, EscPutsTheCellsTextBackAndClosesTheEditor) {
    ui.TypeText("xy");
    grid->Log.clear();
    ui.PressKey(VK_ESCAPE);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->Text(1, 1), "B1");
    Log written;
    for (const std::string& call : grid->Log)
        if (call.starts_with("SetEditText"))
            written.push_back(call);
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.back(), "SetEditText 1,1 B1");
}

TEST_F(GridEditorTest, F2OpensTheCellsTextWithTheCaretAtTheEndAndEnterClosesIt) {
    ui.PressKey(VK_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "B1");
    EXPECT_EQ(Editor()->SelLength(), 0);
    ui.TypeText("z");
    EXPECT_EQ(grid->Text(1, 1), "B1z");
    ui.PressKey(VK_RETURN);
    EXPECT_FALSE(EditorShown());
    EXPECT_TRUE(grid->Focused());
    // Enter opens it again, all text selected.
    ui.PressKey(VK_RETURN);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->SelLength(), 3);
}

TEST_F(GridEditorTest, TheGridsMaskLimitAndKeyRulesApply) {
    struct Case {
        const char* mask;
        int limit;
        const char* rejected;
        bool modifiable;
        const char* typed;
        const char* text;
    } cases[] = {
        {"", 3, "", true, "abcd", "abc"},
        {"00;0;_", 0, "", true, "a1b2c3", "12"},
        {"", 0, "q", true, "aqb", "ab"},
        {"", 0, "", false, "ab", "B1"},
    };
    for (const Case& c : cases) {
        grid->Mask = c.mask;
        grid->Limit = c.limit;
        grid->RejectedChars = c.rejected;
        grid->Modifiable = c.modifiable;
        grid->Cells[{1, 1}] = "B1";
        grid->InvalidateEditor();
        grid->SetFocus();
        ui.TypeText(c.typed);
        ASSERT_TRUE(EditorShown()) << c.typed;
        EXPECT_EQ(Editor()->Text(), c.text) << c.typed;
        EXPECT_EQ(Editor()->MaxLength(), c.limit);
        EXPECT_EQ(Editor()->EditMask(), c.mask);
        ui.PressKey(VK_RETURN);
        EXPECT_EQ(grid->Text(1, 1), c.text) << c.typed;
    }
}

TEST_F(GridEditorTest, RowKeysGoToTheGridAndTheEditorFollowsWhenAlwaysShown) {
    ui.PressKey(VK_F2);
    ui.PressKey(VK_DOWN);
    EXPECT_EQ(Current(), (TGridCoord{1, 2}));
    EXPECT_FALSE(EditorShown()) << "moving closes the editor";

    grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor});
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "B2");
    ui.PressKey(VK_DOWN);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "B3");
    EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(1, 3));
    // Left and Right leave the cell only from the ends of the text.
    Editor()->SetSelStart(1);
    Editor()->SetSelLength(0);
    ui.PressKey(VK_RIGHT);
    EXPECT_EQ(Current(), (TGridCoord{1, 3}));
    ui.PressKey(VK_RIGHT);
    EXPECT_EQ(Current(), (TGridCoord{2, 3}));
    EXPECT_EQ(Editor()->Text(), "C3");
}

TEST_F(GridEditorTest, ClickingTheCurrentCellOpensTheEditorAndAnotherCellMovesThere) {
    TRect cell = grid->CellRect(2, 2);
    Press({cell.Left + 5, cell.Top + 5});
    Release({cell.Left + 5, cell.Top + 5});
    EXPECT_EQ(Current(), (TGridCoord{2, 2}));
    EXPECT_FALSE(EditorShown());
    ui.Advance(1000);  // not a double click
    Press({cell.Left + 5, cell.Top + 5});
    Release({cell.Left + 5, cell.Top + 5});
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "C2");
}

TEST_F(GridEditorTest, ScrollingCarriesTheEditorWithItsCellAndHidesItOutOfView) {
    grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor});
    grid->SetCol(2);
    ASSERT_TRUE(EditorShown());
    grid->SetLeftCol(2);
    EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(2, 1));
    grid->SetLeftCol(3);
    EXPECT_FALSE(Editor()->Visible());
}

// An editor that reloads its text from elsewhere, as a drop-down list would.
class TReloadingEdit : public TInplaceEdit {
  public:
    using TInplaceEdit::TInplaceEdit;
    void Reload(const std::string& text) {
        SetChangeGuard(true);
        SetText(text);
        SetChangeGuard(false);
        Deselect();
    }
};

TEST_F(GridEditorTest, ADerivedEditorReloadsItsTextBehindItsChangeGuard) {
    TReloadingEdit* made = nullptr;
    grid->EditorFactory = [&made](TTextGrid* owner) { return made = NewComponent<TReloadingEdit>(owner); };
    ui.PressKey(VK_F2);
    ASSERT_EQ(Editor(), made);
    grid->Log.clear();
    made->Reload("from the list");
    EXPECT_TRUE(grid->Log.empty());
    EXPECT_EQ(grid->Text(1, 1), "B1");
    ui.TypeText("!");
    EXPECT_EQ(grid->Text(1, 1), "from the list!");
}

TEST_F(GridEditorTest, TheWheelOverTheEditorMovesTheGridsRow) {
    grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor});
    ASSERT_TRUE(EditorShown());
    ASSERT_TRUE(Editor()->Focused());
    platform::ui::PostMouseWheel(*form, {}, -120, FormPoint({60, 30}));
    ui.ProcessMessages();
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(Editor()->Text(), "B2");
}

TEST_F(GridEditorTest, FreeingTheEditorOrTheGridWhileTheEditorHasTheFocus) {
    ui.PressKey(VK_F2);
    ASSERT_TRUE(Editor()->Focused());
    Free(Editor());
    ui.ProcessMessages();
    EXPECT_EQ(Editor(), nullptr);
    grid->SetFocus();
    ui.TypeText("q");
    ASSERT_TRUE(EditorShown()) << "a new editor is made";
    EXPECT_EQ(grid->Text(1, 1), "q");
    Free(grid);
    ui.ProcessMessages();
    EXPECT_EQ(form->ControlCount(), 0);
}

}  // namespace
