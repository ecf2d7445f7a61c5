#include "framework/graphics/Picture.h"

#include <algorithm>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/rtl/StrUtils.h"

namespace {

struct FileFormat {
    String extension;  // lower case, no dot
    String description;
    TGraphicFactory factory;
};

std::vector<FileFormat>& Formats() {
    static std::vector<FileFormat> formats = {
        {"bmp", "Bitmaps", [] { return std::unique_ptr<TGraphic>(new TBitmap); }},
        {"jpg", "JPEG Image File", [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }},
        {"jpeg", "JPEG Image File", [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }},
    };
    return formats;
}

String ExtensionOf(const String& fileName) {
    size_t slash = fileName.find_last_of('/');
    size_t dot = fileName.find_last_of('.');
    if (dot == String::npos || (slash != String::npos && dot < slash)) return "";
    return LowerCase(fileName.substr(dot + 1));
}

std::unique_ptr<TGraphic> CloneGraphic(TGraphic* g) {
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<TBitmap*>(g))
        copy.reset(new TBitmap);
    else if (dynamic_cast<TJPEGImage*>(g))
        copy.reset(new TJPEGImage);
    else {
        for (const auto& f : Formats()) {
            auto candidate = f.factory();
            if (candidate && candidate->ClassName() == g->ClassName()) {
                copy = std::move(candidate);
                break;
            }
        }
    }
    if (!copy) throw EInvalidGraphic("Cannot assign a " + g->ClassName() + " to a TPicture");
    copy->Assign(g);
    return copy;
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(TGraphic* value) {
    if (value == FGraphic.get()) return;
    Adopt(value ? CloneGraphic(value) : nullptr);
}

void TPicture::Assign(TPersistent* source) {
    if (!source) {
        Adopt(nullptr);
        return;
    }
    if (auto* p = dynamic_cast<TPicture*>(source)) {
        if (p != this) SetGraphic(p->Graphic());
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(g);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest) {
    if (auto* g = dynamic_cast<TGraphic*>(dest); g && FGraphic) {
        g->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(dest);
}

TBitmap* TPicture::Bitmap() {
    auto* b = dynamic_cast<TBitmap*>(FGraphic.get());
    if (!b) {
        Adopt(std::make_unique<TBitmap>());
        b = static_cast<TBitmap*>(FGraphic.get());
    }
    return b;
}

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const String& fileName) {
    String ext = ExtensionOf(fileName);
    auto graphic = CreateGraphicForExtension(ext);
    if (!graphic) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
    graphic->LoadFromFile(fileName);
    Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const String& fileName) {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::RegisterFileFormat(const String& extension, const String& description,
                                  TGraphicFactory factory) {
    String ext = LowerCase(extension);
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    UnregisterFileFormat(ext);
    Formats().push_back({ext, description, std::move(factory)});
}

void TPicture::UnregisterFileFormat(const String& extension) {
    String ext = LowerCase(extension);
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    auto& f = Formats();
    f.erase(std::remove_if(f.begin(), f.end(), [&](const FileFormat& x) { return x.extension == ext; }),
            f.end());
}

std::unique_ptr<TGraphic> TPicture::CreateGraphicForExtension(const String& extension) {
    String ext = LowerCase(extension);
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    for (const auto& f : Formats())
        if (f.extension == ext) return f.factory();
    return nullptr;
}

String TPicture::GraphicFilter() {
    String all, each;
    for (const auto& f : Formats()) {
        String mask = "*." + f.extension;
        all += (all.empty() ? "" : ";") + mask;
        each += "|" + f.description + " (" + mask + ")|" + mask;
    }
    return "All (" + all + ")|" + all + each;
}
