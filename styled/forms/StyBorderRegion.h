#pragma once
#include "styled/forms/StyRegion.h"

class TStyRegionBorder;

// A region that also draws its outline.
class TStyBorderRegion : public TStyRegion {
public:
    explicit TStyBorderRegion(TComponent* AOwner = nullptr);
    ~TStyBorderRegion() override;
    String ClassName() const override { return "TStyBorderRegion"; }
    void Assign(TPersistent* Source) override;

    TStyRegionBorder* Border() const { return FBorder.get(); }
    void SetBorder(TStyRegionBorder* Value);

    // The shadow, then the outline of the region last built. The outline
    // is two pixels wide, as the pen of width 2 drew it, and every shape
    // is outlined by the same rule: its upper-left part light, its
    // lower-right part dark.
    void PaintBorder(TCanvas* Canvas, const TRect& R) override;

private:
    std::unique_ptr<TStyRegionBorder> FBorder;
};
