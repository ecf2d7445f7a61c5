#include "framework/controls/ColorDialog.h"

#include "framework/controls/ModalSeam.h"
#include "framework/controls/Screen.h"
#include "framework/controls/qt/WsDialogs.h"

bool TColorDialog::Execute() {
    DoShow();
    bool ok = false;
    if (ModalHandler()) {
        ok = ExecuteStandIn("Color", ColorToString(Color));
    } else if (!Screen || Screen->HasDisplay()) {
        ok = velmor_ws::RunColorDialog(Color);
    }
    DoClose();
    return ok;
}
