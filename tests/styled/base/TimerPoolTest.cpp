// The timer pool driven tick by tick: WM_TIMER sent to its hidden window is
// one tick, exactly what the system timer delivers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "framework/controls/Application.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"
#include "styled/base/StyTimerItem.h"
#include "styled/base/StyTimerPool.h"

namespace {

void Tick(TStyTimerPool& pool, int n = 1) {
    ASSERT_NE(pool.WindowHandle(), 0u);
    for (int i = 0; i < n; ++i) SendMessage(pool.WindowHandle(), WM_TIMER, 1, 0);
}

// The ticks (1-based, counted from Add) on which an item fired.
std::vector<int> FiringTicks(TStyTimerPool& pool, Word interval, int ticks) {
    std::vector<int> fired;
    int tick = 0;
    pool.Add(7, interval, [&](TObject*) { fired.push_back(tick); });
    for (tick = 1; tick <= ticks; ++tick) Tick(pool);
    return fired;
}

struct IntervalCase {
    Word MinInterval;
    Word Interval;
    std::vector<int> Fires;  // in the first 9 ticks; empty: Add refuses
};

class TimerPoolIntervals : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(TimerPoolIntervals, FiresEveryMultipleOrRefuses) {
    const auto& c = GetParam();
    // A long period: the real timer must not tick in between.
    TStyTimerPool pool(nullptr, c.MinInterval);
    if (c.Fires.empty()) {
        try {
            pool.Add(7, c.Interval, nullptr);
            FAIL() << "Add accepted " << c.Interval;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Interval not compatible with MinInterval property!");
        }
        EXPECT_EQ(pool.Count(), 0);
        EXPECT_FALSE(pool.Active());
        return;
    }
    EXPECT_EQ(FiringTicks(pool, c.Interval, 9), c.Fires);
    EXPECT_TRUE(pool.Active());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimerPoolIntervals,
    ::testing::Values(IntervalCase{50, 150, {3, 6, 9}}, IntervalCase{50, 50, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      IntervalCase{50, 200, {4, 8}}, IntervalCase{1000, 1000, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      IntervalCase{300, 900, {3, 6, 9}}, IntervalCase{50, 120, {}}, IntervalCase{50, 40, {}},
                      IntervalCase{50, 0, {}}, IntervalCase{60000, 1000, {}}),
    [](const auto& info) {
        return "Min" + std::to_string(info.param.MinInterval) + "Interval" + std::to_string(info.param.Interval);
    });

TEST(TimerPool, RepeatCountSwitchesTheItemOff) {
    TStyTimerPool pool(nullptr, 60000);
    std::vector<int> counts;
    pool.Add(1, 60000, nullptr);
    TStyTimerItem* item = pool.FindItem(1);
    ASSERT_NE(item, nullptr);
    item->Event = [&](TObject* sender) {
        EXPECT_EQ(sender, &pool);
        counts.push_back(item->Count());
    };
    item->RepeatCount = 3;
    Tick(pool, 5);
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(item->Enabled());
    EXPECT_TRUE(pool.Active());  // disabled items do not stop the pool
    item->SetEnabled(true);      // starts counting afresh
    Tick(pool, 4);
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 1, 2, 3}));

    item->RepeatCount = 0;
    EXPECT_FALSE(item->Enabled());
    item->SetEnabled(true);  // refused: it could never fire
    EXPECT_FALSE(item->Enabled());
}

TEST(TimerPool, OnTimerServesItemsWithoutEvent) {
    TStyTimerPool pool(nullptr, 60000);
    std::vector<std::pair<Word, int>> calls;
    pool.OnTimer = [&](TObject* sender, Word ident, int counter) {
        EXPECT_EQ(sender, &pool);
        calls.emplace_back(ident, counter);
    };
    int own = 0;
    pool.Add(0xFD10, 60000, nullptr);
    pool.Add(0xFD11, 60000, [&](TObject*) { ++own; });
    Tick(pool, 2);
    EXPECT_EQ(calls, (std::vector<std::pair<Word, int>>{{0xFD10, 1}, {0xFD10, 2}}));
    EXPECT_EQ(own, 2);
}

TEST(TimerPool, AHandlerThatRaisesDoesNotStopThePool) {
    TScratchApplication scratch;
    std::vector<String> reported;
    std::vector<TObject*> senders;
    Application->OnException = [&](TObject* sender, Exception& e) {
        reported.push_back(e.Message);
        senders.push_back(sender);
    };
    TStyTimerPool pool(nullptr, 60000);
    int calls = 0, later = 0;
    pool.Add(1, 60000, [&](TObject*) {
        if (++calls == 1) throw Exception("handler failed");
    });
    pool.Add(2, 60000, [&](TObject*) { ++later; });
    Tick(pool, 3);
    EXPECT_EQ(calls, 3);
    ASSERT_EQ(reported, std::vector<String>{"handler failed"});
    EXPECT_EQ(senders[0], &pool);
    // The item after the failing one missed only the tick that failed, and
    // the tick that failed still counted.
    EXPECT_EQ(later, 2);
    EXPECT_EQ(pool.TickCounter(), 4);
}

TEST(TimerPool, TicksDuringAHandlerAreDropped) {
    TStyTimerPool pool(nullptr, 60000);
    int calls = 0;
    pool.Add(1, 60000, [&](TObject*) {
        ++calls;
        Tick(pool, 2);  // a handler that pumps messages sees the next ticks arrive
    });
    Tick(pool);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(pool.TickCounter(), 2);
}

TEST(TimerPool, IdentifiersAndRemoval) {
    TStyTimerPool pool(nullptr, 60000);
    EXPECT_EQ(pool.FindItem(5), nullptr);
    EXPECT_EQ(pool.Add(5, 60000, nullptr), 0);
    EXPECT_EQ(pool.Add(6, 60000, nullptr), 1);
    EXPECT_THROW(pool.Add(5, 60000, nullptr), Exception);
    EXPECT_EQ(pool.Count(), 2);
    EXPECT_EQ(pool.IndexOf(6), 1);
    EXPECT_EQ(pool.EnabledCount(), 2);

    pool.Remove(99);  // unknown: nothing
    EXPECT_EQ(pool.Count(), 2);
    pool.Remove(5);
    EXPECT_EQ(pool.IndexOf(6), 0);
    EXPECT_TRUE(pool.Active());
    pool.Remove(6);
    EXPECT_EQ(pool.Count(), 0);
    EXPECT_FALSE(pool.Active());

    // An item may remove itself from its own handler.
    int calls = 0;
    pool.Add(8, 60000, [&](TObject*) {
        ++calls;
        pool.Remove(8);
    });
    pool.Add(9, 60000, nullptr);
    Tick(pool, 2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(pool.Count(), 1);
    pool.Clear();
    EXPECT_EQ(pool.Count(), 0);
    EXPECT_FALSE(pool.Active());
}

TEST(TimerPool, IntervalAndMinIntervalRules) {
    TStyTimerPool pool(nullptr, 50);
    pool.Add(1, 100, nullptr);
    TStyTimerItem* item = pool.FindItem(1);
    EXPECT_EQ(item->Ticks(), 2);
    item->SetInterval(120);  // no multiple: ignored
    EXPECT_EQ(item->Interval(), 100);
    item->SetInterval(0);  // means MinInterval
    EXPECT_EQ(item->Interval(), 50);
    EXPECT_EQ(item->Ticks(), 1);

    pool.SetMinInterval(10);  // at run time: no effect
    EXPECT_EQ(pool.MinInterval(), 50);
    TStyTimerPool loading(nullptr);
    EXPECT_EQ(loading.MinInterval(), 1000);
    loading.SetLoading(true);
    loading.SetMinInterval(250);
    loading.FinishLoading();
    EXPECT_EQ(loading.MinInterval(), 250);

    EXPECT_THROW(TStyTimerItem(nullptr, 1, nullptr), EInvalidOperation);
}

TEST(TimerPool, TheSystemTimerReallyTicks) {
    TStyTimerPool pool(nullptr, 10);
    int calls = 0;
    pool.Add(1, 20, [&](TObject*) { ++calls; });
    EXPECT_TRUE(PumpMessagesUntil([&] { return calls >= 3; }, 20000));
    pool.Clear();
    const int after = calls;
    ProcessMessages();
    EXPECT_EQ(calls, after);
}

}  // namespace
