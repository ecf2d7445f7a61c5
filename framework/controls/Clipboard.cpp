#include "framework/controls/Clipboard.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "framework/controls/qt/WsClipboard.h"
#include "framework/rtl/StrUtils.h"

namespace {
std::vector<String>& Registered() {
    static std::vector<String> names;
    return names;
}

// Formats set while the clipboard is open go out together on Close.
std::optional<velmor_ws::TClipboardItems>& Pending() {
    static std::optional<velmor_ws::TClipboardItems> data;
    return data;
}

// A format set twice in one copy keeps its place and takes the later bytes.
void PutPending(const String& mime, const String& data) {
    for (auto& item : *Pending())
        if (item.first == mime) {
            item.second = data;
            return;
        }
    Pending()->emplace_back(mime, data);
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
std::vector<String> MimesOf(TClipboardFormat format) {
    const String mime = MimeOf(format);
    std::vector<String> all{mime};
    if (mime == "text/rtf") {
        all.push_back("text/richtext");
        all.push_back("application/rtf");
    }
    return all;
}
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
        velmor_ws::SetClipboardItems(*Pending());
        Pending().reset();
    } else if (FPendingClear) {
        velmor_ws::ClearClipboard();
    }
    FPendingClear = false;
}

String TClipboard::AsText() const { return GetAsFormat(CF_TEXT); }

void TClipboard::SetAsText(const String& v) { SetAsFormat(CF_TEXT, v); }

bool TClipboard::HasFormat(TClipboardFormat format) const {
    if (velmor_ws::HasSystemClipboard()) return velmor_ws::ClipboardHasAny(MimesOf(format));
    return Local().count(MimeOf(format)) > 0;
}

void TClipboard::Clear() {
    if (FOpenCount > 0) {
        Pending().reset();
        FPendingClear = true;
        return;
    }
    if (velmor_ws::HasSystemClipboard())
        velmor_ws::ClearClipboard();
    else
        Local().clear();
}

String TClipboard::GetAsFormat(TClipboardFormat format) const {
    const String mime = MimeOf(format);
    if (velmor_ws::HasSystemClipboard())
        return mime == "text/plain" ? velmor_ws::ClipboardText() : velmor_ws::ClipboardData(MimesOf(format));
    auto it = Local().find(mime);
    return it == Local().end() ? String() : it->second;
}

void TClipboard::SetAsFormat(TClipboardFormat format, const String& data) {
    const String mime = MimeOf(format);
    if (!velmor_ws::HasSystemClipboard()) {
        if (FOpenCount == 0) Local().clear();
        Local()[mime] = data;
        return;
    }
    const bool batch = FOpenCount > 0;
    if (!batch || !Pending()) Pending().emplace();
    PutPending(mime, data);
    if (!batch) {
        velmor_ws::SetClipboardItems(*Pending());
        Pending().reset();
    }
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
