#include "framework/controls/ListView.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

#include "framework/classes/Strings.h"
#include "framework/controls/ListColumn.h"
#include "framework/controls/ListColumns.h"
#include "framework/controls/ListItem.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ViewportMouse.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/StrUtils.h"

namespace {
QTreeWidget* ViewOf(QWidget* w) { return static_cast<QTreeWidget*>(w); }
Qt::Alignment QtAlign(TAlignment a) {
    return (a == taCenter ? Qt::AlignHCenter : a == taRightJustify ? Qt::AlignRight : Qt::AlignLeft) |
           Qt::AlignVCenter;
}
}  // namespace

TListView::TListView(TComponent* owner)
    : TWinControl(owner), FColumns(new TListColumns(this)), FItems(new TListItems(this)) {
    FWidth = 250;
    FHeight = 150;
    FColor = clWindow;
    FParentColor = false;
    SetTabStop(true);
}

TListView::~TListView() {
    FFocused = nullptr;
    FItems->BeginUpdate();
    FItems->List().clear();
}

void TListView::SetViewStyle(TViewStyle v) {
    if (v == FViewStyle) return;
    FViewStyle = v;
    if (FWidget) RebuildWidget();
}

void TListView::SetCheckboxes(bool v) {
    if (v == FCheckboxes) return;
    FCheckboxes = v;
    if (FWidget) RebuildWidget();
}

void TListView::SetRowSelect(bool v) {
    if (v == FRowSelect) return;
    FRowSelect = v;
    if (FWidget) ViewOf(FWidget)->setSelectionBehavior(v ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void TListView::SetMultiSelect(bool v) {
    if (v == FMultiSelect) return;
    FMultiSelect = v;
    if (FWidget)
        ViewOf(FWidget)->setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TListView::SetGridLines(bool v) {
    FGridLines = v;
    if (FWidget) ViewOf(FWidget)->update();
}

void TListView::SetSortType(TSortType v) {
    if (v == FSortType) return;
    FSortType = v;
    if (v != stNone) AlphaSort();
}

bool TListView::AlphaSort() {
    auto& list = FItems->List();
    std::stable_sort(list.begin(), list.end(), [this](const auto& a, const auto& b) {
        int c = 0;
        if (OnCompare)
            OnCompare(this, a.get(), b.get(), 0, c);
        else
            c = CompareText(a->Caption(), b->Caption());
        return c < 0;
    });
    ItemsChanged();
    return true;
}

TListItem* TListView::Selected() const {
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Item(i)->Selected()) return FItems->Item(i);
    return nullptr;
}

void TListView::SetSelected(TListItem* v) {
    for (int i = 0; i < FItems->Count(); ++i) {
        TListItem* it = FItems->Item(i);
        if (it != v && it->Selected()) SelectionChanged(it, false);
    }
    if (v) {
        SelectionChanged(v, true);
        FFocused = v;
    }
}

int TListView::SelCount() const {
    int n = 0;
    for (int i = 0; i < FItems->Count(); ++i) n += FItems->Item(i)->Selected() ? 1 : 0;
    return n;
}

void TListView::SetItemFocused(TListItem* v) { FFocused = v; }

int TListView::ItemIndex() const {
    TListItem* s = Selected();
    return s ? s->Index() : -1;
}

void TListView::SetItemIndex(int v) { SetSelected(v >= 0 && v < FItems->Count() ? FItems->Item(v) : nullptr); }

TListItem* TListView::GetItemAt(int x, int y) const {
    if (!FWidget) return nullptr;
    QTreeWidget* t = ViewOf(FWidget);
    QTreeWidgetItem* it = t->itemAt(t->viewport()->mapFrom(t, QPoint(x, y)));
    if (!it) return nullptr;
    const int i = t->indexOfTopLevelItem(it);
    return i >= 0 && i < FItems->Count() ? FItems->Item(i) : nullptr;
}

void TListView::SelectionChanged(TListItem* item, bool selected) {
    if (item->Selected() == selected) return;
    if (selected && !FMultiSelect)
        for (int i = 0; i < FItems->Count(); ++i) {
            TListItem* other = FItems->Item(i);
            if (other != item && other->Selected()) {
                other->SetSelectedFromWidget(false);
                if (OnSelectItem) OnSelectItem(this, other, false);
            }
        }
    item->SetSelectedFromWidget(selected);
    if (selected) FFocused = item;
    if (FWidget) PushSelection();
    if (OnSelectItem) OnSelectItem(this, item, selected);
    if (OnChange) OnChange(this, item, ctState);
}

void TListView::ItemsChanged() {
    if (FItems->Updating()) return;
    if (FSortType != stNone && !OnCompare) {
        auto& list = FItems->List();
        if (!std::is_sorted(list.begin(), list.end(), [](const auto& a, const auto& b) {
                return CompareText(a->Caption(), b->Caption()) < 0;
            })) {
            AlphaSort();
            return;
        }
    }
    if (FWidget) RebuildWidget();
}

void TListView::ItemChanged(TListItem* item, TItemChange change) {
    if (change == ctText && FSortType != stNone) {
        ItemsChanged();
    } else if (FWidget && !FItems->Updating()) {
        const int i = item->Index();
        if (QTreeWidgetItem* w = ViewOf(FWidget)->topLevelItem(i)) {
            FPushing = true;
            w->setText(0, QString::fromStdString(item->Caption()));
            for (int c = 0; c < item->SubItems()->Count(); ++c)
                w->setText(c + 1, QString::fromStdString(item->SubItems()->Get(c)));
            if (FCheckboxes) w->setCheckState(0, item->Checked() ? Qt::Checked : Qt::Unchecked);
            FPushing = false;
        }
    }
    if (OnChange) OnChange(this, item, change);
}

void TListView::ItemDeleting(TListItem* item) {
    if (OnDeletion) OnDeletion(this, item);
    if (FFocused == item) FFocused = nullptr;
}

void TListView::ColumnsChanged() {
    if (FWidget) PushColumns();
}

QWidget* TListView::CreateWidget(QWidget* parent) {
    auto* t = new QTreeWidget(parent);
    t->setRootIsDecorated(false);
    t->setItemsExpandable(false);
    t->setUniformRowHeights(true);
    t->setFocusPolicy(Qt::StrongFocus);
    t->header()->setSectionsClickable(true);
    t->header()->setStretchLastSection(false);
    QObject::connect(t->header(), &QHeaderView::sectionClicked,
                     [this](int i) { GuardedCall([this, i] { HeaderClicked(i); }); });
    QObject::connect(t->header(), &QHeaderView::sectionResized, [this](int i, int, int w) {
        GuardedCall([this, i, w] {
            if (!FPushing && i >= 0 && i < FColumns->Count()) FColumns->Items(i)->SetWidthFromWidget(w);
        });
    });
    QObject::connect(t, &QTreeWidget::itemSelectionChanged, [this] { GuardedCall([this] { PullSelection(); }); });
    QObject::connect(t, &QTreeWidget::itemChanged, [this, t](QTreeWidgetItem* w, int col) {
        GuardedCall([this, t, w, col] {
            if (FPushing || col != 0 || !FCheckboxes) return;
            CheckClicked(t->indexOfTopLevelItem(w), w->checkState(0) == Qt::Checked);
        });
    });
    return t;
}

void TListView::InitWidget() {
    TWinControl::InitWidget();
    QTreeWidget* t = ViewOf(FWidget);
    t->setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    t->setSelectionBehavior(FRowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    RebuildWidget();
}

void TListView::PushColumns() {
    QTreeWidget* t = ViewOf(FWidget);
    FPushing = true;
    const bool report = FViewStyle == vsReport;
    const int cols = report ? std::max(1, FColumns->Count()) : 1;
    t->setColumnCount(cols);
    t->setHeaderHidden(!report || !ShowColumnHeaders);
    QStringList labels;
    for (int i = 0; i < FColumns->Count() && report; ++i) {
        TListColumn* c = FColumns->Items(i);
        labels << QString::fromStdString(c->Caption());
    }
    if (report) t->setHeaderLabels(labels);
    for (int i = 0; i < FColumns->Count() && report; ++i) {
        TListColumn* c = FColumns->Items(i);
        t->setColumnWidth(i, c->Width());
        t->headerItem()->setTextAlignment(i, QtAlign(c->Alignment()));
    }
    FPushing = false;
}

void TListView::RebuildWidget() {
    QTreeWidget* t = ViewOf(FWidget);
    PushColumns();
    FPushing = true;
    t->clear();
    const bool report = FViewStyle == vsReport;
    for (int i = 0; i < FItems->Count(); ++i) {
        TListItem* item = FItems->Item(i);
        auto* w = new QTreeWidgetItem(t);
        w->setText(0, QString::fromStdString(item->Caption()));
        if (report)
            for (int c = 0; c < item->SubItems()->Count() && c + 1 < FColumns->Count(); ++c) {
                w->setText(c + 1, QString::fromStdString(item->SubItems()->Get(c)));
                w->setTextAlignment(c + 1, QtAlign(FColumns->Items(c + 1)->Alignment()));
            }
        if (FCheckboxes) {
            w->setFlags(w->flags() | Qt::ItemIsUserCheckable);
            w->setCheckState(0, item->Checked() ? Qt::Checked : Qt::Unchecked);
        }
    }
    FPushing = false;
    PushSelection();
}

void TListView::PushSelection() {
    QTreeWidget* t = ViewOf(FWidget);
    FPushing = true;
    for (int i = 0; i < FItems->Count() && i < t->topLevelItemCount(); ++i)
        t->topLevelItem(i)->setSelected(FItems->Item(i)->Selected());
    FPushing = false;
}

void TListView::PullSelection() {
    if (FPushing) return;
    QTreeWidget* t = ViewOf(FWidget);
    for (int i = 0; i < FItems->Count() && i < t->topLevelItemCount(); ++i) {
        TListItem* item = FItems->Item(i);
        const bool v = t->topLevelItem(i)->isSelected();
        if (v == item->Selected()) continue;
        item->SetSelectedFromWidget(v);
        if (v) FFocused = item;
        if (OnSelectItem) OnSelectItem(this, item, v);
        if (OnChange) OnChange(this, item, ctState);
    }
}

void TListView::HeaderClicked(int column) {
    if (OnColumnClick && column >= 0 && column < FColumns->Count()) OnColumnClick(this, FColumns->Items(column));
}

void TListView::CheckClicked(int row, bool checked) {
    if (row < 0 || row >= FItems->Count()) return;
    TListItem* item = FItems->Item(row);
    if (checked == item->Checked()) return;
    item->SetCheckedFromWidget(checked);
    if (FWidget) {
        FPushing = true;
        if (QTreeWidgetItem* w = ViewOf(FWidget)->topLevelItem(row)) w->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
        FPushing = false;
    }
    if (OnChange) OnChange(this, item, ctState);
}

String TListView::ShownText(int row, int column) const {
    if (!FWidget) return String();
    QTreeWidgetItem* w = row < 0 ? ViewOf(FWidget)->headerItem() : ViewOf(FWidget)->topLevelItem(row);
    return w ? w->text(column).toStdString() : String();
}

int TListView::ShownColumnWidth(int column) const { return FWidget ? ViewOf(FWidget)->columnWidth(column) : 0; }

TAlignment TListView::ShownAlignment(int row, int column) const {
    if (!FWidget) return taLeftJustify;
    QTreeWidgetItem* w = row < 0 ? ViewOf(FWidget)->headerItem() : ViewOf(FWidget)->topLevelItem(row);
    const int a = w ? w->textAlignment(column) : 0;
    return (a & Qt::AlignRight) ? taRightJustify : (a & Qt::AlignHCenter) ? taCenter : taLeftJustify;
}

void TListView::WidgetCreated() {
    TWinControl::WidgetCreated();
    velmor_internal::ForwardViewportMouse(this, static_cast<QTreeWidget*>(FWidget)->viewport());
}
