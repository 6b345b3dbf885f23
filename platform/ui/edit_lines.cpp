// TEdit: the text cut into lines at its line breaks and, when wrapping, at the formatting
// rectangle's width.
#include "platform/rtl/strings.h"
#include "platform/ui/edit.h"

std::vector<TEdit::Line> TEdit::Lines() const {
    std::u32string text = Utf8ToUtf32(text_);
    std::u32string shown = WrapsLines() ? ShownText() : std::u32string();
    int width = WrapsLines() ? std::max(EditRect().Width(), 1) : 0;
    std::vector<Line> lines;
    auto paragraph = [&](int start, int count) {
        if (WrapsLines())
            WrapParagraph(shown, start, count, width, lines);
        else
            lines.push_back({start, count});
    };
    int start = 0;
    int size = static_cast<int>(text.size());
    for (int i = 0; multiline_ && i < size; ++i) {
        if (text[static_cast<std::size_t>(i)] != U'\n')
            continue;
        int end = i > start && text[static_cast<std::size_t>(i) - 1] == U'\r' ? i - 1 : i;
        paragraph(start, end - start);
        start = i + 1;
    }
    paragraph(start, size - start);
    return lines;
}

void TEdit::WrapParagraph(const std::u32string& shown, int start, int count, int width,
                          std::vector<Line>& lines) const {
    auto at = [&](int index) { return shown[static_cast<std::size_t>(index)]; };
    int end = start + count;
    int pos = start;
    while (end - pos > 0 && WidthOf(shown, pos, end - pos) > width) {
        // The most characters that fit, at least one.
        int low = 1;
        int high = end - pos;
        while (low < high) {
            int middle = (low + high + 1) / 2;
            if (WidthOf(shown, pos, middle) <= width)
                low = middle;
            else
                high = middle - 1;
        }
        // Break after the last blank among them (or right after them), keeping the blanks on this line;
        // a word longer than the line breaks between characters.
        int breakAt = pos + low;
        while (breakAt > pos && at(breakAt) != U' ' && at(breakAt - 1) != U' ') --breakAt;
        if (breakAt == pos)
            breakAt = pos + low;
        while (breakAt < end && at(breakAt) == U' ') ++breakAt;
        if (breakAt == end)
            break;
        lines.push_back({pos, breakAt - pos});
        pos = breakAt;
    }
    lines.push_back({pos, end - pos});
}
