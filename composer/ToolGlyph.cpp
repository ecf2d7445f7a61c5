#include "composer/ToolGlyph.h"

#include <exception>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbToolbarButton.h"

void LoadToolGlyph(TTbToolbarButton* button, const char* icon) {
    if (!button || !icon) return;
    const String path = PathJoin(ProgramFolder(), String("icons/") + icon + ".bmp");
    const String found = FindPathNoCase(path);
    if (found.empty()) return;
    try {
        TBitmap glyph;
        glyph.LoadFromFile(found);
        button->SetGlyph(&glyph);
        button->Layout = blGlyphTop;
    } catch (const std::exception&) {
        // A broken icon costs the picture, never the button.
    }
}
