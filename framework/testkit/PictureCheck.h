#pragma once
// A check for the pictures screenshot tests save.
#include "framework/rtl/Types.h"

// How many different colours the PNG file holds, counted up to `upTo` (0
// when the file cannot be read). A window's picture has more than one; a
// single colour means the capture saw a blank screen, not the window.
int PictureColours(const String& pngFile, int upTo = 2);
