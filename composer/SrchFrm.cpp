#include "composer/SrchFrm.h"

#include <exception>

#include "composer/ToolGlyph.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbMemo.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace ListEditorTexts;

namespace {

String ListsFolder() {
    const String path = PathJoin(ProgramFolder(), "lists");
    const String found = FindPathNoCase(path);
    return ExcludeTrailingPathDelimiter(found.empty() ? path : found);
}

// The choice is typed as well as picked: a name that reaches out of the
// lists folder (a separator, "..") is no list, and nothing is written there.
bool InListsFolder(const String& path) {
    return ExtractFileDir(NormalizePath(path)) == ListsFolder();
}

}  // namespace

TSrchFrm::TSrchFrm(TComponent* owner) : TForm(owner) {
    SetName("SrchFrm");
    HelpContext = HelpContextListEditor;  // F1 opens the window's topic
    SetCaption(SCaption);
    SetBounds(0, 0, 354, 362);
    SetPosition(poScreenCenter);

    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alTop);
    ComboBox1 = new TComboBox(this);
    ComboBox1->SetName("ComboBox1");
    ComboBox1->SetParent(TbToolbar1);
    ComboBox1->SetBounds(0, 0, 104, 22);
    ComboBox1->SetSorted(true);
    ComboBox1->Items()->SetText(
        "\r\nAuthors\r\nClassification\r\nCopyright\r\nDistribution\r\nLanguage\r\nRating\r\n"
        "Reply To\r\nRevisit\r\nRobots");
    ComboBox1->SetText(SSelectList);
    ct = ToolButton(this, TbToolbar1, "ct", "Cut", "Cut", "edit-cut", 38);
    cp = ToolButton(this, TbToolbar1, "cp", "Copy", "Copy", "edit-copy", 38);
    pt = ToolButton(this, TbToolbar1, "pt", "Paste", "Paste", "edit-paste", 38);
    TbToolbarButton4 = ToolButton(this, TbToolbar1, "TbToolbarButton4", "Save", "Save", "document-save", 38);
    TbToolbarButton5 = ToolButton(this, TbToolbar1, "TbToolbarButton5", "Exit", "Exit", "application-exit", 38);
    TbToolbarButton6 = ToolButton(this, TbToolbar1, "TbToolbarButton6", "Help", "Help", "help-contents", 38);

    terms1 = new TTbMemo(this);
    terms1->SetName("terms1");
    terms1->SetParent(this);
    terms1->SetAlign(alClient);
    terms1->SetScrollBars(ssBoth);
    terms1->SetWordWrap(false);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
    ct->OnClick = [this](TObject* s) { ctClick(s); };
    cp->OnClick = [this](TObject* s) { cpClick(s); };
    pt->OnClick = [this](TObject* s) { ptClick(s); };
    TbToolbarButton4->OnClick = [this](TObject* s) { TbToolbarButton1Click(s); };
    TbToolbarButton5->OnClick = [this](TObject* s) { TbToolbarButton2Click(s); };
    TbToolbarButton6->OnClick = [this](TObject* s) { TbToolbarButton3Click(s); };
}

String TSrchFrm::ListPath(const String& name) {
    const String path = ListsFolder() + PathDelim + name + ".txt";
    const String found = FindPathNoCase(path);
    return found.empty() ? path : found;
}

void TSrchFrm::FormCreate(TObject*) { CurrentPath = "N"; }

void TSrchFrm::ComboBox1Change(TObject*) {
    const String name = ComboBox1->Text();
    if (name.empty()) {
        terms1->Lines()->Clear();
        CurrentPath = "N";
        return;
    }
    CurrentPath = ListPath(name);
    try {
        if (!InListsFolder(CurrentPath)) throw std::exception();
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

void SaveEditedList(TMemo* memo, const String& path, bool inItsFolder) {
    if (path == "N") {
        MessageDlg(ListEditorTexts::SNoFile, mtInformation, mbOK, 0);
        return;
    }
    bool saved = false;
    if (inItsFolder) {
        try {
            // Every value ends its line, the last one too, as the lists are read.
            TStringList lines;
            lines.Assign(memo->Lines());
            lines.SaveToFile(path);
            saved = true;
        } catch (const std::exception&) {
            // Reported below, with the path the user sees.
        }
    }
    if (!saved) {
        MessageDlg(ListEditorTexts::SSaveError + path, mtError, mbOK, 0);
        return;
    }
    MessageDlg(path + ListEditorTexts::SSaved, mtInformation, mbOK, 0);
}

void TSrchFrm::TbToolbarButton1Click(TObject*) { SaveEditedList(terms1, CurrentPath, InListsFolder(CurrentPath)); }

void TSrchFrm::TbToolbarButton2Click(TObject*) { Close(); }

void TSrchFrm::TbToolbarButton3Click(TObject*) { Application->HelpContext(HelpContextListEditor); }

void TSrchFrm::ctClick(TObject*) { terms1->CutToClipboard(); }
void TSrchFrm::cpClick(TObject*) { terms1->CopyToClipboard(); }
void TSrchFrm::ptClick(TObject*) { terms1->PasteFromClipboard(); }
