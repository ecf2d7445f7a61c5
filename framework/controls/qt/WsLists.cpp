#include "framework/controls/qt/WsLists.h"

#include <QAbstractItemDelegate>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QStyleHints>
#include <QStylePainter>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <memory>

#include "framework/classes/Strings.h"
#include "framework/controls/qt/ControlBridge.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/messages/MessageQueue.h"

namespace velmor_ws {

namespace {
QListWidget* ListOf(QWidget* w) { return static_cast<QListWidget*>(w); }
QTreeWidget* TreeOf(QWidget* w) { return static_cast<QTreeWidget*>(w); }
QTreeWidgetItem* ItemOf(void* item) { return static_cast<QTreeWidgetItem*>(item); }
TTreeNode* NodeOf(QTreeWidgetItem* item) {
    return item ? static_cast<TTreeNode*>(item->data(0, Qt::UserRole).value<void*>()) : nullptr;
}
Qt::Alignment QtAlign(TAlignment a) {
    return (a == taCenter ? Qt::AlignHCenter : a == taRightJustify ? Qt::AlignRight : Qt::AlignLeft) |
           Qt::AlignVCenter;
}
}  // namespace

QWidget* ItemViewport(QWidget* view) { return static_cast<QAbstractScrollArea*>(view)->viewport(); }

// --- list box ---------------------------------------------------------

QWidget* CreateListBox(QWidget* parent, std::function<void()> onSelectionChanged) {
    auto* l = new QListWidget(parent);
    l->setFocusPolicy(Qt::StrongFocus);
    l->setUniformItemSizes(true);
    QObject::connect(l, &QListWidget::itemSelectionChanged, l, std::move(onSelectionChanged));
    return l;
}

void WatchListChecks(QWidget* list, std::function<void(int, bool)> onChecked) {
    QListWidget* l = ListOf(list);
    QObject::connect(l, &QListWidget::itemChanged, l, [l, onChecked = std::move(onChecked)](QListWidgetItem* item) {
        onChecked(l->row(item), item->checkState() == Qt::Checked);
    });
}

void SetListMultiSelect(QWidget* list, bool multiSelect) {
    ListOf(list)->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                               : QAbstractItemView::SingleSelection);
}

int ListCount(QWidget* list) { return ListOf(list)->count(); }

void SetListItems(QWidget* list, const TStrings* items) {
    QListWidget* l = ListOf(list);
    l->clear();
    for (int i = 0; i < items->Count(); ++i) l->addItem(QString::fromStdString(items->Get(i)));
}

void AddListItem(QWidget* list, const String& text) { ListOf(list)->addItem(QString::fromStdString(text)); }

void SetListItemCheck(QWidget* list, int index, bool checked) {
    QListWidgetItem* item = ListOf(list)->item(index);
    if (!item) return;
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void SetListSelection(QWidget* list, const std::vector<bool>& selected, int itemIndex, bool multiSelect) {
    QListWidget* l = ListOf(list);
    for (int i = 0; i < l->count(); ++i)
        l->item(i)->setSelected(static_cast<size_t>(i) < selected.size() && selected[static_cast<size_t>(i)]);
    if (itemIndex >= 0 && itemIndex < l->count())
        l->setCurrentRow(itemIndex, multiSelect ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect);
}

int ReadListSelection(QWidget* list, std::vector<bool>& selected, bool multiSelect) {
    QListWidget* l = ListOf(list);
    for (int i = 0; i < l->count() && static_cast<size_t>(i) < selected.size(); ++i)
        selected[static_cast<size_t>(i)] = l->item(i)->isSelected();
    int current = l->currentRow();
    if (!multiSelect && !l->selectedItems().isEmpty()) current = l->row(l->selectedItems().first());
    return current;
}

int ListTopIndex(QWidget* list) {
    const QModelIndex i = ListOf(list)->indexAt(QPoint(2, 2));
    return i.isValid() ? i.row() : 0;
}

void ScrollListTo(QWidget* list, int index) {
    QListWidget* l = ListOf(list);
    l->scrollToItem(l->item(index), QAbstractItemView::PositionAtTop);
}

TRect ListItemRect(QWidget* list, int index) {
    QListWidget* l = ListOf(list);
    const QRect r = l->visualItemRect(l->item(index));
    const QPoint p = l->viewport()->mapTo(l, r.topLeft());
    return Bounds(p.x(), p.y(), r.width(), r.height());
}

int ListItemAt(QWidget* list, const TPoint& pos) {
    QListWidget* l = ListOf(list);
    const QModelIndex i = l->indexAt(l->viewport()->mapFrom(l, QPoint(pos.X, pos.Y)));
    return i.isValid() ? i.row() : -1;
}

// --- list view (rows in columns) ---------------------------------------

QWidget* CreateListView(QWidget* parent, TListViewEvents events) {
    auto* t = new QTreeWidget(parent);
    t->setRootIsDecorated(false);
    t->setItemsExpandable(false);
    t->setUniformRowHeights(true);
    t->setFocusPolicy(Qt::StrongFocus);
    t->header()->setSectionsClickable(true);
    t->header()->setStretchLastSection(false);
    QObject::connect(t->header(), &QHeaderView::sectionClicked, t, std::move(events.HeaderClicked));
    QObject::connect(t->header(), &QHeaderView::sectionResized, t,
                     [resized = std::move(events.ColumnResized)](int i, int, int w) { resized(i, w); });
    QObject::connect(t, &QTreeWidget::itemSelectionChanged, t, std::move(events.SelectionChanged));
    QObject::connect(t, &QTreeWidget::itemChanged, t,
                     [changed = std::move(events.ItemChanged)](QTreeWidgetItem* w, int col) { changed(w, col); });
    return t;
}

void SetListViewSelectMode(QWidget* view, bool multiSelect, bool rowSelect) {
    QTreeWidget* t = TreeOf(view);
    t->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    t->setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void SetListViewColumns(QWidget* view, int columnCount, bool headerShown, const std::vector<TListViewColumn>& columns) {
    QTreeWidget* t = TreeOf(view);
    t->setColumnCount(columnCount);
    t->setHeaderHidden(!headerShown);
    if (columns.empty()) return;
    QStringList labels;
    for (const TListViewColumn& c : columns) labels << QString::fromStdString(c.Caption);
    t->setHeaderLabels(labels);
    for (size_t i = 0; i < columns.size(); ++i) {
        t->setColumnWidth(static_cast<int>(i), columns[i].Width);
        t->headerItem()->setTextAlignment(static_cast<int>(i), QtAlign(columns[i].Alignment));
    }
}

void SetListViewRows(QWidget* view, const std::vector<TListViewRow>& rows) {
    QTreeWidget* t = TreeOf(view);
    t->clear();
    for (const TListViewRow& row : rows) {
        auto* w = new QTreeWidgetItem(t);
        w->setText(0, QString::fromStdString(row.Caption));
        for (size_t c = 0; c < row.SubItems.size(); ++c) {
            const int col = static_cast<int>(c) + 1;
            w->setText(col, QString::fromStdString(row.SubItems[c]));
            if (c < row.SubAlignments.size()) w->setTextAlignment(col, QtAlign(row.SubAlignments[c]));
        }
        if (row.Checkable) {
            w->setFlags(w->flags() | Qt::ItemIsUserCheckable);
            w->setCheckState(0, row.Checked ? Qt::Checked : Qt::Unchecked);
        }
    }
}

int ListViewRowCount(QWidget* view) { return TreeOf(view)->topLevelItemCount(); }

int ListViewRowOf(QWidget* view, void* item) { return TreeOf(view)->indexOfTopLevelItem(ItemOf(item)); }

bool ListViewItemChecked(void* item) { return ItemOf(item)->checkState(0) == Qt::Checked; }

void SetListViewRowTexts(QWidget* view, int row, const std::vector<String>& texts) {
    if (QTreeWidgetItem* w = TreeOf(view)->topLevelItem(row))
        for (size_t c = 0; c < texts.size(); ++c) w->setText(static_cast<int>(c), QString::fromStdString(texts[c]));
}

void SetListViewRowCheck(QWidget* view, int row, bool checked) {
    if (QTreeWidgetItem* w = TreeOf(view)->topLevelItem(row)) w->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void SetListViewSelection(QWidget* view, const std::vector<bool>& selected) {
    QTreeWidget* t = TreeOf(view);
    for (int i = 0; i < t->topLevelItemCount() && static_cast<size_t>(i) < selected.size(); ++i)
        t->topLevelItem(i)->setSelected(selected[static_cast<size_t>(i)]);
}

bool ListViewRowSelected(QWidget* view, int row) {
    QTreeWidgetItem* w = TreeOf(view)->topLevelItem(row);
    return w && w->isSelected();
}

int ListViewRowAt(QWidget* view, const TPoint& pos) {
    QTreeWidget* t = TreeOf(view);
    QTreeWidgetItem* it = t->itemAt(t->viewport()->mapFrom(t, QPoint(pos.X, pos.Y)));
    return it ? t->indexOfTopLevelItem(it) : -1;
}

namespace {
QTreeWidgetItem* CellRow(QWidget* view, int row) {
    return row < 0 ? TreeOf(view)->headerItem() : TreeOf(view)->topLevelItem(row);
}
}  // namespace

String ListViewCellText(QWidget* view, int row, int column) {
    QTreeWidgetItem* w = CellRow(view, row);
    return w ? w->text(column).toStdString() : String();
}

TAlignment ListViewCellAlignment(QWidget* view, int row, int column) {
    QTreeWidgetItem* w = CellRow(view, row);
    const int a = w ? w->textAlignment(column) : 0;
    return (a & Qt::AlignRight) ? taRightJustify : (a & Qt::AlignHCenter) ? taCenter : taLeftJustify;
}

int ListViewColumnWidth(QWidget* view, int column) { return TreeOf(view)->columnWidth(column); }

// --- tree view ----------------------------------------------------------

QWidget* CreateTreeView(QWidget* parent, TTreeViewEvents events) {
    auto* t = new QTreeWidget(parent);
    t->setHeaderHidden(true);
    t->setColumnCount(1);
    t->setFocusPolicy(Qt::StrongFocus);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QObject::connect(t, &QTreeWidget::currentItemChanged, t,
                     [changed = std::move(events.CurrentChanged)](QTreeWidgetItem* cur, QTreeWidgetItem*) {
                         changed(NodeOf(cur));
                     });
    auto expanded = std::make_shared<std::function<void(TTreeNode*, bool)>>(std::move(events.ExpandedChanged));
    QObject::connect(t, &QTreeWidget::itemExpanded, t, [expanded](QTreeWidgetItem* item) {
        if (TTreeNode* n = NodeOf(item)) (*expanded)(n, true);
    });
    QObject::connect(t, &QTreeWidget::itemCollapsed, t, [expanded](QTreeWidgetItem* item) {
        if (TTreeNode* n = NodeOf(item)) (*expanded)(n, false);
    });
    QObject::connect(t->itemDelegate(), &QAbstractItemDelegate::closeEditor, t,
                     [closed = std::move(events.EditorClosed)](QWidget*, QAbstractItemDelegate::EndEditHint) { closed(); });
    QObject::connect(t, &QTreeWidget::itemChanged, t,
                     [changed = std::move(events.ItemChanged)](QTreeWidgetItem* item, int) { changed(NodeOf(item), item); });
    return t;
}

void ClearTree(QWidget* tree) { TreeOf(tree)->clear(); }

void* AddTreeItem(QWidget* tree, void* parentItem, TTreeNode* node, const String& text) {
    auto* item = parentItem ? new QTreeWidgetItem(ItemOf(parentItem)) : new QTreeWidgetItem(TreeOf(tree));
    item->setText(0, QString::fromStdString(text));
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(node)));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

void SetTreeItemText(void* item, const String& text) { ItemOf(item)->setText(0, QString::fromStdString(text)); }

String TreeItemText(void* item) { return ItemOf(item)->text(0).toStdString(); }

void SetTreeItemExpanded(void* item, bool expanded) { ItemOf(item)->setExpanded(expanded); }

void DeleteTreeItem(void* item) { delete ItemOf(item); }

void SetTreeCurrentItem(QWidget* tree, void* item) { TreeOf(tree)->setCurrentItem(ItemOf(item)); }

void EditTreeItem(QWidget* tree, void* item) { TreeOf(tree)->editItem(ItemOf(item), 0); }

TTreeNode* TreeNodeAt(QWidget* tree, const TPoint& pos) {
    QTreeWidget* t = TreeOf(tree);
    return NodeOf(t->itemAt(t->viewport()->mapFrom(t, QPoint(pos.X, pos.Y))));
}

TTreeNode* TreeTopNode(QWidget* tree) { return NodeOf(TreeOf(tree)->itemAt(QPoint(2, 2))); }

// --- combo box ------------------------------------------------------------

namespace {
// The toolkit draws an edit's caret with no room before it; the edit below
// draws its own instead.
class TOwnCaretStyle : public QProxyStyle {
public:
    explicit TOwnCaretStyle(QObject* owner) : QProxyStyle(nullptr) { setParent(owner); }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_TextCursorWidth) return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The edit of an editable combo box. Under the owner's own face its caret
// stands one pixel clear of the text before it: fonts that leave a glyph's
// blank column on its left would otherwise have the caret touch the last
// letter. The caret blinks at the desktop's rate.
class TComboEdit : public QLineEdit {
public:
    TComboEdit(QWidget* parent, std::function<bool()> ownFace) : QLineEdit(parent), FOwnFace(std::move(ownFace)) {
        setStyle(new TOwnCaretStyle(this));
        FBlink.setSingleShot(false);
        QObject::connect(&FBlink, &QTimer::timeout, [this] {
            FCaretOn = !FCaretOn;
            update();
        });
        QObject::connect(this, &QLineEdit::cursorPositionChanged, [this] { RestartBlink(); });
        QObject::connect(this, &QLineEdit::textChanged, [this] { RestartBlink(); });
    }
    // The caret's left edge in the edit, as the toolkit places it.
    int CaretX() const {
        // The toolkit's cursor rectangle starts 5 pixels before the caret.
        return inputMethodQuery(Qt::ImCursorRectangle).toRect().x() + 5;
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QLineEdit::paintEvent(e);
        if (!hasFocus() || !FCaretOn || isReadOnly()) return;
        const QRect r = inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = CaretX() + (FOwnFace && FOwnFace() ? 1 : 0);
        QPainter p(this);
        p.fillRect(QRect(x, r.y(), 1, r.height() - 1), palette().color(QPalette::Text));
    }
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        RestartBlink();
    }
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        FBlink.stop();
        update();
    }

private:
    void RestartBlink() {
        FCaretOn = true;
        const int flash = QGuiApplication::styleHints()->cursorFlashTime();
        if (hasFocus() && flash > 0) FBlink.start(flash / 2);
        update();
    }
    std::function<bool()> FOwnFace;
    QTimer FBlink;
    bool FCaretOn = true;
};

// The toolkit's combo box, telling the control when its list opens and
// closes. In the simple style the list does not drop down: it lies open
// below the edit for good, sharing the combo box's lines.
class TQtComboBox : public QComboBox, public TControlHooked {
public:
    TQtComboBox(QWidget* parent, TComboBoxHooks hooks) : QComboBox(parent), FHooks(std::move(hooks)) {
        QObject::connect(this, &QComboBox::currentIndexChanged, [this](int i) {
            if (FList) FList->setCurrentIndex(model()->index(i, modelColumn()));
        });
    }
    void showPopup() override {
        if (FList) return;
        GuardedCall([this] { FHooks.DroppingDown(); });
        // The list's least width widens the popup past the box.
        view()->setMinimumWidth(FHooks.DroppedWidth());
        QComboBox::showPopup();
        PlaceList();
        if (QWidget* list = ListWindow()) {
            list->installEventFilter(this);
            FOpened.start();
        }
    }
    // The window the list drops in (none before the first drop).
    QWidget* ListWindow() const {
        QWidget* list = view() ? view()->window() : nullptr;
        return list && list != window() ? list : nullptr;
    }
    // The open list's frame in screen coordinates; empty when closed.
    QRect ListGeometry() const {
        const QWidget* list = view() ? view()->window() : nullptr;
        return list && list != window() && list->isVisible() ? list->geometry() : QRect();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        GuardedCall([this] { FHooks.ClosedUp(); });
    }
    void SetSimple(bool on) {
        if (on && !FList) {
            FList = new QListView(this);
            FList->setModel(model());
            FList->setModelColumn(modelColumn());
            FList->setEditTriggers(QAbstractItemView::NoEditTriggers);
            FList->setFocusPolicy(Qt::NoFocus);
            QObject::connect(FList, &QListView::clicked, [this](const QModelIndex& index) { Pick(index.row()); });
        } else if (!on && FList) {
            delete FList;
            FList = nullptr;
            ToolkitEditPlace();
        }
        WatchEdit();
        Layout();
        update();
    }
    // The owner's face came or went: the edit moves into its text area or
    // back to the toolkit's place.
    void FaceChanged() {
        if (!FList && !FHooks.OwnFace()) ToolkitEditPlace();
        WatchEdit();
        Layout();
        update();
    }
    // The toolkit moves the edit back to its own place now and then (it
    // centres it in the whole box, or fits it to its own frame); with the
    // simple style or an own face it belongs elsewhere.
    void WatchEdit() {
        if (lineEdit()) lineEdit()->installEventFilter(this);
    }
    void DropControlHooks() override {
        TComboBoxHooks none;
        none.DroppingDown = [] {};
        none.ClosedUp = [] {};
        none.DroppedDown = [] { return false; };
        none.DroppedWidth = [] { return 0; };
        none.OwnFace = [] { return false; };
        none.OwnFaceTextArea = [] { return TRect{}; };
        FHooks = std::move(none);
    }
    int EditHeight() const { return std::min(height(), QComboBox::sizeHint().height()); }
    std::function<bool()> OwnFaceHook() const { return FHooks.OwnFace; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        // The release of the click that dropped the list lands beside it,
        // now that the list no longer lies over the box: the list stays.
        if (e->type() == QEvent::MouseButtonRelease && o == ListWindow() && FOpened.isValid() &&
            FOpened.elapsed() < QApplication::doubleClickInterval()) {
            FOpened.invalidate();
            const QWidget* list = ListWindow();
            if (!list->rect().contains(static_cast<QMouseEvent*>(e)->position().toPoint())) return true;
        }
        const bool handled = QComboBox::eventFilter(o, e);
        if (o == lineEdit() && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) Layout();
        return handled;
    }
    void resizeEvent(QResizeEvent* e) override {
        QComboBox::resizeEvent(e);
        Layout();
    }
    void showEvent(QShowEvent* e) override {
        QComboBox::showEvent(e);
        Layout();
    }
    // With an own face the button is the owner's drawing: a click on the
    // box outside the text drops the list.
    void mousePressEvent(QMouseEvent* e) override {
        if (!FList && isEditable() && e->button() == Qt::LeftButton && FHooks.OwnFace()) {
            const TRect t = FHooks.OwnFaceTextArea();
            const QPoint p = e->position().toPoint();
            if (!QRect(t.Left, t.Top, t.Width(), t.Height()).contains(p)) {
                if (FHooks.DroppedDown()) hidePopup(); else showPopup();
                e->accept();
                return;
            }
        }
        QComboBox::mousePressEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        if (!FList) {
            QComboBox::paintEvent(e);
            return;
        }
        // Only the edit's frame: no arrow, as nothing drops down.
        QStylePainter p(this);
        QStyleOptionFrame opt;
        opt.initFrom(this);
        opt.rect = QRect(0, 0, width(), EditHeight());
        opt.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, this);
        opt.state |= QStyle::State_Sunken;
        p.drawPrimitive(QStyle::PE_PanelLineEdit, opt);
    }

private:
    // The list drops below the box, or opens above it where the screen
    // has no room below, and never over the box itself (some styles lay a
    // list-only box's list over it, its picked line on the box).
    void PlaceList() {
        QWidget* list = view() ? view()->window() : nullptr;
        if (!list || list == window() || !list->isVisible()) return;
        const QPoint top = mapToGlobal(QPoint(0, 0));
        const QPoint bottom = mapToGlobal(QPoint(0, height()));
        const TRect area = FHooks.WorkArea ? FHooks.WorkArea() : TRect{};
        const QRect room = !area.IsEmpty() ? QRect(area.Left, area.Top, area.Width(), area.Height())
                           : screen()    ? screen()->availableGeometry()
                                         : QRect();
        int y = bottom.y();
        if (room.isValid() && y + list->height() > room.bottom() + 1 && top.y() - list->height() >= room.top())
            y = top.y() - list->height();
        if (list->y() != y) list->move(list->x(), y);
    }
    void ToolkitEditPlace() {
        QResizeEvent again(size(), size());
        QComboBox::resizeEvent(&again);
    }
    void Layout() {
        const bool face = FHooks.OwnFace();
        if (!FList && !face) return;
        const int h = FList ? EditHeight() : height();
        QRect at;
        if (face) {
            const TRect t = FHooks.OwnFaceTextArea();
            at = QRect(t.Left, t.Top, std::max(0, t.Width()), std::max(0, t.Height()));
        } else {
            const int f = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
            at = QRect(f + 1, f, std::max(0, width() - 2 * f - 2), std::max(0, h - 2 * f));
        }
        if (lineEdit() && lineEdit()->geometry() != at) lineEdit()->setGeometry(at);
        if (!FList) return;
        FList->setGeometry(0, h, width(), std::max(0, height() - h));
        FList->show();
    }
    // A click in the open list picks the line as a pick from a dropped
    // list does: the edit shows it and the control hears of it once.
    void Pick(int row) {
        {
            const QSignalBlocker quiet(this);
            setCurrentIndex(row);
        }
        emit activated(row);
    }
    TComboBoxHooks FHooks;
    QListView* FList = nullptr;
    QElapsedTimer FOpened;  // since the list last dropped
};

TQtComboBox* ComboOf(QWidget* w) { return static_cast<TQtComboBox*>(w); }
}  // namespace

QWidget* CreateComboBox(QWidget* parent, TComboBoxHooks hooks) {
    auto picked = std::move(hooks.Picked);
    auto edited = std::move(hooks.TextEdited);
    auto* cb = new TQtComboBox(parent, std::move(hooks));
    cb->setFocusPolicy(Qt::StrongFocus);
    cb->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(cb, &QComboBox::activated, std::move(picked));
    QObject::connect(cb, &QComboBox::editTextChanged,
                     [edited = std::move(edited)](const QString& t) { edited(t.toStdString()); });
    return cb;
}

void SetComboEditable(QWidget* combo, bool editable) {
    TQtComboBox* cb = ComboOf(combo);
    QWidget* oldEdit = cb->lineEdit();
    if (editable && !cb->isEditable()) cb->setLineEdit(new TComboEdit(cb, cb->OwnFaceHook()));
    cb->setEditable(editable);
    // The toolkit deletes the old edit later. It passes its focus on to
    // the box, so as it goes it would take the box's focus with it.
    if (oldEdit && oldEdit != cb->lineEdit()) oldEdit->setFocusProxy(nullptr);
}

void SetComboStyle(QWidget* combo, bool editable, bool simple, TControlBridge* bridge) {
    TQtComboBox* cb = ComboOf(combo);
    SetComboEditable(cb, editable);
    cb->SetSimple(simple);
    if (cb->isEditable()) {
        // No inline completion of the toolkit's own: a box that completes
        // does it by its own rule.
        cb->setCompleter(nullptr);
        if (bridge) WatchInner(bridge, cb->lineEdit());
    }
}

bool ComboEditable(QWidget* combo) { return ComboOf(combo)->isEditable(); }

void ComboFaceChanged(QWidget* combo) { ComboOf(combo)->FaceChanged(); }

int ComboEditHeight(QWidget* combo) { return ComboOf(combo)->EditHeight(); }

void SetComboItems(QWidget* combo, const TStrings* items) {
    TQtComboBox* cb = ComboOf(combo);
    cb->clear();
    for (int i = 0; i < items->Count(); ++i) cb->addItem(QString::fromStdString(items->Get(i)));
}

void SetComboIndex(QWidget* combo, int index, const String& text) {
    TQtComboBox* cb = ComboOf(combo);
    cb->setCurrentIndex(index);
    if (cb->isEditable()) cb->setEditText(QString::fromStdString(text));
}

void SetComboDropDownCount(QWidget* combo, int count) { ComboOf(combo)->setMaxVisibleItems(count); }

void SetComboDroppedWidth(QWidget* combo, int width) { ComboOf(combo)->view()->setMinimumWidth(width); }

void SetComboMaxLength(QWidget* combo, int length) {
    if (QLineEdit* le = ComboOf(combo)->lineEdit()) le->setMaxLength(length > 0 ? length : 32767);
}

void ShowComboList(QWidget* combo, bool show) {
    if (show)
        ComboOf(combo)->showPopup();
    else
        ComboOf(combo)->hidePopup();
}

TRect ComboListRect(QWidget* combo) {
    const QRect r = ComboOf(combo)->ListGeometry();
    return r.isEmpty() ? TRect{} : Bounds(r.x(), r.y(), r.width(), r.height());
}

bool ComboSelection(QWidget* combo, int& start, int& length) {
    const QLineEdit* le = ComboOf(combo)->lineEdit();
    if (!le) return false;
    start = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
    length = le->hasSelectedText() ? le->selectionLength() : 0;
    return true;
}

void SetComboSelection(QWidget* combo, int start, int length) {
    QLineEdit* le = ComboOf(combo)->lineEdit();
    if (!le) return;
    const int size = static_cast<int>(le->text().size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length > 0)
        le->setSelection(start, length);
    else
        le->setCursorPosition(start);
}

void SelectAllComboText(QWidget* combo) {
    if (QLineEdit* le = ComboOf(combo)->lineEdit()) le->selectAll();
}

// --- beyond the generic widget operations (qt/WsControl) -------------------

bool MouseOverWidget(QWidget* w) { return w->underMouse() && w->rect().contains(w->mapFromGlobal(QCursor::pos())); }

}  // namespace velmor_ws
