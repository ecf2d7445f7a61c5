// JPEG pictures, in colour and in grey.
#include "framework/classes/MemoryStream.h"
#include "framework/graphics/JPEGImage.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool gray : {false, true}) {
        TMemoryStream stream;
        stream.WriteBuffer(data, static_cast<Int64>(size));
        stream.SetPosition(0);
        fuzz::Refusable([&] {
            TJPEGImage jpeg;
            jpeg.SetGrayscale(gray);
            jpeg.LoadFromStream(&stream);
            jpeg.Width();
        });
    }
    return 0;
}
