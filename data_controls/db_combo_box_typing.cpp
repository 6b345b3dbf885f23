// The combo box's keys, wheel and mouse: completing typed text, the key-based search, stepping
// through the items and clearing a key-based box.
#include <algorithm>

#include "data_controls/db_combo_box.h"
#include "platform/db/field.h"
#include "platform/rtl/string_compare.h"
#include "platform/rtl/strings.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/input.h"
#include "platform/ui/mouse_capture.h"
#include "platform/ui/virtual_keys.h"

namespace {

bool NoShiftKeys(TShiftState shift) {
    return !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
}

bool IsPasteKey(WORD key, TShiftState shift) {
    return (key == 'V' && shift == TShiftState{ssCtrl}) ||
           (key == VK_INSERT && shift == TShiftState{ssShift});
}

// The first characters of text, as many as prefix has.
std::string Head(const std::string& text, std::size_t chars) {
    const std::u32string wide = Utf8ToUtf32(text);
    return Utf32ToUtf8(wide.substr(0, std::min(chars, wide.size())));
}

}  // namespace

// ---- Search and completion

void TCustomDBComboBoxEh::SetSelectionBackTo(int length) {
    SetSelection(std::min(length, TEdit::Length()), TEdit::Length());
}

bool TCustomDBComboBoxEh::LocateItemText(const std::string& Text, bool Partial) {
    if (!DataLink()->BeginEditing())
        return false;
    const int old = itemIndex_;
    const std::size_t length = Utf8ToUtf32(Text).size();
    try {
        int found = -1;
        for (int i = 0; i < itemsCount_ && found < 0; ++i) {
            const std::string& item = items_->Get(i);
            if (AnsiCompareText(Partial ? Head(item, length) : item, Text) == 0)
                found = i;
        }
        if (found < 0) {
            if (!keyBased_)
                ApplyItemIndex(-1);
        } else {
            ApplyItemIndex(found);
            SetSelectionBackTo(static_cast<int>(length));
        }
    } catch (...) {
        ApplyItemIndex(old);
        return false;
    }
    return itemIndex_ != old;
}

bool TCustomDBComboBoxEh::SearchTyped(const std::string& Text) {
    if ((!IsUnbound() && Field() == nullptr) || !DataLink()->BeginEditing())
        return false;
    if (Text == "\b") {
        WidenSearchSelection();
        return false;
    }
    const std::string search = Head(this->Text(), static_cast<std::size_t>(SelStart())) + Text;
    RequestItems();
    return LocateItemText(search, true);
}

void TCustomDBComboBoxEh::WidenSearchSelection() {
    const int length = TEdit::Length();
    if (SelStart() == 0 && SelLength() == length) {
        SetSelection(std::max(length - 1, 0), length);
        return;
    }
    // Anchored at the selection's end, one character more towards the start.
    const int end = SelStart() + SelLength();
    SetSelection(end, std::max(end - SelLength() - 1, 0));
}

void TCustomDBComboBoxEh::CompleteTyped(char32_t key) {
    const bool caretAtEnd = SelLength() == 0 && SelStart() == TEdit::Length();
    if (caretAtEnd && key != U'\b') {
        SearchTyped("");
        return;
    }
    const int caret = SelStart() + SelLength();
    if (LocateItemText(Text(), false))
        SetSelection(std::min(caret, TEdit::Length()), TEdit::Length());
}

void TCustomDBComboBoxEh::PasteSearch() {
    if (!ReadOnly() && Clipboard()->HasText())
        SearchTyped(Clipboard()->AsText());
}

// ---- Keys

void TCustomDBComboBoxEh::KeyPress(char32_t& Key) {
    typedChar_ = 0;
    TCustomDBEditEh::KeyPress(Key);
    if (Key == 0)
        return;
    if (dropDownBox_->AutoDrop() && Key >= 32 && !listVisible_)
        OpenDropDown();
    if (keyBased_) {
        if (!ReadOnly() && (Key == U'\b' || Key >= 32)) {
            SearchTyped(CompleteKeyPress());
            Key = 0;
        }
        return;
    }
    // Completed once the edit has taken the character; a decimal point and Ctrl keys are left alone.
    if (Key != U'.' && GetKeyState(VK_CONTROL) >= 0 && !ReadOnly())
        typedChar_ = Key;
}

bool TCustomDBComboBoxEh::ClearsOnDelete() {
    const TField* field = Field();
    const bool required = !IsUnbound() && field != nullptr && field->Required;
    return keyBased_ && !required && !ReadOnly() && DataLink()->BeginEditing();
}

void TCustomDBComboBoxEh::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomDBEditEh::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    if ((Key == VK_UP || Key == VK_DOWN) && !ReadOnly() && !listVisible_) {
        if (WordWrap() && !(SelStart() == 0 && SelLength() == TEdit::Length()))
            return;
        StepItem(Key == VK_UP);
        Key = 0;
    } else if (Key == VK_DELETE && ClearsOnDelete()) {
        SetValue(Variant::Null());
        Key = 0;
    } else if (keyBased_ && IsPasteKey(Key, Shift)) {
        PasteSearch();
        Key = 0;
    }
}

bool TCustomDBComboBoxEh::StepItem(bool IsPrior) {
    if (!DataLink()->BeginEditing())
        return false;
    RequestItems();
    const int index = itemIndex_;
    int next = index;
    if (IsPrior)
        next = index > 0 ? index - 1 : index == -1 ? itemsCount_ - 1 : index;
    else if (index < itemsCount_ - 1)
        next = index + 1;
    if (next != index) {
        ApplyItemIndex(next);
        SelectAll();
    }
    return true;
}

void TCustomDBComboBoxEh::MainButtonPressed(bool InMouseControl) {
    if (EditButton()->Style() != ebsUpDownEh) {
        TCustomDBEditEh::MainButtonPressed(InMouseControl);
        return;
    }
    // The upper arrow steps back, the lower one on.
    StepItem(!InMouseControl);
}

// ---- Wheel

bool TCustomDBComboBoxEh::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomDBEditEh::DoMouseWheelDown(Shift, MousePos))
        return true;
    return NoShiftKeys(Shift) && !ReadOnly() && StepItem(false);
}

bool TCustomDBComboBoxEh::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomDBEditEh::DoMouseWheelUp(Shift, MousePos))
        return true;
    return NoShiftKeys(Shift) && !ReadOnly() && StepItem(true);
}

// ---- Mouse

void TCustomDBComboBoxEh::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!keyBased_) {
        TCustomDBEditEh::MouseDown(Button, Shift, X, Y);
        return;
    }
    // A key-based box is a pick list: a press on its text drops it down instead of placing a caret.
    if (Button == mbLeft && ButtonsUsable() && !DroppedDown() && !Shift.Contains(ssDouble)) {
        if (CanFocus() && !Focused())
            SetFocus();
        noClickCloseUp_ = true;
        OpenDropDown();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomDBComboBoxEh::MouseMove(TShiftState Shift, int X, int Y) {
    if (keyBased_)
        TCustomControl::MouseMove(Shift, X, Y);
    else
        TCustomDBEditEh::MouseMove(Shift, X, Y);
    if (listVisible_ && GetCaptureControl() == this)
        PassDragToList(*this, X, Y);
}

void TCustomDBComboBoxEh::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!keyBased_) {
        TCustomDBEditEh::MouseUp(Button, Shift, X, Y);
        return;
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !ClientRect().Contains({X, Y}))
        return;
    // The click that opened the list leaves it open; the next one closes it.
    if (listVisible_ && !noClickCloseUp_)
        CloseDropDown(false);
    noClickCloseUp_ = false;
}

void TCustomDBComboBoxEh::EditButtonDragged(TObject* Sender, TShiftState Shift, int X, int Y) {
    TCustomDBEditEh::EditButtonDragged(Sender, Shift, X, Y);
    auto* control = dynamic_cast<TControl*>(Sender);
    if (listVisible_ && control != nullptr && GetCaptureControl() == control)
        PassDragToList(*control, X, Y);
}

void TCustomDBComboBoxEh::PassDragToList(TControl& from, int X, int Y) {
    if (popupList_ == nullptr)
        return;
    const TPoint at = popupList_->ScreenToClient(from.ClientToScreen({X, Y}));
    if (!popupList_->ClientRect().Contains(at))
        return;
    from.Perform(WM_CANCELMODE);
    popupList_->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(at.X, at.Y));
}
