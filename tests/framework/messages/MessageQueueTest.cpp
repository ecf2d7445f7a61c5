#include "framework/messages/MessageQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {
constexpr unsigned kWait = 10000;  // generous: only a broken queue gets near it
}

TEST(MessageQueue, PostsFromWorkerArriveOnGuiThreadInOrder) {
    const std::thread::id gui = std::this_thread::get_id();
    std::vector<WPARAM> seen;
    bool wrongThread = false;
    HWND wnd = AllocateHWnd([&](TMessage& m) {
        if (m.Msg != WM_USER + 1) return;
        if (std::this_thread::get_id() != gui) wrongThread = true;
        seen.push_back(m.WParam);
    });
    constexpr int kCount = 500;
    std::thread worker([wnd] {
        for (int i = 0; i < kCount; ++i) PostMessage(wnd, WM_USER + 1, static_cast<WPARAM>(i));
    });
    ASSERT_TRUE(PumpMessagesUntil([&] { return seen.size() == kCount; }, kWait));
    worker.join();
    EXPECT_FALSE(wrongThread);
    for (int i = 0; i < kCount; ++i) ASSERT_EQ(seen[static_cast<size_t>(i)], static_cast<WPARAM>(i));
    DeallocateHWnd(wnd);
    EXPECT_FALSE(PostMessage(wnd, WM_USER + 1));
}

TEST(MessageQueue, SendFromWorkerWaitsForTheProcedureResult) {
    const std::thread::id gui = std::this_thread::get_id();
    bool ranOnGui = false;
    HWND wnd = AllocateHWnd([&](TMessage& m) {
        ranOnGui = std::this_thread::get_id() == gui;
        m.Result = static_cast<LRESULT>(m.WParam * 2 + m.LParam);
    });
    LRESULT result = 0;
    std::thread worker([&] { result = SendMessage(wnd, WM_USER + 7, 20, 2); });
    // The worker is blocked until this thread pumps.
    PumpMessagesUntil([&] { return ranOnGui; }, kWait);
    worker.join();
    EXPECT_TRUE(ranOnGui);
    EXPECT_EQ(result, 42);
    // On the same thread the procedure runs at once.
    EXPECT_EQ(SendMessage(wnd, WM_USER, 1, 1), 3);
    DeallocateHWnd(wnd);
    EXPECT_EQ(SendMessage(wnd, WM_USER, 1, 1), 0);
}

TEST(MessageQueue, TimerTicksWithItsIdUntilKilled) {
    std::vector<WPARAM> ticks;
    HWND wnd = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_TIMER) ticks.push_back(m.WParam);
    });
    ASSERT_EQ(SetTimer(wnd, 17, 5), 17u);
    ASSERT_TRUE(PumpMessagesUntil([&] { return ticks.size() >= 3; }, kWait));
    for (WPARAM id : ticks) EXPECT_EQ(id, 17u);
    EXPECT_TRUE(KillTimer(wnd, 17));
    EXPECT_FALSE(KillTimer(wnd, 17));
    const size_t after = ticks.size();
    // Another timer proves the loop kept running while the first stayed quiet.
    std::vector<WPARAM> other;
    HWND probe = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_TIMER) other.push_back(m.WParam);
    });
    SetTimer(probe, 3, 5);
    ASSERT_TRUE(PumpMessagesUntil([&] { return other.size() >= 5; }, kWait));
    EXPECT_EQ(ticks.size(), after);
    DeallocateHWnd(probe);
    DeallocateHWnd(wnd);
    EXPECT_EQ(SetTimer(wnd, 1, 5), 0u);
}

TEST(MessageQueue, SubclassedProcedureSeesSwallowsAndIsRestored) {
    std::vector<UINT> original;
    HWND wnd = AllocateHWnd([&](TMessage& m) {
        original.push_back(m.Msg);
        m.Result = 1;
    });
    std::vector<UINT> hooked;
    TWndMethod old;
    old = SetWindowProc(wnd, [&](TMessage& m) {
        hooked.push_back(m.Msg);
        if (m.Msg == WM_USER + 2) {
            m.Result = 99;  // swallowed: the old procedure never sees it
            return;
        }
        old(m);
    });
    EXPECT_EQ(SendMessage(wnd, WM_USER + 1), 1);
    EXPECT_EQ(SendMessage(wnd, WM_USER + 2), 99);
    PostMessage(wnd, WM_USER + 3);
    PumpMessagesUntil([&] { return hooked.size() == 3; }, kWait);
    EXPECT_EQ(hooked, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));
    EXPECT_EQ(original, (std::vector<UINT>{WM_USER + 1, WM_USER + 3}));

    SetWindowProc(wnd, old);
    EXPECT_EQ(SendMessage(wnd, WM_USER + 2), 1);
    EXPECT_EQ(hooked.size(), 3u);
    EXPECT_EQ(original.back(), WM_USER + 2);
    DeallocateHWnd(wnd);
}

TEST(MessageQueue, ExceptionInProcedureGoesToTheHandler) {
    std::vector<String> caught;
    TDispatchExceptionHandler previous = SetDispatchExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& ex) {
            caught.push_back(ex.what());
        }
    });
    HWND wnd = AllocateHWnd([](TMessage& m) {
        if (m.Msg == WM_USER) throw std::runtime_error("boom");
        m.Result = 5;
    });
    EXPECT_EQ(SendMessage(wnd, WM_USER), 0);
    PostMessage(wnd, WM_USER);
    PumpMessagesUntil([&] { return caught.size() == 2; }, kWait);
    EXPECT_EQ(caught, (std::vector<String>{"boom", "boom"}));
    EXPECT_EQ(SendMessage(wnd, WM_USER + 1), 5);  // the window lives on
    DeallocateHWnd(wnd);
    SetDispatchExceptionHandler(previous);
}

TEST(MessageQueue, RegisteredMessagesAreStableAndCaseBlind) {
    const UINT a = RegisterWindowMessage("Velmor.Refresh");
    EXPECT_GE(a, 0xC000u);
    EXPECT_LE(a, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessage("VELMOR.refresh"), a);
    EXPECT_NE(RegisterWindowMessage("Velmor.Other"), a);
    EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST(MessageQueue, ProcedureMayFreeItsOwnWindow) {
    HWND wnd = 0;
    int calls = 0;
    wnd = AllocateHWnd([&](TMessage&) {
        ++calls;
        DeallocateHWnd(wnd);
    });
    PostMessage(wnd, WM_USER);
    PostMessage(wnd, WM_USER);  // queued behind: must not arrive
    PumpMessagesUntil([&] { return calls > 0; }, kWait);
    ProcessMessages();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(IsWindow(wnd));
}

TEST(MessageQueue, SendToAWindowThatGoesAwayMeanwhileReturnsZero) {
    // Whether the worker's message is already queued when the window goes
    // or finds it gone, it must come back with 0 instead of waiting forever.
    for (int round = 0; round < 20; ++round) {
        HWND wnd = AllocateHWnd([](TMessage& m) { m.Result = 7; });
        LRESULT result = -1;
        std::thread worker([&] { result = SendMessage(wnd, WM_USER); });
        DeallocateHWnd(wnd);
        worker.join();
        EXPECT_EQ(result, 0);
    }
}

TEST(MessageQueue, ManyWorkersSendAtOnce) {
    int total = 0;
    HWND wnd = AllocateHWnd([&](TMessage& m) {
        total += static_cast<int>(m.WParam);
        m.Result = static_cast<LRESULT>(m.WParam) + 1;
    });
    constexpr int kWorkers = 4, kEach = 50;
    std::vector<std::thread> workers;
    std::vector<int> wrong(kWorkers, 0);
    std::atomic<int> finished{0};
    for (int t = 0; t < kWorkers; ++t)
        workers.emplace_back([&, t] {
            for (int i = 1; i <= kEach; ++i)
                if (SendMessage(wnd, WM_USER, static_cast<WPARAM>(i)) != i + 1) ++wrong[static_cast<size_t>(t)];
            ++finished;
        });
    ASSERT_TRUE(PumpMessagesUntil([&] { return finished == kWorkers; }, kWait));
    for (auto& w : workers) w.join();
    EXPECT_EQ(wrong, std::vector<int>(kWorkers, 0));
    EXPECT_EQ(total, kWorkers * kEach * (kEach + 1) / 2);
    DeallocateHWnd(wnd);
}
