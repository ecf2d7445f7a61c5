#include "framework/controls/GraphicControl.h"

#include "framework/controls/qt/WsControl.h"
#include "framework/graphics/Canvas.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(new TCanvas) {}

TGraphicControl::~TGraphicControl() = default;

QWidget* TGraphicControl::CreateWidget(QWidget* parent) {
    // See-through: the parent's background stays where Paint draws nothing.
    return velmor_ws::CreateGraphicWidget(parent);
}

void TGraphicControl::WMPaint(TMessage& m) {
    if (!m.LParam || !FWidget) return;
    velmor_ws::PaintWidget(FWidget, FCanvas.get(), FWidth, FHeight, [this] {
        FCanvas->Font()->Assign(Font());
        FCanvas->Brush()->SetColor(Color());
        Paint();
    });
    m.Result = 1;
}
