#pragma once
// One resize handler per form, shared by the kit's grids on it. Each grid
// subscribes when it is made and unsubscribes when it goes, so a grid that
// is freed is never called, whatever the order in which several grids
// come and go. The form's own handler runs after the grids have resized.
#include <vector>

#include "framework/rtl/Types.h"

class TForm;
class TGkStringGrid;

class TGkFormResizeHub {
public:
    static TGkFormResizeHub* Subscribe(TForm* form, TGkStringGrid* grid);
    static void Unsubscribe(TGkFormResizeHub* hub, TGkStringGrid* grid);
    // Grids subscribed to a form's hub (for tests and diagnostics).
    static int SubscriberCount(TForm* form);

private:
    explicit TGkFormResizeHub(TForm* form);
    void FormResize(TObject* sender);
    struct THandler;

    TForm* FForm;
    TNotifyEvent FPrevious;
    std::vector<TGkStringGrid*> FGrids;
};
