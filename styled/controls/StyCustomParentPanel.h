#pragma once
#include <memory>

#include "styled/controls/StyCustomBevelPanel.h"

// A panel whose background is a picture of its own (built from the
// referenced picture, inside the bevel), which transparent children copy
// from.
class TStyCustomParentPanel : public TStyCustomBevelPanel {
public:
    explicit TStyCustomParentPanel(TComponent* AOwner);
    ~TStyCustomParentPanel() override;
    String ClassName() const override { return "TStyCustomParentPanel"; }

    bool HasBackground() override;
    TBitmap* GetBackground() override;
    TPoint BackgroundOffset(const TPoint& P) override;
    bool CopyBackground(TCanvas* Canvas, const TRect& R, const TPoint& Offset) override;
    void PaintBackground(TCanvas* Canvas) override;
    void PictureChanged() override;
    // The panel's own background bitmap, nullptr when it has none.
    TBitmap* OwnBackground();

protected:
    void Loaded() override;
    void Resize() override;
    // Makes the own background afresh (or drops it).
    virtual void RebuildBackground();
    std::unique_ptr<TBitmap> FBackground;
};
