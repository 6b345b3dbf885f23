// The rebuild's measures: row heights from the grid's font, the edit buttons' height, the room for
// wrapped words, and the title row's height, measured through the title tree with multi-titles.
#include <algorithm>

#include "data_controls/edit_button_metrics.h"
#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid.h"
#include "platform/ui/canvas.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/font.h"

namespace {

TEXTMETRIC MetricsOf(TCanvas& Canvas, const TFont& Font) {
    Canvas.Font()->Assign(Font);
    TEXTMETRIC metrics;
    GetTextMetrics(Canvas.Handle(), &metrics);
    return metrics;
}

// The caption's height in the node's title font: wrapped within the node's width, or, turned
// upward, its length.
int CaptionHeight(TCanvas& Canvas, const THeadTreeNode& Node, const TFont& Font, int ExtraHeight) {
    if (Node.NodeWidth <= 0)
        return 0;
    Canvas.Font()->Assign(Font);
    const std::string text = Node.Caption.empty() ? std::string(" ") : Node.Caption;
    const bool vertical = Node.LeafColumn != nullptr && Node.LeafColumn->Title() != nullptr &&
                          Node.LeafColumn->Title()->Orientation() == tohVertical;
    if (vertical)
        return Canvas.TextWidth(text) + 6;
    TRect rect{0, 0, std::max(Node.NodeWidth - Node.TextIndent - 4, 0), 0};
    DrawText(Canvas.Handle(), text, -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    return rect.Height() + ExtraHeight;
}

}  // namespace

TFont* TCustomDBGridEh::NodeTitleFont(const THeadTreeNode& Node) const {
    if (Node.LeafColumn != nullptr && Node.LeafColumn->Title() != nullptr)
        return Node.LeafColumn->Title()->Font();
    return titleFont_.get();
}

int TCustomDBGridEh::MeasureTitleChildren(THeadTreeNode& Node) {
    THeadTreeNode* first = Node.FirstChild;
    if (first == nullptr)
        return 0;
    struct Measured {
        THeadTreeNode* node;
        int subtree;
        int total;
    };
    std::vector<Measured> children;
    int height = 0;
    THeadTreeNode* child = first;
    do {
        const int subtree = MeasureTitleChildren(*child);
        const int own = CaptionHeight(*Canvas(), *child, *NodeTitleFont(*child), titleExtraHeight_);
        const int total = child->FirstChild != nullptr ? own + subtree : std::max(own, subtree);
        children.push_back({child, subtree, total});
        height = std::max(height, total);
        child = child->NextInRing;
    } while (child != first && child != &Node);
    // Every child reaches down to the same line; a group keeps above its subtree what is left.
    for (const Measured& m : children)
        m.node->NodeHeight = m.node->FirstChild != nullptr ? height - m.subtree : height;
    return height;
}

void TCustomDBGridEh::MeasureRows() {
    TCanvas& canvas = *Canvas();
    const TEXTMETRIC metrics = MetricsOf(canvas, *Font());
    const int margin = (flat_ ? 1 : 3) + GridLineWidthFor(gdoRowLinesEh);
    const int textHeight = std::max(canvas.TextHeight("Wg"), 1);
    const int lines = std::max(rowLines_, 0);
    int height = rowHeight_ > 0 || lines > 0
                     ? rowHeight_ + (metrics.tmExternalLeading + metrics.tmHeight) * lines
                     : textHeight + margin;
    if (extOptions_.Contains(gxoFitRowHeightToTextEh)) {
        height = FitRowHeightToText(height, textHeight, margin);
        rowLines_ = (height - margin) / textHeight;
        rowHeight_ = margin;
    }
    // A row is never less than a pixel: the row count divides by it.
    SetRowHeightsKeepingTitle(std::max(height, 1));
    const int buttonWidth = EditButtonWidth();
    editButtonHeight_ = DefaultRowHeight() <= (buttonWidth * 3 + 1) / 2
                            ? DefaultRowHeight()
                            : EditButtonHeightForWidth(buttonWidth, flat_);
    wordWrapRoom_ = metrics.tmExternalLeading + metrics.tmHeight + metrics.tmInternalLeading + titleMargin_ <
                    DefaultRowHeight();
}

int TCustomDBGridEh::FitRowHeightToText(int Height, int TextHeight, int Margin) {
    const int lines = (Height - Margin) / TextHeight;
    const int rest = (Height - Margin) % TextHeight;
    if (lines > 0 && rest <= TextHeight / 2)
        return lines * TextHeight + Margin;
    return (lines + 1) * TextHeight + Margin;
}

void TCustomDBGridEh::SetRowHeightsKeepingTitle(int Height) {
    const bool titled = ShowsTitles() > 0 && RowCount() > 0;
    // Extents set to what they are would still close the editor: only changes are made.
    if (DefaultRowHeight() != Height) {
        const int title = titled ? RowHeights(0) : 0;
        SetDefaultRowHeight(Height);
        if (titled)
            SetRowHeights(0, title);
        return;
    }
    for (int row = titled ? 1 : 0; row < RowCount(); ++row)
        if (RowHeights(row) != Height)
            SetRowHeights(row, Height);
}

void TCustomDBGridEh::MeasureTitleRow() {
    if (ShowsTitles() == 0 || RowCount() == 0)
        return;
    TCanvas& canvas = *Canvas();
    const int count = columns_ ? columns_->Count() : 0;
    auto typed = [&](int i) { return dynamic_cast<TColumnEh*>(columns_->Items(i)); };
    // The tallest of the columns' title fonts, else the grid's title font.
    const TFont* tallest = nullptr;
    int tallestHeight = 0;
    for (int i = 0; i < count; ++i) {
        TColumnEh* column = typed(i);
        if (column == nullptr || column->Title() == nullptr)
            continue;
        canvas.Font()->Assign(*column->Title()->Font());
        const int h = canvas.TextHeight("Wg");
        if (h > tallestHeight) {
            tallestHeight = h;
            tallest = column->Title()->Font();
        }
    }
    if (tallest == nullptr) {
        canvas.Font()->Assign(*titleFont_);
        tallestHeight = canvas.TextHeight("Wg");
        tallest = titleFont_.get();
    }
    int height = tallestHeight + titleMargin_;
    if (titlePixelHeight_ != 0 || titleLineCount_ != 0) {
        const TEXTMETRIC metrics = MetricsOf(canvas, *tallest);
        height = titleLineCount_ * metrics.tmHeight + metrics.tmExternalLeading + titlePixelHeight_ + 2 +
                 (options_.Contains(gdoRowLinesEh) ? 1 : 0);
    }
    if (useMultiTitle_) {
        canvas.Font()->Assign(*titleFont_);
        headTree_->BuildFromColumns(*this);
        height = MeasureTitleChildren(*headTree_) - (extOptions_.Contains(gxoFixed3DEh) ? 1 : 3);
    }
    SetRowHeights(0, std::max(height, 1));
}
