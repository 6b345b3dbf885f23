// The road of a typed cell: typing opens the editor, Enter, a column move and leaving the grid
// write its text to the field, a row move posts it, Esc gives it back, a refused write keeps the
// focus, and every read-only rule leaves the dataset untouched.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/db/blob_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/database_error.h"
#include "tests/data_grid/db_grid_keys_fixture.h"
#include "tests/support/add_field.h"

using namespace grid_keys_test;

namespace {

// An editor whose cell parameters made it read-only or not, as the grid's own editor tells.
class ParamsEditor : public TInplaceEdit, public IGridCellEditorEh {
  public:
    using TInplaceEdit::TInplaceEdit;
    bool CellParamsReadOnly(bool& ReadOnly) const override {
        ReadOnly = readOnly;
        return true;
    }
    bool readOnly = true;
};

class ParamsGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    bool paramsReadOnly = true;

  protected:
    TInplaceEdit* CreateEditor() override {
        auto* editor = NewComponent<ParamsEditor>(this);
        editor->readOnly = paramsReadOnly;
        return editor;
    }
};

TEST(GridEditing, TypingOpensTheEditorAndPutsTheDatasetInEdit) {
    KeyedGrid g;
    g.GoTo(2);
    g.Type("Xy");
    ASSERT_TRUE(g.EditorShown());
    EXPECT_EQ(g.EditorText(), "Xy");
    EXPECT_EQ(g.ds.State(), dsEdit);
    EXPECT_TRUE(g.grid->DataLink()->Modified());
    EXPECT_EQ(g.grid->EditText(), "Xy");
}

TEST(GridEditing, EnterAColumnMoveOrLeavingTheGridWritesTheTextToTheField) {
    struct Case {
        const char* what;
        bool alwaysShowEditor;
        std::function<void(KeyedGrid&)> leave;
    };
    const std::vector<Case> cases = {
        {"Enter", false, [](KeyedGrid& g) { g.Press(VK_RETURN); }},
        {"Right at the end of the text", true, [](KeyedGrid& g) { g.Press(VK_RIGHT); }},
        {"Tab", false, [](KeyedGrid& g) { g.Press(VK_TAB); }},
        {"column chosen by index", false, [](KeyedGrid& g) { g.grid->SelectColumnByIndex(2); }},
        {"focus elsewhere", false,
         [](KeyedGrid& g) {
             g.other->SetFocus();
             g.ui.ProcessMessages();
         }},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        if (c.alwaysShowEditor)
            g.grid->SetOptions(g.grid->Options() + TDBGridEhOptions{gdoAlwaysShowEditorEh});
        g.GoTo(2);
        g.Type("Zed");
        c.leave(g);
        EXPECT_EQ(g.Name(), "Zed") << c.what;
        EXPECT_EQ(g.ds.State(), dsEdit) << c.what << ": written, not yet posted";
        EXPECT_EQ(g.StoredName(1), "bravo") << c.what;
    }
}

TEST(GridEditing, ARowMovePostsTheTypedText) {
    for (WORD key : {VK_DOWN, VK_UP}) {
        KeyedGrid g;
        g.GoTo(2);
        g.Type("Zed");
        g.Press(key);
        EXPECT_EQ(g.ds.State(), dsBrowse) << key;
        EXPECT_EQ(g.StoredName(1), "Zed") << key;
    }
}

TEST(GridEditing, EscGivesTheCellItsTextBackAndASecondEscEndsTheEdit) {
    KeyedGrid g;
    g.GoTo(2);
    g.Type("Zed");
    g.Press(VK_ESCAPE);
    EXPECT_EQ(g.Name(), "bravo");
    EXPECT_FALSE(g.grid->DataLink()->Modified());
    g.Press(VK_ESCAPE);
    EXPECT_EQ(g.ds.State(), dsBrowse);
    g.Press(VK_DOWN);
    EXPECT_EQ(g.StoredName(1), "bravo");
}

TEST(GridEditing, AWriteRefusedOnTheWayOutKeepsTheFocusInTheGrid) {
    KeyedGrid g;
    g.GoTo(2);
    g.Column(1)->OnUpdateData = [](TObject*, std::string& Text, Variant&, bool&, bool&) {
        if (Text == "bad")
            throw EDatabaseError("Refused");
    };
    g.Type("bad");
    EXPECT_THROW(g.other->SetFocus(), EDatabaseError);
    g.ui.ProcessMessages();
    EXPECT_TRUE(g.grid->Focused() || (g.grid->InplaceEditor() && g.grid->InplaceEditor()->Focused()));
    EXPECT_EQ(g.ds.State(), dsEdit);
}

TEST(GridEditing, ReadOnlyCellsLeaveTheDatasetAndTheLinkAsTheyWere) {
    struct Case {
        const char* what;
        std::function<void(KeyedGrid&)> setUp;
    };
    const std::vector<Case> cases = {
        {"grid", [](KeyedGrid& g) { g.grid->SetReadOnly(true); }},
        {"column", [](KeyedGrid& g) { g.Column(1)->SetReadOnly(true); }},
        {"field", [](KeyedGrid& g) { g.ds.FieldByName("NAME")->ReadOnly = true; }},
        {"no update allowed",
         [](KeyedGrid& g) {
             g.grid->SetAllowedOperations({alopInsertEh, alopAppendEh});
         }},
        {"link read-only", [](KeyedGrid& g) { g.grid->DataLink()->SetReadOnly(true); }},
    };
    for (const Case& c : cases) {
        KeyedGrid g;
        g.GoTo(2);
        c.setUp(g);
        g.Type("Zed");
        EXPECT_EQ(g.ds.State(), dsBrowse) << c.what;
        EXPECT_FALSE(g.grid->DataLink()->Modified()) << c.what;
        EXPECT_EQ(g.Name(), "bravo") << c.what;
    }
}

// The editor's cell parameters can only take editing away: a grid that refuses the cell keeps it
// refused even when the parameters let it be edited.
TEST(GridEditing, CellParametersNeverOpenACellTheGridRefuses) {
    struct Case {
        bool paramsReadOnly;
        bool gridReadOnly;
        bool edits;
    };
    const std::vector<Case> cases = {{true, false, false}, {false, true, false}, {false, false, true}};
    for (const Case& c : cases) {
        OneColumnGrid<ParamsGrid> g;
        ParamsGrid* grid = g.grid;
        grid->paramsReadOnly = c.paramsReadOnly;
        grid->SetReadOnly(c.gridReadOnly);
        TMemoryDataSet ds;
        ds.SetColumns({"NAME"});
        ds.SetColumnType(0, ftString, 20);
        ds.AddRow({Variant("bravo")});
        g.OpenColumn(ds, "NAME");
        g.Show();
        g.ui.TypeText("Zed");
        g.ui.ProcessMessages();
        EXPECT_EQ(ds.State() == dsEdit, c.edits) << c.paramsReadOnly << c.gridReadOnly;
        EXPECT_EQ(grid->DataLink()->Modified(), c.edits) << c.paramsReadOnly << c.gridReadOnly;
        ASSERT_NE(grid->InplaceEditor(), nullptr);
        EXPECT_EQ(grid->InplaceEditor()->Text(), c.edits ? "Zed" : "bravo");
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
    }
}

TEST(GridEditing, BlobAndLookupCellsAreEditedOnlyWhenTheirFieldsAllowIt) {
    struct Case {
        const char* what;
        bool memoAsText;
        bool keysReadOnly;
        const char* field;
        bool edits;
    };
    const std::vector<Case> cases = {
        {"memo as a blob", false, false, "NOTE", false},
        {"memo as text", true, false, "NOTE", true},
        {"lookup with a read-only key", false, true, "KIND_NAME", false},
    };
    for (const Case& c : cases) {
        OneColumnGrid<> g;
        TCustomDBGridEh* grid = g.grid;
        grid->SetMemoAsText(c.memoAsText);
        TMemoryDataSet kinds;
        kinds.SetColumns({"KIND", "TITLE"});
        kinds.SetColumnType(0, ftInteger);
        kinds.SetColumnType(1, ftString, 20);
        kinds.AddRow({Variant(1), Variant("first")});
        kinds.Open();
        TMemoryDataSet ds;
        ds.SetColumns({"NOTE", "KIND"});
        ds.SetColumnType(0, ftMemo);
        ds.SetColumnType(1, ftInteger);
        ds.AddRow({Variant("note"), Variant(1)});
        AddField<TMemoField>(ds, "NOTE");
        AddField<TIntegerField>(ds, "KIND")->ReadOnly = c.keysReadOnly;
        AddLookupField<TStringField>(ds, "KIND_NAME", 20, kinds, "KIND", "KIND", "TITLE");
        g.OpenColumn(ds, c.field);
        g.Show();
        g.ui.TypeText("Zed");
        g.ui.ProcessMessages();
        EXPECT_EQ(ds.State() == dsEdit, c.edits) << c.what;
        EXPECT_EQ(grid->DataLink()->Modified(), c.edits) << c.what;
        grid->SetDataSource(nullptr);
        ds.BeforeDestruction();
        kinds.BeforeDestruction();
    }
}

}  // namespace
