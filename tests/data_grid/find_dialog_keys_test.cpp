// The find dialog's keys in modeless and modal use, its one instance per program, its controls, and
// what it does when its grid or the grid's columns go away while it is open.
#include "platform/rtl/timer.h"
#include "platform/ui/label.h"
#include "tests/data_grid/find_dialog_fixture.h"

namespace find_dialog_test {
namespace {

TEST(FindDialogKeys, ModelessEnterSearchesAndEscClosesOnceTheTextIsNoLongerModified) {
    GridWithFindDialog g;
    TDBGridEhFindDlg& dialog = g.Open();
    ASSERT_EQ(dialog.ActiveControl(), dialog.cbText);
    EXPECT_EQ(dialog.FormStyle(), fsStayOnTop);
    dialog.cbFindIn->SetItemIndex(dialog.cbFindIn->Items()->Count() - 1);
    g.ui.TypeText("омск");
    // Esc in an edit whose text was typed stays with the edit.
    g.ui.PressKey(VK_ESCAPE);
    EXPECT_TRUE(dialog.Visible());
    dialog.cbText->SetText("омск");
    g.ui.PressKey(VK_RETURN);
    EXPECT_EQ(g.RecordId(), 3);
    EXPECT_EQ(g.CurrentColumn(), "CITY");
    EXPECT_FALSE(dialog.cbText->Modified());
    g.ui.PressKey(VK_ESCAPE);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(g.ui.System().WindowShown(dialog));
}

TEST(FindDialogKeys, AClickOnFindSearchesOnceAndEnterOnTheFocusedButtonToo) {
    GridWithFindDialog g;
    TDBGridEhFindDlg& dialog = g.Open("бор");
    dialog.cbFindIn->SetItemIndex(dialog.cbFindIn->Items()->Count() - 1);
    g.ui.Click(dialog.bFind);
    EXPECT_EQ(g.RecordId(), 3);
    ASSERT_EQ(dialog.ActiveControl(), dialog.bFind);
    g.ui.PressKey(VK_RETURN);
    EXPECT_EQ(g.RecordId(), 4);
    EXPECT_TRUE(g.Messages().empty());
}

TEST(FindDialogKeys, AnOpenDropDownKeepsEnterAndEsc) {
    GridWithFindDialog g;
    TDBGridEhFindDlg& dialog = g.Open("омск");
    dialog.cbFindIn->SetItemIndex(dialog.cbFindIn->Items()->Count() - 1);
    dialog.cbText->Items()->Add("курск");
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        g.GoTo(1);
        g.ui.PressKey(VK_DOWN, {ssAlt});
        ASSERT_TRUE(dialog.cbText->ListVisible());
        g.ui.PressKey(key);
        EXPECT_FALSE(dialog.cbText->ListVisible());
        EXPECT_TRUE(dialog.Visible());
        EXPECT_EQ(g.RecordId(), 1);
        EXPECT_TRUE(g.Messages().empty());
    }
}

// Runs steps one per timer tick while a modal loop waits.
void RunFromTimer(TComponent* owner, std::vector<std::function<void()>> steps) {
    auto* timer = NewComponent<TTimer>(owner);
    timer->SetInterval(10);
    timer->OnTimer = [timer, steps, next = std::size_t{0}](TObject*) mutable {
        if (next + 1 >= steps.size())
            timer->SetEnabled(false);
        steps[next++]();
    };
}

TEST(FindDialogKeys, ModalEnterSearchesAndEscClosesThroughTheCancelButton) {
    GridWithFindDialog g;
    g.SelectColumn("CITY");
    bool sawModal = false;
    RunFromTimer(g.form, {[&] {
                              TDBGridEhFindDlg& dialog = *GridFindDialog();
                              sawModal = dialog.Modal() && dialog.FormStyle() == fsNormal;
                              g.ui.PressKey(VK_RETURN);
                          },
                          [&] { g.ui.PressKey(VK_ESCAPE); }});
    DBGridEhUnit()->FindHook(g.grid, "омск", {}, true);
    EXPECT_TRUE(sawModal);
    EXPECT_EQ(g.RecordId(), 3);
    EXPECT_FALSE(GridFindDialog()->Visible());
    EXPECT_EQ(GridFindDialog()->ModalResult(), mrCancel);
}

TEST(FindDialogKeys, OneDialogServesEveryGridAndKeepsItsSettings) {
    GridWithFindDialog g;
    EXPECT_EQ(GridFindDialog(), nullptr);
    TDBGridEhFindDlg& first = g.Open("омск");
    EXPECT_EQ(first.Owner(), Application);
    first.cbCharCase->SetChecked(true);
    first.cbFindDirection->SetItemIndex(fdDownEh);
    g.ui.PressKey(VK_RETURN);
    auto* other = NewComponent<TCustomDBGridEh>(g.form);
    other->SetParent(g.form);
    TDBGridEhFindDlg& again = *(DBGridEhUnit()->FindHook(other, "", {}, false), GridFindDialog());
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.FindGrid(), other);
    EXPECT_TRUE(again.cbCharCase->Checked());
    EXPECT_EQ(again.cbFindDirection->ItemIndex(), fdDownEh);
    EXPECT_EQ(again.cbText->Items()->CommaText(), "омск");
    // A grid without a data source: the click only records the pattern.
    again.cbText->SetText("курск");
    g.ui.PressKey(VK_RETURN);
    EXPECT_EQ(again.cbText->Items()->CommaText(), "омск,курск");
}

TEST(FindDialogKeys, AFreedGridIsForgottenAndNothingOfItIsSearched) {
    GridWithFindDialog g;
    TDBGridEhFindDlg& dialog = g.Open("омск");
    g.grid->SetDataSource(nullptr);
    Free(g.grid);
    g.grid = nullptr;
    EXPECT_EQ(dialog.FindGrid(), nullptr);
    EXPECT_EQ(dialog.SearchColumns().Count(), 0);
    EXPECT_EQ(dialog.cbFindIn->Items()->CommaText(), "<All>");
    g.ui.PressKey(VK_RETURN);
    EXPECT_TRUE(g.Messages().empty());
}

TEST(FindDialogKeys, ColumnsMadeAnewWhileTheDialogIsOpenAreSearchedInstead) {
    GridWithFindDialog g;
    g.SelectColumn("CITY");
    TDBGridEhFindDlg& dialog = g.Open("тверь");
    ASSERT_EQ(dialog.cbFindIn->Text(), "CITY");
    auto& columns = static_cast<TDBGridColumnsEh&>(*g.grid->Columns());
    columns.Clear();
    for (const char* name : {"CITY", "NAME"}) columns.Add()->SetFieldName(name);
    g.ui.ProcessMessages();
    g.GoTo(1);
    g.ui.PressKey(VK_RETURN);
    EXPECT_EQ(g.RecordId(), 2);
    EXPECT_EQ(g.CurrentColumn(), "CITY");
    ASSERT_EQ(dialog.SearchColumns().Count(), 1);
    EXPECT_EQ(dialog.SearchColumns().ColumnAt(0), columns.ColumnAt(0));
    EXPECT_EQ(dialog.cbFindIn->Items()->CommaText(), "CITY,NAME,<All>");
}

TEST(FindDialogForm, ControlsStandWhereTheLayoutAt120PixelsPerInchPutsThemOnThisScreen) {
    GridWithFindDialog g;
    TDBGridEhFindDlg& dialog = g.Open();
    EXPECT_EQ(dialog.Caption(), "Поиск");
    EXPECT_EQ(dialog.BorderStyle(), bsDialog);
    EXPECT_TRUE(dialog.KeyPreview);
    // The box column starts after the widest label at its font, and the dialog widens with it.
    EXPECT_EQ(dialog.ClientWidth(), 505);
    EXPECT_EQ(dialog.ClientHeight(), 122);
    struct Expected {
        TControl* control;
        const char* name;
        TRect bounds;  // at 96 pixels per inch; the edits take the height of their font
        const char* text;
    };
    const Expected controls[] = {
        {dialog.cbText, "cbText", Bounds(93, 9, 311, 21), ""},
        {dialog.bFind, "bFind", Bounds(413, 9, 81, 22), "На&йти далее"},
        {dialog.bCancel, "bCancel", Bounds(413, 37, 81, 22), "Закрыть"},
        {dialog.cbFindIn, "cbFindIn", Bounds(93, 31, 190, 21), "ID"},
        {dialog.cbMatchinType, "cbMatchinType", Bounds(93, 54, 142, 21), "С любой части поля"},
        {dialog.cbFindDirection, "cbFindDirection", Bounds(93, 78, 142, 21), "Все"},
        {dialog.cbCharCase, "cbCharCase", Bounds(93, 103, 142, 14), "С учетом ре&гистра"},
        {dialog.cbUseFormat, "cbUseFormat", Bounds(263, 103, 142, 14), "С у&четом формата"},
    };
    for (const Expected& e : controls) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.control->Name(), e.name);
        EXPECT_EQ(e.control->BoundsRect(), e.bounds);
        EXPECT_EQ(e.control->Caption(), e.text);
    }
    struct Label {
        TLabel* label;
        const char* caption;
        TWinControl* labelled;
    };
    const Label labels[] = {{dialog.Label1, "&Образец:", dialog.cbText},
                            {dialog.Label2, "&Поиск в:", dialog.cbFindIn},
                            {dialog.cbMatchType, "&Совпадение:", dialog.cbMatchinType},
                            {dialog.Label3, "Прос&мотр:", dialog.cbFindDirection}};
    for (const Label& l : labels) {
        EXPECT_EQ(l.label->Caption(), l.caption);
        EXPECT_EQ(l.label->FocusControl, l.labelled);
        EXPECT_TRUE(l.label->ShowAccelChar);
    }
    EXPECT_EQ(dialog.Label1->Left(), 10);
    EXPECT_EQ(dialog.Label3->Top(), 81);
    EXPECT_FALSE(dialog.cbCharCase->Checked());
    EXPECT_TRUE(dialog.cbUseFormat->Checked());
    EXPECT_EQ(dialog.bCancel->ModalResult, mrCancel);
    EXPECT_TRUE(dialog.bCancel->Cancel);
    std::vector<TWinControl*> order;
    dialog.GetTabOrderList(order);
    const std::vector<TWinControl*> expected = {
        dialog.cbText,     dialog.cbFindIn,    dialog.cbMatchinType, dialog.cbFindDirection,
        dialog.cbCharCase, dialog.cbUseFormat, dialog.bFind,         dialog.bCancel};
    EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace find_dialog_test
