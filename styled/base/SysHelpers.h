#pragma once
// Platform facts, metrics, the user's name and folder helpers shared by the
// styled components.
#include "framework/rtl/Types.h"
#include "styled/base/StyTypes.h"

// The library was written for two platform lines and still asks which one
// it runs on. This platform behaves like the newer line throughout: new-
// style window look, shell extensions present.
inline constexpr bool IsWin9x = false;
inline constexpr bool IsWin98 = false;
inline constexpr bool IsWinNT = true;
inline constexpr bool HasShellExtensions = true;
// Whether the version-4 window look is drawn (small captions, small icons).
inline constexpr bool NewStyleControls = true;

// Bits per pixel of the screen, as a byte.
Byte GetColorDepth();
int GetWinMinorVersion();
// The login name, at most 63 characters; "(Unknown)" when there is none.
String GetNetUserName();

int GetCaptionButtonWidth();   // SM_CXSIZE
int GetCaptionHeight();        // SM_CYCAPTION
int GetDlgFrameWidth();        // SM_CXDLGFRAME
int GetDlgFrameHeight();       // SM_CYDLGFRAME
int GetBorderWidth();          // SM_CXBORDER
int GetBorderHeight();         // SM_CYBORDER
int GetFrameWidth();           // SM_CXFRAME
int GetFrameHeight();          // SM_CYFRAME
int GetSmallCaptionHeight();
int GetSmallCaptionButtonWidth();
int GetIconWidth();

// True when S is empty or holds only spaces.
bool IsBlank(const String& S);
// The folder routines speak of a "backslash"; on this platform the folder
// separator is '/', and that is what they add and remove.
String AddBackslash(const String& S);
String RemoveBackslash(const String& S);
// The program's folder, with its trailing separator.
String GetProgramFolder();
// The per-user settings folder stands where the classic Windows folder
// stood, the system-wide settings folder where its system folder stood.
// Both without a trailing separator, as the classic calls answered.
String GetWindowsFolder();
String GetSystemFolder();
// The folder a prefix names; ppFixed gives an empty string, with no
// separator added.
String GetPrefixPath(TStyPathPrefix Prefix, bool WithBackslash);
