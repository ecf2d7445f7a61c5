// The settings store: every key and value of the file, walked as the
// program reads them.
#include <cstdlib>

#include "framework/classes/StringList.h"
#include "framework/system/Registry.h"
#include "fuzz/FuzzInput.h"

namespace {
std::string StorePath() { return fuzz::WorkPath("registry.ini"); }

void Walk(TRegistry& reg, const String& key, int depth) {
    if (depth > 8 || !reg.OpenKeyReadOnly(key)) return;
    TStringList values, keys;
    reg.GetValueNames(&values);
    for (int i = 0; i < values.Count(); ++i) {
        reg.ReadString(values.Get(i));
        fuzz::Refusable([&] { reg.ReadInteger(values.Get(i)); });
    }
    reg.GetKeyNames(&keys);
    for (int i = 0; i < keys.Count() && i < 64; ++i) Walk(reg, key + "\\" + keys.Get(i), depth + 1);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("VELMOR_REGISTRY", StorePath().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputFile("registry.ini", data, size);
    fuzz::Refusable([&] {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            TRegistry reg;
            reg.SetRootKey(root);
            Walk(reg, "\\", 0);
        }
    });
    return 0;
}
