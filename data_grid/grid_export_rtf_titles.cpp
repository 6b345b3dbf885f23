// RTF titles: one row of the columns' titles, or with multi-row titles the title tree over the
// exported columns as a matrix whose group titles are merged cells: a node covering several
// columns or rows loses the borders inside what it covers, and the cells it covers are emptied.
#include <algorithm>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_export.h"
#include "data_grid/head_tree.h"
#include "platform/ui/font.h"

namespace {

constexpr int Twips = 1440;
constexpr int CanvasPixelsPerInch = ScreenPixelsPerInch;

}  // namespace

void TDBGridEhExportAsRTF::PutTitle(TColumnsEhList& Columns) {
    if (Grid()->UseMultiTitle())
        PutMultiRowTitle(Columns);
    else
        PutSingleRowTitle(Columns);
}

void TDBGridEhExportAsRTF::PutSingleRowTitle(TColumnsEhList& Columns) {
    std::vector<TRtfCell> cells;
    for (int i = 0; i < Columns.Count(); ++i) {
        const TColumnTitleEh& title = *Columns.ColumnAt(i)->Title();
        TRtfCell cell;
        cell.Shading = title.Color();
        cell.Background = title.Color();
        cell.Alignment = title.Alignment();
        cell.Font = FontOf(*title.Font());
        cell.Text = title.Caption();
        cells.push_back(std::move(cell));
    }
    WriteRow(cells, RowSpacing());
}

TTitleMatrixEh TDBGridEhExportAsRTF::BuildTitleMatrix(TColumnsEhList& Columns) {
    if (Grid()->LeafColumns().size() != static_cast<std::size_t>(Grid()->ColumnsPart()->Count()))
        Grid()->HeadTree()->BuildFromColumns(*Grid());
    const THeadTreeNode* root = Grid()->HeadTree();
    std::vector<THeadTreeNode*> nodes;
    std::vector<int> heights;
    for (int i = 0; i < Columns.Count(); ++i) {
        THeadTreeNode* leaf =
            Grid()->LeafColumns().at(static_cast<std::size_t>(Columns.ColumnAt(i)->Index())).FLeaf;
        nodes.push_back(leaf);
        heights.push_back(leaf->NodeHeight);
    }
    TTitleMatrixEh matrix;
    if (nodes.empty())
        return matrix;
    while (true) {
        matrix.push_back(nodes);
        const int lowest = *std::min_element(heights.begin(), heights.end());
        bool moved = false;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            THeadTreeNode* parent = nodes[i]->Parent;
            if (heights[i] != lowest || parent == nullptr || parent == root)
                continue;
            nodes[i] = parent;
            heights[i] += parent->NodeHeight;
            moved = true;
        }
        if (!moved)
            return matrix;
    }
}

TTitleSpanEh TDBGridEhExportAsRTF::TitleCellSpan(TTitleMatrixEh& Matrix, int Col, int Row) {
    const auto at = [&Matrix](int C, int R) -> THeadTreeNode*& {
        return Matrix[static_cast<std::size_t>(R)][static_cast<std::size_t>(C)];
    };
    THeadTreeNode* node = at(Col, Row);
    TTitleSpanEh span{Col, Col, Row, Row};
    while (span.Bottom > 0 && at(Col, span.Bottom - 1) == node) --span.Bottom;
    const int columns = static_cast<int>(Matrix[static_cast<std::size_t>(Row)].size());
    while (span.Right + 1 < columns && at(span.Right + 1, Row) == node) ++span.Right;
    for (int r = span.Bottom; r <= span.Top; ++r)
        for (int c = span.Left; c <= span.Right; ++c)
            if (c != Col || r != Row)
                at(c, r) = nullptr;
    return span;
}

void TDBGridEhExportAsRTF::ExcludeInnerBorders(const TTitleSpanEh& Span) {
    for (int r = Span.Bottom; r <= Span.Top; ++r) {
        for (int c = Span.Left; c <= Span.Right; ++c) {
            std::array<bool, 4>& excluded = excludedBorders_[{c, r}];
            excluded[0] = c != Span.Left;
            excluded[1] = r != Span.Top;
            excluded[2] = r != Span.Bottom;
            excluded[3] = c != Span.Right;
        }
    }
}

std::vector<TDBGridEhExportAsRTF::TRtfCell> TDBGridEhExportAsRTF::TitleMatrixRow(TTitleMatrixEh& Matrix,
                                                                                 TColumnsEhList& Columns,
                                                                                 int Row) {
    std::vector<TRtfCell> cells;
    for (int c = 0; c < Columns.Count(); ++c) {
        THeadTreeNode* node = Matrix[static_cast<std::size_t>(Row)][static_cast<std::size_t>(c)];
        if (node != nullptr)
            ExcludeInnerBorders(TitleCellSpan(Matrix, c, Row));
        TRtfCell cell;
        const auto excluded = excludedBorders_.find({c, Row});
        for (std::size_t side = 0; side < 4; ++side)
            cell.Borders[side] = excluded == excludedBorders_.end() || !excluded->second[side];
        const TColumnTitleEh& title = *Columns.ColumnAt(c)->Title();
        cell.Shading = Row == 0 ? title.Color() : Grid()->FixedColor();
        cell.Background = cell.Shading;
        cell.Font = FontOf(Row == 0 ? *title.Font() : *Grid()->TitleFont());
        cell.Alignment = taCenter;
        cell.Text = node != nullptr ? node->Caption : std::string();
        cell.Emptied = node == nullptr && Row != 0;
        cells.push_back(std::move(cell));
    }
    return cells;
}

void TDBGridEhExportAsRTF::PutMultiRowTitle(TColumnsEhList& Columns) {
    const std::string spacing = std::to_string(static_cast<int>(
        static_cast<double>(Grid()->TitleExtraHeight()) / 2 / CanvasPixelsPerInch * Twips - 20));
    TTitleMatrixEh matrix = BuildTitleMatrix(Columns);
    excludedBorders_.clear();
    for (int row = static_cast<int>(matrix.size()) - 1; row >= 0; --row)
        WriteRow(TitleMatrixRow(matrix, Columns, row), spacing);
}
