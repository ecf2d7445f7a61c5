#include "framework/controls/CustomControl.h"

#include "framework/controls/ControlsInternal.h"
#include "framework/controls/Docking.h"
#include "framework/controls/qt/WsControl.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(new TCanvas) {}

TCustomControl::~TCustomControl() = default;

void velmor_internal::PaintClientArea(TControl* control, QWidget* target, TCanvas* canvas,
                                      const std::function<void()>& paint) {
    // The whole widget: a control may keep part of it out of its client
    // rectangle (a frame) and still paint there.
    velmor_ws::PaintWidget(target, canvas, [&] {
        canvas->Font()->Assign(control->Font());
        canvas->Brush()->SetColor(control->Color());
        // The toolkit has filled the background already; a procedure that
        // answers WM_ERASEBKGND paints its own over it.
        control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas), 0);
        canvas->Brush()->SetColor(control->Color());
        paint();
        velmor_internal::PaintDockSite(control, canvas);
    });
}

void TCustomControl::WMPaint(TMessage& m) {
    if (!m.LParam || !FWidget) return;
    velmor_internal::PaintClientArea(this, FWidget, FCanvas.get(), [this] { Paint(); });
    m.Result = 1;
}
