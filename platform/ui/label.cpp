#include "platform/ui/label.h"

#include "platform/ui/accelerators.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/win_control.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAutoSize(bool value) {
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustSize();
}

void TLabel::SetWordWrap(bool value) {
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    AdjustSize();
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    if (value == transparent_)
        return;
    transparent_ = value;
    Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
    if (value == layout_)
        return;
    layout_ = value;
    Invalidate();
}

std::vector<std::string> WrapText(TCanvas& canvas, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find('\n', start);
        std::string paragraph =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.pop_back();
        std::string line;
        std::size_t pos = 0;
        while (pos <= paragraph.size()) {
            std::size_t blank = paragraph.find(' ', pos);
            std::string word =
                paragraph.substr(pos, blank == std::string::npos ? std::string::npos : blank - pos);
            std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && canvas.TextWidth(candidate) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            if (blank == std::string::npos)
                break;
            pos = blank + 1;
        }
        lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> TLabel::Lines(TCanvas& canvas, int width) const {
    if (wordWrap_)
        return WrapText(canvas, Caption(), width);
    std::vector<std::string> lines;
    std::string text = Caption();
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

void TLabel::AdjustSize() {
    if (!autoSize_)
        return;
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(*Font());
    // An empty caption still takes the room of one blank line.
    std::vector<std::string> lines =
        Caption().empty() ? std::vector<std::string>{" "} : Lines(canvas, Width());
    int textWidth = 0;
    for (const auto& line : lines)
        textWidth = std::max(textWidth, canvas.TextWidth(line.empty() ? " " : ShownText(line)));
    int height = canvas.TextHeight("Wg") * static_cast<int>(lines.size());
    int width = wordWrap_ ? Width() : textWidth;
    int left = Left();
    if (alignment_ == taRightJustify)
        left = Left() + Width() - width;
    SetBounds(left, Top(), width, height);
}

std::string TLabel::ShownText(const std::string& line) const {
    if (!ShowAccelChar)
        return line;
    // "&x" shows x underlined, "&&" one ampersand.
    std::string shown;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '&' && i + 1 < line.size())
            ++i;
        shown += line[i];
    }
    return shown;
}

void TLabel::DrawLine(TCanvas& canvas, const TRect& client, int x, int y, const std::string& line) const {
    if (!ShowAccelChar) {
        canvas.TextRect(client, x, y, line);
        return;
    }
    TRect r{x, y, client.Right, client.Bottom};
    r = IntersectRect(r, client);
    DrawText(canvas.Handle(), line, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE);
}

void TLabel::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_DIALOGCHAR && ShowAccelChar && FocusControl != nullptr &&
        IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && FocusControl->CanFocus()) {
        FocusControl->SetFocus();
        Message.Result = 1;
        return;
    }
    TGraphicControl::Dispatch(Message);
}

void TLabel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect client = ClientRect();
    if (!transparent_) {
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(client);
    }
    canvas.Brush()->SetStyle(bsClear);
    if (!Enabled())
        canvas.Font()->SetColor(clGrayText);
    std::vector<std::string> lines = Lines(canvas, client.Width());
    int lineHeight = canvas.TextHeight("Wg");
    int total = lineHeight * static_cast<int>(lines.size());
    int y = layout_ == tlTop      ? 0
            : layout_ == tlCenter ? (client.Height() - total) / 2
                                  : client.Height() - total;
    for (const auto& line : lines) {
        int w = canvas.TextWidth(line);
        int x = alignment_ == taLeftJustify ? 0
                : alignment_ == taCenter    ? (client.Width() - w) / 2
                                            : client.Width() - w;
        DrawLine(canvas, client, x, y, line);
        y += lineHeight;
    }
}
