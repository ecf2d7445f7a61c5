#include "gridkit/dragdrop/DropSource.h"

#include "framework/messages/Messages.h"
#include "gridkit/dragdrop/EnumFormats.h"

namespace {
TClipboardFormat FormatAt(unsigned i) { return i == 0 ? CF_TEXT : (i == 1 ? CF_UNICODETEXT : CF_RTF()); }
}  // namespace

HRESULT TDropSource::QueryContinueDrag(bool escapePressed, DWORD keyState) {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& f) {
    const bool known = f.CfFormat == CF_TEXT || f.CfFormat == CF_UNICODETEXT || f.CfFormat == CF_RTF();
    return f.Aspect == DVASPECT_CONTENT && known && f.Tymed == TYMED_HGLOBAL ? S_OK : DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& f, TStgMedium& medium) {
    medium = TStgMedium{};
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    if (f.CfFormat == CF_TEXT) {
        medium.HGlobal = FText + '\0';
    } else if (f.CfFormat == CF_UNICODETEXT) {
        // UTF-8 to UTF-16, little-endian, with a wide zero.
        String out;
        auto put = [&](char16_t c) {
            out += static_cast<char>(c & 0xFF);
            out += static_cast<char>(c >> 8);
        };
        for (size_t i = 0; i < FText.size();) {
            const unsigned char c = static_cast<unsigned char>(FText[i]);
            char32_t cp = c;
            size_t len = 1;
            if (c >= 0xF0 && i + 3 < FText.size()) {
                cp = ((c & 0x07) << 18) | ((FText[i + 1] & 0x3F) << 12) | ((FText[i + 2] & 0x3F) << 6) |
                     (FText[i + 3] & 0x3F);
                len = 4;
            } else if (c >= 0xE0 && i + 2 < FText.size()) {
                cp = ((c & 0x0F) << 12) | ((FText[i + 1] & 0x3F) << 6) | (FText[i + 2] & 0x3F);
                len = 3;
            } else if (c >= 0xC0 && i + 1 < FText.size()) {
                cp = ((c & 0x1F) << 6) | (FText[i + 1] & 0x3F);
                len = 2;
            }
            i += len;
            if (cp >= 0x10000) {
                cp -= 0x10000;
                put(static_cast<char16_t>(0xD800 + (cp >> 10)));
                put(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
            } else {
                put(static_cast<char16_t>(cp));
            }
        }
        put(0);
        medium.HGlobal = out;
    } else {
        medium.HGlobal = FRTF + '\0';
    }
    medium.Tymed = TYMED_HGLOBAL;
    return S_OK;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& out) {
    out.Ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD direction, std::shared_ptr<IEnumFormatEtc>& out) {
    if (direction != DATADIR_GET) {
        out.reset();
        return E_NOTIMPL;
    }
    out = std::make_shared<TSourceEnumFormatEtc>();
    return S_OK;
}

HRESULT TSourceDataObject::EnumDAdvise(std::shared_ptr<IEnumFormatEtc>& out) {
    out.reset();
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TSourceEnumFormatEtc::Next(unsigned count, TFormatEtc* entries, unsigned* fetched) {
    unsigned n = 0;
    while (n < count && FIndex < 3) {
        entries[n] = TFormatEtc{};
        entries[n].CfFormat = FormatAt(FIndex++);
        ++n;
    }
    if (fetched) *fetched = n;
    return n < count ? S_FALSE : S_OK;
}

HRESULT TSourceEnumFormatEtc::Skip(unsigned count) {
    FIndex += count;
    if (FIndex > 3) {
        FIndex = 3;
        return S_FALSE;
    }
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset() {
    FIndex = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(std::shared_ptr<IEnumFormatEtc>& out) {
    out = std::make_shared<TSourceEnumFormatEtc>();
    return S_OK;
}

HRESULT StartDoDragDrop(const String& text, const String& rtf, DWORD allowedEffects, DWORD& effect) {
    return DoDragDrop(std::make_shared<TSourceDataObject>(text, rtf), std::make_shared<TDropSource>(),
                      allowedEffects, effect);
}
