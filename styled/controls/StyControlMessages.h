#pragma once
#include "framework/messages/Messages.h"

// The library's own notices between its controls.
// Sent to children when the picture they may copy from has changed.
inline constexpr UINT CM_STYBACKGROUNDCHANGED = WM_USER + 0x7A01;
// Posted to a control to itself once a focus change has finished
// (WParam 1 gained, 0 lost).
inline constexpr UINT CM_STYFOCUSDONE = WM_USER + 0x7A02;
// Broadcast by a latched graphic button to its siblings: WParam the group
// index, LParam the sender.
inline constexpr UINT CM_STYBUTTONPRESSED = CM_BUTTONPRESSED;
