// The grid's title tree built from any column captions (words split by '|'), one column a line: a
// line starting with '-' is a hidden column, a first line of "#" switches the column lines off. Only "Node
// not in Tree" and "ATo not in level" may be raised; a built tree has every column's leaf in it, below the
// root, with closed sibling rings.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/head_tree.h"
#include "platform/ui/headless.h"

namespace {

void CheckTree(TCustomDBGridEh& grid) {
    THeadTreeNode* root = grid.HeadTree();
    int nodes = 0;
    root->ForEachNode(
        [&](TCustomDBGridEh*, THeadTreeNode* node) {
            ++nodes;
            if (node->Parent == nullptr || node->Parent->FirstChild == nullptr)
                std::abort();
            // Walking a sibling ring comes back to the parent's first child.
            const THeadTreeNode* sibling = node;
            int steps = 0;
            do {
                if (sibling->Parent != node->Parent || ++steps > 100000)
                    std::abort();
                sibling = sibling->NextInRing;
            } while (sibling != node);
        },
        &grid);
    for (const TLeafCol& leaf : grid.LeafColumns())
        if (leaf.FLeaf == nullptr || !root->Contains(leaf.FLeaf) || leaf.FLeaf->LeafColumn != leaf.FColumn)
            std::abort();
    if (nodes < static_cast<int>(grid.LeafColumns().size()))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::ui::HeadlessSession* ui = new platform::ui::HeadlessSession();
    (void)ui;
    std::string text(reinterpret_cast<const char*>(data), size);
    auto grid = MakeComponent<TCustomDBGridEh>(nullptr);
    TDBGridEhOptions options = grid->Options();
    if (text.starts_with("#\n"))
        options.Exclude(gdoColLinesEh), text.erase(0, 2);
    grid->SetOptions(options);
    TDBGridColumnsEh& columns = *grid->Columns();
    std::size_t start = 0;
    for (int i = 0; i < 64 && start <= text.size(); ++i) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string caption = text.substr(start, end - start);
        start = end + 1;
        TColumnEh* column = columns.Add();
        column->SetWidth(static_cast<int>(caption.size()) * 7);
        if (caption.starts_with('-'))
            column->SetVisible(false), caption.erase(0, 1);
        column->Title()->SetCaption(caption);
    }
    try {
        grid->HeadTree()->BuildFromColumns(*grid);
    } catch (const Exception& e) {
        if (e.Message != "Node not in Tree" && e.Message != "ATo not in level")
            std::abort();
        return 0;
    }
    CheckTree(*grid);
    return 0;
}
