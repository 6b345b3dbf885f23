// The grid editor's paste: plain cells take the clipboard as it is; lookup and key-list cells take
// the pasted text completed against their list, or as it is only when the column takes texts not
// in its list.
#include "data_grid/column.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/grid_inplace_edit_typing.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/strings.h"
#include "platform/ui/clipboard.h"

namespace {

std::string TextAfterSelection(const TDBGridInplaceEdit& Editor) {
    const std::u32string chars = Utf8ToUtf32(Editor.Text());
    const auto end = static_cast<std::size_t>(Editor.SelStart() + Editor.SelLength());
    return end < chars.size() ? Utf32ToUtf8(chars.substr(end)) : std::string();
}

}  // namespace

void TDBGridInplaceEdit::WMPaste(TMessage& Message) {
    TCustomDBGridEh* grid = OwnerGrid();
    TColumnEh* column = CurrentColumn();
    if (grid == nullptr || column == nullptr) {
        TInplaceEdit::Dispatch(Message);
        return;
    }
    if (!grid->GridAllowsCellEdit() || !column->IsEditable(false))
        return;
    const bool keyList = column->CellKind() == ckKeyPickListEh;
    if (activeEditStyle_ != esDataListEh && !keyList) {
        // The user's change, as a typed one is: the remembered texts follow it.
        {
            TFlagScope byUser(textChangeByUser_);
            TInplaceEdit::Dispatch(Message);
        }
        AfterEditMessage();
        return;
    }
    if (!Clipboard()->HasText())
        return;
    const std::string text = TextBeforeSelection(*this) + Clipboard()->AsText() + TextAfterSelection(*this);
    TTypedTextMatchEh match;
    if (activeEditStyle_ == esDataListEh) {
        TDataSet* list = OpenLookupListDataSet(*column);
        if (list == nullptr)
            return;
        match = MatchLookupText(*column, *list, text, true);
    } else {
        match = MatchPickListText(*column, text);
        if (match.Found && !grid->GridBeginFieldEdit())
            match = TTypedTextMatchEh{false, text, Variant::Null(), -1};
    }
    if (match.Found || column->OnNotInList)
        PutTypedText(*this, match, static_cast<int>(Utf8Length(text)), grid->editKeyValue_);
}
