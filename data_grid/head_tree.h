#pragma once
// THeadTreeNode: the grid's title cells as a tree. A column whose title caption reads "A|B|x" sits
// under the group title A and, inside it, B; adjacent columns whose captions start with the same
// word share one group title spanning them. Siblings form a ring (the last one points back to its
// parent's first child); the root and a single child point to themselves.
#include <functional>
#include <string>

#include "platform/rtl/component.h"

class TColumnEh;
class TCustomDBGridEh;

class THeadTreeNode : public TObject {
  public:
    using TNodeProc = std::function<void(TCustomDBGridEh* Grid, THeadTreeNode* Node)>;

    THeadTreeNode();
    THeadTreeNode(const std::string& ACaption, int AHeight, int AWidth);
    // A node without a parent takes its whole subtree with it; a child frees only itself.
    ~THeadTreeNode() override;
    std::string ClassName() const override { return "THeadTreeNode"; }

    THeadTreeNode* FirstChild = nullptr;
    TColumnEh* LeafColumn = nullptr;
    bool Painted = false;
    int NodeHeight = 0;
    THeadTreeNode* Parent = nullptr;
    THeadTreeNode* NextInRing = this;
    std::string Caption;
    int LineWidth = 0;
    int NodeWidth = 0;
    int TextIndent = 0;

    // Node is this node, one of its siblings, or lies below one of them.
    bool Contains(const THeadTreeNode* Node) const;
    // Raise Exception "Node not in Tree" when the node they hang under is not contained.
    THeadTreeNode* InsertSiblingAfter(THeadTreeNode* After, const std::string& ACaption, int AHeight,
                                      int AWidth);
    THeadTreeNode* AppendChild(THeadTreeNode* Node, const std::string& ACaption, int AHeight, int AWidth);
    void FreeChildren();
    int AncestorCount() const;
    // Puts the siblings From..To (in ring order) under a new group node titled ACaption.
    void GroupSiblings(THeadTreeNode* From, THeadTreeNode* To, const std::string& ACaption, int AHeight);
    // Rebuilds the tree under this (the grid's root) from the grid's columns and their captions.
    void BuildFromColumns(TCustomDBGridEh& Grid);
    // Proc for every node below this one, a node before its children, children in ring order.
    void ForEachNode(const TNodeProc& Proc, TCustomDBGridEh* Grid);

  private:
    THeadTreeNode* RingPredecessor() const;
};

// One entry of the grid's leaf array: a column and the leaf node of its title.
struct TLeafCol {
    THeadTreeNode* FLeaf = nullptr;
    TColumnEh* FColumn = nullptr;
};
using PTLeafCol = TLeafCol*;
