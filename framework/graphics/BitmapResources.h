#pragma once
// The program's bitmap resources: pictures that libraries and the program
// register under a name, for whoever asks for that name later (markup's
// "res://" images). Names are matched without regard to case; a later
// registration under a name replaces the earlier one.
#include "framework/rtl/Types.h"

class TBitmap;

void RegisterBitmapResource(const String& name, TBitmap* bitmap);
void UnregisterBitmapResource(const String& name);
// Copies the bitmap registered under `name` into `bitmap`; false (and
// `bitmap` untouched) when there is none.
bool FindBitmapResource(const String& name, TBitmap* bitmap);

// Cursor resources by number, as a program carries them: an image (its
// transparent colour see-through when it is Transparent) with a hot spot.
void RegisterCursorResource(int id, TBitmap* image, int hotX, int hotY);
void UnregisterCursorResource(int id);
// Copies the image and hot spot of cursor resource `id`; false when the
// program has none of that number.
bool FindCursorResource(int id, TBitmap* image, int& hotX, int& hotY);
