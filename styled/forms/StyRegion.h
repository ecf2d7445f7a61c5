#pragma once
#include <memory>
#include <vector>

#include "framework/graphics/Region.h"
#include "styled/base/StyObject.h"
#include "styled/forms/StyRegionTypes.h"

class TCanvas;
class TComponent;
class TStyRegionMask;
class TStyShadow;

// An outline by one of the named shapes, with a drop shadow. CreateRegion
// builds the outline for a rectangle; the result stays in Region until the
// next build.
class TStyRegion : public TStyObject {
public:
    explicit TStyRegion(TComponent* AOwner = nullptr);
    ~TStyRegion() override;
    String ClassName() const override { return "TStyRegion"; }
    void Assign(TPersistent* Source) override;

    TStyRegionShape Shape() const { return FShape; }
    void SetShape(TStyRegionShape Value);
    TStyExtPos ExtPos() const { return FExtPos; }
    void SetExtPos(TStyExtPos Value);
    TStyRegionMask* Mask() const { return FMask.get(); }
    void SetMask(TStyRegionMask* Value);
    // Reported only for the shapes with rounded corners.
    int RoundX() const { return FRoundX; }
    void SetRoundX(int Value);
    int RoundY() const { return FRoundY; }
    void SetRoundY(int Value);
    TStyShadow* Shadow() const { return FShadow.get(); }
    void SetShadow(TStyShadow* Value);

    int BubbleCount = 4;
    TPoint Offset{0, 0};
    TComponent* Owner() const { return FOwner; }
    // The program's own outline for rsUserRegion, as region data.
    std::vector<Byte> UserRegionData;
    int UserRegionSize() const { return static_cast<int>(UserRegionData.size()); }

    // nullptr when no outline was built (or the shape had no data).
    const TRegion* Region() const { return FRegion.get(); }
    virtual void CreateRegion(const TRect& R);
    void SetRectRegion(const TRect& R);
    virtual void PaintShadow(TCanvas* Canvas, const TRect& R);
    virtual void PaintBorder(TCanvas* Canvas, const TRect& R);

    // The outline of Shape for R, without shadow handling; nullptr for a
    // data shape without data.
    std::unique_ptr<TRegion> BuildShape(const TRect& R) const;

protected:
    bool OwnerGoing() const;
    bool ShadowShows() const;

    std::unique_ptr<TRegion> FRegion;

private:
    TComponent* FOwner;
    TStyRegionShape FShape = rsRoundRect;
    TStyExtPos FExtPos = epLeftTop;
    int FRoundX = 20;
    int FRoundY = 20;
    std::unique_ptr<TStyRegionMask> FMask;
    std::unique_ptr<TStyShadow> FShadow;
};
