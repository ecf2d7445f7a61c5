#pragma once
#include <functional>
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/rtl/Types.h"

class QWidget;
class TControl;
class TControlBridge;
class TFont;
class TRegion;

// The toolkit side of forms, their windows and the boxes built on them.
namespace velmor_ws {

// --- the window ----------------------------------------------------------------

// A top-level window that fills its background, and the client widget
// inside it that takes the children and painting; `bridge` (the form's)
// watches the client too, and both follow the mouse without a button.
QWidget* CreateFormWindow();
QWidget* CreateFormClient(QWidget* window, TControlBridge* bridge);

// How the window manager frames the window. The form works this out from
// its border style, icons and form style.
struct TWindowStyle {
    enum TKind { Window, Dialog, Tool };
    TKind Kind = Window;
    bool Frameless = false;  // no manager frame at all; the rest is then unused
    bool SystemMenu = false;  // with the close button
    bool MinimizeButton = false;
    bool MaximizeButton = false;
    bool HelpButton = false;
    bool StayOnTop = false;
};
// True when the style changed, which hides the window.
bool SetWindowStyle(QWidget* window, const TWindowStyle& style);

// Puts the window at (left, top) with the given size, fixed or free for
// the user to size.
void PlaceWindow(QWidget* window, int left, int top, int width, int height, bool sizeable);
void MoveWindow(QWidget* window, int left, int top);
// The window's position and its client size, from the toolkit.
TPoint WindowPos(QWidget* window);
TSize WindowClientSize(QWidget* window);
// What the window manager's frame adds to the window's size (0 before it
// has framed the window).
TSize WindowFrameSize(QWidget* window);
void SetWindowTitle(QWidget* window, const String& title);
// The window's outline: `region` moved by (dx, dy); nullptr clears it.
void SetWindowMask(QWidget* window, const TRegion* region, int dx, int dy);

enum TShowState { ssHide, ssNormal, ssMinimized, ssMaximized };
void ShowWindowAs(QWidget* window, TShowState state);
// Raises a shown window (where windows really show) and activates it.
void BringWindowToFront(QWidget* window);

// Sides of the window for a size drag.
enum TWindowEdge { weLeft = 1, weTop = 2, weRight = 4, weBottom = 8 };
// Hands a move or size drag to the window manager; false when it cannot
// take one.
bool StartSystemMove(QWidget* window);
bool StartSystemResize(QWidget* window, int edges);

// Runs `paint` whenever the window itself paints (a drawn frame under the
// client area and the menu bar), for as long as the watch lives; it paints
// through WsControl's PaintWidget.
class TPaintWatch {
public:
    TPaintWatch(QWidget* window, std::function<void()> paint);
    ~TPaintWatch();
    TPaintWatch(const TPaintWatch&) = delete;
    TPaintWatch& operator=(const TPaintWatch&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

// --- focus -----------------------------------------------------------------------

// Gives `widget` the keyboard focus as its window is activated (WsControl's
// SetFocus is for the program asking).
void FocusOnActivation(QWidget* widget);
// The control that has the keyboard focus, or nullptr.
TControl* FocusedControl();

// An active window about to hide hands the keyboard to the window that
// opened it, before it goes: with no window manager nobody else would, and
// the X server would give the focus to the root window, where keys are
// lost until the user clicks a window. (A form's modal run gives the
// activation back itself.)
void GiveFocusBack(QWidget* window, QWidget* opener);

// --- modal runs ------------------------------------------------------------------

// A modal run of `modal`: the windows shown when it starts take no input
// until it ends (ModalWindows.h), and the window active before can have
// the activation back.
class TModalRun {
public:
    explicit TModalRun(QWidget* modal);
    ~TModalRun();
    TModalRun(const TModalRun&) = delete;
    TModalRun& operator=(const TModalRun&) = delete;
    // Activates the window that was active when the run started, if it
    // still shows and is not `modal`.
    void ReactivatePrevious(QWidget* modal);

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

// --- keys ------------------------------------------------------------------------

// A key pressed in a window, as the form's dialog keys see it.
struct TWindowKey {
    TControl* Window = nullptr;  // the control of the widget's window
    Word Key = 0;  // the virtual key
    TShiftState Shift = 0;
    bool AtWindow = false;  // the press reached the window's own widget
    // Alt (or Shift+Alt) with a character: the window's accelerator, never
    // typed (AltGr, which types characters, is not one).
    bool AltChar = false;
    // No control on the way took it: the same press, seen again as it
    // travels up to the window.
    bool Propagated = false;
};
// Shows `onKey` every key press of the program before the widget has it;
// answering true uses the key up. False when there is no toolkit yet.
bool WatchWindowKeys(std::function<bool(const TWindowKey&)> onKey);

// --- message boxes ----------------------------------------------------------------

// What `text` takes in `font`, broken at words to fit `maxWidth` (and at
// most `maxHeight`), as the toolkit lays it out; LineHeight is one line's.
struct TTextMeasure {
    int Width = 0;
    int Height = 0;
    int LineHeight = 0;
};
TTextMeasure MeasureWrappedText(const TFont* font, const String& text, int maxWidth, int maxHeight);

}  // namespace velmor_ws
