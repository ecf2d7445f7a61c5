#pragma once
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"

class TTreeNodes;
class TTreeView;

// One node of a tree view. Nodes belong to their tree's TTreeNodes; a
// node's children go with it.
class TTreeNode : public TPersistent {
public:
    TTreeNode(TTreeNodes* owner, TTreeNode* parent);
    ~TTreeNode() override;
    String ClassName() const override { return "TTreeNode"; }

    const String& Text() const { return FText; }
    void SetText(const String& v);
    void* Data = nullptr;
    int ImageIndex = -1;
    int SelectedIndex = -1;

    TTreeNodes* Owner() const { return FOwner; }
    TTreeView* TreeView() const;
    TTreeNode* Parent() const { return FParent; }
    int Level() const;
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int index) const;
    bool HasChildren() const { return !FChildren.empty(); }
    int Index() const;  // among its siblings
    int AbsoluteIndex() const;  // in the whole tree, depth first

    TTreeNode* GetFirstChild() const;
    TTreeNode* GetLastChild() const;
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    TTreeNode* GetNext() const;  // depth first: child, sibling, an ancestor's sibling
    TTreeNode* GetPrev() const;
    bool HasAsParent(const TTreeNode* node) const;

    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool v);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool v);
    bool Focused() const { return Selected(); }
    // Starts editing the label in place (asks OnEditing first).
    bool EditText();
    void Delete();
    void DeleteChildren();
    // Sorts the children by text (case-insensitive), and theirs with `recurse`.
    void AlphaSort(bool recurse = false);

    // Framework-internal.
    void* FItem = nullptr;  // the toolkit item, while one exists
    std::vector<std::unique_ptr<TTreeNode>> FChildren;

private:
    friend class TTreeNodes;
    TTreeNodes* FOwner;
    TTreeNode* FParent;
    String FText;
    bool FExpanded = false;
};
