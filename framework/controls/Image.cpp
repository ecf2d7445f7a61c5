#include "framework/controls/Image.h"

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/Pen.h"
#include "framework/graphics/Picture.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(new TPicture) {
    FWidth = 105;
    FHeight = 105;
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::SetPicture(TPicture* v) { FPicture->Assign(v); }

void TImage::SetStretch(bool v) {
    if (v == FStretch) return;
    FStretch = v;
    Invalidate();
}

void TImage::SetCenter(bool v) {
    if (v == FCenter) return;
    FCenter = v;
    Invalidate();
}

void TImage::SetProportional(bool v) {
    if (v == FProportional) return;
    FProportional = v;
    Invalidate();
}

void TImage::SetTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    if (TGraphic* g = FPicture->Graphic()) g->SetTransparent(v);
    Invalidate();
}

void TImage::SetAutoSize(bool v) {
    if (v == FAutoSize) return;
    FAutoSize = v;
    PictureChanged();
}

void TImage::PictureChanged() {
    TGraphic* g = FPicture->Graphic();
    if (g && FTransparent) g->SetTransparent(true);
    if (FAutoSize && g && !g->Empty()) SetBounds(FLeft, FTop, g->Width(), g->Height());
    Invalidate();
}

TRect TImage::DestRect() const {
    const TGraphic* g = FPicture->Graphic();
    const int pw = g ? g->Width() : 0, ph = g ? g->Height() : 0;
    const int cw = FWidth, ch = FHeight;
    int w = pw, h = ph;
    if (FStretch || (FProportional && (pw > cw || ph > ch))) {
        if (FProportional && pw > 0 && ph > 0) {
            // The larger side fits, the other keeps the picture's shape.
            if (static_cast<long long>(cw) * ph > static_cast<long long>(ch) * pw) {
                h = ch;
                w = static_cast<int>(static_cast<long long>(ch) * pw / ph);
            } else {
                w = cw;
                h = static_cast<int>(static_cast<long long>(cw) * ph / pw);
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (FCenter) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Bounds(x, y, w, h);
}

void TImage::Paint() {
    TCanvas* c = Canvas();
    TGraphic* g = FPicture->Graphic();
    if (!g || g->Empty()) return;
    const TRect r = DestRect();
    if (r.Width() == g->Width() && r.Height() == g->Height())
        c->Draw(r.Left, r.Top, g);
    else
        c->StretchDraw(r, g);
}
