// The lookup grid dropped down from a lookup cell: its rows and width, the keys that open, move and
// close it, and what closing leaves in the cell.
#include "data_grid/column_drop_down_box.h"
#include "data_grid/popup_data_grid.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/variant.h"
#include "tests/data_grid/grid_inplace_edit_drop_down_fixture.h"

using namespace drop_down_test;

namespace {

TEST(GridEditorLookupDropDown, RowsAndWidthFollowTheColumnAndTheList) {
    struct Case {
        const char* what;
        int rows;
        int width;  // the column's DropDownWidth
        int wantRows;
    };
    const std::vector<Case> cases = {
        {"seven rows over three records", 7, 0, 3},
        {"two rows over three records", 2, 0, 2},
        {"as wide as its columns", 7, -1, 3},
        {"a set width", 7, 400, 3},
    };
    for (const Case& c : cases) {
        OrdersGrid g;
        // A narrow cell: the list's columns are wider. Its own fitting is off, so they keep their widths.
        g.Column(CustomerCol)->SetWidth(50);
        g.Column(CustomerCol)->DropDownBox()->SetAutoFitColWidths(false);
        g.Column(CustomerCol)->SetDropDownRows(c.rows);
        g.Column(CustomerCol)->SetDropDownWidth(c.width);
        TDBGridInplaceEdit& editor = g.Edit(CustomerCol);
        ASSERT_EQ(editor.ActiveEditStyle(), esDataListEh) << c.what;
        g.Press(VK_DOWN, {ssAlt});
        ASSERT_TRUE(editor.ListShown()) << c.what;
        TPopupDataGridEh* list = editor.DataList();
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(list->Visible()) << c.what;
        EXPECT_EQ(list->ListRowCount(), c.wantRows) << c.what;
        if (c.width == -1) {
            EXPECT_EQ(list->ClientWidth(), list->ColumnsWidth()) << c.what;
            EXPECT_GT(list->Width(), editor.Width()) << c.what;
        } else if (c.width > 0) {
            EXPECT_EQ(list->Width(), c.width) << c.what;
        } else {
            EXPECT_EQ(list->Width(), editor.Width()) << c.what;
            EXPECT_EQ(editor.Width(), 50) << c.what;
        }
        EXPECT_EQ(list->KeyValue().AsInteger(), 2) << c.what << ": the list stands on the cell's customer";
    }
}

TEST(GridEditorLookupDropDown, NarrowColumnsStillOpenAsWideAsTheCell) {
    OrdersGrid g;
    g.Column(CustomerCol)->SetWidth(260);
    g.Column(CustomerCol)->SetDropDownWidth(-1);
    TDBGridInplaceEdit& editor = g.Edit(CustomerCol);
    g.Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(editor.ListShown());
    EXPECT_LT(editor.DataList()->ColumnsWidth(), editor.Width());
    EXPECT_EQ(editor.DataList()->Width(), editor.Width());
}

TEST(GridEditorLookupDropDown, KeysMoveTheOpenListAndEnterOrEscCloseIt) {
    struct Case {
        const char* what;
        WORD closeKey;
        std::string wantText;
        int wantKey;
    };
    const std::vector<Case> cases = {
        {"Enter takes the customer", VK_RETURN, "Sidorov", 3},
        {"Esc gives the grid's text back", VK_ESCAPE, "Petrov", 2},
    };
    for (const Case& c : cases) {
        OrdersGrid g;
        TDBGridInplaceEdit& editor = g.Edit(CustomerCol);
        EXPECT_EQ(editor.Text(), "Petrov");
        g.Press(VK_DOWN, {ssAlt});
        ASSERT_TRUE(editor.ListShown()) << c.what;
        EXPECT_TRUE(editor.DropDownOpen());
        g.Press(VK_DOWN);
        EXPECT_TRUE(editor.ListShown()) << c.what << ": a moving key stays with the list";
        EXPECT_EQ(editor.DataList()->KeyValue().AsInteger(), 3) << c.what;
        EXPECT_EQ(editor.Text(), "Sidorov") << c.what << ": the editor shows the list's row";
        EXPECT_EQ(g.grid->EditText(), "Petrov")
            << c.what << ": the grid keeps its text while the list is open";
        g.Press(c.closeKey);
        EXPECT_FALSE(editor.ListShown()) << c.what;
        EXPECT_FALSE(editor.DataList()->Visible()) << c.what;
        EXPECT_EQ(editor.DataList()->ListSource(), nullptr) << c.what;
        EXPECT_EQ(editor.Text(), c.wantText) << c.what;
        EXPECT_EQ(g.grid->EditText(), c.wantText) << c.what;
        EXPECT_TRUE(g.grid->EditorShown()) << c.what;
        // Leaving the row writes what the cell holds.
        g.Press(VK_DOWN);
        g.orders.First();
        EXPECT_EQ(g.orders.FieldByName("CUST_ID")->AsInteger(), c.wantKey) << c.what;
        EXPECT_EQ(g.Stored("Customer"), c.wantText) << c.what;
    }
}

TEST(GridEditorLookupDropDown, AltArrowsAndCtrlEnterOpenAndClose) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(CustomerCol);
    g.Press(VK_RETURN, {ssCtrl});
    EXPECT_TRUE(editor.ListShown()) << "Ctrl+Enter opens";
    g.Press(VK_UP, {ssAlt});
    EXPECT_FALSE(editor.ListShown()) << "Alt+Up closes";
    EXPECT_EQ(g.grid->EditKeyValue().AsInteger(), 2) << "closing by Alt+Up takes the row it stands on";
    g.Press(VK_DOWN, {ssAlt});
    EXPECT_TRUE(editor.ListShown()) << "Alt+Down opens again";
}

// The customer cell's list dropped down and the row after the cell's Petrov chosen in it.
TDBGridInplaceEdit& ChooseSidorovInTheOpenList(OrdersGrid& g) {
    TDBGridInplaceEdit& editor = g.Edit(CustomerCol);
    g.Press(VK_DOWN, {ssAlt});
    g.Press(VK_DOWN);
    return editor;
}

TEST(GridEditorLookupDropDown, FocusGoingElsewhereClosesWithoutTheChoice) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = ChooseSidorovInTheOpenList(g);
    ASSERT_EQ(editor.Text(), "Sidorov");
    g.other->SetFocus();
    g.ui.ProcessMessages();
    EXPECT_FALSE(editor.ListShown());
    EXPECT_FALSE(editor.DataList()->Visible());
    g.orders.First();
    EXPECT_EQ(g.orders.FieldByName("CUST_ID")->AsInteger(), 2);
}

TEST(GridEditorLookupDropDown, CancelModeFromOutsideClosesButNotFromTheList) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(CustomerCol);
    g.Press(VK_DOWN, {ssAlt});
    editor.Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(editor.DataList()));
    EXPECT_TRUE(editor.ListShown());
    editor.Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(g.other));
    EXPECT_FALSE(editor.ListShown());
    EXPECT_EQ(editor.Text(), "Petrov");
}

TEST(GridEditorLookupDropDown, ResizedListIsRememberedByTheColumn) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = g.Edit(CustomerCol);
    g.Press(VK_DOWN, {ssAlt});
    TPopupDataGridEh& list = *editor.DataList();
    list.SetBounds(list.Left(), list.Top(), list.Width() + 40, list.Height() - list.DataRowHeight());
    ASSERT_TRUE(list.SizeGripResized());
    const int rows = list.ListRowCount();
    const int width = list.Width();
    g.Press(VK_ESCAPE);
    EXPECT_EQ(g.Column(CustomerCol)->DropDownRows(), rows);
    EXPECT_EQ(g.Column(CustomerCol)->DropDownWidth(), width);
}

}  // namespace

namespace {

TEST(GridEditorLookupDropDown, ARefusedEditShowsTheFieldsTextAndPassesTheErrorOn) {
    OrdersGrid g;
    TDBGridInplaceEdit& editor = ChooseSidorovInTheOpenList(g);
    ASSERT_EQ(editor.Text(), "Sidorov");
    g.orders.BeforeEdit = [](TDataSet*) { throw Exception("Запись занята"); };
    EXPECT_THROW(editor.CloseDropDown(true), Exception);
    EXPECT_FALSE(editor.ListShown());
    EXPECT_EQ(editor.Text(), "Petrov ") << "the field's text and a blank: the cell is not what was chosen";
    EXPECT_EQ(g.orders.State(), dsBrowse);
    EXPECT_EQ(g.grid->EditKeyValue().AsInteger(), 2);
}

}  // namespace
