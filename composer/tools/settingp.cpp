#include "composer/tools/settingp.h"
#include "composer/windows/WindowParts.h"

#include "composer/engine/ComposerSettings.h"
#include "composer/windows/ToolGlyph.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/rtl/Format.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace SettingsTexts;

namespace {

// An explanation beside a group's boxes, in the lines it is written in.
TLabel* Note(TComponent* owner, TWinControl* parent, const char* name, const char* text, int left, int top) {
    TLabel* l = Place<TLabel>(owner, parent, name, left, top, 190, 52);
    l->SetAutoSize(false);
    l->SetCaption(text);
    return l;
}

// Checked unless the setting is exactly "0": a flag the store never held
// shows as on, as it always has.
bool ShownChecked(const String& flag) { return flag != "0"; }

String Flag(const TCheckBox* box) { return box->Checked() ? "1" : "0"; }

bool UsableMetaName(const String& name) {
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>') return false;
    return true;
}

}  // namespace

Tsettingp::Tsettingp(TComponent* owner) : TForm(owner) {
    SetName("settingp");
    HelpContext = HelpContextSettings;  // F1 opens the window's topic
    SetCaption(SCaption);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(387);
    SetClientHeight(356);

    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alTop);
    TbToolbarButton4 = ToolButton(this, TbToolbar1, "TbToolbarButton4", "Load Defaults",
                                  "Return values to installation defaults", "document-revert", 80);
    TbToolbarButton2 = ToolButton(this, TbToolbar1, "TbToolbarButton2", "Cancel", "Cancel the Update",
                                  "application-exit", 60);
    TbToolbarButton1 = ToolButton(this, TbToolbar1, "TbToolbarButton1", "Update", "Update Velmor settings",
                                  "document-save", 60);
    TbToolbarButton3 = ToolButton(this, TbToolbar1, "TbToolbarButton3", "Help", "Help", "help-contents", 60);

    GroupBox1 = Group(this, this, "GroupBox1", " Special meta tag settings ", 8, 50, 268, 146);
    Label1 = MakeLabel(this, GroupBox1, "Label1", "Language meta name", 10, 19, 136);
    Edit1 = Place<TEdit>(this, GroupBox1, "Edit1", 152, 16, 106, 21);
    Label2 = MakeLabel(this, GroupBox1, "Label2", "Classification meta name", 10, 41, 136);
    Edit2 = Place<TEdit>(this, GroupBox1, "Edit2", 152, 38, 106, 21);
    Label3 = MakeLabel(this, GroupBox1, "Label3", "Author meta name", 10, 63, 136);
    Edit3 = Place<TEdit>(this, GroupBox1, "Edit3", 152, 60, 106, 21);
    Label4 = MakeLabel(this, GroupBox1, "Label4", "Custom Subject Meta Name", 10, 85, 136);
    Edit4 = Place<TEdit>(this, GroupBox1, "Edit4", 152, 82, 106, 21);
    CheckBox2 = Check(this, GroupBox1, "CheckBox2", "Change wizard display names", 10, 106, 220);
    tokenselect = Check(this, GroupBox1, "tokenselect", "Use Tokens", 10, 124, 100);
    usexhtml = Check(this, GroupBox1, "usexhtml", "XHTML Tags", 130, 124, 110);

    GroupBox4 = Group(this, this, "GroupBox4", "Pages to show", 282, 50, 97, 146);
    CheckBox4 = Check(this, GroupBox4, "CheckBox4", "Keywords", 12, 24, 80);
    CheckBox5 = Check(this, GroupBox4, "CheckBox5", "Options", 12, 50, 80);
    CheckBox6 = Check(this, GroupBox4, "CheckBox6", "Custom", 12, 76, 80);
    // As the window is stored: every page shown until the fill says otherwise.
    for (TCheckBox* page : {CheckBox4, CheckBox5, CheckBox6}) page->SetChecked(true);

    GroupBox2 = Group(this, this, "GroupBox2", " Lookup list auto save settings ", 8, 200, 371, 76);
    CheckBox1 = Check(this, GroupBox2, "CheckBox1", "Save list values on update", 10, 32, 165);
    Label5 = Note(this, GroupBox2, "Label5", SLookupInfo, 176, 18);

    GroupBox3 = Group(this, this, "GroupBox3", " Autocorrect ", 8, 280, 371, 74);
    akey = Check(this, GroupBox3, "akey", "Keywords", 10, 22, 120);
    adesc = Check(this, GroupBox3, "adesc", "Description", 10, 44, 120);
    Label6 = Note(this, GroupBox3, "Label6", SAutocorrectInfo, 176, 17);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    TbToolbarButton1->OnClick = [this](TObject* s) { TbToolbarButton1Click(s); };
    TbToolbarButton2->OnClick = [this](TObject* s) { TbToolbarButton2Click(s); };
    TbToolbarButton3->OnClick = [this](TObject* s) { TbToolbarButton3Click(s); };
    TbToolbarButton4->OnClick = [this](TObject* s) { TbToolbarButton4Click(s); };
}

void Tsettingp::FormCreate(TObject*) {
    const TComposerSettings& s = ComposerSettings;
    Edit1->SetText(s.lname);
    Edit2->SetText(s.clasname);
    Edit3->SetText(s.aname);
    Edit4->SetText(s.catstr);
    CheckBox2->SetChecked(ShownChecked(s.cwn));
    tokenselect->SetChecked(ShownChecked(s.tokens));
    usexhtml->SetChecked(ShownChecked(s.usexhtml));
    CheckBox1->SetChecked(ShownChecked(s.llist));
    akey->SetChecked(ShownChecked(s.akey));
    adesc->SetChecked(ShownChecked(s.adesc));
    CheckBox4->SetChecked(ShownChecked(s.sskey));
    CheckBox5->SetChecked(ShownChecked(s.ssopt));
    CheckBox6->SetChecked(ShownChecked(s.sscust));
}

void Tsettingp::TbToolbarButton1Click(TObject*) {
    if (!CheckBox4->Checked() && !CheckBox5->Checked() && !CheckBox6->Checked()) {
        MessageDlg(SNoPageShown, mtError, mbOK, 0);
        return;
    }
    struct TNameBox {
        TEdit* Box;
        TLabel* Label;
        String* Setting;
    };
    TComposerSettings& s = ComposerSettings;
    const TNameBox names[] = {
        {Edit1, Label1, &s.lname},
        {Edit2, Label2, &s.clasname},
        {Edit3, Label3, &s.aname},
        {Edit4, Label4, &s.catstr},
    };
    // Checked before anything is stored, so a refused name changes nothing.
    for (const TNameBox& n : names) {
        if (UsableMetaName(n.Box->Text())) continue;
        MessageDlg(Format(SBadMetaName, n.Label->Caption()), mtError, mbOK, 0);
        if (n.Box->CanFocus()) n.Box->SetFocus();
        return;
    }
    for (const TNameBox& n : names)
        if (!n.Box->Text().empty()) *n.Setting = n.Box->Text();
    s.llist = Flag(CheckBox1);
    s.tokens = Flag(tokenselect);
    s.usexhtml = Flag(usexhtml);
    s.cwn = Flag(CheckBox2);
    s.akey = Flag(akey);
    s.adesc = Flag(adesc);
    s.ssopt = Flag(CheckBox5);
    s.sskey = Flag(CheckBox4);
    s.sscust = Flag(CheckBox6);
    MessageDlg(SUpdated, mtInformation, mbOK, 0);
    // Closing a modal window would answer Cancel; the window was updated.
    if (Modal())
        SetModalResult(mrOk);
    else
        Close();
}

void Tsettingp::TbToolbarButton2Click(TObject*) { Close(); }

void Tsettingp::TbToolbarButton3Click(TObject*) { Application->HelpContext(HelpContextSettings); }

void Tsettingp::TbToolbarButton4Click(TObject*) {
    Edit1->SetText("Language");
    Edit2->SetText("Classification");
    Edit3->SetText("Author");
    Edit4->SetText("Subject");
    for (TCheckBox* box : {CheckBox2, akey, adesc, CheckBox1}) box->SetChecked(true);
    MessageDlg(SDefaultsRestored, mtInformation, mbOK, 0);
}
