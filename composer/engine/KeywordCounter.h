#pragma once
// The keyword generator's arithmetic, apart from its window: cutting the
// body span out of a page, splitting plain text into words, dropping noise
// words and words already chosen, counting and ranking what is left, and
// merging chosen words into a keywords text.
#include <vector>

#include "framework/rtl/Types.h"

// One row of the word list, highest count first.
struct TKeywordRow {
    String Word;
    int Count = 0;
    String Share;  // "% of Total Words"; empty when no word was counted
};

struct TWordCount {
    // Words left after filtering (the divisor of the shares), and the words
    // themselves, cleaned, in text order.
    int FilteredWordCount = 0;
    std::vector<String> Words;
    // Every distinct word with its count, highest count first; among equal
    // counts in descending word order, letter case ignored.
    std::vector<TKeywordRow> Rows;
};

enum TBodySpanResult {
    bsFound,          // the span runs through the closing tag
    bsNoOpeningTag,   // neither "<BODY" nor "<FRAMESET": the user is told
    bsNoClosingTag,   // no closing tag after the opening one: silently empty
};

class TKeywordCounter {
public:
    // The span from the first "<BODY" (else "<FRAMESET") through the end of
    // the first "</BODY>" (else "</FRAMESET>") after it, letter case
    // ignored, cut to at most `bodyCheckLength` characters. A span shorter
    // than `bodyCheckLength` lowers it to the span's length. `span` is empty
    // unless the result is bsFound.
    static TBodySpanResult CutBodySpan(const String& page, int& bodyCheckLength, String& span);

    // The words of `text` by the comma-text rule: blanks and commas part
    // words, a double-quoted word keeps its blanks; empty words are dropped.
    static std::vector<String> SplitWords(const String& text);

    // A word as it is counted and offered: the punctuation that sticks to
    // words in running text ("%", '"', ",", "'", "<", ".", ">", ")", "(")
    // removed, except a point between two digits ("2.4" stays a number),
    // and every "==" folded to "=".
    static String CleanWord(const String& word);

    // Whether a cleaned word holds a letter or a digit, of any script.
    static bool HasWordCharacter(const String& word);
    // A comma-text word parted further at every character beyond ASCII
    // that is no letter or digit.
    static std::vector<String> SplitAtNonLetters(const String& word);

    // Counts the words of `plainText` (UTF-8). Each word is cleaned first, so "dog."
    // and "Dog" are one word; one without a letter or digit ("|", "-") is
    // no word. A
    // word that is in `noise` or in `chosen` (letter case ignored) is left
    // out. The first form met names the row.
    static TWordCount CountWords(const String& plainText, const std::vector<String>& noise,
                                 const std::vector<String>& chosen);

    // The first min(rows, topCount) rows; a top count below 1 gives none.
    static std::vector<TKeywordRow> TopRows(const TWordCount& count, int topCount);

    // count / total × 100 with three decimals and the locale's decimal
    // separator; empty when total is 0.
    static String ShareText(int count, int total);

    // The main window's merge: each chosen word the keywords do not hold yet
    // (comma-text words, letter case ignored) goes in front of them, so the
    // chosen words stand first in the order they were chosen, joined by ","
    // without a blank. Keywords that are only blanks are replaced.
    static String PrependChosenWords(const String& keywords, const std::vector<String>& chosen);

    // The batch merge: starts from the trimmed existing keywords and puts
    // each chosen word they do not hold in front, the last chosen word first.
    static String MergeKeywords(const String& existing, const std::vector<String>& chosen);

    // Whether `words` holds `word`, letter case ignored.
    static bool HoldsWord(const std::vector<String>& words, const String& word);
};
