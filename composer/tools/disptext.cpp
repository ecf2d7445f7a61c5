#include "composer/tools/disptext.h"

#include <exception>

#include "composer/windows/ToolGlyph.h"
#include "framework/classes/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/RichEdit.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace DisptextTexts;

Tdisptext* disptext = nullptr;

Tdisptext* TextWindow() {
    if (!disptext) {
        // Not through CreateForm: a window made late must not become the
        // application's main form.
        disptext = new Tdisptext(Application);
        disptext->AfterConstruction();
    }
    return disptext;
}


Tdisptext::Tdisptext(TComponent* owner) : TForm(owner) {
    SetName("disptext");
    HelpContext = HelpContextText;  // F1 opens the window's topic
    SetCaption(SCaption);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 480, 360);

    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alTop);
    sbut = ToolButton(this, TbToolbar1, "sbut", "Save", "Save", "document-save", 60);
    sbut->SetVisible(false);
    TbToolbarButton1 = ToolButton(this, TbToolbar1, "TbToolbarButton1", "Close", "Exit", "application-exit", 60);
    TbToolbarButton2 = ToolButton(this, TbToolbar1, "TbToolbarButton2", "Help", "Help", "help-contents", 60);

    RichEdit1 = new TRichEdit(this);
    RichEdit1->SetName("RichEdit1");
    RichEdit1->SetParent(this);
    RichEdit1->SetBounds(0, 44, 472, 282);
    RichEdit1->SetAlign(alClient);
    RichEdit1->SetScrollBars(ssBoth);
    RichEdit1->SetWordWrap(false);

    sbut->OnClick = [this](TObject* s) { sbutClick(s); };
    TbToolbarButton1->OnClick = [this](TObject* s) { TbToolbarButton1Click(s); };
    TbToolbarButton2->OnClick = [this](TObject* s) { TbToolbarButton2Click(s); };
}

Tdisptext::~Tdisptext() {
    if (disptext == this) disptext = nullptr;
}

String Tdisptext::ServersFile() {
    const String path = PathJoin(ProgramFolder(), SServersFile);
    const String found = FindPathNoCase(path);
    return found.empty() ? path : found;
}

void Tdisptext::sbutClick(TObject*) {
    try {
        const String file = ServersFile();
        // A program folder laid out by hand may lack the folder; the list
        // is still the user's to keep.
        ForceDirectories(ExtractFileDir(file));
        RichEdit1->Lines()->SaveToFile(file);
    } catch (const std::exception&) {
        MessageDlg(SServerFileFailed, mtError, mbOK, 0);
        return;
    }
    MessageDlg(SServerFileUpdated, mtInformation, mbOK, 0);
}

void Tdisptext::TbToolbarButton1Click(TObject*) { Close(); }

void Tdisptext::TbToolbarButton2Click(TObject*) { Application->HelpContext(HelpContextText); }
