#include "framework/testkit/ToolkitQueries.h"

#include <QMenuBar>

int LoneMenuBarHeight(const String& caption) {
    QMenuBar bar;
    bar.addAction(QString::fromStdString(caption));
    return bar.sizeHint().height();
}
