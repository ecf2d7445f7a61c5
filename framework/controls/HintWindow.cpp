#include "framework/controls/HintWindow.h"

#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsOverlays.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"

namespace {
constexpr unsigned kHintFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
    SetVisible(false);
}

QWidget* THintWindow::CreateWidget(QWidget*) { return velmor_ws::CreateHintWindow(); }

TRect THintWindow::CalcHintRect(int maxWidth, const String& hint) {
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    TRect r{0, 0, std::max(1, maxWidth), 0};
    DrawText(measure.Canvas(), hint, r, kHintFlags | DT_CALCRECT);
    // Room for the frame and a little air around the text.
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHint(const TRect& rect, const String& hint) {
    SetText(hint);
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    SetVisible(true);
    if (velmor_ws::HasToolkit()) HandleNeeded();
    Invalidate();
}

void THintWindow::ApplyVisible() {
    velmor_ws::SetVisible(FWidget, Visible());
    if (Visible()) velmor_ws::BringToFront(FWidget);
}

void THintWindow::ReleaseHandle() { SetVisible(false); }

void THintWindow::Paint() {
    TCanvas* c = Canvas();
    const TRect all{0, 0, Width(), Height()};
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(all);
    c->Brush()->SetColor(clBlack);
    c->FrameRect(all);
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    TRect text{all.Left + 2, all.Top + 1, all.Right - 2, all.Bottom - 1};
    DrawText(c, Text(), text, kHintFlags);
}
