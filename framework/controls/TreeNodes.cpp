#include "framework/controls/TreeNodes.h"

#include "framework/controls/TreeNode.h"
#include "framework/controls/TreeView.h"

TTreeNodes::TTreeNodes(TTreeView* owner) : FOwner(owner) {}
TTreeNodes::~TTreeNodes() = default;

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::ListOf(TTreeNode* parent) {
    return parent ? parent->FChildren : FRoots;
}

int TTreeNodes::Count() const {
    int n = 0;
    for (TTreeNode* p = GetFirstNode(); p; p = p->GetNext()) ++n;
    return n;
}

TTreeNode* TTreeNodes::Item(int index) const {
    int i = 0;
    for (TTreeNode* p = GetFirstNode(); p; p = p->GetNext(), ++i)
        if (i == index) return p;
    throw ETreeViewError("List index out of bounds (%d)", {index});
}

TTreeNode* TTreeNodes::GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, int index, const String& text) {
    auto& list = ListOf(parent);
    auto node = std::make_unique<TTreeNode>(this, parent);
    node->FText = text;
    TTreeNode* raw = node.get();
    index = std::clamp(index, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + index, std::move(node));
    if (FOwner) {
        const TSortType st = FOwner->SortType();
        if (st == stText || st == stBoth) FOwner->SortChildren(parent, false);
        FOwner->NodesChanged();
    }
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const String& text) {
    TTreeNode* parent = sibling ? sibling->Parent() : nullptr;
    return InsertAt(parent, static_cast<int>(ListOf(parent).size()), text);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const String& text) {
    return InsertAt(sibling ? sibling->Parent() : nullptr, 0, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const String& text) {
    return InsertAt(parent, static_cast<int>(ListOf(parent).size()), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const String& text) { return InsertAt(parent, 0, text); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const String& text, void* data) {
    TTreeNode* n = Add(sibling, text);
    n->Data = data;
    return n;
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const String& text, void* data) {
    TTreeNode* n = AddChild(parent, text);
    n->Data = data;
    return n;
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const String& text) {
    if (!sibling) return Add(nullptr, text);
    return InsertAt(sibling->Parent(), sibling->Index(), text);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node) return;
    while (node->HasChildren()) Delete(node->FChildren.back().get());
    if (FOwner) FOwner->NodeDeleting(node);
    auto& list = ListOf(node->Parent());
    for (auto it = list.begin(); it != list.end(); ++it)
        if (it->get() == node) {
            std::unique_ptr<TTreeNode> gone = std::move(*it);
            list.erase(it);
            break;
        }
    if (FOwner) FOwner->NodesChanged();
}

void TTreeNodes::Clear() {
    BeginUpdate();
    while (!FRoots.empty()) Delete(FRoots.back().get());
    EndUpdate();
}

void TTreeNodes::BeginUpdate() { ++FUpdateCount; }

void TTreeNodes::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FOwner) FOwner->NodesChanged();
}
