// The grid editor's list of remembered texts: it drops down under the text while the user types
// the start of one, follows the typing, and puts the chosen text into the cell.
#include <algorithm>

#include "data_controls/drop_down_placement.h"
#include "data_controls/mru_list.h"
#include "data_controls/mru_listbox.h"
#include "data_grid/column.h"
#include "data_grid/grid_inplace_edit.h"
#include "platform/rtl/string_compare.h"
#include "platform/rtl/string_list.h"
#include "platform/rtl/strings.h"
#include "platform/ui/edit_mask.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/window_functions.h"
#include "platform/ui/window_styles.h"

namespace {

// The text of an empty cell: the mask's blank formatting, or nothing without a mask.
std::string BlankText(const TDBGridInplaceEdit& Editor) {
    if (!Editor.IsMasked())
        return "";
    return Utf32ToUtf8(TEditMask(Editor.EditMask()).BlankEditText());
}

// Item begins with Prefix, in letter case too when the settings say so.
bool StartsWithText(const std::string& Item, const std::string& Prefix, bool CaseSensitive) {
    const std::u32string prefix = Utf8ToUtf32(Prefix);
    const std::u32string item = Utf8ToUtf32(Item);
    if (item.size() < prefix.size())
        return false;
    const std::string head = Utf32ToUtf8(item.substr(0, prefix.size()));
    return CaseSensitive ? CompareStr(head, Prefix) == 0 : AnsiCompareText(head, Prefix) == 0;
}

}  // namespace

TMRUListboxEh* TDBGridInplaceEdit::NewMRUListBox() {
    auto* list = NewComponent<TMRUListboxEh>(this);
    list->SetVisible(false);
    list->SetCtl3D(false);
    list->SetParentCtl3D(false);
    if (auto* items = dynamic_cast<TStringList*>(list->Items()))
        items->SetSorted(true);
    list->SetParent(this);
    list->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        MRUListMouseUp(Sender, Button, Shift, X, Y);
    };
    return list;
}

TMRUListboxEh* TDBGridInplaceEdit::MRUListBox() {
    if (mruListWindow_ == nullptr)
        mruListWindow_ = NewMRUListBox();
    return mruListWindow_;
}

TRect TDBGridInplaceEdit::ScreenTextRect() {
    TRect rect;
    Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    const TPoint topLeft = ClientToScreen({rect.Left, rect.Top});
    const TPoint bottomRight = ClientToScreen({rect.Right, rect.Bottom});
    return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

void TDBGridInplaceEdit::DropDownMRUList() {
    if (mruList_ == nullptr)
        return;
    TMRUListboxEh& list = *MRUListBox();
    const bool gripResized = list.SizeGripResized;
    // Cut short by a key waiting in the queue: closed, and the matches found so far are shown.
    if (!mruList_->FilterByPrefix(*list.Items(), EditText()))
        MRUListClosed(false);
    const int matches = list.Items()->Count();
    const int rows = std::min(matches, mruList_->Rows());
    list.SizeForRows(rows);
    if (mruList_->DroppedDown) {
        const TPoint at = PlaceDropDownByRect(ScreenTextRect(), &list, daLeft);
        SetWindowPos(list.Handle(), 0, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
        list.SizeGripResized = gripResized;
        if (matches == 0)
            MRUListClosed(false);
        return;
    }
    if (matches == 0)
        return;
    list.SetColor(Color());
    list.SetFont(*Font());
    list.SetItemHeight(GetFontTextHeight(this));
    list.SetItemIndex(-1);
    list.SizeForRows(rows);
    const TRect textRect = ScreenTextRect();
    list.SetWidth(mruList_->Width > 0 && mruList_->Width > textRect.Width() ? mruList_->Width
                                                                            : textRect.Width());
    const TPoint at = PlaceDropDownByRect(textRect, &list, daLeft);
    list.SetBounds(at.X, at.Y, list.Width(), list.Height());
    list.SetVisible(true);
    ShowWindow(list.Handle(), SW_SHOWNOACTIVATE);
    if (TSizeGripEh* grip = list.SizeGrip()) {
        grip->SetVisible(true);
        grip->OnParentResized = [this](TObject* Sender) { MRUListBoxResized(Sender); };
    }
    list.ArrangeScrollBar();
    mruList_->DroppedDown = true;
    list.SizeGripResized = false;
}

void TDBGridInplaceEdit::MRUListClosed(bool Accept) {
    if (mruList_ == nullptr || !mruList_->DroppedDown || mruListWindow_ == nullptr)
        return;
    TMRUListboxEh& list = *mruListWindow_;
    // Marked closed first: the cancel-mode below comes back here when the editor holds the mouse.
    mruList_->DroppedDown = false;
    if (TControl* capture = GetCaptureControl())
        capture->Perform(WM_CANCELMODE);
    if (list.HandleAllocated())
        SetWindowPos(list.Handle(), 0, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool listFocused = list.Focused();
    list.SetVisible(false);
    if (listFocused && CanFocus())
        SetFocus();
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
    Accept = StartsWithText(Item, EditText(), mruList_->CaseSensitive());
    if (mruList_->OnFilterItem)
        mruList_->OnFilterItem(CurrentColumn(), Item, Accept);
}

void TDBGridInplaceEdit::MRUListBoxResized(TObject* Sender) {
    (void)Sender;
    if (mruList_ == nullptr || !mruList_->DroppedDown || mruListWindow_ == nullptr)
        return;
    mruList_->SetRows(mruListWindow_->RowCount());
    mruList_->Width = mruListWindow_->Width();
}

void TDBGridInplaceEdit::ReconsiderMRUList() {
    if (mruList_ == nullptr)
        return;
    const std::string blank = BlankText(*this);
    if (mruList_->DroppedDown && EditText() == blank) {
        MRUListClosed(false);
        return;
    }
    if (mruList_->Active() && IsShowing() && !listShown_ && EditText() != blank)
        DropDownMRUList();
}
