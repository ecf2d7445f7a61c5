#pragma once
// Pictures from the desktop's icon theme for files, folders and file
// types, as the shell's small and large icons.
#include "framework/rtl/Types.h"

class TCanvas;

// The size of the small (16 × 16) and large (32 × 32) icons.
TSize ShellIconSize(bool large);
// The icon of `source`: an existing folder's, an existing file's by its
// content, anything else the one its name's extension gives (the file
// need not exist). False when the theme has none for it (an empty source
// has none).
bool HasShellIcon(const String& source, bool large);
// Draws that icon into rect (scaled to it), over what is there; false
// and nothing drawn when there is none.
bool DrawShellIcon(TCanvas* canvas, const TRect& rect, const String& source, bool large);
