#pragma once
// Reads one page's title and META tags into the field values. The page's
// head is cut out and normalised first, so every tag stands on its own line.
#include <functional>

#include "composer/engine/MetaFields.h"
#include "composer/engine/PageHead.h"

// One META line taken apart.
struct TParsedMetaTag {
    String AttributeName;  // "name" or "http-equiv"
    String TagName;
    String Content;
};

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

    void BuildTagList(TTagList& list, int mode, const TMetaFields& fields) const;
    void ReadTags(int mode, TTagList& list, TMetaFields& fields);
    static TParsedMetaTag ParseMetaTag(const String& line, bool strip);
    void SetMetaTags(const TTagList& list, TMetaFields& fields) const;
    void ReadTitleLine(TMetaFields& fields);
    void SaveKeywordSnapshot(const TMetaFields& fields);

private:
    bool LoadAndNormalise(const String& currentFile);
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
