#pragma once
#include <memory>
#include <vector>

#include "framework/controls/CommonDialog.h"

class TStrings;
class TStringList;

// Option sets are bit flags.
enum TOpenOption : int {
    ofReadOnly = 0x0001,
    ofOverwritePrompt = 0x0002,
    ofHideReadOnly = 0x0004,
    ofNoChangeDir = 0x0008,
    ofShowHelp = 0x0010,
    ofNoValidate = 0x0020,
    ofAllowMultiSelect = 0x0040,
    ofExtensionDifferent = 0x0080,
    ofPathMustExist = 0x0100,
    ofFileMustExist = 0x0200,
    ofCreatePrompt = 0x0400,
    ofShareAware = 0x0800,
    ofNoReadOnlyReturn = 0x1000,
    ofNoTestFileCreate = 0x2000,
    ofNoNetworkButton = 0x4000,
    ofNoLongNames = 0x8000,
    ofOldStyleDialog = 0x10000,
    ofNoDereferenceLinks = 0x20000,
    ofEnableIncludeNotify = 0x40000,
    ofEnableSizing = 0x80000,
};
using TOpenOptions = int;

// One entry of a dialog filter: what the list shows and the patterns
// ("*.htm", "*.html") it stands for.
struct TFilterEntry {
    String Description;
    std::vector<String> Patterns;
};

// Splits "description|patterns|description|patterns" (patterns separated
// by ';'); a description without patterns gets none.
std::vector<TFilterEntry> ParseDialogFilter(const String& filter);

// The open dialog. FileName is the (first) chosen file with its full path,
// Files all of them; FilterIndex (1-based) is the filter chosen last.
class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;
    String ClassName() const override { return "TOpenDialog"; }

    bool Execute() override;

    String FileName;
    String Filter;
    int FilterIndex = 1;
    String InitialDir;
    String Title;
    String DefaultExt;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
    TStrings* Files() const;

    TNotifyEvent OnTypeChange;

    // Framework-internal: what a scripted answer chose. Applies the same
    // rules as the real dialog (full paths, DefaultExt, must-exist and
    // overwrite checks); false when a check sent the user back.
    bool AcceptAnswer(const std::vector<String>& files, int filterIndex);

protected:
    virtual bool IsSaveDialog() const { return false; }
    String DefaultTitle() const { return IsSaveDialog() ? "Save As" : "Open"; }

private:
    bool ExecuteNative();
    String WithDefaultExt(const String& name) const;
    std::unique_ptr<TStringList> FFiles;
};
