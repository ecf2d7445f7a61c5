#include "framework/controls/qt/WsGrids.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWidget>
#include <algorithm>

#include "framework/controls/qt/QtConvert.h"
#include "framework/grids/CustomGrid.h"

using velmor_internal::ToQColor;

namespace {
// A scroll bar that the framework paints itself while the bars are flat;
// it also notes where the mouse is on it, and ends each scroll with
// SB_ENDSCROLL as the classic bars do.
class TGridScrollBar : public QScrollBar {
public:
    TGridScrollBar(Qt::Orientation o, QWidget* parent, velmor_ws::TGridBarLook* bars, std::function<void(QWidget*)> ended)
        : QScrollBar(o, parent), FBars(bars), FEnded(std::move(ended)) {
        setMouseTracking(true);
    }
    int Index() const { return orientation() == Qt::Vertical ? TCustomGrid::SB_VERT : TCustomGrid::SB_HORZ; }
    QRect ThumbRect() const {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        return style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, this);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        Note(e);
        QScrollBar::mousePressEvent(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        Note(e);
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        const auto hot = style()->hitTestComplexControl(QStyle::CC_ScrollBar, &opt, e->position().toPoint(), this);
        if (hot != FHot) {
            FHot = hot;
            if (FBars->Flat) update();
        }
        QScrollBar::mouseMoveEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Note(e);
        QScrollBar::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && FEnded) FEnded(this);
    }
    void leaveEvent(QEvent* e) override {
        FHot = QStyle::SC_None;
        if (FBars->Flat) update();
        QScrollBar::leaveEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        if (!FBars->Flat) {
            QScrollBar::paintEvent(e);
            return;
        }
        QPainter p(this);
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        const int mode = FBars->Style[Index()];
        const TColor back = FBars->Back[Index()];
        p.fillRect(rect(), ToQColor(back == clNone ? clScrollBar : back));
        const bool pressedAny = opt.state & QStyle::State_Sunken;
        const bool can = isEnabled() && maximum() > minimum();
        for (QStyle::SubControl sc :
             {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSlider}) {
            if (sc == QStyle::SC_ScrollBarSlider && !can) continue;
            const QRect r = style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, this);
            if (r.isEmpty()) continue;
            const bool pressed = pressedAny && (opt.activeSubControls & sc);
            const bool hot = FHot == sc;
            Part(p, r, mode, hot, pressed);
            if (sc != QStyle::SC_ScrollBarSlider)
                Arrow(p, r, sc == QStyle::SC_ScrollBarSubLine, can, mode == TCustomGrid::FSB_FLAT_MODE && (hot || pressed));
        }
    }

private:
    void Note(QMouseEvent* e) {
        const QPoint g = e->globalPosition().toPoint();
        FBars->MouseScreen = TPoint{g.x(), g.y()};
    }
    static void Edge(QPainter& p, const QRect& r, TColor topLeft, TColor bottomRight) {
        p.setPen(ToQColor(topLeft));
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        p.setPen(ToQColor(bottomRight));
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    }
    static void Part(QPainter& p, const QRect& r, int mode, bool hot, bool pressed) {
        const bool inverted = mode == TCustomGrid::FSB_FLAT_MODE && (hot || pressed);
        p.fillRect(r, ToQColor(inverted ? clBtnShadow : clBtnFace));
        const bool raised = mode == TCustomGrid::FSB_REGULAR_MODE || (mode == TCustomGrid::FSB_ENCARTA_MODE && hot);
        if (pressed && mode != TCustomGrid::FSB_FLAT_MODE) {
            Edge(p, r, clBtnShadow, clBtnShadow);
        } else if (raised) {
            Edge(p, r, clBtnFace, cl3DDkShadow);
            Edge(p, r.adjusted(1, 1, -1, -1), clBtnHighlight, clBtnShadow);
        } else {
            Edge(p, r, clBtnShadow, clBtnShadow);
        }
    }
    void Arrow(QPainter& p, const QRect& r, bool back, bool enabled, bool inverted) const {
        const int s = std::max(2, std::min(r.width(), r.height()) / 4);
        const QPoint c = r.center();
        QPolygon tri;
        if (orientation() == Qt::Vertical) {
            const int d = back ? -1 : 1;
            tri << QPoint(c.x() - s, c.y() - d * s / 2) << QPoint(c.x() + s, c.y() - d * s / 2)
                << QPoint(c.x(), c.y() + d * (s - s / 2));
        } else {
            const int d = back ? -1 : 1;
            tri << QPoint(c.x() - d * s / 2, c.y() - s) << QPoint(c.x() - d * s / 2, c.y() + s)
                << QPoint(c.x() + d * (s - s / 2), c.y());
        }
        const QColor ink = ToQColor(!enabled ? clBtnShadow : inverted ? clBtnHighlight : clBtnText);
        p.setPen(ink);
        p.setBrush(ink);
        p.drawPolygon(tri);
    }

    velmor_ws::TGridBarLook* FBars;
    std::function<void(QWidget*)> FEnded;
    QStyle::SubControl FHot = QStyle::SC_None;
};

int ActionToCode(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return TCustomGrid::SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return TCustomGrid::SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return TCustomGrid::SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return TCustomGrid::SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return TCustomGrid::SB_TOP;
    case QAbstractSlider::SliderToMaximum: return TCustomGrid::SB_BOTTOM;
    case QAbstractSlider::SliderMove: return TCustomGrid::SB_THUMBTRACK;
    default: return -1;
    }
}
}  // namespace

namespace velmor_ws {

QWidget* CreateGridScrollBar(QWidget* grid, bool vertical, TGridBarLook* look,
                             std::function<void(QWidget* bar, int code, int pos)> onScroll) {
    auto* bar = new TGridScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, grid, look,
                                   [onScroll](QWidget* self) { onScroll(self, TCustomGrid::SB_ENDSCROLL, 0); });
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setCursor(Qt::ArrowCursor);
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar, onScroll](int a) {
        const int code = ActionToCode(a);
        if (code < 0) return;
        onScroll(bar, code, bar->sliderPosition());
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [bar, onScroll]() {
        onScroll(bar, TCustomGrid::SB_THUMBPOSITION, bar->sliderPosition());
    });
    return bar;
}

void SetGridBarRange(QWidget* bar, int min, int max, int pageStep, int position) {
    auto* b = static_cast<QScrollBar*>(bar);
    b->setRange(min, max);
    b->setPageStep(pageStep);
    if (!b->isSliderDown()) b->setValue(position);
    b->update();
}

void SetGridBarSlider(QWidget* bar, int position) { static_cast<QScrollBar*>(bar)->setSliderPosition(position); }

void SetGridBarValue(QWidget* bar, int position) { static_cast<QScrollBar*>(bar)->setValue(position); }

bool GridBarTracking(const QWidget* bar, int& position) {
    const auto* b = static_cast<const QScrollBar*>(bar);
    if (!b->isSliderDown()) return false;
    position = b->sliderPosition();
    return true;
}

TRect GridBarThumbRect(const QWidget* bar) {
    const auto* b = static_cast<const TGridScrollBar*>(bar);
    const QRect r = b->ThumbRect().translated(b->pos());
    return TRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

}  // namespace velmor_ws
