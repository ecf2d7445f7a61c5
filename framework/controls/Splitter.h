#pragma once
#include "framework/controls/GraphicControl.h"

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
using TSplitterCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// A bar between aligned controls: dragging it resizes the control it sits
// against (the one aligned to the same side just before it). Both that
// control and the rest of the parent keep at least MinSize.
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);
    String ClassName() const override { return "TSplitter"; }

    int MinSize = 30;
    TResizeStyle ResizeStyle = rsPattern;
    bool AutoSnap = true;
    bool Beveled = false;
    // The control it resizes, nullptr when none sits against it.
    TControl* ResizeControl() const;
    // Moves the split by `delta` pixels (right or down is positive), as
    // dragging does; returns the size the control got.
    int MoveSplit(int delta);

    TSplitterCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool FDragging = false;
    TPoint FStart;
    int FStartSize = 0;
};
