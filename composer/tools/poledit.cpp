#include "composer/tools/poledit.h"
#include "composer/windows/WindowParts.h"

#include <array>
#include <exception>
#include <utility>

#include "composer/engine/ComposerSettings.h"
#include "composer/windows/ToolGlyph.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/Memo.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/Registry.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

using namespace RuleBaseTexts;

Tpoledit* poledit = nullptr;

namespace {

TMemo* Note(TComponent* owner, TWinControl* parent, const char* name, const char* text, int left, int top,
            int width, int height) {
    TMemo* m = Place<TMemo>(owner, parent, name, left, top, width, height);
    m->SetReadOnly(true);
    m->SetTabStop(false);
    m->SetWordWrap(true);
    m->SetParentColor(true);
    m->SetText(text);
    return m;
}

// The three numbers, each with its value name and the limit that stands
// for a stored "0".
struct TNumberValue {
    TEdit* Edit;
    TLabel* Label;
    const char* Name;
    const char* ZeroShownAs;
};

std::array<TNumberValue, 3> Numbers(const Tpoledit* w) {
    return {{
        {w->Edit1, w->Label1, "keywords", "1000"},
        {w->Edit3, w->Label3, "BodyChk", "7500"},
        {w->Edit2, w->Label2, "description", "200"},
    }};
}

// Digits only (blanks around them allowed), small enough for the readers'
// integer conversion. Empty text is no number: it is simply not written.
bool IsWholeNumber(const String& text) {
    const String t = Trim(text);
    if (t.empty() || t.size() > 9) return false;
    for (unsigned char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

Tpoledit::Tpoledit(TComponent* owner) : TForm(owner) {
    if (!poledit) poledit = this;
    SetName("poledit");
    HelpContext = HelpContextRuleBase;  // F1 opens the window's topic
    SetCaption(SCaption);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(370);
    SetClientHeight(296);

    GroupBox1 = Place<TGroupBox>(this, this, "GroupBox1", 8, 6, 354, 118);
    GroupBox1->SetCaption(" Character Checks ");
    Label1 = MakeLabel(this, GroupBox1, "Label1", "Keywords", 12, 27, 96);
    Edit1 = Place<TEdit>(this, GroupBox1, "Edit1", 110, 24, 60, 21);
    Label4 = MakeLabel(this, GroupBox1, "Label4", "1000", 176, 27, 34);
    Label2 = MakeLabel(this, GroupBox1, "Label2", "Description", 12, 55, 96);
    Edit2 = Place<TEdit>(this, GroupBox1, "Edit2", 110, 52, 60, 21);
    Label5 = MakeLabel(this, GroupBox1, "Label5", "200", 176, 55, 34);
    Label3 = MakeLabel(this, GroupBox1, "Label3", "Body check count", 12, 83, 96);
    Edit3 = Place<TEdit>(this, GroupBox1, "Edit3", 110, 80, 60, 21);
    Label6 = MakeLabel(this, GroupBox1, "Label6", "7500", 176, 83, 34);
    Memo1 = Note(this, GroupBox1, "Memo1", SLengthInfo, 212, 14, 136, 98);

    GroupBox2 = Place<TGroupBox>(this, this, "GroupBox2", 8, 128, 354, 118);
    GroupBox2->SetCaption(" Required Fields ");
    CheckBox1 = Check(this, GroupBox2, "CheckBox1", "Revisit Required (Checked)", 12, 26, 186);
    CheckBox2 = Check(this, GroupBox2, "CheckBox2", "Copyright Required (Checked)", 12, 54, 186);
    CheckBox3 = Check(this, GroupBox2, "CheckBox3", "Robot Text Required (Checked) ", 12, 82, 186);
    Memo2 = Note(this, GroupBox2, "Memo2", SRequiredInfo, 212, 14, 136, 98);

    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alBottom);
    TbToolbarButton4 = ToolButton(this, TbToolbar1, "TbToolbarButton4", "Update Values",
                                  "Store the rule base", "document-save", 86);
    TbToolbarButton5 = ToolButton(this, TbToolbar1, "TbToolbarButton5", "Exit Rule Base",
                                  "Close the rule base", "application-exit", 86);
    TbToolbarButton6 = ToolButton(this, TbToolbar1, "TbToolbarButton6", "Help", "Help", "help-contents", 86);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    TbToolbarButton4->OnClick = [this](TObject* s) { Button2Click(s); };
    TbToolbarButton5->OnClick = [this](TObject* s) { Button1Click(s); };
    TbToolbarButton6->OnClick = [this](TObject* s) { Button3Click(s); };
}

Tpoledit::~Tpoledit() {
    if (poledit == this) poledit = nullptr;
}

void Tpoledit::FormCreate(TObject*) { getdefaults(); }

void Tpoledit::Button2Click(TObject*) {
    if (setdefaults()) ShowMessage(SUpdated);
}

void Tpoledit::Button1Click(TObject*) { Close(); }

void Tpoledit::Button3Click(TObject*) { Application->HelpContext(HelpContextRuleBase); }

void Tpoledit::getdefaults() {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(TComposerSettings::KeyPath, true)) return;
    const auto numbers = Numbers(this);
    for (const TNumberValue& n : numbers) {
        if (!reg.ValueExists(n.Name)) continue;
        const String value = reg.ReadString(n.Name);
        n.Edit->SetText(value == "0" ? String(n.ZeroShownAs) : value);
    }
    CheckBox2->SetChecked(reg.ReadString("copyright") == "1");
    CheckBox1->SetChecked(reg.ReadString("revisit") == "1");
    CheckBox3->SetChecked(reg.ReadString("robots") == "1");
}

bool Tpoledit::setdefaults() {
    const auto numbers = Numbers(this);
    // Every number is checked before anything is written, so a refused
    // one leaves the whole rule base as it was.
    for (const TNumberValue& n : numbers) {
        if (n.Edit->Text().empty() || IsWholeNumber(n.Edit->Text())) continue;
        MessageDlg(Format(SNotANumber, n.Label->Caption()), mtError, mbOK, 0);
        if (n.Edit->CanFocus()) n.Edit->SetFocus();
        return false;
    }
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(TComposerSettings::KeyPath, true)) {
        MessageDlg(Format(SNotSaved, String(SNoStore)), mtError, mbOK, 0);
        return false;
    }
    auto flag = [](const TCheckBox* box) { return String(box->Checked() ? "1" : "0"); };
    try {
        for (const TNumberValue& n : numbers)
            if (reg.ValueExists(n.Name) && !n.Edit->Text().empty()) reg.WriteString(n.Name, Trim(n.Edit->Text()));
        const std::pair<const char*, const TCheckBox*> flags[] = {
            {"revisit", CheckBox1}, {"copyright", CheckBox2}, {"robots", CheckBox3}};
        for (const auto& [name, box] : flags)
            if (reg.ValueExists(name)) reg.WriteString(name, flag(box));
    } catch (const std::exception& e) {
        MessageDlg(Format(SNotSaved, String(e.what())), mtError, mbOK, 0);
        return false;
    }
    return true;
}
