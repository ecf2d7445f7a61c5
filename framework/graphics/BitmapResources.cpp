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

struct TCursorResource {
    std::unique_ptr<TBitmap> Image;
    int HotX = 0, HotY = 0;
};

std::map<int, TCursorResource>& Cursors() {
    static std::map<int, TCursorResource> cursors;
    return cursors;
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

void RegisterCursorResource(int id, TBitmap* image, int hotX, int hotY) {
    if (!image) return;
    TCursorResource r;
    r.Image = std::make_unique<TBitmap>();
    r.Image->Assign(image);
    r.HotX = hotX;
    r.HotY = hotY;
    Cursors()[id] = std::move(r);
}

void UnregisterCursorResource(int id) { Cursors().erase(id); }

bool FindCursorResource(int id, TBitmap* image, int& hotX, int& hotY) {
    auto it = Cursors().find(id);
    if (it == Cursors().end() || !image) return false;
    image->Assign(it->second.Image.get());
    hotX = it->second.HotX;
    hotY = it->second.HotY;
    return true;
}
