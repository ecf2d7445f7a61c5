#pragma once
// What the composer's test programs share besides the scratch folders and
// file helpers of support/TempDir.h: a private settings store for each test.
#include <string>

#include "support/TempDir.h"

// Points the settings store at a file of its own while it lives.
class TPrivateRegistry : public TEnvOverride {
public:
    explicit TPrivateRegistry(const std::string& file) : TEnvOverride("VELMOR_REGISTRY", file.c_str()) {}
};
