// The grid editor's list of remembered texts: it drops down under the text while the user types
// the start of one, follows the typing, and puts the chosen text into the cell.
#include <algorithm>

#include "data_controls/mru_list.h"
#include "data_controls/mru_list_drop_down.h"
#include "data_controls/mru_listbox.h"
#include "data_grid/column.h"
#include "data_grid/grid_inplace_edit.h"

TMRUListboxEh* TDBGridInplaceEdit::NewMRUListBox() {
    return NewMRUListBoxFor(*this, [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                          int Y) { MRUListMouseUp(Sender, Button, Shift, X, Y); });
}

TMRUListboxEh* TDBGridInplaceEdit::MRUListBox() {
    if (mruListWindow_ == nullptr)
        mruListWindow_ = NewMRUListBox();
    return mruListWindow_;
}

void TDBGridInplaceEdit::DropDownMRUList() {
    if (mruList_ == nullptr)
        return;
    TMRUListboxEh& list = *MRUListBox();
    const bool gripResized = list.SizeGripResized();
    // Cut short by a key waiting in the queue: closed, and the matches found so far are shown.
    if (!mruList_->FilterByPrefix(*list.Items(), EditText()))
        MRUListClosed(false);
    const int matches = list.Items()->Count();
    const int rows = std::min(matches, mruList_->Rows());
    list.SizeForRows(rows);
    if (mruList_->DroppedDown()) {
        MoveMRUListBox(list, ScreenTextRectOf(*this));
        list.SetSizeGripResized(gripResized);
        if (matches == 0)
            MRUListClosed(false);
        return;
    }
    if (matches == 0)
        return;
    StyleMRUListBox(list, *this);
    list.SizeForRows(rows);
    const TRect textRect = ScreenTextRectOf(*this);
    const int width =
        mruList_->Width() > 0 && mruList_->Width() > textRect.Width() ? mruList_->Width() : textRect.Width();
    ShowMRUListBox(list, *mruList_, textRect, width, [this](TObject* Sender) { MRUListBoxResized(Sender); });
}

void TDBGridInplaceEdit::MRUListClosed(bool Accept) {
    if (mruList_ == nullptr || !mruList_->DroppedDown() || mruListWindow_ == nullptr)
        return;
    TMRUListboxEh& list = *mruListWindow_;
    HideMRUListBox(list, *mruList_, *this);
    TCustomDBGridEh* grid = OwnerGrid();
    if (!Accept || ReadOnly || grid == nullptr || !grid->DataLink()->Edit())
        return;
    const int index = list.ItemIndex();
    if (index < 0 || index >= list.Items()->Count())
        return;
    SetText((*list.Items())[index]);
    grid->editText_ = Text();
    if (Focused())
        SelectAll();
}

void TDBGridInplaceEdit::MRUListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                        int Y) {
    (void)Sender;
    (void)Shift;
    if (Button == mbLeft && mruListWindow_ != nullptr)
        MRUListClosed(mruListWindow_->ClientRect().Contains({X, Y}));
}

void TDBGridInplaceEdit::AcceptMRUItem(const std::string& Item, bool& Accept) {
    if (mruList_ == nullptr) {
        Accept = false;
        return;
    }
    Accept = MRUItemStartsWith(Item, EditText(), mruList_->CaseSensitive());
    if (mruList_->OnFilterItem)
        mruList_->OnFilterItem(CurrentColumn(), Item, Accept);
}

void TDBGridInplaceEdit::MRUListBoxResized(TObject* Sender) {
    (void)Sender;
    if (mruList_ == nullptr || !mruList_->DroppedDown() || mruListWindow_ == nullptr)
        return;
    KeepMRUListBoxSize(*mruListWindow_, *mruList_);
}

void TDBGridInplaceEdit::ReconsiderMRUList() {
    if (mruList_ == nullptr)
        return;
    const std::string blank = BlankTextOf(*this);
    if (mruList_->DroppedDown() && EditText() == blank) {
        MRUListClosed(false);
        return;
    }
    if (mruList_->Active() && IsShowing() && !listShown_ && EditText() != blank)
        DropDownMRUList();
}
