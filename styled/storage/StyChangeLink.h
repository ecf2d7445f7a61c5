#pragma once
#include "framework/rtl/Types.h"

class TStyBaseContainer;

// How a control hears of changes in the container it shows a picture of.
// A link unregisters itself when it goes.
class TStyChangeLink : public TObject {
public:
    TStyChangeLink() = default;
    ~TStyChangeLink() override;
    TStyChangeLink(const TStyChangeLink&) = delete;
    TStyChangeLink& operator=(const TStyChangeLink&) = delete;

    TStyBaseContainer* Container() const { return FContainer; }
    TNotifyEvent OnChange;

private:
    friend class TStyBaseContainer;
    TStyBaseContainer* FContainer = nullptr;
};
