#pragma once
// The kit's combo box base: the flat combo. With Flat off it is an ordinary
// combo box; with Flat on it paints its own face: the client filled with its brush, a flat combo arrow in a
// right-hand area ButtonWidth wide (not for csSimple), the text, then
// border and button over them.
#include <algorithm>
#include <vector>

#include "framework/controls/ComboBox.h"
#include "framework/graphics/DrawText.h"

// The state a flat combo's face is drawn from.
struct TGkComboLookState {
    int Width = 0, Height = 0;  // the box's band (without a simple style's list)
    int ButtonWidth = 18;
    bool Simple = false;        // csSimple: no button
    bool Hot = false;           // sunken border
    bool Active = false;        // raised (or etched) button
    bool Etched = false;
    bool DroppedDown = false;
    TColor Color = clWindow;        // the box's own colour
    TColor ParentColor = clBtnFace; // its parent's colour
};

// What the face is made of: rectangles in the box's coordinates and which
// edge and colour each part takes.
struct TGkComboLook {
    // Border, outside in: with OuterEdge non-zero first a DrawEdge of that
    // kind (BF_RECT | BF_ADJUST) round the box, then one-pixel frames in
    // these colours, each inside the last.
    unsigned OuterEdge = 0;
    std::vector<TColor> Frames;
    // The text (the edit, or a list box's picked line): inside the border,
    // left of the button.
    TRect Text;
    bool HasButton = false;
    TRect ButtonArea;      // the right-hand ButtonWidth pixels
    TRect Arrow;           // DrawFrameControl(DFC_SCROLL, ArrowState) goes here
    unsigned ArrowState = DFCS_SCROLLCOMBOBOX | DFCS_FLAT;
    TRect Button;          // the button rectangle: ButtonArea inset by 2
    // Active: DrawEdge(Button, ButtonEdge, ButtonFlags); not active:
    // ButtonEdge is 0 and the ring between Button and Arrow's inside is
    // filled with ButtonFill.
    unsigned ButtonEdge = 0;
    unsigned ButtonFlags = 0;
    TColor ButtonFill = clNone;
};

// The geometry and colour decisions of the flat face.
TGkComboLook GkComboLook(const TGkComboLookState& s);
// Paints a look: the face under the text (fill and arrow) or the frame
// over it (border and button).
void GkPaintComboFace(TCanvas* canvas, const TGkComboLook& look, const TRect& band, TColor brush);
void GkPaintComboFrame(TCanvas* canvas, const TGkComboLook& look, const TRect& band);

class TGkCustomCombo : public TComboBox {
public:
    explicit TGkCustomCombo(TComponent* owner);
    String ClassName() const override { return "TGkCustomCombo"; }

    // Only 14..32 pixels are taken.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v);
    // The framework's combo has no 3-D look switch: kept here, and always
    // not Flat.
    bool Ctl3D() const { return FCtl3D; }

    // Hot: sunken border (the mouse inside or the focus, FocusBorder on,
    // not designing). Active: raised button (the mouse inside or the focus,
    // or designing).
    bool Hot() const;
    bool Active() const;
    // The face as it would be drawn now.
    TGkComboLook Look() const;

protected:
    bool PaintsOwnFace() const override { return FFlat; }
    TRect OwnFaceTextRect() const override { return Look().Text; }
    void PaintFace(TCanvas* canvas) override;
    void PaintFrame(TCanvas* canvas) override;
    void EnabledChanged() override;

private:
    int FButtonWidth = 18;  // the classic scroll bar's 16 + 2
    bool FFlat = true, FEtched = false, FFocusBorder = false, FCtl3D = false;
    // The colours a disabled flat box gave up for its parent's.
    bool FColorSaved = false;
    TColor FSavedColor = clWindow;
    bool FSavedParentColor = false;
};
