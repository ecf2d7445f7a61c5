#include "styled/base/StyTimerPool.h"

#include <climits>

#include "framework/controls/Application.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"
#include "styled/base/OutOfResources.h"
#include "styled/base/StyTimerItem.h"

namespace {
constexpr std::uintptr_t kSystemTimerId = 1;
}

TStyTimerPool::TStyTimerPool(TComponent* AOwner) : TStyComponent(AOwner) {}

TStyTimerPool::TStyTimerPool(TComponent* AOwner, Word MinInterval) : TStyComponent(AOwner) {
    FMinInterval = MinInterval ? MinInterval : 1;
}

TStyTimerPool::~TStyTimerPool() {
    Clear();
    if (FWindow) DeallocateHWnd(FWindow);
    FWindow = 0;
}

void TStyTimerPool::SetMinInterval(Word Value) {
    if (Value == FMinInterval || Value == 0) return;
    if (!HasState(csLoading) && !HasState(csDesigning)) return;
    FMinInterval = Value;
}

TStyTimerItem* TStyTimerPool::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(RtlConsts::SListIndexError, {Index});
    return FItems[static_cast<size_t>(Index)];
}

int TStyTimerPool::IndexOf(Word ID) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->ID() == ID) return static_cast<int>(i);
    return -1;
}

TStyTimerItem* TStyTimerPool::FindItem(Word ID) const {
    const int i = IndexOf(ID);
    return i < 0 ? nullptr : FItems[static_cast<size_t>(i)];
}

int TStyTimerPool::EnabledCount() const {
    int n = 0;
    for (const TStyTimerItem* item : FItems)
        if (item->Enabled()) ++n;
    return n;
}

void TStyTimerPool::UpdateTimer(bool Enable) {
    if (HasState(csDesigning)) return;
    if (!FWindow) FWindow = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    FActive = false;
    KillTimer(FWindow, kSystemTimerId);
    if (Enable && EnabledCount() > 0) {
        if (SetTimer(FWindow, kSystemTimerId, FMinInterval) == 0)
            throw EOutOfResources("Not enough timers available");
        FTickCounter = 1;
        FActive = true;
    }
}

int TStyTimerPool::Add(Word ID, Word Interval, TNotifyEvent Event) {
    if (!FItems.empty() && IndexOf(ID) != -1)
        throw Exception("Timer identifier %d is already in use", {static_cast<int>(ID)});
    if (Interval % FMinInterval != 0 || Interval < FMinInterval)
        throw Exception("Interval not compatible with MinInterval property!");
    auto* item = new TStyTimerItem(this, ID, &FItems);
    FItems.push_back(item);
    const int index = Count() - 1;
    item->SetInterval(Interval);
    item->Event = std::move(Event);
    UpdateTimer(true);
    return index;
}

void TStyTimerPool::Remove(Word ID) {
    struct TRemoving {
        bool& Flag;
        explicit TRemoving(bool& f) : Flag(f) { Flag = true; }
        ~TRemoving() { Flag = false; }
    } removing(FRemoving);
    TStyTimerItem* item = FindItem(ID);
    if (!item) return;
    item->SetEnabled(false);
    item->Event = nullptr;
    delete item;  // leaves FItems
    if (FItems.empty()) UpdateTimer(false);
}

void TStyTimerPool::Clear() {
    if (FWindow) KillTimer(FWindow, kSystemTimerId);
    FActive = false;
    while (!FItems.empty()) delete FItems.back();
}

void TStyTimerPool::WndProc(TMessage& Message) {
    if (Message.Msg != WM_TIMER) {
        Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    Message.Result = 0;
    if (FInTimer) return;
    FInTimer = true;
    try {
        ProcessTick();
    } catch (...) {
        // Cleared before the report: the error box runs a message loop of
        // its own, and the pool must keep ticking after a handler failed.
        FInTimer = false;
        if (Application)
            Application->HandleException(this, std::current_exception());
        else
            HandleDispatchException(std::current_exception());
        return;
    }
    FInTimer = false;
}

void TStyTimerPool::ProcessTick() {
    if (FRemoving) return;
    // The tick counts even when a handler raises, so the next tick is not
    // taken for this one again.
    struct TAdvance {
        int& Counter;
        ~TAdvance() { Counter = Counter == INT_MAX ? 0 : Counter + 1; }
    } advance{FTickCounter};
    for (size_t i = 0; i < FItems.size(); ++i) {
        TStyTimerItem* item = FItems[i];
        if (item->Enabled() && FTickCounter % item->Ticks() == 0) item->Fire();
    }
}
