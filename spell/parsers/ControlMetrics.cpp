#include "spell/parsers/ControlMetrics.h"

#include "framework/controls/Control.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

int ControlLineHeight(TControl* control) {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    if (control) bitmap.Canvas()->SetFont(control->Font());
    const int h = bitmap.Canvas()->TextHeight("Wg");
    return h > 0 ? h : 13;
}
