#pragma once
#include <memory>
#include <vector>

#include "framework/rtl/Types.h"

class QRegion;

enum TRegionCombineMode { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
enum TRegionKind { NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3, REGION_ERROR = 0 };
enum TPolyFillMode { ALTERNATE = 1, WINDING = 2 };

// A set of pixels made of rectangles. Shapes follow the canvas rules: a
// rectangle region from (0,0) to (10,10) holds pixels 0..9 on both axes.
class TRegion {
public:
    TRegion();                              // empty
    explicit TRegion(const TRect& r);       // a rectangle
    TRegion(const TRegion& other);
    TRegion& operator=(const TRegion& other);
    ~TRegion();

    static TRegion CreateRect(const TRect& r);
    // Corner ellipses of cornerWidth x cornerHeight, as RoundRect draws them.
    static TRegion CreateRoundRect(const TRect& r, int cornerWidth, int cornerHeight);
    static TRegion CreateEllipse(const TRect& r);
    static TRegion CreatePolygon(const std::vector<TPoint>& points, TPolyFillMode mode = ALTERNATE);

    // this := a <mode> b (b is ignored for RGN_COPY). Returns the kind of
    // the result.
    TRegionKind Combine(const TRegion& a, const TRegion& b, TRegionCombineMode mode);
    // this := this <mode> other.
    TRegionKind CombineWith(const TRegion& other, TRegionCombineMode mode);

    bool Contains(const TPoint& p) const;
    bool Contains(int x, int y) const { return Contains(Point(x, y)); }
    bool Intersects(const TRect& r) const;
    void Offset(int dx, int dy);
    TRect BoundingBox() const;   // empty rectangle for an empty region
    bool IsEmpty() const;
    TRegionKind Kind() const;
    // The disjoint rectangles that make it up, top to bottom, left to right.
    std::vector<TRect> GetRects() const;
    bool operator==(const TRegion& other) const;

    // The classic region-data block: a 32-byte header (dwSize 32, iType 1,
    // nCount, nRgnSize, bounding rectangle) followed by nCount rectangles
    // of four little-endian 32-bit values. FromRegionData answers an empty
    // region for a block it cannot read.
    std::vector<Byte> RegionData() const;
    static TRegion FromRegionData(const void* data, size_t size);

    // Framework-internal.
    const QRegion& QtRegion() const;
    explicit TRegion(const QRegion& r);

private:
    std::unique_ptr<QRegion> FRegion;
};
