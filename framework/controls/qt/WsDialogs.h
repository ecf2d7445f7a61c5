#pragma once
// The toolkit side of the platform dialogs (files, colour, font). Each runs
// the toolkit's own dialog modally and answers true when the user
// confirmed it; the dialog components keep the rules (defaults, scripted
// answers, checks on the chosen files).
#include <vector>

#include "framework/controls/OpenDialog.h"
#include "framework/graphics/Color.h"

class TFont;

namespace velmor_ws {

// What a file dialog starts with.
struct TFileDialogSetup {
    String Title;
    bool Save = false;
    bool MultiSelect = false;
    bool MustExist = false;
    bool OverwritePrompt = false;
    std::vector<TFilterEntry> Filters;
    int FilterIndex = 1;  // 1-based, into Filters
    String Directory;
    String FileName;  // without its folder
    String DefaultExt;
};

// On true, `files` holds the chosen files with their full paths and
// `filterIndex` the filter chosen last (1-based), or 0 when not known.
bool RunFileDialog(const TFileDialogSetup& setup, std::vector<String>& files, int& filterIndex);
// `color` is the starting point and, on true, the choice (as RGB).
bool RunColorDialog(TColor& color);
// `font` is the starting point and, on true, takes name, size and style.
bool RunFontDialog(TFont* font);

}  // namespace velmor_ws
