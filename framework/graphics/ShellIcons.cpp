#include "framework/graphics/ShellIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QStandardPaths>

#include "framework/graphics/Canvas.h"

namespace {

// Without a desktop session the toolkit may know neither where themes are
// installed nor which one to use: look where the desktop would, and take
// the first full theme found.
void ChooseTheme() {
    static bool done = false;
    if (done) return;
    done = true;
    QStringList paths = QIcon::themeSearchPaths();
    QStringList found = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                  QStandardPaths::LocateDirectory);
    found.prepend(QDir::homePath() + QStringLiteral("/.icons"));
    for (const QString& f : found)
        if (!paths.contains(f)) paths << f;
    QIcon::setThemeSearchPaths(paths);
    const QString now = QIcon::themeName();
    if (!now.isEmpty() && now != QLatin1String("hicolor")) return;
    for (const char* name : {"Adwaita", "breeze", "oxygen", "Tango", "gnome", "elementary"})
        for (const QString& base : QIcon::themeSearchPaths())
            if (QFileInfo::exists(base + QLatin1Char('/') + QLatin1String(name) + QLatin1String("/index.theme"))) {
                QIcon::setThemeName(QLatin1String(name));
                return;
            }
}

QIcon IconFor(const String& source) {
    if (source.empty() || !QGuiApplication::instance()) return QIcon();
    ChooseTheme();
    const QString path = QString::fromStdString(source);
    const QFileInfo info(path);
    static const QMimeDatabase db;
    QMimeType type;
    if (info.isDir())
        type = db.mimeTypeForName(QStringLiteral("inode/directory"));
    else if (info.isFile())
        type = db.mimeTypeForFile(info);
    else
        type = db.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    for (const QString& name : {type.iconName(), type.genericIconName(),
                                info.isDir() ? QStringLiteral("folder") : QStringLiteral("text-x-generic")}) {
        if (name.isEmpty()) continue;
        QIcon icon = QIcon::fromTheme(name);
        if (!icon.isNull()) return icon;
    }
    return QIcon();
}

}  // namespace

TSize ShellIconSize(bool large) { return large ? TSize{32, 32} : TSize{16, 16}; }

bool HasShellIcon(const String& source, bool large) {
    const TSize s = ShellIconSize(large);
    const QIcon icon = IconFor(source);
    return !icon.isNull() && !icon.pixmap(QSize(s.cx, s.cy)).isNull();
}

bool DrawShellIcon(TCanvas* canvas, const TRect& rect, const String& source, bool large) {
    const TSize s = ShellIconSize(large);
    const QIcon icon = IconFor(source);
    if (icon.isNull()) return false;
    const QPixmap pm = icon.pixmap(QSize(s.cx, s.cy));
    if (pm.isNull()) return false;
    if (QPainter* p = canvas->Painter()) {
        p->save();
        p->setRenderHint(QPainter::SmoothPixmapTransform, false);
        p->drawPixmap(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), pm);
        p->restore();
    }
    return true;
}
