#pragma once
// Writes the composed Tag lines (or, in Remove mode, deletes tags) into one
// page and saves it safely over itself.
#include <vector>

#include "composer/engine/MetaFields.h"
#include "composer/engine/PageHead.h"

class TTagWriter {
public:
    TPageHead Head;
    std::vector<String> TagLineList;  // the lines to write, in order
    std::vector<String> RemoveList;   // tag openings to delete in Remove mode
    String Title;                     // the title box
    bool WriteTitle = false;          // exactly one page is selected
    bool RemoveMode = false;          // "Remove Tags" is ticked
    TShowMessageEvent OnShowMessage;

    // True when the page was saved. Raises ENoFile for an empty name and lets
    // the head extraction's EInvalidHTMLFile through.
    bool WriteTags(const String& fileName);
    int BuildRemoveList(const TMetaFields& fields, const TTagSettings& settings);
    void RemoveTags();
    void WriteTitleLine();
    void WriteMetaTags();

    // Replaces the page by the new text through a temporary file in its
    // folder; a link is followed to the file it names. A page without any
    // write permission is refused. Raises Exception on failure.
    static void SavePage(const String& fileName, const String& text);
};

namespace WriterTexts {
inline constexpr const char* SCouldNotLoad = "Could not Load File, Error 101!";
inline constexpr const char* SCouldNotUpdate = "Could not update File, Error 102!";
}  // namespace WriterTexts
