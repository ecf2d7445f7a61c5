#include "framework/controls/qt/WsTabs.h"

#include <QTabBar>
#include <QWidget>

namespace velmor_ws {
namespace {
class TPageWidget : public QWidget {
public:
    TPageWidget(QWidget* parent, int tabHeight) : QWidget(parent), Bar(new QTabBar(this)), FTabHeight(tabHeight) {
        Bar->setDrawBase(true);
        Bar->setExpanding(false);
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        Bar->setGeometry(0, 0, width(), FTabHeight);
    }
    QTabBar* Bar;

private:
    int FTabHeight;
};

QTabBar* BarOf(QWidget* surface) {
    auto* w = dynamic_cast<TPageWidget*>(surface);
    return w ? w->Bar : nullptr;
}
}  // namespace

QWidget* CreatePageSurface(QWidget* parent, int tabHeight, std::function<void(int)> onTabChanged,
                           std::function<void()> onGone) {
    auto* w = new TPageWidget(parent, tabHeight);
    w->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(w->Bar, &QTabBar::currentChanged, std::move(onTabChanged));
    QObject::connect(w, &QObject::destroyed, std::move(onGone));
    return w;
}

void DetachPageSurface(QWidget* surface) {
    QObject::disconnect(surface, &QObject::destroyed, nullptr, nullptr);
    if (QTabBar* bar = BarOf(surface)) QObject::disconnect(bar, &QTabBar::currentChanged, nullptr, nullptr);
}

void SetPageTabs(QWidget* surface, const std::vector<String>& captions, int current) {
    QTabBar* bar = BarOf(surface);
    if (!bar) return;
    while (bar->count() > 0) bar->removeTab(bar->count() - 1);
    for (const String& c : captions) bar->addTab(QString::fromStdString(c));
    bar->setCurrentIndex(current);
    bar->raise();
}

void PlaceTabBar(QWidget* surface, int width, int height) {
    if (QTabBar* bar = BarOf(surface)) bar->setGeometry(0, 0, width, height);
}

}  // namespace velmor_ws
