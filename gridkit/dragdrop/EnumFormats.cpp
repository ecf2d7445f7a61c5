#include "gridkit/dragdrop/EnumFormats.h"

#include <cstring>

#include "framework/rtl/StrUtils.h"


TClipboardFormat CF_RTF() {
    static const TClipboardFormat format = RegisterClipboardFormat("Rich Text Format");
    return format;
}

TEnumFormats::TEnumFormats(IDataObject* data) : FData(data) {
    if (!FData || FData->EnumFormatEtc(DATADIR_GET, FEnum) != S_OK || !FEnum)
        throw EOleError("The dropped data cannot list its formats");
}

bool TEnumFormats::HasFormat(TClipboardFormat format) {
    FEnum->Reset();
    FValid = false;
    FCount = 0;
    TFormatEtc entry;
    unsigned fetched = 0;
    while (FEnum->Next(1, &entry, &fetched) == S_OK && fetched == 1) {
        ++FCount;
        if (entry.CfFormat == format) {
            FCurrent = entry;
            FValid = true;
            return true;
        }
    }
    return false;
}

String TEnumFormats::CurrentData(TClipboardFormat format) {
    if (!HasFormat(format)) return String();
    TFormatEtc f = FCurrent;
    f.Tymed = TYMED_HGLOBAL;
    TStgMedium medium;
    if (FData->GetData(f, medium) != S_OK || medium.Tymed != TYMED_HGLOBAL) return String();
    return medium.HGlobal;
}

String TEnumFormats::Text() {
    String s = CurrentData(CF_TEXT);
    s.resize(std::strlen(s.c_str()));
    return s;
}

String TEnumFormats::RTF() {
    String s = CurrentData(CF_RTF());
    s.resize(std::strlen(s.c_str()));
    return s;
}

bool TEnumFormats::GetFileList() {
    FFiles.Clear();
    const String block = CurrentData(CF_HDROP);
    if (block.size() < 20) return false;
    auto dword = [&](size_t at) {
        DWORD v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(block[at + static_cast<size_t>(i)]);
        return v;
    };
    size_t at = dword(0);
    const bool wide = dword(16) != 0;
    while (at < block.size()) {
        String name;
        if (wide) {
            std::u16string w;
            while (at + 1 < block.size()) {
                const char16_t c = static_cast<char16_t>(static_cast<unsigned char>(block[at]) |
                                                         (static_cast<unsigned char>(block[at + 1]) << 8));
                at += 2;
                if (c == 0) break;
                w += c;
            }
            // Wide names are UTF-16; the program's texts are UTF-8.
            name = Utf16ToUtf8(w);
        } else {
            const size_t end = block.find('\0', at);
            name = block.substr(at, end == String::npos ? String::npos : end - at);
            at = end == String::npos ? block.size() : end + 1;
        }
        if (name.empty()) break;
        FFiles.Add(name);
    }
    return FFiles.Count() > 0;
}
