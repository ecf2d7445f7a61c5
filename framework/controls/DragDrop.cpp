#include "framework/controls/DragDrop.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "framework/controls/WinControl.h"
#include "framework/controls/qt/WsDragDrop.h"
#include "framework/messages/Messages.h"

namespace {

TClipboardFormat RtfFormat() { return RegisterClipboardFormat("Rich Text Format"); }

void PutDword(String& s, DWORD v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// What a data object of ours holds, with the formats in the order they
// are offered.
class TSimpleDataObject : public IDataObject {
public:
    TSimpleDataObject(const String* text, const String* rtf, const std::vector<String>* files) {
        if (text) {
            FFormats.push_back(CF_TEXT);
            FData[CF_TEXT] = *text + '\0';
            FFormats.push_back(CF_UNICODETEXT);
            const std::u16string wide = velmor_ws::ToUtf16(*text);
            String bytes;
            for (char16_t c : wide) {
                bytes += static_cast<char>(c & 0xFF);
                bytes += static_cast<char>(c >> 8);
            }
            bytes += String(2, '\0');
            FData[CF_UNICODETEXT] = bytes;
        }
        if (rtf) {
            FFormats.push_back(RtfFormat());
            FData[RtfFormat()] = *rtf + '\0';
        }
        if (files) {
            // DROPFILES: offset of the names, the drop point, the
            // non-client flag, the wide flag; then the names, each ended by
            // a zero, and one more zero.
            String block;
            PutDword(block, 20);
            PutDword(block, 0);
            PutDword(block, 0);
            PutDword(block, 0);
            PutDword(block, 0);
            for (const String& f : *files) block += f + '\0';
            block += '\0';
            FFormats.push_back(CF_HDROP);
            FData[CF_HDROP] = block;
        }
    }

    HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) override {
        medium = TStgMedium{};
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        medium.Tymed = TYMED_HGLOBAL;
        medium.HGlobal = FData[format.CfFormat];
        return S_OK;
    }
    HRESULT GetDataHere(const TFormatEtc&, TStgMedium&) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const TFormatEtc& format) override {
        if (format.Aspect != DVASPECT_CONTENT || !(format.Tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        return FData.count(format.CfFormat) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& out) override {
        out.Ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT SetData(const TFormatEtc&, const TStgMedium&, bool) override { return DV_E_FORMATETC; }
    HRESULT EnumFormatEtc(DWORD direction, std::shared_ptr<IEnumFormatEtc>& out) override;
    HRESULT DAdvise(const TFormatEtc&, DWORD, DWORD&) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(std::shared_ptr<IEnumFormatEtc>& out) override {
        out.reset();
        return OLE_E_ADVISENOTSUPPORTED;
    }

    std::vector<TClipboardFormat> FFormats;
    std::map<TClipboardFormat, String> FData;
};

class TListEnum : public IEnumFormatEtc {
public:
    explicit TListEnum(std::vector<TClipboardFormat> formats) : FFormats(std::move(formats)) {}
    HRESULT Next(unsigned count, TFormatEtc* entries, unsigned* fetched) override {
        unsigned n = 0;
        while (n < count && FIndex < FFormats.size()) {
            entries[n] = TFormatEtc{};
            entries[n].CfFormat = FFormats[FIndex++];
            ++n;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT Skip(unsigned count) override {
        FIndex += count;
        if (FIndex > FFormats.size()) {
            FIndex = FFormats.size();
            return S_FALSE;
        }
        return S_OK;
    }
    HRESULT Reset() override {
        FIndex = 0;
        return S_OK;
    }
    HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& out) override {
        out = std::make_shared<TListEnum>(FFormats);
        return S_OK;
    }

private:
    std::vector<TClipboardFormat> FFormats;
    size_t FIndex = 0;
};

HRESULT TSimpleDataObject::EnumFormatEtc(DWORD direction, std::shared_ptr<IEnumFormatEtc>& out) {
    if (direction != DATADIR_GET) {
        out.reset();
        return E_NOTIMPL;
    }
    out = std::make_shared<TListEnum>(FFormats);
    return S_OK;
}

struct TRegistration {
    std::shared_ptr<IDropTarget> Target;
    std::shared_ptr<IDataObject> Current;  // of the drag now over the control
};

std::map<const TControl*, TRegistration>& Registrations() {
    static std::map<const TControl*, TRegistration> map;
    return map;
}

void Install(const TControl* control, QWidget* widget) {
    velmor_ws::WatchDrops(widget, [control](velmor_ws::TDropStage stage, const std::shared_ptr<IDataObject>& data,
                                            DWORD keyState, const TPoint& point, DWORD& effect) {
        auto it = Registrations().find(control);
        if (it == Registrations().end()) return false;
        TRegistration& reg = it->second;
        switch (stage) {
        case velmor_ws::TDropStage::Enter:
            reg.Current = data;
            reg.Target->DragEnter(reg.Current.get(), keyState, point, effect);
            break;
        case velmor_ws::TDropStage::Over:
            reg.Target->DragOver(keyState, point, effect);
            break;
        case velmor_ws::TDropStage::Leave:
            reg.Target->DragLeave();
            reg.Current.reset();
            break;
        case velmor_ws::TDropStage::Drop: {
            // The target may free the control while it takes the drop.
            std::shared_ptr<IDropTarget> target = reg.Target;
            target->Drop(data.get(), keyState, point, effect);
            break;
        }
        }
        return true;
    });
}

TDoDragDropHook& DragHook() {
    static TDoDragDropHook hook;
    return hook;
}

}  // namespace

std::shared_ptr<IDataObject> MakeDataObject(const String* text, const String* rtf,
                                            const std::vector<String>* files) {
    return std::make_shared<TSimpleDataObject>(text, rtf, files);
}

HRESULT RegisterDragDrop(TWinControl* control, std::shared_ptr<IDropTarget> target) {
    if (!control || !target) return E_FAIL;
    auto& map = Registrations();
    if (map.count(control)) return E_FAIL;
    TRegistration& reg = map[control];
    reg.Target = std::move(target);
    // Without a widget yet, drops are watched for when the widget is made.
    Install(control, control->WidgetIfAllocated());
    return S_OK;
}

HRESULT RevokeDragDrop(TWinControl* control) {
    auto& map = Registrations();
    auto it = map.find(control);
    if (it == map.end()) return E_FAIL;
    velmor_ws::StopWatchingDrops(control->WidgetIfAllocated());
    map.erase(it);
    return S_OK;
}

HRESULT DoDragDrop(std::shared_ptr<IDataObject> data, std::shared_ptr<IDropSource> source, DWORD okEffects,
                   DWORD& effect) {
    effect = DROPEFFECT_NONE;
    if (!data || !source) return E_FAIL;
    if (DragHook()) return DragHook()(data.get(), source.get(), okEffects, effect);
    QWidget* origin = velmor_ws::DragOrigin();
    if (!origin) return DRAGDROP_S_CANCEL;
    TStgMedium medium;
    TFormatEtc f;
    f.CfFormat = CF_TEXT;
    String text;
    const bool hasText = data->GetData(f, medium) == S_OK;
    if (hasText) {
        text = medium.HGlobal;
        text.resize(std::strlen(text.c_str()));
    }
    f.CfFormat = RtfFormat();
    String rtf;
    const bool hasRtf = data->GetData(f, medium) == S_OK;
    if (hasRtf) {
        rtf = medium.HGlobal;
        rtf.resize(std::strlen(rtf.c_str()));
    }
    effect = velmor_ws::RunDrag(origin, hasText ? &text : nullptr, hasRtf ? &rtf : nullptr, okEffects);
    return effect == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}

TDoDragDropHook SetDoDragDropHook(TDoDragDropHook hook) {
    TDoDragDropHook old = std::move(DragHook());
    DragHook() = std::move(hook);
    return old;
}

namespace velmor_internal {
void DropTargetWidgetMade(TControl* control) {
    auto it = Registrations().find(control);
    if (it != Registrations().end()) Install(control, control->WidgetIfAllocated());
}

void DropTargetControlGone(const TControl* control) { Registrations().erase(control); }
}  // namespace velmor_internal
