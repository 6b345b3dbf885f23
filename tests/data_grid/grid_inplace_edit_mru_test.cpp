// The column's remembered texts offered by the grid editor while the user types: which texts the
// list shows, the keys and clicks that choose one or close it, and what it leaves for next time.
#include "data_controls/mru_list.h"
#include "data_controls/mru_listbox.h"
#include "tests/data_grid/grid_inplace_edit_drop_down_fixture.h"

using namespace drop_down_test;

namespace {

struct RememberingGrid : OrdersGrid {
    TMRUListEh& mru;
    RememberingGrid() : mru(*Column(NoteCol)->MRUList()) {
        mru.SetActive(true);
        for (const char* text : {"first call", "second", "Fax"}) mru.Items()->Add(text);
        orders.Next();  // its note is empty
    }
    TMRUListboxEh* List(TDBGridInplaceEdit& editor) { return editor.MRUListBox(); }
    std::vector<std::string> Shown(TDBGridInplaceEdit& editor) {
        std::vector<std::string> shown;
        TStrings& items = *editor.MRUListBox()->Items();
        for (int i = 0; i < items.Count(); ++i) shown.push_back(items[i]);
        return shown;
    }
};

TEST(GridEditorMRUList, TypingOffersTheTextsThatBeginSoAndFollowsTheTyping) {
    RememberingGrid g;
    TDBGridInplaceEdit& editor = g.Edit(NoteCol);
    EXPECT_FALSE(g.mru.DroppedDown());
    g.Type("f");
    ASSERT_TRUE(g.mru.DroppedDown());
    TMRUListboxEh& list = *g.List(editor);
    EXPECT_TRUE(list.Visible());
    EXPECT_EQ(g.Shown(editor), (std::vector<std::string>{"Fax", "first call"}))
        << "any letter case, in order";
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.ItemIndex(), -1);
    TRect text;
    editor.Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(list.Width(), text.Width());
    EXPECT_EQ(list.Left(), editor.ClientToScreen({text.Left, 0}).X);
    g.Type("i");
    EXPECT_EQ(g.Shown(editor), (std::vector<std::string>{"first call"}));
    g.Type("x");
    EXPECT_FALSE(g.mru.DroppedDown()) << "nothing begins so";
    EXPECT_FALSE(list.Visible());
}

TEST(GridEditorMRUList, KeysChooseOrCloseAndKeepTheRecordInEdit) {
    struct Case {
        const char* what;
        WORD key;
        std::string wantText;
    };
    const std::vector<Case> cases = {
        {"Enter takes the chosen text", VK_RETURN, "first call"},
        {"Esc keeps the typed text", VK_ESCAPE, "f"},
    };
    for (const Case& c : cases) {
        RememberingGrid g;
        TDBGridInplaceEdit& editor = g.Edit(NoteCol);
        g.Type("f");
        g.Press(VK_DOWN);
        g.Press(VK_DOWN);
        ASSERT_TRUE(g.mru.DroppedDown()) << c.what;
        EXPECT_EQ(g.List(editor)->ItemIndex(), 1) << c.what << ": moving keys go to the list";
        g.Press(c.key);
        EXPECT_FALSE(g.mru.DroppedDown()) << c.what;
        EXPECT_EQ(editor.Text(), c.wantText) << c.what;
        EXPECT_EQ(g.grid->EditText(), c.wantText) << c.what;
        EXPECT_EQ(g.orders.State(), dsEdit) << c.what << ": the grid never saw the key";
        EXPECT_TRUE(g.grid->EditorShown()) << c.what;
    }
}

TEST(GridEditorMRUList, AClickChoosesAndLeavingClosesWithoutChoosing) {
    RememberingGrid g;
    TDBGridInplaceEdit& editor = g.Edit(NoteCol);
    g.Type("s");
    TMRUListboxEh& list = *g.List(editor);
    g.ui.ClickAt(&list, {4, list.ItemHeight() / 2});
    EXPECT_FALSE(g.mru.DroppedDown());
    EXPECT_EQ(editor.Text(), "second");

    editor.SetText("");
    g.Type("F");
    ASSERT_TRUE(g.mru.DroppedDown());
    editor.Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(&list));
    EXPECT_TRUE(g.mru.DroppedDown()) << "a press in the list itself";
    g.other->SetFocus();
    g.ui.ProcessMessages();
    EXPECT_FALSE(g.mru.DroppedDown());
    EXPECT_FALSE(list.Visible());
}

TEST(GridEditorMRUList, BackspaceThatEmptiesTheTextOffersEveryText) {
    RememberingGrid g;
    TDBGridInplaceEdit& editor = g.Edit(NoteCol);
    g.Type("x");
    ASSERT_FALSE(g.mru.DroppedDown());
    g.Press(VK_BACK);
    EXPECT_EQ(editor.Text(), "");
    EXPECT_TRUE(g.mru.DroppedDown());
    EXPECT_EQ(g.Shown(editor).size(), 3u);

    // While it is open, deleting follows the text, and an emptied text closes it.
    g.Type("se");
    ASSERT_EQ(g.Shown(editor), (std::vector<std::string>{"second"}));
    g.Press(VK_BACK);
    EXPECT_TRUE(g.mru.DroppedDown());
    EXPECT_EQ(g.Shown(editor), (std::vector<std::string>{"second"}));
    g.Press(VK_BACK);
    EXPECT_EQ(editor.Text(), "");
    EXPECT_FALSE(g.mru.DroppedDown());
}

TEST(GridEditorMRUList, OpeningADropDownClosesIt) {
    OrdersGrid g;
    g.Column(DayCol)->MRUList()->SetActive(true);
    g.Column(DayCol)->MRUList()->Items()->Add("01.01.2020");
    TDBGridInplaceEdit& editor = g.Edit(DayCol);
    editor.SelectAll();
    g.Type("0");
    ASSERT_TRUE(g.Column(DayCol)->MRUList()->DroppedDown());
    g.Press(VK_DOWN, {ssAlt});
    EXPECT_TRUE(editor.ListShown());
    EXPECT_FALSE(g.Column(DayCol)->MRUList()->DroppedDown());
    EXPECT_FALSE(editor.MRUListBox()->Visible());
}

TEST(GridEditorMRUList, TheUsersSizeIsKeptAndItsWidthUsedWhenWider) {
    RememberingGrid g;
    TDBGridInplaceEdit& editor = g.Edit(NoteCol);
    g.Type("f");
    TMRUListboxEh& list = *g.List(editor);
    const int wider = list.Width() + 60;
    list.SetBounds(list.Left(), list.Top(), wider, list.Height());
    editor.MRUListBoxResized(&list);
    EXPECT_EQ(g.mru.Width(), wider);
    EXPECT_EQ(g.mru.Rows(), list.RowCount());
    g.Press(VK_ESCAPE);
    g.Type("i");
    ASSERT_TRUE(g.mru.DroppedDown());
    EXPECT_EQ(list.Width(), wider);
}

TEST(GridEditorMRUList, AcceptMRUItemComparesByTheSettingsAndAsksTheFilter) {
    struct Case {
        const char* what;
        bool caseSensitive;
        const char* item;
        bool filterSays;  // the filter hook turns the answer round for "Fax"
        bool want;
    };
    const std::vector<Case> cases = {
        {"same start", false, "first call", false, true},
        {"other case, insensitive", false, "First", false, true},
        {"other case, sensitive", true, "First", false, false},
        {"shorter than the text", false, "f", false, false},
        {"the filter's word", false, "Fax", true, false},
    };
    for (const Case& c : cases) {
        RememberingGrid g;
        TDBGridInplaceEdit& editor = g.Edit(NoteCol);
        g.mru.SetCaseSensitive(c.caseSensitive);
        TObject* sender = nullptr;
        if (c.filterSays)
            g.mru.OnFilterItem = [&](TObject* Sender, const std::string& Text, bool& Accept) {
                sender = Sender;
                if (Text == "Fax")
                    Accept = !Accept;
            };
        editor.SetText(c.filterSays ? "fa" : "fi");
        bool accept = !c.want;
        editor.AcceptMRUItem(c.item, accept);
        EXPECT_EQ(accept, c.want) << c.what;
        if (c.filterSays) {
            EXPECT_EQ(sender, g.Column(NoteCol)) << c.what;
        }
    }
}

}  // namespace
