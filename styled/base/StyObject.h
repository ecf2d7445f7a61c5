#pragma once
#include "framework/classes/Persistent.h"

// A persistent object that reports its changes (paint attributes, regions,
// waves). Its owner hooks OnChange, usually to its own GetChange, and
// repaints from there.
class TStyObject : public TPersistent {
public:
    TStyObject() = default;
    String ClassName() const override { return "TStyObject"; }

    TNotifyEvent OnChange;
    bool Updating() const { return FUpdating; }

    // Reports through OnChange unless an update is running.
    virtual void Change();
    // What an owner hands its sub-objects as their OnChange.
    virtual void GetChange(TObject* Sender);
    // Batches changes. Not counted: the first EndUpdate ends the batch.
    void BeginUpdate();
    void EndUpdate(bool DoChange);

protected:
    bool FUpdating = false;
};
