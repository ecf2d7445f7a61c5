// Wave data: a whole file, a stored record and a compressed record.
#include "framework/classes/MemoryStream.h"
#include "fuzz/FuzzInput.h"
#include "styled/storage/StyWave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::InputFile("sound.wav", data, size);
    fuzz::Refusable([&] {
        TStyWave wave;
        wave.LoadFromFile(path);
    });
    for (int form = 0; form < 2; ++form) {
        TMemoryStream stream;
        stream.WriteBuffer(data, static_cast<Int64>(size));
        stream.SetPosition(0);
        fuzz::Refusable([&] {
            TStyWave wave;
            if (form == 0)
                wave.ReadData(&stream);
            else
                wave.LoadFromCompressedStream(&stream);
        });
    }
    return 0;
}
