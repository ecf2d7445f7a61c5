#include "framework/graphics/Region.h"

#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

namespace {

QRect ToQRect(const TRect& r) {
    if (r.IsEmpty()) return QRect();
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

}  // namespace

TRegion::TRegion() : FRegion(std::make_unique<QRegion>()) {}
TRegion::TRegion(const TRect& r) : FRegion(std::make_unique<QRegion>(ToQRect(r))) {}
TRegion::TRegion(const QRegion& r) : FRegion(std::make_unique<QRegion>(r)) {}
TRegion::TRegion(const TRegion& other) : FRegion(std::make_unique<QRegion>(*other.FRegion)) {}
TRegion& TRegion::operator=(const TRegion& other) {
    *FRegion = *other.FRegion;
    return *this;
}
TRegion::~TRegion() = default;

TRegion TRegion::CreateRect(const TRect& r) { return TRegion(r); }

TRegion TRegion::CreateRoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
    if (r.IsEmpty()) return TRegion();
    QPainterPath path;
    path.addRoundedRect(QRectF(r.Left, r.Top, r.Width(), r.Height()), cornerWidth / 2.0,
                        cornerHeight / 2.0);
    return TRegion(QRegion(path.toFillPolygon().toPolygon(), Qt::OddEvenFill));
}

TRegion TRegion::CreateEllipse(const TRect& r) {
    if (r.IsEmpty()) return TRegion();
    return TRegion(QRegion(ToQRect(r), QRegion::Ellipse));
}

TRegion TRegion::CreatePolygon(const std::vector<TPoint>& points, TPolyFillMode mode) {
    QPolygon poly;
    for (const auto& p : points) poly << QPoint(p.X, p.Y);
    return TRegion(QRegion(poly, mode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}

TRegionKind TRegion::Combine(const TRegion& a, const TRegion& b, TRegionCombineMode mode) {
    switch (mode) {
        case RGN_AND: *FRegion = a.FRegion->intersected(*b.FRegion); break;
        case RGN_OR: *FRegion = a.FRegion->united(*b.FRegion); break;
        case RGN_XOR: *FRegion = a.FRegion->xored(*b.FRegion); break;
        case RGN_DIFF: *FRegion = a.FRegion->subtracted(*b.FRegion); break;
        case RGN_COPY: *FRegion = *a.FRegion; break;
        default: return REGION_ERROR;
    }
    return Kind();
}

TRegionKind TRegion::CombineWith(const TRegion& other, TRegionCombineMode mode) {
    TRegion self(*this);
    return Combine(self, other, mode);
}

bool TRegion::Contains(const TPoint& p) const { return FRegion->contains(QPoint(p.X, p.Y)); }

bool TRegion::Intersects(const TRect& r) const {
    return !r.IsEmpty() && FRegion->intersects(ToQRect(r));
}

void TRegion::Offset(int dx, int dy) { FRegion->translate(dx, dy); }

TRect TRegion::BoundingBox() const {
    if (FRegion->isEmpty()) return TRect{};
    QRect b = FRegion->boundingRect();
    return Rect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
}

bool TRegion::IsEmpty() const { return FRegion->isEmpty(); }

TRegionKind TRegion::Kind() const {
    if (FRegion->isEmpty()) return NULLREGION;
    return FRegion->rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::vector<TRect> TRegion::GetRects() const {
    std::vector<TRect> out;
    for (const QRect& r : *FRegion)
        out.push_back(Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()));
    return out;
}

bool TRegion::operator==(const TRegion& other) const { return *FRegion == *other.FRegion; }

const QRegion& TRegion::QtRegion() const { return *FRegion; }

namespace {

void PutInt(std::vector<Byte>& out, std::int32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<Byte>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
}

std::int32_t GetInt(const Byte* p) {
    return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

}  // namespace

std::vector<Byte> TRegion::RegionData() const {
    auto rects = GetRects();
    TRect box = BoundingBox();
    std::vector<Byte> out;
    out.reserve(32 + rects.size() * 16);
    PutInt(out, 32);
    PutInt(out, 1);
    PutInt(out, static_cast<std::int32_t>(rects.size()));
    PutInt(out, static_cast<std::int32_t>(rects.size() * 16));
    for (int v : {box.Left, box.Top, box.Right, box.Bottom}) PutInt(out, v);
    for (const TRect& r : rects)
        for (int v : {r.Left, r.Top, r.Right, r.Bottom}) PutInt(out, v);
    return out;
}

TRegion TRegion::FromRegionData(const void* data, size_t size) {
    const Byte* p = static_cast<const Byte*>(data);
    if (!p || size < 32) return TRegion();
    std::int32_t headerSize = GetInt(p), count = GetInt(p + 8);
    if (headerSize < 32 || GetInt(p + 4) != 1 || count < 0) return TRegion();
    if (static_cast<size_t>(headerSize) + static_cast<size_t>(count) * 16 > size) return TRegion();
    QRegion r;
    for (std::int32_t i = 0; i < count; ++i) {
        const Byte* q = p + headerSize + static_cast<size_t>(i) * 16;
        TRect rc = Rect(GetInt(q), GetInt(q + 4), GetInt(q + 8), GetInt(q + 12));
        if (!rc.IsEmpty()) r += ToQRect(rc);
    }
    return TRegion(r);
}
