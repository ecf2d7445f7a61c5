#include "styled/forms/StyRegionMask.h"

#include "framework/classes/Stream.h"
#include "framework/graphics/Bitmap.h"
#include <algorithm>

#include "styled/storage/StreamRoutines.h"

TStyRegionMask::TStyRegionMask() {
    for (auto& b : FBmps) b = std::make_unique<TBitmap>();
}

TStyRegionMask::~TStyRegionMask() = default;

void TStyRegionMask::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (auto* s = dynamic_cast<TStyRegionMask*>(Source)) {
        if (s->FRegionData.empty()) return;
        FRegionData = s->FRegionData;
        for (int i = 0; i < 3; ++i) FBmps[i]->Assign(s->FBmps[i].get());
        Change();
        return;
    }
    TStyObject::Assign(Source);
}

void TStyRegionMask::SetRegionData(const std::vector<Byte>& Data) {
    if (Data == FRegionData) return;
    FRegionData = Data;
    Change();
}

void TStyRegionMask::SetCompressed(bool Value) {
    if (Value == FCompressed) return;
    FCompressed = Value;
    Change();
}

void TStyRegionMask::SetPixelFormat(TStySavePixelFormat Value) {
    if (Value == FPixelFormat) return;
    FPixelFormat = Value;
    Change();
}

void TStyRegionMask::WriteRegionData(TStream* Stream) const {
    if (!FRegionData.empty()) Stream->WriteBuffer(FRegionData.data(), static_cast<Int64>(FRegionData.size()));
}

void TStyRegionMask::SetRegionDataSize(int Size) { FRegionData.assign(static_cast<size_t>(std::max(0, Size)), 0); }

void TStyRegionMask::ReadRegionData(TStream* Stream) {
    if (!FRegionData.empty()) Stream->ReadBuffer(FRegionData.data(), static_cast<Int64>(FRegionData.size()));
}

bool TStyRegionMask::BorderStored(int Which) const {
    return Which >= 0 && Which < 3 && !FBmps[Which]->Empty();
}

void TStyRegionMask::WriteBorder(TStream* Stream, int Which) const {
    if (!BorderStored(Which)) return;
    WriteByte(Stream, FCompressed ? 1 : 0);
    WriteGraphicToStream(Stream, FBmps[Which].get(), FCompressed, -1);
}

void TStyRegionMask::ReadBorder(TStream* Stream, int Which) {
    if (Which < 0 || Which >= 3) return;
    FCompressed = ReadByte(Stream) != 0;
    ReadGraphicFromStream(Stream, FBmps[Which].get(), FCompressed);
}
