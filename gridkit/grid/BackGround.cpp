#include "gridkit/grid/BackGround.h"

#include "framework/graphics/Bitmap.h"

TBackGround::TBackGround() : FBitmap(new TBitmap) {}
TBackGround::~TBackGround() = default;

void TBackGround::SetTop(int v) {
    FTop = v;
    Changed();
}

void TBackGround::SetLeft(int v) {
    FLeft = v;
    Changed();
}

void TBackGround::SetDisplay(TBackGroundDisplay v) {
    FDisplay = v;
    Changed();
}

void TBackGround::SetBitmap(TBitmap* v) {
    FBitmap->Assign(v);
    Changed();
}

void TBackGround::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TBackGround*>(source)) {
        FTop = s->FTop;
        FLeft = s->FLeft;
        FDisplay = s->FDisplay;
        FBitmap->Assign(s->FBitmap.get());
        Changed();
        return;
    }
    TPersistent::Assign(source);
}
