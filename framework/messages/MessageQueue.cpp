#include "framework/messages/MessageQueue.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QTimerEvent>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "framework/messages/HandleObject.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/StrUtils.h"

namespace {

struct THandleEntry {
    QPointer<QObject> Receiver;
    TWndMethod Proc;
    std::map<std::uintptr_t, int> Timers;  // our id -> Qt's timer id
};

class TMessageEvent : public QEvent {
public:
    static QEvent::Type Kind() {
        static const QEvent::Type kind = static_cast<QEvent::Type>(QEvent::registerEventType());
        return kind;
    }
    TMessageEvent(UINT msg, WPARAM w, LPARAM l) : QEvent(Kind()), Msg(msg), WParam(w), LParam(l) {}
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// A message sent from another thread. Qt deletes the event after it was
// delivered, or unprocessed when its receiver goes first: either way the
// sender waiting on State wakes up.
struct TSendState {
    std::mutex Lock;
    std::condition_variable Done;
    bool Finished = false;
    LRESULT Result = 0;
};

class TSendEvent : public QEvent {
public:
    static QEvent::Type Kind() {
        static const QEvent::Type kind = static_cast<QEvent::Type>(QEvent::registerEventType());
        return kind;
    }
    TSendEvent(std::shared_ptr<TSendState> state, UINT msg, WPARAM w, LPARAM l)
        : QEvent(Kind()), State(std::move(state)), Msg(msg), WParam(w), LParam(l) {}
    ~TSendEvent() override {
        std::lock_guard<std::mutex> g(State->Lock);
        State->Finished = true;
        State->Done.notify_all();
    }
    std::shared_ptr<TSendState> State;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

struct TRegistry {
    std::mutex Lock;
    std::unordered_map<HWND, std::shared_ptr<THandleEntry>> Entries;
    HWND Next = 0x10;
    std::map<String, UINT> RegisteredMessages;
    UINT NextRegistered = 0xC000;
    TDispatchExceptionHandler ExceptionHandler;
};

TRegistry& Registry() {
    static TRegistry* r = new TRegistry;  // outlives every static that may post at exit
    return *r;
}

std::shared_ptr<THandleEntry> Find(HWND wnd) {
    auto& r = Registry();
    std::lock_guard<std::mutex> g(r.Lock);
    auto it = r.Entries.find(wnd);
    return it == r.Entries.end() ? nullptr : it->second;
}

bool OnOwnThread(QObject* receiver) { return receiver->thread() == QThread::currentThread(); }

// Runs `fn` on the receiver's thread and waits for it.
void RunOnThreadOf(QObject* receiver, const std::function<void()>& fn) {
    if (OnOwnThread(receiver)) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(receiver, fn, Qt::BlockingQueuedConnection);
}

// A hidden window made by AllocateHWnd.
class THiddenWindow : public THandleObject {
public:
    using THandleObject::THandleObject;
};

}  // namespace

// ---------------------------------------------------------------------------

THandleObject::THandleObject(TWndMethod proc) {
    auto& r = Registry();
    auto entry = std::make_shared<THandleEntry>();
    entry->Receiver = this;
    entry->Proc = std::move(proc);
    std::lock_guard<std::mutex> g(r.Lock);
    FHandle = r.Next++;
    r.Entries[FHandle] = entry;
}

THandleObject::~THandleObject() {
    auto& r = Registry();
    std::lock_guard<std::mutex> g(r.Lock);
    r.Entries.erase(FHandle);
    // Qt stops this object's timers itself when it goes.
}

namespace {
thread_local int tDispatchDepth = 0;
}

int velmor_internal::DispatchDepth() { return tDispatchDepth; }
velmor_internal::TDispatchScope::TDispatchScope() { ++tDispatchDepth; }
velmor_internal::TDispatchScope::~TDispatchScope() { --tDispatchDepth; }

QObject* velmor_internal::HandleReceiver(HWND wnd) {
    auto entry = Find(wnd);
    return entry ? entry->Receiver.data() : nullptr;
}

bool THandleObject::event(QEvent* e) {
    // A message posted from another thread was queued while the poster held
    // the registry lock. Qt's queue already orders the hand-over, but its own
    // lock is invisible to the thread sanitizer when Qt is not built with it;
    // passing through the same lock here makes the order plain to both.
    { std::lock_guard<std::mutex> g(Registry().Lock); }
    velmor_internal::TDispatchScope scope;
    if (e->type() == TSendEvent::Kind()) {
        auto* m = static_cast<TSendEvent*>(e);
        const LRESULT r = velmor_internal::CallHandleProc(FHandle, m->Msg, m->WParam, m->LParam, true);
        std::lock_guard<std::mutex> g(m->State->Lock);
        m->State->Result = r;
        return true;
    }
    if (e->type() == TMessageEvent::Kind()) {
        auto* m = static_cast<TMessageEvent*>(e);
        velmor_internal::CallHandleProc(FHandle, m->Msg, m->WParam, m->LParam, true);
        return true;
    }
    if (e->type() == QEvent::Timer) {
        const int qtId = static_cast<QTimerEvent*>(e)->timerId();
        auto entry = Find(FHandle);
        if (entry) {
            std::uintptr_t id = 0;
            {
                std::lock_guard<std::mutex> g(Registry().Lock);
                for (const auto& [ours, theirs] : entry->Timers)
                    if (theirs == qtId) id = ours;
            }
            if (id) {
                velmor_internal::CallHandleProc(FHandle, WM_TIMER, id, 0, true);
                return true;
            }
        }
    }
    return QObject::event(e);
}

LRESULT velmor_internal::CallHandleProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                        bool guarded) {
    auto entry = Find(wnd);
    if (!entry) return 0;
    TWndMethod proc;
    {
        std::lock_guard<std::mutex> g(Registry().Lock);
        proc = entry->Proc;
    }
    TMessage m{msg, wParam, lParam, 0};
    if (!proc) return DefWindowProc(wnd, msg, wParam, lParam);
    if (!guarded) {
        proc(m);
        return m.Result;
    }
    if (!GuardedCall([&] { proc(m); })) return 0;
    return m.Result;
}

// ---------------------------------------------------------------------------

HWND AllocateHWnd(TWndMethod proc) { return (new THiddenWindow(std::move(proc)))->Handle(); }

void DeallocateHWnd(HWND wnd) {
    auto entry = Find(wnd);
    if (!entry) return;
    QObject* receiver = entry->Receiver.data();
    auto* hidden = dynamic_cast<THiddenWindow*>(receiver);
    if (!hidden) return;  // a control's handle goes with its control
    {
        auto& r = Registry();
        std::lock_guard<std::mutex> g(r.Lock);
        r.Entries.erase(wnd);  // nothing reaches the procedure from now on
    }
    if (OnOwnThread(hidden) && velmor_internal::DispatchDepth() == 0)
        delete hidden;
    else
        hidden->deleteLater();
}

bool IsWindow(HWND wnd) { return wnd != 0 && Find(wnd) != nullptr; }

TWndMethod THandleObject::Proc() const {
    auto entry = Find(FHandle);
    if (!entry) return {};
    std::lock_guard<std::mutex> g(Registry().Lock);
    return entry->Proc;
}

TWndMethod THandleObject::SetProc(TWndMethod proc) {
    auto entry = Find(FHandle);
    if (!entry) return {};
    std::lock_guard<std::mutex> g(Registry().Lock);
    TWndMethod old = std::move(entry->Proc);
    entry->Proc = std::move(proc);
    return old;
}

TWndMethod GetWindowProc(HWND wnd) {
    auto* object = dynamic_cast<THandleObject*>(velmor_internal::HandleReceiver(wnd));
    return object ? object->Proc() : TWndMethod();
}

TWndMethod SetWindowProc(HWND wnd, TWndMethod proc) {
    auto* object = dynamic_cast<THandleObject*>(velmor_internal::HandleReceiver(wnd));
    return object ? object->SetProc(std::move(proc)) : TWndMethod();
}

// Queues an event for the handle's receiver while the registry is locked:
// a receiver is removed from the registry (under the same lock) before it
// is destroyed, so the pointer cannot go stale in between.
static bool PostToHandle(HWND wnd, QEvent* e) {
    auto& r = Registry();
    std::lock_guard<std::mutex> g(r.Lock);
    auto it = r.Entries.find(wnd);
    if (it == r.Entries.end() || !it->second->Receiver) {
        delete e;
        return false;
    }
    QCoreApplication::postEvent(it->second->Receiver.data(), e);
    return true;
}

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto entry = Find(wnd);
    if (!entry) return 0;
    QPointer<QObject> receiver = entry->Receiver;
    if (!receiver) return 0;
    if (OnOwnThread(receiver))
        return velmor_internal::CallHandleProc(wnd, msg, wParam, lParam, true);
    // Another thread: the handle's thread runs the procedure while this one
    // waits. Should the handle go away first, the answer stays 0.
    auto state = std::make_shared<TSendState>();
    if (!PostToHandle(wnd, new TSendEvent(state, msg, wParam, lParam))) return 0;
    std::unique_lock<std::mutex> lock(state->Lock);
    state->Done.wait(lock, [&] { return state->Finished; });
    return state->Result;
}

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostToHandle(wnd, new TMessageEvent(msg, wParam, lParam));
}

LRESULT DefWindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

std::uintptr_t SetTimer(HWND wnd, std::uintptr_t id, UINT elapseMs) {
    if (id == 0) return 0;
    auto entry = Find(wnd);
    if (!entry) return 0;
    QPointer<QObject> receiver = entry->Receiver;
    if (!receiver) return 0;
    bool ok = false;
    // Qt timers belong to their object's thread, so start them there.
    RunOnThreadOf(receiver.data(), [&] {
        if (!receiver) return;
        int old = 0;
        {
            std::lock_guard<std::mutex> g(Registry().Lock);
            auto it = entry->Timers.find(id);
            if (it != entry->Timers.end()) old = it->second;
        }
        if (old) receiver->killTimer(old);
        const int qtId = receiver->startTimer(static_cast<int>(elapseMs ? elapseMs : 1));
        std::lock_guard<std::mutex> g(Registry().Lock);
        if (qtId)
            entry->Timers[id] = qtId;
        else
            entry->Timers.erase(id);
        ok = qtId != 0;
    });
    return ok ? id : 0;
}

bool KillTimer(HWND wnd, std::uintptr_t id) {
    auto entry = Find(wnd);
    if (!entry) return false;
    QPointer<QObject> receiver = entry->Receiver;
    if (!receiver) return false;
    bool found = false;
    RunOnThreadOf(receiver.data(), [&] {
        int qtId = 0;
        {
            std::lock_guard<std::mutex> g(Registry().Lock);
            auto it = entry->Timers.find(id);
            if (it == entry->Timers.end()) return;
            qtId = it->second;
            entry->Timers.erase(it);
        }
        found = true;
        if (receiver) receiver->killTimer(qtId);
        // A tick already queued must not arrive after KillTimer returned.
        QCoreApplication::removePostedEvents(receiver.data(), QEvent::Timer);
    });
    return found;
}

UINT RegisterWindowMessage(const String& name) {
    if (name.empty()) return 0;
    auto& r = Registry();
    const String key = UpperCase(name);
    std::lock_guard<std::mutex> g(r.Lock);
    auto it = r.RegisteredMessages.find(key);
    if (it != r.RegisteredMessages.end()) return it->second;
    if (r.NextRegistered > 0xFFFF) return 0;
    const UINT id = r.NextRegistered++;
    r.RegisteredMessages[key] = id;
    return id;
}

// ---------------------------------------------------------------------------

void ProcessMessages() {
    if (!QCoreApplication::instance()) return;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitMessage(unsigned maxWaitMs) {
    if (!QCoreApplication::instance()) return;
    // A single-shot wake-up bounds the wait when nothing else arrives.
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(static_cast<int>(maxWaitMs));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

bool PumpMessagesUntil(const std::function<bool()>& done, unsigned timeoutMs, unsigned sliceMs) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (done()) return true;
        if (timeoutMs && clock.elapsed() >= static_cast<qint64>(timeoutMs)) return done();
        unsigned slice = sliceMs ? sliceMs : 1;
        if (timeoutMs) {
            const qint64 left = static_cast<qint64>(timeoutMs) - clock.elapsed();
            if (left < static_cast<qint64>(slice)) slice = static_cast<unsigned>(left > 0 ? left : 1);
        }
        WaitMessage(slice);
    }
}

TDispatchExceptionHandler SetDispatchExceptionHandler(TDispatchExceptionHandler handler) {
    auto& r = Registry();
    std::lock_guard<std::mutex> g(r.Lock);
    TDispatchExceptionHandler old = std::move(r.ExceptionHandler);
    r.ExceptionHandler = std::move(handler);
    return old;
}

void HandleDispatchException(std::exception_ptr e) {
    TDispatchExceptionHandler handler;
    {
        auto& r = Registry();
        std::lock_guard<std::mutex> g(r.Lock);
        handler = r.ExceptionHandler;
    }
    if (handler) {
        try {
            handler(e);
            return;
        } catch (...) {
            // the handler itself failed: fall through to the last resort
        }
    }
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "Unhandled exception: %s\n", ex.what());
    } catch (...) {
        std::fprintf(stderr, "Unhandled exception\n");
    }
}

bool GuardedCall(const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (...) {
        HandleDispatchException(std::current_exception());
        return false;
    }
}
