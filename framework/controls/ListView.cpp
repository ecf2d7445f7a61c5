#include "framework/controls/ListView.h"

#include <algorithm>

#include "framework/classes/Strings.h"
#include "framework/controls/ListColumn.h"
#include "framework/controls/ListColumns.h"
#include "framework/controls/ListItem.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ViewportMouse.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsLists.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/StrUtils.h"

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
    if (FWidget) velmor_ws::SetListViewSelectMode(FWidget, FMultiSelect, FRowSelect);
}

void TListView::SetMultiSelect(bool v) {
    if (v == FMultiSelect) return;
    FMultiSelect = v;
    if (FWidget) velmor_ws::SetListViewSelectMode(FWidget, FMultiSelect, FRowSelect);
}

void TListView::SetGridLines(bool v) {
    FGridLines = v;
    if (FWidget) velmor_ws::Invalidate(FWidget);
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
    const int i = velmor_ws::ListViewRowAt(FWidget, TPoint{x, y});
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
        if (i >= 0 && i < velmor_ws::ListViewRowCount(FWidget)) {
            std::vector<String> texts{item->Caption()};
            for (int c = 0; c < item->SubItems()->Count(); ++c) texts.push_back(item->SubItems()->Get(c));
            FPushing = true;
            velmor_ws::SetListViewRowTexts(FWidget, i, texts);
            if (FCheckboxes) velmor_ws::SetListViewRowCheck(FWidget, i, item->Checked());
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
    velmor_ws::TListViewEvents events;
    events.HeaderClicked = [this](int i) { GuardedCall([this, i] { HeaderClicked(i); }); };
    events.ColumnResized = [this](int i, int w) {
        GuardedCall([this, i, w] {
            if (!FPushing && i >= 0 && i < FColumns->Count()) FColumns->Items(i)->SetWidthFromWidget(w);
        });
    };
    events.SelectionChanged = [this] { GuardedCall([this] { PullSelection(); }); };
    events.ItemChanged = [this](void* w, int col) {
        GuardedCall([this, w, col] {
            if (FPushing || col != 0 || !FCheckboxes) return;
            CheckClicked(velmor_ws::ListViewRowOf(FWidget, w), velmor_ws::ListViewItemChecked(w));
        });
    };
    return velmor_ws::CreateListView(parent, std::move(events));
}

void TListView::InitWidget() {
    TWinControl::InitWidget();
    velmor_ws::SetListViewSelectMode(FWidget, FMultiSelect, FRowSelect);
    RebuildWidget();
}

void TListView::PushColumns() {
    const bool report = FViewStyle == vsReport;
    std::vector<velmor_ws::TListViewColumn> columns;
    for (int i = 0; i < FColumns->Count() && report; ++i) {
        TListColumn* c = FColumns->Items(i);
        columns.push_back({c->Caption(), c->Width(), c->Alignment()});
    }
    FPushing = true;
    velmor_ws::SetListViewColumns(FWidget, report ? std::max(1, FColumns->Count()) : 1, report && ShowColumnHeaders,
                                  columns);
    FPushing = false;
}

void TListView::RebuildWidget() {
    PushColumns();
    const bool report = FViewStyle == vsReport;
    std::vector<velmor_ws::TListViewRow> rows(static_cast<size_t>(FItems->Count()));
    for (int i = 0; i < FItems->Count(); ++i) {
        TListItem* item = FItems->Item(i);
        velmor_ws::TListViewRow& row = rows[static_cast<size_t>(i)];
        row.Caption = item->Caption();
        if (report)
            for (int c = 0; c < item->SubItems()->Count() && c + 1 < FColumns->Count(); ++c) {
                row.SubItems.push_back(item->SubItems()->Get(c));
                row.SubAlignments.push_back(FColumns->Items(c + 1)->Alignment());
            }
        row.Checkable = FCheckboxes;
        row.Checked = item->Checked();
    }
    FPushing = true;
    velmor_ws::SetListViewRows(FWidget, rows);
    FPushing = false;
    PushSelection();
}

void TListView::PushSelection() {
    std::vector<bool> selected(static_cast<size_t>(FItems->Count()));
    for (int i = 0; i < FItems->Count(); ++i) selected[static_cast<size_t>(i)] = FItems->Item(i)->Selected();
    FPushing = true;
    velmor_ws::SetListViewSelection(FWidget, selected);
    FPushing = false;
}

void TListView::PullSelection() {
    if (FPushing) return;
    for (int i = 0; i < FItems->Count() && i < velmor_ws::ListViewRowCount(FWidget); ++i) {
        TListItem* item = FItems->Item(i);
        const bool v = velmor_ws::ListViewRowSelected(FWidget, i);
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
        velmor_ws::SetListViewRowCheck(FWidget, row, checked);
        FPushing = false;
    }
    if (OnChange) OnChange(this, item, ctState);
}

String TListView::ShownText(int row, int column) const {
    return FWidget ? velmor_ws::ListViewCellText(FWidget, row, column) : String();
}

int TListView::ShownColumnWidth(int column) const { return FWidget ? velmor_ws::ListViewColumnWidth(FWidget, column) : 0; }

TAlignment TListView::ShownAlignment(int row, int column) const {
    return FWidget ? velmor_ws::ListViewCellAlignment(FWidget, row, column) : taLeftJustify;
}

void TListView::WidgetCreated() {
    TWinControl::WidgetCreated();
    velmor_internal::ForwardViewportMouse(this, velmor_ws::ItemViewport(FWidget));
}
