#pragma once
// The types every control shares: alignment, anchors, mouse and key event
// signatures, cursors, modal results and control style flags. Sets are bit
// flags.
#include <functional>

#include "framework/graphics/Color.h"
#include "framework/messages/Messages.h"
#include "framework/rtl/Types.h"

class TControl;
class TWinControl;
class TPopupMenu;  // menus come with the standard controls

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : int { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = int;
inline constexpr TAnchors DefaultAnchors = akLeft | akTop;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Reading order and placement of a control's content (TControl::BiDiMode).
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TShiftStateFlag : int {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = int;

// What the control needs to behave like its kind (TControl::ControlStyle).
enum TControlStyleFlag : int {
    csAcceptsControls = 1,
    csCaptureMouse = 2,
    csClickEvents = 4,
    csFramed = 8,
    csSetCaption = 16,
    csOpaque = 32,
    csDoubleClicks = 64,
    csFixedWidth = 128,
    csFixedHeight = 256,
    csNoStdEvents = 512,
    csReplicatable = 1024,
    csParentBackground = 2048,
};
using TControlStyle = int;

// Cursors: the built-in shapes are negative; resources add positive ones
// to Screen->Cursors.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = -22;

// Modal results: what ShowModal returns and what closes a modal form.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
// Setting Key to 0 swallows the key.
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
// Only ASCII characters reach KeyPress; a character outside it still comes
// as WM_CHAR with its code point. Setting Key to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
// MousePos is in client coordinates; Handled stops the popup menu.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent =
    std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// Docking. A control whose DragKind is dkDock can be dragged out of the
// dock site it sits on, so that it floats in a window of its own, and
// dropped on any dock site (framework/controls/Docking.h). dkDrag is the
// plain kind: such a control does not move when dragged.
enum TDragKind { dkDrag, dkDock };
// dmAutomatic: pressing the left button on the control starts the drag.
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

class TDragDockObject;
// The handler may put a drag object of its own (made with new) in
// DragObject; the drag then owns it.
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
// Target is where the control ended up (a dock site or its floating
// window), nullptr when the drag was cancelled or refused; X and Y are the
// drop point in Target's client coordinates.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
// X and Y in the dock site's client coordinates.
using TDockOverEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
// NewTarget is the site the client goes to (a floating window when it is
// floated, nullptr when it is closed).
using TUnDockEvent =
    std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
// InfluenceRect (screen) is where the mouse must be for the site to take
// the client; MousePos is a screen point.
using TGetSiteInfoEvent = std::function<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect,
                                             TPoint MousePos, bool& CanDock)>;

// What CM_HINTSHOW carries (LParam points to it): the control may change
// the text, colour and place (screen) of the hint about to show for the
// mouse at CursorPos (client); a non-zero result keeps the hint away.
// CursorRect (client) is the part of the control the hint is about: once
// the mouse leaves it the hint goes and the control is asked again after
// the pause. Left empty, it is the whole control.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;
    String HintStr;
    TColor HintColor = clInfoBk;
    TPoint HintPos;
    TRect CursorRect;
};

// The shift state of a mouse message's key flags.
TShiftState KeysToShiftState(WPARAM keys);
// The shift state of the keyboard right now (Shift, Ctrl, Alt).
TShiftState KeyboardShiftState();
