#include "composer/tools/AutoKWGForm.h"
#include "composer/windows/WindowParts.h"

#include "composer/engine/ComposerSettings.h"
#include "composer/tools/KWGenForm.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListItems.h"
#include "framework/controls/ListView.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/Screen.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/UpDown.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/Registry.h"

using namespace BatchTexts;

TAutoKWGForm* AutoKWGForm = nullptr;


TAutoKWGForm::TAutoKWGForm(TComponent* owner) : TForm(owner) {
    SetName("AutoKWGForm");
    HelpContext = BatchTexts::HelpContext;  // F1 opens the window's topic
    SetCaption(SCaption);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 400, 278);

    GroupBox1 = Place<TGroupBox>(this, this, "GroupBox1", 8, 8, 376, 84);
    GroupBox1->SetCaption(" Settings ");
    Label1 = MakeLabel(this, GroupBox1, "Label1", "&Find the top ", 12, 26, 60);
    CountEdit = Place<TEdit>(this, GroupBox1, "CountEdit", 100, 22, 56, 21);
    UpDown2 = new TUpDown(this);
    UpDown2->SetName("UpDown2");
    UpDown2->SetParent(GroupBox1);
    UpDown2->SetMin(1);
    UpDown2->SetMax(300);
    UpDown2->SetPosition(KeywordTexts::DefaultTopCount);
    UpDown2->SetAssociate(CountEdit);
    Label1->SetFocusControl(CountEdit);
    Label2 = MakeLabel(this, GroupBox1, "Label2", "word occurrences.", 164, 26, 60);
    Label3 = MakeLabel(this, GroupBox1, "Label3", "In the first ", 12, 56, 60);
    CharCountEdit = Place<TEdit>(this, GroupBox1, "CharCountEdit", 100, 52, 56, 21);
    CharCountEdit->SetText(SDefaultCharCount);
    Label4 = MakeLabel(this, GroupBox1, "Label4", "characters of the file.", 164, 56, 60);

    OptRadioGroup = Place<TRadioGroup>(this, this, "OptRadioGroup", 8, 98, 376, 72);
    OptRadioGroup->SetCaption(" Options ");
    OptRadioGroup->Items()->Add(SOptionAutomatic);
    OptRadioGroup->Items()->Add(SOptionView);
    OptRadioGroup->SetItemIndex(0);

    ProgressBar1 = Place<TProgressBar>(this, this, "ProgressBar1", 8, 180, 376, 16);
    ProgressLabel = Place<TLabel>(this, this, "ProgressLabel", 8, 200, 376, 13);
    ProgressLabel->SetAutoSize(false);
    ProgressLabel->SetCaption("");

    SpeedButton1 = MakeButton(this, this, "SpeedButton1", "&Execute", "Execute Keyword Generator", 8, 222, 90);
    CloseSpeedButton = MakeButton(this, this, "CloseSpeedButton", "&Close", "Cancel Process", 104, 222, 90);
    SpeedButton3 =
        MakeButton(this, this, "SpeedButton3", "&Help", "Help with Batch Keyword Generation", 294, 222, 90);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnCloseQuery = [this](TObject* s, bool& c) { FormCloseQuery(s, c); };
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
    CloseSpeedButton->OnClick = [this](TObject* s) { CloseSpeedButtonClick(s); };
    SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
    CountEdit->OnChange = [this](TObject* s) { CountEditChange(s); };
}

TAutoKWGForm::~TAutoKWGForm() {
    if (AutoKWGForm == this) AutoKWGForm = nullptr;
}

void TAutoKWGForm::FormCreate(TObject*) {
    FileList = std::make_unique<TStringList>();
    LoadBatchSettings();
}

void TAutoKWGForm::FormClose(TObject*, TCloseAction&) { SaveBatchSettings(); }

void TAutoKWGForm::FormCloseQuery(TObject*, bool& CanClose) {
    // Pages are being written: the run ends by itself, page by page.
    if (FRunning) CanClose = false;
}

void TAutoKWGForm::CloseSpeedButtonClick(TObject*) { Close(); }

void TAutoKWGForm::SpeedButton3Click(TObject*) { Application->HelpContext(BatchTexts::HelpContext); }

void TAutoKWGForm::CountEditChange(TObject*) {}

// ---------------------------------------------------------------------------
// Settings

void TAutoKWGForm::LoadBatchSettings() {
    int count = KeywordTexts::DefaultTopCount;
    String chars = SDefaultCharCount;
    try {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        if (reg.OpenKey(TComposerSettings::KeyPath, true)) {
            if (reg.ValueExists(KeywordTexts::SCountValue)) {
                const String value = reg.ReadString(KeywordTexts::SCountValue);
                if (!value.empty()) count = TComposerSettings::ToNumber(value, KeywordTexts::DefaultTopCount);
            }
            if (reg.ValueExists(SBodyCheckValue)) {
                const String value = reg.ReadString(SBodyCheckValue);
                if (!value.empty()) chars = value;
            }
        }
    } catch (const std::exception&) {
        // A store that cannot be read leaves the defaults.
    }
    UpDown2->SetPosition(count);
    CharCountEdit->SetText(chars);
}

void TAutoKWGForm::SaveBatchSettings() {
    try {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        if (!reg.OpenKey(TComposerSettings::KeyPath, true)) return;
        // The main window's generator reads the same values and cannot use
        // text that is no count: such text is not kept.
        auto save = [&reg](const char* name, const String& text) {
            int value = 0;
            if (reg.ValueExists(name) && TryStrToInt(Trim(text), value) && value >= 1)
                reg.WriteString(name, Trim(text));
        };
        save(KeywordTexts::SCountValue, CountEdit->Text());
        save(SBodyCheckValue, CharCountEdit->Text());
    } catch (const std::exception&) {
        // The window is closing: a store that cannot be written only forgets.
    }
}

// ---------------------------------------------------------------------------
// The run

void TAutoKWGForm::ShowProgress(int done, int total, const String& page) {
    ProgressBar1->SetMax(total > 0 ? total : 1);
    ProgressBar1->SetPosition(done);
    ProgressLabel->SetCaption(page.empty() ? String()
                                           : IntToStr(done) + " of " + IntToStr(total) + ": " + page);
    // The bar must move while the pages are worked on; the buttons that
    // could start or end anything are off meanwhile.
    if (Application) Application->ProcessMessages();
}

void TAutoKWGForm::SpeedButton1Click(TObject*) {
    if (FRunning) return;
    int topCount = 0, charCount = 0;
    if (!TryStrToInt(Trim(CountEdit->Text()), topCount) ||
        !TryStrToInt(Trim(CharCountEdit->Text()), charCount)) {
        MessageDlg(SNotWholeNumber, mtError, mbOK, 0);
        return;
    }
    if (topCount < 1) {
        MessageDlg(SNoWordCount, mtError, mbOK, 0);
        return;
    }
    if (charCount < 1) {
        MessageDlg(SNoCharCount, mtError, mbOK, 0);
        return;
    }

    TBatchResult result;
    {
        struct TRunScope {
            TAutoKWGForm* Form;
            explicit TRunScope(TAutoKWGForm* f) : Form(f) { Set(true); }
            ~TRunScope() { Set(false); }
            void Set(bool running) {
                Form->FRunning = running;
                Form->SpeedButton1->SetEnabled(!running);
                Form->CloseSpeedButton->SetEnabled(!running);
            }
        } scope(this);

        // The run walks its own copy of the list.
        std::vector<String> pages;
        for (int i = 0; FileList && i < FileList->Count(); ++i) pages.push_back(FileList->Strings(i));
        const bool viewFirst = OptRadioGroup->ItemIndex() == 1;

        result.Total = static_cast<int>(pages.size());
        auto generator = std::make_unique<TKWGenForm>(this);
        generator->AfterConstruction();
        for (int i = 0; i < result.Total; ++i) {
            const String& page = pages[static_cast<size_t>(i)];
            ShowProgress(i, result.Total, page);
            generator->ChosenWords->Clear();
            // A page that gives no words must not be offered (or written) the
            // words of the page before it.
            generator->ListView1->Items()->Clear();
            generator->BodyCheckLength = charCount;
            generator->SetTopCount(topCount);
            generator->GenerateForFile(page);
            CurrentPage = page;
            if (viewFirst)
                generator->ShowModal();
            else
                generator->ChooseAllListed();
            bool written = false;
            try {
                if (generator->ChosenWordCount() > 0) {
                    std::vector<String> chosen;
                    for (int k = 0; k < generator->ChosenWords->Count(); ++k)
                        chosen.push_back(generator->ChosenWords->Strings(k));
                    KeywordsTag.UpdatePage(page, chosen);
                    written = true;
                }
            } catch (const std::exception&) {
                // The page stays as it was and is counted below.
            }
            if (written)
                ++result.Written;
            else
                ++result.Skipped;
        }
        ShowProgress(result.Total, result.Total, String());
        generator.reset();
    }
    LastResult = result;
    MessageDlg(STotal + IntToStr(result.Total) + SWrote + IntToStr(result.Written) + SFiles + SNotWrote +
                   IntToStr(result.Skipped) + SFiles,
               mtInformation, mbOK, 0);
}
