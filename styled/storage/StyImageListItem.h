#pragma once
#include <memory>
#include <vector>

#include "framework/graphics/Color.h"
#include "styled/storage/StyListItem.h"

class TBitmap;
class TCanvas;

// An item holding equal cells of Width x Height side by side in one
// horizontal strip, with a monochrome mask strip when Masked. The strip
// grows AllocBy cells at a time and never past 32768 pixels.
class TStyImageListItem : public TStyListItem {
public:
    static constexpr int MaxStripWidth = 32768;

    // "Invalid image size" for a cell size below 1.
    explicit TStyImageListItem(TComponent* AOwner = nullptr, int CellWidth = 16, int CellHeight = 16);
    ~TStyImageListItem() override;
    String ClassName() const override { return "TStyImageListItem"; }
    // Settings, then the source's cells.
    void Assign(TPersistent* Source) override;

    int Width() const { return FWidth; }
    // Values below 1 are ignored; a change empties the strip.
    void SetWidth(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int AllocBy() const { return FAllocBy; }
    void SetAllocBy(int Value);
    bool Masked() const { return FMasked; }
    void SetMasked(bool Value);

    int Count() const { return static_cast<int>(FCells.size()); }
    TBitmap* Strip() const { return FStrip.get(); }
    TBitmap* MaskStrip() const { return FMaskStrip.get(); }
    TRect CellRect(int Index) const;  // empty for an index out of range
    bool CellMasked(int Index) const;

    // Image as Width-wide cells; its height must be Height and its width a
    // multiple of Width ("Invalid image size"). A masked item takes Mask
    // by the same rule, or makes one of Image's transparent colour.
    // Returns the index of the first new cell.
    int Add(TBitmap* Image, TBitmap* Mask = nullptr);
    int AddMasked(TBitmap* Image, TColor TransparentColor);
    // Another item's cells behind these (sizes must match).
    void AddCells(TStyImageListItem* Source);
    void Replace(int Index, TBitmap* Image, TBitmap* Mask = nullptr);
    void Clear();

    // The strip pixel at the cell's left edge in its bottom row.
    TColor CellTransparentColor(int Index) const;
    void CopyCell(int Index, TBitmap* Dest) const;
    // Unmasked cells are drawn keyed on their transparent colour, masked
    // ones through their mask; Dest as PlaceBitmap takes it.
    void DrawCell(TCanvas* Canvas, const TRect& Dest, int Index, Word ExtraFlags = 0) const;

protected:
    bool HasData() const override;
    void WriteData(TStream* Stream, bool DataPresent) override;
    void ReadData(TStream* Stream, bool DataPresent) override;

private:
    struct TCell {
        int X = 0;
        bool Masked = false;
    };
    void CheckSize(TBitmap* Image) const;
    int AppendCells(int n, bool masked);
    void Rebuild(int count);

    int FWidth, FHeight;
    int FAllocBy = 4;
    bool FMasked = false;
    std::unique_ptr<TBitmap> FStrip;
    std::unique_ptr<TBitmap> FMaskStrip;
    std::vector<TCell> FCells;
};
