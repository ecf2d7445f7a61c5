#pragma once
// Toolkit side of the framework's own types: colours, cursors and text as
// the toolkit takes them. Included only by the toolkit side of the
// controls (framework/controls/qt) and by the test kit.
#include <QColor>
#include <QCursor>
#include <QString>

#include "framework/controls/Controls.h"
#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

namespace velmor_internal {
// The toolkit cursor for a cursor number (Screen->Cursors).
QCursor CursorFor(TCursor cursor);
inline QColor ToQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}
// Text in controls is UTF-8 both ways.
inline QString ToQString(const String& s) { return QString::fromStdString(s); }
inline String FromQString(const QString& s) { return s.toStdString(); }
}  // namespace velmor_internal
