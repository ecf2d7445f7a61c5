#pragma once
// The near misses of a word, one edit away from it: what a main dictionary
// and the engine's background generator both try as suggestions. The walk
// only makes the candidates; the caller tests them, lists them and says
// when to stop.
#include <functional>
#include <vector>

#include "framework/rtl/Types.h"

// The kinds of edit. The values are the bits of a dictionary's
// SuggestionPasses.
enum class TEditPass : Byte {
    CaseToggle = 0,      // one letter a-z or A-Z in the other case
    AdjacentSwap = 1,    // two neighbours exchanged
    Deletion = 2,        // one character removed
    Insertion = 3,       // a letter inserted after a character, never before the first
    Replacement = 4,     // one character replaced by a letter
    SwapOverOne = 5,     // characters i and i+2 exchanged; 3 or more characters
    DoubleDeletion = 6,  // one character removed, then another; 5 or more characters
    Split = 7,           // two words joined by a space; 4 or more characters
};

struct TSuggestionWalk {
    // The letters inserted and put in place of a character, in this order.
    String Letters;
    // Each candidate with the edit that made it; false ends the walk.
    std::function<bool(const String& candidate, TEditPass pass)> Candidate;
    // Whether a part of the word is a word: a split is offered only when
    // both parts are.
    std::function<bool(const String& part)> IsWord;
    // Where the caller may let other work in: before each position of the
    // insertion pass (passEnd false) and after each pass that ran (passEnd
    // true). False ends the walk. Optional.
    std::function<bool(TEditPass pass, bool passEnd)> Step;
};

// Makes the candidates of each pass, in the order given. False when a
// callback ended the walk.
bool WalkSuggestions(const String& word, const std::vector<TEditPass>& passes, const TSuggestionWalk& walk);
