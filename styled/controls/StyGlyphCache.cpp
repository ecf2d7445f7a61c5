#include "styled/controls/StyGlyphCache.h"

#include <algorithm>

#include "styled/controls/StyGlyphList.h"

namespace {
std::unique_ptr<TStyGlyphCache> gCache;
}

TStyGlyphCache::~TStyGlyphCache() = default;

TStyGlyphList* TStyGlyphCache::GetList(int Width, int Height) {
    for (auto& l : FLists)
        if (l->Width() == Width && l->Height() == Height) return l.get();
    FLists.push_back(std::make_unique<TStyGlyphList>(Width, Height));
    return FLists.back().get();
}

void TStyGlyphCache::ReturnList(TStyGlyphList* List) {
    if (!List || List->Count() != 0) return;
    FLists.erase(std::remove_if(FLists.begin(), FLists.end(), [List](const auto& l) { return l.get() == List; }),
                 FLists.end());
}

TStyGlyphCache* TStyGlyphCache::Instance() { return gCache.get(); }

TStyGlyphCache* TStyGlyphCache::Acquire() {
    if (!gCache) gCache = std::make_unique<TStyGlyphCache>();
    return gCache.get();
}

void TStyGlyphCache::ReleaseIfEmpty() {
    if (gCache && gCache->Empty()) gCache.reset();
}
