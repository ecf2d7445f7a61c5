#include "styled/base/WindowHelpers.h"

#include <chrono>
#include <thread>

#include "framework/controls/Application.h"
#include "framework/controls/Control.h"
#include "framework/controls/Form.h"
#include "framework/controls/Mouse.h"
#include "framework/controls/Screen.h"
#include "framework/controls/ScreenOutlines.h"
#include "framework/system/SystemMetrics.h"
#include "styled/base/StyApplication.h"
#include "styled/base/SysHelpers.h"

namespace {
TSize& PinnedScreen() {
    static TSize size;
    return size;
}

TZoomFrameDrawer& CustomFrameDrawer() {
    static TZoomFrameDrawer drawer;
    return drawer;
}

TScreenOutlines& Outlines() {
    static auto* outlines = new TScreenOutlines;  // its window goes with the toolkit
    return *outlines;
}

TZoomFrameDrawer FrameDrawer() { return CustomFrameDrawer() ? CustomFrameDrawer() : ScreenZoomFrameDrawer(); }

TRect FormRect(TForm* form) { return form ? form->BoundsRect() : TRect{}; }

TRect ScreenRectOf(TControl* control) {
    const TPoint origin = control->Parent() ? control->Parent()->ClientToScreen(Point(control->Left(), control->Top()))
                                            : Point(control->Left(), control->Top());
    return Bounds(origin.X, origin.Y, control->Width(), control->Height());
}

TPoint StartPoint(int x, int y) {
    if (x >= 0) return Point(x, y);
    return Mouse ? Mouse->CursorPos() : Point(0, 0);
}

void DrawPasses(const std::vector<TRect>& frames, int delay) {
    const TZoomFrameDrawer drawer = FrameDrawer();
    if (!drawer) return;
    // Focus rectangles vanish when drawn twice: the second pass erases.
    for (int pass = 0; pass < 2; ++pass)
        for (const TRect& f : frames) drawer(f, delay);
}
}  // namespace

TRect GetReferenceRect(TStyDlgPosRel Mode) {
    switch (Mode) {
    case brScreen: return Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    case brScreenWorkArea: break;
    case brMainForm:
        if (Application && Application->MainForm()) return FormRect(Application->MainForm());
        break;
    case brActiveWindow:
        if (Screen && Screen->ActiveForm()) return FormRect(Screen->ActiveForm());
        if (Application && Application->MainForm()) return FormRect(Application->MainForm());
        break;
    }
    return Screen ? Screen->WorkAreaRect() : Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void SetPlacementScreenSize(int width, int height) { PinnedScreen() = TSize{width, height}; }

void PlaceWindow(TControl* Window, const TRect& Ref, TStyDlgPosition Position) {
    if (!Window) return;
    const int w = Window->Width(), h = Window->Height();
    const int rw = Ref.Width(), rh = Ref.Height();
    int x = Ref.Left, y = Ref.Top;
    switch (Position) {
    case bpCustom:
    case bpTopLeft:
    case bpCenterLeft:
    case bpBottomLeft: x = Ref.Left; break;
    case bpTopCenter:
    case bpCenter:
    case bpBottomCenter: x = Ref.Left + (rw - w) / 2; break;
    case bpTopRight:
    case bpCenterRight:
    case bpBottomRight: x = Ref.Right - w; break;
    }
    switch (Position) {
    case bpCustom:
    case bpTopLeft:
    case bpTopCenter:
    case bpTopRight: y = Ref.Top; break;
    case bpCenterLeft:
    case bpCenter:
    case bpCenterRight: y = Ref.Top + (rh - h) / 2; break;
    case bpBottomLeft:
    case bpBottomCenter:
    case bpBottomRight: y = Ref.Bottom - h; break;
    }
    // A reference that itself hangs over the screen's edge (a main form
    // pushed half off the screen) must not take the dialog along, so the
    // window is pulled back against the screen's edge, not the reference's.
    TSize screen = PinnedScreen();
    if (screen.cx <= 0 || screen.cy <= 0)
        screen = TSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (y + h > screen.cy) y = screen.cy - h;
    if (x + w > screen.cx) x = screen.cx - w;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    Window->SetBounds(x, y, w, h);
}

void GetCaptionRects(TForm* Window, TRect& WindowRect, TRect& CaptionRect, int& Flags) {
    const int in = Flags;
    Flags = in & (crfExcludeButtons | crfExcludeIcon | crfSingleBorder);
    if (!Window) {
        WindowRect = CaptionRect = TRect{};
        return;
    }
    WindowRect = Rect(0, 0, Window->Width(), Window->Height());
    const TFormBorderStyle bs = Window->BorderStyle();
    if (Window->WindowState() == wsMinimized) Flags |= crfMinimized;
    if (bs == bsNone) {
        CaptionRect = Rect(0, 0, 0, 0);
        return;
    }
    const bool tool = bs == bsToolWindow || bs == bsSizeToolWin;
    const bool small = NewStyleControls && tool;
    if (small) Flags |= crfSmallCaption;

    int fx, fy;
    if (!NewStyleControls && (in & crfSingleBorder)) {
        fx = GetBorderWidth();
        fy = GetBorderHeight();
    } else if (bs == bsSizeable || bs == bsSizeToolWin) {
        fx = GetFrameWidth();
        fy = GetFrameHeight();
    } else if (bs == bsDialog) {
        fx = GetDlgFrameWidth();
        fy = GetDlgFrameHeight();
    } else if (!NewStyleControls && tool) {
        fx = GetBorderWidth();
        fy = GetBorderHeight();
    } else {
        fx = 3 * GetBorderWidth();
        fy = 3 * GetBorderHeight();
    }
    const int captionHeight = small ? GetSmallCaptionHeight() : GetCaptionHeight();
    CaptionRect = Rect(fx, fy, WindowRect.Right - fx, fy + captionHeight - 1);

    TRect text = CaptionRect;
    const TBorderIcons icons = Window->BorderIcons();
    const bool sysMenu = (icons & biSystemMenu) != 0;
    if (sysMenu && !small && bs != bsDialog) {
        Flags |= crfHasIcon;
        text.Left += GetIconWidth() + 2;
    }
    if (sysMenu) {
        const int bw = small ? GetSmallCaptionButtonWidth() : GetCaptionButtonWidth();
        int buttons = 1;  // close
        if (!tool && bs != bsDialog && (icons & (biMinimize | biMaximize))) buttons += 2;
        else if (icons & biHelp) buttons += 1;
        text.Right -= buttons * bw + 2;
    }
    if (text.Right < text.Left) text.Right = text.Left;
    if (in & crfExcludeButtons) CaptionRect.Right = text.Right;
    if ((in & crfExcludeIcon) && (Flags & crfHasIcon)) CaptionRect.Left = text.Left;
}

void SetZoomFrameDrawer(TZoomFrameDrawer drawer) { CustomFrameDrawer() = std::move(drawer); }

TZoomFrameDrawer ScreenZoomFrameDrawer() {
    return [](const TRect& frame, int delay) {
        if (!Screen || !Screen->HasDisplay()) return;
        TScreenOutlines& o = Outlines();
        o.Toggle(frame);
        o.Flush();
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    };
}

std::vector<TRect> ShownZoomFrames() { return Outlines().Shown(); }

std::vector<TRect> ZoomFrames(const TRect& R, int StartX, int StartY, int Steps) {
    if (Steps < 4) Steps = 40;
    std::vector<TRect> frames;
    frames.reserve(static_cast<size_t>(Steps));
    const int w = R.Width(), h = R.Height();
    for (int i = 1; i <= Steps; ++i) {
        const int left = StartX + (R.Left - StartX) * i / Steps;
        const int top = StartY + (R.Top - StartY) * i / Steps;
        frames.push_back(Bounds(left, top, w * i / Steps, h * i / Steps));
    }
    return frames;
}

std::vector<TRect> ZoomFramesExt(const TRect& R, int StartX, int StartY, int MarginX, int MarginY,
                                 int Steps) {
    if (Steps < 4) Steps = 40;
    const int half = Steps / 2;
    const int midX = (R.Left + R.Right) / 2, midY = (R.Top + R.Bottom) / 2;
    std::vector<TRect> frames;
    // First half: a point moving from the start to the middle of R.
    for (int i = 1; i <= half; ++i) {
        const int x = StartX + (midX - StartX) * i / half;
        const int y = StartY + (midY - StartY) * i / half;
        frames.push_back(Rect(x, y, x + 1, y + 1));
    }
    // Second half: growing from the middle to R less the margins.
    TRect target = Rect(R.Left + MarginX, R.Top + MarginY, R.Right - MarginX, R.Bottom - MarginY);
    if (target.IsEmpty()) target = R;
    const int rest = Steps - half;
    for (int i = 1; i <= rest; ++i)
        frames.push_back(Rect(midX + (target.Left - midX) * i / rest, midY + (target.Top - midY) * i / rest,
                              midX + (target.Right - midX) * i / rest,
                              midY + (target.Bottom - midY) * i / rest));
    return frames;
}

void ZoomRects(TControl* Control, int StartX, int StartY, int Delay, int Steps) {
    if (!Control || !FrameDrawer()) return;
    const TPoint start = StartPoint(StartX, StartY);
    DrawPasses(ZoomFrames(ScreenRectOf(Control), start.X, start.Y, Steps), Delay < 1 ? 1 : Delay);
}

void ZoomRectsExt(TControl* Control, int StartX, int StartY, int Delay, int MarginX, int MarginY,
                  int Steps) {
    if (!Control || !FrameDrawer()) return;
    const TPoint start = StartPoint(StartX, StartY);
    DrawPasses(ZoomFramesExt(ScreenRectOf(Control), start.X, start.Y, MarginX, MarginY, Steps),
               Delay < 1 ? 1 : Delay);
}

void ExplodeEffect(TControl* Control) {
    const int delay = StyApplication ? StyApplication->AnimationDelay : 3;
    ZoomRects(Control, -1, -1, delay, 40);
}

void ExplodeExtEffect(TControl* Control) {
    const int delay = StyApplication ? StyApplication->AnimationDelay : 3;
    ZoomRectsExt(Control, -1, -1, delay, 10, 20, 40);
}
