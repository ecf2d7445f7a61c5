#include "framework/controls/DragImage.h"

#include "framework/controls/qt/WsControl.h"
#include "framework/controls/qt/WsOverlays.h"
#include "framework/graphics/Bitmap.h"

struct TDragImage::TImpl {
    TBitmap Picture;            // empty: nothing to show
    QWidget* Window = nullptr;  // made when first shown
    ~TImpl() { velmor_ws::DestroyWindow(Window); }
};

TDragImage::TDragImage() : FImpl(new TImpl) {}
TDragImage::~TDragImage() = default;

void TDragImage::SetImage(TBitmap* bitmap) {
    FImpl->Picture.Assign(bitmap);
    if (FImpl->Window) velmor_ws::SetWindowPicture(FImpl->Window, &FImpl->Picture);
}

TSize TDragImage::Size() const { return TSize{FImpl->Picture.Width(), FImpl->Picture.Height()}; }

void TDragImage::Show(const TPoint& at) {
    FPosition = at;
    FShowing = true;
    if (!velmor_ws::HasToolkit() || FImpl->Picture.Empty()) return;
    if (!FImpl->Window) FImpl->Window = velmor_ws::CreatePictureWindow(&FImpl->Picture);
    velmor_ws::ShowWindowAt(FImpl->Window, at);
}

void TDragImage::Hide() {
    FShowing = false;
    if (FImpl->Window) velmor_ws::SetVisible(FImpl->Window, false);
}
