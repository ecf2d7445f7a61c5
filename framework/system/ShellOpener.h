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
// The same, and `done` learns whether the opener did its work (ended with
// status 0) once it has ended; it is called on a thread of its own. It is
// not called when ShellOpen returns false, nor when a test hook answers.
using TShellOpenDone = std::function<void(bool opened)>;
bool ShellOpen(const String& address, TShellOpenDone done);

// Starts the program at `program` (a path; no PATH search) with `argument`
// as its one argument, never through a shell, without waiting for it; it
// is reaped in the background like the opener. False when it could not be
// started. The choice of a program for a page the desktop could not open.
bool StartProgram(const String& program, const String& argument);

// The file:// address of a local path, the characters an address cannot
// hold percent-encoded; `fragment` (without its "#") follows when given.
String FileAddress(const String& path, const String& fragment = String());

// Whether ShellOpen would pass the (trimmed) address on.
bool ShellOpenAllowed(const String& address);

// Test seams. With a hook set, an allowed address goes to the hook instead
// of being started, and the hook's answer is returned. The program replaces
// "xdg-open" (looked up in PATH); empty restores it.
using TShellOpenHook = std::function<bool(const String& address)>;
void SetShellOpenHook(TShellOpenHook hook);
void SetShellOpenProgram(const String& program);
// Blocks until every helper ShellOpen or StartProgram started has ended
// and been reaped.
void WaitForShellOpenChildren();
