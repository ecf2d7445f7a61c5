#pragma once
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

class TBitmap;
class TGraphic;
class TRegion;
class QFont;
class QPainter;
class QPaintDevice;

// Ternary raster operations for CopyRect: the high word's low byte is the
// truth table over (pattern, source, destination).
using TCopyMode = DWORD;
inline constexpr TCopyMode cmBlackness = 0x00000042;
inline constexpr TCopyMode cmDstInvert = 0x00550009;
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6;
inline constexpr TCopyMode cmPatCopy = 0x00F00021;
inline constexpr TCopyMode cmPatInvert = 0x005A0049;
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;
inline constexpr TCopyMode cmSrcErase = 0x00440328;
inline constexpr TCopyMode cmSrcInvert = 0x00660046;
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;

enum TFillStyle { fsSurface, fsBorder };

// Metrics of the canvas font, in pixels, as the classic text-metric record
// gave them: Height = Ascent + Descent, InternalLeading = Height minus the
// character (em) height, ExternalLeading = the gap a line adds below.
struct TTextMetric {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 400;
    bool tmItalic = false;
    bool tmUnderlined = false;
    bool tmStruckOut = false;
    Byte tmCharSet = 1;
};

// Drawing surface with the classic pixel rules: no antialiasing; rectangles
// and fills cover Left..Right-1 and Top..Bottom-1; LineTo stops one pixel
// short of its end point; an inside-frame pen stays inside the shape; text
// over a clear brush leaves the background, over an opaque brush fills its
// cell with the brush colour, and dashed lines fill their gaps the same way.
//
// A canvas draws on a TBitmap (TBitmap::Canvas) or, between BeginPaint and
// EndPaint, on whatever a control's paint event hands it.
class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    String ClassName() const override { return "TCanvas"; }

    // Framework-internal. Paints through a painter the caller owns and
    // keeps open until EndPaint; width and height are the surface that
    // ClipRect and the clip functions start from. A clip already set on
    // the painter (the paint event's region) stays in force.
    void BeginPaint(QPainter* painter, int width, int height);
    void EndPaint();
    bool HandleAllocated() const;

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* v) { FPen->Assign(v); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* v) { FBrush->Assign(v); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode v) { FCopyMode = v; }
    // Extra pixels after every character of TextOut, TextRect, DrawText
    // and the text extents (the classic inter-character spacing).
    int TextCharacterExtra() const { return FTextCharacterExtra; }
    void SetTextCharacterExtra(int v) { FTextCharacterExtra = v; }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& p) { FPenPos = p; }

    // clNone outside the surface, or where the pixels cannot be read back
    // (a control's paint).
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    // The curve runs counter-clockwise from the ray towards (x3,y3) to the
    // ray towards (x4,y4) on the ellipse bounded by (x1,y1)-(x2,y2).
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    // Inverts the dotted frame (drawing it twice removes it).
    void DrawFocusRect(const TRect& r);
    // fsSurface fills the area of `color` around (x, y), fsBorder the area
    // bounded by `color`. Only a bitmap's canvas can read pixels, so
    // elsewhere it does nothing.
    void FloodFill(int x, int y, TColor color, TFillStyle style);

    // Text at (x, y) as the top-left corner of its cell; a rotated font
    // turns the line around that corner. PenPos moves to the end of it.
    void TextOut(int x, int y, const String& text);
    // Text clipped to r.
    void TextRect(const TRect& r, int x, int y, const String& text);
    // Extents are those of the unrotated text whatever Font().Orientation()
    // says, as the classic platform measured them.
    TSize TextExtent(const String& text);
    int TextWidth(const String& text) { return TextExtent(text).cx; }
    int TextHeight(const String& text) { return TextExtent(text).cy; }
    TTextMetric TextMetrics();

    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    // Copies src of `source` onto dest (scaled) through CopyMode. The
    // source must be a bitmap's canvas: a paint cannot be read back.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
    // Copies src of bitmap onto dest with every pixel of `color` replaced
    // by this canvas's brush.
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor color);

    // The visible part: the surface, narrowed by the clip when one is set.
    TRect ClipRect() const;
    bool HasClip() const;
    void SelectClipRect(const TRect& r);
    void SelectClipRgn(const TRegion* region);  // nullptr removes the clip
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    // The current clip (the whole surface when none is set).
    TRegion ClipRegion() const;

    // Kept for code written against a shared canvas; drawing here is
    // single-threaded, so these only count.
    void Lock() { ++FLockCount; }
    void Unlock() { if (FLockCount > 0) --FLockCount; }
    bool TryLock();
    int LockCount() const { return FLockCount; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Framework-internal: the painter for the next drawing, set up with
    // clip and no antialiasing; nullptr when there is no surface.
    QPainter* Painter();
    // The bitmap under this canvas, if any.
    TBitmap* Bitmap() const { return FBitmap; }
    // Framework-internal: the toolkit font text is drawn and measured with.
    QFont TextFont() const;

protected:
    virtual void Changing();
    virtual void Changed();

private:
    friend class TBitmap;
    explicit TCanvas(TBitmap* bitmap);
    void ReleasePainter();  // before the bitmap's pixels are touched directly
    void StretchBitmap(const TRect& dest, TBitmap* bitmap);

    struct Impl;
    std::unique_ptr<Impl> FImpl;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TBitmap* FBitmap = nullptr;
    TCopyMode FCopyMode = cmSrcCopy;
    int FTextCharacterExtra = 0;
    TPoint FPenPos;
    int FLockCount = 0;
};
