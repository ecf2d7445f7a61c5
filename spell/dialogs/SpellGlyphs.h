#pragma once
// The small pictures the spell dialogs carry, by their resource names
// ("SP_UP", "SP_DOWN"): drawn here rather than loaded from a file.
#include <memory>

#include "framework/rtl/Types.h"

class TBitmap;

// nullptr for a name the library does not have.
std::unique_ptr<TBitmap> LoadSpellGlyph(const String& name);
