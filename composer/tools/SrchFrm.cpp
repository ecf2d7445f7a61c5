#include "composer/tools/SrchFrm.h"

#include <exception>

#include "framework/classes/StringList.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbMemo.h"
#include "toolbars/TbToolbar.h"

using namespace ListEditorTexts;

namespace {

String ListsFolder() {
    const String path = PathJoin(ProgramFolder(), "lists");
    const String found = FindPathNoCase(path);
    return ExcludeTrailingPathDelimiter(found.empty() ? path : found);
}

}  // namespace

TSrchFrm::TSrchFrm(TComponent* owner)
    : TListEditorForm(owner, "SrchFrm", SCaption, 354, HelpContextListEditor) {
    ComboBox1 = new TComboBox(this);
    ComboBox1->SetName("ComboBox1");
    ComboBox1->SetParent(TbToolbar1);
    ComboBox1->SetBounds(0, 0, 104, 22);
    ComboBox1->SetSorted(true);
    ComboBox1->Items()->SetText(
        "\r\nAuthors\r\nClassification\r\nCopyright\r\nDistribution\r\nLanguage\r\nRating\r\n"
        "Reply To\r\nRevisit\r\nRobots");
    ComboBox1->SetText(SSelectList);
    AddEditor(38, true);

    ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
}

String TSrchFrm::ListPath(const String& name) {
    const String path = ListsFolder() + PathDelim + name + ".txt";
    const String found = FindPathNoCase(path);
    return found.empty() ? path : found;
}

void TSrchFrm::ComboBox1Change(TObject*) {
    const String name = ComboBox1->Text();
    if (name.empty()) {
        terms1->Lines()->Clear();
        CurrentPath = "N";
        return;
    }
    CurrentPath = ListPath(name);
    try {
        if (!InItsFolder(CurrentPath)) throw std::exception();
        // Read whole first: a list that cannot be read leaves the text shown.
        TStringList lines;
        lines.LoadFromFile(CurrentPath);
        terms1->Lines()->Assign(&lines);
        // The list is read from its first value.
        terms1->SetSelStart(0);
    } catch (const std::exception&) {
        MessageDlg(SLoadError, mtError, mbOK, 0);
    }
}

// The choice is typed as well as picked: a name that reaches out of the
// lists folder (a separator, "..") is no list.
bool TSrchFrm::InItsFolder(const String& path) const {
    return ExtractFileDir(NormalizePath(path)) == ListsFolder();
}
