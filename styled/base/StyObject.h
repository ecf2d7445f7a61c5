#pragma once
#include "framework/classes/Persistent.h"
#include "styled/base/StyChangeReporting.h"

// A persistent object that reports its changes (paint attributes, regions,
// waves). Its owner hooks OnChange, usually to its own GetChange, and
// repaints from there.
class TStyObject : public TStyChangeReporting<TPersistent> {
public:
    TStyObject() = default;
    String ClassName() const override { return "TStyObject"; }
};
