#include "framework/controls/qt/WsPanels.h"

#include <QGroupBox>
#include <QProgressBar>

#include "framework/controls/qt/QtConvert.h"

namespace velmor_ws {

QWidget* CreateGroupBox(QWidget* parent) {
    auto* g = new QGroupBox(parent);
    g->setFocusPolicy(Qt::NoFocus);
    return g;
}

void SetGroupBoxTitle(QWidget* box, const String& title) {
    static_cast<QGroupBox*>(box)->setTitle(velmor_internal::ToQString(title));
}

QWidget* CreateProgressBar(QWidget* parent) {
    auto* b = new QProgressBar(parent);
    b->setTextVisible(false);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void SetProgress(QWidget* bar, bool vertical, int min, int max, int position) {
    auto* b = static_cast<QProgressBar*>(bar);
    b->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    b->setRange(min, max);
    b->setValue(position);
}

}  // namespace velmor_ws
