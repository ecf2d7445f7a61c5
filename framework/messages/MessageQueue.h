#pragma once
// Sending and posting messages, hidden windows, window timers and the
// message pump. Every call here is safe from any thread unless it says
// otherwise; a window's procedure always runs on the thread that made it.
#include <exception>
#include <functional>

#include "framework/messages/Messages.h"

// A hidden window: messages sent or posted to the handle run `proc` on the
// calling thread's event loop. Free it with DeallocateHWnd.
HWND AllocateHWnd(TWndMethod proc);
void DeallocateHWnd(HWND wnd);
bool IsWindow(HWND wnd);

// The procedure behind a handle. Replacing it subclasses the window; keep
// the old one to call on and to put back.
TWndMethod GetWindowProc(HWND wnd);
TWndMethod SetWindowProc(HWND wnd, TWndMethod proc);

// On the handle's own thread the procedure runs at once; from another
// thread the call blocks until the handle's thread has run it. An
// exception in the procedure goes to the dispatch exception handler and
// the result is 0. A handle that does not exist answers 0.
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues the message for the handle's thread; messages posted to one
// handle arrive in the order they were posted. False for a dead handle.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// What a procedure falls back on for messages it does not handle.
LRESULT DefWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// WM_TIMER with WParam = id every `elapseMs` milliseconds until KillTimer.
// Setting a running id again restarts it with the new period. Returns the
// id, or 0 when the handle does not exist (an id of 0 is not allowed).
std::uintptr_t SetTimer(HWND wnd, std::uintptr_t id, UINT elapseMs);
bool KillTimer(HWND wnd, std::uintptr_t id);

// The same name (case-insensitive) gives the same number in 0xC000..0xFFFF.
UINT RegisterWindowMessage(const String& name);

// Runs everything waiting in the calling thread's queue, then returns.
void ProcessMessages();
// Waits for at least one event and handles what has arrived.
void WaitMessage(unsigned maxWaitMs = 100);
// Keeps the calling thread's messages flowing in slices of `sliceMs` until
// `done` answers true or `timeoutMs` has passed (0 = no limit). Returns
// done() as seen last.
bool PumpMessagesUntil(const std::function<bool()>& done, unsigned timeoutMs, unsigned sliceMs = 10);

// Exceptions that escape a dispatched message never reach the toolkit: they
// come here. The application object installs its HandleException.
using TDispatchExceptionHandler = std::function<void(std::exception_ptr)>;
// Returns the handler that was set before.
TDispatchExceptionHandler SetDispatchExceptionHandler(TDispatchExceptionHandler handler);
void HandleDispatchException(std::exception_ptr e);
// Runs `fn`, passing any exception to the dispatch exception handler.
// Returns false when it threw.
bool GuardedCall(const std::function<void()>& fn);
