// BMP pictures: a picture that loads must save and load again as the same
// size.
#include "framework/classes/MemoryStream.h"
#include "framework/graphics/Bitmap.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<Int64>(size));
    stream.SetPosition(0);
    fuzz::Refusable([&] {
        TBitmap bitmap;
        bitmap.LoadFromStream(&stream);
        TMemoryStream saved;
        bitmap.SaveToStream(&saved);
        saved.SetPosition(0);
        TBitmap again;
        again.LoadFromStream(&saved);
        if (again.Width() != bitmap.Width() || again.Height() != bitmap.Height()) __builtin_trap();
    });
    return 0;
}
