#pragma once
// The batch keyword generator's own page edit: it finds the one keywords
// tag in a page's head as a browser reads it, merges chosen words into it
// (or inserts a new tag after the head's start tag), and saves the page
// safely. It touches no other tag and nothing after the head; the page
// after its head is streamed, so its size does not matter.
#include <vector>

#include "framework/rtl/Types.h"

class TPageHead;

class TKeywordsTag {
public:
    // The page being worked on; errors name it.
    String CurrentPage;

    static inline constexpr const char* TagPrefix = "<meta name=\"keywords\" content=\"";
    static inline constexpr const char* TagSuffix = "\">";

    // The head of a page whose head is found (through "</head>"), with the
    // chosen words merged in front of its keywords, as text: written in the
    // page's encoding, the old tag's own ending kept. An old tag whose words
    // do not change stays byte for byte.
    String MergedHead(TPageHead& head, const std::vector<String>& chosen) const;

    // The whole edit on a page's text. Raises EInvalidHTMLFile.
    String MergeIntoPage(const String& page, const std::vector<String>& chosen);

    // Reads the page's head, merges and saves it over itself through a
    // temporary file, so a failure leaves the old page whole. Raises on any
    // failure (ENoFile for an empty path, EFOpenError, EInvalidHTMLFile, or
    // the save's error).
    void UpdatePage(const String& path, const std::vector<String>& chosen);
};
