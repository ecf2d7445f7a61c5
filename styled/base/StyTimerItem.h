#pragma once
#include <vector>

#include "framework/rtl/Types.h"

class TStyTimerPool;

// One logical timer of a pool. It fires on the pool's ticks whose number
// is divisible by Ticks = Interval / MinInterval. The pool owns it.
class TStyTimerItem : public TObject {
public:
    using TItemList = std::vector<TStyTimerItem*>;

    // EInvalidOperation without a pool or a list.
    TStyTimerItem(TStyTimerPool* Pool, Word ID, TItemList* List);
    // Leaves the list it is in.
    ~TStyTimerItem() override;
    String ClassName() const { return "TStyTimerItem"; }

    // Firings after which the item switches itself off; -1 never matches.
    int RepeatCount = -1;
    // The item's own handler, called with the pool as Sender.
    TNotifyEvent Event;

    int Count() const { return FCount; }
    bool Enabled() const { return FEnabled; }
    // Resets Count. Switching on is refused while RepeatCount is 0. The
    // pool's system timer keeps running either way.
    void SetEnabled(bool Value);
    Word ID() const { return FID; }
    Word Interval() const { return FInterval; }
    // Ignored unless a multiple of the pool's MinInterval (0 means
    // MinInterval); resets Count.
    void SetInterval(Word Value);
    int Ticks() const { return FTicks; }
    TStyTimerPool* Pool() const { return FPool; }

    // Called by the pool on a tick that is due.
    void Fire();

private:
    int FCount = 0;
    bool FEnabled = true;
    Word FID;
    Word FInterval = 1000;
    int FTicks = 1;
    TItemList* FList;
    TStyTimerPool* FPool;
};
