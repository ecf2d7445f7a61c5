#include "styled/forms/StyBack.h"

#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"
#include "styled/graphics/BitmapDrawing.h"
#include "styled/graphics/StyGraphTypes.h"
#include "styled/storage/StyCustomImageList.h"

bool TStyBack::PaintBackground(TCanvas* Canvas) {
    TForm* form = Form();
    if (PaintMode() == pcControl && form && Canvas && PictureValid() && !HasState(csLoading)) {
        Word flags = dfTile;
        if (StyPaletteWanted(dfUsePalette)) flags |= dfUsePalette;
        TRect done;
        PlaceBitmap(Canvas, Rect(0, 0, form->ClientWidth(), form->ClientHeight()), ImageList()->ItemCanvas(ListIndex()),
                    ImageList()->PictureRect(ListIndex(), ImageIndex()), flags, clNone, nullptr, nullptr, done);
        return true;
    }
    return TStyCustomFormFill::PaintBackground(Canvas);
}
