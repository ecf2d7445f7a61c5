#pragma once
#include <functional>
#include <vector>

#include "framework/messages/Messages.h"
#include "styled/base/StyComponent.h"

class TStyTimerItem;

using TStyTimerPoolEvent = std::function<void(TObject* Sender, Word Ident, int Counter)>;

// Any number of logical timers over one system timer: a hidden window whose
// timer ticks every MinInterval milliseconds. Items fire on the ticks whose
// number is divisible by their interval's multiple of MinInterval.
//
// A handler that raises goes to the application's exception handling; the
// pool keeps ticking afterwards. Ticks that arrive while a handler runs
// (one that shows a modal window) are dropped, not queued.
class TStyTimerPool : public TStyComponent {
public:
    explicit TStyTimerPool(TComponent* AOwner);
    // Sets MinInterval directly, whatever the state.
    TStyTimerPool(TComponent* AOwner, Word MinInterval);
    ~TStyTimerPool() override;
    String ClassName() const override { return "TStyTimerPool"; }

    Word MinInterval() const { return FMinInterval; }
    // Takes effect only while the pool is being loaded or designed; at run
    // time the period stays what it was.
    void SetMinInterval(Word Value);
    TStyTimerPoolEvent OnTimer;

    // Index of the new item. Raises for an identifier in use and for an
    // interval that is not a positive multiple of MinInterval.
    int Add(Word ID, Word Interval, TNotifyEvent Event);
    void Remove(Word ID);
    void Clear();
    int IndexOf(Word ID) const;
    TStyTimerItem* FindItem(Word ID) const;
    int EnabledCount() const;
    int Count() const { return static_cast<int>(FItems.size()); }
    TStyTimerItem* Items(int Index) const;

    bool Active() const { return FActive; }
    int TickCounter() const { return FTickCounter; }
    // The hidden window (0 until the first item came). Sending it WM_TIMER
    // is one tick, which is how tests drive the pool.
    HWND WindowHandle() const { return FWindow; }

protected:
    void UpdateTimer(bool Enable);
    void WndProc(TMessage& Message);
    void ProcessTick();

private:
    Word FMinInterval = 1000;
    bool FActive = false;
    bool FInTimer = false;
    bool FRemoving = false;
    HWND FWindow = 0;
    int FTickCounter = 0;
    std::vector<TStyTimerItem*> FItems;
};
