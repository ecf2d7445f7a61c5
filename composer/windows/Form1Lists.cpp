// The main window's lists: the nine lookup lists of the Web Page Options
// step (capturing new values, the List Editor), the keyword and
// description list files of step 1, and the subject trees behind the
// subject field of step 3.
#include <exception>
#include <memory>

#include "composer/engine/ComposerSettings.h"
#include "composer/engine/PageSelection.h"
#include "composer/tools/SrchFrm.h"
#include "composer/tools/stm.h"
#include "composer/tools/subjtree.h"
#include "composer/windows/Form1.h"
#include "composer/windows/ToolGlyph.h"
#include "composer/windows/WindowParts.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/SaveDialog.h"
#include "framework/controls/TabSheet.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"

namespace ListFileTexts {
inline constexpr const char* SFilter = "Keyword File|*.kwf|Description File|*.dsc";
inline constexpr const char* SSelectKeywords = "Select a keyword file";
inline constexpr const char* SSaveKeywords = "Save to a keyword file";
inline constexpr const char* SAddKeywords = "Add a keyword file";
inline constexpr const char* SSelectDescription = "Select a description file";
inline constexpr const char* SSaveDescription = "Save to a description file";
inline constexpr const char* SAddDescription = "Add a description file";
inline constexpr const char* SOpenHint = "Open from list";
inline constexpr const char* SSaveHint = "Save to list";
inline constexpr const char* SAddHint = "Add from list";
inline constexpr const char* SSaved = " saved successfully";
inline constexpr const char* SNotSaved = " could not be saved";
inline constexpr const char* SKeywordExtension = ".kwf";
inline constexpr const char* SDescriptionExtension = ".dsc";
inline constexpr int KeywordFilter = 1;
inline constexpr int DescriptionFilter = 2;
}  // namespace ListFileTexts

using namespace ListFileTexts;

namespace {

// A small button of a list bar: its icon, or its fallback caption where the
// icon is missing.
TTbToolbarButton* ListButton(TComponent* owner, TTbToolbar* bar, const char* name, const char* hint,
                             const char* icon, const char* fallback) {
    TTbToolbarButton* b = new TTbToolbarButton(owner);
    b->SetName(name);
    b->SetParent(bar);
    b->SetBounds(0, 0, 25, 26);
    b->SetFlat(true);
    b->SetHint(hint);
    b->SetShowHint(true);
    LoadToolGlyph(b, icon);
    if (!b->Glyph() || b->Glyph()->Empty()) b->SetCaption(fallback);
    return b;
}

TTbToolbar* ListBar(TComponent* owner, TWinControl* parent, const char* name, int left, int top) {
    TTbToolbar* bar = new TTbToolbar(owner);
    bar->SetName(name);
    bar->SetParent(parent);
    // Beside its memo, under the memo's character count.
    bar->SetAlign(alNone);
    bar->SetShowDivider(false);
    bar->SetMargin(0);
    bar->SetBounds(left, top, 80, 28);
    bar->SetRowHeight(28);
    return bar;
}

// Line breaks have no place in a META value; the settings decide whether
// they are taken out for the user.
void AutocorrectUnder(TMemo* memo, const String& setting) {
    if (!TComposerSettings::On(setting)) return;
    const String corrected = TPageSelection::AutocorrectText(memo->Text());
    if (corrected != memo->Text()) memo->SetText(corrected);
}

// The chosen name without the extension when it ends with it, so that the
// extension is written once; the folders on the way keep their names
// whatever they hold.
String WithoutExtension(const String& name, const String& extension) {
    const String file = ExtractFileName(name);
    if (file.size() <= extension.size()) return name;
    if (file.compare(file.size() - extension.size(), extension.size(), extension) != 0) return name;
    return name.substr(0, name.size() - extension.size());
}

}  // namespace

void TForm1::WireLists() {
    keylistbar = ListBar(this, TabSheet1, "keylistbar", Edit13->Left(), 168);
    open1 = ListButton(this, keylistbar, "open1", SOpenHint, "document-open", "O");
    save1 = ListButton(this, keylistbar, "save1", SSaveHint, "document-save", "S");
    add1 = ListButton(this, keylistbar, "add1", SAddHint, "list-add", "+");
    desclistbar = ListBar(this, TabSheet1, "desclistbar", Edit14->Left(), 324);
    open2 = ListButton(this, desclistbar, "open2", SOpenHint, "document-open", "O");
    save2 = ListButton(this, desclistbar, "save2", SSaveHint, "document-save", "S");
    add2 = ListButton(this, desclistbar, "add2", SAddHint, "list-add", "+");

    openme = new TOpenDialog(this);
    openme->SetName("openme");
    openme->Filter = SFilter;
    openme->Options = ofOverwritePrompt | ofHideReadOnly | ofShareAware | ofEnableSizing;
    saveme = new TSaveDialog(this);
    saveme->SetName("saveme");
    saveme->Filter = SFilter;
    saveme->Options = ofOverwritePrompt | ofHideReadOnly | ofExtensionDifferent | ofShareAware | ofEnableSizing;

    addwds = new TMemo(this);
    addwds->SetName("addwds");
    addwds->SetParent(this);
    addwds->SetBounds(0, 0, 10, 10);
    addwds->SetVisible(false);
    addwds->SetWordWrap(false);

    // The subject field makes room for the buttons that fill it.
    Edit15->SetWidth(400);
    Button2 = MakeButton<TButton>(this, TabSheet3, "Button2", "...", "Select subject(s)", 474, 384, 24, 22);
    Button2->SetAnchors(akRight | akBottom);
    stms = MakeButton<TButton>(this, TabSheet3, "stms", "Edit Subject List", "Edit/Create subject lists", 504, 383,
                               112, 24);
    stms->SetAnchors(akRight | akBottom);

    for (TTbToolbarButton* b : {TbToolbarButton11, TbToolbarButton33})
        b->OnClick = [this](TObject* s) { TbToolbarButton11Click(s); };
    EditStep2Lists1->OnClick = [this](TObject* s) { TbToolbarButton11Click(s); };
    Edit7->OnExit = [this](TObject* s) { Edit7Exit(s); };
    Edit2->OnExit = [this](TObject* s) { Edit2Exit(s); };
    edit3->OnExit = [this](TObject* s) { edit3Exit(s); };
    rating->OnExit = [this](TObject* s) { ratingExit(s); };
    sbots->OnExit = [this](TObject* s) { sbotsExit(s); };
    edit5->OnExit = [this](TObject* s) { edit5Exit(s); };
    edit12->OnExit = [this](TObject* s) { edit12Exit(s); };
    Edit4->OnExit = [this](TObject* s) { Edit4Exit(s); };
    ComboBox1->OnExit = [this](TObject* s) { ComboBox1Exit(s); };

    open1->OnClick = [this](TObject* s) { open1Click(s); };
    save1->OnClick = [this](TObject* s) { save1Click(s); };
    add1->OnClick = [this](TObject* s) { add1Click(s); };
    open2->OnClick = [this](TObject* s) { open2Click(s); };
    save2->OnClick = [this](TObject* s) { save2Click(s); };
    add2->OnClick = [this](TObject* s) { add2Click(s); };
    edit22->OnExit = [this](TObject* s) { edit22Exit(s); };
    edit1->OnExit = [this](TObject* s) { edit1Exit(s); };

    stms->OnClick = [this](TObject* s) { stmsClick(s); };
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
}

// ---------------------------------------------------------------------------
// Lookup lists

void TForm1::TbToolbarButton11Click(TObject*) {
    {
        auto editor = std::make_unique<TSrchFrm>(this);
        editor->AfterConstruction();
        editor->ShowModal();
    }
    // What was saved in the editor shows at once.
    LoadLookupLists();
}

void TForm1::CaptureLookupValue(TComboBox* combo, const String& listFile) {
    const String text = combo->Text();
    // An empty value is no value: no list gains an empty line from it.
    if (text.empty()) return;
    if (!TComposerSettings::On(ComposerSettings.llist)) return;
    try {
        if (combo->Items()->IndexOf(text) >= 0) return;
        combo->Items()->Add(text);
        if (combo->Text() != text) combo->SetText(text);
        TStringList items;
        items.Assign(combo->Items());
        items.SaveToFile(BesideProgram(listFile));
    } catch (const std::exception&) {
        // The value stays offered for this session; a list that cannot be
        // written is no reason to stop the user leaving the field.
    }
}

void TForm1::Edit7Exit(TObject*) { CaptureLookupValue(Edit7, "lists/language.txt"); }
void TForm1::Edit2Exit(TObject*) { CaptureLookupValue(Edit2, "lists/revisit.txt"); }
void TForm1::edit3Exit(TObject*) { CaptureLookupValue(edit3, "lists/classification.txt"); }
void TForm1::ratingExit(TObject*) { CaptureLookupValue(rating, "lists/rating.txt"); }
void TForm1::sbotsExit(TObject*) { CaptureLookupValue(sbots, "lists/Robots.txt"); }
void TForm1::edit5Exit(TObject*) { CaptureLookupValue(edit5, "lists/authors.txt"); }
void TForm1::edit12Exit(TObject*) { CaptureLookupValue(edit12, "lists/reply to.txt"); }
void TForm1::Edit4Exit(TObject*) { CaptureLookupValue(Edit4, "lists/copyright.txt"); }
void TForm1::ComboBox1Exit(TObject*) { CaptureLookupValue(ComboBox1, "lists/distribution.txt"); }

// ---------------------------------------------------------------------------
// Keyword and description list files

namespace {

void PrepareDialog(TOpenDialog* dialog, const char* title, int filter) {
    dialog->InitialDir = BesideProgram("save");
    dialog->Title = title;
    dialog->FilterIndex = filter;
}

void OpenListFile(TOpenDialog* dialog, TMemo* memo, const char* title, int filter, const String& setting) {
    PrepareDialog(dialog, title, filter);
    if (!dialog->Execute()) return;
    String text;
    try {
        // Read before the memo is touched: a file that cannot be read
        // leaves the user's text where it was.
        text = AdjustLineBreaks(ReadFileToString(dialog->FileName));
    } catch (const Exception& e) {
        Application->ShowException(e);
        return;
    }
    memo->SetText(text);
    AutocorrectUnder(memo, setting);
}

void AddListFile(TOpenDialog* dialog, TMemo* buffer, TMemo* memo, const char* title, int filter,
                 const String& setting) {
    PrepareDialog(dialog, title, filter);
    if (!dialog->Execute()) return;
    TStringList lines;
    try {
        lines.LoadFromFile(dialog->FileName);
    } catch (const Exception& e) {
        Application->ShowException(e);
        return;
    }
    buffer->Lines()->Assign(&lines);
    memo->SetText(memo->Text() + " " + lines.Text());
    AutocorrectUnder(memo, setting);
}

void SaveListFile(TSaveDialog* dialog, TMemo* memo, const char* title, int filter) {
    PrepareDialog(dialog, title, filter);
    if (!dialog->Execute()) return;
    const String extension = dialog->FilterIndex == DescriptionFilter ? SDescriptionExtension
                             : dialog->FilterIndex == KeywordFilter   ? SKeywordExtension
                             : filter == DescriptionFilter            ? SDescriptionExtension
                                                                      : SKeywordExtension;
    const String name = WithoutExtension(dialog->FileName, extension);
    dialog->FileName = name;
    try {
        TStringList lines;
        lines.Assign(memo->Lines());
        lines.SaveToFile(name + extension);
    } catch (const std::exception&) {
        MessageDlg(name + SNotSaved, mtError, mbOK, 0);
        return;
    }
    MessageDlg(name + SSaved, mtInformation, mbOK, 0);
}

}  // namespace

void TForm1::open1Click(TObject*) {
    OpenListFile(openme, edit22, SSelectKeywords, KeywordFilter, ComposerSettings.akey);
}

void TForm1::open2Click(TObject*) {
    OpenListFile(openme, edit1, SSelectDescription, DescriptionFilter, ComposerSettings.adesc);
}

void TForm1::add1Click(TObject*) {
    AddListFile(openme, addwds, edit22, SAddKeywords, KeywordFilter, ComposerSettings.akey);
}

void TForm1::add2Click(TObject*) {
    AddListFile(openme, addwds, edit1, SAddDescription, DescriptionFilter, ComposerSettings.adesc);
}

// Each Save writes the memo it belongs to, whichever kind of file the user
// picks in the dialog; the kind only decides the extension.
void TForm1::save1Click(TObject*) { SaveListFile(saveme, edit22, SSaveKeywords, KeywordFilter); }

void TForm1::save2Click(TObject*) { SaveListFile(saveme, edit1, SSaveDescription, DescriptionFilter); }

void TForm1::edit22Exit(TObject*) { AutocorrectUnder(edit22, ComposerSettings.akey); }

void TForm1::edit1Exit(TObject*) { AutocorrectUnder(edit1, ComposerSettings.adesc); }

// ---------------------------------------------------------------------------
// Subject trees

void TForm1::stmsClick(TObject*) {
    auto manager = std::make_unique<Tstm>(this);
    manager->AfterConstruction();
    manager->ShowModal();
}

void TForm1::Button2Click(TObject*) {
    auto selector = std::make_unique<Tsubjtree>(this);
    selector->SubjectField = Edit15;
    selector->AfterConstruction();
    selector->ShowModal();
}
