// The graphic pair of the stream routines, apart from the rest so that code
// storing only texts and waves does not pull in the bitmap machinery.
#include "framework/classes/MemoryStream.h"
#include "framework/graphics/Bitmap.h"
#include "styled/storage/Lzrw.h"
#include "styled/storage/StreamRoutines.h"

namespace {

// The depth a bitmap is stored at for a requested colour count. Deep
// formats without a palette are kept as 24 bits, the deepest a stored
// bitmap has; a monochrome bitmap never grows.
TPixelFormat StoredFormat(const TBitmap* bitmap, int colors) {
    if (bitmap->Monochrome()) return pf1bit;
    switch (colors) {
    case 2: return pf1bit;
    case 16: return pf4bit;
    case 256: return pf8bit;
    default: break;
    }
    switch (bitmap->PixelFormat()) {
    case pf1bit:
    case pf4bit:
    case pf8bit:
    case pf24bit: return bitmap->PixelFormat();
    default: return pf24bit;
    }
}

void SaveGraphicBytes(TGraphic* graphic, int pixelFormat, TStream* dest) {
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    if (pixelFormat == -1 || !bitmap) {
        graphic->SaveToStream(dest);
        return;
    }
    TBitmap copy;
    copy.Assign(bitmap);
    copy.SetPixelFormat(StoredFormat(bitmap, pixelFormat));
    copy.SaveToStream(dest);
}

}  // namespace

void WriteGraphicToStream(TStream* Stream, TGraphic* Graphic, bool Compressed, int PixelFormat) {
    TMemoryStream m;
    SaveGraphicBytes(Graphic, PixelFormat, &m);
    WriteStoredBytes(Stream, &m, Compressed);
}

void ReadGraphicFromStream(TStream* Stream, TGraphic* Graphic, bool Compressed) {
    TMemoryStream m;
    ReadStoredBytes(Stream, &m, Compressed);
    m.SetPosition(0);
    Graphic->LoadFromStream(&m);
}
