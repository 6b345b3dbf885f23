// Building the title tree from the grid's columns: every column becomes a leaf of the root, then
// runs of adjacent leaves whose captions start with the same word get a group node of that word,
// pass after pass, until no caption has a group word left to give.
#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_text_words.h"
#include "data_grid/head_tree.h"

namespace {

constexpr int GroupTitleHeight = 20;
constexpr int SortMarkerIndent = 16;

const TWordDelimitersEh& TitleDelimiters() {
    static const TWordDelimitersEh delimiters{'|'};
    return delimiters;
}

std::string TitleCaption(IGridColumnEh* Column) {
    auto* column = dynamic_cast<TColumnEh*>(Column);
    return column != nullptr ? column->Title()->Caption() : std::string();
}

TSortMarkerEh TitleSortMarker(IGridColumnEh* Column) {
    auto* column = dynamic_cast<TColumnEh*>(Column);
    return column != nullptr ? column->Title()->SortMarker() : Column->SortMarker();
}

void DropFirstWord(THeadTreeNode* Leaf, int SecondWordPos) {
    Leaf->Caption.erase(0, static_cast<std::size_t>(SecondWordPos - 1));
}

// One pass over the leaves; false when it changed nothing.
bool GroupPass(THeadTreeNode& Root, std::vector<TLeafCol>& Leaves) {
    bool changed = false;
    const std::size_t count = Leaves.size();
    for (std::size_t i = 0; i < count; ++i) {
        THeadTreeNode* leaf = Leaves[i].FLeaf;
        int second = NthWordPosition(2, leaf->Caption, TitleDelimiters());
        if (second == 0)
            continue;
        const std::string word = NthWord(1, leaf->Caption, TitleDelimiters());
        std::size_t j = i;
        while (j + 1 < count && NthWord(1, Leaves[j + 1].FLeaf->Caption, TitleDelimiters()) == word)
            DropFirstWord(Leaves[j++].FLeaf, second);
        DropFirstWord(Leaves[j].FLeaf, second);
        changed = true;
        if (leaf->AncestorCount() == Leaves[j].FLeaf->AncestorCount()) {
            Root.GroupSiblings(leaf, Leaves[j].FLeaf, word, GroupTitleHeight);
            return true;
        }
    }
    return changed;
}

}  // namespace

void THeadTreeNode::BuildFromColumns(TCustomDBGridEh& Grid) {
    FreeChildren();
    IGridColumnsEh& columns = *Grid.ColumnsPart();
    const bool colLines = Grid.Options().Contains(gdoColLinesEh);
    std::vector<TLeafCol>& leaves = Grid.LeafColumns();
    const int titleHeight = Grid.RowCount() > 0 ? Grid.RowHeights(0) : Grid.DefaultRowHeight();
    leaves.assign(static_cast<std::size_t>(columns.Count()), TLeafCol{});
    for (int i = 0; i < columns.Count(); ++i) {
        IGridColumnEh* column = columns.Items(i);
        const int hidden = colLines ? -1 : 0;
        THeadTreeNode* leaf = AppendChild(this, TitleCaption(column), titleHeight,
                                          column->Visible() ? column->Width() : hidden);
        leaf->LeafColumn = dynamic_cast<TColumnEh*>(column);
        if (TitleSortMarker(column) != smNoneEh)
            leaf->TextIndent = SortMarkerIndent;
        leaf->LineWidth = colLines ? 1 : 0;
        leaves[static_cast<std::size_t>(i)] = TLeafCol{leaf, leaf->LeafColumn};
    }
    while (GroupPass(*this, leaves)) {
    }
}
