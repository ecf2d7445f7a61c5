#pragma once
#include <memory>
#include <vector>

class TStyGlyphList;

// The glyph lists of the process, one per cell size, shared by every glyph
// of that size.
class TStyGlyphCache {
public:
    TStyGlyphCache() = default;
    ~TStyGlyphCache();
    TStyGlyphCache(const TStyGlyphCache&) = delete;
    TStyGlyphCache& operator=(const TStyGlyphCache&) = delete;

    TStyGlyphList* GetList(int Width, int Height);
    // Frees the list once no cell of it is used.
    void ReturnList(TStyGlyphList* List);
    bool Empty() const { return FLists.empty(); }
    int ListCount() const { return static_cast<int>(FLists.size()); }

    // The one cache: made by the first glyph, freed by the last one going
    // while the cache is empty. nullptr when there is none.
    static TStyGlyphCache* Instance();
    static TStyGlyphCache* Acquire();
    static void ReleaseIfEmpty();

private:
    std::vector<std::unique_ptr<TStyGlyphList>> FLists;
};
