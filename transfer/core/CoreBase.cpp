#include "transfer/core/CoreBase.h"

#include <chrono>
#include <mutex>

#include "framework/controls/Application.h"
#include "framework/messages/MessageQueue.h"
#include "transfer/core/ErrorTexts.h"

namespace {
constexpr unsigned SliceMs = 10;

bool QuitRequested() { return Application && Application->Terminated(); }

// The core whose action runs on this thread, if any.
thread_local const CoreBase* WorkerOf = nullptr;
}  // namespace

CoreBase::TErrorState& CoreBase::Error() { return WorkerOf == this ? FWorkerError : FError; }
const CoreBase::TErrorState& CoreBase::Error() const { return WorkerOf == this ? FWorkerError : FError; }

// Main thread, once the worker has ended and been joined.
void CoreBase::AdoptWorkerError() { FError = FWorkerError; }

CoreBase::CoreBase() = default;

CoreBase::~CoreBase() {
    FreeWindow();
    // Only the last reference gets here: a worker, if any, has finished.
    if (FWorker.joinable()) {
        if (FWorker.get_id() == std::this_thread::get_id())
            FWorker.detach();
        else
            FWorker.join();
    }
}

void CoreBase::Release() noexcept {
    if (FRefs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

void CoreBase::Reset() {
    ClearErrorText();
    Running = 1;
    Timeout = 0;
    RouteEvents = true;
    Closing = 0;
}

int CoreBase::ExecuteAction(Byte) { return 0; }

int CoreBase::HandleEvent(int, TCoreEventBlock&) { return 0; }

void CoreBase::SetErrorText(const String& text) {
    TErrorState& e = Error();
    e.Text = text;
    e.Has = true;
}

void CoreBase::ClearErrorText() {
    TErrorState& e = Error();
    e.Text.clear();
    e.Has = false;
}

int CoreBase::SetError(int code) {
    switch (code) {
        case crOK:
            return code;
        case crInterrupted:
            SetErrorText(CoreTexts::SInterrupted);
            return code;
        case crOutOfMemory:
            SetErrorText(CoreTexts::SOutOfMemory);
            return code;
        default:
            break;
    }
    if (Error().Has && !Error().Text.empty()) return code;
    if (code == InternetExtendedError) {
        SetErrorText(InternetResponseText());
        return code;
    }
    String text;
    FormatErrorText(code, text);
    SetErrorText(text);
    return code;
}

int CoreBase::SetPlainError(int code) {
    if (code == crOutOfMemory) SetErrorText(CoreTexts::SOutOfMemory);
    return code;
}

// --- the hidden window ---

void CoreBase::EnsureWindow() {
    if (FWindow) return;
    FWindow = AllocateHWnd([this](TMessage& m) {
        if (m.Msg == EventMessage) {
            // A dead core's events are dropped here, on the main thread, so
            // none can reach a component that is being destroyed.
            if (Closing || m.WParam < 1 || m.WParam > 7) {
                m.Result = 0;
                return;
            }
            ++FHandling;
            struct Leave {
                int& N;
                ~Leave() { --N; }
            } leave{FHandling};
            m.Result = HandleEvent(static_cast<int>(m.WParam),
                                   *reinterpret_cast<TCoreEventBlock*>(m.LParam));
        } else if (m.Msg == InterruptMessage) {
            FInterrupted = true;
        } else {
            m.Result = DefWindowProc(FWindow, m.Msg, m.WParam, m.LParam);
        }
    });
}

void CoreBase::FreeWindow() {
    if (!FWindow) return;
    DeallocateHWnd(FWindow);
    FWindow = 0;
}

int CoreBase::SendEvent(int id, TCoreEventBlock& block) {
    // Counted before Closing is read, and DestroyCore sets Closing before
    // it reads the count: one of the two always sees the other.
    FEventsInFlight.fetch_add(1);
    struct Done {
        std::atomic<int>& N;
        ~Done() { N.fetch_sub(1); }
    } done{FEventsInFlight};
    if (Closing) return 0;
    // Queued chunks go first.
    if (WorkerOf == this) FlushQueue();
    if (RouteEvents && FWindow) {
        int result = 0;
        if (WorkerOf == this && HandOver(id, block, result)) return result;
        return SendMessage(FWindow, EventMessage, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&block));
    }
    return HandleEvent(id, block);
}

void CoreBase::QueueEvent(int id, TCoreEventBlock& block, const char* data, std::size_t size, int dataSlot,
                          bool keep) {
    FEventsInFlight.fetch_add(1);
    struct Done {
        std::atomic<int>& N;
        ~Done() { N.fetch_sub(1); }
    } done{FEventsInFlight};
    // A stopped transfer reports no chunk past the one whose handler
    // stopped it, as if the worker had waited for that handler.
    if (Closing || FStopRequested) return;
    if (WorkerOf == this && RouteEvents && FWindow) {
        std::unique_lock<std::mutex> lock(FHandoff.Lock);
        auto queueing = [this] { return FHandoff.OwnerWaiting && !Closing && !FStopRequested; };
        if (queueing() && FQueue.Full()) {
            // Wait for the owner to run half of them: one wake-up per batch.
            FQueue.WorkerWaiting = true;
            while (queueing() && FQueue.HalfFull()) {
                if (FHandoff.Sleepers > 0) FHandoff.Changed.notify_all();
                FQueue.Room.wait_for(lock, std::chrono::milliseconds(SliceMs));
            }
            FQueue.WorkerWaiting = false;
        }
        if (queueing()) {
            if (FQueue.Slot.empty()) FQueue.Slot.resize(TEventQueue::Slots);
            TQueued& q = FQueue.Slot[(FQueue.Head + FQueue.Count) % TEventQueue::Slots];
            lock.unlock();
            q.Id = id;
            q.Block = block;
            q.Keep = keep;
            q.Data.assign(data ? data : "", data ? size : 0);
            if (dataSlot >= 0) q.Block.Args[dataSlot] = TCoreEventBlock::Text(q.Data.c_str());
            lock.lock();
            // The owner may have stopped waiting meanwhile: then nobody
            // would run the queue.
            if (queueing()) {
                ++FQueue.Count;
                FQueue.Bytes += q.Data.size();
                if (FQueue.HalfFull() && FHandoff.Sleepers > 0) FHandoff.Changed.notify_all();
                return;
            }
        }
    }
    // Not queued: raised now, unless a stop came meanwhile.
    if (Closing || FStopRequested) return;
    if (keep) KeepChunk(data, size);
    SendEvent(id, block);
}

void CoreBase::FlushQueue() {
    std::unique_lock<std::mutex> lock(FHandoff.Lock);
    if (FQueue.Count == 0) return;
    FQueue.FlushWanted = true;
    FQueue.WorkerWaiting = true;
    // A core dying under a handler that is not one of these events drops
    // them on the owner's side; the worker need not wait for that.
    while (FQueue.Count > 0 && !Closing) {
        // Nobody runs them once the owner has stopped waiting (and it
        // runs none of them now).
        if (!FHandoff.OwnerWaiting) {
            DropQueue();
            break;
        }
        if (FHandoff.Sleepers > 0) FHandoff.Changed.notify_all();
        FQueue.Room.wait_for(lock, std::chrono::milliseconds(SliceMs));
    }
    FQueue.FlushWanted = false;
    FQueue.WorkerWaiting = false;
}

bool CoreBase::QueueReady() const {
    return FQueue.Count > 0 && (FQueue.FlushWanted || FQueue.WorkerWaiting || FQueue.HalfFull());
}

void CoreBase::DropQueue() {
    FQueue.Head = (FQueue.Head + FQueue.Count) % TEventQueue::Slots;
    FQueue.Count = 0;
    FQueue.Bytes = 0;
    FQueue.Room.notify_all();
}

void CoreBase::RunQueue() {
    std::unique_lock<std::mutex> lock(FHandoff.Lock);
    while (FQueue.Count > 0) {
        // After a stop the transfer reports no more chunks.
        if (FStopRequested || Closing) {
            DropQueue();
            return;
        }
        TQueued& q = FQueue.Slot[FQueue.Head];
        lock.unlock();
        struct Pop {
            CoreBase* Core;
            std::unique_lock<std::mutex>& Lock;
            ~Pop() {
                Lock.lock();
                TEventQueue& queue = Core->FQueue;
                if (queue.Count == 0) return;
                queue.Bytes -= queue.Slot[queue.Head].Data.size();
                queue.Head = (queue.Head + 1) % TEventQueue::Slots;
                --queue.Count;
                if (queue.WorkerWaiting && (queue.Count == 0 || (!queue.FlushWanted && !queue.HalfFull())))
                    queue.Room.notify_all();
            }
        } pop{this, lock};
        // Through the hidden window's procedure, as a queued event would go.
        if (q.Keep) KeepChunk(q.Data.data(), q.Data.size());
        SendMessage(FWindow, EventMessage, static_cast<WPARAM>(q.Id), reinterpret_cast<LPARAM>(&q.Block));
    }
}

bool CoreBase::HandOver(int id, TCoreEventBlock& block, int& result) {
    std::unique_lock<std::mutex> lock(FHandoff.Lock);
    if (!FHandoff.OwnerWaiting || FHandoff.State.load() != 0) return false;
    FHandoff.Id = id;
    FHandoff.Block = &block;
    FHandoff.State.store(1);
    if (FHandoff.Sleepers > 0) FHandoff.Changed.notify_all();
    ++FHandoff.Sleepers;
    FHandoff.Changed.wait(lock, [this] { return FHandoff.State.load() != 1; });
    --FHandoff.Sleepers;
    const bool answered = FHandoff.State.load() == 2;
    result = FHandoff.Result;
    FHandoff.State.store(0);
    return answered;
}

void CoreBase::ServeHandoff(std::chrono::steady_clock::time_point until) {
    std::unique_lock<std::mutex> lock(FHandoff.Lock);
    ++FHandoff.Sleepers;
    FHandoff.Changed.wait_until(lock, until, [this] {
        return FHandoff.State.load() == 1 || FWorkerDone.load() || QueueReady();
    });
    --FHandoff.Sleepers;
    // Whatever is queued runs now, at the latest at the end of a slice.
    if (FQueue.Count > 0) {
        lock.unlock();
        RunQueue();
        lock.lock();
    }
    if (FHandoff.State.load() != 1) return;
    const int id = FHandoff.Id;
    TCoreEventBlock* block = FHandoff.Block;
    lock.unlock();
    // Through the hidden window's procedure, as a queued event would go.
    int result = 0;
    struct Answer {
        CoreBase* Core;
        int& Result;
        ~Answer() {
            std::lock_guard<std::mutex> l(Core->FHandoff.Lock);
            Core->FHandoff.Result = Result;
            Core->FHandoff.State.store(2);
            if (Core->FHandoff.Sleepers > 0) Core->FHandoff.Changed.notify_all();
        }
    } answer{this, result};
    result = static_cast<int>(SendMessage(FWindow, EventMessage, static_cast<WPARAM>(id),
                                          reinterpret_cast<LPARAM>(block)));
}

void CoreBase::SetOwnerWaiting(bool waiting) {
    {
        std::lock_guard<std::mutex> lock(FHandoff.Lock);
        FHandoff.OwnerWaiting = waiting;
        if (!waiting && FHandoff.State.load() == 1) FHandoff.State.store(3);
        // The wait ends with the worker's end, which ran them all, or with
        // a stop.
        if (!waiting) DropQueue();
    }
    FHandoff.Changed.notify_all();
}

void CoreBase::WakeOwner() {
    { std::lock_guard<std::mutex> lock(FHandoff.Lock); }
    FHandoff.Changed.notify_all();
}

int CoreBase::NotifyStatus(DWORD status, const void* info) {
    if (Closing) return 0;
    String text;
    if (!StatusText(status, info, text)) return 0;
    TCoreEventBlock block;
    block.Args[0] = static_cast<std::intptr_t>(status);
    block.Args[1] = TCoreEventBlock::Text(text.c_str());
    return SendEvent(5, block);
}

// --- the worker ---

void CoreBase::WorkerEntry(Byte action) {
    WorkerOf = this;
    const int result = ExecuteAction(action);
    FlushQueue();
    WorkerOf = nullptr;
    FWorkerResult = result;
    FWorkerDone = true;
    WakeOwner();
    // The worker's own reference: should the core have died meanwhile, the
    // object goes now, on this thread.
    Release();
}

bool CoreBase::WaitAborted() const { return Running == 0 || Closing != 0 || QuitRequested(); }

bool CoreBase::StopAndCollect(unsigned graceMs) {
    FStopRequested = true;
    AbortTransfer();
    if (!FWorker.joinable()) return true;
    // The worker is blocked on the event being handled below us; it ends
    // once that handler returns, and the wait that started it collects it.
    if (FHandling > 0) return true;
    PumpMessagesUntil([this] { return FWorkerDone.load(); }, graceMs ? graceMs : 1, SliceMs);
    if (!FWorkerDone) return false;
    FWorker.join();
    return true;
}

int CoreBase::RunWorker(Byte action) {
    if (action == 0) {
        if (!FWorker.joinable()) {
            ExecuteAction(0);
            return crOK;
        }
        return StopAndCollect(StopGraceMs) ? crOK : crWaitFailed;
    }

    ClearErrorText();
    if (FWorker.joinable()) {
        if (!FWorkerDone || FHandling > 0) {
            SetErrorText(CoreTexts::SBusy);
            return crBusy;
        }
        // A worker whose caller did not wait, ended on its own.
        FWorker.join();
    }
    EnsureWindow();
    FStopRequested = false;
    FWorkerDone = false;
    FWorkerResult = 0;
    FWorkerError = TErrorState();
    AddRef();  // the worker's
    try {
        FWorker = std::thread(&CoreBase::WorkerEntry, this, action);
    } catch (...) {
        Release();
        return SetError(crOutOfMemory);
    }
    if (Timeout == NoWait) return crOK;

    // Keep this object alive while we wait: a handler run from the wait may
    // destroy the component that owns it.
    AddRef();
    struct Hold {
        CoreBase* Core;
        ~Hold() { Core->Release(); }
    } hold{this};

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(Timeout);
    const DWORD timeout = Timeout;
    bool timedOut = false;
    auto over = [&] {
        if (FWorkerDone || FStopRequested || WaitAborted()) return true;
        timedOut = timeout != 0 && Clock::now() >= deadline;
        return timedOut;
    };
    // The worker's events come straight here; everything else waiting for
    // this thread is handled once a slice.
    SetOwnerWaiting(true);
    try {
        auto sliceEnd = Clock::now();
        while (!over()) {
            if (Clock::now() >= sliceEnd) {
                ProcessMessages();
                sliceEnd = Clock::now() + std::chrono::milliseconds(SliceMs);
                continue;
            }
            ServeHandoff(sliceEnd);
        }
    } catch (...) {
        SetOwnerWaiting(false);
        throw;
    }
    SetOwnerWaiting(false);

    if (FWorkerDone && !FStopRequested && FWorker.joinable()) {
        FWorker.join();
        AdoptWorkerError();
        return FWorkerResult;
    }
    // Stopped one way or another: the action failed, whatever the worker
    // may still make of it. A stop issued from a handler during the wait
    // has already collected the worker.
    if (FWorker.joinable() && !Closing) StopAndCollect(StopGraceMs);
    if (timedOut) SetErrorText(CoreTexts::STimeout);
    return crInterrupted;
}

int CoreBase::ProcessMessage() {
    if (!FWindow || Closing) return 0;
    if (FInterrupted.exchange(false) || Running == 0) {
        SetErrorText("Interrupted");
        return 0;
    }
    if (QuitRequested()) return 0;
    WaitMessage(SliceMs);
    return FWindow ? 1 : 0;
}

void CoreBase::DestroyCore() {
    Closing = 1;
    // Let events already on their way finish (they are dropped unread on
    // the main thread) before the component goes; those whose handlers are
    // below us on this stack finish when we return.
    PumpMessagesUntil([this] { return FEventsInFlight.load() <= FHandling; }, 0, SliceMs);
    const bool nested = FHandling > 0;
    if (FWorker.joinable() && (!StopAndCollect(StopGraceMs) || nested)) {
        // No thread is killed. The worker keeps its own reference to this
        // object and frees it when it ends; being dead, the core raises no
        // more events, so it never reaches the component again.
        FWorker.detach();
    }
    // A window whose procedure is running below us goes with the object.
    if (!nested) FreeWindow();
}
