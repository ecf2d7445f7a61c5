#include "framework/controls/qt/WsOverlays.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>

#include "framework/graphics/Bitmap.h"

namespace {
class TPictureWindow : public QWidget {
public:
    TPictureWindow()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                               Qt::WindowTransparentForInput) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setWindowOpacity(0.7);
    }
    QImage Picture;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, Picture);
    }
};

QRegion OutlineOf(const QRect& r) {
    if (r.width() <= 2 || r.height() <= 2) return QRegion(r);
    return QRegion(r).subtracted(QRegion(r.adjusted(1, 1, -1, -1)));
}

class TOutlineWindow : public QWidget {
public:
    TOutlineWindow()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                               Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }
    std::vector<QRect> Rects;  // window coordinates

protected:
    void paintEvent(QPaintEvent*) override {
        // The dotted look of a focus rectangle: black and white pixels by
        // turns, so it shows on any background.
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        QPen pen(Qt::black, 1, Qt::CustomDashLine);
        pen.setDashPattern({1, 1});
        p.setPen(pen);
        for (const QRect& r : Rects) p.drawRect(r.adjusted(0, 0, -1, -1));
    }
};
}  // namespace

namespace velmor_ws {

QWidget* CreateHintWindow() {
    auto* w = new QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    return w;
}

QWidget* CreatePictureWindow(TBitmap* picture) {
    auto* w = new TPictureWindow;
    w->Picture = picture->Image().copy();
    w->resize(w->Picture.size());
    return w;
}

void SetWindowPicture(QWidget* window, TBitmap* picture) {
    auto* w = static_cast<TPictureWindow*>(window);
    w->Picture = picture->Image().copy();
    w->resize(w->Picture.size());
    w->update();
}

QWidget* CreateOutlineWindow() { return new TOutlineWindow; }

void ShowOutlines(QWidget* window, const std::vector<TRect>& rects) {
    auto* w = static_cast<TOutlineWindow*>(window);
    QRect bounds;
    for (const TRect& r : rects) bounds |= QRect(r.Left, r.Top, r.Width(), r.Height());
    w->Rects.clear();
    QRegion mask;
    for (const TRect& r : rects) {
        const QRect q(r.Left - bounds.left(), r.Top - bounds.top(), r.Width(), r.Height());
        w->Rects.push_back(q);
        mask += OutlineOf(q);
    }
    w->setGeometry(bounds);
    w->setMask(mask);
    if (!w->isVisible()) w->show();
    w->update();
}

void ShowWindowAt(QWidget* window, const TPoint& screenTopLeft) {
    window->move(screenTopLeft.X, screenTopLeft.Y);
    if (!window->isVisible()) window->show();
}

void FlushWindow(QWidget* window) {
    window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DestroyWindow(QWidget* window) { delete window; }

}  // namespace velmor_ws
