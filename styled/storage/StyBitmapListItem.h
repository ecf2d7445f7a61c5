#pragma once
#include <memory>

#include "styled/storage/StyListItem.h"

class TBitmap;
class TGraphic;

// An item holding one bitmap.
class TStyBitmapListItem : public TStyListItem {
public:
    explicit TStyBitmapListItem(TComponent* AOwner = nullptr);
    ~TStyBitmapListItem() override;
    String ClassName() const override { return "TStyBitmapListItem"; }
    void Assign(TPersistent* Source) override;

    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Copies the picture into the item's bitmap.
    void SetBitmap(TGraphic* Value);

protected:
    bool HasData() const override;
    void WriteData(TStream* Stream, bool DataPresent) override;
    void ReadData(TStream* Stream, bool DataPresent) override;

private:
    std::unique_ptr<TBitmap> FBitmap;
};
