#include "spell/dialogs/SpellGlyphs.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Pen.h"

std::unique_ptr<TBitmap> LoadSpellGlyph(const String& name) {
    const bool up = name == "SP_UP";
    if (!up && name != "SP_DOWN") return nullptr;
    auto b = std::make_unique<TBitmap>();
    b->SetSize(11, 11);
    TCanvas* c = b->Canvas();
    // Olive is the see-through colour: the bottom-left pixel names it.
    c->Brush()->SetColor(clOlive);
    c->FillRect(Rect(0, 0, 11, 11));
    c->Brush()->SetColor(clBlack);
    c->Pen()->SetColor(clBlack);
    if (up)
        c->Polygon({Point(5, 2), Point(9, 7), Point(1, 7)});
    else
        c->Polygon({Point(1, 3), Point(9, 3), Point(5, 8)});
    return b;
}
