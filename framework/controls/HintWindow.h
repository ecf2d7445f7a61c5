#pragma once
#include "framework/controls/CustomControl.h"

// A small window of its own, above every other, that shows a hint's text
// in its Color with a thin frame: the hints a control shows itself (a
// grid's scroll hint) rather than through the application's hint.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    String ClassName() const override { return "THintWindow"; }
    // The window the text needs, at most maxWidth wide (the text wraps),
    // with its top-left corner at (0, 0).
    virtual TRect CalcHintRect(int maxWidth, const String& hint);
    // Shows the text in a window at rect (screen coordinates).
    virtual void ActivateHint(const TRect& rect, const String& hint);
    // Takes the window off the screen.
    void ReleaseHandle();

protected:
    void Paint() override;
    QWidget* CreateWidget(QWidget* parent) override;
    // A window of its own: it shows without a parent.
    void ApplyVisible() override;
};
