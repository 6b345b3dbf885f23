// TEdit: keys, characters, the mouse and the edit messages.
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/strings.h"
#include "platform/ui/edit.h"
#include "platform/ui/virtual_keys.h"

void TEdit::Dispatch(TMessage& Message) {
    if (!HandleEditMessage(Message))
        TCustomControl::Dispatch(Message);
}

bool TEdit::HandleEditMessage(TMessage& Message) {
    switch (Message.Msg) {
        case EM_GETSEL:
            GetSel(Message);
            return true;
        case EM_SETSEL:
            SetSelMessage(Message);
            return true;
        case EM_GETRECT:
            if (Message.LParam != 0)
                *reinterpret_cast<TRect*>(Message.LParam) = EditRect();
            return true;
        case EM_SETRECT:
        case EM_SETRECTNP:
            SetFormatRect(reinterpret_cast<const TRect*>(Message.LParam), Message.Msg == EM_SETRECT);
            return true;
        case EM_LINESCROLL:
            LineScroll(Message);
            return true;
        case EM_GETFIRSTVISIBLELINE:
            Message.Result = multiline_ ? firstLine_ : FirstVisibleChar();
            return true;
        case EM_SCROLLCARET:
            ScrollCaret();
            Message.Result = 1;
            return true;
        case EM_GETMODIFY:
            Message.Result = modified_ ? 1 : 0;
            return true;
        case EM_SETMODIFY:
            modified_ = Message.WParam != 0;
            return true;
        case EM_GETLINECOUNT:
            Message.Result = static_cast<LRESULT>(Lines().size());
            return true;
        case EM_LINEFROMCHAR:
            Message.Result =
                LineOf(static_cast<int>(Message.WParam) < 0 ? SelStart() : static_cast<int>(Message.WParam));
            return true;
        case EM_LINELENGTH: {
            std::vector<Line> lines = Lines();
            int index = static_cast<int>(Message.WParam) < 0 ? caret_ : static_cast<int>(Message.WParam);
            Message.Result = lines[static_cast<std::size_t>(LineOf(index))].Length;
            return true;
        }
        case EM_LINEINDEX: {
            std::vector<Line> lines = Lines();
            int line =
                static_cast<int>(Message.WParam) < 0 ? LineOf(caret_) : static_cast<int>(Message.WParam);
            Message.Result = line >= 0 && line < static_cast<int>(lines.size())
                                 ? lines[static_cast<std::size_t>(line)].Start
                                 : -1;
            return true;
        }
        case EM_GETMARGINS:
            Message.Result = MakeLong(1, 1);
            return true;
        case EM_CHARFROMPOS: {
            int index = CharFromPos(PointFromLParam(Message.LParam));
            Message.Result = MakeLong(index, LineOf(index));
            return true;
        }
        case EM_POSFROMCHAR: {
            TPoint p = PosFromChar(static_cast<int>(Message.WParam));
            Message.Result = MakeLong(p.X, p.Y);
            return true;
        }
        case EM_REPLACESEL:
            if (Message.LParam != 0)
                InsertText(reinterpret_cast<const char*>(Message.LParam));
            return true;
        case EM_LIMITTEXT:
            SetMaxLength(static_cast<int>(Message.WParam));
            return true;
        case EM_CANUNDO:
            Message.Result = CanUndo() ? 1 : 0;
            return true;
        case EM_UNDO:
        case WM_UNDO:
            Message.Result = CanUndo() ? 1 : 0;
            Undo();
            return true;
        case EM_EMPTYUNDOBUFFER:
            ClearUndo();
            return true;
        case EM_SETPASSWORDCHAR:
            SetPasswordChar(static_cast<char32_t>(Message.WParam));
            return true;
        case EM_SETREADONLY:
            ReadOnly = Message.WParam != 0;
            Message.Result = 1;
            return true;
        case WM_CUT:
            CutToClipboard();
            return true;
        case WM_COPY:
            CopyToClipboard();
            return true;
        case WM_PASTE:
            PasteFromClipboard();
            return true;
        case WM_CLEAR:
            ClearSelection();
            return true;
        default:
            return false;
    }
}

void TEdit::GetSel(TMessage& Message) const {
    auto start = static_cast<DWORD>(SelStart());
    auto end = static_cast<DWORD>(SelStart() + SelLength());
    if (Message.WParam != 0)
        *reinterpret_cast<DWORD*>(Message.WParam) = start;
    if (Message.LParam != 0)
        *reinterpret_cast<DWORD*>(Message.LParam) = end;
    Message.Result = MakeLong(static_cast<int>(start), static_cast<int>(end));
}

void TEdit::SetSelMessage(TMessage& Message) {
    auto start = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
    auto end = static_cast<int>(Message.LParam);
    if (start < 0) {
        SetSelection(caret_, caret_);
        return;
    }
    if (end < 0)
        end = Length();
    SetSelection(start, end);
}

void TEdit::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CHAR:
            CharMessage(Message);
            return;
        case WM_KEYDOWN:
            KeyDownMessage(Message);
            return;
        default:
            TCustomControl::DefaultHandler(Message);
    }
}

void TEdit::CharMessage(TMessage& Message) {
    auto ch = static_cast<char32_t>(Message.WParam);
    if (ReadOnly)
        return;
    if (ch == U'\b')
        DeleteChars(false);
    else if (ch == U'\r' && multiline_)
        InsertText("\r\n");
    // Control codes (Ctrl+letters among them) are keys, handled on WM_KEYDOWN.
    else if (ch >= 32 && ch != 127)
        TypeChar(ch);
}

void TEdit::KeyDownMessage(TMessage& Message) {
    EditKey(static_cast<WORD>(Message.WParam), KeyDataToShiftState(Message.LParam));
}

void TEdit::MoveCaret(int index, bool extend) {
    SetSelection(extend ? anchor_ : index, index);
}

int TEdit::WordStart(int index) const {
    std::u32string text = Utf8ToUtf32(text_);
    auto i = static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(text.size())));
    while (i > 0 && text[i - 1] <= U' ') --i;
    while (i > 0 && text[i - 1] > U' ') --i;
    return static_cast<int>(i);
}

int TEdit::WordEnd(int index) const {
    std::u32string text = Utf8ToUtf32(text_);
    auto i = static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(text.size())));
    while (i < text.size() && text[i] > U' ') ++i;
    while (i < text.size() && text[i] <= U' ') ++i;
    return static_cast<int>(i);
}

bool TEdit::EditKey(WORD key, TShiftState shift) {
    bool extend = shift.Contains(ssShift);
    bool ctrl = shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    // Without Shift an arrow leaves a selection at its own end.
    bool collapse = !extend && SelLength() > 0;
    std::vector<Line> lines = Lines();
    const Line& line = lines[static_cast<std::size_t>(LineOf(caret_))];
    switch (key) {
        case VK_LEFT:
            MoveCaret(collapse ? SelStart() : ctrl ? WordStart(caret_) : caret_ - 1, extend);
            return true;
        case VK_RIGHT:
            MoveCaret(collapse ? SelStart() + SelLength() : ctrl ? WordEnd(caret_) : caret_ + 1, extend);
            return true;
        case VK_HOME:
            MoveCaret(ctrl || !multiline_ ? 0 : line.Start, extend);
            return true;
        case VK_END:
            MoveCaret(ctrl || !multiline_ ? Length() : line.Start + line.Length, extend);
            return true;
        case VK_UP:
        case VK_DOWN: {
            if (!multiline_)
                return false;
            TPoint p = PosFromChar(caret_);
            MoveCaret(CharFromPos({p.X, p.Y + (key == VK_UP ? -1 : 1) * LineHeight() + 1}), extend);
            return true;
        }
        case VK_DELETE:
            if (extend)
                CutToClipboard();
            else if (!ReadOnly)
                DeleteChars(true);
            return true;
        case VK_INSERT:
            if (ctrl)
                CopyToClipboard();
            else if (extend)
                PasteFromClipboard();
            return ctrl || extend;
        default:
            break;
    }
    if (!ctrl)
        return false;
    switch (key) {
        case 'C':
            CopyToClipboard();
            return true;
        case 'X':
            CutToClipboard();
            return true;
        case 'V':
            PasteFromClipboard();
            return true;
        case 'Z':
            Undo();
            return true;
        default:
            return false;
    }
}

void TEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (!Focused() && CanFocus()) {
            TFlagScope focusing(clickFocusing_);
            SetFocus();
        }
        int index = CharFromPos({X, Y});
        if (Shift.Contains(ssDouble)) {
            SetSelection(WordStart(std::min(index + 1, Length())), WordEnd(index));
        } else {
            MoveCaret(index, Shift.Contains(ssShift));
            mouseSelecting_ = true;
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TEdit::MouseMove(TShiftState Shift, int X, int Y) {
    if (mouseSelecting_)
        MoveCaret(CharFromPos({X, Y}), true);
    TCustomControl::MouseMove(Shift, X, Y);
}

void TEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        mouseSelecting_ = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}
