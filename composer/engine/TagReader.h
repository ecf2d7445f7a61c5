#pragma once
// Reads one page's title and META tags into the field values, as text: the
// page's encoding and its character references are resolved, so the fields
// show what a reader of the page sees. Only the head is read, however large
// the page.
#include <functional>

#include "composer/engine/MetaFields.h"
#include "composer/engine/PageHead.h"

class TTagReader {
public:
    // The reading modes and their name lists.
    enum { rmKeywordsDescription = 1, rmOptions = 2, rmCustom = 7 };

    TPageHead Head;
    TTagSettings Settings;  // aname, clasname, lname and catstr are used
    // The window's keyword snapshot, merged with by the keyword generator.
    String KeywordSnapshot;

    TShowMessageEvent OnShowMessage;
    std::function<void(const String& caption)> OnCaption;
    TProcessMessagesEvent OnProcessMessages;

    // Reads the page into every field. False when it stopped with a message.
    // Errors other than the page's own are left to the caller's handler.
    bool xread(const String& currentFile, TMetaFields& fields);
    // The custom step's "Read HTML": only the custom rows.
    bool ReadCustomTags(const String& currentFile, TMetaFields& fields);
    // Every field from a page's bytes held in memory, without messages:
    // raises what the page's head raises (EInvalidHTMLFile,
    // EInvalidMetaTag).
    void ReadPageText(const String& page, TMetaFields& fields);

    void BuildTagList(TTagList& list, int mode, const TMetaFields& fields) const;
    void ReadTags(int mode, TTagList& list, TMetaFields& fields);
    void SetMetaTags(const TTagList& list, TMetaFields& fields) const;
    void ReadTitleLine(TMetaFields& fields);
    void SaveKeywordSnapshot(const TMetaFields& fields);

private:
    bool LoadAndNormalise(const String& currentFile);
    void ReadAll(TMetaFields& fields, const std::function<void(const String&)>& caption);
    // Runs a read; a page that is not HTML, a broken tag or a missing file
    // is reported through OnShowMessage and answers false.
    bool ReportingPageFaults(const std::function<bool()>& read);
};

namespace ReaderTexts {
inline constexpr const char* SNoFileSelected = "No File Selected.";
inline constexpr const char* SCouldNotLoad = "Could not Load File, Error 101!";
inline constexpr const char* SReadingTitle = "Velmor - Reading Title Line...";
inline constexpr const char* SReadingKeywords = "Velmor - Reading keywords and description...";
inline constexpr const char* SReadingOther = "Velmor - Reading other tags...";
inline constexpr const char* SReadingCustom = "Velmor - Reading custom...";
}  // namespace ReaderTexts
