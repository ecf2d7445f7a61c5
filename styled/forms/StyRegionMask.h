#pragma once
#include <memory>
#include <vector>

#include "styled/base/StyObject.h"
#include "styled/storage/StyContainerTypes.h"

class TBitmap;
class TStream;

// The outline of a bitmap-shaped region as region data, with the bitmaps
// the border is drawn from.
class TStyRegionMask : public TStyObject {
public:
    TStyRegionMask();
    ~TStyRegionMask() override;
    String ClassName() const override { return "TStyRegionMask"; }
    // Copies the data block and the three bitmaps, only when the source
    // has data.
    void Assign(TPersistent* Source) override;

    int RegionDataSize() const { return static_cast<int>(FRegionData.size()); }
    // The block ExtCreateRegion reads (see TRegion::RegionData).
    const std::vector<Byte>& RegionData() const { return FRegionData; }
    void SetRegionData(const std::vector<Byte>& Data);
    bool Compressed() const { return FCompressed; }
    void SetCompressed(bool Value);
    TStySavePixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TStySavePixelFormat Value);

    TBitmap* BorderBmp() const { return FBmps[0].get(); }
    TBitmap* BorderUpBmp() const { return FBmps[1].get(); }
    TBitmap* BorderDnBmp() const { return FBmps[2].get(); }

    // The stored properties "RegionData" and, for Which 0..2, "BorderBmp",
    // "BorderUpBmp", "BorderDnBmp". Each is written only when it holds
    // something (see the Stored functions).
    bool RegionDataStored() const { return !FRegionData.empty(); }
    void WriteRegionData(TStream* Stream) const;
    // Reads RegionDataSize bytes; SetRegionDataSize first says how many.
    void SetRegionDataSize(int Size);
    void ReadRegionData(TStream* Stream);
    bool BorderStored(int Which) const;
    void WriteBorder(TStream* Stream, int Which) const;
    void ReadBorder(TStream* Stream, int Which);

private:
    std::vector<Byte> FRegionData;
    bool FCompressed = false;
    TStySavePixelFormat FPixelFormat = spfDefault;
    std::unique_ptr<TBitmap> FBmps[3];
};
