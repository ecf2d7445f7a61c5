#pragma once
#include <utility>
#include <vector>

#include "framework/rtl/Types.h"

// The toolkit's clipboard, by MIME type. TClipboard keeps the format
// numbers and their names; this is where the bytes meet the system.
namespace velmor_ws {

// False without the toolkit (a tool, a test without the application
// object): then TClipboard keeps its formats in the process.
bool HasSystemClipboard();

// True when the clipboard holds any of `mimes` (names of one format).
bool ClipboardHasAny(const std::vector<String>& mimes);
// The bytes under the first of `mimes` the clipboard holds, else empty.
String ClipboardData(const std::vector<String>& mimes);
// The clipboard's text, UTF-8, whatever text type it came in.
String ClipboardText();
void ClearClipboard();

// Puts one copy on the clipboard: every (MIME type, bytes) pair goes out
// together; "text/plain" goes as text, so other programs get it in each
// text type they ask for.
using TClipboardItems = std::vector<std::pair<String, String>>;
void SetClipboardItems(const TClipboardItems& items);

}  // namespace velmor_ws
