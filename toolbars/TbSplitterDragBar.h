#pragma once
#include "framework/controls/CustomControl.h"

// The checkered outline of the bar while it is dragged without
// RealTimeDrag. It is a window of its own, raised above the panes: drawn on
// the splitter itself it would sit under them and nobody would see it.
class TTbSplitterDragBar : public TCustomControl {
public:
    explicit TTbSplitterDragBar(TComponent* owner);
    String ClassName() const override { return "TTbSplitterDragBar"; }

protected:
    void Paint() override;
};
