#include "framework/controls/ScrollBox.h"

#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "framework/controls/qt/ControlBridge.h"
#include "framework/controls/ControlScrollBar.h"
#include "framework/messages/MessageQueue.h"

namespace {
constexpr int kBar = 16;

// The box's window: the border round the edge, the scroll bars inside it
// and, between them, the client widget the controls sit on, so that none
// of them can cover the border.
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
}  // namespace

int TControlScrollBar::Position() const { return FVertical ? FOwner->VertPos() : FOwner->HorzPos(); }

void TControlScrollBar::SetPosition(int v) {
    if (FVertical)
        FOwner->ScrollTo(FOwner->HorzPos(), v);
    else
        FOwner->ScrollTo(v, FOwner->VertPos());
}

void TControlScrollBar::SetRange(int v) {
    FRange = std::max(0, v);
    FOwner->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool v) {
    FVisible = v;
    FOwner->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible() const {
    if (!FVisible) return false;
    const TRect r = FOwner->ClientRect();
    return FVertical ? FOwner->ExtentY() > r.Height() : FOwner->ExtentX() > r.Width();
}

TScrollBox::TScrollBox(TComponent* owner)
    : TWinControl(owner), FHorz(new TControlScrollBar(this, false)), FVert(new TControlScrollBar(this, true)) {
    ControlStyle |= csAcceptsControls;
    FWidth = 185;
    FHeight = 41;
    SetTabStop(false);
}

TScrollBox::~TScrollBox() = default;

TRect TScrollBox::ClientRect() const {
    const int b = 2 * BorderWidth();
    return Rect(0, 0, std::max(0, FWidth - b - (FShowV ? kBar : 0)), std::max(0, FHeight - b - (FShowH ? kBar : 0)));
}

TPoint TScrollBox::ClientOrigin() const {
    if (FWidget) {
        const QPoint p = static_cast<TBoxWidget*>(FWidget)->Client->mapToGlobal(QPoint(0, 0));
        return Point(p.x(), p.y());
    }
    const TPoint o = TWinControl::ClientOrigin();
    return Point(o.X + BorderWidth(), o.Y + BorderWidth());
}

QWidget* TScrollBox::ClientWidget() {
    Widget();
    return FWidget ? static_cast<TBoxWidget*>(FWidget)->Client : nullptr;
}

void TScrollBox::SetBorderStyle(TControlBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    // The client area changes size: the controls realign and the bars
    // follow.
    Realign();
    UpdateScrollBars();
    if (FWidget) FWidget->update();
}

int TScrollBox::ExtentX() const {
    int x = FHorz->Range();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible() && c->Align() == alNone) x = std::max(x, c->Left() + c->Width() + FHPos);
    }
    return x;
}

int TScrollBox::ExtentY() const {
    int y = FVert->Range();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible() && c->Align() == alNone) y = std::max(y, c->Top() + c->Height() + FVPos);
    }
    return y;
}

void TScrollBox::ScrollBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    FHPos += dx;
    FVPos += dy;
    FInUpdate = true;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() == alNone) c->SetBounds(c->Left() - dx, c->Top() - dy, c->Width(), c->Height());
    }
    FInUpdate = false;
    UpdateScrollBars();
}

void TScrollBox::ScrollTo(int x, int y) {
    const TRect r = ClientRect();
    x = std::clamp(x, 0, std::max(0, ExtentX() - r.Width()));
    y = std::clamp(y, 0, std::max(0, ExtentY() - r.Height()));
    ScrollBy(x - FHPos, y - FVPos);
}

void TScrollBox::ScrollInView(TControl* control) {
    if (!control || control->Parent() != this) return;
    const TRect r = ClientRect();
    int dx = 0, dy = 0;
    if (control->Left() < 0) dx = control->Left();
    else if (control->Left() + control->Width() > r.Width()) dx = std::min(control->Left(), control->Left() + control->Width() - r.Width());
    if (control->Top() < 0) dy = control->Top();
    else if (control->Top() + control->Height() > r.Height()) dy = std::min(control->Top(), control->Top() + control->Height() - r.Height());
    ScrollBy(dx, dy);
}

void TScrollBox::UpdateScrollBars() {
    if (FInUpdate) return;
    FInUpdate = true;
    // Two rounds: one bar taking room may call for the other.
    for (int round = 0; round < 2; ++round) {
        const TRect r = ClientRect();
        FShowH = AutoScroll && FHorz->Visible() && ExtentX() > r.Width();
        FShowV = AutoScroll && FVert->Visible() && ExtentY() > r.Height();
    }
    FInUpdate = false;
    // Scrolled past what is there now: come back.
    const TRect r = ClientRect();
    const int maxX = std::max(0, ExtentX() - r.Width()), maxY = std::max(0, ExtentY() - r.Height());
    if (FHPos > maxX || FVPos > maxY) {
        ScrollBy(std::min(FHPos, maxX) - FHPos, std::min(FVPos, maxY) - FVPos);
        return;
    }
    if (!FWidget) return;
    auto* w = static_cast<TBoxWidget*>(FWidget);
    w->H->blockSignals(true);
    w->V->blockSignals(true);
    w->H->setVisible(FShowH);
    w->V->setVisible(FShowV);
    const int b = BorderWidth();
    w->Border = b;
    w->Client->setGeometry(b, b, r.Width(), r.Height());
    w->H->setGeometry(b, FHeight - b - kBar, r.Width(), kBar);
    w->V->setGeometry(FWidth - b - kBar, b, kBar, r.Height());
    w->H->setRange(0, maxX);
    w->H->setPageStep(std::max(1, r.Width()));
    w->H->setSingleStep(FHorz->Increment);
    w->H->setValue(FHPos);
    w->V->setRange(0, maxY);
    w->V->setPageStep(std::max(1, r.Height()));
    w->V->setSingleStep(FVert->Increment);
    w->V->setValue(FVPos);
    w->H->raise();
    w->V->raise();
    w->H->blockSignals(false);
    w->V->blockSignals(false);
}

void TScrollBox::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    UpdateScrollBars();
}

QWidget* TScrollBox::CreateWidget(QWidget* parent) {
    auto* w = new TBoxWidget(parent);
    w->setAutoFillBackground(true);
    QObject::connect(w->H, &QScrollBar::valueChanged, [this](int v) { GuardedCall([this, v] { ScrollTo(v, FVPos); }); });
    QObject::connect(w->V, &QScrollBar::valueChanged, [this](int v) { GuardedCall([this, v] { ScrollTo(FHPos, v); }); });
    return w;
}

void TScrollBox::InitWidget() {
    // Mouse and paint messages of the client widget are the box's own.
    FBridge->Watch(static_cast<TBoxWidget*>(FWidget)->Client);
    TWinControl::InitWidget();
    UpdateScrollBars();
}

void TScrollBox::ApplyBounds() {
    TWinControl::ApplyBounds();
    UpdateScrollBars();
}
