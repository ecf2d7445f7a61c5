#pragma once
#include <functional>

#include "framework/messages/Messages.h"

// The short warning sound a control gives when a key or a value is
// refused. `type` names the kind of warning (MB_OK, MB_ICONHAND, ... or
// 0xFFFFFFFF for the plain speaker beep); this platform has a single
// sound for every kind, so the type only reaches the hook.
void MessageBeep(UINT type = 0);

// Test seam: while a hook is set it receives each beep instead of the
// speaker, so a test can see which beeps were asked for. An empty hook
// restores the sound.
using TBeepHook = std::function<void(UINT type)>;
void SetBeepHook(TBeepHook hook);
