#pragma once
// Framework-internal: the lists, trees and memos draw their items on an
// inner viewport widget that takes the mouse itself. This lets the control
// see those mouse events as its own messages (OnMouseDown, OnClick,
// OnDblClick…), in its own coordinates, while the viewport still acts on
// them as usual.
class TControl;
class QWidget;

namespace velmor_internal {
void ForwardViewportMouse(TControl* control, QWidget* viewport);
}
