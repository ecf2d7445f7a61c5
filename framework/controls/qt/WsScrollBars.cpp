#include "framework/controls/qt/WsScrollBars.h"

#include <QPainter>
#include <QScrollBar>
#include <QWidget>

#include "framework/messages/MessageQueue.h"

namespace {
class TBoxWidget : public QWidget {
public:
    explicit TBoxWidget(QWidget* parent)
        : QWidget(parent), Client(new QWidget(this)), H(new QScrollBar(Qt::Horizontal, this)),
          V(new QScrollBar(Qt::Vertical, this)) {
        Client->setAutoFillBackground(true);
        Client->setMouseTracking(true);
        H->hide();
        V->hide();
    }
    QWidget* Client;
    QScrollBar* H;
    QScrollBar* V;
    int Border = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        if (Border <= 0) return;
        // Sunken: shadow above and left, light below and right, two deep.
        QPainter p(this);
        const QPalette& pal = palette();
        const int w = width(), h = height();
        auto edge = [&](int inset, const QColor& topLeft, const QColor& bottomRight) {
            p.setPen(topLeft);
            p.drawLine(inset, inset, w - 2 - inset, inset);
            p.drawLine(inset, inset, inset, h - 2 - inset);
            p.setPen(bottomRight);
            p.drawLine(inset, h - 1 - inset, w - 1 - inset, h - 1 - inset);
            p.drawLine(w - 1 - inset, inset, w - 1 - inset, h - 1 - inset);
        };
        edge(0, pal.color(QPalette::Dark), pal.color(QPalette::Light));
        edge(1, pal.color(QPalette::Shadow), pal.color(QPalette::Midlight));
    }
};

TScrollCode CodeOf(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return scLineDown;
    case QAbstractSlider::SliderSingleStepSub: return scLineUp;
    case QAbstractSlider::SliderPageStepAdd: return scPageDown;
    case QAbstractSlider::SliderPageStepSub: return scPageUp;
    case QAbstractSlider::SliderToMinimum: return scTop;
    case QAbstractSlider::SliderToMaximum: return scBottom;
    case QAbstractSlider::SliderMove: return scTrack;
    default: return scPosition;
    }
}
}  // namespace

namespace velmor_ws {

QWidget* CreateScrollBar(QWidget* parent, std::function<void(TScrollCode code, int pos)> onScroll) {
    auto* s = new QScrollBar(parent);
    QObject::connect(s, &QScrollBar::actionTriggered, [s, onScroll = std::move(onScroll)](int action) {
        GuardedCall([&] { onScroll(CodeOf(action), s->sliderPosition()); });
    });
    return s;
}

void SetScrollBarParams(QWidget* bar, bool vertical, int min, int max, int pageStep, int singleStep, int position) {
    auto* s = static_cast<QScrollBar*>(bar);
    s->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    s->setRange(min, max);
    s->setPageStep(pageStep);
    s->setSingleStep(singleStep);
    s->setValue(position);
}

void SetSliderPosition(QWidget* bar, int position) { static_cast<QScrollBar*>(bar)->setSliderPosition(position); }

QWidget* CreateScrollBox(QWidget* parent, std::function<void(bool vertical, int pos)> onScroll) {
    auto* w = new TBoxWidget(parent);
    w->setAutoFillBackground(true);
    QObject::connect(w->H, &QScrollBar::valueChanged, [onScroll](int v) { GuardedCall([&] { onScroll(false, v); }); });
    QObject::connect(w->V, &QScrollBar::valueChanged, [onScroll](int v) { GuardedCall([&] { onScroll(true, v); }); });
    return w;
}

QWidget* ScrollBoxClient(QWidget* box) { return static_cast<TBoxWidget*>(box)->Client; }

void LayoutScrollBox(QWidget* box, int border, const TRect& client, const TBoxBar& horz, const TBoxBar& vert) {
    auto* w = static_cast<TBoxWidget*>(box);
    w->H->blockSignals(true);
    w->V->blockSignals(true);
    w->H->setVisible(horz.Visible);
    w->V->setVisible(vert.Visible);
    w->Border = border;
    w->Client->setGeometry(client.Left, client.Top, client.Width(), client.Height());
    auto place = [](QScrollBar* bar, const TBoxBar& b) {
        bar->setGeometry(b.Bounds.Left, b.Bounds.Top, b.Bounds.Width(), b.Bounds.Height());
    };
    place(w->H, horz);
    place(w->V, vert);
    auto set = [](QScrollBar* bar, const TBoxBar& b) {
        bar->setRange(0, b.Max);
        bar->setPageStep(b.PageStep);
        bar->setSingleStep(b.SingleStep);
        bar->setValue(b.Position);
    };
    set(w->H, horz);
    set(w->V, vert);
    w->H->raise();
    w->V->raise();
    w->H->blockSignals(false);
    w->V->blockSignals(false);
}

}  // namespace velmor_ws
