#include "data_grid/head_tree.h"

namespace {

[[noreturn]] void RaiseNotInTree() {
    throw Exception("Node not in Tree");
}

}  // namespace

THeadTreeNode::THeadTreeNode() = default;

THeadTreeNode::THeadTreeNode(const std::string& ACaption, int AHeight, int AWidth)
    : NodeHeight(AHeight), Caption(ACaption), NodeWidth(AWidth) {}

THeadTreeNode::~THeadTreeNode() {
    if (Parent == nullptr)
        FreeChildren();
}

bool THeadTreeNode::Contains(const THeadTreeNode* Node) const {
    const THeadTreeNode* sibling = this;
    do {
        if (sibling == Node)
            return true;
        if (sibling->FirstChild != nullptr && sibling->FirstChild->Contains(Node))
            return true;
        sibling = sibling->NextInRing;
    } while (sibling != this);
    return false;
}

THeadTreeNode* THeadTreeNode::RingPredecessor() const {
    const THeadTreeNode* node = this;
    while (node->NextInRing != this) node = node->NextInRing;
    return const_cast<THeadTreeNode*>(node);
}

THeadTreeNode* THeadTreeNode::InsertSiblingAfter(THeadTreeNode* After, const std::string& ACaption,
                                                 int AHeight, int AWidth) {
    if (!Contains(After))
        RaiseNotInTree();
    // The tree owns its nodes through their parents and frees them in FreeChildren.
    auto* node = new THeadTreeNode(ACaption, AHeight, AWidth);
    node->Parent = After->Parent;
    node->NextInRing = After->NextInRing;
    After->NextInRing = node;
    return node;
}

THeadTreeNode* THeadTreeNode::AppendChild(THeadTreeNode* Node, const std::string& ACaption, int AHeight,
                                          int AWidth) {
    if (!Contains(Node))
        RaiseNotInTree();
    auto* child = new THeadTreeNode(ACaption, AHeight, AWidth);
    child->Parent = Node;
    if (Node->FirstChild == nullptr) {
        Node->FirstChild = child;
    } else {
        Node->FirstChild->RingPredecessor()->NextInRing = child;
        child->NextInRing = Node->FirstChild;
    }
    return child;
}

void THeadTreeNode::FreeChildren() {
    THeadTreeNode* first = FirstChild;
    FirstChild = nullptr;
    if (first == nullptr)
        return;
    THeadTreeNode* child = first;
    do {
        THeadTreeNode* next = child->NextInRing;
        child->FreeChildren();
        delete child;
        child = next;
    } while (child != first);
}

int THeadTreeNode::AncestorCount() const {
    int count = 0;
    for (const THeadTreeNode* node = Parent; node != nullptr; node = node->Parent) ++count;
    return count;
}

void THeadTreeNode::GroupSiblings(THeadTreeNode* From, THeadTreeNode* To, const std::string& ACaption,
                                  int AHeight) {
    if (!Contains(From))
        RaiseNotInTree();
    // A node without a parent (the root) has no level to group on.
    if (From->Parent == nullptr)
        throw Exception("ATo not in level");
    if (From != To) {
        // Coming round to the first child means To is not after From on this level; a To that is
        // the first child itself would wrap the group around the ring's end.
        const THeadTreeNode* first = From->Parent->FirstChild;
        for (const THeadTreeNode* node = From->NextInRing; node != To || To == first; node = node->NextInRing)
            if (node == first)
                throw Exception("ATo not in level");
    }
    THeadTreeNode* group = InsertSiblingAfter(To, ACaption, AHeight, 0);
    group->LineWidth = To->LineWidth;
    From->RingPredecessor()->NextInRing = group;
    group->FirstChild = From;
    if (From->Parent->FirstChild == From)
        From->Parent->FirstChild = group;
    int width = 0;
    for (THeadTreeNode* node = From;; node = node->NextInRing) {
        node->NodeHeight -= AHeight;
        node->Parent = group;
        width += node->NodeWidth + group->LineWidth;
        if (node == To)
            break;
    }
    To->NextInRing = From;
    group->NodeWidth = group->LineWidth > 0 ? width - group->LineWidth : width;
}

void THeadTreeNode::ForEachNode(const TNodeProc& Proc, TCustomDBGridEh* Grid) {
    THeadTreeNode* first = FirstChild;
    if (first == nullptr)
        return;
    THeadTreeNode* child = first;
    do {
        Proc(Grid, child);
        child->ForEachNode(Proc, Grid);
        child = child->NextInRing;
    } while (child != first);
}
