#include "framework/controls/TreeView.h"

#include <algorithm>
#include <functional>

#include "framework/classes/FileStream.h"
#include "framework/classes/StringList.h"
#include "framework/classes/StringStream.h"
#include "framework/controls/TreeNode.h"
#include "framework/controls/TreeNodes.h"
#include "framework/controls/ViewportMouse.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsLists.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/StrUtils.h"

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), FItems(new TTreeNodes(this)) {
    FWidth = 121;
    FHeight = 97;
    FColor = clWindow;
    FParentColor = false;
    SetTabStop(true);
}

TTreeView::~TTreeView() {
    FSelected = nullptr;
    FEditing = nullptr;
    FItems->BeginUpdate();
    FItems->FRoots.clear();
}

void TTreeView::SetSelected(TTreeNode* v) {
    if (v == FSelected) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, v, allow);
    if (!allow) {
        if (FWidget) PushSelection();
        return;
    }
    FSelected = v;
    // A selected node is shown: its ancestors open.
    for (TTreeNode* p = v ? v->Parent() : nullptr; p; p = p->Parent()) p->SetExpanded(true);
    if (FWidget) PushSelection();
    if (OnChange) OnChange(this, v);
}

void TTreeView::SetSortType(TSortType v) {
    if (v == FSortType) return;
    FSortType = v;
    if (v == stText || v == stBoth) AlphaSort(true);
}

bool TTreeView::AlphaSort(bool recurse) {
    SortChildren(nullptr, recurse);
    return true;
}

void TTreeView::SortChildren(TTreeNode* parent, bool recurse) {
    auto& list = FItems->ListOf(parent);
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        return CompareText(a->Text(), b->Text()) < 0;
    });
    if (recurse)
        for (auto& c : list) SortChildren(c.get(), true);
    NodesChanged();
}

void TTreeView::FullExpand() {
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextSibling()) n->Expand(true);
}

void TTreeView::FullCollapse() {
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextSibling()) n->Collapse(true);
}

bool TTreeView::StartEditing(TTreeNode* node) {
    if (!node || FReadOnly) return false;
    bool allow = true;
    if (OnEditing) OnEditing(this, node, allow);
    if (!allow) return false;
    SetSelected(node);
    FEditing = node;
    if (FWidget && node->FItem) velmor_ws::EditTreeItem(FWidget, node->FItem);
    return true;
}

void TTreeView::EndEditing(const String& text, bool cancel) {
    TTreeNode* node = FEditing;
    FEditing = nullptr;
    if (!node || cancel) return;  // a cancelled edit changes nothing
    String s = text;
    if (OnEdited) OnEdited(this, node, s);
    // The toolkit is still inside its editor: the items are rebuilt once
    // it is done with them.
    FDeferRebuild = true;
    node->SetText(s);
    FDeferRebuild = false;
    if (FWidget) velmor_ws::CallSoon(FWidget, [this] { GuardedCall([this] { RebuildWidget(); }); });
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const {
    return FWidget ? velmor_ws::TreeNodeAt(FWidget, TPoint{x, y}) : nullptr;
}

TTreeNode* TTreeView::TopItem() const {
    if (!FWidget) return FItems->GetFirstNode();
    return velmor_ws::TreeTopNode(FWidget);
}

// --- files ----------------------------------------------------------------------

void TTreeView::LoadFromFile(const String& fileName) {
    TFileStream f(fileName, fmOpenRead);
    LoadFromStream(&f);
}

void TTreeView::LoadFromStream(TStream* stream) {
    TStringList lines;
    lines.LoadFromStream(stream);
    FItems->BeginUpdate();
    struct TEnd {
        TTreeNodes* Items;
        ~TEnd() { Items->EndUpdate(); }
    } end{FItems.get()};
    TTreeNode* last = nullptr;
    int lastLevel = 0;
    for (int i = 0; i < lines.Count(); ++i) {
        const String& line = lines.Get(i);
        size_t level = 0;
        while (level < line.size() && (line[level] == '\t' || line[level] == ' ')) ++level;
        const String text = line.substr(level);
        const int lv = static_cast<int>(level);
        if (!last) {
            last = FItems->Add(nullptr, text);
            lastLevel = 0;  // the first line is a root, whatever its indent
            continue;
        }
        if (lv == lastLevel) {
            last = FItems->Add(last, text);
        } else if (lv == lastLevel + 1) {
            last = FItems->AddChild(last, text);
        } else if (lv < lastLevel) {
            TTreeNode* sib = last;
            for (int k = lastLevel; k > lv && sib->Parent(); --k) sib = sib->Parent();
            last = FItems->Add(sib, text);
        } else {
            throw ETreeViewError("Invalid level (%d) for item \"%s\"", {lv, text});
        }
        lastLevel = lv;
    }
}

void TTreeView::SaveToFile(const String& fileName) const {
    TStringList lines;
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext())
        lines.Add(String(static_cast<size_t>(n->Level()), '\t') + n->Text());
    lines.SaveToFile(fileName);
}

void TTreeView::SaveToStream(TStream* stream) const {
    TStringList lines;
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext())
        lines.Add(String(static_cast<size_t>(n->Level()), '\t') + n->Text());
    lines.SaveToStream(stream);
}

// --- the widget -------------------------------------------------------------------

void TTreeView::NodesChanged() {
    if (FItems->Updating() || FDeferRebuild) return;
    if (FWidget) RebuildWidget();
}

void TTreeView::NodeTextChanged(TTreeNode* node) {
    if ((FSortType == stText || FSortType == stBoth)) {
        SortChildren(node->Parent(), false);
        return;
    }
    if (FWidget && node->FItem && !FItems->Updating() && !FDeferRebuild)
        velmor_ws::SetTreeItemText(node->FItem, node->Text());
}

void TTreeView::NodeDeleting(TTreeNode* node) {
    if (OnDeletion) OnDeletion(this, node);
    if (FEditing == node) FEditing = nullptr;
    if (FSelected == node) {
        // The selection moves on as the classic control moves it.
        TTreeNode* next = node->GetNextSibling();
        if (!next) next = node->GetPrevSibling();
        if (!next) next = node->Parent();
        FSelected = nullptr;
        if (!HasState(csDestroying)) SetSelected(next);
    }
    if (node->FItem && FWidget) {
        FPushing = true;
        velmor_ws::DeleteTreeItem(node->FItem);
        FPushing = false;
    }
    node->FItem = nullptr;
}

void TTreeView::NodeExpandedChanged(TTreeNode* node) {
    if (FWidget && node->FItem) {
        FPushing = true;
        velmor_ws::SetTreeItemExpanded(node->FItem, node->Expanded());
        FPushing = false;
    }
}

QWidget* TTreeView::CreateWidget(QWidget* parent) {
    velmor_ws::TTreeViewEvents events;
    events.CurrentChanged = [this](TTreeNode* cur) {
        GuardedCall([this, cur] {
            if (!FPushing) SetSelected(cur);
        });
    };
    events.ExpandedChanged = [this](TTreeNode* n, bool expanded) {
        GuardedCall([this, n, expanded] {
            if (!FPushing) n->SetExpanded(expanded);
        });
    };
    // An editor closed without its text being taken was cancelled (Esc).
    events.EditorClosed = [this] {
        GuardedCall([this] {
            if (FEditing) EndEditing(String(), true);
        });
    };
    events.ItemChanged = [this](TTreeNode* n, void* item) {
        GuardedCall([this, n, item] {
            if (FPushing) return;
            if (n && n == FEditing) EndEditing(velmor_ws::TreeItemText(item), false);
        });
    };
    return velmor_ws::CreateTreeView(parent, std::move(events));
}

void TTreeView::InitWidget() {
    TWinControl::InitWidget();
    RebuildWidget();
}

void TTreeView::RebuildWidget() {
    FPushing = true;
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext()) n->FItem = nullptr;
    velmor_ws::ClearTree(FWidget);
    std::function<void(TTreeNode*, void*)> add = [&](TTreeNode* n, void* parentItem) {
        void* item = velmor_ws::AddTreeItem(FWidget, parentItem, n, n->Text());
        n->FItem = item;
        for (auto& c : n->FChildren) add(c.get(), item);
        velmor_ws::SetTreeItemExpanded(item, n->Expanded());
    };
    for (auto& r : FItems->FRoots) add(r.get(), nullptr);
    FPushing = false;
    PushSelection();
}

void TTreeView::PushSelection() {
    FPushing = true;
    velmor_ws::SetTreeCurrentItem(FWidget, FSelected ? FSelected->FItem : nullptr);
    FPushing = false;
}

void TTreeView::KeyDown(Word& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == VK_F2 && FSelected && !FReadOnly) {
        FSelected->EditText();
        key = 0;
    }
}

void TTreeView::WidgetCreated() {
    TWinControl::WidgetCreated();
    velmor_internal::ForwardViewportMouse(this, velmor_ws::ItemViewport(FWidget));
}
