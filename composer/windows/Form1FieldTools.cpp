// The main window's field tools: spell checking of the keywords and the
// description, the thesaurus for a word selected in either, and the larger
// editor for the bulletin text. They only read and write the fields; the
// fields become tags later, when the Update step composes them.
#include <memory>
#include <utility>

#include "composer/tools/btedit.h"
#include "composer/windows/FieldTools.h"
#include "composer/windows/Form1.h"
#include "composer/windows/ToolGlyph.h"
#include "framework/controls/Button.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/TabSheet.h"
#include "framework/graphics/Color.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/Format.h"
#include "framework/system/ProgramFolder.h"
#include "spell/engine/SpellChecker.h"
#include "spell/thesaurus/Thesaurus.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"
#include "toolbars/TbURLLabel.h"

using namespace FieldToolTexts;

namespace {

TTbToolbar* FieldBar(TComponent* owner, TWinControl* parent, const char* name, int left, int top) {
    TTbToolbar* bar = new TTbToolbar(owner);
    bar->SetName(name);
    bar->SetParent(parent);
    // Beside its memo, under the list buttons: one button a row, as wide
    // as the column to the right edge of the title.
    bar->SetAlign(alNone);
    bar->SetShowDivider(false);
    bar->SetMargin(0);
    bar->SetTopMargin(0);
    bar->SetBounds(left, top, 92, 52);
    bar->SetRowHeight(26);
    return bar;
}

// A command of the field: its picture, then its caption, so that it reads
// as a button like those of the step's toolbar.
TTbToolbarButton* FieldButton(TComponent* owner, TTbToolbar* bar, const char* name, const char* caption,
                              const char* hint, const char* icon) {
    TTbToolbarButton* b = new TTbToolbarButton(owner);
    b->SetName(name);
    b->SetParent(bar);
    b->SetBounds(0, 0, 92, 26);
    b->SetFlat(true);
    b->SetCaption(caption);
    b->SetHint(hint);
    b->SetShowHint(true);
    LoadToolGlyph(b, icon, blGlyphLeft);
    b->Margin = 2;
    b->Spacing = 4;
    return b;
}

// Empty, a single blank, or starting below the blank: nothing a check
// could stop at. Two blanks compare above one and are checked.
bool NoWordsIn(const String& text) { return text.compare(" ") <= 0; }

}  // namespace

void TForm1::WireFieldTools() {
    SpellVelmor = new TSpellChecker(this);
    SpellVelmor->SetName("SpellVelmor");
    // Settled as a stored window would settle it: the configuration is
    // read once, when the window has finished loading, not at every setting.
    SpellVelmor->SetLoading(true);
    SpellVelmor->ImmediateChangeAll = true;
    SpellVelmor->SetConfigInAppDir(true);
    SpellVelmor->SetConfigFileName("velmor.cfg");
    SpellVelmor->SetConfigKey("spellchk");
    SpellVelmor->SetConfigAvailable(true);
    SpellVelmor->SetAlwaysActive(false);
    SpellVelmor->SetMaxSuggestions(50);
    SpellVelmor->SetMaxUndo(20);
    SpellVelmor->AutoSelectFirst = false;
    SpellVelmor->SelectionBehavior = sbAvoid;
    SpellVelmor->InitialPosition = ipAvoidControl;
    SpellVelmor->WaitForCompletion = true;
    SpellVelmor->IgnorePrefix = "'";
    SpellVelmor->IgnoreSuffix = "';'s";
    SpellVelmor->HelpEnabled = false;
    SpellVelmor->HelpFile = "spellchk.hlp";
    SpellVelmor->BackgroundSuggestions = true;
    SpellVelmor->DialogHourGlass = false;
    SpellVelmor->SetDefaultMain("english.dct");
    SpellVelmor->SetDefaultUser("default.udt");
    SpellVelmor->SetDefaultOptions(soInternet | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated);
    SpellVelmor->VisibleOptions = soUpcase | soNumbers | soHTML | soInternet | soRecheck;
    SpellVelmor->WordCountVisible = true;
    SpellVelmor->EndShowMessage = emExceptCancel;

    kwbf->FileName = SThesaurusFile;
    kwbf->UseAppDir = true;
    kwbf->DemandLoad = true;
    kwbf->DoubleClicks = false;
    kwbf->DialogCaption = "Thesaurus Lookup:";
    kwbf->DialogStyle = fsStayOnTop;

    // The counters are for reading only: they keep out of the tab order.
    for (TEdit* counter : {Edit13, Edit14}) {
        counter->SetColor(clBtnFace);
        counter->SetTabStop(false);
    }

    keytoolbar = FieldBar(this, TabSheet1, "keytoolbar", Edit13->Left(), 200);
    SpeedButton4 = FieldButton(this, keytoolbar, "SpeedButton4", "&Keywords", "Spell check keywords",
                               "tools-check-spelling");
    SpeedButton17 = FieldButton(this, keytoolbar, "SpeedButton17", "Thesaurus", "Use Thesaurus to build keywords",
                                "accessories-dictionary");
    desctoolbar = FieldBar(this, TabSheet1, "desctoolbar", Edit14->Left(), 356);
    SpeedButton5 = FieldButton(this, desctoolbar, "SpeedButton5", "Description", "Spell check description",
                               "tools-check-spelling");
    SpeedButton18 = FieldButton(this, desctoolbar, "SpeedButton18", "Thesaurus", "Use Thesaurus with description",
                                "accessories-dictionary");

    // The bulletin text makes room for the button that opens its editor.
    Edit9->SetWidth(Edit9->Width() - 28);
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(TabSheet2);
    Button1->SetBounds(Edit9->Left() + Edit9->Width() + 4, Edit9->Top(), 24, Edit9->Height());
    Button1->SetCaption("...");
    Button1->SetHint("Use the bulliten text editor");
    Button1->SetShowHint(true);

    SpeedButton4->OnClick = [this](TObject* s) { SpeedButton4Click(s); };
    SpellCheckKeywords1->OnClick = [this](TObject* s) { SpeedButton4Click(s); };
    SpeedButton5->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
    SpellCheckDescription1->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
    SpeedButton17->OnClick = [this](TObject* s) { SpeedButton17Click(s); };
    SpeedButton18->OnClick = [this](TObject* s) { SpeedButton18Click(s); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
}

// ---------------------------------------------------------------------------
// Spell check

void TForm1::SpeedButton4Click(TObject*) { SpellCheckField(edit22); }

void TForm1::SpeedButton5Click(TObject*) { SpellCheckField(edit1); }

void TForm1::SpellCheckField(TMemo* field) {
    if (!TabSheet1->TabVisible()) {
        MessageDlg(KeywordsTabNotice.empty() ? String(MainTexts::SKeywordsTabNotice) : KeywordsTabNotice,
                   mtInformation, mbOK, 0);
        return;
    }
    if (NoWordsIn(field->Text())) {
        MessageDlg(SNoWords, mtInformation, mbOK, 0);
        return;
    }
    PageControl1->SetActivePage(TabSheet1);
    SpellVelmor->CheckWinControl(field);
}

// ---------------------------------------------------------------------------
// Thesaurus

void TForm1::SpeedButton17Click(TObject*) { ThesaurusOnField(edit22); }

void TForm1::SpeedButton18Click(TObject*) { ThesaurusOnField(edit1); }

void TForm1::ThesaurusOnField(TMemo* field) {
    if (!FindPathNoCase(PathJoin(ProgramFolder(), SThesaurusFile)).empty()) {
        // A field the user was not working in has no word meant for it
        // (a click on the field's bar leaves the focus in the field).
        if (!field->Focused()) return;
        if (field->SelLength() == 0) {
            MessageDlg(SSelectWord, mtInformation, mbOK, 0);
            return;
        }
        String replacement;
        kwbf->Execute(field->SelText(), replacement);
        if (!replacement.empty()) field->SetSelText(replacement);
        // Back to the field the word came from, to go on typing there.
        if (!field->Focused() && field->CanFocus()) field->SetFocus();
        return;
    }
    const String body = String(SOfferBody) + SThesaurusAddress + SOfferSaveTo + ProgramFolder() + "\r\r";
    const String offer = Format(SOfferPattern, String(SOfferTitle), body, String(SOfferQuestion));
    if (MessageDlg(offer, mtConfirmation, mbYes | mbNo, 0) == mrNo) return;
    geturl->URL = SThesaurusAddress;
    geturl->Click();
}

// ---------------------------------------------------------------------------
// Bulletin text editor

void TForm1::Button1Click(TObject*) {
    auto editor = std::make_unique<Tbtedit>(this);
    editor->AfterConstruction();
    editor->SpellChecker = SpellVelmor;
    editor->RichEdit1->SetText(Edit9->Text());
    if (editor->ShowModal() == mrOk) Edit9->SetText(editor->EditedText());
}
