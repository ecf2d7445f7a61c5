#pragma once
// A main dictionary entry of the configuration.
#include "spell/store/User.h"

class TMain : public TUser {
public:
    TMain() = default;
    TMain(const String& fileName, bool enabled, const String& description)
        : TUser(fileName, enabled), Description(description) {}
    String Description;
};
