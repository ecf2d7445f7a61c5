#pragma once
// Opening a link with the desktop, for the URL label and the URL button.
#include "framework/system/ShellOpener.h"

// The address ShellOpen is given for what a user or a page wrote:
// http, https, ftp and mailto addresses and file:// addresses pass as
// they are, "www." gets "http://" in front, and the path of an existing
// document becomes a file:// address. Anything else (a command line, a
// script address) gives an empty string.
String OpenableAddress(const String& address);

// Opens the address through the framework's shell opener, never through a
// command line. False when it is refused or nothing could be started;
// `done`, when given, learns later (on a thread of its own) whether the
// desktop's opener managed.
bool OpenURL(const String& address, TShellOpenDone done = nullptr);
