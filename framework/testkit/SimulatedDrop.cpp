#include "framework/testkit/SimulatedDrop.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <cstring>
#include <memory>

#include "framework/controls/Clipboard.h"
#include "framework/controls/WinControl.h"
#include "framework/rtl/Exception.h"

namespace {

bool Fetch(IDataObject* data, TClipboardFormat format, String& out) {
    TFormatEtc f;
    f.CfFormat = format;
    TStgMedium medium;
    if (data->GetData(f, medium) != S_OK) return false;
    out = medium.HGlobal;
    return true;
}

DWORD ReadDword(const String& s, std::size_t at) {
    DWORD v = 0;
    for (int i = 0; i < 4 && at + i < s.size(); ++i)
        v |= static_cast<DWORD>(static_cast<unsigned char>(s[at + i])) << (8 * i);
    return v;
}

// What another program offers for the data object: its text, rich text
// and files, as the toolkit hands them over.
QMimeData* ToMime(IDataObject* data) {
    auto* mime = new QMimeData;
    String s;
    if (Fetch(data, CF_TEXT, s)) mime->setText(QString::fromStdString(s.substr(0, std::strlen(s.c_str()))));
    if (Fetch(data, RegisterClipboardFormat("Rich Text Format"), s))
        mime->setData("text/rtf", QByteArray::fromStdString(s.substr(0, std::strlen(s.c_str()))));
    if (Fetch(data, CF_HDROP, s)) {
        QList<QUrl> urls;
        for (std::size_t at = ReadDword(s, 0); at < s.size() && s[at] != '\0';) {
            const std::size_t end = s.find('\0', at);
            urls.push_back(QUrl::fromLocalFile(QString::fromStdString(s.substr(at, end - at))));
            if (end == String::npos) break;
            at = end + 1;
        }
        mime->setUrls(urls);
    }
    return mime;
}

Qt::MouseButtons Buttons(DWORD k) {
    Qt::MouseButtons b;
    if (k & MK_LBUTTON) b |= Qt::LeftButton;
    if (k & MK_RBUTTON) b |= Qt::RightButton;
    if (k & MK_MBUTTON) b |= Qt::MiddleButton;
    return b;
}

Qt::KeyboardModifiers Modifiers(DWORD k) {
    Qt::KeyboardModifiers m;
    if (k & MK_SHIFT) m |= Qt::ShiftModifier;
    if (k & MK_CONTROL) m |= Qt::ControlModifier;
    return m;
}

DWORD Effect(const QDropEvent& e) {
    if (!e.isAccepted()) return DROPEFFECT_NONE;
    return e.dropAction() == Qt::MoveAction ? DROPEFFECT_MOVE
           : e.dropAction() == Qt::CopyAction ? DROPEFFECT_COPY
                                              : DROPEFFECT_NONE;
}

}  // namespace

DWORD SimulateDrop(TWinControl* control, IDataObject* data, int x, int y, DWORD keyState) {
    QWidget* own = control->ClientWidget();
    if (!own->isVisible() || !own->window()->windowHandle())
        throw EInvalidOperation("Simulated drop: " + control->Name() + " (" + control->ClassName() +
                                ") is not showing, so no one could drop on it");
    // The toolkit gives a drag to the innermost widget under the point
    // that takes drops.
    const TPoint p = control->ClientToScreen(TPoint{x, y});
    const QPoint screen(p.X, p.Y);
    QWidget* top = own->window();
    QWidget* target = top->childAt(top->mapFromGlobal(screen));
    if (!target) target = top;
    while (target && !target->acceptDrops()) target = target->isWindow() ? nullptr : target->parentWidget();
    if (!target) return DROPEFFECT_NONE;

    const std::unique_ptr<QMimeData> mime(ToMime(data));
    const QPointF at(target->mapFromGlobal(screen));
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at.toPoint(), offered, mime.get(), Buttons(keyState), Modifiers(keyState));
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return DROPEFFECT_NONE;
    QDragMoveEvent move(at.toPoint(), offered, mime.get(), Buttons(keyState), Modifiers(keyState));
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted()) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(target, &leave);
        return DROPEFFECT_NONE;
    }
    QDropEvent drop(at, offered, mime.get(), Buttons(keyState), Modifiers(keyState));
    QApplication::sendEvent(target, &drop);
    QCoreApplication::sendPostedEvents();
    return Effect(drop);
}
