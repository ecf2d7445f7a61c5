#include "framework/controls/TreeNode.h"

#include <algorithm>

#include "framework/controls/TreeNodes.h"
#include "framework/controls/TreeView.h"
#include "framework/rtl/StrUtils.h"

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}
TTreeNode::~TTreeNode() = default;

TTreeView* TTreeNode::TreeView() const { return FOwner ? FOwner->Owner() : nullptr; }

void TTreeNode::SetText(const String& v) {
    if (v == FText) return;
    FText = v;
    if (TTreeView* tv = TreeView()) tv->NodeTextChanged(this);
}

int TTreeNode::Level() const {
    int l = 0;
    for (TTreeNode* p = FParent; p; p = p->FParent) ++l;
    return l;
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) throw ETreeViewError("List index out of bounds (%d)", {index});
    return FChildren[static_cast<size_t>(index)].get();
}

int TTreeNode::Index() const {
    const auto& list = FOwner->ListOf(FParent);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const {
    int i = 0;
    for (TTreeNode* n = FOwner->GetFirstNode(); n; n = n->GetNext(), ++i)
        if (n == this) return i;
    return -1;
}

TTreeNode* TTreeNode::GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
TTreeNode* TTreeNode::GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back().get(); }

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& list = FOwner->ListOf(FParent);
    const int i = Index();
    return i >= 0 && i + 1 < static_cast<int>(list.size()) ? list[static_cast<size_t>(i) + 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const auto& list = FOwner->ListOf(FParent);
    const int i = Index();
    return i > 0 ? list[static_cast<size_t>(i) - 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!FChildren.empty()) return FChildren.front().get();
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* p = GetPrevSibling();
    if (!p) return FParent;
    while (p->HasChildren()) p = p->GetLastChild();
    return p;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const {
    for (TTreeNode* p = FParent; p; p = p->FParent)
        if (p == node) return true;
    return false;
}

void TTreeNode::SetExpanded(bool v) {
    if (v == FExpanded) return;
    TTreeView* tv = TreeView();
    bool allow = true;
    if (tv && v && tv->OnExpanding) tv->OnExpanding(tv, this, allow);
    if (tv && !v && tv->OnCollapsing) tv->OnCollapsing(tv, this, allow);
    if (!allow) return;
    FExpanded = v;
    if (tv) {
        tv->NodeExpandedChanged(this);
        if (v && tv->OnExpanded) tv->OnExpanded(tv, this);
        if (!v && tv->OnCollapsed) tv->OnCollapsed(tv, this);
    }
}

void TTreeNode::Expand(bool recurse) {
    SetExpanded(true);
    if (recurse)
        for (auto& c : FChildren) c->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    SetExpanded(false);
    if (recurse)
        for (auto& c : FChildren) c->Collapse(true);
}

bool TTreeNode::Selected() const { return TreeView() && TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool v) {
    if (TTreeView* tv = TreeView()) {
        if (v)
            tv->SetSelected(this);
        else if (tv->Selected() == this)
            tv->SetSelected(nullptr);
    }
}

bool TTreeNode::EditText() { return TreeView() && TreeView()->StartEditing(this); }

void TTreeNode::Delete() { FOwner->Delete(this); }

void TTreeNode::DeleteChildren() {
    while (!FChildren.empty()) FOwner->Delete(FChildren.back().get());
}

void TTreeNode::AlphaSort(bool recurse) {
    if (TTreeView* tv = TreeView()) tv->SortChildren(this, recurse);
}
