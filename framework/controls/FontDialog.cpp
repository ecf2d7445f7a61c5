#include "framework/controls/FontDialog.h"

#include <QFontDialog>

#include "framework/controls/ModalSeam.h"
#include "framework/controls/Screen.h"
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
        QFont f = QFontDialog::getFont(&ok, FFont->QtFont());
        if (ok) {
            FFont->SetName(f.family().toStdString());
            if (f.pointSize() > 0) FFont->SetSize(f.pointSize());
            TFontStyles s = 0;
            if (f.bold()) s |= fsBold;
            if (f.italic()) s |= fsItalic;
            if (f.underline()) s |= fsUnderline;
            if (f.strikeOut()) s |= fsStrikeOut;
            FFont->SetStyle(s);
        }
    }
    DoClose();
    return ok;
}
