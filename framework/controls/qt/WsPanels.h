#pragma once
// The toolkit side of the group box (TGroupBox) and the progress bar
// (TProgressBar); the panel paints itself and needs only WsControl.
#include "framework/rtl/Types.h"

class QWidget;

namespace velmor_ws {
// A framed box with a title; it never takes the focus.
QWidget* CreateGroupBox(QWidget* parent);
void SetGroupBoxTitle(QWidget* box, const String& title);
// A bar without text that never takes the focus.
QWidget* CreateProgressBar(QWidget* parent);
void SetProgress(QWidget* bar, bool vertical, int min, int max, int position);
}  // namespace velmor_ws
