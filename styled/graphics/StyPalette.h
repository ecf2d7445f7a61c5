#pragma once
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

// A logical palette as the drawing routines build it from a colour table:
// version 0x300, one entry per colour with the no-collapse flag. The
// framework's surfaces hold true colour, so selecting and realising one
// changes no pixel; it is kept because paint attributes hand it around and
// a colour-mapped surface would need it.
class TStyPalette {
public:
    struct TEntry {
        Byte Red = 0;
        Byte Green = 0;
        Byte Blue = 0;
        Byte Flags = 0;
    };
    static constexpr Word Version = 0x300;
    static constexpr Byte NoCollapse = 4;

    explicit TStyPalette(std::vector<TEntry> entries) : FEntries(std::move(entries)) {}

    const std::vector<TEntry>& Entries() const { return FEntries; }
    int Count() const { return static_cast<int>(FEntries.size()); }

private:
    std::vector<TEntry> FEntries;
};
