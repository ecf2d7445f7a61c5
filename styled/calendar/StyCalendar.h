#pragma once
#include "styled/calendar/StyCustomCalendar.h"

// The month calendar as windows place it.
class TStyCalendar : public TStyCustomCalendar {
public:
    explicit TStyCalendar(TComponent* AOwner) : TStyCustomCalendar(AOwner) {}
    String ClassName() const override { return "TStyCalendar"; }
};
