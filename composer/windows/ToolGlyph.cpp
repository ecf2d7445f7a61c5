#include "composer/windows/ToolGlyph.h"

#include <exception>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

void LoadToolGlyph(TTbToolbarButton* button, const char* icon, TButtonLayout layout) {
    if (!button || !icon) return;
    const String path = PathJoin(ProgramFolder(), String("icons/") + icon + ".bmp");
    const String found = FindPathNoCase(path);
    if (found.empty()) return;
    try {
        TBitmap glyph;
        glyph.LoadFromFile(found);
        button->SetGlyph(&glyph);
        button->Layout = layout;
    } catch (const std::exception&) {
        // A broken icon costs the picture, never the button.
    }
}

TTbToolbarButton* ToolButton(TComponent* owner, TTbToolbar* bar, const char* name, const char* caption,
                             const char* hint, const char* icon, int width) {
    TTbToolbarButton* b = new TTbToolbarButton(owner);
    b->SetName(name);
    b->SetParent(bar);
    b->SetBounds(0, 0, width, 40);
    b->SetFlat(true);
    b->SetCaption(caption);
    if (hint) {
        b->SetHint(hint);
        b->SetShowHint(true);
    }
    LoadToolGlyph(b, icon);
    return b;
}

TTbToolbar* WindowToolbar(TComponent* owner, TWinControl* parent, const char* name, TAlign align) {
    TTbToolbar* bar = new TTbToolbar(owner);
    bar->SetName(name);
    bar->SetParent(parent);
    bar->SetAlign(align);
    bar->SetRowHeight(44);
    return bar;
}
