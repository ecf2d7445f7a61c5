#include "styled/base/StyTimerItem.h"

#include <algorithm>
#include <climits>

#include "framework/rtl/Exception.h"
#include "styled/base/StyTimerPool.h"

TStyTimerItem::TStyTimerItem(TStyTimerPool* Pool, Word ID, TItemList* List)
    : FID(ID), FList(List), FPool(Pool) {
    if (!List || !Pool) throw EInvalidOperation(ClassName() + ": Invalid Owner or List");
    const int min = Pool->MinInterval() ? Pool->MinInterval() : 1;
    FTicks = std::max(1, 1000 / min);
}

TStyTimerItem::~TStyTimerItem() {
    FEnabled = false;
    Event = nullptr;
    if (FList) FList->erase(std::remove(FList->begin(), FList->end(), this), FList->end());
}

void TStyTimerItem::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    if (Value && RepeatCount == 0) return;
    FEnabled = Value;
    FCount = 0;
}

void TStyTimerItem::SetInterval(Word Value) {
    if (Value == FInterval) return;
    const Word min = FPool->MinInterval() ? FPool->MinInterval() : 1;
    if (Value % min != 0) return;
    if (Value == 0) Value = min;
    FTicks = std::max(1, Value / min);
    FInterval = Value;
    FCount = 0;
}

void TStyTimerItem::Fire() {
    if (!FEnabled) return;
    FCount = FCount == INT_MAX ? 0 : FCount + 1;
    if (FCount == RepeatCount) FEnabled = false;
    // Copies: a handler may remove its own item, and the pool's OnTimer
    // may be reassigned while it runs.
    if (Event) {
        const TNotifyEvent event = Event;
        event(FPool);
    } else if (FPool->OnTimer) {
        const TStyTimerPoolEvent onTimer = FPool->OnTimer;
        onTimer(FPool, FID, FCount);
    }
}
