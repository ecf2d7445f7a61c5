#pragma once
// The base object of every core of the transfer kit: error state, the
// worker that runs a core's actions off the main thread, and the way the
// worker's events reach the main thread. A core never throws across its
// call interface; it returns a result code and keeps a text for it, and its
// component turns both into an exception.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/rtl/Types.h"

// An event's arguments as the core hands them on: one slot per argument in
// declaration order, each an integer or a pointer to zero-terminated text
// (never null: an absent text is passed as ""). Handlers hand `var`
// arguments back through the result slots.
struct TCoreEventBlock {
    static constexpr int MaxSlots = 5;
    std::intptr_t Args[MaxSlots] = {};
    std::intptr_t Results[2] = {};

    static std::intptr_t Text(const char* s) { return reinterpret_cast<std::intptr_t>(s ? s : ""); }
    const char* TextAt(int i) const { return reinterpret_cast<const char*>(Args[i]); }
};

// How a core reaches its component: owner is the component, id the event's
// position in the component's declaration order. Returns 0.
using TCoreEventCallback = int (*)(void* owner, int id, int argCount, TCoreEventBlock& block);

class CoreBase {
public:
    // Timeout value that starts an action without waiting for it.
    static constexpr DWORD NoWait = 0xFFFFFFFFu;
    // The message that carries a worker's event to the main thread, and the
    // one that interrupts a caller's own wait loop.
    static constexpr unsigned EventMessage = 0x0400 + 123;
    static constexpr unsigned InterruptMessage = 0x0400 + 51;

    CoreBase();
    CoreBase(const CoreBase&) = delete;
    CoreBase& operator=(const CoreBase&) = delete;

    // A core is shared by its component and, while an action runs, by the
    // worker; the last of them to let go frees it. DestroyCore followed by
    // Release is how a component gives it up.
    void AddRef() noexcept { FRefs.fetch_add(1, std::memory_order_relaxed); }
    void Release() noexcept;

    virtual void Reset();
    // Runs an action on the worker; 0 is the idle action, which also stops
    // a running one. Called by RunWorker, never directly by a component.
    virtual int ExecuteAction(Byte action);
    // Event ids 1-7 of the internet cores; 0 when nobody listens.
    virtual int HandleEvent(int id, TCoreEventBlock& block);
    // Marks the core dead, stops its worker and lets go of the main
    // thread's resources. Must run on the thread that runs the actions.
    virtual void DestroyCore();

    // --- error state ---
    // Null when no text is set. The worker of an action keeps a text of its
    // own, which becomes the core's when the waiting thread collects the
    // worker's result: a worker left running (Timeout NoWait) never writes
    // under a reader on the main thread.
    const char* ErrorText() const {
        const TErrorState& e = Error();
        return e.Has ? e.Text.c_str() : nullptr;
    }
    void SetErrorText(const String& text);
    void ClearErrorText();
    // Chooses the text for a failing result before it leaves the core; see
    // ErrorTexts.h. Returns the code.
    int SetError(int code);
    // The plain setter of the parser core: only 200 gets a text.
    int SetPlainError(int code);

    // --- running actions ---
    // Starts `action` on a worker and waits for it, keeping the caller's
    // messages flowing in 10 ms slices. Action 0 stops a running worker
    // (or runs the idle action here when none runs). Results: the action's
    // own, 143 while another action runs, 301 when the wait ended by a
    // time-out, a stop, a quit request or the core's end, 120 when a stop
    // found the worker still running after the grace time, 200 when no
    // worker could be started.
    int RunWorker(Byte action);
    // One step of a caller's own wait loop; non-zero while it may go on.
    int ProcessMessage();
    // Raises an event: on the main thread through the hidden window while
    // RouteEvents is set, else directly on the calling thread. Nothing is
    // raised once the core is dead.
    int SendEvent(int id, TCoreEventBlock& block);
    // Words an internet status notification and raises it as event 5
    // (status, text); statuses reported to nobody, and every status once
    // the core is dying, raise nothing. Returns what SendEvent returns.
    int NotifyStatus(DWORD status, const void* info);
    bool WorkerRecorded() const { return FWorker.joinable(); }
    // A worker is at work right now (not ended, not waiting for one of its
    // events to be handled): the settings it reads must be left alone.
    // Main thread only.
    bool WorkerRunning() const { return FWorker.joinable() && !FWorkerDone && FHandling == 0; }

    // --- what a worker and the waiting thread share ---
    std::atomic<int> Running{1};
    std::atomic<int> Closing{0};
    std::atomic<bool> RouteEvents{true};
    DWORD Timeout = 0;  // seconds; 0 waits without limit, NoWait returns at once
    // How long a stop waits for the worker to notice it.
    unsigned StopGraceMs = 10000;

protected:
    virtual ~CoreBase();
    // A worker's action polls this and ends soon after it turns true.
    bool StopRequested() const { return FStopRequested.load(); }
    // Makes the worker's blocking calls fail, so it notices the stop; the
    // internet cores close their handles here.
    virtual void AbortTransfer() {}
    // The internet library's text for its extended error on this thread;
    // only the cores that talk to it know one.
    virtual String InternetResponseText() { return String(); }

    // Raises a chunk's event from the worker without waiting for it, for
    // the events a transfer raises per chunk. While the owner waits for
    // this worker, the event goes into a queue with its own copy of the
    // chunk, and the owner runs the queued events in order, several per
    // wake-up, so that a download does not wait for the other thread once
    // per chunk; the worker waits only while the queue is full, and any
    // other event waits for the queue to empty first. Otherwise the event
    // is raised as SendEvent does. `dataSlot` (or -1) is the slot that
    // points at the chunk, and Results[1] holds its length. With `keep`,
    // KeepChunk receives the chunk right before its event runs, on the
    // thread that runs the event.
    void QueueEvent(int id, TCoreEventBlock& block, const char* data, std::size_t size, int dataSlot,
                    bool keep);
    virtual void KeepChunk(const char*, std::size_t) {}

private:
    void WorkerEntry(Byte action);
    void EnsureWindow();
    void FreeWindow();
    // Waits, pumping messages, until the worker ends or `graceMs` passes;
    // collects it when it ended. True when it did.
    bool StopAndCollect(unsigned graceMs);
    bool WaitAborted() const;

    struct TErrorState {
        String Text;
        bool Has = false;
    };
    // The text of the thread that asks: the worker's own while it runs.
    TErrorState& Error();
    const TErrorState& Error() const;
    void AdoptWorkerError();

    std::atomic<int> FRefs{1};
    TErrorState FError;
    TErrorState FWorkerError;

    std::uintptr_t FWindow = 0;
    std::thread FWorker;
    std::atomic<bool> FWorkerDone{false};
    std::atomic<int> FWorkerResult{0};
    std::atomic<bool> FStopRequested{false};
    std::atomic<bool> FInterrupted{false};
    // Events that a worker is delivering right now; the core's end waits
    // for them so no handler runs on a component that is going away.
    std::atomic<int> FEventsInFlight{0};
    // Worker events whose handlers are running on the main thread's stack
    // right now (main thread only): a stop or an end called from such a
    // handler cannot wait for the worker, which waits for the handler.
    int FHandling = 0;

    // While the owner waits in RunWorker, the worker hands its events
    // straight to it instead of through the message queue: a download
    // raises one per chunk, and the queue's round trip would cost more
    // than the chunk. The owner still handles its other messages every
    // slice, and the event runs through the hidden window's procedure as
    // before.
    struct THandoff {
        std::mutex Lock;
        std::condition_variable Changed;
        bool OwnerWaiting = false;
        // 0 free, 1 an event waits for the owner, 2 answered, 3 refused
        // (the owner stopped waiting first: the worker sends it instead).
        std::atomic<int> State{0};
        int Id = 0;
        TCoreEventBlock* Block = nullptr;
        int Result = 0;
        int Sleepers = 0;  // threads waiting on Changed (under Lock)
    };
    THandoff FHandoff;

    // The events QueueEvent queued: a ring of slots, each keeping its
    // buffer for the next chunk. Indexes and counts under FHandoff.Lock;
    // a slot is the worker's to fill outside the queued range and the
    // owner's to run inside it.
    struct TQueued {
        int Id = 0;
        TCoreEventBlock Block;
        String Data;
        bool Keep = false;
    };
    struct TEventQueue {
        static constexpr std::size_t Slots = 64;
        static constexpr std::size_t MaxBytes = 512 * 1024;
        std::vector<TQueued> Slot;
        std::size_t Head = 0;
        std::size_t Count = 0;
        std::size_t Bytes = 0;
        // The worker waits for the queue to run empty (before another
        // event, or at its end) or for room.
        bool FlushWanted = false;
        bool WorkerWaiting = false;
        std::condition_variable Room;
        bool Full() const { return Count == Slots || Bytes >= MaxBytes; }
        bool HalfFull() const { return Count >= Slots / 2 || Bytes >= MaxBytes / 2; }
    };
    TEventQueue FQueue;
    // Worker side: waits until the owner has run every queued event (or
    // dropped them after a stop).
    void FlushQueue();
    // Owner side, under FHandoff.Lock: the queue has something to run now.
    bool QueueReady() const;
    // Owner side: runs the queued events in order; after a stop or the
    // core's end it drops them instead.
    void RunQueue();
    // Under FHandoff.Lock.
    void DropQueue();
    // Worker side: false when the owner is not waiting, or stopped first.
    bool HandOver(int id, TCoreEventBlock& block, int& result);
    // Owner side: runs the next handed event, if one comes before `until`
    // and before the worker ends.
    void ServeHandoff(std::chrono::steady_clock::time_point until);
    void SetOwnerWaiting(bool waiting);
    void WakeOwner();
};
