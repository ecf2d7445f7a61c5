#include "framework/controls/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <map>
#include <memory>
#include <vector>

#include "framework/rtl/StrUtils.h"

namespace {
std::vector<String>& Registered() {
    static std::vector<String> names;
    return names;
}

// Formats set while the clipboard is open go out together on Close.
std::unique_ptr<QMimeData>& Pending() {
    static std::unique_ptr<QMimeData> data;
    return data;
}

// Without the toolkit (a tool, a test without the application object)
// the clipboard lives in the process.
std::map<String, String>& Local() {
    static std::map<String, String> m;
    return m;
}

String MimeOf(TClipboardFormat format) {
    if (format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT) return "text/plain";
    if (format >= 0xC000 && format - 0xC000 < Registered().size()) {
        const String& name = Registered()[format - 0xC000];
        if (SameText(name, "Rich Text Format")) return "text/rtf";
        if (SameText(name, "HTML Format")) return "text/html";
        return "application/x-velmor-" + LowerCase(name);
    }
    return "application/x-velmor-format-" + std::to_string(format);
}

// What other programs offer a format under besides its own name: rich
// text is "text/rtf" to most, "text/richtext" or "application/rtf" to some.
QStringList MimesOf(TClipboardFormat format) {
    const String mime = MimeOf(format);
    QStringList all{QString::fromStdString(mime)};
    if (mime == "text/rtf") all << QStringLiteral("text/richtext") << QStringLiteral("application/rtf");
    return all;
}

QClipboard* Board() { return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr; }
}  // namespace

TClipboardFormat RegisterClipboardFormat(const String& name) {
    auto& names = Registered();
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], name)) return static_cast<TClipboardFormat>(0xC000 + i);
    names.push_back(name);
    return static_cast<TClipboardFormat>(0xC000 + names.size() - 1);
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}

void TClipboard::Open() {
    if (FOpenCount++ == 0) {
        Pending().reset();
        FPendingClear = false;
    }
}

void TClipboard::Close() {
    if (FOpenCount == 0 || --FOpenCount > 0) return;
    if (Pending()) {
        if (QClipboard* b = Board()) b->setMimeData(Pending().release());
        Pending().reset();
    } else if (FPendingClear) {
        if (QClipboard* b = Board()) b->clear();
    }
    FPendingClear = false;
}

String TClipboard::AsText() const { return GetAsFormat(CF_TEXT); }

void TClipboard::SetAsText(const String& v) { SetAsFormat(CF_TEXT, v); }

bool TClipboard::HasFormat(TClipboardFormat format) const {
    const String mime = MimeOf(format);
    if (QClipboard* b = Board()) {
        const QMimeData* d = b->mimeData();
        if (!d) return false;
        for (const QString& m : MimesOf(format))
            if (d->hasFormat(m)) return true;
        return false;
    }
    return Local().count(mime) > 0;
}

void TClipboard::Clear() {
    if (FOpenCount > 0) {
        Pending().reset();
        FPendingClear = true;
        return;
    }
    if (QClipboard* b = Board())
        b->clear();
    else
        Local().clear();
}

String TClipboard::GetAsFormat(TClipboardFormat format) const {
    const String mime = MimeOf(format);
    if (QClipboard* b = Board()) {
        const QMimeData* d = b->mimeData();
        if (!d) return String();
        if (mime == "text/plain") return d->text().toStdString();
        for (const QString& m : MimesOf(format))
            if (d->hasFormat(m)) {
                const QByteArray bytes = d->data(m);
                return String(bytes.constData(), static_cast<size_t>(bytes.size()));
            }
        return String();
    }
    auto it = Local().find(mime);
    return it == Local().end() ? String() : it->second;
}

void TClipboard::SetAsFormat(TClipboardFormat format, const String& data) {
    const String mime = MimeOf(format);
    QClipboard* b = Board();
    if (!b) {
        if (FOpenCount == 0) Local().clear();
        Local()[mime] = data;
        return;
    }
    const bool batch = FOpenCount > 0;
    if (!batch || !Pending()) Pending() = std::make_unique<QMimeData>();
    if (mime == "text/plain")
        Pending()->setText(QString::fromStdString(data));
    else
        Pending()->setData(QString::fromStdString(mime), QByteArray(data.data(), static_cast<int>(data.size())));
    if (!batch) b->setMimeData(Pending().release());
}

int TClipboard::GetTextBuf(char* buffer, int bufSize) const {
    if (!buffer || bufSize <= 0) return 0;
    const String t = AsText();
    const int n = std::min(static_cast<int>(t.size()), bufSize - 1);
    t.copy(buffer, static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

void TClipboard::SetTextBuf(const char* buffer) { SetAsText(buffer ? buffer : ""); }
