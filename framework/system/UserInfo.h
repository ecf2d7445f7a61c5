#pragma once
#include "framework/rtl/Types.h"

// Who runs the program and where per-user and system-wide settings live.

// The login name of the effective user; empty when the system knows none.
String UserName();
// $XDG_CONFIG_HOME, else ~/.config, with a trailing '/'.
String UserConfigFolder();
// Where system-wide settings live (/etc/xdg/), with a trailing '/'.
String SystemConfigFolder();
