#include "styled/storage/StyImageListItem.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphic.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/StyGraphTypes.h"
#include "styled/storage/StreamRoutines.h"

namespace {
void CopyInto(TBitmap* dest, const TRect& destRect, TBitmap* src, const TRect& srcRect) {
    dest->Canvas()->SetCopyMode(cmSrcCopy);
    dest->Canvas()->CopyRect(destRect, src->Canvas(), srcRect);
}
}  // namespace

TStyImageListItem::TStyImageListItem(TComponent* AOwner, int CellWidth, int CellHeight)
    : TStyListItem(AOwner),
      FWidth(CellWidth),
      FHeight(CellHeight),
      FStrip(std::make_unique<TBitmap>()),
      FMaskStrip(std::make_unique<TBitmap>()) {
    if (CellWidth < 1 || CellHeight < 1) throw EInvalidGraphicOperation("Invalid image size");
}

TStyImageListItem::~TStyImageListItem() = default;

void TStyImageListItem::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyImageListItem*>(Source)) {
        BeginUpdate();
        SetDescription(s->Description());
        SetIdent(s->Ident());
        SetCompressed(s->Compressed());
        SetPixelFormat(s->PixelFormat());
        FWidth = s->FWidth;
        FHeight = s->FHeight;
        FAllocBy = s->FAllocBy;
        FMasked = s->FMasked;
        Clear();
        AddCells(s);
        EndUpdate(true);
        return;
    }
    TStyListItem::Assign(Source);
}

void TStyImageListItem::SetWidth(int Value) {
    if (Value < 1 || Value == FWidth) return;
    FWidth = Value;
    Clear();
}

void TStyImageListItem::SetHeight(int Value) {
    if (Value < 1 || Value == FHeight) return;
    FHeight = Value;
    Clear();
}

void TStyImageListItem::SetAllocBy(int Value) {
    if (Value < 1 || Value == FAllocBy) return;
    FAllocBy = Value;
    Change();
}

void TStyImageListItem::SetMasked(bool Value) {
    if (Value == FMasked) return;
    FMasked = Value;
    Change();
}

void TStyImageListItem::Clear() {
    FCells.clear();
    FStrip->SetSize(0, 0);
    FMaskStrip->SetSize(0, 0);
    Change();
}

TRect TStyImageListItem::CellRect(int Index) const {
    if (Index < 0 || Index >= Count()) return TRect{};
    return Bounds(FCells[size_t(Index)].X, 0, FWidth, FHeight);
}

bool TStyImageListItem::CellMasked(int Index) const {
    return Index >= 0 && Index < Count() && FCells[size_t(Index)].Masked;
}

void TStyImageListItem::CheckSize(TBitmap* Image) const {
    if (!Image || Image->Empty() || Image->Height() != FHeight || Image->Width() % FWidth != 0)
        throw EInvalidGraphicOperation("Invalid image size");
}

int TStyImageListItem::AppendCells(int n, bool masked) {
    const int first = Count();
    const int used = (first + n) * FWidth;
    if (used > MaxStripWidth) throw EInvalidGraphicOperation("Too many images");
    if (FStrip->Width() < used) {
        // Whole AllocBy steps, but never past the limit while the cells fit.
        int width = FStrip->Width();
        while (width < used) width += FAllocBy * FWidth;
        width = std::min(width, MaxStripWidth);
        FStrip->SetSize(width, FHeight);
        FMaskStrip->SetSize(width, FHeight);
    }
    for (int i = 0; i < n; ++i) FCells.push_back({(first + i) * FWidth, masked});
    return first;
}

int TStyImageListItem::Add(TBitmap* Image, TBitmap* Mask) {
    CheckSize(Image);
    if (FMasked && Mask) CheckSize(Mask);
    if (FMasked && Mask && Mask->Width() != Image->Width()) throw EInvalidGraphicOperation("Invalid image size");
    const int n = Image->Width() / FWidth;
    const int first = AppendCells(n, FMasked);
    const TRect dest = Bounds(first * FWidth, 0, Image->Width(), FHeight);
    CopyInto(FStrip.get(), dest, Image, Rect(0, 0, Image->Width(), FHeight));
    if (FMasked) {
        if (Mask) {
            CopyInto(FMaskStrip.get(), dest, Mask, Rect(0, 0, Mask->Width(), FHeight));
        } else {
            TBitmap m;
            m.Assign(Image);
            m.Mask(Image->TransparentColor());
            CopyInto(FMaskStrip.get(), dest, &m, Rect(0, 0, m.Width(), FHeight));
        }
    }
    Change();
    return first;
}

int TStyImageListItem::AddMasked(TBitmap* Image, TColor TransparentColor) {
    CheckSize(Image);
    TBitmap mask;
    mask.Assign(Image);
    mask.Mask(TransparentColor);
    return Add(Image, FMasked ? &mask : nullptr);
}

void TStyImageListItem::AddCells(TStyImageListItem* Source) {
    if (!Source || Source->Count() == 0) return;
    if (Source->FWidth != FWidth || Source->FHeight != FHeight) throw EInvalidGraphicOperation("Invalid image size");
    const int n = Source->Count();
    const int first = AppendCells(n, false);
    for (int i = 0; i < n; ++i) {
        const TRect src = Source->CellRect(i);
        const TRect dest = CellRect(first + i);
        CopyInto(FStrip.get(), dest, Source->FStrip.get(), src);
        FCells[size_t(first + i)].Masked = Source->CellMasked(i) && FMasked;
        if (FMasked && Source->FMasked) CopyInto(FMaskStrip.get(), dest, Source->FMaskStrip.get(), src);
    }
    Change();
}

void TStyImageListItem::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
    if (Index < 0 || Index >= Count()) return;
    if (!Image || Image->Width() < FWidth || Image->Height() != FHeight)
        throw EInvalidGraphicOperation("Invalid image size");
    const TRect dest = CellRect(Index);
    CopyInto(FStrip.get(), dest, Image, Rect(0, 0, FWidth, FHeight));
    if (FMasked) {
        if (Mask) {
            CopyInto(FMaskStrip.get(), dest, Mask, Rect(0, 0, FWidth, FHeight));
        } else {
            FMaskStrip->Canvas()->Brush()->SetStyle(bsSolid);
            FMaskStrip->Canvas()->Brush()->SetColor(clBlack);
            FMaskStrip->Canvas()->FillRect(dest);
        }
    }
    Change();
}

TColor TStyImageListItem::CellTransparentColor(int Index) const {
    if (Index < 0 || Index >= Count()) return clWhite;
    return FStrip->Canvas()->Pixels(FCells[size_t(Index)].X, FHeight - 1);
}

void TStyImageListItem::CopyCell(int Index, TBitmap* Dest) const {
    if (!Dest || Index < 0 || Index >= Count()) return;
    Dest->SetSize(FWidth, FHeight);
    CopyInto(Dest, Rect(0, 0, FWidth, FHeight), FStrip.get(), CellRect(Index));
}

void TStyImageListItem::DrawCell(TCanvas* Canvas, const TRect& Dest, int Index, Word ExtraFlags) const {
    if (!Canvas || Index < 0 || Index >= Count()) return;
    TRect result;
    if (CellMasked(Index))
        PlaceBitmap(Canvas, Dest, FStrip->Canvas(), CellRect(Index), Word(ExtraFlags | dfTransparentMask), clNone,
                    nullptr, FMaskStrip->Canvas(), result);
    else
        PlaceBitmap(Canvas, Dest, FStrip->Canvas(), CellRect(Index), Word(ExtraFlags | dfTransparentColor),
                    CellTransparentColor(Index), nullptr, nullptr, result);
}

bool TStyImageListItem::HasData() const { return Count() > 0; }

void TStyImageListItem::WriteData(TStream* Stream, bool DataPresent) {
    (void)DataPresent;  // the image fields follow whatever the flag says
    WriteInteger(Stream, FHeight);
    WriteInteger(Stream, FWidth);
    WriteInteger(Stream, FAllocBy);
    WriteByte(Stream, FMasked ? 1 : 0);
    WriteInteger(Stream, Count());
    if (Count() > 0) {
        WriteGraphicToStream(Stream, FStrip.get(), Compressed(), StoredColorCount(PixelFormat()));
        if (FMasked) WriteGraphicToStream(Stream, FMaskStrip.get(), Compressed(), 2);
    }
}

void TStyImageListItem::ReadData(TStream* Stream, bool DataPresent) {
    (void)DataPresent;
    const int height = ReadInteger(Stream);
    const int width = ReadInteger(Stream);
    const int allocBy = ReadInteger(Stream);
    const bool masked = ReadByte(Stream) != 0;
    const int count = ReadInteger(Stream);
    if (height < 1 || width < 1 || count < 0 || Int64(count) * width > MaxStripWidth)
        throw EInvalidGraphic("Invalid image size");
    auto strip = std::make_unique<TBitmap>();
    auto mask = std::make_unique<TBitmap>();
    if (count > 0) {
        ReadGraphicFromStream(Stream, strip.get(), Compressed());
        if (masked) ReadGraphicFromStream(Stream, mask.get(), Compressed());
        if (strip->Height() != height || strip->Width() < count * width)
            throw EInvalidGraphic("Invalid image size");
        mask->SetPixelFormat(pfDevice);
        mask->SetSize(strip->Width(), strip->Height());
    }
    FHeight = height;
    FWidth = width;
    FAllocBy = std::max(1, allocBy);
    FMasked = masked;
    FStrip = std::move(strip);
    FMaskStrip = std::move(mask);
    Rebuild(count);
}

void TStyImageListItem::Rebuild(int count) {
    FCells.clear();
    for (int i = 0; i < count; ++i) FCells.push_back({i * FWidth, FMasked});
}
