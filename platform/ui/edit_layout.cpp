// TEdit: where its lines, characters and caret stand, and painting them.
#include "platform/rtl/strings.h"
#include "platform/ui/edit.h"

namespace {

constexpr int kBorder = 2;
constexpr int kMargin = 1;

}  // namespace

TRect TEdit::DefaultRect() const {
    TRect client = ClientRect();
    return {kBorder + kMargin, kBorder, std::max(client.Right - kBorder - kMargin, kBorder + kMargin),
            std::max(client.Bottom - kBorder, kBorder)};
}

TRect TEdit::EditRect() const {
    // The platform's edit keeps to a formatting rectangle only in multi-line mode.
    return multiline_ && formatRect_ ? *formatRect_ : DefaultRect();
}

void TEdit::SetFormatRect(const TRect* rect, bool repaint) {
    if (rect == nullptr)
        formatRect_.reset();
    else
        formatRect_ = *rect;
    ScrollCaret();
    if (repaint)
        Invalidate();
}

std::u32string TEdit::ShownText() const {
    std::u32string text = Utf8ToUtf32(text_);
    if (passwordChar_ != 0)
        return std::u32string(text.size(), passwordChar_);
    return text;
}

int TEdit::LineOf(int index) const {
    std::vector<Line> lines = Lines();
    for (std::size_t i = lines.size(); i-- > 0;)
        if (index >= lines[i].Start)
            return static_cast<int>(i);
    return 0;
}

int TEdit::LineHeight() const {
    Canvas()->Font()->Assign(*Font());
    return Canvas()->TextHeight("Wg");
}

int TEdit::LineTop(int line) const {
    if (!multiline_)
        return (ClientHeight() - LineHeight()) / 2;
    const TRect rect = EditRect();
    // One line that never wraps stands in the middle, as a single-line edit's does, moved by as much
    // as the rectangle's top is.
    if (!wordWrap_ && Lines().size() == 1)
        return rect.Top + std::max((ClientHeight() - LineHeight()) / 2, 0);
    return rect.Top + (line - firstLine_) * LineHeight();
}

int TEdit::LineIndent(const std::u32string& shown, const Line& line) const {
    if (alignment_ == taLeftJustify)
        return 0;
    const int room = std::max(EditRect().Width() - 1, 0) - WidthOf(shown, line.Start, line.Length);
    if (room <= 0)
        return 0;
    return alignment_ == taRightJustify ? room : room / 2;
}

void TEdit::SetTextAlignment(TAlignment value) {
    if (alignment_ == value)
        return;
    alignment_ = value;
    Invalidate();
}

int TEdit::VisibleLineCount() const {
    return std::max(EditRect().Height() / std::max(LineHeight(), 1), 1);
}

int TEdit::WidthOf(const std::u32string& text, int start, int count) const {
    if (count <= 0)
        return 0;
    Canvas()->Font()->Assign(*Font());
    return Canvas()->TextWidth(
        Utf32ToUtf8(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count))));
}

TPoint TEdit::PosFromChar(int index) const {
    std::vector<Line> lines = Lines();
    int lineIndex = LineOf(index);
    const Line& line = lines[static_cast<std::size_t>(lineIndex)];
    int column = std::clamp(index - line.Start, 0, line.Length);
    const std::u32string shown = ShownText();
    return {EditRect().Left - scrollX_ + LineIndent(shown, line) + WidthOf(shown, line.Start, column),
            LineTop(lineIndex)};
}

int TEdit::CharFromPos(TPoint pos) const {
    std::vector<Line> lines = Lines();
    int lineIndex = 0;
    if (multiline_) {
        // Rounded down, so that a point above the rectangle names a line scrolled out above it.
        int offset = pos.Y - EditRect().Top;
        int height = std::max(LineHeight(), 1);
        int shown = offset >= 0 ? offset / height : -((-offset + height - 1) / height);
        lineIndex = std::clamp(firstLine_ + shown, 0, static_cast<int>(lines.size()) - 1);
    }
    const Line& line = lines[static_cast<std::size_t>(lineIndex)];
    std::u32string shown = ShownText();
    int x = pos.X - EditRect().Left + scrollX_ - LineIndent(shown, line);
    // The boundary nearest the point: past the middle of a character is after it.
    for (int column = 0; column < line.Length; ++column) {
        int left = WidthOf(shown, line.Start, column);
        int right = WidthOf(shown, line.Start, column + 1);
        if (x < (left + right + 1) / 2)
            return line.Start + column;
    }
    return line.Start + line.Length;
}

void TEdit::ScrollCaret() {
    TRect rect = EditRect();
    int x = PosFromChar(caret_).X + scrollX_ - rect.Left;
    int width = std::max(rect.Width() - 1, 0);
    if (x - scrollX_ > width)
        scrollX_ = x - width;
    if (x < scrollX_)
        scrollX_ = x;
    // A line that got shorter comes back rather than leave empty room at the right; so does one
    // scrolled while the rectangle was narrower.
    if (!WrapsLines()) {
        std::u32string shown = ShownText();
        int textWidth = 0;
        for (const Line& line : Lines())
            textWidth = std::max(textWidth, WidthOf(shown, line.Start, line.Length));
        scrollX_ = std::min(scrollX_, std::max(textWidth - width, 0));
    }
    // A text selected whole, as an editor opens with it, shows from its start.
    if (SelLength() > 0 && SelLength() == Length())
        scrollX_ = 0;
    // Wrapped lines fit the width: only the spaces at a break may run past it.
    scrollX_ = WrapsLines() ? 0 : std::max(scrollX_, 0);
    if (!multiline_)
        return;
    int caretLine = LineOf(caret_);
    int visible = VisibleLineCount();
    if (caretLine < firstLine_)
        firstLine_ = caretLine;
    else if (caretLine >= firstLine_ + visible)
        firstLine_ = caretLine - visible + 1;
    int lastTop = std::max(static_cast<int>(Lines().size()) - visible, 0);
    firstLine_ = std::clamp(firstLine_, 0, std::max(lastTop, caretLine - visible + 1));
}

void TEdit::LineScroll(TMessage& Message) {
    if (!multiline_) {
        Message.Result = 0;
        return;
    }
    int lastTop = std::max(static_cast<int>(Lines().size()) - VisibleLineCount(), 0);
    firstLine_ = std::clamp(firstLine_ + static_cast<int>(Message.LParam), 0, lastTop);
    if (!WrapsLines()) {
        Canvas()->Font()->Assign(*Font());
        scrollX_ = std::max(scrollX_ + static_cast<int>(Message.WParam) * Canvas()->TextWidth("x"), 0);
    }
    Invalidate();
    Message.Result = 1;
}

int TEdit::FirstVisibleChar() const {
    return CharFromPos({EditRect().Left, LineTop(0)});
}

void TEdit::PaintLine(TCanvas& canvas, const std::u32string& shown, const Line& line, int lineIndex) {
    TRect rect = EditRect();
    int top = LineTop(lineIndex);
    int height = LineHeight();
    int left = rect.Left - scrollX_ + LineIndent(shown, line);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    std::u32string text =
        shown.substr(static_cast<std::size_t>(line.Start), static_cast<std::size_t>(line.Length));
    canvas.TextRect(rect, left, top, Utf32ToUtf8(text));
    // The selected part of the line, drawn over in the highlight colours while focused.
    int selStart = std::clamp(SelStart() - line.Start, 0, line.Length);
    int selEnd = std::clamp(SelStart() + SelLength() - line.Start, 0, line.Length);
    if (!Focused() || selEnd <= selStart)
        return;
    int x1 = left + WidthOf(shown, line.Start, selStart);
    int x2 = left + WidthOf(shown, line.Start, selEnd);
    TRect band = TRect{std::max(x1, rect.Left), std::max(top, rect.Top), std::min(x2, rect.Right),
                       std::min(top + height, rect.Bottom)};
    if (band.IsEmpty())
        return;
    canvas.Brush()->SetColor(clHighlight);
    canvas.FillRect(band);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(clHighlightText);
    canvas.TextRect(band, x1, top,
                    Utf32ToUtf8(text.substr(static_cast<std::size_t>(selStart),
                                            static_cast<std::size_t>(selEnd - selStart))));
}

void TEdit::Paint() {
    TCanvas& canvas = *Canvas();
    TRect client = ClientRect();
    if (client.IsEmpty())
        return;
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FillRect({0, 0, client.Right, 1});
    canvas.FillRect({0, 0, 1, client.Bottom});
    canvas.Brush()->SetColor(clBtnHighlight);
    canvas.FillRect({0, client.Bottom - 1, client.Right, client.Bottom});
    canvas.FillRect({client.Right - 1, 0, client.Right, client.Bottom});
    std::u32string shown = ShownText();
    std::vector<Line> lines = Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) PaintLine(canvas, shown, lines[i], static_cast<int>(i));
    if (!Focused())
        return;
    // The caret: a bar one pixel wide at the selection's moving end.
    TPoint caret = PosFromChar(caret_);
    TRect rect = EditRect();
    if (caret.X < rect.Left || caret.X >= rect.Right)
        return;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Font()->Color());
    canvas.FillRect(
        {caret.X, std::max(caret.Y, rect.Top), caret.X + 1, std::min(caret.Y + LineHeight(), rect.Bottom)});
}
