#pragma once
#include <functional>

#include "framework/rtl/Types.h"

// Opens an address with the desktop's handler (xdg-open): the links in
// grid cells, URL labels and URL buttons. Addresses come from web pages, so
// only what a link may safely mean is opened:
//   http://, https:// and ftp:// addresses with a host, mailto: addresses, and
//   file:// addresses on this machine that do not name a program (an
//   executable file or a .desktop launcher).
// Anything else (javascript:, data:, a bare program path, "calc.exe") is
// refused. The address is passed as one argument, never through a shell;
// the call does not wait for the browser, and the started helper is reaped
// in the background so no zombie is left.
// Returns false when the address is refused or nothing could be started.
// Blanks around the address are dropped first.
bool ShellOpen(const String& address);

// Whether ShellOpen would pass the (trimmed) address on.
bool ShellOpenAllowed(const String& address);

// Test seams. With a hook set, an allowed address goes to the hook instead
// of being started, and the hook's answer is returned. The program replaces
// "xdg-open" (looked up in PATH); empty restores it.
using TShellOpenHook = std::function<bool(const String& address)>;
void SetShellOpenHook(TShellOpenHook hook);
void SetShellOpenProgram(const String& program);
// Blocks until every helper ShellOpen started has ended and been reaped.
void WaitForShellOpenChildren();
