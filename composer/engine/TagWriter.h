#pragma once
// Writes the composed Tag lines (or, in Remove mode, deletes tags) into one
// page and saves it safely over itself. Only the head is read and rebuilt;
// the rest of the page is streamed from the old file into the new one.
#include <functional>
#include <set>
#include <vector>

#include "composer/engine/MetaFields.h"
#include "composer/engine/PageHead.h"

class TFileSource;

class TTagWriter {
public:
    TPageHead Head;
    std::vector<String> TagLineList;  // the lines to write, in order
    std::vector<String> RemoveList;   // tag openings to delete in Remove mode
    String Title;                     // the title box
    bool WriteTitle = false;          // exactly one page is selected
    bool RemoveMode = false;          // "Remove Tags" is ticked
    TShowMessageEvent OnShowMessage;
    // Runs when the page has been read and its new head made, just before
    // the page is replaced: another program may change the page here.
    std::function<void(const String& path)> OnBeforeReplace;
    // Why the last page that was not written failed, for the line under
    // its result: the error number and the system's reason
    // ("Error 102: No space left on device"). Empty after a success.
    String LastFailure;

    // True when the page was saved. Raises ENoFile for an empty name and lets
    // the head extraction's EInvalidHTMLFile through; EFOpenError when the
    // page went away before its new head was put in place.
    bool WriteTags(const String& fileName);
    int BuildRemoveList(const TMetaFields& fields, const TTagSettings& settings);
    void RemoveTags();
    void WriteTitleLine();
    void WriteMetaTags();

    // Replaces the page by `head` followed by `source` from `restOffset`
    // on, through a temporary file in its folder; a link is followed to the
    // file it names. A page without any write permission is refused.
    // `page`, when given, is the whole of `source` as read: the rest is
    // written from it rather than read again. Raises EFileCreateFailure or
    // EFileWriteFailure with the reason.
    static void SavePage(const String& fileName, const String& head, TFileSource& source, Int64 restOffset,
                         const String* page = nullptr);
    // A composed Tag line closed the way `selfClosed` says ("/>" or ">").
    static String WithEnding(const String& line, bool selfClosed);
    // A composed line as bytes of the page, its content a change from
    // `oldContent` (the old tag's bytes; empty for a new tag), closed with
    // `ending` ("/>" or ">"), or as composed when that is null.
    String TagBytes(const String& line, const String& oldContent, const char* ending) const;

private:
    std::set<String> FCleanedFolders;  // folders whose stale temporary files are gone
};

namespace WriterTexts {
inline constexpr const char* SCouldNotLoad = "Could not Load File, Error 101!";
inline constexpr const char* SCouldNotUpdate = "Could not update File, Error 102!";
}  // namespace WriterTexts
