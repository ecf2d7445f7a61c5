#include "composer/tools/KWGenForm.h"
#include "composer/windows/WindowParts.h"

#include <algorithm>

#include "composer/engine/ComposerSettings.h"
#include "composer/engine/KeywordCounter.h"
#include "composer/engine/PageEncoding.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/PageHead.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListColumn.h"
#include "framework/controls/ListColumns.h"
#include "framework/controls/ListItem.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ListView.h"
#include "framework/controls/Memo.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Screen.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/TabSheet.h"
#include "framework/controls/UpDown.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/Charset.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/Registry.h"
#include "transfer/components/ickXMLp.h"

using namespace KeywordTexts;

TKWGenForm* KWGenForm = nullptr;

namespace {

std::vector<String> Entries(const TStrings* list) {
    std::vector<String> v;
    v.reserve(static_cast<size_t>(list->Count()));
    for (int i = 0; i < list->Count(); ++i) v.push_back(list->Strings(i));
    return v;
}

bool HoldsNoCase(const TStrings* list, const String& word) {
    for (int i = 0; i < list->Count(); ++i)
        if (AnsiSameText(list->Strings(i), word)) return true;
    return false;
}

}  // namespace

TKWGenForm::TKWGenForm(TComponent* owner) : TForm(owner) {
    SetName("KWGenForm");
    HelpContext = KeywordTexts::HelpContext;  // F1 opens the window's topic
    SetCaption(SCaption);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 536, 462);

    PageControl1 = Place<TPageControl>(this, this, "PageControl1", 4, 4, 520, 382);
    TabSheet1 = new TTabSheet(this);
    TabSheet1->SetName("TabSheet1");
    TabSheet1->SetPageControl(PageControl1);
    TabSheet1->SetCaption("Keywords");
    TabSheet2 = new TTabSheet(this);
    TabSheet2->SetName("TabSheet2");
    TabSheet2->SetPageControl(PageControl1);
    TabSheet2->SetCaption("Setup");

    GroupBox1 = Place<TGroupBox>(this, TabSheet1, "GroupBox1", 4, 4, 504, 344);
    Label1 = Place<TLabel>(this, GroupBox1, "Label1", 10, 20, 484, 28);
    Label1->SetAutoSize(false);
    Label1->SetWordWrap(true);
    Label1->SetCaption(
        "Check the words in the list and either add them to the keywords tag or add them to the Noise "
        "Words list");
    ListView1 = Place<TListView>(this, GroupBox1, "ListView1", 10, 52, 484, 248);
    ListView1->SetViewStyle(vsReport);
    ListView1->SetCheckboxes(true);
    ListView1->SetRowSelect(true);
    ListView1->ReadOnly = true;
    auto column = [this](const char* caption, int width, TAlignment alignment) {
        TListColumn* c = ListView1->Columns()->Add();
        c->SetCaption(caption);
        c->SetWidth(width);
        c->SetAlignment(alignment);
    };
    column("Word", 243, taLeftJustify);
    column("Occurences", 95, taRightJustify);
    column("% of Total Words", 115, taRightJustify);
    SpeedButton1 = MakeButton(this, GroupBox1, "SpeedButton1", "Add Checked to Keywords", nullptr, 10, 308, 164);
    SpeedButton3 = MakeButton(this, GroupBox1, "SpeedButton3", "Add Checked to Noise Words", nullptr, 178, 308, 180);
    SpeedButton2 = MakeButton(this, GroupBox1, "SpeedButton2", "Refresh List", nullptr, 362, 308, 132);

    Label2 = MakeLabel(this, TabSheet2, "Label2", "Find the top ", 10, 16, 60);
    Edit1 = Place<TEdit>(this, TabSheet2, "Edit1", 84, 12, 56, 21);
    UpDown1 = new TUpDown(this);
    UpDown1->SetName("UpDown1");
    UpDown1->SetParent(TabSheet2);
    UpDown1->SetMin(0);
    UpDown1->SetMax(300);
    UpDown1->SetPosition(DefaultTopCount);
    UpDown1->SetAssociate(Edit1);
    Label3 = MakeLabel(this, TabSheet2, "Label3", "word occurences", 146, 16, 60);
    Label4 = MakeLabel(this, TabSheet2, "Label4", "Noise Words", 10, 48, 60);
    nwMemo = Place<TMemo>(this, TabSheet2, "nwMemo", 10, 66, 300, 276);
    nwMemo->SetWordWrap(false);
    nwMemo->SetScrollBars(ssBoth);
    SpeedButton4 = MakeButton(this, TabSheet2, "SpeedButton4", "Load Noise Words", nullptr, 322, 66, 150);
    SpeedButton5 = MakeButton(this, TabSheet2, "SpeedButton5", "Save Noise Words", nullptr, 322, 98, 150);

    Button1 = MakeButton<TButton>(this, this, "Button1", "&Close", nullptr, 368, 396, 75);
    Button1->SetModalResult(mrOk);
    Button1->SetCancel(true);
    Button2 = MakeButton<TButton>(this, this, "Button2", "&Help", nullptr, 449, 396, 75);

    Parser = new TickXMLp(this);
    Parser->SetName("Parser");
    Parser->SetFlushOnEOL(false);
    Parser->SetPreserveWhiteSpace(true);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    Edit1->OnChange = [this](TObject* s) { Edit1Change(s); };
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
    SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
    SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    SpeedButton4->OnClick = [this](TObject* s) { SpeedButton4Click(s); };
    SpeedButton5->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    Parser->OnBeginElement = [this](TObject* s, const String& n) { ParserBeginElement(s, n); };
    Parser->OnEndElement = [this](TObject* s, const String& n) { ParserEndElement(s, n); };
    Parser->OnText = [this](TObject* s, const String& t) { ParserText(s, t); };
    Parser->OnEvalEntity = [this](TObject* s, const String& e, String& v) { ParserEvalEntity(s, e, v); };
}

TKWGenForm::~TKWGenForm() {
    if (KWGenForm == this) KWGenForm = nullptr;
}

// ---------------------------------------------------------------------------
// Creation, showing, closing

void TKWGenForm::FormCreate(TObject*) {
    WordList = std::make_unique<TStringList>();
    CountList = std::make_unique<TStringList>();
    NoiseWords = std::make_unique<TStringList>();
    ChosenWords = std::make_unique<TStringList>();
    ProgramFolder = ::ProgramFolder();
    PageControl1->SetActivePage(TabSheet1);
    LoadGeneratorSettings();
}

void TKWGenForm::FormShow(TObject*) {
    SetCaption(SCaptionPrefix + PageFile);
    if (ListView1->Items()->Count() == 0) MessageDlg(SNoWords, mtInformation, mbOK, 0);
    ShowTopCaption();
}

void TKWGenForm::FormClose(TObject*, TCloseAction&) { SaveGeneratorSettings(); }

void TKWGenForm::ShowTopCaption() { GroupBox1->SetCaption(Format(STopCaption, UpDown1->Position())); }

void TKWGenForm::Edit1Change(TObject*) {
    // The up-down takes a typed number only after this event; read it here
    // the way it will, so the caption and the count follow the typing.
    String t = Trim(Edit1->Text());
    t.erase(std::remove(t.begin(), t.end(), ','), t.end());
    int typed = 0;
    if (TryStrToInt(t, typed) && typed >= UpDown1->Min() && typed <= UpDown1->Max() &&
        typed != UpDown1->Position())
        UpDown1->SetPosition(typed);
    ShowTopCaption();
    TopCount = UpDown1->Position();
}

void TKWGenForm::Button2Click(TObject*) { Application->HelpContext(KeywordTexts::HelpContext); }

// ---------------------------------------------------------------------------
// Settings

void TKWGenForm::LoadGeneratorSettings() {
    int position = DefaultTopCount;
    try {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        if (reg.OpenKey(TComposerSettings::KeyPath, true) && reg.ValueExists(SCountValue)) {
            const String value = reg.ReadString(SCountValue);
            // A value that is no number counts as missing: a broken setting
            // must not keep the window from opening.
            if (!value.empty()) position = TComposerSettings::ToNumber(value, DefaultTopCount);
        }
    } catch (const std::exception&) {
        // A store that cannot be read leaves the default.
    }
    UpDown1->SetPosition(position);
    TopCount = UpDown1->Position();
}

void TKWGenForm::SaveGeneratorSettings() {
    try {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        if (reg.OpenKey(TComposerSettings::KeyPath, true) && reg.ValueExists(SCountValue))
            reg.WriteString(SCountValue, IntToStr(UpDown1->Position()));
    } catch (const std::exception&) {
        // The window is closing: a store that cannot be written only forgets.
    }
}

// ---------------------------------------------------------------------------
// What other windows use

int TKWGenForm::ChosenWordCount() const { return ChosenWords ? ChosenWords->Count() : 0; }

void TKWGenForm::SetTopCount(int value) {
    if (value == TopCount) return;
    TopCount = value;
    Edit1->SetText(IntToStr(value));
}

int TKWGenForm::ChooseAllListed() {
    ChosenWords->Clear();
    TListItems* items = ListView1->Items();
    for (int i = 0; i < items->Count(); ++i) {
        const String& word = items->Item(i)->Caption();
        if (!word.empty() && !HoldsNoCase(ChosenWords.get(), word)) ChosenWords->Add(word);
    }
    return ChosenWords->Count();
}

// ---------------------------------------------------------------------------
// Generation

void TKWGenForm::GenerateForFile(const String& page) {
    AfterConstruction();  // the lists exist from here on, however the window was made
    PageFile = page;
    Screen->SetCursor(crHourGlass);
    try {
        if (NoiseWords->Count() == 0) {
            try {
                LoadNoiseWords();
            } catch (const std::exception&) {
                // Without the noise words every word is counted: better
                // than no words at all.
            }
        }
        LoadBodyText();
        ParseBodyText();
        CountWords();
    } catch (const std::exception&) {
        // A page that cannot be read lists nothing; the window says so when
        // it opens.
    }
    Screen->SetCursor(crDefault);
}

String TKWGenForm::NoiseWordFile() const {
    const String path = IncludeTrailingPathDelimiter(ProgramFolder) + SNoiseFile;
    const String found = FindPathNoCase(path);
    return found.empty() ? path : found;
}

void TKWGenForm::LoadNoiseWords() {
    const String file = NoiseWordFile();
    // A list that was never saved is an empty one; a list that is there but
    // cannot be read is an error, so it is never saved over.
    if (!FileExists(file)) {
        NoiseWords->Clear();
        return;
    }
    NoiseWords->LoadFromFile(file);
}

void TKWGenForm::SaveNoiseWords() { NoiseWords->SaveToFile(NoiseWordFile()); }

void TKWGenForm::LoadBodyText() {
    if (PageFile.empty()) throw ENoFile(HeadTexts::SNoFileToLoad);
    BodyText.clear();
    if (!FileExists(PageFile)) throw ENoFile(HeadTexts::SNoFileToLoad);
    // A page is never taken in whole past what its head may fill; the
    // body's first characters are all that is counted anyway.
    PageText.clear();
    TFileSource source(PageFile);
    source.Read(PageText, TPageHead::MaxHeadBytes);
    String span;
    if (TKeywordCounter::CutBodySpan(PageText, BodyCheckLength, span) == bsNoOpeningTag)
        MessageDlg(SNoBody, mtWarning, mbOK, 0);
    // The words are counted as text: in the page's own encoding, read to
    // UTF-8.
    TPageEncoding encoding;
    try {
        TPageHead head;
        head.LoadFromText(PageText);
        head.LearnEncoding();
        encoding = head.Encoding;
    } catch (const std::exception&) {
        encoding = TPageEncoding::Detect(PageText, String());
    }
    BodyText = DecodeToUtf8(span, encoding.Charset);
}

void TKWGenForm::ParseBodyText() {
    PlainText.clear();
    FSkipDepth = 0;
    Parser->SetEndOfInput(false);
    Parser->SetInputText(BodyText);
    Parser->SetEndOfInput(true);
}

void TKWGenForm::ParserBeginElement(TObject*, const String& Name) {
    const String name = UpperCase(Name);
    if (name == "SCRIPT" || name == "STYLE") ++FSkipDepth;
    PlainText += "\r\n";
}

void TKWGenForm::ParserEndElement(TObject*, const String& Name) {
    const String name = UpperCase(Name);
    if ((name == "SCRIPT" || name == "STYLE") && FSkipDepth > 0) --FSkipDepth;
    if (name == "BODY") Parser->SetEndOfInput(true);
    PlainText += "\r\n";
}

void TKWGenForm::ParserText(TObject*, const String& Text) {
    // The parser hands a text over in pieces (around a reference, say):
    // words part only where an element begins or ends.
    if (FSkipDepth > 0) return;
    PlainText += Text;
}

void TKWGenForm::ParserEvalEntity(TObject*, const String& Entity, String& Value) {
    // A reference to a letter or digit ("L&iacute;nguas") is part of its
    // word; anything else (&nbsp;, &amp;, a dash) parts words.
    const String reference = "&" + Entity + ";";
    const String text = TPageEncoding::ResolveReferences(reference, false);
    size_t pos = 0;
    const char32_t c = text.empty() || text == reference ? U' ' : NextUtf8(text, pos);
    Value = pos == text.size() && IsLetterOrDigit(c) ? text : " ";
}

void TKWGenForm::CountWords() {
    WordList->Clear();
    CountList->Clear();
    const TWordCount count =
        TKeywordCounter::CountWords(PlainText, Entries(NoiseWords.get()), Entries(ChosenWords.get()));
    for (const String& w : count.Words) WordList->Add(w);
    FilteredWordCount = count.FilteredWordCount;
    // The ranking as the classic list held it: count and word, ascending.
    for (auto it = count.Rows.rbegin(); it != count.Rows.rend(); ++it)
        CountList->Add(Format("%.6d%s", it->Count, it->Word));

    TListItems* items = ListView1->Items();
    items->BeginUpdate();
    items->Clear();
    for (const TKeywordRow& row : TKeywordCounter::TopRows(count, TopCount)) {
        TListItem* item = items->Add();
        item->SetCaption(row.Word);
        item->SubItems()->Add(IntToStr(row.Count));
        if (FilteredWordCount > 0) item->SubItems()->Add(row.Share);
    }
    items->EndUpdate();
}

// ---------------------------------------------------------------------------
// The buttons

int TKWGenForm::MoveCheckedWords(TStrings* list) {
    int added = 0;
    TListItems* items = ListView1->Items();
    for (int i = 0; i < items->Count(); ++i) {
        const TListItem* item = items->Item(i);
        if (!item->Checked() || HoldsNoCase(list, item->Caption())) continue;
        list->Add(item->Caption());
        ++added;
    }
    for (int i = items->Count() - 1; i >= 0; --i)
        if (items->Item(i)->Checked()) items->Delete(i);
    return added;
}

void TKWGenForm::SpeedButton1Click(TObject*) {
    const int added = MoveCheckedWords(ChosenWords.get());
    MessageDlg(added > 0 ? SKeywordsAdded : SNoKeywordsAdded, mtInformation, mbOK, 0);
}

void TKWGenForm::SpeedButton3Click(TObject*) {
    // Saving a list that was never read would replace the one on disk by
    // the few words added here.
    if (NoiseWords->Count() == 0) LoadNoiseWords();
    const int added = MoveCheckedWords(NoiseWords.get());
    if (!Trim(nwMemo->Text()).empty()) nwMemo->Lines()->Assign(NoiseWords.get());
    SaveNoiseWords();
    MessageDlg(added > 0 ? SNoiseAdded : SNoNoiseAdded, mtInformation, mbOK, 0);
}

void TKWGenForm::SpeedButton2Click(TObject*) { GenerateForFile(PageFile); }

void TKWGenForm::SpeedButton4Click(TObject*) {
    if (nwMemo->Modified() && MessageDlg(SNoiseModified, mtConfirmation, mbYes | mbNo, 0) != mrYes)
        return;
    if (NoiseWords->Count() == 0) LoadNoiseWords();
    nwMemo->Lines()->Assign(NoiseWords.get());
    nwMemo->SetSelStart(0);  // the list from its first word
    nwMemo->SetModified(false);
}

void TKWGenForm::SpeedButton5Click(TObject*) {
    NoiseWords->Assign(nwMemo->Lines());
    SaveNoiseWords();
    nwMemo->SetModified(false);
}
