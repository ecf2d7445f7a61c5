#include "framework/controls/qt/WsApplication.h"

#include <QAbstractEventDispatcher>
#include <QApplication>

namespace velmor_ws {

void Beep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

bool AddIdleHandler(std::function<void()> onIdle) {
    if (!QCoreApplication::instance()) return false;
    QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance();
    if (!d) return false;
    QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, d, std::move(onIdle));
    return true;
}

}  // namespace velmor_ws
