#pragma once
// The frame of a form whose frame the program draws (TForm::DrawnFrame):
// the border, the caption bar with its text and buttons, in the classic
// window metrics (framework/system/SystemMetrics.h), and the hit test the
// form answers WM_NCHITTEST with.
#include "framework/controls/Form.h"

class TCanvas;

struct TFormFrameLayout {
    int BorderX = 0, BorderY = 0;  // the frame's thickness on each side
    int CaptionHeight = 0;         // the caption bar and the line below it
    bool SmallCaption = false;     // a tool window's
    bool Sizeable = false;
    TRect Window;                  // the whole window at (0, 0)
    TRect Caption;                 // the caption bar (empty without one)
    TRect Icon;                    // the system icon's place (empty: none)
    TRect Text;                    // where the caption's text goes
    TRect CloseButton, MaxButton, MinButton, HelpButton;  // empty when absent
    // What the frame takes from the window: left + right, top + bottom.
    int FrameWidth() const { return 2 * BorderX; }
    int FrameHeight() const { return 2 * BorderY + CaptionHeight; }
};

// The frame of a window of that border and size (nothing for bsNone).
TFormFrameLayout FormFrameLayout(TFormBorderStyle border, TBorderIcons icons, int width, int height);

// The frame the form draws now (empty when it has the platform's frame).
TFormFrameLayout FormFrameLayout(const TForm* form);

// WM_NCHITTEST's answer for a point in window coordinates: HTCLIENT inside
// the frame, HTCAPTION on the bar, the buttons' and the sizing edges'
// codes, HTBORDER on a frame that does not size, HTNOWHERE outside.
LRESULT FormFrameHitTest(const TFormFrameLayout& frame, const TPoint& windowPoint);

// Paints the frame: border, caption bar in the active or inactive caption
// colour, the text, and the buttons (`pressed` is the hit code of a button
// held down, 0 for none).
void PaintFormFrame(TCanvas* canvas, const TFormFrameLayout& frame, const String& text, bool active,
                    bool maximized, LRESULT pressed);
