#pragma once
// Text in the encodings web pages are written in, to and from UTF-8, the
// program's own. UTF-8 and Windows-1252 (which the web reads ISO-8859-1 as)
// are built in; any other encoding the C library knows is converted through
// it.
#include <functional>

#include "framework/rtl/Types.h"

// Whether text in `charset` (a name such as "UTF-8", "windows-1252",
// "Shift_JIS", letter case ignored) can be converted.
bool CharsetSupported(const String& charset);

// `bytes` in `charset` as UTF-8. A byte sequence that is not valid in the
// charset becomes U+FFFD; an unsupported charset is read as Windows-1252.
String DecodeToUtf8(const String& bytes, const String& charset);

// What goes in the place of a character that a charset cannot hold; its
// result must be ASCII.
using TUnmappable = std::function<String(char32_t)>;

// UTF-8 `text` in `charset`. Each character the charset cannot hold is
// replaced by `unmappable` of its code point; an unsupported charset is
// written as Windows-1252. ISO-8859-1 and US-ASCII are written strictly.
String EncodeFromUtf8(const String& text, const String& charset, const TUnmappable& unmappable);

// The same, keeping only what reads back as written: a character is
// written as bytes only when `readCharset` decodes those bytes to the same
// character; every other character becomes `unmappable` of its code point.
// ASCII is written as it is (the charsets are ASCII's supersets).
String EncodeFromUtf8(const String& text, const String& charset, const String& readCharset,
                      const TUnmappable& unmappable);

bool IsValidUtf8(const String& bytes);
// The code point at `pos` of UTF-8 text, moving `pos` behind it; U+FFFD for
// a byte that starts no valid sequence (which is then skipped alone).
char32_t NextUtf8(const String& text, size_t& pos);
