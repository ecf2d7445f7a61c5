#include "framework/system/SystemMetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QScreen* PrimaryScreen() {
    return QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
}
}  // namespace

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        QScreen* s = PrimaryScreen();
        // Before the toolkit runs there is no screen to ask; the size the
        // offscreen platform reports is as good a guess as any.
        const QRect r = s ? s->geometry() : QRect(0, 0, 800, 600);
        return index == SM_CXSCREEN ? r.width() : r.height();
    }
    case SM_CXVSCROLL: return 16;  // the classic bar, as the grids draw theirs
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 15;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 14;
    default: return 0;
    }
}

int ScreenColorDepth() {
    QScreen* s = PrimaryScreen();
    return s ? s->depth() : 24;
}
