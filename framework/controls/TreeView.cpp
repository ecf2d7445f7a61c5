#include "framework/controls/TreeView.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

#include "framework/classes/FileStream.h"
#include "framework/classes/StringList.h"
#include "framework/classes/StringStream.h"
#include "framework/controls/TreeNode.h"
#include "framework/controls/TreeNodes.h"
#include "framework/controls/ViewportMouse.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/StrUtils.h"

namespace {
QTreeWidget* TreeOf(QWidget* w) { return static_cast<QTreeWidget*>(w); }
TTreeNode* NodeOf(QTreeWidgetItem* item) {
    return item ? static_cast<TTreeNode*>(item->data(0, Qt::UserRole).value<void*>()) : nullptr;
}
}  // namespace

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
    if (FWidget && node->FItem) {
        auto* item = static_cast<QTreeWidgetItem*>(node->FItem);
        TreeOf(FWidget)->editItem(item, 0);
    }
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
    if (FWidget)
        QMetaObject::invokeMethod(FWidget, [this] { GuardedCall([this] { RebuildWidget(); }); }, Qt::QueuedConnection);
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const {
    if (!FWidget) return nullptr;
    QTreeWidget* t = TreeOf(FWidget);
    return NodeOf(t->itemAt(t->viewport()->mapFrom(t, QPoint(x, y))));
}

TTreeNode* TTreeView::TopItem() const {
    if (!FWidget) return FItems->GetFirstNode();
    return NodeOf(TreeOf(FWidget)->itemAt(QPoint(2, 2)));
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
        static_cast<QTreeWidgetItem*>(node->FItem)->setText(0, QString::fromStdString(node->Text()));
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
        delete static_cast<QTreeWidgetItem*>(node->FItem);
        FPushing = false;
    }
    node->FItem = nullptr;
}

void TTreeView::NodeExpandedChanged(TTreeNode* node) {
    if (FWidget && node->FItem) {
        FPushing = true;
        static_cast<QTreeWidgetItem*>(node->FItem)->setExpanded(node->Expanded());
        FPushing = false;
    }
}

QWidget* TTreeView::CreateWidget(QWidget* parent) {
    auto* t = new QTreeWidget(parent);
    t->setHeaderHidden(true);
    t->setColumnCount(1);
    t->setFocusPolicy(Qt::StrongFocus);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QObject::connect(t, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* cur, QTreeWidgetItem*) {
        GuardedCall([this, cur] {
            if (!FPushing) SetSelected(NodeOf(cur));
        });
    });
    QObject::connect(t, &QTreeWidget::itemExpanded, [this](QTreeWidgetItem* item) {
        GuardedCall([this, item] {
            if (!FPushing)
                if (TTreeNode* n = NodeOf(item)) n->SetExpanded(true);
        });
    });
    QObject::connect(t, &QTreeWidget::itemCollapsed, [this](QTreeWidgetItem* item) {
        GuardedCall([this, item] {
            if (!FPushing)
                if (TTreeNode* n = NodeOf(item)) n->SetExpanded(false);
        });
    });
    // An editor closed without its text being taken was cancelled (Esc).
    QObject::connect(t->itemDelegate(), &QAbstractItemDelegate::closeEditor, [this](QWidget*, QAbstractItemDelegate::EndEditHint) {
        GuardedCall([this] {
            if (FEditing) EndEditing(String(), true);
        });
    });
    QObject::connect(t, &QTreeWidget::itemChanged, [this](QTreeWidgetItem* item, int) {
        GuardedCall([this, item] {
            if (FPushing) return;
            TTreeNode* n = NodeOf(item);
            if (n && n == FEditing) EndEditing(item->text(0).toStdString(), false);
        });
    });
    return t;
}

void TTreeView::InitWidget() {
    TWinControl::InitWidget();
    RebuildWidget();
}

void TTreeView::RebuildWidget() {
    QTreeWidget* t = TreeOf(FWidget);
    FPushing = true;
    for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext()) n->FItem = nullptr;
    t->clear();
    std::function<void(TTreeNode*, QTreeWidgetItem*)> add = [&](TTreeNode* n, QTreeWidgetItem* parentItem) {
        auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(t);
        item->setText(0, QString::fromStdString(n->Text()));
        item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(n)));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        n->FItem = item;
        for (auto& c : n->FChildren) add(c.get(), item);
        item->setExpanded(n->Expanded());
    };
    for (auto& r : FItems->FRoots) add(r.get(), nullptr);
    FPushing = false;
    PushSelection();
}

void TTreeView::PushSelection() {
    QTreeWidget* t = TreeOf(FWidget);
    FPushing = true;
    t->setCurrentItem(FSelected ? static_cast<QTreeWidgetItem*>(FSelected->FItem) : nullptr);
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
    velmor_internal::ForwardViewportMouse(this, static_cast<QTreeWidget*>(FWidget)->viewport());
}
