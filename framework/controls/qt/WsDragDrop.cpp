#include "framework/controls/qt/WsDragDrop.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <vector>

#include "framework/controls/qt/QtConvert.h"
#include "framework/messages/Messages.h"

namespace velmor_ws {

namespace {

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

TPoint ScreenPoint(QWidget* w, const QPointF& local) {
    const QPoint g = w->mapToGlobal(local.toPoint());
    return TPoint{g.x(), g.y()};
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
    static constexpr const char* Name = "velmor-drop-filter";
    TDropFilter(QWidget* widget, TDropHandler handler) : QObject(widget), FWidget(widget), FHandler(std::move(handler)) {
        setObjectName(Name);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != FWidget) return false;
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::DragLeave:
        case QEvent::Drop:
            // The handler may free the widget, and this filter with it,
            // while it takes the drop.
            return Dispatch(TDropHandler(FHandler), FWidget, e);
        default:
            return false;
        }
    }

private:
    static bool Dispatch(const TDropHandler& handler, QWidget* widget, QEvent* e) {
        switch (e->type()) {
        case QEvent::DragEnter: {
            auto* de = static_cast<QDragEnterEvent*>(e);
            DWORD effect = FromActions(de->possibleActions());
            if (!handler(TDropStage::Enter, FromMime(de->mimeData()), velmor_internal::MouseKeyState(de->buttons(), de->modifiers()),
                         ScreenPoint(widget, de->position()), effect))
                return false;
            Answer(de, effect);
            return true;
        }
        case QEvent::DragMove: {
            auto* de = static_cast<QDragMoveEvent*>(e);
            DWORD effect = FromActions(de->possibleActions());
            if (!handler(TDropStage::Over, nullptr, velmor_internal::MouseKeyState(de->buttons(), de->modifiers()),
                         ScreenPoint(widget, de->position()), effect))
                return false;
            Answer(de, effect);
            return true;
        }
        case QEvent::DragLeave: {
            DWORD effect = DROPEFFECT_NONE;
            return handler(TDropStage::Leave, nullptr, 0, TPoint{}, effect);
        }
        case QEvent::Drop: {
            auto* de = static_cast<QDropEvent*>(e);
            DWORD effect = FromActions(de->possibleActions());
            if (!handler(TDropStage::Drop, FromMime(de->mimeData()), velmor_internal::MouseKeyState(de->buttons(), de->modifiers()),
                         ScreenPoint(widget, de->position()), effect))
                return false;
            Answer(de, effect);
            return true;
        }
        default:
            return false;
        }
    }
    static void Answer(QDropEvent* e, DWORD effect) {
        const Qt::DropAction a = ToAction(effect);
        if (a == Qt::IgnoreAction) {
            e->ignore();
            return;
        }
        e->setDropAction(a);
        e->accept();
    }
    QWidget* FWidget;
    TDropHandler FHandler;
};

// The filter has no meta-object of its own: it is found by its name.
QObject* FilterOn(QWidget* widget) { return widget->findChild<QObject*>(TDropFilter::Name, Qt::FindDirectChildrenOnly); }

}  // namespace

void WatchDrops(QWidget* widget, TDropHandler handler) {
    if (!widget || FilterOn(widget)) return;
    auto* filter = new TDropFilter(widget, std::move(handler));
    widget->installEventFilter(filter);
    widget->setAcceptDrops(true);
}

bool WatchesDrops(QWidget* widget) { return widget && FilterOn(widget); }

void StopWatchingDrops(QWidget* widget) {
    if (!widget) return;
    if (QObject* f = FilterOn(widget)) {
        widget->setAcceptDrops(false);
        delete f;
    }
}

QWidget* DragOrigin() { return QApplication::activeWindow(); }

DWORD RunDrag(QWidget* origin, const String* text, const String* rtf, DWORD okEffects) {
    auto* mime = new QMimeData;
    if (text) mime->setText(QString::fromStdString(*text));
    if (rtf) mime->setData("text/rtf", QByteArray::fromStdString(*rtf));
    auto* drag = new QDrag(origin);
    drag->setMimeData(mime);
    Qt::DropActions allowed;
    if (okEffects & DROPEFFECT_COPY) allowed |= Qt::CopyAction;
    if (okEffects & DROPEFFECT_MOVE) allowed |= Qt::MoveAction;
    // The toolkit runs the drag loop; the source's answers are those of
    // the default rules it applies (Escape cancels, releasing drops).
    const Qt::DropAction result = drag->exec(allowed);
    return result == Qt::CopyAction ? DROPEFFECT_COPY : (result == Qt::MoveAction ? DROPEFFECT_MOVE : DROPEFFECT_NONE);
}

std::u16string ToUtf16(const String& text) { return QString::fromStdString(text).toStdU16String(); }

}  // namespace velmor_ws
