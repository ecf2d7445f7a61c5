#include "framework/controls/OpenDialog.h"

#include "framework/classes/StringList.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/ModalSeam.h"
#include "framework/controls/Screen.h"
#include "framework/controls/Form.h"
#include "framework/controls/qt/WsDialogs.h"
#include "framework/rtl/FileUtils.h"

std::vector<TFilterEntry> ParseDialogFilter(const String& filter) {
    std::vector<String> parts;
    String cur;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty() || (!filter.empty() && filter.back() == '|' && parts.size() % 2 == 1)) parts.push_back(cur);
    std::vector<TFilterEntry> entries;
    for (size_t i = 0; i < parts.size(); i += 2) {
        TFilterEntry e;
        e.Description = parts[i];
        if (i + 1 < parts.size()) {
            String p;
            for (char c : parts[i + 1] + ";") {
                if (c == ';') {
                    size_t a = p.find_first_not_of(' ');
                    size_t b = p.find_last_not_of(' ');
                    if (a != String::npos) e.Patterns.push_back(p.substr(a, b - a + 1));
                    p.clear();
                } else {
                    p += c;
                }
            }
        }
        if (!e.Description.empty() || !e.Patterns.empty()) entries.push_back(std::move(e));
    }
    return entries;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), FFiles(new TStringList) {}

TOpenDialog::~TOpenDialog() = default;

TStrings* TOpenDialog::Files() const { return FFiles.get(); }

String TOpenDialog::WithDefaultExt(const String& name) const {
    if (DefaultExt.empty() || !ExtractFileExt(name).empty()) return name;
    const String ext = DefaultExt[0] == '.' ? DefaultExt : "." + DefaultExt;
    return name + ext;
}

bool TOpenDialog::AcceptAnswer(const std::vector<String>& files, int filterIndex) {
    if (files.empty()) return false;
    std::vector<String> full;
    for (const String& f : files) {
        String name = f;
        if (name.empty() || name[0] != '/') {
            String dir = InitialDir;
            if (dir.empty() && !FileName.empty()) dir = ExtractFileDir(FileName);
            if (dir.empty()) dir = GetCurrentDir();
            name = PathJoin(dir, name);
        }
        full.push_back(WithDefaultExt(name));
    }
    if (!(Options & ofAllowMultiSelect)) full.resize(1);
    for (const String& f : full) {
        if ((Options & ofFileMustExist) && !IsSaveDialog() && !FileExists(f)) {
            MessageDlg(f + "\nFile not found.\nPlease verify the correct file name was given.", mtWarning, mbOK);
            return false;
        }
    }
    if (IsSaveDialog() && (Options & ofOverwritePrompt) && FileExists(full[0])) {
        if (MessageDlg(full[0] + " already exists.\nDo you want to replace it?", mtWarning, mbYes | mbNo) != mrYes)
            return false;
    }
    FFiles->Clear();
    for (const String& f : full) FFiles->Add(f);
    FileName = full[0];
    if (filterIndex > 0) FilterIndex = filterIndex;
    return true;
}

bool TOpenDialog::Execute() {
    DoShow();
    bool ok;
    if (ModalHandler())
        ok = ExecuteStandIn(Title.empty() ? DefaultTitle() : Title, Filter);
    else
        ok = ExecuteNative();
    DoClose();
    return ok;
}

bool TOpenDialog::ExecuteNative() {
    velmor_ws::TFileDialogSetup setup;
    setup.Title = Title.empty() ? DefaultTitle() : Title;
    setup.Save = IsSaveDialog();
    setup.MultiSelect = (Options & ofAllowMultiSelect) != 0;
    setup.MustExist = (Options & ofFileMustExist) != 0;
    setup.OverwritePrompt = (Options & ofOverwritePrompt) != 0;
    setup.Filters = ParseDialogFilter(Filter);
    setup.FilterIndex = FilterIndex;
    setup.Directory = InitialDir;
    if (setup.Directory.empty() && !FileName.empty()) setup.Directory = ExtractFileDir(FileName);
    if (!FileName.empty()) setup.FileName = ExtractFileName(FileName);
    setup.DefaultExt = DefaultExt;
    if (Screen && !Screen->HasDisplay()) return false;  // nobody could answer it
    std::vector<String> chosen;
    int filterIndex = 0;
    if (!velmor_ws::RunFileDialog(setup, chosen, filterIndex)) return false;
    FFiles->Clear();
    for (const String& f : chosen) FFiles->Add(f);
    FileName = chosen.front();
    if (filterIndex > 0) FilterIndex = filterIndex;
    return true;
}
