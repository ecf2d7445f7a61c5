#pragma once
// A user dictionary entry of the configuration.
#include "framework/rtl/Types.h"

class TUser : public TObject {
public:
    TUser() = default;
    TUser(const String& fileName, bool enabled) : FileName(fileName), Enabled(enabled) {}
    String FileName;
    bool Enabled = false;
};
