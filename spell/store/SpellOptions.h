#pragma once
// The checking options, stored as bit flags in 16 bits.
#include "framework/rtl/Types.h"

enum TSpellOption : Word {
    soUpcase = 1,
    soNumbers = 2,
    soHTML = 4,
    soInternet = 8,
    soQuoted = 16,
    soAutoSuggest = 32,
    soPrimaryOnly = 64,
    soRecheck = 128,
    soRepeated = 256,
    soDualCaps = 512,
    soUser1 = 1024,
    soUser2 = 2048,
    soUser3 = 4096,
    soUser4 = 8192,
};
using TSpellOptions = Word;

struct TSpellOptionKey {
    TSpellOption Option;
    const char* Name;     // the option's key in the configuration file
    bool KeyDefault;      // read when the key is missing
};

// In the order the configuration file lists them.
inline constexpr TSpellOptionKey SpellOptionKeys[] = {
    {soUpcase, "soUpcase", true},         {soNumbers, "soNumbers", false},
    {soAutoSuggest, "soAutoSuggest", true}, {soPrimaryOnly, "soPrimaryOnly", true},
    {soRecheck, "soRecheck", true},       {soRepeated, "soRepeated", true},
    {soDualCaps, "soDualCaps", false},    {soHTML, "soHTML", true},
    {soInternet, "soInternet", true},     {soQuoted, "soQuoted", true},
    {soUser1, "soUser1", false},          {soUser2, "soUser2", false},
    {soUser3, "soUser3", false},          {soUser4, "soUser4", false},
};
