#include "framework/controls/qt/WsMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <algorithm>

#include "framework/graphics/FontWarmUp.h"

namespace velmor_ws {
namespace {
QString Q(const String& s) { return QString::fromStdString(s); }

void Connect(QAction* a, const TMenuEntry& entry) {
    if (entry.OnClick) QObject::connect(a, &QAction::triggered, [click = entry.OnClick] { click(); });
}

QMenu* BuildMenu(const TMenuEntry& root, QWidget* parent) {
    auto* menu = new QMenu(Q(root.Caption), parent);
    QActionGroup* group = nullptr;
    for (const TMenuEntry& entry : root.Items) {
        if (entry.Kind == TMenuEntry::Line) {
            menu->addSeparator();
            continue;
        }
        if (entry.Kind == TMenuEntry::SubMenu) {
            QMenu* sub = BuildMenu(entry, menu);
            sub->setEnabled(entry.Enabled);
            menu->addMenu(sub);
            continue;
        }
        QAction* a = menu->addAction(Q(entry.Caption));
        a->setEnabled(entry.Enabled);
        if (entry.Checkable) {
            a->setCheckable(true);
            a->setChecked(entry.Checked);
        }
        if (entry.Radio) {
            if (!group) group = new QActionGroup(menu);
            group->addAction(a);
        }
        if (!entry.ShortCut.empty()) a->setShortcut(QKeySequence(Q(entry.ShortCut)));
        if (entry.Bold) {
            QFont f = a->font();
            f.setBold(true);
            a->setFont(f);
        }
        Connect(a, entry);
    }
    return menu;
}
}  // namespace

void PopupMenu(const TMenuEntry& root, int x, int y) {
    if (!QApplication::instance()) return;
    std::unique_ptr<QMenu> menu(BuildMenu(root, nullptr));
    menu->exec(QPoint(x, y));
}

int MenuBarHeight() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
    // The toolkit's own sum for a bar's preferred height, from the style and
    // the bar's font alone: making a bar only to ask it would cost start-up
    // a widget. The item's size, then the panel frame and margins around it.
    WaitForFontWarmUp();
    const QStyle* style = QApplication::style();
    const QFont font = QApplication::font("QMenuBar");
    const QFontMetrics metrics(font);
    const QString caption = QStringLiteral("&File");
    QStyleOptionMenuItem item;
    item.palette = QApplication::palette("QMenuBar");
    item.state = QStyle::State_Enabled;
    item.font = font;
    item.fontMetrics = metrics;
    item.menuItemType = QStyleOptionMenuItem::Normal;
    item.checkType = QStyleOptionMenuItem::NotCheckable;
    item.text = caption;
    const int itemHeight =
        style->sizeFromContents(QStyle::CT_MenuBarItem, &item, metrics.size(Qt::TextShowMnemonic, caption), nullptr)
            .height();
    const int frame = style->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, nullptr);
    const int margin = style->pixelMetric(QStyle::PM_MenuBarVMargin, nullptr, nullptr);
    QStyleOptionMenuItem bar;
    bar.palette = item.palette;
    bar.state = QStyle::State_None;
    bar.menuItemType = QStyleOptionMenuItem::Normal;
    bar.checkType = QStyleOptionMenuItem::NotCheckable;
    const QSize contents(1, itemHeight + 4 * frame + 3 * margin);
    return std::max(1, style->sizeFromContents(QStyle::CT_MenuBar, &bar, contents, nullptr).height());
}

struct TMenuBar::Impl {
    QPointer<QMenuBar> Bar;
};

TMenuBar::TMenuBar() : FImpl(new Impl) {}

TMenuBar::~TMenuBar() = default;

bool TMenuBar::Exists() const { return !FImpl->Bar.isNull(); }

QWidget* TMenuBar::Widget() const { return FImpl->Bar.data(); }

void TMenuBar::Fill(QWidget* window, const std::vector<TMenuEntry>& items, int height) {
    if (!FImpl->Bar) FImpl->Bar = new QMenuBar(window);
    QMenuBar* bar = FImpl->Bar;
    bar->clear();
    for (const TMenuEntry& entry : items) {
        if (entry.Kind == TMenuEntry::SubMenu) {
            QMenu* m = BuildMenu(entry, bar);
            m->setEnabled(entry.Enabled);
            bar->addMenu(m);
        } else {
            QAction* a = bar->addAction(Q(entry.Caption));
            a->setEnabled(entry.Enabled);
            Connect(a, entry);
        }
    }
    bar->setGeometry(0, 0, window->width(), height);
    bar->raise();
    bar->show();
}

void TMenuBar::OpenMenu(const String& caption) {
    QMenuBar* bar = FImpl->Bar;
    if (!bar) return;
    for (QAction* a : bar->actions())
        if (a->menu() && a->text() == Q(caption)) bar->setActiveAction(a);
}

void TMenuBar::Destroy() {
    if (FImpl->Bar) delete FImpl->Bar.data();
}

}  // namespace velmor_ws
