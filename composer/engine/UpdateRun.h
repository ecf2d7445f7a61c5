#pragma once
// The update run: writes the tags into every selected page in turn, with a
// progress and a result line per page and a closing message. It composes
// the Tag lines itself from the field values at its start, so what it writes
// is always what the fields hold, whoever started it.
#include <functional>
#include <vector>

#include "composer/engine/MetaFields.h"
#include "composer/engine/TagWriter.h"

struct TUpdateRunInput {
    std::vector<String> SelectedFiles;
    TMetaFields Fields;
    TTagSettings Settings;
    std::vector<TTokenRow> TokenMap;  // gilsmask rows 1 .. last
    bool RemoveMode = false;          // rblank
    String SchemaName;                // the text of scname
};

struct TUpdateRunResult {
    bool Started = false;    // false: refused before touching any page
    bool Completed = false;  // every page was tried and the closing message shown
    int Written = 0;
    std::vector<String> TagLineList;  // the composed lines the run wrote
};

class TUpdateRun {
public:
    TShowMessageEvent OnShowMessage;
    std::function<void(const String& line)> OnResultLine;
    std::function<void()> OnClearResults;
    std::function<void(int index, int count)> OnProgress;
    // Lets the window handle its pending messages between pages.
    TProcessMessagesEvent OnProcessMessages;
    // True at the start of a run, false at its end: the window disables the
    // commands that read pages, change the selection or start a run, and
    // shows the hourglass meanwhile.
    std::function<void(bool active)> OnActiveChange;
    // Handed to the tag writer: runs between reading a page and replacing it.
    std::function<void(const String& path)> OnBeforeReplace;

    // A run is under way; a second one is refused.
    bool Active() const { return FActive; }

    TUpdateRunResult Button34Click(const TUpdateRunInput& input);

private:
    bool FActive = false;
};

namespace RunTexts {
inline constexpr const char* SGilsmaskRefused =
    "The GILSMASK custom schema is meant for mapping values to tokens only\n\r\n\rIt is not meant "
    "for metadata embedding, please change the value of the custom schema to update meta tags";
inline constexpr const char* SNoFilesSelected = "No files selected";
inline constexpr const char* SPreparing = "Preparing to write to file: ";
inline constexpr const char* SUpdated = "Successfully updated file: ";
inline constexpr const char* SFailed = "Failed File update: ";
inline constexpr const char* SCouldNotOpen = " Could Not be Opened";
inline constexpr const char* SCheckExists =
    "Check to Make Sure File Exists and update list accordingly.";
inline constexpr const char* SWroteTags = "Successfully Wrote Tags To ";
}  // namespace RunTexts
