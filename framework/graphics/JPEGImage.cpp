#include "framework/graphics/JPEGImage.h"

#include <QImage>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

#include "framework/classes/MemoryStream.h"
#include "framework/classes/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

// libjpeg reports fatal errors through error_exit and expects it not to
// return. Throwing through its C frames is not safe, so error_exit jumps
// back to the codec call with longjmp, and the exception is raised only
// after libjpeg has been torn down. The functions that call setjmp keep
// nothing with a destructor in their own frame; their buffers come from
// libjpeg's pools. Stream errors inside the callbacks are caught there and
// turned into libjpeg errors the same way.

namespace {

constexpr size_t kBufferSize = 4096;

// The most pixels a JPEG of `bytes` bytes can hold: every 8x8 block of a
// picture takes at least one bit of coded data, so a header that claims
// more describes data the file does not have. A damaged or cut-off file
// could otherwise make the decoder allocate and fill a picture of any size.
constexpr Int64 kPixelsPerByte = 8 * 64;
constexpr Int64 kPixelsAlways = 64 * 64;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void OutputMessage(j_common_ptr) {}  // warnings are not worth a console line

struct SourceManager {
    jpeg_source_mgr pub;
    TStream* stream;
    bool startOfFile;
    JOCTET buffer[kBufferSize];
};

void InitSource(j_decompress_ptr cinfo) {
    reinterpret_cast<SourceManager*>(cinfo->src)->startOfFile = true;
}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<SourceManager*>(cinfo->src);
    Int64 n = -1;
    try {
        n = src->stream->Read(src->buffer, kBufferSize);
    } catch (...) {
        n = -1;
    }
    if (n < 0) ERREXIT(cinfo, JERR_FILE_READ);
    if (n == 0) {
        if (src->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // A truncated file still shows what arrived: end it here.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        n = 2;
    }
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = static_cast<size_t>(n);
    src->startOfFile = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    auto* src = reinterpret_cast<SourceManager*>(cinfo->src);
    if (count <= 0) return;
    while (count > static_cast<long>(src->pub.bytes_in_buffer)) {
        count -= static_cast<long>(src->pub.bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    src->pub.next_input_byte += count;
    src->pub.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr cinfo) {
    // Hand back what was read past the end, so the stream stands just after
    // the image.
    auto* src = reinterpret_cast<SourceManager*>(cinfo->src);
    if (src->pub.bytes_in_buffer) {
        try {
            src->stream->Seek(-static_cast<Int64>(src->pub.bytes_in_buffer), soCurrent);
        } catch (...) {
        }
    }
}

struct DestinationManager {
    jpeg_destination_mgr pub;
    TStream* stream;
    JOCTET buffer[kBufferSize];
};

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<DestinationManager*>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBufferSize;
}

bool WriteOut(DestinationManager* dest, size_t count) {
    try {
        return dest->stream->Write(dest->buffer, static_cast<Int64>(count)) == static_cast<Int64>(count);
    } catch (...) {
        return false;
    }
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<DestinationManager*>(cinfo->dest);
    if (!WriteOut(dest, kBufferSize)) ERREXIT(cinfo, JERR_FILE_WRITE);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<DestinationManager*>(cinfo->dest);
    size_t count = kBufferSize - dest->pub.free_in_buffer;
    if (count && !WriteOut(dest, count)) ERREXIT(cinfo, JERR_FILE_WRITE);
}

// Decodes one JPEG from the stream's position into *out (32-bit). Returns
// false with the message in `message` on failure.
bool Decode(TStream* stream, bool grayscale, QImage* out, char* message) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    SourceManager src;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    err.message[0] = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    src.pub.init_source = InitSource;
    src.pub.fill_input_buffer = FillInputBuffer;
    src.pub.skip_input_data = SkipInputData;
    src.pub.resync_to_restart = jpeg_resync_to_restart;
    src.pub.term_source = TermSource;
    src.pub.bytes_in_buffer = 0;
    src.pub.next_input_byte = nullptr;
    src.stream = stream;
    cinfo.src = &src.pub;
    const Int64 bytes = stream->Size() - stream->Position();
    jpeg_read_header(&cinfo, TRUE);
    if (Int64(cinfo.image_width) * cinfo.image_height > kPixelsAlways + kPixelsPerByte * bytes) {
        std::snprintf(err.message, sizeof err.message, "Image of %ux%u pixels is too large for %lld bytes of data",
                      cinfo.image_width, cinfo.image_height, static_cast<long long>(bytes));
        std::longjmp(err.jump, 1);
    }
    bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    bool gray = grayscale || cinfo.jpeg_color_space == JCS_GRAYSCALE;
    cinfo.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
    int comps = cinfo.output_components;
    *out = QImage(w, h, QImage::Format_RGB32);
    if (out->isNull()) ERREXIT(&cinfo, JERR_OUT_OF_MEMORY);
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                 static_cast<JDIMENSION>(w * comps), 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        int y = static_cast<int>(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, row, 1);
        QRgb* line = reinterpret_cast<QRgb*>(out->scanLine(y));
        const JSAMPLE* s = row[0];
        for (int x = 0; x < w; ++x) {
            if (comps == 1) {
                line[x] = qRgb(s[x], s[x], s[x]);
            } else if (comps == 4) {
                // Adobe writes CMYK inverted.
                const JSAMPLE* p = s + 4 * x;
                int k = p[3];
                line[x] = qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
            } else {
                const JSAMPLE* p = s + 3 * x;
                line[x] = qRgb(p[0], p[1], p[2]);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool Encode(const QImage* image, int quality, bool grayscale, TStream* stream, char* message) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    DestinationManager dest;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    err.message[0] = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }
    jpeg_create_compress(&cinfo);
    dest.pub.init_destination = InitDestination;
    dest.pub.empty_output_buffer = EmptyOutputBuffer;
    dest.pub.term_destination = TermDestination;
    dest.stream = stream;
    cinfo.dest = &dest.pub;
    cinfo.image_width = static_cast<JDIMENSION>(image->width());
    cinfo.image_height = static_cast<JDIMENSION>(image->height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (grayscale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                 cinfo.image_width * 3, 1);
    while (cinfo.next_scanline < cinfo.image_height) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image->constScanLine(static_cast<int>(cinfo.next_scanline)));
        JSAMPLE* d = row[0];
        for (int x = 0; x < image->width(); ++x) {
            d[3 * x] = static_cast<JSAMPLE>(qRed(line[x]));
            d[3 * x + 1] = static_cast<JSAMPLE>(qGreen(line[x]));
            d[3 * x + 2] = static_cast<JSAMPLE>(qBlue(line[x]));
        }
        jpeg_write_scanlines(&cinfo, row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

struct TJPEGImage::Impl {
    std::vector<Byte> data;               // the compressed file, empty when stale
    mutable std::unique_ptr<TBitmap> bitmap;  // decoded pixels, null until needed
};

TJPEGImage::TJPEGImage() : FImpl(std::make_unique<Impl>()) {}
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(TPersistent* source) {
    if (auto* j = dynamic_cast<TJPEGImage*>(source)) {
        if (j == this) return;
        FImpl->data = j->FImpl->data;
        FImpl->bitmap.reset();
        if (j->FImpl->bitmap) {
            FImpl->bitmap = std::make_unique<TBitmap>();
            FImpl->bitmap->Assign(j->FImpl->bitmap.get());
        }
        FQuality = j->FQuality;
        FGrayscale = j->FGrayscale;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(source)) {
        FImpl->bitmap = std::make_unique<TBitmap>();
        FImpl->bitmap->Assign(b);
        FImpl->bitmap->SetPixelFormat(pf24bit);
        FImpl->data.clear();
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest) {
    if (auto* b = dynamic_cast<TBitmap*>(dest)) {
        b->Assign(Bitmap());
        return;
    }
    TGraphic::AssignTo(dest);
}

TBitmap* TJPEGImage::Bitmap() const {
    if (!FImpl->bitmap) {
        FImpl->bitmap = std::make_unique<TBitmap>();
        if (!FImpl->data.empty()) {
            TMemoryStream ms;
            ms.WriteBuffer(FImpl->data.data(), static_cast<Int64>(FImpl->data.size()));
            ms.SetPosition(0);
            QImage img;
            char message[JMSG_LENGTH_MAX];
            if (!Decode(&ms, FGrayscale, &img, message)) throw EJPEG(String("JPEG error: ") + message);
            FImpl->bitmap->SetImage(img);
            FImpl->bitmap->SetPixelFormat(pf24bit);
        }
    }
    return FImpl->bitmap.get();
}

int TJPEGImage::Width() const { return Empty() ? 0 : Bitmap()->Width(); }
int TJPEGImage::Height() const { return Empty() ? 0 : Bitmap()->Height(); }

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

bool TJPEGImage::Empty() const {
    return FImpl->data.empty() && (!FImpl->bitmap || FImpl->bitmap->Empty());
}

void TJPEGImage::SetCompressionQuality(int v) {
    v = std::max(1, std::min(100, v));
    if (v == FQuality) return;
    FQuality = v;
    if (FImpl->bitmap) FImpl->data.clear();  // the next save compresses anew
    Changed();
}

void TJPEGImage::SetGrayscale(bool v) {
    if (v == FGrayscale) return;
    FGrayscale = v;
    if (!FImpl->data.empty()) FImpl->bitmap.reset();
    Changed();
}

void TJPEGImage::LoadFromStream(TStream* stream) {
    QImage img;
    char message[JMSG_LENGTH_MAX];
    Int64 start = stream->Position();
    if (!Decode(stream, FGrayscale, &img, message)) throw EJPEG(String("JPEG error: ") + message);
    Int64 end = stream->Position();
    FImpl->data.resize(static_cast<size_t>(end - start));
    stream->SetPosition(start);
    if (!FImpl->data.empty()) stream->ReadBuffer(FImpl->data.data(), end - start);
    FImpl->bitmap = std::make_unique<TBitmap>();
    FImpl->bitmap->SetImage(img);
    FImpl->bitmap->SetPixelFormat(pf24bit);
    Changed();
}

void TJPEGImage::Compress() {
    TMemoryStream ms;
    const QImage& img = Bitmap()->Image();
    if (img.isNull() || img.width() == 0) {
        FImpl->data.clear();
        return;
    }
    char message[JMSG_LENGTH_MAX];
    if (!Encode(&img, FQuality, FGrayscale, &ms, message)) throw EJPEG(String("JPEG error: ") + message);
    FImpl->data = ms.Bytes();
}

void TJPEGImage::SaveToStream(TStream* stream) {
    if (FImpl->data.empty() && FImpl->bitmap && !FImpl->bitmap->Empty()) Compress();
    if (FImpl->data.empty()) throw EInvalidGraphicOperation("Cannot save an empty JPEG image");
    stream->WriteBuffer(FImpl->data.data(), static_cast<Int64>(FImpl->data.size()));
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& rect) {
    if (Empty()) return;
    canvas->StretchDraw(rect, Bitmap());
}
