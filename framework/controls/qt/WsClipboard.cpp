#include "framework/controls/qt/WsClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace velmor_ws {
namespace {
QClipboard* Board() { return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr; }
}  // namespace

bool HasSystemClipboard() { return Board() != nullptr; }

bool ClipboardHasAny(const std::vector<String>& mimes) {
    QClipboard* b = Board();
    const QMimeData* d = b ? b->mimeData() : nullptr;
    if (!d) return false;
    for (const String& m : mimes)
        if (d->hasFormat(QString::fromStdString(m))) return true;
    return false;
}

String ClipboardData(const std::vector<String>& mimes) {
    QClipboard* b = Board();
    const QMimeData* d = b ? b->mimeData() : nullptr;
    if (!d) return String();
    for (const String& m : mimes) {
        const QString mime = QString::fromStdString(m);
        if (d->hasFormat(mime)) {
            const QByteArray bytes = d->data(mime);
            return String(bytes.constData(), static_cast<size_t>(bytes.size()));
        }
    }
    return String();
}

String ClipboardText() {
    QClipboard* b = Board();
    const QMimeData* d = b ? b->mimeData() : nullptr;
    return d ? d->text().toStdString() : String();
}

void ClearClipboard() {
    if (QClipboard* b = Board()) b->clear();
}

void SetClipboardItems(const TClipboardItems& items) {
    QClipboard* b = Board();
    if (!b) return;
    auto* data = new QMimeData;
    for (const auto& [mime, bytes] : items) {
        if (mime == "text/plain")
            data->setText(QString::fromStdString(bytes));
        else
            data->setData(QString::fromStdString(mime), QByteArray(bytes.data(), static_cast<int>(bytes.size())));
    }
    b->setMimeData(data);
}

}  // namespace velmor_ws
