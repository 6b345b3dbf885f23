// The title tree: group titles built from the columns' "|"-separated captions, and the node
// operations the building stands on (the sibling ring, grouping, and their two refusals).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/column_title.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/head_tree.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless.h"

namespace {

constexpr int TitleRowHeight = 50;

// Keeps the title row at TitleRowHeight: the layout rebuild is left out.
class TitleTreeGrid : public TCustomDBGridEh {
  public:
    using TCustomDBGridEh::TCustomDBGridEh;
    void RebuildGridLayout() override {}
    TDBGridColumnsEh& GridColumns() { return static_cast<TDBGridColumnsEh&>(*Columns()); }
};

// "Caption width/height" per node, "+indent" when there is one, children in braces.
std::string Describe(const THeadTreeNode* first) {
    std::string out;
    if (first == nullptr)
        return out;
    const THeadTreeNode* node = first;
    do {
        if (!out.empty())
            out += ' ';
        out += node->Caption + ' ' + std::to_string(node->NodeWidth) + '/' + std::to_string(node->NodeHeight);
        if (node->TextIndent != 0)
            out += '+' + std::to_string(node->TextIndent);
        if (node->FirstChild != nullptr)
            out += '{' + Describe(node->FirstChild) + '}';
        node = node->NextInRing;
    } while (node != first);
    return out;
}

struct TitleTree : ::testing::Test {
    platform::ui::HeadlessSession ui;
    TForm* form = nullptr;
    TitleTreeGrid* grid = nullptr;

    TitleTree() {
        Application->CreateForm(&form);
        grid = NewComponent<TitleTreeGrid>(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 400, 200);
    }
    TColumnEh* AddColumn(const std::string& caption, int width = 30) {
        TColumnEh* column = grid->GridColumns().Add();
        column->Title()->SetCaption(caption);
        column->SetWidth(width);
        return column;
    }
    std::string Build(bool colLines) {
        TDBGridEhOptions options = grid->Options();
        if (colLines)
            options.Include(gdoColLinesEh);
        else
            options.Exclude(gdoColLinesEh);
        grid->SetOptions(options);
        grid->SetRowHeights(0, TitleRowHeight);
        grid->HeadTree()->BuildFromColumns(*grid);
        return Describe(grid->HeadTree()->FirstChild);
    }
};

void ExpectRaises(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no exception, expected " << message;
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, message);
    }
}

struct TreeCase {
    const char* name;
    std::vector<std::string> captions;
    std::vector<bool> visible;  // empty: all visible
    bool colLines;
    const char* tree;
};

TEST_F(TitleTree, CaptionsBuildGroupTitlesOverAdjacentColumns) {
    const TreeCase cases[] = {
        {"shared first word", {"A|x", "A|y", "B"}, {}, true, "A 61/20{x 30/30 y 30/30} B 30/50"},
        {"nested groups",
         {"A|B|x", "A|B|y", "A|C|z"},
         {},
         true,
         "A 92/20{B 61/20{x 30/10 y 30/10} C 30/20{z 30/10}}"},
        {"same words apart",
         {"A|x", "B|y", "A|z"},
         {},
         false,
         "A 30/20{x 30/30} B 30/20{y 30/30} A 30/20{z 30/30}"},
        {"leading bar only", {"|x"}, {}, true, "|x 30/50"},
        {"deeper second column", {"A|x", "A|y|z"}, {}, true, "A 61/20{x 30/30 y 30/20{z 30/10}}"},
        {"hidden with lines", {"A|x", "A|y"}, {false, true}, true, "A 30/20{x -1/30 y 30/30}"},
        {"hidden without lines", {"A|x", "A|y"}, {false, true}, false, "A 30/20{x 0/30 y 30/30}"},
        // The run Q spans depths 2 and 1: both lose Q and no group is made.
        {"run across depths", {"Z|Q|x", "Q|y"}, {}, true, "Z 30/20{x 30/30} y 30/50"},
        {"cyrillic words",
         {"Пациент|Фамилия", "Пациент|Имя"},
         {},
         true,
         "Пациент 61/20{Фамилия 30/30 Имя 30/30}"},
    };
    for (const TreeCase& c : cases) {
        SCOPED_TRACE(c.name);
        grid->GridColumns().Clear();
        for (std::size_t i = 0; i < c.captions.size(); ++i)
            AddColumn(c.captions[i])->SetVisible(c.visible.empty() || c.visible[i]);
        EXPECT_EQ(Build(c.colLines), c.tree);
    }
}

TEST_F(TitleTree, LeavesAreFiledByColumnWithLineWidthAndSortIndent) {
    TColumnEh* first = AddColumn("A|x");
    TColumnEh* second = AddColumn("y");
    second->Title()->SetSortMarker(smUpEh);
    EXPECT_EQ(Build(true), "A 30/20{x 30/30} y 30/50+16");
    const std::vector<TLeafCol>& leaves = grid->LeafColumns();
    ASSERT_EQ(leaves.size(), 2u);
    EXPECT_EQ(leaves[0].FColumn, first);
    EXPECT_EQ(leaves[0].FLeaf->LeafColumn, first);
    EXPECT_EQ(leaves[0].FLeaf->Caption, "x");
    EXPECT_EQ(leaves[0].FLeaf->AncestorCount(), 2);
    EXPECT_EQ(leaves[1].FColumn, second);
    EXPECT_EQ(leaves[1].FLeaf->LineWidth, 1);
    EXPECT_EQ(leaves[0].FLeaf->Parent->LineWidth, 1);
    EXPECT_EQ(Build(false), "A 30/20{x 30/30} y 30/50+16");
    EXPECT_EQ(grid->LeafColumns()[1].FLeaf->LineWidth, 0);
}

TEST_F(TitleTree, RebuildingReplacesTheWholeTree) {
    AddColumn("A|x");
    AddColumn("A|y");
    Build(true);
    grid->GridColumns().ColumnAt(1)->Title()->SetCaption("B|y");
    EXPECT_EQ(Build(true), "A 30/20{x 30/30} B 30/20{y 30/30}");
    grid->GridColumns().Clear();
    EXPECT_EQ(Build(true), "");
    EXPECT_TRUE(grid->LeafColumns().empty());
}

// Groups of the same word whose first leaves sit in different groups at the same depth cannot be
// made: the second lies outside the first one's level.
TEST_F(TitleTree, SameDepthRunsUnderDifferentGroupsAreRefused) {
    AddColumn("Z|Q|K|x");
    AddColumn("Q|B|K|y");
    ExpectRaises([&] { Build(true); }, "ATo not in level");
}

// A small tree by hand: root{a b c}.
struct HeadTreeNodes : ::testing::Test {
    THeadTreeNode root{"Root", 10, 0};
    THeadTreeNode* a = root.AppendChild(&root, "a", 40, 10);
    THeadTreeNode* b = root.AppendChild(&root, "b", 40, 20);
    THeadTreeNode* c = root.AppendChild(&root, "c", 40, 30);
};

TEST_F(HeadTreeNodes, ChildrenFormARingInOrder) {
    EXPECT_EQ(root.NextInRing, &root);
    EXPECT_EQ(root.FirstChild, a);
    EXPECT_EQ(a->NextInRing, b);
    EXPECT_EQ(c->NextInRing, a);
    EXPECT_EQ(c->Parent, &root);
    THeadTreeNode* after = root.InsertSiblingAfter(a, "ab", 40, 5);
    EXPECT_EQ(Describe(root.FirstChild), "a 10/40 ab 5/40 b 20/40 c 30/40");
    EXPECT_EQ(after->Parent, &root);
    std::vector<std::string> visited;
    root.AppendChild(after, "deep", 1, 1);
    root.ForEachNode([&](TCustomDBGridEh*, THeadTreeNode* node) { visited.push_back(node->Caption); },
                     nullptr);
    EXPECT_EQ(visited, (std::vector<std::string>{"a", "ab", "deep", "b", "c"}));
    EXPECT_TRUE(root.Contains(root.FirstChild->NextInRing->FirstChild));
    EXPECT_TRUE(b->Contains(a));  // a sibling counts
    EXPECT_FALSE(a->Contains(&root));
}

TEST_F(HeadTreeNodes, GroupingSumsWidthsAndClosesBothRings) {
    for (int lineWidth : {0, 1}) {
        SCOPED_TRACE(lineWidth);
        THeadTreeNode tree{"Root", 10, 0};
        THeadTreeNode* x = tree.AppendChild(&tree, "x", 40, 10);
        THeadTreeNode* y = tree.AppendChild(&tree, "y", 40, 20);
        THeadTreeNode* z = tree.AppendChild(&tree, "z", 40, 30);
        for (THeadTreeNode* n : {x, y, z}) n->LineWidth = lineWidth;
        tree.GroupSiblings(x, y, "G", 15);
        const int width = 30 + lineWidth;
        EXPECT_EQ(Describe(tree.FirstChild), "G " + std::to_string(width) + "/15{x 10/25 y 20/25} z 30/40");
        EXPECT_EQ(y->NextInRing, x);
        EXPECT_EQ(z->NextInRing, tree.FirstChild);
        EXPECT_EQ(tree.FirstChild->LineWidth, lineWidth);
        tree.GroupSiblings(tree.FirstChild, z, "All", 5);
        EXPECT_EQ(tree.FirstChild->NextInRing, tree.FirstChild);
        EXPECT_EQ(z->AncestorCount(), 2);
        EXPECT_EQ(x->AncestorCount(), 3);
    }
}

TEST_F(HeadTreeNodes, RefusalsLeaveTheTreeAsItWas) {
    THeadTreeNode other{"Other", 10, 0};
    THeadTreeNode* stranger = other.AppendChild(&other, "s", 1, 1);
    const std::string before = Describe(root.FirstChild);
    ExpectRaises([&] { root.AppendChild(stranger, "n", 1, 1); }, "Node not in Tree");
    ExpectRaises([&] { root.InsertSiblingAfter(stranger, "n", 1, 1); }, "Node not in Tree");
    ExpectRaises([&] { root.GroupSiblings(stranger, a, "G", 1); }, "Node not in Tree");
    ExpectRaises([&] { root.GroupSiblings(a, stranger, "G", 1); }, "ATo not in level");
    ExpectRaises([&] { root.GroupSiblings(c, a, "G", 1); }, "ATo not in level");  // a comes before c
    ExpectRaises([&] { root.GroupSiblings(c, b, "G", 1); }, "ATo not in level");
    ExpectRaises([&] { root.GroupSiblings(&root, &root, "G", 1); }, "ATo not in level");
    EXPECT_EQ(Describe(root.FirstChild), before);
    EXPECT_EQ(c->NextInRing, a);
}

TEST_F(HeadTreeNodes, FreeChildrenEmptiesTheNode) {
    root.GroupSiblings(a, b, "G", 5);
    root.FreeChildren();
    EXPECT_EQ(root.FirstChild, nullptr);
    EXPECT_EQ(Describe(&root), "Root 0/10");
}

}  // namespace
