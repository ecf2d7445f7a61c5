#pragma once
#include <functional>

// The toolkit's application: whether it runs, its event loop's idle
// moment and the warning sound. TApplication and the services beside it
// (actions, beeps) speak to the toolkit only through these.
namespace velmor_ws {

// The speaker beep; silent without a windowing application (a tool at
// the command line has no display to ring).
void Beep();

// Runs `onIdle` each time the event loop is about to wait. False when
// there is no event loop yet; the caller asks again later.
bool AddIdleHandler(std::function<void()> onIdle);

}  // namespace velmor_ws
