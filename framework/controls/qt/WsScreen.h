#pragma once
#include "framework/controls/Controls.h"
#include "framework/rtl/Types.h"

class TBitmap;

// The toolkit side of the screen: the primary screen's size, cursors and
// pictures of what shows.
namespace velmor_ws {

// Whether windows really show somewhere (not the off-screen platform that
// builds and tests use).
bool HasDisplay();
// The primary screen, or its area not covered by panels; 1024 x 768 when
// there is no screen.
TRect PrimaryScreenRect(bool workArea);
int ScreenPixelsPerInch();  // 96 without a screen

// Cursor numbers: the built-in ones and the program's own, kept as
// pictures until the toolkit's cursor is first needed.
bool HasBuiltInCursor(TCursor cursor);
bool HasCustomCursor(TCursor cursor);
// The bitmap's pixels of its transparent colour are see-through when it
// is Transparent.
void SetCustomCursorImage(TCursor cursor, TBitmap* image, int hotX, int hotY);
void SetCustomCursorShape(TCursor cursor, int toolkitShape);
// Frees them while the toolkit is still there.
void ClearCustomCursors();
// The cursor every window shows while a long run goes on: `previous` is
// the one set before (crDefault for none), `cursor` the new one.
void ChangeOverrideCursor(TCursor previous, TCursor cursor);

// What the screen shows in `area`, into a bitmap of its size or a PNG
// file; each shown window is on the screen and painted first for the file.
bool GrabScreen(const TRect& area, TBitmap* bitmap);
bool GrabScreenToFile(const TRect& area, const String& pngFile);

}  // namespace velmor_ws
