#pragma once
// Drag and drop between programs, in the shape of the classic OLE
// interfaces: a drop target registered for a control receives DragEnter,
// DragOver, DragLeave and Drop with a data object; DoDragDrop offers a
// data object to other windows. Underneath it is the toolkit's drag and
// drop: text travels as text/plain, rich text as text/rtf, files as a
// list of local file addresses.
#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/Clipboard.h"
#include "framework/rtl/Types.h"

class TControl;
class TWinControl;

using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
inline constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u);
inline constexpr HRESULT DRAGDROP_S_DROP = 0x40100;
inline constexpr HRESULT DRAGDROP_S_CANCEL = 0x40101;
inline constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x40102;

inline constexpr DWORD DROPEFFECT_NONE = 0;
inline constexpr DWORD DROPEFFECT_COPY = 1;
inline constexpr DWORD DROPEFFECT_MOVE = 2;

inline constexpr TClipboardFormat CF_HDROP = 15;
inline constexpr DWORD TYMED_HGLOBAL = 1;
inline constexpr DWORD DVASPECT_CONTENT = 1;
inline constexpr DWORD DATADIR_GET = 1;
inline constexpr DWORD DATADIR_SET = 2;

// One format a data object offers. Ptd stands for the target device
// (always none here).
struct TFormatEtc {
    TClipboardFormat CfFormat = 0;
    const void* Ptd = nullptr;
    DWORD Aspect = DVASPECT_CONTENT;
    int Index = -1;
    DWORD Tymed = TYMED_HGLOBAL;
};

// The data handed over: the bytes of the global memory block.
struct TStgMedium {
    DWORD Tymed = 0;
    String HGlobal;
};

class IEnumFormatEtc {
public:
    virtual ~IEnumFormatEtc() = default;
    virtual HRESULT Next(unsigned count, TFormatEtc* entries, unsigned* fetched) = 0;
    virtual HRESULT Skip(unsigned count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(std::shared_ptr<IEnumFormatEtc>& out) = 0;
};

class IDataObject {
public:
    virtual ~IDataObject() = default;
    virtual HRESULT GetData(const TFormatEtc& format, TStgMedium& medium) = 0;
    virtual HRESULT GetDataHere(const TFormatEtc& format, TStgMedium& medium) = 0;
    virtual HRESULT QueryGetData(const TFormatEtc& format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const TFormatEtc& in, TFormatEtc& out) = 0;
    virtual HRESULT SetData(const TFormatEtc& format, const TStgMedium& medium, bool release) = 0;
    virtual HRESULT EnumFormatEtc(DWORD direction, std::shared_ptr<IEnumFormatEtc>& out) = 0;
    virtual HRESULT DAdvise(const TFormatEtc& format, DWORD flags, DWORD& connection) = 0;
    virtual HRESULT DUnadvise(DWORD connection) = 0;
    virtual HRESULT EnumDAdvise(std::shared_ptr<IEnumFormatEtc>& out) = 0;
};

// Key state bits are the mouse message ones (MK_LBUTTON, MK_CONTROL...);
// points are screen points.
class IDropTarget {
public:
    virtual ~IDropTarget() = default;
    virtual HRESULT DragEnter(IDataObject* data, DWORD keyState, const TPoint& point, DWORD& effect) = 0;
    virtual HRESULT DragOver(DWORD keyState, const TPoint& point, DWORD& effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* data, DWORD keyState, const TPoint& point, DWORD& effect) = 0;
};

class IDropSource {
public:
    virtual ~IDropSource() = default;
    virtual HRESULT QueryContinueDrag(bool escapePressed, DWORD keyState) = 0;
    virtual HRESULT GiveFeedback(DWORD effect) = 0;
};

// Drops on the control (and on what lies on it) go to the target. Fails
// (E_FAIL) when the control already has a target.
HRESULT RegisterDragDrop(TWinControl* control, std::shared_ptr<IDropTarget> target);
HRESULT RevokeDragDrop(TWinControl* control);

// Offers the data to whatever window the user drops it on. Returns
// DRAGDROP_S_DROP with the effect the drop took, or DRAGDROP_S_CANCEL.
HRESULT DoDragDrop(std::shared_ptr<IDataObject> data, std::shared_ptr<IDropSource> source, DWORD okEffects,
                   DWORD& effect);

// A data object holding what was given: text (CF_TEXT and
// CF_UNICODETEXT), rich text ("Rich Text Format") and files (CF_HDROP, a
// DROPFILES block of narrow names). What another program drops arrives
// as one of these.
std::shared_ptr<IDataObject> MakeDataObject(const String* text, const String* rtf,
                                            const std::vector<String>* files);

// Tests: DoDragDrop calls this instead of running a real drag.
using TDoDragDropHook =
    std::function<HRESULT(IDataObject* data, IDropSource* source, DWORD okEffects, DWORD& effect)>;
TDoDragDropHook SetDoDragDropHook(TDoDragDropHook hook);

namespace velmor_internal {
// The control's widget was made: a registered target starts receiving.
void DropTargetWidgetMade(TControl* control);
void DropTargetControlGone(const TControl* control);
}  // namespace velmor_internal
