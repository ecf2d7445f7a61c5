#pragma once
// Builds ".THR" files from head words and their senses. The shipped
// thesaurus comes from WordNet (WordNetSource.h); small ones may be written
// in MyThes's plain format (a head word line
// "word|count" followed by that many lines "(pos)|term|term..."), mapped so:
// terms lose the " (similar term)" and " (related term)" notes; hypernyms
// ("(generic term)") and antonyms are left out, being no synonyms; the head
// word itself and repeated terms are dropped; a sense left without terms is
// dropped. Each remaining sense becomes one meaning, named by its first
// term, of the kind its part of speech gives (noun, verb, adj, adv; any
// other part of speech is a context meaning), listing its terms in order.
#include <set>
#include <vector>

#include "framework/rtl/Types.h"

struct TThesaurusSense {
    int Kind = 0;  // TThesaurusKind
    String Label;
    std::vector<String> Synonyms;
    bool operator==(const TThesaurusSense&) const = default;
};

struct TThesaurusEntry {
    String Word;
    std::vector<TThesaurusSense> Senses;
};

// What a file image uses of the format's room.
struct TThesaurusStats {
    std::size_t Nodes = 0, Meanings = 0, HeadWords = 0;
};

class TThesaurusWriter {
public:
    // The limits of the file: node and synonym indexes are 16 bits, and a
    // meaning code (record * 5 + kind) is 16 bits too.
    static constexpr std::size_t MaxNodes = 65536;
    static constexpr std::size_t MaxRecords = 65536 / 5;

    // Head words with their mapped senses, in file order, each keeping at
    // most `maxSenses` senses (MyThes lists the most used senses first);
    // entries left without senses are dropped. Raises EConvertError on
    // malformed data.
    static std::vector<TThesaurusEntry> ParseMyThes(const String& text, std::size_t maxSenses = 255);
    // The file image of all entries; EConvertError when it exceeds a limit.
    static String Build(const std::vector<TThesaurusEntry>& entries, TThesaurusStats* stats = nullptr);
};
