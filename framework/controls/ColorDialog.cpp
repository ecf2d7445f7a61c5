#include "framework/controls/ColorDialog.h"

#include <QColorDialog>

#include "framework/controls/ModalSeam.h"
#include "framework/controls/Screen.h"

bool TColorDialog::Execute() {
    DoShow();
    bool ok = false;
    if (ModalHandler()) {
        ok = ExecuteStandIn("Color", ColorToString(Color));
    } else if (!Screen || Screen->HasDisplay()) {
        const TColor rgb = ColorToRGB(Color);
        const QColor c = QColorDialog::getColor(QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
        if (c.isValid()) {
            Color = RGB(c.red(), c.green(), c.blue());
            ok = true;
        }
    }
    DoClose();
    return ok;
}
