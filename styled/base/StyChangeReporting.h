#pragma once
#include "framework/classes/Persistent.h"

// The change reporting the styled objects and components share, on top of
// the framework class they extend: Change fires OnChange unless an update
// batch is running; an owner hooks a part's OnChange to its own GetChange.
template <class Base>
class TStyChangeReporting : public Base {
public:
    using Base::Base;

    TNotifyEvent OnChange;
    bool Updating() const { return FUpdating; }

    // Reports through OnChange unless an update is running.
    virtual void Change() {
        if (OnChange && !FUpdating) OnChange(this);
    }
    // What an owner hands its sub-objects as their OnChange.
    virtual void GetChange(TObject* Sender) {
        (void)Sender;
        Change();
    }
    // Batches changes. Not counted: the first EndUpdate ends the batch.
    void BeginUpdate() { FUpdating = true; }
    void EndUpdate(bool DoChange) {
        FUpdating = false;
        if (DoChange) Change();
    }

protected:
    bool FUpdating = false;
};
