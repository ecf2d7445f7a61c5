#include "styled/controls/StyCustomSpeedButton.h"

#include "framework/graphics/Canvas.h"
#include "styled/graphics/FrameDrawing.h"
#include "styled/graphics/StyButtonLayout.h"

TStyCustomSpeedButton::TStyCustomSpeedButton(TComponent* AOwner) : TStyBaseGraphicButton(AOwner) {
    ControlStyle |= csReplicatable;
    SetBounds(Left(), Top(), 23, 22);
    SetHotTracking(true);
    CustomHitTest = false;
}

void TStyCustomSpeedButton::SetStyle(TStyUserButtonStyle Value) {
    if (Value == FStyle) return;
    const bool wasExplorer = FStyle == ubsExplorer || FStyle == ubsExplorerColored;
    FStyle = Value;
    GlyphObject()->SetGreyWhenUp(Value == ubsFlatUnColored || Value == ubsNavigator || Value == ubsExplorer);
    const bool explorer = Value == ubsExplorer || Value == ubsExplorerColored;
    if (explorer && !wasExplorer) {
        FTransparent = true;
        ControlStyle &= ~csOpaque;
    } else if (!explorer && wasExplorer) {
        FTransparent = false;
        ControlStyle |= csOpaque;
    }
    Invalidate();
}

void TStyCustomSpeedButton::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    if (Value)
        ControlStyle &= ~csOpaque;
    else
        ControlStyle |= csOpaque;
    TStyBaseGraphicButton::SetTransparent(Value);
}

bool TStyCustomSpeedButton::HotLookDiffers() {
    return (FStyle >= ubsClassicFlat && FStyle <= ubsExplorerColored) || TStyBaseGraphicButton::HotLookDiffers();
}

void TStyCustomSpeedButton::Paint() {
    TCanvas* c = Canvas();
    if (!FTransparent) EraseBackground(c);
    const TStyUserButtonStyle style = EffectiveStyle();
    const int state = State();
    TRect face = Rect(0, 0, Width(), Height());
    if (ComboPartActive()) {
        const int w = DropdownComboWidth();
        TRect main = Rect(0, 0, Width() - w, Height());
        // The menu part shows pressed while the menu is open; the main part
        // follows the button's own state.
        const int mainState = state == gsMenuOpen ? gsHot : state;
        DrawButtonFrame(c, false, main, style, mainState, 0, Color());
        const bool down = state == gsMenuOpen;
        TRect arrow = Rect(Width() - w - (down ? 1 : 0), 0, Width(), Height());
        DrawButtonFrame(c, false, arrow, style, down ? gsHeld : (state == gsHot ? gsHot : gsUp), 0, Color());
        const int size = 3;
        DrawDropArrow(c, arrow.Left + (arrow.Width() - (2 * size - 1)) / 2, arrow.Top + (arrow.Height() - size) / 2,
                      size, ButtonLayout()->ArrowColor(), down, Enabled());
        face = main;
    } else {
        DrawButtonFrame(c, false, face, style, state, 0, Color());
    }
    DrawGlyphAndCaption(c, face);
    if (HasState(csDesigning) && ShowDesignFrame()) DrawDesignFrame(c);
}
