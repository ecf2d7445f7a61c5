#include "framework/controls/GraphicControl.h"

#include <QPainter>
#include <QWidget>

#include "framework/graphics/Canvas.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(new TCanvas) {}

TGraphicControl::~TGraphicControl() = default;

QWidget* TGraphicControl::CreateWidget(QWidget* parent) {
    auto* w = new QWidget(parent);
    // See-through: the parent's background stays where Paint draws nothing.
    w->setAutoFillBackground(false);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

void TGraphicControl::WMPaint(TMessage& m) {
    if (!m.LParam || !FWidget) return;
    QPainter painter(FWidget);
    FCanvas->BeginPaint(&painter, FWidth, FHeight);
    FCanvas->Font()->Assign(Font());
    FCanvas->Brush()->SetColor(Color());
    try {
        Paint();
    } catch (...) {
        FCanvas->EndPaint();
        throw;
    }
    FCanvas->EndPaint();
    m.Result = 1;
}
