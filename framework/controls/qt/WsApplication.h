#pragma once
#include <functional>
#include <memory>

#include "framework/rtl/Types.h"

class QWidget;

// The toolkit's application: starting it, its event loop and idle moment,
// the hint bubble and the warning sound. TApplication and the services
// beside it (actions, beeps) speak to the toolkit only through these.
namespace velmor_ws {

// Starts the toolkit's application when there is none yet, with the
// framework's focus rule for clicks; without any display the windows live
// off screen. True when this call made it (StopToolkit ends that one).
bool StartToolkit(int& argc, char** argv);
void StopToolkit();
bool ToolkitStarted();
void SetApplicationName(const String& name);
// Runs the event loop until QuitEventLoop; 0 at once without a toolkit.
int RunEventLoop();
void QuitEventLoop();

// Runs `onIdle` each time the event loop is about to wait. False when
// there is no event loop yet; the caller asks again later.
bool AddIdleHandler(std::function<void()> onIdle);

// Runs `then` on the event loop once `window` has painted for the first
// time (the paint handled, children included), ahead of other posted work
// and after what asked before it; soon, when that is over already. Only a
// window asked about before its first paint is known to have painted.
void AfterFirstPaint(QWidget* window, std::function<void()> then);

// The speaker beep; silent without a windowing application (a tool at
// the command line has no display to ring).
void Beep();

// The hint bubble: `text` at the screen point for `hideMs`, over
// `widget` (may be null). Any kind of line break ends a line.
void ShowHintText(const TPoint& at, const String& text, QWidget* widget, int hideMs);
void HideHintText();

// A timer that fires once, `ms` after Start, on the event loop.
class TOneShotTimer {
public:
    explicit TOneShotTimer(std::function<void()> onTimeout);
    ~TOneShotTimer();
    TOneShotTimer(const TOneShotTimer&) = delete;
    TOneShotTimer& operator=(const TOneShotTimer&) = delete;
    void Start(int ms);
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

}  // namespace velmor_ws
