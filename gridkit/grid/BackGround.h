#pragma once
// A background bitmap behind a grid's cells; every setter repaints.
#include <functional>
#include <memory>

#include "framework/classes/Persistent.h"
#include "gridkit/grid/GkTypes.h"

class TBitmap;

class TBackGround : public TPersistent {
public:
    TBackGround();
    ~TBackGround() override;
    String ClassName() const override { return "TBackGround"; }
    void Assign(TPersistent* source) override;

    int Top() const { return FTop; }
    void SetTop(int v);
    int Left() const { return FLeft; }
    void SetLeft(int v);
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay v);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* v);

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    int FTop = 0, FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    std::unique_ptr<TBitmap> FBitmap;
};
