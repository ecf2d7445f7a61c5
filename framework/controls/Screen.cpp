#include "framework/controls/Screen.h"

#include <QApplication>
#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "framework/controls/ControlsInternal.h"
#include "framework/controls/qt/QtConvert.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"

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

TScreen gScreen(nullptr);
}  // namespace

TScreen* Screen = &gScreen;

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

void velmor_internal::ScreenAddForm(TForm* form) { Screen->AddForm(form); }
void velmor_internal::ScreenRemoveForm(TForm* form) { Screen->RemoveForm(form); }
void velmor_internal::ScreenFormActivated(TForm* form) { Screen->FormActivated(form); }

void velmor_internal::ScreenReleaseCursors() {
    if (Screen->Cursor() != crDefault) Screen->SetCursor(crDefault);
    CustomCursors().clear();
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}
TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor v) {
    if (v == FCursor) return;
    if (QGuiApplication::instance()) {
        if (FCursor != crDefault) QGuiApplication::restoreOverrideCursor();
        if (v != crDefault) QGuiApplication::setOverrideCursor(velmor_internal::CursorFor(v));
    }
    FCursor = v;
}

void TScreen::SetCursorImage(TCursor index, TBitmap* image, int hotX, int hotY) {
    if (!image || image->Empty()) throw EInvalidOperation("Cursor image is empty");
    TCustomCursor c;
    c.Image = image->Transparent() ? image->MaskedImage() : image->Image();
    c.HotX = hotX;
    c.HotY = hotY;
    CustomCursors()[index] = std::move(c);
}

void TScreen::SetCursorShape(TCursor index, int toolkitShape) {
    TCustomCursor c;
    c.Shape = toolkitShape;
    CustomCursors()[index] = std::move(c);
}

bool TScreen::HasCursor(TCursor index) const {
    Qt::CursorShape shape;
    return CustomCursors().count(index) || BuiltInShape(index, shape);
}

TForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount()) throw EListError(RtlConsts::SListIndexError, {index});
    return FForms[static_cast<size_t>(index)];
}

void TScreen::AddForm(TForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FActiveForm == form) {
        FActiveForm = nullptr;
        if (OnActiveFormChange) OnActiveFormChange(this);
    }
}

void TScreen::FormActivated(TForm* form) {
    if (form == FActiveForm) return;
    FActiveForm = form;
    // The most recently active form leads the list, as the classic one does.
    auto it = std::find(FForms.begin(), FForms.end(), form);
    if (it != FForms.end()) std::rotate(FForms.begin(), it, it + 1);
    if (OnActiveFormChange) OnActiveFormChange(this);
}

namespace {
QRect gScreenOverride, gWorkAreaOverride;

QRect ScreenGeometry(bool available) {
    if (!gScreenOverride.isEmpty()) return available && !gWorkAreaOverride.isEmpty() ? gWorkAreaOverride : gScreenOverride;
    QScreen* s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    if (!s) return QRect(0, 0, 1024, 768);
    return available ? s->availableGeometry() : s->geometry();
}
}  // namespace

void SetScreenAreaOverride(const TRect& screen, const TRect& workArea) {
    gScreenOverride = QRect(screen.Left, screen.Top, screen.Width(), screen.Height());
    gWorkAreaOverride = QRect(workArea.Left, workArea.Top, workArea.Width(), workArea.Height());
}

int TScreen::Width() const { return ScreenGeometry(false).width(); }
int TScreen::Height() const { return ScreenGeometry(false).height(); }

int TScreen::PixelsPerInch() const {
    QScreen* s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    return s ? static_cast<int>(s->logicalDotsPerInch() + 0.5) : 96;
}

TRect TScreen::WorkAreaRect() const {
    const QRect r = ScreenGeometry(true);
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

bool TScreen::HasDisplay() const {
    if (!QGuiApplication::instance()) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal" && platform != "minimalegl";
}

bool TScreen::Capture(const TRect& area, TBitmap* bitmap) const {
    QScreen* s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    if (!s || !bitmap) return false;
    const QPixmap shot = s->grabWindow(0, area.Left, area.Top, area.Width(), area.Height());
    if (shot.isNull()) return false;
    bitmap->SetImage(shot.toImage().convertToFormat(QImage::Format_RGB32));
    return true;
}

bool TScreen::CaptureToFile(const TRect& area, const String& pngFile) const {
    QScreen* s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
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
