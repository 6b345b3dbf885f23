// The find dialog's loading for a grid, its scope list and its keys; the one dialog of the program
// and the grid's find hook.
#include "data_grid/find_dialog.h"

#include "data_controls/db_combo_box.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid.h"
#include "platform/ui/application.h"
#include "platform/ui/push_button.h"
#include "platform/ui/virtual_keys.h"

namespace {

constexpr const char* AllColumnsItem = "<All>";
constexpr const char* DialogName = "DBGridEhFindDlg";

TColumnEh* GridColumnAt(TCustomDBGridEh& Grid, int Index) {
    IGridColumnsEh* columns = Grid.ColumnsPart();
    if (columns == nullptr || Index < 0 || Index >= columns->Count())
        return nullptr;
    return dynamic_cast<TColumnEh*>(columns->Items(Index));
}

}  // namespace

void TDBGridEhFindDlg::LoadFromGrid(TCustomDBGridEh* Grid, const std::string& Text, bool Modal,
                                    const TColumnFieldsArrEh& ColumnFields) {
    searchColumnIndex_ = -1;
    cbText->SetText(Text);
    SetFindGrid(Grid);
    columnFields_ = ColumnFields;
    FillFindInList(ColumnFields);
    TColumnEh* current = Grid != nullptr ? GridColumnAt(*Grid, Grid->SelectedColumnIndex()) : nullptr;
    cbFindIn->SetItemIndex(current != nullptr ? cbFindIn->Items()->IndexOf(current->Title()->Caption()) : -1);
    firstTry_ = true;
    Close();
    SetActiveControl(cbText);
    BuildSearchColumns();
    if (Modal) {
        SetFormStyle(fsNormal);
        ShowModal();
        return;
    }
    // Showing activates the form, which focuses its active control.
    SetFormStyle(fsStayOnTop);
    Show();
}

void TDBGridEhFindDlg::FillFindInList(const TColumnFieldsArrEh& ColumnFields) {
    TNotifyEvent change = std::move(cbFindIn->OnChange);
    cbFindIn->OnChange = nullptr;
    TStrings& items = *cbFindIn->Items();
    items.Clear();
    if (!ColumnFields.empty()) {
        for (const TColumnFieldItemEh& item : ColumnFields) items.AddObject(item.Caption, item.Column);
    } else if (findGrid_ != nullptr) {
        for (IGridColumnEh* visible : findGrid_->VisibleColumns())
            if (auto* column = dynamic_cast<TColumnEh*>(visible))
                items.AddObject(column->Title()->Caption(), column);
    }
    items.Add(AllColumnsItem);
    cbFindIn->SetKeyItems(items);
    cbFindIn->OnChange = std::move(change);
}

void TDBGridEhFindDlg::BuildSearchColumns() {
    const TStrings& items = *cbFindIn->Items();
    // Choosing "<All>" here runs the change event, which builds the list again: clear after it.
    if (cbFindIn->ItemIndex() < 0)
        cbFindIn->SetItemIndex(items.Count() - 1);
    searchColumns_.Clear();
    const int selected = cbFindIn->ItemIndex();
    if (selected == items.Count() - 1) {
        for (int i = 0; i < items.Count() - 1; ++i)
            searchColumns_.Add(static_cast<TColumnEh*>(items.GetObject(i)));
    } else if (selected >= 0) {
        searchColumns_.Add(static_cast<TColumnEh*>(items.GetObject(selected)));
    }
    cbTextChange(cbFindIn);
}

void TDBGridEhFindDlg::cbFindInChange(TObject* /*Sender*/) {
    BuildSearchColumns();
}

void TDBGridEhFindDlg::cbTextChange(TObject* /*Sender*/) {
    firstTry_ = true;
    const bool up = cbFindDirection->ItemIndex() == fdUpEh;
    searchColumnIndex_ = up ? searchColumns_.Count() - 1 : 0;
}

void TDBGridEhFindDlg::bCancelClick(TObject* /*Sender*/) {
    Close();
}

void TDBGridEhFindDlg::FormKeyDown(TObject* /*Sender*/, WORD& Key, TShiftState /*Shift*/) {
    if (Key != VK_RETURN && Key != VK_ESCAPE)
        return;
    TWinControl* active = ActiveControl();
    if (active != nullptr && active->Perform(CM_WANTSPECIALKEY, Key) != 0)
        return;
    // A focused push button takes Enter itself: searching here as well would search twice and
    // step over a match.
    if (Key == VK_RETURN && dynamic_cast<TButton*>(active) != nullptr)
        return;
    if (Key == VK_ESCAPE) {
        // A modal dialog leaves Esc to its cancel button.
        if (!Modal())
            Close();
    } else {
        bFindClick(bFind);
    }
    cbText->SetModified(false);
}

void TDBGridEhFindDlg::SetFindGrid(TCustomDBGridEh* Grid) {
    if (Grid == findGrid_)
        return;
    if (findGrid_ != nullptr)
        findGrid_->RemoveFreeNotification(this);
    findGrid_ = Grid;
    if (findGrid_ != nullptr)
        findGrid_->FreeNotification(this);
}

void TDBGridEhFindDlg::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent == nullptr || AComponent != findGrid_)
        return;
    // The grid goes, and its columns with it: nothing of it may be searched any more.
    findGrid_ = nullptr;
    searchColumns_.Clear();
    columnFields_.clear();
    FillFindInList(columnFields_);
    BuildSearchColumns();
}

TDBGridEhFindDlg* GridFindDialog() {
    if (Application == nullptr)
        return nullptr;
    return dynamic_cast<TDBGridEhFindDlg*>(Application->FindComponent(DialogName));
}

void ShowGridFindDialog(TCustomDBGridEh* Grid, const std::string& Text,
                        const TColumnFieldsArrEh& ColumnFields, bool Modal) {
    TDBGridEhFindDlg* dialog = GridFindDialog();
    if (dialog == nullptr)
        dialog = NewComponent<TDBGridEhFindDlg>(Application);
    dialog->LoadFromGrid(Grid, Text, Modal, ColumnFields);
}
