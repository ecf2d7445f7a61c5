#include "gridkit/editors/GkCustomCombo.h"

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"

namespace {
TRect Inset(const TRect& r, int by) { return Rect(r.Left + by, r.Top + by, r.Right - by, r.Bottom - by); }
}  // namespace

TGkComboLook GkComboLook(const TGkComboLookState& s) {
    TGkComboLook look;
    const int w = std::max(s.Width, 0), h = std::max(s.Height, 0);
    // Border: three pixels either way.
    if (s.Hot) {
        look.OuterEdge = BDR_SUNKENOUTER;
        look.Frames = {clBtnFace, s.Color};
    } else {
        look.Frames = {s.ParentColor, s.ParentColor, s.Color};
    }
    const int border = 3;
    look.HasButton = !s.Simple;
    if (look.HasButton) {
        const int left = std::max(w - s.ButtonWidth, 0);
        look.ButtonArea = Rect(left, 0, w, h);
        look.Button = Inset(look.ButtonArea, 2);
        look.Arrow = look.Button;
        if (s.Active) {
            look.ButtonEdge = s.Etched ? EDGE_ETCHED : EDGE_RAISED;
            look.ButtonFlags = BF_RECT | (s.DroppedDown ? BF_FLAT : 0u);
        } else {
            look.ButtonFill = clBtnFace;
        }
        look.Text = Rect(border, border, std::max(left, border), std::max(h - border, border));
    } else {
        look.Text = Rect(border, border, std::max(w - border, border), std::max(h - border, border));
    }
    return look;
}

void GkPaintComboFace(TCanvas* canvas, const TGkComboLook& look, const TRect& band, TColor brush) {
    canvas->Brush()->SetColor(brush);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(band);
    if (!look.HasButton) return;
    TRect arrow = look.Arrow;
    DrawFrameControl(canvas, arrow, DFC_SCROLL, look.ArrowState);
}

void GkPaintComboFrame(TCanvas* canvas, const TGkComboLook& look, const TRect& band) {
    TRect r = band;
    if (look.OuterEdge) DrawEdge(canvas, r, look.OuterEdge, BF_RECT | BF_ADJUST);
    canvas->Brush()->SetStyle(bsSolid);
    for (TColor c : look.Frames) {
        canvas->Brush()->SetColor(c);
        canvas->FrameRect(r);
        r = Inset(r, 1);
    }
    if (!look.HasButton || look.Button.IsEmpty()) return;
    TRect b = look.Button;
    if (look.ButtonEdge) {
        DrawEdge(canvas, b, look.ButtonEdge, look.ButtonFlags);
    } else {
        // The ring the edge would take, so the arrow sits on a plain face.
        canvas->Brush()->SetColor(look.ButtonFill);
        canvas->FrameRect(b);
        canvas->FrameRect(Inset(b, 1));
    }
}

TGkCustomCombo::TGkCustomCombo(TComponent* owner) : TComboBox(owner), FCtl3D(!FFlat) {}

void TGkCustomCombo::SetButtonWidth(int v) {
    if (v < 14 || v > 32 || v == FButtonWidth) return;
    FButtonWidth = v;
    OwnFaceChanged();
    Invalidate();
}

void TGkCustomCombo::SetFlat(bool v) {
    if (v == FFlat) return;
    FFlat = v;
    FCtl3D = !v;
    OwnFaceChanged();
    Invalidate();
}

void TGkCustomCombo::SetEtched(bool v) {
    if (v == FEtched) return;
    FEtched = v;
    Invalidate();
}

void TGkCustomCombo::SetFocusBorder(bool v) {
    if (v == FFocusBorder) return;
    FFocusBorder = v;
    Invalidate();
}

bool TGkCustomCombo::Hot() const {
    const bool designing = HasState(csDesigning);
    return !designing && FFocusBorder && (MouseInside() || Focused());
}

bool TGkCustomCombo::Active() const {
    return HasState(csDesigning) || MouseInside() || Focused();
}

TGkComboLook TGkCustomCombo::Look() const {
    const TRect band = EditBand();
    TGkComboLookState s;
    s.Width = band.Width();
    s.Height = band.Height();
    s.ButtonWidth = FButtonWidth;
    s.Simple = Style() == csSimple;
    s.Hot = Hot();
    s.Active = Active();
    s.Etched = FEtched;
    s.DroppedDown = DroppedDown();
    s.Color = Color();
    s.ParentColor = Parent() ? Parent()->Color() : clBtnFace;
    return GkComboLook(s);
}

void TGkCustomCombo::PaintFace(TCanvas* canvas) { GkPaintComboFace(canvas, Look(), EditBand(), Color()); }

void TGkCustomCombo::PaintFrame(TCanvas* canvas) { GkPaintComboFrame(canvas, Look(), EditBand()); }

void TGkCustomCombo::EnabledChanged() {
    if (!Enabled() && FFlat) {
        // A disabled flat box blends into its parent.
        if (!FColorSaved) {
            FColorSaved = true;
            FSavedColor = Color();
            FSavedParentColor = ParentColor();
        }
        if (Parent()) SetColor(Parent()->Color());
    } else if (Enabled() && FColorSaved) {
        FColorSaved = false;
        SetColor(FSavedColor);
        SetParentColor(FSavedParentColor);
    }
    TComboBox::EnabledChanged();
}
