#include "framework/controls/ScreenOutlines.h"

#include <QApplication>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <algorithm>

#include "framework/controls/Screen.h"

namespace {

QRegion OutlineOf(const QRect& r) {
    if (r.width() <= 2 || r.height() <= 2) return QRegion(r);
    return QRegion(r).subtracted(QRegion(r.adjusted(1, 1, -1, -1)));
}

// The window the outlines show in: above every other, no frame, no
// focus, and the mouse passes through it.
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

struct TScreenOutlines::Impl {
    TOutlineWindow* Window = nullptr;
};

TScreenOutlines::TScreenOutlines() : FImpl(new Impl) {}

TScreenOutlines::~TScreenOutlines() {
    delete FImpl->Window;
    delete FImpl;
}

void TScreenOutlines::Toggle(const TRect& r) {
    auto it = std::find(FShown.begin(), FShown.end(), r);
    if (it != FShown.end())
        FShown.erase(it);
    else if (!r.IsEmpty())
        FShown.push_back(r);
    Update();
}

void TScreenOutlines::Clear() {
    FShown.clear();
    Update();
}

bool TScreenOutlines::WindowShowing() const { return FImpl->Window && FImpl->Window->isVisible(); }

void TScreenOutlines::Update() {
    if (!QApplication::instance() || !Screen || !Screen->HasDisplay()) return;
    if (FShown.empty()) {
        if (FImpl->Window) FImpl->Window->hide();
        return;
    }
    if (!FImpl->Window) FImpl->Window = new TOutlineWindow;
    QRect bounds;
    for (const TRect& r : FShown) bounds |= QRect(r.Left, r.Top, r.Width(), r.Height());
    TOutlineWindow* w = FImpl->Window;
    w->Rects.clear();
    QRegion mask;
    for (const TRect& r : FShown) {
        const QRect q(r.Left - bounds.left(), r.Top - bounds.top(), r.Width(), r.Height());
        w->Rects.push_back(q);
        mask += OutlineOf(q);
    }
    w->setGeometry(bounds);
    w->setMask(mask);
    if (!w->isVisible()) w->show();
    w->update();
}

void TScreenOutlines::Flush() {
    if (!WindowShowing()) return;
    FImpl->Window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
