#pragma once
// Builds ".THR" files. The source is MyThes data (a head word line
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
    // Most common first: head words found in `common` before the others,
    // then those with more senses (how many meanings a word has grows with
    // how often it is used), then shorter, then in byte order.
    static void Rank(std::vector<TThesaurusEntry>& entries, const std::set<String>& common);
    // The file image of all entries; EConvertError when it exceeds a limit.
    static String Build(const std::vector<TThesaurusEntry>& entries);
    // The image of the longest leading run of `entries` that fits the
    // format; `kept` receives its length.
    static String BuildLargest(const std::vector<TThesaurusEntry>& entries, std::size_t& kept);
};
