#pragma once
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"

class TTreeNode;
class TTreeView;
class TStream;

// The nodes of a tree view. Count and Item run over all nodes depth first.
class TTreeNodes : public TPersistent {
public:
    explicit TTreeNodes(TTreeView* owner);
    ~TTreeNodes() override;
    String ClassName() const override { return "TTreeNodes"; }

    TTreeView* Owner() const { return FOwner; }
    int Count() const;
    TTreeNode* Item(int index) const;
    TTreeNode* operator[](int index) const { return Item(index); }
    TTreeNode* GetFirstNode() const;
    int RootCount() const { return static_cast<int>(FRoots.size()); }

    // Adds after the last sibling of `sibling` (a root when nullptr).
    TTreeNode* Add(TTreeNode* sibling, const String& text);
    TTreeNode* AddFirst(TTreeNode* sibling, const String& text);
    TTreeNode* AddChild(TTreeNode* parent, const String& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const String& text);
    TTreeNode* AddObject(TTreeNode* sibling, const String& text, void* data);
    TTreeNode* AddChildObject(TTreeNode* parent, const String& text, void* data);
    // Inserts before `sibling` (at the end of the roots when nullptr).
    TTreeNode* Insert(TTreeNode* sibling, const String& text);
    void Delete(TTreeNode* node);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    // Framework-internal.
    std::vector<std::unique_ptr<TTreeNode>>& ListOf(TTreeNode* parent);
    TTreeNode* InsertAt(TTreeNode* parent, int index, const String& text);
    std::vector<std::unique_ptr<TTreeNode>> FRoots;

private:
    TTreeView* FOwner;
    int FUpdateCount = 0;
};
