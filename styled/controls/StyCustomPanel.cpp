#include "styled/controls/StyCustomPanel.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

TStyCustomPanel::TStyCustomPanel(TComponent* AOwner) : TStyCustomControl(AOwner) {
    ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque | csReplicatable;
    SetColor(clBtnFace);
}

bool TStyCustomPanel::HasBackground() { return ParentHasBackground(); }

TBitmap* TStyCustomPanel::GetBackground() { return ParentBackground(); }

TPoint TStyCustomPanel::BackgroundOffset(const TPoint& P) { return ParentBackgroundOffset(P); }

bool TStyCustomPanel::CopyBackground(TCanvas* Canvas, const TRect& R, const TPoint& Offset) {
    TBitmap* b = ParentBackground();
    if (!b || b->Empty() || !Canvas) return false;
    const TPoint at = BackgroundOffset(Point(R.Left + Offset.X, R.Top + Offset.Y));
    Canvas->CopyRect(R, b->Canvas(), Rect(at.X, at.Y, at.X + R.Width(), at.Y + R.Height()));
    return true;
}
