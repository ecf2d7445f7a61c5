#pragma once
// Toolkit side of the framework's own types: colours, cursors and text as
// the toolkit takes them. Included only by the toolkit side of the
// controls (framework/controls/qt) and by the test kit.
#include <QColor>
#include <QCursor>
#include <QString>

#include "framework/controls/Controls.h"
#include "framework/graphics/Color.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/Types.h"

namespace velmor_internal {
// The toolkit cursor for a cursor number (Screen->Cursors).
QCursor CursorFor(TCursor cursor);
inline QColor ToQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}
// The mouse buttons and Shift/Ctrl held, as the MK_ flags of a mouse
// message's WPARAM and of a drop's key state.
inline unsigned MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    unsigned k = 0;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
    if (mods & Qt::ControlModifier) k |= MK_CONTROL;
    return k;
}
// Text in controls is UTF-8 both ways.
inline QString ToQString(const String& s) { return QString::fromStdString(s); }
inline String FromQString(const QString& s) { return s.toStdString(); }
}  // namespace velmor_internal
