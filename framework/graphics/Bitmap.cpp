#include "framework/graphics/Bitmap.h"

#include <QImage>
#include <QPainter>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "framework/classes/Stream.h"
#include "framework/graphics/Canvas.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// The 16 colours of the classic 4-bit palette, in its index order.
constexpr QRgb kPalette16[16] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFF808080,
    0xFFC0C0C0, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF,
};

// The fixed 8-bit table: the 16 classic colours, a 6 x 6 x 6 colour cube
// and 24 greys. Fixed so that 8-bit images round-trip the same everywhere.
const std::vector<QRgb>& Palette256() {
    static const std::vector<QRgb> table = [] {
        std::vector<QRgb> t(kPalette16, kPalette16 + 16);
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b) t.push_back(qRgb(r * 51, g * 51, b * 51));
        for (int i = 0; i < 24; ++i) {
            int v = 8 + i * 10;
            t.push_back(qRgb(v, v, v));
        }
        return t;
    }();
    return table;
}

int Nearest(QRgb c, const QRgb* table, int n) {
    int best = 0;
    long bestDist = -1;
    for (int i = 0; i < n; ++i) {
        long dr = qRed(c) - qRed(table[i]), dg = qGreen(c) - qGreen(table[i]),
             db = qBlue(c) - qBlue(table[i]);
        long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            best = i;
            bestDist = d;
            if (d == 0) break;
        }
    }
    return best;
}

int BitsOf(TPixelFormat f) {
    switch (f) {
        case pf1bit: return 1;
        case pf4bit: return 4;
        case pf8bit: return 8;
        case pf15bit:
        case pf16bit: return 16;
        case pf24bit: return 24;
        default: return 32;
    }
}

int StrideFor(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

QRgb Expand555(unsigned w) {
    int r = (w >> 10) & 31, g = (w >> 5) & 31, b = w & 31;
    return qRgb((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
}
QRgb Expand565(unsigned w) {
    int r = (w >> 11) & 31, g = (w >> 5) & 63, b = w & 31;
    return qRgb((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}
unsigned Pack555(QRgb c) { return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3); }
unsigned Pack565(QRgb c) { return ((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3); }

// Packs one row of 32-bit pixels into the layout of `format`.
void PackRow(const QRgb* src, int width, TPixelFormat format, Byte* dst) {
    const auto& pal = Palette256();
    switch (BitsOf(format)) {
        case 1:
            for (int x = 0; x < width; ++x) {
                static const QRgb bw[2] = {0xFF000000, 0xFFFFFFFF};
                if (Nearest(src[x], bw, 2)) dst[x >> 3] |= Byte(0x80 >> (x & 7));
                else dst[x >> 3] &= Byte(~(0x80 >> (x & 7)));
            }
            break;
        case 4:
            for (int x = 0; x < width; ++x) {
                int i = Nearest(src[x], kPalette16, 16);
                if (x & 1) dst[x >> 1] = Byte((dst[x >> 1] & 0xF0) | i);
                else dst[x >> 1] = Byte((dst[x >> 1] & 0x0F) | (i << 4));
            }
            break;
        case 8:
            for (int x = 0; x < width; ++x) dst[x] = Byte(Nearest(src[x], pal.data(), 256));
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                unsigned w = format == pf15bit ? Pack555(src[x]) : Pack565(src[x]);
                dst[2 * x] = Byte(w);
                dst[2 * x + 1] = Byte(w >> 8);
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x) {
                dst[3 * x] = Byte(qBlue(src[x]));
                dst[3 * x + 1] = Byte(qGreen(src[x]));
                dst[3 * x + 2] = Byte(qRed(src[x]));
            }
            break;
        default:
            std::memcpy(dst, src, size_t(width) * 4);
            break;
    }
}

// The reverse of PackRow, with a palette for indexed rows.
void UnpackRow(const Byte* src, int width, int bits, const std::vector<QRgb>& palette,
               bool is565, QRgb* dst) {
    auto pal = [&](int i) { return i < int(palette.size()) ? palette[i] : 0xFF000000u; };
    switch (bits) {
        case 1:
            for (int x = 0; x < width; ++x) dst[x] = pal((src[x >> 3] >> (7 - (x & 7))) & 1);
            break;
        case 4:
            for (int x = 0; x < width; ++x) dst[x] = pal((x & 1) ? (src[x >> 1] & 15) : (src[x >> 1] >> 4));
            break;
        case 8:
            for (int x = 0; x < width; ++x) dst[x] = pal(src[x]);
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                unsigned w = src[2 * x] | (src[2 * x + 1] << 8);
                dst[x] = is565 ? Expand565(w) : Expand555(w);
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x) dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
        default:
            for (int x = 0; x < width; ++x) {
                const Byte* p = src + 4 * x;
                dst[x] = qRgb(p[2], p[1], p[0]);
            }
            break;
    }
}

std::vector<QRgb> PaletteFor(TPixelFormat f) {
    switch (f) {
        case pf1bit: return {0xFF000000, 0xFFFFFFFF};
        case pf4bit: return std::vector<QRgb>(kPalette16, kPalette16 + 16);
        case pf8bit: return Palette256();
        default: return {};
    }
}

QImage NewImage(int w, int h) {
    QImage img(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    img.fill(kWhite);
    return img;
}

template <class T>
void Put(std::vector<Byte>& out, size_t at, T v) {
    for (size_t i = 0; i < sizeof(T); ++i) out[at + i] = Byte((std::uint64_t(v) >> (8 * i)) & 0xFF);
}

template <class T>
T Get(const Byte* p) {
    std::uint64_t v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) v |= std::uint64_t(p[i]) << (8 * i);
    return T(v);
}

}  // namespace

struct TBitmap::Impl {
    QImage image = NewImage(0, 0);
    std::unique_ptr<TCanvas> canvas;
    std::vector<Byte> rows;     // ScanLine rows for formats other than 32-bit
    bool rowsValid = false;     // rows match the image
    bool rowsDirty = false;     // rows may hold writes the image has not seen
    bool painted = false;       // the canvas drew since the last snap to the format
};

TBitmap::TBitmap() : FImpl(std::make_unique<Impl>()) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { FImpl->image = NewImage(width, height); }

TBitmap::~TBitmap() {
    CloseCanvas();
}

void TBitmap::CloseCanvas() const {
    if (FImpl->canvas) FImpl->canvas->ReleasePainter();
    // Drawing happens in full colour; a bitmap of fewer colours shows the
    // nearest ones, as a device of that depth would have.
    if (FImpl->painted) {
        FImpl->painted = false;
        Quantize();
    }
}

void TBitmap::SyncScanLines() const {
    if (!FImpl->rowsDirty) return;
    FImpl->rowsDirty = false;
    FImpl->rowsValid = false;
    int w = FImpl->image.width(), h = FImpl->image.height();
    int stride = StrideFor(w, BitsOf(FPixelFormat));
    auto pal = PaletteFor(FPixelFormat);
    for (int y = 0; y < h; ++y)
        UnpackRow(FImpl->rows.data() + size_t(y) * stride, w, BitsOf(FPixelFormat), pal,
                  FPixelFormat == pf16bit, reinterpret_cast<QRgb*>(FImpl->image.scanLine(y)));
}

QImage& TBitmap::Image() {
    CloseCanvas();
    SyncScanLines();
    FImpl->rowsValid = false;  // the caller may write
    return FImpl->image;
}

QImage& TBitmap::PaintSurface() {
    SyncScanLines();
    FImpl->rowsValid = false;
    FImpl->painted = true;
    return FImpl->image;
}

const QImage& TBitmap::Image() const {
    CloseCanvas();
    SyncScanLines();
    return FImpl->image;
}

void TBitmap::SetImage(const QImage& image) {
    CloseCanvas();
    FImpl->rowsDirty = FImpl->rowsValid = false;
    FImpl->image = image.convertToFormat(QImage::Format_RGB32);
    Quantize();
    Changed();
}

void TBitmap::Assign(TPersistent* source) {
    if (auto* b = dynamic_cast<TBitmap*>(source)) {
        if (b == this) return;
        const QImage& src = b->Image();
        CloseCanvas();
        FImpl->rowsDirty = FImpl->rowsValid = false;
        FImpl->image = src.copy();
        FPixelFormat = b->FPixelFormat;
        FTransparent = b->FTransparent;
        FTransparentMode = b->FTransparentMode;
        FTransparentColor = b->FTransparentColor;
        Changed();
        return;
    }
    if (!source) {
        SetSize(0, 0);
        return;
    }
    TGraphic::Assign(source);
}

int TBitmap::Width() const { return FImpl->image.width(); }
int TBitmap::Height() const { return FImpl->image.height(); }
void TBitmap::SetWidth(int v) { SetSize(v, Height()); }
void TBitmap::SetHeight(int v) { SetSize(Width(), v); }
bool TBitmap::Empty() const { return Width() == 0 || Height() == 0; }

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height()) return;
    const QImage& old = Image();
    QImage img = NewImage(width, height);
    int cw = std::min(width, old.width()), ch = std::min(height, old.height());
    for (int y = 0; y < ch; ++y) std::memcpy(img.scanLine(y), old.constScanLine(y), size_t(cw) * 4);
    FImpl->image = img;
    FImpl->rowsValid = false;
    Changed();
}

unsigned TBitmap::NearestColor(unsigned rgb) const {
    int bits = BitsOf(FPixelFormat);
    if (bits >= 24) return rgb | 0xFF000000;
    Byte packed[4] = {0, 0, 0, 0};
    QRgb in = rgb, out = 0;
    PackRow(&in, 1, FPixelFormat, packed);
    UnpackRow(packed, 1, bits, PaletteFor(FPixelFormat), FPixelFormat == pf16bit, &out);
    return out;
}

void TBitmap::Quantize() const {
    if (BitsOf(FPixelFormat) >= 24) return;
    QImage& img = FImpl->image;
    // Pictures hold few distinct colours; remember each one's answer.
    std::unordered_map<QRgb, QRgb> cache;
    for (int y = 0; y < img.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            QRgb c = line[x] | 0xFF000000;
            auto it = cache.find(c);
            if (it == cache.end()) it = cache.emplace(c, NearestColor(c)).first;
            line[x] = it->second;
        }
    }
}

void TBitmap::SetPixelFormat(TPixelFormat v) {
    if (v == pfCustom) v = pf32bit;
    if (v == FPixelFormat) return;
    Image();
    FPixelFormat = v;
    Quantize();
    Changed();
}

void TBitmap::SetMonochrome(bool v) {
    if (v == Monochrome()) return;
    SetPixelFormat(v ? pf1bit : pfDevice);
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    QRgb c = Image().pixel(0, Height() - 1);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TBitmap::SetTransparentColor(TColor v) {
    if (v == FTransparentColor && FTransparentMode == (v == clDefault ? tmAuto : tmFixed)) return;
    FTransparentColor = v;
    FTransparentMode = v == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode v) {
    if (v == FTransparentMode) return;
    if (v == tmAuto)
        FTransparentColor = clDefault;
    else
        FTransparentColor = TransparentColor();
    FTransparentMode = v;
    Changed();
}

void TBitmap::Mask(TColor transparentColor) {
    QImage& img = Image();
    TColor rgb = ColorToRGB(transparentColor);
    QRgb key = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    for (int y = 0; y < img.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) line[x] = (line[x] | 0xFF000000) == key ? kWhite : 0xFF000000;
    }
    FPixelFormat = pf1bit;
    Changed();
}

TCanvas* TBitmap::Canvas() {
    if (!FImpl->canvas) FImpl->canvas.reset(new TCanvas(this));
    return FImpl->canvas.get();
}

int TBitmap::BytesPerScanLine() const { return StrideFor(Width(), BitsOf(FPixelFormat)); }

void* TBitmap::ScanLine(int row) {
    if (row < 0 || row >= Height()) throw EInvalidGraphicOperation("Scan line index out of range");
    CloseCanvas();
    if (BitsOf(FPixelFormat) == 32) {
        SyncScanLines();
        return FImpl->image.scanLine(row);
    }
    if (!FImpl->rowsValid && !FImpl->rowsDirty) {
        int w = Width(), stride = BytesPerScanLine();
        FImpl->rows.assign(size_t(stride) * Height(), 0);
        for (int y = 0; y < Height(); ++y)
            PackRow(reinterpret_cast<const QRgb*>(FImpl->image.constScanLine(y)), w, FPixelFormat,
                    FImpl->rows.data() + size_t(y) * stride);
        FImpl->rowsValid = true;
    }
    FImpl->rowsDirty = true;
    return FImpl->rows.data() + size_t(row) * BytesPerScanLine();
}

TColor TBitmap::Palette8(int index) {
    const auto& p = Palette256();
    if (index < 0 || index > 255) return clBlack;
    return RGB(qRed(p[index]), qGreen(p[index]), qBlue(p[index]));
}

QImage TBitmap::MaskedImage() const {
    const QImage& img = Image();
    if (!FTransparent || Empty()) return img;
    TColor tc = ColorToRGB(TransparentColor());
    QRgb key = qRgb(GetRValue(tc), GetGValue(tc), GetBValue(tc));
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xFF000000) == key) line[x] = 0;
    }
    return out;
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect) {
    canvas->StretchBitmap(rect, this);
}

// --- BMP files ---
//
// Written bottom-up with a 14-byte file header and a 40-byte info header:
// 1, 4 and 8 bits with their palette, 16 bits as 5-5-5 (pf16bit as 5-6-5
// with bit-field masks), 24 and 32 bits as B, G, R(, A). pfDevice is
// written as 24 bits, which every reader understands.

void TBitmap::SaveToStream(TStream* stream) {
    const QImage& img = Image();
    TPixelFormat fmt = FPixelFormat == pfDevice || FPixelFormat == pfCustom ? pf24bit : FPixelFormat;
    int bits = BitsOf(fmt);
    int w = img.width(), h = img.height();
    int stride = StrideFor(w, bits);
    auto pal = PaletteFor(fmt);
    bool bitfields = fmt == pf16bit;
    size_t headerSize = 14 + 40 + (bitfields ? 12 : 0) + pal.size() * 4;
    size_t imageSize = size_t(stride) * h;
    std::vector<Byte> out(headerSize + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put<std::uint32_t>(out, 2, std::uint32_t(out.size()));
    Put<std::uint32_t>(out, 10, std::uint32_t(headerSize));
    Put<std::uint32_t>(out, 14, 40);
    Put<std::int32_t>(out, 18, w);
    Put<std::int32_t>(out, 22, h);
    Put<std::uint16_t>(out, 26, 1);
    Put<std::uint16_t>(out, 28, std::uint16_t(bits));
    Put<std::uint32_t>(out, 30, bitfields ? 3 : 0);
    Put<std::uint32_t>(out, 34, std::uint32_t(imageSize));
    Put<std::int32_t>(out, 38, 3780);  // 96 dpi in pixels per metre
    Put<std::int32_t>(out, 42, 3780);
    Put<std::uint32_t>(out, 46, std::uint32_t(pal.size()));
    Put<std::uint32_t>(out, 50, 0);
    size_t at = 54;
    if (bitfields) {
        Put<std::uint32_t>(out, at, 0xF800);
        Put<std::uint32_t>(out, at + 4, 0x07E0);
        Put<std::uint32_t>(out, at + 8, 0x001F);
        at += 12;
    }
    for (QRgb c : pal) {
        out[at++] = Byte(qBlue(c));
        out[at++] = Byte(qGreen(c));
        out[at++] = Byte(qRed(c));
        out[at++] = 0;
    }
    for (int y = 0; y < h; ++y)
        PackRow(reinterpret_cast<const QRgb*>(img.constScanLine(y)), w, fmt,
                out.data() + headerSize + size_t(h - 1 - y) * stride);
    stream->WriteBuffer(out.data(), Int64(out.size()));
}

void TBitmap::LoadFromStream(TStream* stream) {
    Int64 start = stream->Position();
    Int64 avail = stream->Size() - start;
    if (avail < 14 + 12) throw EInvalidGraphic("Bitmap image is not valid");
    std::vector<Byte> data(static_cast<size_t>(avail));
    stream->ReadBuffer(data.data(), avail);
    const Byte* d = data.data();
    if (d[0] != 'B' || d[1] != 'M') throw EInvalidGraphic("Bitmap image is not valid");
    std::uint32_t fileSize = Get<std::uint32_t>(d + 2);
    std::uint32_t offBits = Get<std::uint32_t>(d + 10);
    std::uint32_t infoSize = Get<std::uint32_t>(d + 14);
    // Leave the stream just past this bitmap, so that it may be embedded.
    if (fileSize >= 14 + 12 && fileSize <= std::uint64_t(avail)) stream->SetPosition(start + fileSize);
    int w, h, bits;
    std::uint32_t compression = 0, clrUsed = 0;
    bool core = infoSize == 12;
    if (core) {
        w = Get<std::uint16_t>(d + 18);
        h = Get<std::int16_t>(d + 20);
        bits = Get<std::uint16_t>(d + 24);
    } else {
        if (infoSize < 40 || 14 + size_t(infoSize) > data.size()) throw EInvalidGraphic("Bitmap image is not valid");
        w = Get<std::int32_t>(d + 18);
        h = Get<std::int32_t>(d + 22);
        bits = Get<std::uint16_t>(d + 28);
        compression = Get<std::uint32_t>(d + 30);
        clrUsed = Get<std::uint32_t>(d + 46);
    }
    bool topDown = h < 0;
    if (topDown && h > -65536) h = -h;
    if (w <= 0 || h <= 0 || w > 65535 || h > 65535) throw EInvalidGraphic("Bitmap image is not valid");
    if (compression == 1 || compression == 2) {
        // A run of up to 255 pixels takes two bytes; skips and an early end
        // can claim any size from a few bytes, which is damage, not a picture.
        if (std::uint64_t(w) * std::uint64_t(h) > 128 * std::uint64_t(data.size()) + 65536)
            throw EInvalidGraphic("Bitmap image is not valid");
        // Run-length files are rare; the toolkit's reader knows them.
        QImage img;
        if (!img.loadFromData(data.data(), int(data.size()), "BMP")) throw EInvalidGraphic("Bitmap image is not valid");
        CloseCanvas();
        FImpl->rowsDirty = FImpl->rowsValid = false;
        FImpl->image = img.convertToFormat(QImage::Format_RGB32);
        FPixelFormat = compression == 1 ? pf8bit : pf4bit;
        Changed();
        return;
    }
    if (compression != 0 && compression != 3) throw EInvalidGraphic("Bitmap image is not valid");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        throw EInvalidGraphic("Bitmap image is not valid");
    std::vector<QRgb> palette;
    size_t palAt = 14 + infoSize;
    bool is565 = false;
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (compression == 3) {
        size_t mAt = infoSize >= 52 ? 14 + 40 : palAt;
        if (mAt + 12 > data.size()) throw EInvalidGraphic("Bitmap image is not valid");
        for (int i = 0; i < 3; ++i) masks[i] = Get<std::uint32_t>(d + mAt + 4 * i);
        if (infoSize == 40) palAt += 12;
        is565 = bits == 16 && masks[1] == 0x07E0;
    }
    if (bits <= 8) {
        size_t n = clrUsed ? clrUsed : (size_t(1) << bits);
        if (n > 256) n = 256;
        size_t entry = core ? 3 : 4;
        for (size_t i = 0; i < n && palAt + i * entry + 3 <= data.size(); ++i) {
            const Byte* p = d + palAt + i * entry;
            palette.push_back(qRgb(p[2], p[1], p[0]));
        }
    }
    int stride = StrideFor(w, bits);
    if (offBits == 0) offBits = std::uint32_t(palAt + palette.size() * (core ? 3 : 4));
    if (size_t(offBits) + size_t(stride) * h > data.size()) throw EInvalidGraphic("Bitmap image is not valid");
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const Byte* row = d + offBits + size_t(topDown ? y : h - 1 - y) * stride;
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        if (bits == 32 && compression == 3) {
            auto field = [](std::uint32_t v, std::uint32_t m) {
                if (!m) return 0;
                int shift = 0;
                while (!((m >> shift) & 1)) ++shift;
                std::uint32_t max = m >> shift;
                return int(((v & m) >> shift) * 255 / max);
            };
            for (int x = 0; x < w; ++x) {
                std::uint32_t v = Get<std::uint32_t>(row + 4 * x);
                line[x] = qRgb(field(v, masks[0]), field(v, masks[1]), field(v, masks[2]));
            }
        } else {
            UnpackRow(row, w, bits, palette, is565, line);
        }
    }
    CloseCanvas();
    FImpl->rowsDirty = FImpl->rowsValid = false;
    FImpl->image = img;
    switch (bits) {
        case 1: FPixelFormat = pf1bit; break;
        case 4: FPixelFormat = pf4bit; break;
        case 8: FPixelFormat = pf8bit; break;
        case 16: FPixelFormat = is565 ? pf16bit : pf15bit; break;
        case 24: FPixelFormat = pf24bit; break;
        default: FPixelFormat = pf32bit; break;
    }
    // Pixels keep the file's exact colours; ScanLine and saving map them to
    // the nearest entry of the fixed tables.
    Changed();
}
