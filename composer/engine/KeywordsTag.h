#pragma once
// The batch keyword generator's own page edit: it finds the one keywords
// tag in a page's head with plain text searches, merges chosen words into
// it (or inserts a new tag after "<HEAD>"), and saves the page safely. It
// touches no other tag and nothing after "</HEAD>".
#include <vector>

#include "framework/rtl/Types.h"

class TKeywordsTag {
public:
    // The page being worked on; errors name it.
    String CurrentPage;
    // Positions in the head text, 0-based; -1 while unknown.
    int HeadContentStart = -1;   // just behind "<HEAD>"
    int KeywordsTagStart = -1;   // the keywords tag's "<"
    int KeywordsTagLength = -1;  // through the tag's closing ">"

    static inline constexpr const char* TagPrefix = "<meta name=\"keywords\" content=\"";
    static inline constexpr const char* TagSuffix = "\">";

    // The page from its start through the "</HEAD>" that comes before its
    // body or frameset tag. Raises EInvalidHTMLFile.
    String CutHead(const String& page) const;

    // The content of the head's keywords tag: the tag is the first
    // `<meta name="keywords"` (exactly so, letter case ignored) after
    // "<HEAD>", the content the text between the two double quotes that
    // follow "content" inside the tag. Empty when any of them is missing.
    // Raises EInvalidHTMLFile when the head has no "<HEAD>".
    String FileKeyWords(const String& head);

    // Puts `<meta name="keywords" content="merged">` in the place of the old
    // tag when one was found, else on a line of its own right after
    // "<HEAD>".
    void writeKeyWords(String& head, const String& merged) const;

    // The whole edit on a page's text: the new page text, with the chosen
    // words merged in front of the old keywords. Raises EInvalidHTMLFile.
    String MergeIntoPage(const String& page, const std::vector<String>& chosen);

    // Loads the page, merges and saves it over itself through a temporary
    // file, so a failure leaves the old page whole. Raises on any failure
    // (ENoFile for an empty path, EFOpenError, EInvalidHTMLFile, or the
    // save's error).
    void UpdatePage(const String& path, const std::vector<String>& chosen);
};
