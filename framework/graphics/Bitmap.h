#pragma once
#include <memory>

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphic.h"

class TCanvas;
class QImage;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// A device-independent bitmap. Pixels are kept as 32-bit colour for
// drawing, snapped to the colours PixelFormat can hold after each drawing;
// ScanLine hands out rows laid out as PixelFormat says:
//   pf1bit  1 bit per pixel, most significant bit first (0 black, 1 white)
//   pf4bit  4 bits per pixel, high nibble first, indexes into the 16 classic colours
//   pf8bit  8-bit indexes into the fixed 256-colour table of Palette8
//   pf15bit/pf16bit 16-bit 5-5-5 / 5-6-5 words
//   pf24bit B, G, R
//   pf32bit and pfDevice B, G, R, A
// Each row is padded to a multiple of 4 bytes, as in a BMP file, but the
// rows follow each other top to bottom in memory: ScanLine(1) lies
// BytesPerScanLine bytes after ScanLine(0). A row pointer stays valid until
// the next drawing, Pixels access, resize or format change; what was
// written through it is seen by the next such operation.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;
    String ClassName() const override { return "TBitmap"; }
    void Assign(TPersistent* source) override;

    int Width() const override;
    int Height() const override;
    void SetWidth(int v) override;
    void SetHeight(int v) override;
    // New pixels are white; the old ones keep their place.
    void SetSize(int width, int height);
    bool Empty() const override;

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converting to fewer colours maps every pixel to the nearest colour
    // of the new format.
    void SetPixelFormat(TPixelFormat v);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool v);

    // The default transparent colour (tmAuto) is the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor v);  // switches to tmFixed; clDefault goes back to tmAuto
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode v);

    // Turns the image into a monochrome mask: white where it showed
    // `transparentColor`, black everywhere else.
    void Mask(TColor transparentColor);

    TCanvas* Canvas();
    void* ScanLine(int row);
    int BytesPerScanLine() const;
    static TColor Palette8(int index);

    // BMP files: 1, 4, 8, 16, 24 and 32 bits, core and info headers, bit
    // fields and run-length compression. Saving writes the pixel format
    // (pfDevice as 24 bits) bottom-up with a 40-byte info header; the
    // stream is left just after the bitmap.
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;

    // Framework-internal: the drawing surface (32-bit, no alpha). Writes
    // made through ScanLine are folded in before it is returned.
    QImage& Image();
    const QImage& Image() const;
    // A copy of the image in which every pixel of TransparentColor is
    // fully transparent (the image itself when not Transparent).
    QImage MaskedImage() const;
    void SetImage(const QImage& image);

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;

private:
    friend class TCanvas;
    struct Impl;
    std::unique_ptr<Impl> FImpl;
    TPixelFormat FPixelFormat = pfDevice;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    void SyncScanLines() const;      // folds row writes into the image
    QImage& PaintSurface();          // the image for the canvas's own painter
    void CloseCanvas() const;        // ends the canvas painter before raw access
    void Quantize() const;           // snaps pixels to the colours the format holds
    unsigned NearestColor(unsigned rgb) const;  // one 0xAARRGGBB pixel, snapped
};
