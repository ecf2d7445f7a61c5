#include "framework/graphics/Canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/Region.h"

namespace {

QColor ToQColor(TColor c) {
    TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QRgb ToQRgb(TColor c) {
    TColor rgb = ColorToRGB(c);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

TRect NormalRect(const TRect& r) {
    return Rect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                std::max(r.Top, r.Bottom));
}

// Hatch brushes are 8 x 8 patterns anchored at the surface's origin.
const Byte* HatchBits(TBrushStyle style) {
    static const Byte horizontal[8] = {0xFF, 0, 0, 0, 0, 0, 0, 0};
    static const Byte vertical[8] = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    static const Byte fdiagonal[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
    static const Byte bdiagonal[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
    static const Byte cross[8] = {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    static const Byte diagcross[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    switch (style) {
        case bsHorizontal: return horizontal;
        case bsVertical: return vertical;
        case bsFDiagonal: return fdiagonal;
        case bsBDiagonal: return bdiagonal;
        case bsCross: return cross;
        case bsDiagCross: return diagcross;
        default: return nullptr;
    }
}

QPainter::CompositionMode ModeFor(TPenMode m) {
    switch (m) {
        case pmNot: return QPainter::RasterOp_NotDestination;
        case pmNotCopy: return QPainter::RasterOp_NotSource;
        case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
        case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
        case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
        case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
        case pmMerge: return QPainter::RasterOp_SourceOrDestination;
        case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
        case pmMask: return QPainter::RasterOp_SourceAndDestination;
        case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
        case pmXor: return QPainter::RasterOp_SourceXorDestination;
        case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
        default: return QPainter::CompositionMode_SourceOver;
    }
}

// The colour a pen mode paints with, for the modes that ignore the pen.
QColor PenModeColor(TPenMode m, const QColor& pen) {
    if (m == pmBlack) return Qt::black;
    if (m == pmWhite) return Qt::white;
    return pen;
}

// On/off run lengths of the styled one-pixel pens.
std::vector<int> DashPattern(TPenStyle s) {
    switch (s) {
        case psDash: return {18, 6};
        case psDot: return {3, 3};
        case psDashDot: return {9, 6, 3, 6};
        case psDashDotDot: return {9, 3, 3, 3, 3, 3};
        case psAlternate: return {1, 1};
        default: return {};
    }
}

// The classic line rule: every pixel from the start up to, not including,
// the end point, one per step along the major axis.
std::vector<QPoint> LinePixels(int x0, int y0, int x1, int y1) {
    std::vector<QPoint> pts;
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int steps = std::max(dx, dy);
    pts.reserve(size_t(steps));
    if (dx >= dy) {
        int err = 2 * dy - dx, y = y0;
        for (int i = 0, x = x0; i < steps; ++i, x += sx) {
            pts.emplace_back(x, y);
            if (err > 0 || (err == 0 && sx < 0)) {
                y += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
        }
    } else {
        int err = 2 * dx - dy, x = x0;
        for (int i = 0, y = y0; i < steps; ++i, y += sy) {
            pts.emplace_back(x, y);
            if (err > 0 || (err == 0 && sy < 0)) {
                x += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
        }
    }
    return pts;
}

// Applies a ternary raster operation to one 24-bit pixel triple.
QRgb Rop3(DWORD rop, QRgb p, QRgb s, QRgb d) {
    unsigned table = (rop >> 16) & 0xFF;
    std::uint32_t P = p & 0xFFFFFF, S = s & 0xFFFFFF, D = d & 0xFFFFFF, r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(table & (1u << i))) continue;
        r |= ((i & 4) ? P : ~P) & ((i & 2) ? S : ~S) & ((i & 1) ? D : ~D);
    }
    return 0xFF000000 | (r & 0xFFFFFF);
}

}  // namespace

struct TCanvas::Impl {
    QPainter* external = nullptr;
    int width = 0, height = 0;
    std::optional<QRegion> baseClip;  // what the paint event allowed
    std::unique_ptr<QPainter> own;
    std::optional<QRegion> clip;      // ours, in surface coordinates
    int dashPhase = 0;

    TRect Surface(const TCanvas& c) const {
        if (external) return Rect(0, 0, width, height);
        if (c.FBitmap) return Rect(0, 0, c.FBitmap->Width(), c.FBitmap->Height());
        return TRect{};
    }
    // Where drawing may land: surface, paint region and our clip together.
    QRegion Visible(const TCanvas& c) const {
        QRegion r(ToQRect(Surface(c)));
        if (external && baseClip) r = r.intersected(*baseClip);
        if (clip) r = r.intersected(*clip);
        return r;
    }
};

TCanvas::TCanvas()
    : FImpl(std::make_unique<Impl>()),
      FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()) {}

TCanvas::TCanvas(TBitmap* bitmap) : TCanvas() { FBitmap = bitmap; }

TCanvas::~TCanvas() {
    ReleasePainter();
    if (FImpl->external) EndPaint();
}

void TCanvas::BeginPaint(QPainter* painter, int width, int height) {
    if (FImpl->external) EndPaint();
    ReleasePainter();
    FImpl->external = painter;
    FImpl->width = width;
    FImpl->height = height;
    painter->save();
    if (painter->hasClipping())
        FImpl->baseClip = painter->clipRegion();
    else
        FImpl->baseClip.reset();
    FImpl->clip.reset();
}

void TCanvas::EndPaint() {
    if (!FImpl->external) return;
    FImpl->external->restore();
    FImpl->external = nullptr;
    FImpl->baseClip.reset();
    FImpl->clip.reset();
}

bool TCanvas::HandleAllocated() const { return FImpl->external || FBitmap; }

void TCanvas::ReleasePainter() { FImpl->own.reset(); }

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

QPainter* TCanvas::Painter() {
    QPainter* p = nullptr;
    if (FImpl->external) {
        p = FImpl->external;
    } else if (FBitmap && !FBitmap->Empty()) {
        if (!FImpl->own) {
            FImpl->own = std::make_unique<QPainter>(&FBitmap->PaintSurface());
        }
        p = FImpl->own.get();
    } else {
        return nullptr;
    }
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setRenderHint(QPainter::TextAntialiasing, false);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setOpacity(1.0);
    std::optional<QRegion> clip = FImpl->clip;
    if (FImpl->baseClip) clip = clip ? clip->intersected(*FImpl->baseClip) : *FImpl->baseClip;
    if (clip)
        p->setClipRegion(*clip);
    else
        p->setClipping(false);
    return p;
}

// --- helpers shared by the drawing operations ---

namespace {

bool OpaqueBackground(const TBrush* b) { return b->Style() == bsSolid && !b->Bitmap(); }

QImage BrushTile(const TBrush* b) {
    if (b->Bitmap() && !b->Bitmap()->Empty()) {
        return b->Bitmap()->Image().copy();
    }
    const Byte* bits = HatchBits(b->Style());
    QImage tile(8, 8, QImage::Format_ARGB32);
    tile.fill(0);
    if (bits) {
        QRgb c = ToQRgb(b->Color());
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (bits[y] & (0x80 >> x)) tile.setPixel(x, y, c);
    }
    return tile;
}

QBrush MakeQBrush(const TBrush* b) {
    if (b->Bitmap() && !b->Bitmap()->Empty()) return QBrush(BrushTile(b));
    if (b->Style() == bsClear) return QBrush(Qt::NoBrush);
    if (b->Style() == bsSolid) return QBrush(ToQColor(b->Color()));
    return QBrush(BrushTile(b));
}

// The brush's colour at a surface pixel, for raster operations that mix
// in the pattern.
struct PatternSource {
    explicit PatternSource(const TBrush* b) {
        if ((b->Bitmap() && !b->Bitmap()->Empty()) || HatchBits(b->Style())) {
            tile = BrushTile(b);
            if (!b->Bitmap()) {
                // Hatch gaps read as white, as a hatch brush's background.
                for (int y = 0; y < tile.height(); ++y)
                    for (int x = 0; x < tile.width(); ++x)
                        if (qAlpha(tile.pixel(x, y)) == 0) tile.setPixel(x, y, 0xFFFFFFFF);
            }
        } else {
            solid = b->Style() == bsClear ? 0xFF000000 : ToQRgb(b->Color());
        }
    }
    QRgb At(int x, int y) const {
        if (tile.isNull()) return solid;
        int w = tile.width(), h = tile.height();
        return tile.pixel(((x % w) + w) % w, ((y % h) + h) % h) | 0xFF000000;
    }
    QImage tile;
    QRgb solid = 0xFF000000;
};

Qt::PenStyle QtPenStyle(TPenStyle s) {
    switch (s) {
        case psDash: return Qt::DashLine;
        case psDot: return Qt::DotLine;
        case psDashDot: return Qt::DashDotLine;
        case psDashDotDot: return Qt::DashDotDotLine;
        case psClear: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}

// The ellipse inscribed in a box, through the centres of its edge pixels.
QRectF CentreRect(int x1, int y1, int x2, int y2) {
    TRect r = NormalRect(Rect(x1, y1, x2, y2));
    return QRectF(r.Left + 0.5, r.Top + 0.5, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1));
}

// The angle, in the sense Qt's arcs take it (the ellipse's parameter),
// of the ray from the box's centre towards (x, y).
double ArcAngle(const QRectF& box, int x, int y) {
    double cx = box.center().x(), cy = box.center().y();
    double dx = (x + 0.5) - cx, dy = cy - (y + 0.5);
    double a = std::max(box.width() / 2, 0.5), b = std::max(box.height() / 2, 0.5);
    return std::atan2(dy * a, dx * b) * 180.0 / std::numbers::pi;
}

double ArcSweep(double start, double end) {
    double sweep = end - start;
    while (sweep <= 0) sweep += 360;
    while (sweep > 360) sweep -= 360;
    return sweep;
}

QString ToQString(const String& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

// Plots one-pixel pen pixels, honouring the dash pattern (whose phase runs
// on along connected lines) and filling gaps over an opaque brush.
static void StrokePixels(TCanvas& c, int& phase, const std::vector<QPoint>& pts) {
    TPen* pen = c.Pen();
    if (pen->Style() == psClear || pen->Mode() == pmNop || pts.empty()) return;
    QColor penColor = PenModeColor(pen->Mode(), ToQColor(pen->Color()));
    bool opaque = OpaqueBackground(c.Brush());
    QColor bk = PenModeColor(pen->Mode(), ToQColor(c.Brush()->Color()));
    std::vector<int> dash = DashPattern(pen->Style());
    int period = 0;
    for (int d : dash) period += d;
    QPainter* p = c.Painter();
    if (!p) return;
    p->setCompositionMode(ModeFor(pen->Mode()));
    size_t i = 0;
    auto colourAt = [&](size_t k, int& kind) {
        if (!period) {
            kind = 1;
            return;
        }
        int pos = (phase + static_cast<int>(k)) % period;
        kind = 0;
        for (size_t s = 0; s < dash.size(); ++s) {
            if (pos < dash[s]) {
                kind = (s % 2 == 0) ? 1 : (opaque ? 2 : 0);
                return;
            }
            pos -= dash[s];
        }
    };
    while (i < pts.size()) {
        int kind;
        colourAt(i, kind);
        size_t j = i + 1;
        while (j < pts.size()) {
            int k2;
            colourAt(j, k2);
            if (k2 != kind || pts[j].y() != pts[i].y() || std::abs(pts[j].x() - pts[j - 1].x()) != 1) break;
            ++j;
        }
        if (kind) {
            int x0 = std::min(pts[i].x(), pts[j - 1].x()), x1 = std::max(pts[i].x(), pts[j - 1].x());
            p->fillRect(QRect(x0, pts[i].y(), x1 - x0 + 1, 1), kind == 1 ? penColor : bk);
        }
        i = j;
    }
    if (period) phase = (phase + static_cast<int>(pts.size())) % period;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

static QPen WidePen(TPen* pen) {
    QPen qp(PenModeColor(pen->Mode(), ToQColor(pen->Color())));
    qp.setWidth(pen->Width());
    qp.setStyle(QtPenStyle(pen->Style()));
    qp.setCapStyle(Qt::RoundCap);
    qp.setJoinStyle(Qt::RoundJoin);
    return qp;
}

static QPen ThinPen(TPen* pen) {
    QPen qp(PenModeColor(pen->Mode(), ToQColor(pen->Color())));
    qp.setWidth(0);
    qp.setCosmetic(true);
    qp.setStyle(QtPenStyle(pen->Style()));
    return qp;
}

static bool PenVisible(TPen* pen) { return pen->Style() != psClear && pen->Mode() != pmNop; }

// --- pixels and lines ---

TColor TCanvas::Pixels(int x, int y) {
    if (!FBitmap || FImpl->external) return clNone;
    if (x < 0 || y < 0 || x >= FBitmap->Width() || y >= FBitmap->Height()) return clNone;
    QRgb c = FBitmap->Image().pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    if (!FImpl->Visible(*this).contains(QPoint(x, y))) return;
    Changing();
    if (FBitmap && !FImpl->external) {
        FBitmap->Image().setPixel(x, y, FBitmap->NearestColor(ToQRgb(color)));
    } else if (QPainter* p = Painter()) {
        p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
    }
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    FPenPos = Point(x, y);
    FImpl->dashPhase = 0;
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    if (PenVisible(FPen.get())) {
        if (FPen->Width() <= 1) {
            StrokePixels(*this, FImpl->dashPhase, LinePixels(FPenPos.X, FPenPos.Y, x, y));
        } else if (QPainter* p = Painter()) {
            p->setCompositionMode(ModeFor(FPen->Mode()));
            p->setPen(WidePen(FPen.get()));
            p->drawLine(QPointF(FPenPos.X + 0.5, FPenPos.Y + 0.5), QPointF(x + 0.5, y + 0.5));
        }
    }
    FPenPos = Point(x, y);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.size() < 2) return;
    Changing();
    if (PenVisible(FPen.get())) {
        if (FPen->Width() <= 1) {
            int phase = 0;
            std::vector<QPoint> all;
            for (size_t i = 1; i < points.size(); ++i) {
                auto seg = LinePixels(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
                all.insert(all.end(), seg.begin(), seg.end());
            }
            StrokePixels(*this, phase, all);
        } else if (QPainter* p = Painter()) {
            QPolygonF poly;
            for (const auto& pt : points) poly << QPointF(pt.X + 0.5, pt.Y + 0.5);
            p->setCompositionMode(ModeFor(FPen->Mode()));
            p->setPen(WidePen(FPen.get()));
            p->setBrush(Qt::NoBrush);
            p->drawPolyline(poly);
        }
    }
    Changed();
}

// --- filled shapes ---

void TCanvas::FillRect(const TRect& r) {
    if (r.IsEmpty()) return;
    QBrush b = MakeQBrush(FBrush.get());
    if (b.style() == Qt::NoBrush) return;
    Changing();
    if (QPainter* p = Painter()) p->fillRect(ToQRect(r), b);
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    if (r.IsEmpty()) return;
    QBrush b = MakeQBrush(FBrush.get());
    if (b.style() == Qt::NoBrush) return;
    Changing();
    if (QPainter* p = Painter()) {
        p->fillRect(QRect(r.Left, r.Top, r.Width(), 1), b);
        if (r.Height() > 1) p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), b);
        if (r.Height() > 2) {
            p->fillRect(QRect(r.Left, r.Top + 1, 1, r.Height() - 2), b);
            if (r.Width() > 1) p->fillRect(QRect(r.Right - 1, r.Top + 1, 1, r.Height() - 2), b);
        }
    }
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    TRect r = NormalRect(Rect(x1, y1, x2, y2));
    if (r.IsEmpty()) return;
    Changing();
    QBrush b = MakeQBrush(FBrush.get());
    bool pen = PenVisible(FPen.get());
    int w = FPen->Width();
    // The outline's box and band width; the fill takes what lies inside.
    TRect outer = r;
    int band = 1;
    if (pen && w > 1) {
        band = w;
        if (FPen->Style() != psInsideFrame)
            outer = Rect(r.Left - w / 2, r.Top - w / 2, r.Right - 1 + (w - w / 2), r.Bottom - 1 + (w - w / 2));
        band = std::min({band, (outer.Width() + 1) / 2, (outer.Height() + 1) / 2});
    }
    QPainter* p = Painter();
    if (!p) return;
    if (b.style() != Qt::NoBrush) {
        TRect inner = !pen ? Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1)
                      : w <= 1 ? Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1)
                               : Rect(outer.Left + band, outer.Top + band, outer.Right - band, outer.Bottom - band);
        if (!inner.IsEmpty()) p->fillRect(ToQRect(inner), b);
    }
    if (pen) {
        if (w <= 1) {
            int phase = 0;
            std::vector<QPoint> all;
            auto add = [&](int ax, int ay, int bx, int by) {
                auto seg = LinePixels(ax, ay, bx, by);
                all.insert(all.end(), seg.begin(), seg.end());
            };
            int L = r.Left, T = r.Top, R = r.Right - 1, B = r.Bottom - 1;
            if (L == R || T == B) {
                add(L, T, R, B);
                all.emplace_back(R, B);
            } else {
                add(L, T, R, T);
                add(R, T, R, B);
                add(R, B, L, B);
                add(L, B, L, T);
            }
            StrokePixels(*this, phase, all);
        } else {
            QColor c = PenModeColor(FPen->Mode(), ToQColor(FPen->Color()));
            p->setCompositionMode(ModeFor(FPen->Mode()));
            const TRect& o = outer;
            p->fillRect(QRect(o.Left, o.Top, o.Width(), band), c);
            if (o.Height() > band) p->fillRect(QRect(o.Left, o.Bottom - band, o.Width(), band), c);
            int mid = o.Height() - 2 * band;
            if (mid > 0) {
                p->fillRect(QRect(o.Left, o.Top + band, band, mid), c);
                if (o.Width() > band) p->fillRect(QRect(o.Right - band, o.Top + band, band, mid), c);
            }
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }
    Changed();
}

// Fills `path` with the brush, then strokes it with the pen; an
// inside-frame pen wider than one pixel strokes `inset` instead so that it
// stays within the shape's box.
static void FillAndStroke(TCanvas& c, const QPainterPath& path, const QPainterPath& inset) {
    QBrush b = MakeQBrush(c.Brush());
    TPen* pen = c.Pen();
    QPainter* p = c.Painter();
    if (!p) return;
    if (b.style() != Qt::NoBrush) {
        p->setPen(Qt::NoPen);
        p->setBrush(b);
        p->drawPath(path);
    }
    if (PenVisible(pen)) {
        p->setCompositionMode(ModeFor(pen->Mode()));
        p->setBrush(Qt::NoBrush);
        if (pen->Width() <= 1) {
            p->setPen(ThinPen(pen));
            p->drawPath(path);
        } else {
            p->setPen(WidePen(pen));
            p->drawPath(pen->Style() == psInsideFrame ? inset : path);
        }
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

namespace {
// The box of a wide inside-frame pen's centre line.
QRectF InsetFor(const QRectF& box, int width) {
    double d = (width - 1) / 2.0;
    return box.adjusted(d, d, -d, -d);
}
}  // namespace

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    QRectF box = CentreRect(x1, y1, x2, y2);
    Changing();
    QPainterPath path, inset;
    path.addEllipse(box);
    inset.addEllipse(InsetFor(box, FPen->Width()));
    FillAndStroke(*this, path, inset);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    QRectF box = CentreRect(x1, y1, x2, y2);
    Changing();
    QPainterPath path, inset;
    path.addRoundedRect(box, x3 / 2.0, y3 / 2.0);
    inset.addRoundedRect(InsetFor(box, FPen->Width()), x3 / 2.0, y3 / 2.0);
    FillAndStroke(*this, path, inset);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2) return;
    Changing();
    QBrush b = MakeQBrush(FBrush.get());
    QPainter* p = Painter();
    if (p && b.style() != Qt::NoBrush && points.size() > 2) {
        // Vertices sit on pixel corners: a pixel is filled when its centre
        // lies inside, as GDI fills (0,0)-(5,5) over pixels 0..4.
        QPolygonF poly;
        for (const auto& pt : points) poly << QPointF(pt.X, pt.Y);
        p->setPen(Qt::NoPen);
        p->setBrush(b);
        p->drawPolygon(poly, Qt::OddEvenFill);
    }
    if (p && PenVisible(FPen.get())) {
        std::vector<TPoint> closed = points;
        closed.push_back(points.front());
        if (FPen->Width() <= 1) {
            int phase = 0;
            std::vector<QPoint> all;
            for (size_t i = 1; i < closed.size(); ++i) {
                auto seg = LinePixels(closed[i - 1].X, closed[i - 1].Y, closed[i].X, closed[i].Y);
                all.insert(all.end(), seg.begin(), seg.end());
            }
            StrokePixels(*this, phase, all);
        } else {
            QPolygonF poly;
            for (const auto& pt : points) poly << QPointF(pt.X + 0.5, pt.Y + 0.5);
            p->setCompositionMode(ModeFor(FPen->Mode()));
            p->setPen(WidePen(FPen.get()));
            p->setBrush(Qt::NoBrush);
            p->drawPolygon(poly);
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }
    Changed();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    QRectF box = CentreRect(x1, y1, x2, y2);
    if (!PenVisible(FPen.get())) return;
    Changing();
    double a = ArcAngle(box, x3, y3), e = ArcAngle(box, x4, y4);
    QPainterPath path;
    path.arcMoveTo(box, a);
    path.arcTo(box, a, ArcSweep(a, e));
    if (QPainter* p = Painter()) {
        p->setCompositionMode(ModeFor(FPen->Mode()));
        p->setBrush(Qt::NoBrush);
        p->setPen(FPen->Width() <= 1 ? ThinPen(FPen.get()) : WidePen(FPen.get()));
        p->drawPath(path);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    Changed();
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    QRectF box = CentreRect(x1, y1, x2, y2);
    Changing();
    double a = ArcAngle(box, x3, y3), e = ArcAngle(box, x4, y4);
    QPainterPath path;
    path.moveTo(box.center());
    path.arcTo(box, a, ArcSweep(a, e));
    path.closeSubpath();
    FillAndStroke(*this, path, path);
    Changed();
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    QRectF box = CentreRect(x1, y1, x2, y2);
    Changing();
    double a = ArcAngle(box, x3, y3), e = ArcAngle(box, x4, y4);
    QPainterPath path;
    path.arcMoveTo(box, a);
    path.arcTo(box, a, ArcSweep(a, e));
    path.closeSubpath();
    FillAndStroke(*this, path, path);
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (r.IsEmpty()) return;
    Changing();
    QPainter* p = Painter();
    if (!p) return;
    p->setCompositionMode(QPainter::RasterOp_NotDestination);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) p->fillRect(QRect(x, y, 1, 1), Qt::black);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Height() > 1) dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Width() > 1) dot(r.Right - 1, y);
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    Changed();
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
    if (!FBitmap || FImpl->external) return;
    QRegion visible = FImpl->Visible(*this);
    if (!visible.contains(QPoint(x, y))) return;
    Changing();
    PatternSource pattern(FBrush.get());
    QImage& img = FBitmap->Image();
    QRgb key = ToQRgb(color);
    int w = img.width(), h = img.height();
    auto inside = [&](int px, int py) {
        bool same = (img.pixel(px, py) | 0xFF000000) == key;
        return style == fsSurface ? same : !same;
    };
    if (!inside(x, y)) return;
    std::vector<char> seen(size_t(w) * h, 0);
    std::vector<QPoint> todo{QPoint(x, y)};
    std::vector<QPoint> hits;
    seen[size_t(y) * w + x] = 1;
    while (!todo.empty()) {
        QPoint q = todo.back();
        todo.pop_back();
        hits.push_back(q);
        const QPoint next[4] = {{q.x() + 1, q.y()}, {q.x() - 1, q.y()}, {q.x(), q.y() + 1}, {q.x(), q.y() - 1}};
        for (const QPoint& n : next) {
            if (n.x() < 0 || n.y() < 0 || n.x() >= w || n.y() >= h) continue;
            char& s = seen[size_t(n.y()) * w + n.x()];
            if (s || !visible.contains(n) || !inside(n.x(), n.y())) continue;
            s = 1;
            todo.push_back(n);
        }
    }
    for (const QPoint& q : hits) img.setPixel(q, pattern.At(q.x(), q.y()));
    Changed();
}

// --- text ---

QFont TCanvas::TextFont() const {
    QFont f = FFont->QtFont();
    if (FTextCharacterExtra) f.setLetterSpacing(QFont::AbsoluteSpacing, FTextCharacterExtra);
    return f;
}

void TCanvas::TextOut(int x, int y, const String& text) {
    Changing();
    QFont f = TextFont();
    QFontMetrics fm(f);
    QString s = ToQString(text);
    int w = fm.horizontalAdvance(s), h = fm.height();
    bool opaque = OpaqueBackground(FBrush.get());
    QColor bk = ToQColor(FBrush->Color());
    if (QPainter* p = Painter()) {
        p->save();
        p->translate(x, y);
        if (FFont->Orientation()) p->rotate(-FFont->Orientation() / 10.0);
        if (opaque) p->fillRect(QRect(0, 0, w, h), bk);
        p->setFont(f);
        p->setPen(ToQColor(FFont->Color()));
        p->drawText(0, fm.ascent(), s);
        p->restore();
    }
    FPenPos = Point(x + w, y);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
    Changing();
    QFont f = TextFont();
    QFontMetrics fm(f);
    QString s = ToQString(text);
    bool opaque = OpaqueBackground(FBrush.get());
    QColor bk = ToQColor(FBrush->Color());
    QRegion area = FImpl->Visible(*this).intersected(ToQRect(NormalRect(r)));
    if (QPainter* p = Painter()) {
        p->save();
        p->setClipRegion(area);
        if (opaque) p->fillRect(ToQRect(NormalRect(r)), bk);
        p->translate(x, y);
        if (FFont->Orientation()) p->rotate(-FFont->Orientation() / 10.0);
        p->setFont(f);
        p->setPen(ToQColor(FFont->Color()));
        p->drawText(0, fm.ascent(), s);
        p->restore();
    }
    Changed();
}

TSize TCanvas::TextExtent(const String& text) {
    QFontMetrics fm(TextFont());
    return TSize{fm.horizontalAdvance(ToQString(text)), fm.height()};
}

TTextMetric TCanvas::TextMetrics() {
    QFont f = TextFont();
    QFontMetrics fm(f);
    TTextMetric tm;
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    tm.tmHeight = fm.height();
    tm.tmInternalLeading = std::max(0, fm.height() - f.pixelSize());
    tm.tmExternalLeading = std::max(0, fm.leading());
    tm.tmAveCharWidth = fm.averageCharWidth();
    tm.tmMaxCharWidth = fm.maxWidth();
    tm.tmWeight = (FFont->Style() & fsBold) ? 700 : 400;
    tm.tmItalic = FFont->Style() & fsItalic;
    tm.tmUnderlined = FFont->Style() & fsUnderline;
    tm.tmStruckOut = FFont->Style() & fsStrikeOut;
    tm.tmCharSet = FFont->Charset();
    return tm;
}

// --- images ---

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(this, Rect(x, y, x + graphic->Width(), y + graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(this, r);
}

// Copies `src` onto dest (scaled to it) through a raster operation. On a
// bitmap every operation is exact; on a control's paint the operations
// the toolkit knows are used and the rest fall back to a plain copy.
static void Blit(TCanvas& c, const TRect& dest, const QImage& src, TCopyMode rop, const QRegion& visible,
                 bool onBitmap) {
    if (dest.IsEmpty() || src.isNull()) return;
    QImage s = src.size() == QSize(dest.Width(), dest.Height())
                   ? src
                   : src.scaled(dest.Width(), dest.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    s = s.convertToFormat(QImage::Format_RGB32);
    if (rop == cmSrcCopy) {
        if (QPainter* p = c.Painter()) p->drawImage(QPoint(dest.Left, dest.Top), s);
        return;
    }
    PatternSource pattern(c.Brush());
    if (onBitmap) {
        QImage& img = c.Bitmap()->Image();
        QRegion area = visible.intersected(ToQRect(dest));
        for (const QRect& rr : area) {
            for (int y = rr.top(); y <= rr.bottom(); ++y) {
                QRgb* d = reinterpret_cast<QRgb*>(img.scanLine(y));
                const QRgb* sl = reinterpret_cast<const QRgb*>(s.constScanLine(y - dest.Top));
                for (int x = rr.left(); x <= rr.right(); ++x)
                    d[x] = Rop3(rop, pattern.At(x, y), sl[x - dest.Left], d[x]);
            }
        }
        return;
    }
    QPainter* p = c.Painter();
    if (!p) return;
    QRect q = ToQRect(dest);
    auto image = [&](QPainter::CompositionMode m) {
        p->setCompositionMode(m);
        p->drawImage(q.topLeft(), s);
    };
    auto fill = [&](QPainter::CompositionMode m, const QColor& col) {
        p->setCompositionMode(m);
        p->fillRect(q, col);
    };
    switch (rop) {
        case cmSrcAnd: image(QPainter::RasterOp_SourceAndDestination); break;
        case cmSrcPaint: image(QPainter::RasterOp_SourceOrDestination); break;
        case cmSrcInvert: image(QPainter::RasterOp_SourceXorDestination); break;
        case cmNotSrcCopy: image(QPainter::RasterOp_NotSource); break;
        case cmSrcErase: image(QPainter::RasterOp_SourceAndNotDestination); break;
        case cmNotSrcErase: image(QPainter::RasterOp_NotSourceAndNotDestination); break;
        case cmMergePaint: image(QPainter::RasterOp_NotSourceOrDestination); break;
        case cmDstInvert: fill(QPainter::RasterOp_NotDestination, Qt::black); break;
        case cmBlackness: fill(QPainter::CompositionMode_SourceOver, Qt::black); break;
        case cmWhiteness: fill(QPainter::CompositionMode_SourceOver, Qt::white); break;
        case cmPatCopy: p->fillRect(q, MakeQBrush(c.Brush())); break;
        case cmPatInvert: fill(QPainter::RasterOp_SourceXorDestination, QColor::fromRgb(pattern.At(0, 0))); break;
        case cmMergeCopy: {
            QImage m = s;
            for (int y = 0; y < m.height(); ++y) {
                QRgb* l = reinterpret_cast<QRgb*>(m.scanLine(y));
                for (int x = 0; x < m.width(); ++x)
                    l[x] = 0xFF000000 | (l[x] & pattern.At(dest.Left + x, dest.Top + y));
            }
            p->drawImage(q.topLeft(), m);
            break;
        }
        default: p->drawImage(q.topLeft(), s); break;
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::StretchBitmap(const TRect& dest, TBitmap* bitmap) {
    TRect d = NormalRect(dest);
    if (d.IsEmpty() || bitmap->Empty()) return;
    Changing();
    if (bitmap->Transparent()) {
        QImage masked = bitmap->MaskedImage().copy();
        if (QPainter* p = Painter()) p->drawImage(ToQRect(d), masked);
    } else {
        QImage src = bitmap->Image().copy();
        Blit(*this, d, src, FCopyMode, FImpl->Visible(*this), FBitmap && !FImpl->external);
    }
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
    if (!source || !source->FBitmap || source->FImpl->external) return;
    TRect s = NormalRect(src), d = NormalRect(dest);
    if (s.IsEmpty() || d.IsEmpty()) return;
    Changing();
    QImage part = source->FBitmap->Image().copy(ToQRect(s));
    Blit(*this, d, part, FCopyMode, FImpl->Visible(*this), FBitmap && !FImpl->external);
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor color) {
    if (!bitmap) return;
    TRect s = NormalRect(src), d = NormalRect(dest);
    if (s.IsEmpty() || d.IsEmpty()) return;
    Changing();
    QImage part = bitmap->Image().copy(ToQRect(s));
    if (part.size() != QSize(d.Width(), d.Height()))
        part = part.scaled(d.Width(), d.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    part = part.convertToFormat(QImage::Format_RGB32);
    PatternSource pattern(FBrush.get());
    QRgb key = ToQRgb(color);
    for (int y = 0; y < part.height(); ++y) {
        QRgb* l = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if ((l[x] | 0xFF000000) == key) l[x] = pattern.At(d.Left + x, d.Top + y);
    }
    if (QPainter* p = Painter()) p->drawImage(QPoint(d.Left, d.Top), part);
    Changed();
}

// --- clipping ---

TRect TCanvas::ClipRect() const {
    QRect b = FImpl->Visible(*this).boundingRect();
    if (b.isEmpty()) return TRect{};
    return Rect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
}

bool TCanvas::HasClip() const { return FImpl->clip.has_value(); }

void TCanvas::SelectClipRect(const TRect& r) { FImpl->clip = QRegion(ToQRect(NormalRect(r))); }

void TCanvas::SelectClipRgn(const TRegion* region) {
    if (region)
        FImpl->clip = region->QtRegion();
    else
        FImpl->clip.reset();
}

void TCanvas::IntersectClipRect(const TRect& r) {
    QRegion base = FImpl->clip ? *FImpl->clip : QRegion(ToQRect(FImpl->Surface(*this)));
    FImpl->clip = base.intersected(ToQRect(NormalRect(r)));
}

void TCanvas::ExcludeClipRect(const TRect& r) {
    QRegion base = FImpl->clip ? *FImpl->clip : QRegion(ToQRect(FImpl->Surface(*this)));
    FImpl->clip = base.subtracted(ToQRect(NormalRect(r)));
}

TRegion TCanvas::ClipRegion() const { return TRegion(FImpl->Visible(*this)); }

bool TCanvas::TryLock() {
    ++FLockCount;
    return true;
}
