// The worker runner: one action at a time per core, a wait that keeps the
// main thread's messages flowing, and events that reach the main thread in
// order while the worker waits for each.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/messages/MessageQueue.h"
#include "transfer/core/CoreBase.h"
#include "transfer/core/ErrorTexts.h"

namespace {

// Generous bound for waits on events; never reached when things work.
constexpr unsigned Generous = 20000;

std::atomic<int> LiveCores{0};

// A gate the test opens; a worker blocked on it ignores stop requests.
struct Gate {
    std::mutex M;
    std::condition_variable C;
    bool Open = false;
    void Wait() {
        std::unique_lock<std::mutex> l(M);
        C.wait(l, [this] { return Open; });
    }
    void Release() {
        {
            std::lock_guard<std::mutex> l(M);
            Open = true;
        }
        C.notify_all();
    }
};

enum : Byte { acIdle = 0, acEvents = 1, acUntilStopped = 2, acIgnoreStop = 3, acQuick = 4, acChunks = 5 };

String ChunkText(int i) { return "chunk " + std::to_string(i) + ";"; }

class TestCore : public CoreBase {
public:
    TestCore() { ++LiveCores; }

    struct Seen {
        int Id;
        std::thread::id Thread;
        bool WorkerWaiting;
        String Text;  // a chunk's text
        String Kept;  // what KeepChunk had received when the event ran
    };
    std::vector<Seen> Events;  // written by whichever thread handles events
    std::function<void(int id)> OnEvent;
    int IdleRuns = 0;
    int EventCount = 5;
    std::atomic<int> Sending{0};
    Gate* Hold = nullptr;
    std::atomic<bool> Started{false};

    int ExecuteAction(Byte action) override {
        Started = true;
        switch (action) {
            case acIdle:
                ++IdleRuns;
                return 0;
            case acEvents:
                for (int i = 1; i <= EventCount && !StopRequested(); ++i) {
                    TCoreEventBlock block;
                    block.Args[0] = i;
                    Sending = i;
                    SendEvent(1 + (i - 1) % 7, block);
                    Sending = 0;
                }
                return 7;
            case acUntilStopped:
                while (!StopRequested()) std::this_thread::yield();
                return 55;
            case acIgnoreStop:
                Hold->Wait();
                return 66;
            case acQuick:
                return 0;
            case acChunks:
                // Chunk events as a download raises them, then one plain
                // event.
                for (int i = 1; i <= EventCount && !StopRequested(); ++i) {
                    const String text = ChunkText(i);
                    TCoreEventBlock block;
                    block.Args[0] = i;
                    block.Args[1] = TCoreEventBlock::Text(text.c_str());
                    block.Args[2] = static_cast<std::intptr_t>(text.size());
                    QueueEvent(6, block, text.data(), text.size(), 1, true);
                }
                {
                    TCoreEventBlock end;
                    end.Args[0] = EventCount + 1;
                    SendEvent(1, end);
                }
                return 8;
        }
        return -1;
    }

    int HandleEvent(int id, TCoreEventBlock& block) override {
        Events.push_back({static_cast<int>(block.Args[0]), std::this_thread::get_id(),
                          Sending.load() == block.Args[0],
                          id == 6 ? String(block.TextAt(1), static_cast<std::size_t>(block.Args[2])) : String(),
                          Kept});
        if (OnEvent) OnEvent(id);
        return 0;
    }

    void KeepChunk(const char* data, std::size_t size) override { Kept.append(data, size); }
    String Kept;

protected:
    ~TestCore() override { --LiveCores; }
};

// Owns a core the way a component does.
struct CoreHandle {
    TestCore* Core = new TestCore;
    ~CoreHandle() { Free(); }
    void Free() {
        if (!Core) return;
        Core->DestroyCore();
        Core->Release();
        Core = nullptr;
    }
    TestCore* operator->() { return Core; }
};

// Runs `fn` from the message loop, while the test's own call waits.
void PostToLoop(std::function<void()> fn) {
    auto* heldFn = new std::function<void()>(std::move(fn));
    const HWND wnd = AllocateHWnd([heldFn](TMessage& m) {
        if (m.Msg != WM_USER) return;
        (*heldFn)();
    });
    PostMessage(wnd, WM_USER);
    // The window and its function go when the test ends; tests are short.
}

TEST(Runner, RoutedEventsRunOnTheMainThreadInOrderWhileTheWorkerWaits) {
    CoreHandle core;
    core->EventCount = 20;
    EXPECT_EQ(core->RunWorker(acEvents), 7);
    EXPECT_FALSE(core->WorkerRecorded());
    ASSERT_EQ(core->Events.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(core->Events[i].Id, i + 1);
        EXPECT_EQ(core->Events[i].Thread, std::this_thread::get_id());
        EXPECT_TRUE(core->Events[i].WorkerWaiting) << i;
    }
}

// More chunks than the queue holds, so the worker also waits for room.
TEST(Runner, ChunkEventsRunOnTheMainThreadInOrderEachAfterItsChunkIsKept) {
    CoreHandle core;
    core->EventCount = 300;
    EXPECT_EQ(core->RunWorker(acChunks), 8);
    ASSERT_EQ(core->Events.size(), 301u);
    String kept;
    for (int i = 0; i < 300; ++i) {
        const auto& e = core->Events[i];
        EXPECT_EQ(e.Id, i + 1);
        EXPECT_EQ(e.Thread, std::this_thread::get_id());
        EXPECT_EQ(e.Text, ChunkText(i + 1));
        kept += ChunkText(i + 1);
        EXPECT_EQ(e.Kept, kept) << i;
    }
    // The plain event waits for the chunks before it.
    EXPECT_EQ(core->Events.back().Id, 301);
    EXPECT_EQ(core->Events.back().Thread, std::this_thread::get_id());

    // Without the route they run on the worker, in the same order.
    core->Events.clear();
    core->Kept.clear();
    core->RouteEvents = false;
    EXPECT_EQ(core->RunWorker(acChunks), 8);
    ASSERT_EQ(core->Events.size(), 301u);
    EXPECT_NE(core->Events[0].Thread, std::this_thread::get_id());
    EXPECT_EQ(core->Events[299].Kept, kept);
}

TEST(Runner, WithTheRouteFlagClearedEventsRunOnTheWorker) {
    CoreHandle core;
    core->RouteEvents = false;
    EXPECT_EQ(core->RunWorker(acEvents), 7);
    ASSERT_EQ(core->Events.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(core->Events[i].Id, i + 1);
        EXPECT_NE(core->Events[i].Thread, std::this_thread::get_id());
    }
}

TEST(Runner, SecondActionIsBusyUntilIdleCollectsTheFirst) {
    CoreHandle core;
    core->Timeout = CoreBase::NoWait;
    EXPECT_EQ(core->RunWorker(acUntilStopped), 0);
    EXPECT_EQ(core->RunWorker(acQuick), crBusy);
    EXPECT_STREQ(core->ErrorText(), "Busy performing current action");
    EXPECT_EQ(core->RunWorker(acIdle), 0);
    EXPECT_FALSE(core->WorkerRecorded());
    EXPECT_EQ(core->IdleRuns, 0);  // a stop is not the idle work
    core->Timeout = 0;
    EXPECT_EQ(core->RunWorker(acQuick), 0);
    // Idle with nothing running does the idle work here.
    EXPECT_EQ(core->RunWorker(acIdle), 0);
    EXPECT_EQ(core->IdleRuns, 1);
}

TEST(Runner, ActionStartedFromAHandlerDuringTheWaitIsBusy) {
    CoreHandle core;
    int nested = -1;
    core->OnEvent = [&](int id) {
        if (id == 1) nested = core->RunWorker(acQuick);
    };
    EXPECT_EQ(core->RunWorker(acEvents), 7);
    EXPECT_EQ(nested, crBusy);
}

TEST(Runner, TimeOutStopsTheWorkerAndFails) {
    CoreHandle core;
    core->Timeout = 1;
    EXPECT_EQ(core->RunWorker(acUntilStopped), crInterrupted);
    EXPECT_STREQ(core->ErrorText(), "Timeout");
    EXPECT_FALSE(core->WorkerRecorded());
    core->SetError(crInterrupted);
    EXPECT_STREQ(core->ErrorText(), "Interrupted.");
    EXPECT_EQ(core->RunWorker(acQuick), 0);  // not busy afterwards
}

TEST(Runner, StopFromTheLoopEndsTheWaitWithFailure) {
    CoreHandle core;
    int stop = -1;
    PostToLoop([&] { stop = core->RunWorker(acIdle); });
    EXPECT_EQ(core->RunWorker(acUntilStopped), crInterrupted);
    EXPECT_EQ(stop, 0);
    EXPECT_FALSE(core->WorkerRecorded());
}

TEST(Runner, StopFromAnEventHandlerEndsTheWaitWithFailure) {
    for (const Byte action : {acEvents, acChunks}) {
        CoreHandle core;
        core->EventCount = 1000;
        int stop = -1;
        core->OnEvent = [&](int) {
            if (core->Events.size() == 3) stop = core->RunWorker(acIdle);
        };
        EXPECT_EQ(core->RunWorker(action), crInterrupted);
        EXPECT_FALSE(core->WorkerRecorded());
        EXPECT_EQ(stop, 0);
        const auto raised = std::count_if(core->Events.begin(), core->Events.end(),
                                          [](const TestCore::Seen& e) { return e.Id <= 1000; });
        // Chunks the worker had queued or read meanwhile are not reported.
        if (action == acChunks)
            EXPECT_EQ(raised, 3);
        else
            EXPECT_LE(raised, 4);
    }
}

TEST(Runner, ClearedRunningFlagEndsTheWait) {
    CoreHandle core;
    PostToLoop([&] { core->Running = 0; });
    EXPECT_EQ(core->RunWorker(acUntilStopped), crInterrupted);
    EXPECT_FALSE(core->WorkerRecorded());
}

TEST(RunnerEnd, CoreDestroyedFromItsOwnEventHandler) {
    for (const Byte action : {acEvents, acChunks}) {
        const int before = LiveCores;
        CoreHandle core;
        core->EventCount = 1000;
        TestCore* raw = core.Core;
        std::size_t seen = 0;
        raw->OnEvent = [&](int) {
            seen = raw->Events.size();
            if (seen == 2) core.Free();  // the component goes away here
        };
        raw->AddRef();  // keep it readable for the checks below
        EXPECT_EQ(raw->RunWorker(action), crInterrupted);
        EXPECT_EQ(seen, 2u) << int{action};  // nothing reached the handler after the end
        raw->Release();
        EXPECT_TRUE(PumpMessagesUntil([&] { return LiveCores == before; }, Generous));
    }
}

TEST(RunnerEnd, CoreDestroyedFromTheLoopDuringItsAction) {
    const int before = LiveCores;
    CoreHandle core;
    TestCore* raw = core.Core;
    raw->AddRef();
    PostToLoop([&] { core.Free(); });
    EXPECT_EQ(raw->RunWorker(acUntilStopped), crInterrupted);
    raw->Release();
    EXPECT_TRUE(PumpMessagesUntil([&] { return LiveCores == before; }, Generous));
}

TEST(RunnerEnd, StuckWorkerIsLeftToEndOnItsOwn) {
    const int before = LiveCores;
    Gate gate;
    {
        CoreHandle core;
        core->Hold = &gate;
        core->StopGraceMs = 20;
        core->Timeout = CoreBase::NoWait;
        EXPECT_EQ(core->RunWorker(acIgnoreStop), 0);
        ASSERT_TRUE(PumpMessagesUntil([&] { return core->Started.load(); }, Generous));
        // A stop that the worker ignores reports so and keeps it recorded.
        EXPECT_EQ(core->RunWorker(acIdle), crWaitFailed);
        EXPECT_TRUE(core->WorkerRecorded());
        EXPECT_EQ(core->RunWorker(acQuick), crBusy);
    }  // the component goes while its worker still runs
    EXPECT_EQ(LiveCores, before + 1);  // kept alive by the worker alone
    gate.Release();
    EXPECT_TRUE(PumpMessagesUntil([&] { return LiveCores == before; }, Generous));
}

TEST(RunnerWait, CallersOwnLoopStepsUntilInterrupted) {
    CoreHandle core;
    core->Timeout = CoreBase::NoWait;
    EXPECT_EQ(core->RunWorker(acQuick), 0);  // makes the window
    EXPECT_NE(core->ProcessMessage(), 0);
    core->Running = 0;
    EXPECT_EQ(core->ProcessMessage(), 0);
    EXPECT_STREQ(core->ErrorText(), "Interrupted");
}

}  // namespace

namespace {

TEST(RunnerStatus, NotificationsBecomeEventFiveUntilTheCoreDies) {
    struct StatusCore : CoreBase {
        std::vector<std::pair<std::intptr_t, std::string>> Seen;
        int HandleEvent(int id, TCoreEventBlock& b) override {
            EXPECT_EQ(id, 5);
            Seen.emplace_back(b.Args[0], b.TextAt(1));
            return 0;
        }
    };
    auto* core = new StatusCore;
    core->NotifyStatus(10, "example.org");
    core->NotifyStatus(60, nullptr);  // reported to nobody
    core->NotifyStatus(43, nullptr);
    core->Closing = 1;
    core->NotifyStatus(51, nullptr);
    ASSERT_EQ(core->Seen.size(), 2u);
    EXPECT_EQ(core->Seen[0].first, 10);
    EXPECT_EQ(core->Seen[0].second, "Looking up the IP address example.org");
    EXPECT_EQ(core->Seen[1].second, "");
    core->DestroyCore();
    core->Release();
}

}  // namespace

namespace {

// Leaves the application terminated, so it comes last in this program
// (ctest runs every test in a process of its own anyway).
TEST(RunnerZQuit, QuitDuringTheWaitEndsItAndIsPassedOn) {
    ASSERT_NE(Application, nullptr);
    CoreHandle core;
    PostToLoop([] { Application->Terminate(); });
    EXPECT_EQ(core->RunWorker(acUntilStopped), crInterrupted);
    EXPECT_FALSE(core->WorkerRecorded());
    EXPECT_TRUE(Application->Terminated());  // still there for the main loop
}

}  // namespace
