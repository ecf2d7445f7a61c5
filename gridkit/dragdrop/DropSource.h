#pragma once
// The grid as a drag source: the source's answers, the data object that
// carries the text (plain, wide and rich) and its format list.
#include <memory>

#include "framework/controls/DragDrop.h"

class TDropSource : public IDropSource {
public:
    HRESULT QueryContinueDrag(bool escapePressed, DWORD keyState) override;
    HRESULT GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

class TSourceDataObject : public IDataObject {
public:
    TSourceDataObject(const String& text, const String& rtf) : FText(text), FRTF(rtf) {}
    HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) override;
    HRESULT GetDataHere(const TFormatEtc&, TStgMedium&) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const TFormatEtc& format) override;
    HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& out) override;
    HRESULT SetData(const TFormatEtc&, const TStgMedium&, bool) override { return DV_E_FORMATETC; }
    HRESULT EnumFormatEtc(DWORD direction, std::shared_ptr<IEnumFormatEtc>& out) override;
    HRESULT DAdvise(const TFormatEtc&, DWORD, DWORD&) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(std::shared_ptr<IEnumFormatEtc>& out) override;

private:
    String FText, FRTF;
};

// CF_TEXT, CF_UNICODETEXT and rich text, in that order.
class TSourceEnumFormatEtc : public IEnumFormatEtc {
public:
    HRESULT Next(unsigned count, TFormatEtc* entries, unsigned* fetched) override;
    HRESULT Skip(unsigned count) override;
    HRESULT Reset() override;
    HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& out) override;
    unsigned Index() const { return FIndex; }

private:
    unsigned FIndex = 0;
};

// Runs a drag of the text and rich text; returns what DoDragDrop returns.
HRESULT StartDoDragDrop(const String& text, const String& rtf, DWORD allowedEffects, DWORD& effect);
