#pragma once
// What the page selection does apart from the window: expanding the names
// the open dialog returned (page-list files stand for the pages they name)
// into the page path list, the folder listing behind the schema list, and
// the autocorrect of the keywords and description memos.
#include <vector>

#include "composer/engine/MetaFields.h"
#include "framework/rtl/Types.h"

class TStrings;

struct TExpandedSelection {
    std::vector<String> Pages;    // pages that exist, in the order chosen
    std::vector<String> Missing;  // named pages that do not exist, in order
};

class TPageSelection {
public:
    // A page-list file is known by its extension ".hfl", in any letter case.
    static bool IsPageListFile(const String& name);
    // The page paths a page-list file names, one per line: blank lines are
    // skipped, '\' separators become '/', and a relative path is taken
    // relative to the list file's folder, where the list was made.
    static std::vector<String> PageListEntries(const String& listFile, const TStrings* lines);
    // The names the dialog returned, with every page-list file replaced by
    // its entries (a list that cannot be read raises). Pages that do
    // not exist are left out and named in Missing.
    static TExpandedSelection Expand(const std::vector<String>& names);
    // One message naming every page left out; empty when none was.
    static String MissingPagesMessage(const std::vector<String>& missing);

    // Appends the base names of the folder's files with that extension (any
    // letter case) to `target` and returns how many. A folder that is not
    // there shows "Invalid Directory - " and the folder, and adds nothing.
    static int ListFiles(const String& folder, const String& extension, TStrings* target,
                         const TShowMessageEvent& onMessage = TShowMessageEvent());
    // Every occurrence of `find` replaced, occurrences that the replacing
    // forms included; the text unchanged when `replacement` holds `find`
    // (or `find` is empty), which would never end.
    static String StrReplaceAll(const String& text, const String& find, const String& replacement);
    // Pasted text keeps its line breaks, which no META value may hold: each
    // line break (CR LF, CR or LF) becomes one blank and the ends are trimmed.
    static String AutocorrectText(const String& text);
};

namespace SelectionTexts {
inline constexpr const char* SDialogTitle = "Select files(s) or project list to update";
inline constexpr const char* SDialogFilter =
    "HTML Files or List|*.htm;*.html;*.cfml;*.xml;*.xhtml;*.shtm;*.shtml;*.cfm;*.htm;*.asp;*.hfl|"
    "All Files (*.*)|*.*";
inline constexpr int DialogHelpContext = 739;
inline constexpr const char* SNoFileSelectedCaption = "Velmor - No File Selected";
inline constexpr const char* SNoFileSelectedClosed = "Velmor - No file selected";
inline constexpr const char* SMultipleFiles = "Velmor - Multiple Files Selected";
inline constexpr const char* SCaptionPrefix = "Velmor - ";
inline constexpr const char* SOpened = "File(s) Opened Successfully!";
inline constexpr const char* SNoFilesSelected = "No files selected";
inline constexpr const char* SInvalidDirectory = "Invalid Directory - ";
inline constexpr const char* SMissingPages =
    "These files could not be found and were left out of the selection:";
inline constexpr const char* SViewerHeading = "Current files to update";
inline constexpr const char* SViewerCount = ": Files";
}  // namespace SelectionTexts
