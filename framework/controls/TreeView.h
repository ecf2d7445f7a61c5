#pragma once
#include <memory>

#include "framework/controls/WinControl.h"
#include "framework/rtl/Exception.h"

class TTreeNode;
class TTreeNodes;
class TStream;

VELMOR_EXCEPTION(ETreeViewError, Exception)

enum TSortType { stNone, stData, stText, stBoth };

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, String& S)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

// A tree of text nodes. Files hold one node per line, depth first, each
// line indented by one TAB per level and ended by CR LF; reading also
// takes blanks for indentation.
class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;
    String ClassName() const override { return "TTreeView"; }

    TTreeNodes* Items() const { return FItems.get(); }
    TTreeNode* Selected() const { return FSelected; }
    void SetSelected(TTreeNode* v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    TSortType SortType() const { return FSortType; }
    void SetSortType(TSortType v);
    bool AlphaSort(bool recurse = true);
    bool HideSelection = true;
    bool ShowLines = true;
    bool ShowRoot = true;
    bool ShowButtons = true;

    void FullExpand();
    void FullCollapse();
    bool IsEditing() const { return FEditing != nullptr; }
    // Ends an edit in place: keeps `text` (after OnEdited) unless cancelled.
    void EndEditing(const String& text, bool cancel);
    TTreeNode* GetNodeAt(int x, int y) const;
    TTreeNode* TopItem() const;

    // Invalid level (%d) for item "%s" (ETreeViewError) stops reading at the
    // bad line; the nodes read so far stay.
    void LoadFromFile(const String& fileName);
    void LoadFromStream(TStream* stream);
    void SaveToFile(const String& fileName) const;
    void SaveToStream(TStream* stream) const;

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVExpandingEvent OnExpanding;
    TTVExpandingEvent OnCollapsing;
    TTVExpandedEvent OnExpanded;
    TTVExpandedEvent OnCollapsed;
    TTVChangedEvent OnDeletion;

    // Framework-internal: the nodes tell their view.
    void NodesChanged();
    void NodeTextChanged(TTreeNode* node);
    void NodeDeleting(TTreeNode* node);
    void NodeExpandedChanged(TTreeNode* node);
    bool StartEditing(TTreeNode* node);
    void SortChildren(TTreeNode* parent, bool recurse);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void InitWidget() override;
    void WidgetCreated() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void RebuildWidget();
    void PushSelection();

private:
    std::unique_ptr<TTreeNodes> FItems;
    TTreeNode* FSelected = nullptr;
    TTreeNode* FEditing = nullptr;
    bool FReadOnly = false;
    TSortType FSortType = stNone;
    bool FPushing = false;
    bool FDeferRebuild = false;
};
