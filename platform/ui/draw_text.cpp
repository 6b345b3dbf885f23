#include "platform/ui/draw_text.h"

#include <algorithm>
#include <vector>

#include "platform/ui/window_system.h"

namespace {

constexpr std::string_view kEllipsis = "...";

// One line as it is shown: prefixes taken out, the bytes where underlined characters start.
struct Line {
    std::string Text;
    std::vector<std::size_t> Underlines;
};

std::size_t NextChar(std::string_view s, std::size_t i) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    return i;
}

std::size_t PreviousChar(std::string_view s, std::size_t i) {
    while (i > 0 && (static_cast<unsigned char>(s[--i]) & 0xC0) == 0x80) {
    }
    return i;
}

// Everything DrawText needs to know about the canvas's font and the format.
class TextLayout {
  public:
    TextLayout(TCanvas& canvas, UINT format, int tabLength) : canvas_(canvas), format_(format) {
        auto& engine = platform::ui::CurrentWindowSystem().Text();
        metrics_ = engine.Metrics(canvas.Font()->Spec());
        if ((format & DT_EXPANDTABS) != 0)
            tabWidth_ = std::max(1, (tabLength > 0 ? tabLength : 8) * std::max(1, metrics_.AveCharWidth));
    }

    bool Has(UINT flag) const { return (format_ & flag) != 0; }
    int LineHeight() const {
        return metrics_.Height + (Has(DT_EXTERNALLEADING) ? metrics_.ExternalLeading : 0);
    }
    const platform::ui::FontMetrics& Metrics() const { return metrics_; }

    // Width of text from the line's start, tab stops counted from there.
    int Advance(std::string_view text) const {
        if (tabWidth_ == 0)
            return canvas_.TextWidth(text);
        int x = 0;
        for (std::size_t start = 0;;) {
            const std::size_t tab = text.find('\t', start);
            x += canvas_.TextWidth(text.substr(start, tab == std::string_view::npos ? tab : tab - start));
            if (tab == std::string_view::npos)
                return x;
            x = (x / tabWidth_ + 1) * tabWidth_;
            start = tab + 1;
        }
    }

    // Draws one line's text from (x, y) within clip, tabs expanded.
    void DrawRuns(const std::string& text, int x, int y, const TRect& clip) const {
        for (std::size_t start = 0;;) {
            const std::size_t tab = tabWidth_ == 0 ? std::string::npos : text.find('\t', start);
            const std::string_view run =
                std::string_view(text).substr(start, tab == std::string::npos ? tab : tab - start);
            canvas_.TextRect(clip, x + Advance(std::string_view(text).substr(0, start)), y, run);
            if (tab == std::string::npos)
                return;
            start = tab + 1;
        }
    }

  private:
    TCanvas& canvas_;
    UINT format_;
    platform::ui::FontMetrics metrics_;
    int tabWidth_ = 0;  // 0: tabs are characters like any other
};

std::vector<std::string_view> SplitLines(std::string_view text, bool single) {
    std::vector<std::string_view> lines;
    if (single)
        return {text};
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// "&x" underlines x, "&&" shows one '&', a lone '&' at the end shows nothing.
Line TakePrefixes(std::string_view text, bool process) {
    Line line;
    if (!process) {
        line.Text = text;
        return line;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            line.Text += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '&') {
            line.Text += '&';
            ++i;
        } else if (i + 1 < text.size()) {
            line.Underlines.push_back(line.Text.size());
        }
    }
    return line;
}

Line Slice(const Line& line, std::size_t from, std::size_t to) {
    Line part{line.Text.substr(from, to - from), {}};
    for (std::size_t u : line.Underlines)
        if (u >= from && u < to)
            part.Underlines.push_back(u - from);
    return part;
}

// The longest run of whole characters from `from` that fits width; at least one character.
std::size_t FitChars(const TextLayout& layout, const std::string& text, std::size_t from, std::size_t to,
                     int width) {
    std::size_t end = NextChar(text, from);
    for (std::size_t next = end; next < to; end = next) {
        next = NextChar(text, end);
        if (layout.Advance(std::string_view(text).substr(from, next - from)) > width)
            break;
    }
    return std::min(end, to);
}

// Breaks a line between words so that each piece fits width; the blanks at a break go. A word
// wider than the line stands alone (broken between characters with DT_EDITCONTROL).
std::vector<Line> WrapWords(const TextLayout& layout, const Line& line, int width) {
    const std::string& s = line.Text;
    std::vector<Line> out;
    std::size_t start = 0;
    do {
        std::size_t end = std::string::npos;
        for (std::size_t pos = start; pos < s.size();) {
            std::size_t wordEnd = s.find_first_not_of(' ', pos);
            wordEnd = wordEnd == std::string::npos ? s.size() : s.find(' ', wordEnd);
            wordEnd = wordEnd == std::string::npos ? s.size() : wordEnd;
            if (layout.Advance(std::string_view(s).substr(start, wordEnd - start)) <= width) {
                end = pos = wordEnd;
                continue;
            }
            if (end == std::string::npos)  // the first word alone is too wide
                end = layout.Has(DT_EDITCONTROL) ? FitChars(layout, s, start, wordEnd, width) : wordEnd;
            break;
        }
        if (end == std::string::npos)
            end = s.size();
        out.push_back(Slice(line, start, end));
        start = s.find_first_not_of(' ', end);
        start = start == std::string::npos ? s.size() : start;
    } while (start < s.size());
    return out;
}

// Cuts the end of a line that is too wide and puts "..." there.
void EndEllipsis(const TextLayout& layout, Line& line, int width) {
    if (layout.Advance(line.Text) <= width)
        return;
    std::size_t keep = line.Text.size();
    while (keep > 0) {
        keep = PreviousChar(line.Text, keep);
        if (layout.Advance(line.Text.substr(0, keep) + std::string(kEllipsis)) <= width)
            break;
    }
    line.Text = line.Text.substr(0, keep) + std::string(kEllipsis);
    std::erase_if(line.Underlines, [keep](std::size_t u) { return u >= keep; });
}

std::vector<Line> LayOut(const TextLayout& layout, std::string_view text, int width) {
    std::vector<Line> lines;
    for (std::string_view each : SplitLines(text, layout.Has(DT_SINGLELINE))) {
        Line line = TakePrefixes(each, !layout.Has(DT_NOPREFIX));
        if (layout.Has(DT_WORDBREAK) && !layout.Has(DT_SINGLELINE)) {
            for (Line& piece : WrapWords(layout, line, width)) lines.push_back(std::move(piece));
        } else {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

class ScopedBrush {
  public:
    explicit ScopedBrush(TBrush& brush) : brush_(brush) { saved_.Assign(brush); }
    ~ScopedBrush() { brush_.Assign(saved_); }
    ScopedBrush(const ScopedBrush&) = delete;
    ScopedBrush& operator=(const ScopedBrush&) = delete;

  private:
    TBrush& brush_;
    TBrush saved_;
};

void FillWith(TCanvas& canvas, const TRect& rect, TColor color) {
    ScopedBrush keep(*canvas.Brush());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.FillRect(rect);
}

// Draws one laid-out line with its cell's top-left at (x, y), within clip.
void DrawLine(TCanvas& canvas, const TextLayout& layout, const Line& line, TPoint at, const TRect& clip) {
    const int width = layout.Advance(line.Text);
    const TRect cell = Bounds(at.X, at.Y, width, layout.LineHeight());
    const bool opaque = canvas.Brush()->Style() != bsClear;
    if (!layout.Has(DT_PREFIXONLY)) {
        if (opaque)
            canvas.FillRect(IntersectRect(cell, clip));
        ScopedBrush keep(*canvas.Brush());
        canvas.Brush()->SetStyle(bsClear);
        layout.DrawRuns(line.Text, at.X, at.Y, clip);
    }
    if (layout.Has(DT_HIDEPREFIX))
        return;
    const int underlineY = at.Y + layout.Metrics().Ascent + 1;
    for (std::size_t u : line.Underlines) {
        const int left = at.X + layout.Advance(std::string_view(line.Text).substr(0, u));
        const int right =
            at.X + layout.Advance(std::string_view(line.Text).substr(0, NextChar(line.Text, u)));
        FillWith(canvas, IntersectRect(Rect(left, underlineY, right, underlineY + 1), clip),
                 canvas.Font()->Color());
    }
}

int LineLeft(const TextLayout& layout, const TRect& area, int width) {
    if (layout.Has(DT_CENTER))
        return area.Left + (area.Width() - width) / 2;
    if (layout.Has(DT_RIGHT))
        return area.Right - width;
    return area.Left;
}

int FirstLineTop(const TextLayout& layout, const TRect& area, int textHeight) {
    if (!layout.Has(DT_SINGLELINE))
        return area.Top;
    if (layout.Has(DT_VCENTER))
        return area.Top + (area.Height() - textHeight) / 2;
    if (layout.Has(DT_BOTTOM))
        return area.Bottom - textHeight;
    return area.Top;
}

// Far enough around the text that nothing is cut: what DT_NOCLIP means.
TRect Unclipped(const TRect& area, int lineHeight, int lines) {
    constexpr int kFar = 1 << 20;
    return {area.Left - kFar, area.Top - kFar, area.Right + kFar, area.Top + lineHeight * lines + kFar};
}

}  // namespace

int DrawTextEx(HDC dc, std::string_view text, int count, TRect* rect, UINT format, DRAWTEXTPARAMS* params) {
    if (dc == nullptr || rect == nullptr)
        return 0;
    if (count >= 0 && static_cast<std::size_t>(count) < text.size())
        text = text.substr(0, static_cast<std::size_t>(count));
    int tabLength = params != nullptr ? params->iTabLength : 0;
    if ((format & DT_TABSTOP) != 0) {
        tabLength = static_cast<int>((format >> 8) & 0xFF);
        format &= ~0xFF00u;  // those bits held the tab length, not flags
    }
    const int leftMargin = params != nullptr ? params->iLeftMargin : 0;
    const int rightMargin = params != nullptr ? params->iRightMargin : 0;
    if (params != nullptr)
        params->uiLengthDrawn = static_cast<UINT>(text.size());

    TextLayout layout(*dc, format, tabLength);
    const TRect area{rect->Left + leftMargin, rect->Top, rect->Right - rightMargin, rect->Bottom};
    std::vector<Line> lines = LayOut(layout, text, area.Width());
    const int lineHeight = layout.LineHeight();
    const int textHeight = lineHeight * static_cast<int>(lines.size());
    if (layout.Has(DT_CALCRECT)) {
        int widest = 0;
        for (const Line& line : lines) widest = std::max(widest, layout.Advance(line.Text));
        rect->Right = rect->Left + leftMargin + widest + rightMargin;
        rect->Bottom = rect->Top + textHeight;
        return textHeight;
    }
    const bool ellipsis = layout.Has(DT_END_ELLIPSIS) || layout.Has(DT_WORD_ELLIPSIS);
    const int top = FirstLineTop(layout, area, textHeight);
    const TRect clip =
        layout.Has(DT_NOCLIP) ? Unclipped(area, lineHeight, static_cast<int>(lines.size())) : *rect;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (ellipsis)
            EndEllipsis(layout, lines[i], area.Width());
        const TPoint at{LineLeft(layout, area, layout.Advance(lines[i].Text)),
                        top + lineHeight * static_cast<int>(i)};
        DrawLine(*dc, layout, lines[i], at, clip);
    }
    const bool placed = layout.Has(DT_SINGLELINE) && (layout.Has(DT_VCENTER) || layout.Has(DT_BOTTOM));
    return placed ? top - rect->Top + textHeight : textHeight;
}

int DrawText(HDC dc, std::string_view text, int count, TRect* rect, UINT format) {
    return DrawTextEx(dc, text, count, rect, format, nullptr);
}

bool ExtTextOut(HDC dc, int x, int y, UINT options, const TRect* rect, std::string_view text, const int* dx) {
    if (dc == nullptr)
        return false;
    if (rect != nullptr && (options & ETO_OPAQUE) != 0)
        FillWith(*dc, *rect, dc->Brush()->Color());
    std::vector<int> lefts;  // where each character starts
    int width = 0;
    for (std::size_t i = 0; i < text.size(); i = NextChar(text, i)) {
        lefts.push_back(x + width);
        width += dx != nullptr ? dx[lefts.size() - 1] : dc->TextWidth(text.substr(i, NextChar(text, i) - i));
    }
    const int height = dc->TextHeight(text);
    const TRect cell = Bounds(x, y, width, height);
    const TRect clip = rect != nullptr && (options & ETO_CLIPPED) != 0 ? *rect : Unclipped(cell, height, 1);
    if (dc->Brush()->Style() != bsClear)
        dc->FillRect(IntersectRect(cell, clip));
    ScopedBrush keep(*dc->Brush());
    dc->Brush()->SetStyle(bsClear);
    if (dx == nullptr) {
        dc->TextRect(clip, x, y, text);
        return true;
    }
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); i = NextChar(text, i), ++n)
        dc->TextRect(clip, lefts[n], y, text.substr(i, NextChar(text, i) - i));
    return true;
}

bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size) {
    if (dc == nullptr || size == nullptr)
        return false;
    *size = dc->TextExtent(text);
    return true;
}

bool GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
    if (dc == nullptr || metrics == nullptr)
        return false;
    const platform::ui::FontSpec& font = dc->Font()->Spec();
    const platform::ui::FontMetrics m = platform::ui::CurrentWindowSystem().Text().Metrics(font);
    *metrics = TEXTMETRIC{};
    metrics->tmHeight = m.Height;
    metrics->tmAscent = m.Ascent;
    metrics->tmDescent = m.Descent;
    metrics->tmInternalLeading = m.InternalLeading;
    metrics->tmExternalLeading = m.ExternalLeading;
    metrics->tmAveCharWidth = m.AveCharWidth;
    metrics->tmMaxCharWidth = m.MaxCharWidth;
    metrics->tmWeight = font.Style.Contains(fsBold) ? 700 : 400;
    metrics->tmItalic = font.Style.Contains(fsItalic) ? 1 : 0;
    metrics->tmUnderlined = font.Style.Contains(fsUnderline) ? 1 : 0;
    metrics->tmStruckOut = font.Style.Contains(fsStrikeOut) ? 1 : 0;
    return true;
}

UINT GetOutlineTextMetrics(HDC dc, UINT size, OUTLINETEXTMETRIC* metrics) {
    constexpr UINT recordSize = 212;
    if (metrics == nullptr || size < recordSize || !GetTextMetrics(dc, &metrics->otmTextMetrics))
        return 0;
    const platform::ui::FontMetrics m =
        platform::ui::CurrentWindowSystem().Text().Metrics(dc->Font()->Spec());
    metrics->otmSize = recordSize;
    metrics->otmsCharSlopeRise = m.SlopeRise;
    metrics->otmsCharSlopeRun = m.SlopeRun;
    return recordSize;
}
