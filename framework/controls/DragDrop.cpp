#include "framework/controls/DragDrop.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <map>

#include "framework/controls/WinControl.h"
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
            const std::u16string wide = QString::fromStdString(*text).toStdU16String();
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

std::shared_ptr<IDataObject> FromMime(const QMimeData* mime) {
    String text, rtf;
    std::vector<String> files;
    // Only text offered as text: the toolkit would also give the names of
    // dropped files as text, and files are not text to paste.
    const bool hasText = mime->hasFormat("text/plain");
    if (hasText) text = mime->text().toStdString();
    const bool hasRtf = mime->hasFormat("text/rtf");
    if (hasRtf) rtf = mime->data("text/rtf").toStdString();
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    return MakeDataObject(hasText ? &text : nullptr, hasRtf ? &rtf : nullptr, files.empty() ? nullptr : &files);
}

DWORD KeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    DWORD k = 0;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
    if (mods & Qt::ControlModifier) k |= MK_CONTROL;
    return k;
}

TPoint ScreenPoint(QWidget* w, const QPointF& local) {
    const QPoint g = w->mapToGlobal(local.toPoint());
    return TPoint{g.x(), g.y()};
}

class TDropFilter;

struct TRegistration {
    std::shared_ptr<IDropTarget> Target;
    QPointer<QObject> Filter;
    std::shared_ptr<IDataObject> Current;  // of the drag now over the control
};

std::map<const TControl*, TRegistration>& Registrations() {
    static std::map<const TControl*, TRegistration> map;
    return map;
}

Qt::DropAction ToAction(DWORD effect) {
    if (effect & DROPEFFECT_MOVE) return Qt::MoveAction;
    if (effect & DROPEFFECT_COPY) return Qt::CopyAction;
    return Qt::IgnoreAction;
}

DWORD FromActions(Qt::DropActions actions) {
    DWORD e = 0;
    if (actions & Qt::CopyAction) e |= DROPEFFECT_COPY;
    if (actions & Qt::MoveAction) e |= DROPEFFECT_MOVE;
    return e;
}

class TDropFilter : public QObject {
public:
    TDropFilter(const TControl* control, QWidget* widget) : QObject(widget), FControl(control), FWidget(widget) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != FWidget) return false;
        auto it = Registrations().find(FControl);
        if (it == Registrations().end()) return false;
        TRegistration& reg = it->second;
        switch (e->type()) {
        case QEvent::DragEnter: {
            auto* de = static_cast<QDragEnterEvent*>(e);
            reg.Current = FromMime(de->mimeData());
            DWORD effect = FromActions(de->possibleActions());
            reg.Target->DragEnter(reg.Current.get(), KeyState(de->buttons(), de->modifiers()),
                                  ScreenPoint(FWidget, de->position()), effect);
            Answer(de, effect);
            return true;
        }
        case QEvent::DragMove: {
            auto* de = static_cast<QDragMoveEvent*>(e);
            DWORD effect = FromActions(de->possibleActions());
            reg.Target->DragOver(KeyState(de->buttons(), de->modifiers()), ScreenPoint(FWidget, de->position()),
                                 effect);
            Answer(de, effect);
            return true;
        }
        case QEvent::DragLeave:
            reg.Target->DragLeave();
            reg.Current.reset();
            return true;
        case QEvent::Drop: {
            auto* de = static_cast<QDropEvent*>(e);
            std::shared_ptr<IDataObject> data = FromMime(de->mimeData());
            DWORD effect = FromActions(de->possibleActions());
            // The target may free the control while it takes the drop.
            std::shared_ptr<IDropTarget> target = reg.Target;
            target->Drop(data.get(), KeyState(de->buttons(), de->modifiers()), ScreenPoint(FWidget, de->position()),
                         effect);
            Answer(de, effect);
            return true;
        }
        default:
            return false;
        }
    }

private:
    static void Answer(QDropEvent* e, DWORD effect) {
        const Qt::DropAction a = ToAction(effect);
        if (a == Qt::IgnoreAction) {
            e->ignore();
            return;
        }
        e->setDropAction(a);
        e->accept();
    }
    const TControl* FControl;
    QWidget* FWidget;
};

void Install(const TControl* control, QWidget* widget, TRegistration& reg) {
    if (!widget || reg.Filter) return;
    auto* filter = new TDropFilter(control, widget);
    widget->installEventFilter(filter);
    widget->setAcceptDrops(true);
    reg.Filter = filter;
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
    // Without a widget yet, the filter goes on when the widget is made.
    Install(control, control->WidgetIfAllocated(), reg);
    return S_OK;
}

HRESULT RevokeDragDrop(TWinControl* control) {
    auto& map = Registrations();
    auto it = map.find(control);
    if (it == map.end()) return E_FAIL;
    if (QObject* f = it->second.Filter) {
        if (QWidget* w = control->WidgetIfAllocated()) w->setAcceptDrops(false);
        delete f;
    }
    map.erase(it);
    return S_OK;
}

HRESULT DoDragDrop(std::shared_ptr<IDataObject> data, std::shared_ptr<IDropSource> source, DWORD okEffects,
                   DWORD& effect) {
    effect = DROPEFFECT_NONE;
    if (!data || !source) return E_FAIL;
    if (DragHook()) return DragHook()(data.get(), source.get(), okEffects, effect);
    QWidget* origin = QApplication::activeWindow();
    if (!origin) return DRAGDROP_S_CANCEL;
    auto* mime = new QMimeData;
    TStgMedium medium;
    TFormatEtc f;
    f.CfFormat = CF_TEXT;
    if (data->GetData(f, medium) == S_OK) {
        String text = medium.HGlobal;
        text.resize(std::strlen(text.c_str()));
        mime->setText(QString::fromStdString(text));
    }
    f.CfFormat = RtfFormat();
    if (data->GetData(f, medium) == S_OK) {
        String rtf = medium.HGlobal;
        rtf.resize(std::strlen(rtf.c_str()));
        mime->setData("text/rtf", QByteArray::fromStdString(rtf));
    }
    auto* drag = new QDrag(origin);
    drag->setMimeData(mime);
    Qt::DropActions allowed;
    if (okEffects & DROPEFFECT_COPY) allowed |= Qt::CopyAction;
    if (okEffects & DROPEFFECT_MOVE) allowed |= Qt::MoveAction;
    // The toolkit runs the drag loop; the source's answers are those of
    // the default rules it applies (Escape cancels, releasing drops).
    const Qt::DropAction result = drag->exec(allowed);
    effect = result == Qt::CopyAction ? DROPEFFECT_COPY : (result == Qt::MoveAction ? DROPEFFECT_MOVE : 0);
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
    if (it != Registrations().end()) Install(control, control->WidgetIfAllocated(), it->second);
}

void DropTargetControlGone(const TControl* control) { Registrations().erase(control); }
}  // namespace velmor_internal
