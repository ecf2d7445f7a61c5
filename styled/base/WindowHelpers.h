#pragma once
// Placing dialogs, caption geometry and the zoom-rectangle opening effects.
#include <functional>
#include <vector>

#include "framework/rtl/Types.h"
#include "styled/base/StyTypes.h"

class TControl;
class TForm;

// The rectangle a dialog is placed in, in screen coordinates. Without a
// main form (or an active form) the screen's work area stands in, so a
// dialog opened early still lands somewhere sensible.
TRect GetReferenceRect(TStyDlgPosRel Mode);
// Moves Window (size unchanged) to Position inside Ref, kept on the screen.
void PlaceWindow(TControl* Window, const TRect& Ref, TStyDlgPosition Position);
// The screen size PlaceWindow keeps windows inside; tests pin it.
void SetPlacementScreenSize(int width, int height);  // 0, 0 = the real screen

// Flags of GetCaptionRects.
inline constexpr int crfExcludeButtons = 1;  // in: the caption ends where its text ends
inline constexpr int crfExcludeIcon = 2;     // in: with an icon, it starts where its text starts
inline constexpr int crfSmallCaption = 4;    // out: tool window
inline constexpr int crfHasIcon = 8;         // out: a system icon is shown
inline constexpr int crfMinimized = 16;      // out
inline constexpr int crfSingleBorder = 32;   // in
// The caption bar of a form in window coordinates (WindowRect is the whole
// window moved to (0, 0)); a form without a caption gets an empty one.
void GetCaptionRects(TForm* Window, TRect& WindowRect, TRect& CaptionRect, int& Flags);

// The zoom effects draw a run of focus rectangles growing from a start
// point to a control's window. A desktop offers no shared surface to draw
// them on, so each frame goes to a drawer: by default the screen's
// outline window (TScreenOutlines), which toggles the frame, puts it on
// the screen and waits Delay milliseconds; off screen it draws nothing and
// does not wait. A test may set a drawer of its own (nullptr: the default
// again) and call the default one from it.
using TZoomFrameDrawer = std::function<void(const TRect& Frame, int Delay)>;
void SetZoomFrameDrawer(TZoomFrameDrawer drawer);
TZoomFrameDrawer ScreenZoomFrameDrawer();
// The outlines the default drawer shows now (screen coordinates).
std::vector<TRect> ShownZoomFrames();

// The frames of one pass from (StartX, StartY) to R, Steps of them.
std::vector<TRect> ZoomFrames(const TRect& R, int StartX, int StartY, int Steps);
// Two phases: to R's midpoint, then to R less the margins.
std::vector<TRect> ZoomFramesExt(const TRect& R, int StartX, int StartY, int MarginX, int MarginY,
                                 int Steps);

// A negative StartX starts from the mouse pointer. Steps below 4 become
// 40, a Delay below 1 becomes 1. Each pass is drawn twice: drawing, then
// erasing.
void ZoomRects(TControl* Control, int StartX, int StartY, int Delay, int Steps);
void ZoomRectsExt(TControl* Control, int StartX, int StartY, int Delay, int MarginX, int MarginY,
                  int Steps);
void ExplodeEffect(TControl* Control);
void ExplodeExtEffect(TControl* Control);
