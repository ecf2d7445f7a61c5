#include "styled/controls/StyCustomBevelPanel.h"

#include "framework/graphics/Canvas.h"
#include "styled/graphics/StyBevel.h"

TStyCustomBevelPanel::TStyCustomBevelPanel(TComponent* AOwner)
    : TStyCustomPanel(AOwner), FBevel(std::make_unique<TStyBevel>()) {
    FBevel->OnChange = [this](TObject* s) { BevelChanged(s); };
}

TStyCustomBevelPanel::~TStyCustomBevelPanel() = default;

void TStyCustomBevelPanel::SetBevel(TStyBevel* Value) { FBevel->Assign(Value); }

TRect TStyCustomBevelPanel::InnerRect() const { return FBevel->GetClientRect(Rect(0, 0, Width(), Height())); }

void TStyCustomBevelPanel::AdjustClientRect(TRect& Rect) { Rect = FBevel->GetClientRect(Rect); }

bool TStyCustomBevelPanel::ShowDesignFrame() { return FBevel->BevelExtend() == 0 && FBevel->Mode() != bmWindows; }

void TStyCustomBevelPanel::BevelChanged(TObject* Sender) {
    // The window's own border never changes here, so a move to or from
    // bmWindows needs no new window: only the layout and the paint follow.
    (void)FBevel->WindowsModeChanged();
    Realign();
    ObjectChanged(Sender);
    Invalidate();
}

void TStyCustomBevelPanel::PaintBevel(TCanvas* Canvas) {
    if (Flat() && !HasFocusFlag() && !HasState(csDesigning)) {
        if (HotBorderShown())
            DrawHotBorder(Canvas);
        else
            DrawFlatBorder(Canvas);
        return;
    }
    FBevel->PaintBevel(Canvas, Rect(0, 0, Width(), Height()), IsTransparentNow());
}

void TStyCustomBevelPanel::Paint() {
    if (HasState(csLoading)) return;
    PaintBackground(Canvas());
    if (HasState(csDesigning) && ShowDesignFrame()) DrawDesignFrame(Canvas(), Rect(0, 0, Width(), Height()));
    PaintBevel(Canvas());
}
