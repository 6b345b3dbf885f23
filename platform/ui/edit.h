#pragma once
// TEdit: the platform's edit control. Characters arrive as WM_CHAR (after OnKeyPress), editing keys
// (arrows, Home, End, Delete, Ctrl+C/X/V/Z, Shift+Delete, Ctrl/Shift+Insert) as WM_KEYDOWN; every
// change of Text fires OnChange. It answers the EM_ messages of platform/ui/edit_messages.h and
// WM_CUT / WM_COPY / WM_PASTE / WM_CLEAR / WM_UNDO. A multi-line edit (Multiline, or ES_MULTILINE
// in its window style) lays its lines out in its formatting rectangle (EM_SETRECTNP), wraps them at
// the rectangle's width when its style lacks ES_AUTOHSCROLL, and scrolls by whole lines to keep the
// caret in view; a single-line one centres its line and scrolls it sideways.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/alignment.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/edit_messages.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TEdit : public TCustomControl {
  public:
    explicit TEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TEdit"; }
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    // Selects all text when the control takes the focus from the keyboard.
    bool AutoSelect = true;
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = std::max(value, 0); }
    bool ReadOnly = false;
    char32_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char32_t value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    // Set by the user's edits, cleared when a program sets the text.
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }
    // The height follows the font.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Multiline() const { return multiline_; }
    void SetMultiline(bool value);
    // Long lines break at the formatting rectangle's width (a multi-line window without ES_AUTOHSCROLL).
    bool WrapsLines() const { return multiline_ && wordWrap_; }
    // Where a line that fits the width stands in it (the window's ES_LEFT, ES_RIGHT or ES_CENTER).
    TAlignment TextAlignment() const { return alignment_; }
    void SetTextAlignment(TAlignment value);
    // The top line shown (multi-line).
    int FirstVisibleLine() const { return firstLine_; }

    // Caret and selection, counted in characters. The caret is the selection's moving end.
    int SelStart() const { return std::min(anchor_, caret_); }
    void SetSelStart(int value);
    int SelLength() const { return std::abs(caret_ - anchor_); }
    void SetSelLength(int value);
    std::string SelText() const;
    void SetSelText(const std::string& value);
    void SelectAll();
    void Clear() { SetText(""); }
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return undo_.has_value(); }
    void Undo();
    void ClearUndo() { undo_.reset(); }

    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
    void SetTextBuf(const std::string& value) override;
    void TextChanged() override;
    void FontChanged() override;
    void Resize() override;
    virtual void Change();
    LRESULT DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }
    void DoEnter() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // Editing steps a masked edit replaces: a typed character, Backspace / Delete, a pasted text.
    virtual void TypeChar(char32_t ch);
    virtual void DeleteChars(bool forward);
    virtual void InsertText(const std::string& text);
    // Handles an editing key; false lets it go on.
    virtual bool EditKey(WORD key, TShiftState shift);

    // The text as stored and shown (with a mask's literals and blanks), and its length in characters.
    const std::string& EditBuffer() const { return text_; }
    int Length() const;
    // Puts text in place of the selection and the caret after it, as one user's edit.
    void ReplaceSelection(const std::string& text);
    // Stores a whole new edit buffer with the selection given, as one user's edit.
    void ReplaceAll(const std::string& text, int anchor, int caret);
    // Stores text as the buffer without touching undo, the modified flag or the selection.
    void StoreText(const std::string& text);
    void SetSelection(int anchor, int caret);
    std::string CaseApplied(const std::string& text) const;
    void ScrollCaret();

  private:
    struct UndoState {
        std::string Text;
        int Anchor = 0;
        int Caret = 0;
    };
    struct Line {
        int Start = 0;   // first character
        int Length = 0;  // characters shown, without the line break
    };
    // Messages.
    bool HandleEditMessage(TMessage& Message);
    void GetSel(TMessage& Message) const;
    void SetSelMessage(TMessage& Message);
    void SetFormatRect(const TRect* rect, bool repaint);
    void KeyDownMessage(TMessage& Message);
    void CharMessage(TMessage& Message);
    // Layout, in client coordinates.
    TRect DefaultRect() const;
    TRect EditRect() const;
    std::u32string ShownText() const;
    std::vector<Line> Lines() const;
    // Breaks the paragraph of count characters at start into lines no wider than width.
    void WrapParagraph(const std::u32string& shown, int start, int count, int width,
                       std::vector<Line>& lines) const;
    int VisibleLineCount() const;
    void LineScroll(TMessage& Message);
    int FirstVisibleChar() const;
    int LineOf(int index) const;
    int LineHeight() const;
    int LineTop(int line) const;
    int LineIndent(const std::u32string& shown, const Line& line) const;
    int WidthOf(const std::u32string& text, int start, int count) const;
    TPoint PosFromChar(int index) const;
    int CharFromPos(TPoint pos) const;
    void PaintLine(TCanvas& canvas, const std::u32string& shown, const Line& line, int lineIndex);
    void FitHeight();
    void MoveCaret(int index, bool extend);
    int WordStart(int index) const;
    int WordEnd(int index) const;
    void RememberUndo(bool typing);
    int maxLength_ = 0;
    int anchor_ = 0;
    int caret_ = 0;
    int scrollX_ = 0;
    int firstLine_ = 0;
    char32_t passwordChar_ = 0;
    TEditCharCase charCase_ = ecNormal;
    TAlignment alignment_ = taLeftJustify;
    bool modified_ = false;
    bool autoSize_ = true;
    bool multiline_ = false;
    bool wordWrap_ = false;
    bool editing_ = false;
    bool typingRun_ = false;
    bool mouseSelecting_ = false;
    bool clickFocusing_ = false;
    std::optional<TRect> formatRect_;
    std::optional<UndoState> undo_;
};
