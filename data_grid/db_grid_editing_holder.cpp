// The grid as the holder of the editors it hosts (the filter row's editor): what they may change,
// where the press that opened them was, and the keys that take the user out of them or move them
// between the filter cells.
#include "data_grid/db_grid.h"
#include "data_grid/inplace_filter_edit.h"
#include "platform/rtl/strings.h"
#include "platform/ui/edit.h"
#include "platform/ui/virtual_keys.h"

bool TCustomDBGridEh::EditorCanModify(TControl* /*Editor*/) {
    return true;
}

void TCustomDBGridEh::EditorMouseDownPlace(TPoint& ScreenPoint, DWORD& Time) {
    ScreenPoint = ClientToScreen(editorPressPoint_);
    Time = editorPressTime_;
    editorPressTime_ = 0;
}

void TCustomDBGridEh::NoteEditorPress(TPoint ClientPoint, DWORD Time) {
    editorPressPoint_ = ClientPoint;
    editorPressTime_ = Time;
}

void TCustomDBGridEh::EditorWindowProc(TControl* /*Editor*/, TMessage& /*Message*/) {}
void TCustomDBGridEh::EditorKeyPress(TControl* /*Editor*/, char32_t& /*Key*/) {}
void TCustomDBGridEh::EditorKeyUp(TControl* /*Editor*/, WORD& /*Key*/, TShiftState /*Shift*/) {}

void TCustomDBGridEh::EditorKeyDown(TControl* Editor, WORD& Key, TShiftState Shift) {
    if (Editor == FilterEditor() && FilterEditor() != nullptr && FilterEditor()->ListVisible())
        return;
    if (MoveBetweenFilterCells(Editor, Key, Shift)) {
        Key = 0;
        return;
    }
    const bool plain = (Shift * TShiftState{ssShift, ssCtrl, ssAlt}) == TShiftState{};
    switch (Key) {
        case VK_DOWN:
            if (plain || Shift * TShiftState{ssShift, ssCtrl, ssAlt} == TShiftState{ssCtrl}) {
                if (dataLink_->Active() && Editor == FilterEditor() && FilterEditor() != nullptr)
                    MoveToColumn(DataColToGridCol(FilterColumn()), 0, false);
                if (plain && dataLink_->Active())
                    dataLink_->MoveBy(-dataLink_->ActiveRecord());
                StopFilterEditing();
                Key = 0;
            }
            break;
        case VK_UP:
            if (plain)
                Key = 0;
            break;
        case VK_F2:
            if (auto* edit = dynamic_cast<TEdit*>(Editor)) {
                edit->SetSelStart(static_cast<int>(Utf8ToUtf32(edit->Text()).size()));
                edit->SetSelLength(0);
            }
            Key = 0;
            break;
        default:
            break;
    }
}
