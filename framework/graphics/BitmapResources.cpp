#include "framework/graphics/BitmapResources.h"

#include <map>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/rtl/StrUtils.h"

namespace {
std::map<String, std::unique_ptr<TBitmap>>& Table() {
    static std::map<String, std::unique_ptr<TBitmap>> table;
    return table;
}
}  // namespace

void RegisterBitmapResource(const String& name, TBitmap* bitmap) {
    if (!bitmap) return;
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bitmap);
    Table()[UpperCase(name)] = std::move(copy);
}

void UnregisterBitmapResource(const String& name) { Table().erase(UpperCase(name)); }

bool FindBitmapResource(const String& name, TBitmap* bitmap) {
    auto it = Table().find(UpperCase(name));
    if (it == Table().end() || !bitmap) return false;
    bitmap->Assign(it->second.get());
    return true;
}
