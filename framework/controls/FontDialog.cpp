#include "framework/controls/FontDialog.h"

#include "framework/controls/ModalSeam.h"
#include "framework/controls/Screen.h"
#include "framework/controls/qt/WsDialogs.h"
#include "framework/graphics/Font.h"

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), FFont(new TFont) {}
TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* v) { FFont->Assign(v); }

bool TFontDialog::Execute() {
    DoShow();
    bool ok = false;
    if (ModalHandler()) {
        ok = ExecuteStandIn("Font", FFont->Name());
    } else if (!Screen || Screen->HasDisplay()) {
        ok = velmor_ws::RunFontDialog(FFont.get());
    }
    DoClose();
    return ok;
}
