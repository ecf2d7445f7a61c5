#pragma once
// What the toolkit itself makes of its widgets, for tests that hold the
// framework's own figures against it.
#include "framework/rtl/Types.h"

// The height a menu bar of its own (no parent window) with one item of
// this caption asks for.
int LoneMenuBarHeight(const String& caption);
