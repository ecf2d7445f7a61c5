#include "framework/controls/DragImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

#include "framework/graphics/Bitmap.h"

namespace {
class TPictureWindow : public QWidget {
public:
    TPictureWindow()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                               Qt::WindowTransparentForInput) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setWindowOpacity(0.7);
    }
    QImage Picture;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, Picture);
    }
};
}  // namespace

struct TDragImage::TImpl {
    std::unique_ptr<TPictureWindow> Window;
    QImage Picture;
};

TDragImage::TDragImage() : FImpl(new TImpl) {}
TDragImage::~TDragImage() = default;

void TDragImage::SetImage(TBitmap* bitmap) {
    FImpl->Picture = bitmap ? bitmap->Image().copy() : QImage();
    if (FImpl->Window) {
        FImpl->Window->Picture = FImpl->Picture;
        FImpl->Window->resize(FImpl->Picture.size());
        FImpl->Window->update();
    }
}

TSize TDragImage::Size() const { return TSize{FImpl->Picture.width(), FImpl->Picture.height()}; }

void TDragImage::Show(const TPoint& at) {
    FPosition = at;
    FShowing = true;
    if (!QGuiApplication::instance() || FImpl->Picture.isNull()) return;
    if (!FImpl->Window) {
        FImpl->Window = std::make_unique<TPictureWindow>();
        FImpl->Window->Picture = FImpl->Picture;
        FImpl->Window->resize(FImpl->Picture.size());
    }
    FImpl->Window->move(at.X, at.Y);
    if (!FImpl->Window->isVisible()) FImpl->Window->show();
}

void TDragImage::Hide() {
    FShowing = false;
    if (FImpl->Window) FImpl->Window->hide();
}
