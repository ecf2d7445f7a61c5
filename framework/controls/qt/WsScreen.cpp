#include "framework/controls/qt/WsScreen.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <map>
#include <optional>
#include <vector>

#include "framework/controls/qt/QtConvert.h"
#include "framework/graphics/Bitmap.h"
#include "framework/messages/MessageQueue.h"

namespace {
// Cursors made by the program. The toolkit's cursor is made the first
// time one is shown (a cursor may be registered before the toolkit
// starts); they hold toolkit images, so they are freed with the
// application, not at exit.
struct TCustomCursor {
    QImage Image;
    int HotX = 0, HotY = 0;
    int Shape = -1;  // a toolkit shape instead of an image
    std::optional<QCursor> Made;
};

std::map<TCursor, TCustomCursor>& CustomCursors() {
    static auto* cursors = new std::map<TCursor, TCustomCursor>;
    return *cursors;
}

bool BuiltInShape(TCursor c, Qt::CursorShape& shape) {
    switch (c) {
    case crDefault:
    case crArrow: shape = Qt::ArrowCursor; return true;
    case crNone: shape = Qt::BlankCursor; return true;
    case crCross: shape = Qt::CrossCursor; return true;
    case crIBeam: shape = Qt::IBeamCursor; return true;
    case crSizeNESW: shape = Qt::SizeBDiagCursor; return true;
    case crSizeNS: shape = Qt::SizeVerCursor; return true;
    case crSizeNWSE: shape = Qt::SizeFDiagCursor; return true;
    case crSizeWE: shape = Qt::SizeHorCursor; return true;
    case crUpArrow: shape = Qt::UpArrowCursor; return true;
    case crHourGlass: shape = Qt::WaitCursor; return true;
    case crDrag:
    case crMultiDrag: shape = Qt::DragCopyCursor; return true;
    case crNoDrop:
    case crNo: shape = Qt::ForbiddenCursor; return true;
    case crHSplit: shape = Qt::SplitHCursor; return true;
    case crVSplit: shape = Qt::SplitVCursor; return true;
    case crSQLWait:
    case crAppStart: shape = Qt::BusyCursor; return true;
    case crHelp: shape = Qt::WhatsThisCursor; return true;
    case crHandPoint: shape = Qt::PointingHandCursor; return true;
    case crSizeAll: shape = Qt::SizeAllCursor; return true;
    default: return false;
    }
}

QScreen* Primary() { return QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr; }
}  // namespace

QCursor velmor_internal::CursorFor(TCursor cursor) {
    auto& custom = CustomCursors();
    auto it = custom.find(cursor);
    if (it != custom.end()) {
        TCustomCursor& c = it->second;
        if (!c.Made) {
            if (c.Shape >= 0)
                c.Made.emplace(static_cast<Qt::CursorShape>(c.Shape));
            else
                c.Made.emplace(QPixmap::fromImage(c.Image), c.HotX, c.HotY);
        }
        return *c.Made;
    }
    Qt::CursorShape shape = Qt::ArrowCursor;
    BuiltInShape(cursor, shape);
    return QCursor(shape);
}

namespace velmor_ws {

bool HasDisplay() {
    if (!QGuiApplication::instance()) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal" && platform != "minimalegl";
}

TRect PrimaryScreenRect(bool workArea) {
    QScreen* s = Primary();
    if (!s) return Bounds(0, 0, 1024, 768);
    const QRect r = workArea ? s->availableGeometry() : s->geometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

int ScreenPixelsPerInch() {
    QScreen* s = Primary();
    return s ? static_cast<int>(s->logicalDotsPerInch() + 0.5) : 96;
}

bool HasBuiltInCursor(TCursor cursor) {
    Qt::CursorShape shape;
    return BuiltInShape(cursor, shape);
}

bool HasCustomCursor(TCursor cursor) { return CustomCursors().count(cursor) > 0; }

void SetCustomCursorImage(TCursor cursor, TBitmap* image, int hotX, int hotY) {
    TCustomCursor c;
    c.Image = image->Transparent() ? image->MaskedImage() : image->Image();
    c.HotX = hotX;
    c.HotY = hotY;
    CustomCursors()[cursor] = std::move(c);
}

void SetCustomCursorShape(TCursor cursor, int toolkitShape) {
    TCustomCursor c;
    c.Shape = toolkitShape;
    CustomCursors()[cursor] = std::move(c);
}

void ClearCustomCursors() { CustomCursors().clear(); }

void ChangeOverrideCursor(TCursor previous, TCursor cursor) {
    if (!QGuiApplication::instance()) return;
    if (previous != crDefault) QGuiApplication::restoreOverrideCursor();
    if (cursor != crDefault) QGuiApplication::setOverrideCursor(velmor_internal::CursorFor(cursor));
}

bool GrabScreen(const TRect& area, TBitmap* bitmap) {
    QScreen* s = Primary();
    if (!s || !bitmap) return false;
    const QPixmap shot = s->grabWindow(0, area.Left, area.Top, area.Width(), area.Height());
    if (shot.isNull()) return false;
    bitmap->SetImage(shot.toImage().convertToFormat(QImage::Format_RGB32));
    return true;
}

bool GrabScreenToFile(const TRect& area, const String& pngFile) {
    QScreen* s = Primary();
    if (!s) return false;
    // What shows is what the windows have drawn: each shown window waits
    // until the window system has put it on the screen (a window manager
    // maps and frames it in its own time), then paints what is pending.
    std::vector<QPointer<QWidget>> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowHandle()) shown.emplace_back(w);
    PumpMessagesUntil(
        [&] {
            for (const QPointer<QWidget>& w : shown)
                if (w && w->isVisible() && w->windowHandle() && !w->windowHandle()->isExposed()) return false;
            return true;
        },
        5000);
    for (const QPointer<QWidget>& w : shown)
        if (w && w->isVisible()) w->repaint();
    ProcessMessages();
    const QPixmap shot = s->grabWindow(0, area.Left, area.Top, area.Width(), area.Height());
    return !shot.isNull() && shot.save(QString::fromStdString(pngFile), "PNG");
}

}  // namespace velmor_ws
