#pragma once
#include <memory>

#include "framework/graphics/Graphic.h"

class TBitmap;

VELMOR_EXCEPTION(EJPEG, EInvalidGraphic)

enum TJPEGPixelFormat { jf24Bit, jf8Bit };

// A JPEG picture. The file bytes are kept as loaded; saving an unchanged
// image writes them back. An assigned bitmap, or a new CompressionQuality,
// is compressed on the next save. Drawing on Bitmap() changes only the
// pixels until Compress is called.
class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;
    String ClassName() const override { return "TJPEGImage"; }
    void Assign(TPersistent* source) override;

    int Width() const override;
    int Height() const override;
    void SetWidth(int) override;   // EInvalidGraphicOperation: a JPEG is not resized
    void SetHeight(int) override;
    bool Empty() const override;

    int CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(int v);  // 1..100
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool v);

    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
    // Compresses the bitmap's pixels.
    void Compress();
    // The decoded pixels (decoded on first use).
    TBitmap* Bitmap() const;

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;
    void AssignTo(TPersistent* dest) override;

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
    int FQuality = 90;
    bool FGrayscale = false;
};
