#include "framework/graphics/ImageList.h"

#include <QImage>
#include <QPainter>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

struct TImageList::Entry {
    QImage image;  // Width x Height, 32-bit
    QImage shown;  // same size, alpha 255 where the image shows, 0 where masked out
};

namespace {

QRgb ToQRgb(TColor c) {
    TColor rgb = ColorToRGB(c);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

}  // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), FWidth(std::max(1, width)), FHeight(std::max(1, height)) {}

TImageList::~TImageList() = default;

void TImageList::Assign(TPersistent* source) {
    if (auto* l = dynamic_cast<TImageList*>(source)) {
        FWidth = l->FWidth;
        FHeight = l->FHeight;
        Masked = l->Masked;
        BkColor = l->BkColor;
        FImages = l->FImages;  // entries are never changed in place, so sharing is safe
        Change();
        return;
    }
    TComponent::Assign(source);
}

void TImageList::Change() {
    if (OnChange) OnChange(this);
}

void TImageList::SetWidth(int v) {
    v = std::max(1, v);
    if (v == FWidth) return;
    FWidth = v;
    FImages.clear();
    Change();
}

void TImageList::SetHeight(int v) {
    v = std::max(1, v);
    if (v == FHeight) return;
    FHeight = v;
    FImages.clear();
    Change();
}

void TImageList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EInvalidOperation("Invalid image list index " + std::to_string(index));
}

TImageList::Entry TImageList::MakeEntry(TBitmap* image, TBitmap* mask, int left, bool byColor,
                                        TColor maskColor) const {
    Entry e;
    e.image = QImage(FWidth, FHeight, QImage::Format_RGB32);
    e.image.fill(0xFFFFFFFF);
    e.shown = QImage(FWidth, FHeight, QImage::Format_ARGB32);
    e.shown.fill(0);
    const QImage& src = image->Image();
    QImage m = mask && !byColor ? mask->Image().copy() : QImage();
    QRgb key = ToQRgb(maskColor);
    for (int y = 0; y < FHeight && y < src.height(); ++y)
        for (int x = 0; x < FWidth && left + x < src.width(); ++x) {
            QRgb c = src.pixel(left + x, y) | 0xFF000000;
            e.image.setPixel(x, y, c);
            bool show = true;
            if (byColor)
                show = c != key;
            else if (!m.isNull() && left + x < m.width() && y < m.height())
                show = qGray(m.pixel(left + x, y)) < 128;  // black shows, white hides
            if (show) e.shown.setPixel(x, y, 0xFF000000);
        }
    return e;
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    int first = Count();
    int cells = std::max(1, image->Width() / FWidth);
    for (int i = 0; i < cells; ++i)
        FImages.push_back(std::make_shared<Entry>(MakeEntry(image, mask, i * FWidth, false, clNone)));
    Change();
    return first;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    if (maskColor == clDefault) maskColor = image->TransparentColor();
    int first = Count();
    int cells = std::max(1, image->Width() / FWidth);
    for (int i = 0; i < cells; ++i)
        FImages.push_back(std::make_shared<Entry>(MakeEntry(image, nullptr, i * FWidth, true, maskColor)));
    Change();
    return first;
}

void TImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    CheckIndex(index);
    if (!image) return;
    FImages[size_t(index)] = std::make_shared<Entry>(MakeEntry(image, mask, 0, false, clNone));
    Change();
}

void TImageList::Delete(int index) {
    if (index == -1) {
        Clear();
        return;
    }
    CheckIndex(index);
    FImages.erase(FImages.begin() + index);
    Change();
}

void TImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Change();
}

void TImageList::Move(int curIndex, int newIndex) {
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    if (curIndex == newIndex) return;
    auto e = FImages[size_t(curIndex)];
    FImages.erase(FImages.begin() + curIndex);
    FImages.insert(FImages.begin() + newIndex, e);
    Change();
}

void TImageList::GetBitmap(int index, TBitmap* image) const {
    CheckIndex(index);
    const Entry& e = *FImages[size_t(index)];
    QImage out = e.image.copy();
    QRgb bk = ToQRgb(BkColor == clNone ? clBtnFace : BkColor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(e.shown.pixel(x, y)) == 0) out.setPixel(x, y, bk);
    image->SetImage(out);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (!canvas || index < 0 || index >= Count()) return;
    const Entry& e = *FImages[size_t(index)];
    QImage layer(FWidth, FHeight, QImage::Format_ARGB32);
    layer.fill(0);
    if (enabled) {
        for (int yy = 0; yy < FHeight; ++yy)
            for (int xx = 0; xx < FWidth; ++xx)
                if (!Masked || qAlpha(e.shown.pixel(xx, yy)))
                    layer.setPixel(xx, yy, e.image.pixel(xx, yy) | 0xFF000000);
                else if (BkColor != clNone)
                    layer.setPixel(xx, yy, ToQRgb(BkColor));
        if (QPainter* p = canvas->Painter()) p->drawImage(QPoint(x, y), layer);
        return;
    }
    // The classic disabled look: the dark parts of the image become a
    // shape, drawn once in the highlight colour one pixel down and right
    // and once in the shadow colour on top.
    QImage shape(FWidth, FHeight, QImage::Format_ARGB32);
    shape.fill(0);
    for (int yy = 0; yy < FHeight; ++yy)
        for (int xx = 0; xx < FWidth; ++xx)
            if ((!Masked || qAlpha(e.shown.pixel(xx, yy))) && qGray(e.image.pixel(xx, yy)) < 192)
                shape.setPixel(xx, yy, 0xFF000000);
    auto tinted = [&](TColor c) {
        QImage t = shape.copy();
        QRgb col = ToQRgb(c);
        for (int yy = 0; yy < FHeight; ++yy)
            for (int xx = 0; xx < FWidth; ++xx)
                if (qAlpha(t.pixel(xx, yy))) t.setPixel(xx, yy, col);
        return t;
    };
    QImage light = tinted(clBtnHighlight), dark = tinted(clBtnShadow);
    if (QPainter* p = canvas->Painter()) {
        p->drawImage(QPoint(x + 1, y + 1), light.copy(0, 0, FWidth - 1, FHeight - 1));  // stays in the cell
        p->drawImage(QPoint(x, y), dark);
    }
}
