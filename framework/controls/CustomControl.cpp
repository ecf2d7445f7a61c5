#include "framework/controls/CustomControl.h"

#include <QPainter>
#include <QWidget>

#include "framework/graphics/Canvas.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(new TCanvas) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::WMPaint(TMessage& m) {
    if (!m.LParam || !FWidget) return;
    QPainter painter(FWidget);
    const TRect client = ClientRect();
    FCanvas->BeginPaint(&painter, client.Width(), client.Height());
    FCanvas->Font()->Assign(Font());
    FCanvas->Brush()->SetColor(Color());
    try {
        // The toolkit has filled the background already; a procedure that
        // answers WM_ERASEBKGND paints its own over it.
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(FCanvas.get()), 0);
        FCanvas->Brush()->SetColor(Color());
        Paint();
    } catch (...) {
        FCanvas->EndPaint();
        throw;
    }
    FCanvas->EndPaint();
    m.Result = 1;
}
