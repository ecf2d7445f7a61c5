#pragma once
// The page exceptions. The page readers raise them and the runs over pages
// catch them per page, so one bad page never stops the others by accident.
#include "framework/rtl/Exception.h"

// A page whose head cannot be found. Reason keeps the short cause on its own
// so a run can report it under the page's result line.
class EInvalidHTMLFile : public Exception {
public:
    EInvalidHTMLFile(const String& page, const String& reason)
        : Exception(Format("The File '%s' is not a valid HTML 3.2 File\r(%s)", page, reason)),
          Reason(reason) {}
    String Reason;
};

VELMOR_EXCEPTION(EInvalidMetaTag, Exception)
VELMOR_EXCEPTION(ENoFile, Exception)
// The page on disk is no longer the one that was read: another program
// changed or replaced it meanwhile. It is left as that program wrote it.
VELMOR_EXCEPTION(EPageChanged, Exception)

namespace HeadTexts {
inline constexpr const char* SMissingBodyTag = "Missing '<BODY> or <FRAMESET>' Tag";
inline constexpr const char* SMissingHeadEndTag = "Missing '</HEAD>' Tag";
inline constexpr const char* SMissingHeadTag = "Missing '<HEAD>' Tag";
inline constexpr const char* SMissingScriptEnd =
    "Invalid Usage in HEAD, Missing '</SCRIPT>' Tag - Cannot Continue!";
inline constexpr const char* SMissingStyleEnd =
    "Invalid Usage in HEAD, Missing '</STYLE>' Tag - Cannot Continue!";
inline constexpr const char* SHeadTooLarge = "The head does not end within the page's first 64 MB";
inline constexpr const char* SUtf16Page = "Pages in UTF-16 cannot be read";
inline constexpr const char* STitleImproperlyEnded =
    "Title Tag improperly ended. Another tag starts before '</title>' tag";
inline constexpr const char* SNotValidMetaTag = "not valid meta tag";
inline constexpr const char* SNoFileToLoad = "No File To Load";
inline constexpr const char* SChangedMeanwhile = "changed by another program during the update";
// Shown in the title box for a page that has no title; never written.
inline constexpr const char* STitleMissing = "Title Missing - Velmor";
}  // namespace HeadTexts
