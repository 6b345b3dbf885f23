// The grid editor's typing: characters completed against a lookup cell's list dataset or a list
// cell's pick list, the typed text located in the list, and Backspace opening the remembered texts.
#include <algorithm>

#include "data_controls/mru_list.h"
#include "data_controls/popup_listbox.h"
#include "data_grid/column.h"
#include "data_grid/column_cell.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/grid_inplace_edit_typing.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/rtl/string_compare.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/strings.h"

// ---- Matching and putting a typed text

TDataSet* OpenLookupListDataSet(TColumnEh& Column) {
    TDataSet* list = ColumnListDataSet(Column);
    return list != nullptr && list->Active() ? list : nullptr;
}

TTypedTextMatchEh MatchLookupText(TColumnEh& Column, TDataSet& List, const std::string& Text, bool Partial) {
    TTypedTextMatchEh match;
    match.Text = Text;
    TField* field = Column.Field();
    TLocateOptions options{loCaseInsensitive};
    if (Partial)
        options.Include(loPartialKey);
    if (field == nullptr || !List.Locate(field->LookupResultField, Variant(Text), options))
        return match;
    match.Found = true;
    match.Text = List.FieldByName(field->LookupResultField)->Text();
    match.Key = List.FieldValues(field->LookupKeyFields);
    return match;
}

TTypedTextMatchEh MatchPickListText(TColumnEh& Column, const std::string& Text) {
    TTypedTextMatchEh match;
    match.Text = Text;
    match.ItemIndex = TDBGridInplaceEdit::FindStringIndex(*Column.PickList(), Text, true);
    if (match.ItemIndex >= 0) {
        match.Found = true;
        match.Text = Column.PickList()->Get(match.ItemIndex);
    }
    return match;
}

std::string TextBeforeSelection(const TDBGridInplaceEdit& Editor) {
    return std::string(Utf8Left(Editor.Text(), static_cast<std::size_t>(Editor.SelStart())));
}

bool PutTypedText(TDBGridInplaceEdit& Editor, const TTypedTextMatchEh& Match, int TypedLength,
                  Variant& EditKeyValue) {
    TCustomDBGridEh* grid = Editor.OwnerGrid();
    TGridDataLinkEh* link = grid->DataLink();
    // Going into edit may reload the editor from the field, so the text goes in afterwards.
    link->Edit();
    if (!link->Editing())
        return false;
    link->MarkModified();
    Editor.SetText(Match.Text);
    const int length = static_cast<int>(Utf8Length(Editor.Text()));
    const int typed = std::min(TypedLength, length);
    Editor.SetSelStart(typed);
    Editor.SetSelLength(length - typed);
    grid->SetEditText(grid->Col(), grid->Row(), Editor.Text());
    EditKeyValue = Match.Key;
    if (Editor.ActiveEditStyle() == esDataListEh && Editor.DataList() != nullptr)
        Editor.DataList()->SetKeyValue(Match.Key);
    if (Editor.ActiveEditStyle() == esPickListEh && Editor.PickList() != nullptr)
        Editor.PickList()->SetItemIndex(Match.ItemIndex);
    return true;
}

void OpenListFollowsEditText(TDBGridInplaceEdit& Editor) {
    if (!Editor.ListShown())
        return;
    TCustomDBGridEh* grid = Editor.OwnerGrid();
    if (Editor.ActiveEditStyle() == esDataListEh && Editor.DataList() != nullptr)
        Editor.DataList()->SetKeyValue(grid->EditKeyValue());
    TColumnEh* column = Editor.CurrentColumn();
    if (Editor.ActiveEditStyle() == esPickListEh && Editor.PickList() != nullptr && column != nullptr)
        Editor.PickList()->SetItemIndex(
            TDBGridInplaceEdit::FindStringIndex(*column->PickList(), grid->EditText(), false));
}

namespace {

// A typed text completed to a record of the list dataset; a text no record starts with goes in only
// when the column takes texts not in its list.
void CompleteLookupText(TDBGridInplaceEdit& Editor, TColumnEh& Column, TDataSet& List,
                        const std::string& Text, Variant& EditKeyValue) {
    const TTypedTextMatchEh match = MatchLookupText(Column, List, Text, true);
    if (match.Found || Column.OnNotInList)
        PutTypedText(Editor, match, static_cast<int>(Utf8Length(Text)), EditKeyValue);
}

// The same against the pick list; false when the text is left to the edit (not found in a list
// that is no key list, or not let in).
bool CompletePickListText(TDBGridInplaceEdit& Editor, TColumnEh& Column, const std::string& Text,
                          bool KeyList, Variant& EditKeyValue) {
    const TTypedTextMatchEh match = MatchPickListText(Column, Text);
    if (!match.Found && !(KeyList && Column.OnNotInList))
        return false;
    PutTypedText(Editor, match, static_cast<int>(Utf8Length(Text)), EditKeyValue);
    return true;
}

// Backspace deletes the selection, or else the character before the caret.
bool BackspaceEmptiesText(const TDBGridInplaceEdit& Editor) {
    if (Editor.IsMasked())
        return Editor.Text().empty();
    const int length = static_cast<int>(Utf8Length(Editor.Text()));
    const int deleted = Editor.SelLength() > 0 ? Editor.SelLength() : std::min(Editor.SelStart(), 1);
    return length == deleted;
}

bool BackspaceOpensMRUList(const TDBGridInplaceEdit& Editor) {
    const TMRUListEh* mru = Editor.MRUList();
    return mru != nullptr && mru->Active() && !mru->DroppedDown() && Editor.IsShowing() && !Editor.ReadOnly &&
           BackspaceEmptiesText(Editor);
}

}  // namespace

// ---- The editor's operations

int TDBGridInplaceEdit::FindStringIndex(const TStrings& List, const std::string& Text, bool PartialKey) {
    const std::size_t length = Utf8Length(Text);
    for (int i = 0; i < List.Count(); ++i) {
        const std::string& item = List.Get(i);
        if (AnsiCompareText(PartialKey ? Utf8Left(item, length) : std::string_view(item), Text) == 0)
            return i;
    }
    return -1;
}

void TDBGridInplaceEdit::KeyPress(char32_t& Key) {
    // Ctrl+Enter types a line feed: a line break only in wrapped text.
    if (Key == U'\n' && !wordWrap_) {
        Key = 0;
        return;
    }
    typedChars_ = Utf32ToUtf8(std::u32string(1, Key));
    ApplyEditedText(typedChars_);
    if (typedChars_.empty()) {
        Key = 0;
        return;
    }
    TInplaceEdit::KeyPress(Key);
    // The edit deletes only after this; deleting here lets the emptied text open the remembered
    // texts rather than close them.
    if (Key == U'\b' && BackspaceOpensMRUList(*this)) {
        DeleteChars(false);
        Key = 0;
        RefreshImageIndex();
        DropDownMRUList();
    }
}

void TDBGridInplaceEdit::ApplyEditedText(std::string& TypedChars) {
    const bool backspace = TypedChars == "\b";
    if (TypedChars.empty() || (static_cast<unsigned char>(TypedChars.front()) < 32 && !backspace))
        return;
    TCustomDBGridEh* grid = OwnerGrid();
    TColumnEh* column = CurrentColumn();
    if (grid == nullptr || column == nullptr || column->Field() == nullptr)
        return;
    const bool keyList = column->CellKind() == ckKeyPickListEh;
    // Taken before the grid goes into edit, which loads the editor afresh.
    const std::string typed = TextBeforeSelection(*this) + TypedChars;
    if (activeEditStyle_ == esDataListEh) {
        TDataSet* list = nullptr;
        if (!grid->GridBeginFieldEdit() || !grid->GridAllowsCellEdit() ||
            (list = OpenLookupListDataSet(*column)) == nullptr)
            return;
        if (!backspace)
            CompleteLookupText(*this, *column, *list, typed, grid->editKeyValue_);
        TypedChars.clear();
        return;
    }
    if ((!keyList && activeEditStyle_ != esPickListEh) || !grid->GridBeginFieldEdit())
        return;
    // Backspace in a key list only steps back (KeyDown); in a free pick list it deletes.
    if (backspace) {
        if (keyList)
            TypedChars.clear();
        return;
    }
    if (CompletePickListText(*this, *column, typed, keyList, grid->editKeyValue_) || keyList)
        TypedChars.clear();
}

void TDBGridInplaceEdit::LocateTypedText() {
    TColumnEh* column = CurrentColumn();
    TCustomDBGridEh* grid = OwnerGrid();
    if (column == nullptr || grid == nullptr || !column->IsEditable(true))
        return;
    grid->SetEditText(grid->Col(), grid->Row(), Text());
    TDataSet* list = activeEditStyle_ == esDataListEh ? OpenLookupListDataSet(*column) : nullptr;
    if (list != nullptr)
        grid->editKeyValue_ = MatchLookupText(*column, *list, Text(), false).Key;
}
