#pragma once
#include "framework/classes/Persistent.h"

// Clipboard formats: the built-in text formats and registered ones
// (RegisterClipboardFormat), numbered from 0xC000.
using TClipboardFormat = unsigned;
inline constexpr TClipboardFormat CF_TEXT = 1;
inline constexpr TClipboardFormat CF_OEMTEXT = 7;
inline constexpr TClipboardFormat CF_UNICODETEXT = 13;
// The same name (case-insensitive) gives the same number. "Rich Text
// Format" travels as text/rtf, so other programs see it.
TClipboardFormat RegisterClipboardFormat(const String& name);

// The system clipboard. Text is UTF-8. Under the off-screen platform it
// still works within the process, so tests can copy and paste.
class TClipboard : public TPersistent {
public:
    String ClassName() const override { return "TClipboard"; }

    String AsText() const;
    void SetAsText(const String& v);
    bool HasFormat(TClipboardFormat format) const;
    void Clear();
    // The text as a zero-terminated buffer, cut to bufSize - 1 bytes;
    // returns the bytes copied.
    int GetTextBuf(char* buffer, int bufSize) const;
    void SetTextBuf(const char* buffer);
    // Any format's bytes; text formats are the text.
    String GetAsFormat(TClipboardFormat format) const;
    void SetAsFormat(TClipboardFormat format, const String& data);
    // Several formats at once (text and rich text of one copy).
    void Open();
    void Close();

private:
    int FOpenCount = 0;
    bool FPendingClear = false;
};

TClipboard* Clipboard();
