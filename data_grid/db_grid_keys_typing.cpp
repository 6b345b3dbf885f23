// Typed characters: Enter writing the edited text, characters going into the in-place search or
// the editor, Space stepping a check box, Ctrl's release sorting, and the messages behind them.
#include "data_grid/column.h"
#include "data_grid/db_grid.h"
#include "platform/db/dataset.h"
#include "platform/rtl/strings.h"
#include "platform/ui/virtual_keys.h"

namespace {

bool TypesIntoSearch(char32_t Key) {
    return Key >= 32 || Key == U'\b';
}

bool DataSetEditing(const TGridDataLinkEh& Link) {
    const TDataSet* dataSet = Link.DataSet();
    if (dataSet == nullptr)
        return false;
    const TDataSetState state = dataSet->State();
    return state == dsEdit || state == dsInsert || state == dsSetKey;
}

}  // namespace

// Typing searches rather than edits: during a search, in a column that cannot be edited, or
// while the editor is hidden when the search is preferred.
bool TCustomDBGridEh::TypingSearches() {
    if (InplaceSearching())
        return true;
    if (extOptions_.Contains(gxoIncSearchEh) && !ColumnEditable(CurrentColumnEh()))
        return true;
    return extOptions_.Contains(gxoPreferIncSearchEh) && !options_.Contains(gdoAlwaysShowEditorEh) &&
           !EditorShown();
}

void TCustomDBGridEh::KeyPress(char32_t& Key) {
    if (extOptions_.Contains(gxoEnterAsTabEh) && Key == U'\r')
        Key = U'\t';
    if (Key == U'\r' && !options_.Contains(gdoAlwaysShowEditorEh))
        dataLink_->UpdateRecord();
    TCustomGrid::KeyPress(Key);
    if (Key >= 32 && Key != 127 && TypingSearches() && !DataSetEditing(*dataLink_)) {
        GridIncrementalSearch(Utf32ToUtf8(std::u32string(1, Key)), TypingSearchTimeout(), ismNewEh);
        Key = 0;
    }
}

// One WM_CHAR carries one whole character, whatever its length in bytes.
void TCustomDBGridEh::CharMessage(TMessage& Message) {
    if (FilterEditorChar(Message))
        return;
    const auto ch = static_cast<char32_t>(Message.WParam);
    TColumnEh* column = CurrentColumnEh();
    const bool stepCell = column != nullptr && StepsInPlace(*column) && !options_.Contains(gdoRowSelectEh);
    const bool keyPressOnly = (TypesIntoSearch(ch) && TypingSearches()) ||
                              (InMemTableView() && (ch == U'*' || ch == U'+' || ch == U'-'));
    if (keyPressOnly)
        TCustomControl::Dispatch(Message);
    else
        TCustomGrid::Dispatch(Message);
    if (stepCell && ch == U' ')
        column->StepValue(CurrentShiftState().Contains(ssShift) ? -1 : 1);
}

void TCustomDBGridEh::KeyUp(WORD& Key, TShiftState Shift) {
    if (SortMarkingDeferred() && Key == VK_CONTROL) {
        SetSortMarkingDeferred(false);
        SortMarkingChanged();
    }
    TCustomGrid::KeyUp(Key, Shift);
}

LRESULT TCustomDBGridEh::DialogCode() const {
    LRESULT code = TCustomGrid::DialogCode();
    if (extOptions_.Contains(gxoPreferIncSearchEh))
        code |= DLGC_WANTCHARS;
    return code;
}

// The input method starts composing in the cell editor.
void TCustomDBGridEh::ImeStartMessage(TMessage& Message) {
    TCustomGrid::Dispatch(Message);
    ShowCellEditor();
}
