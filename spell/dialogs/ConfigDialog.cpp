#include "spell/dialogs/ConfigDialog.h"

#include <algorithm>

#include "framework/controls/Application.h"
#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/PageControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "spell/dialogs/DictSheet.h"
#include "spell/dialogs/Languages.h"
#include "spell/dialogs/SpellOptionsSheet.h"
#include "spell/store/Configuration.h"

TConfigDialog::TConfigDialog(TComponent* owner, TConfiguration* configuration)
    : TForm(owner),
      EngineConfiguration(configuration),
      Working(std::make_unique<TConfiguration>(String(), 0, String(), String(), String())) {
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Font()->SetName("MS Sans Serif");
    Font()->SetSize(8);
    if (EngineConfiguration) Working->Assign(*EngineConfiguration);
    // From here Dirty means "the user changed something"; a write the
    // engine still owes is kept on its own copy.
    Working->Dirty = false;
    PageControl = new TPageControl(this);
    PageControl->SetName("PageControl");
    PageControl->SetParent(this);
    OKButton = new TBitBtn(this);
    OKButton->SetName("OKButton");
    OKButton->SetParent(this);
    OKButton->SetKind(bkOK);
    OKButton->HelpContext = 816;
    CancelButton = new TBitBtn(this);
    CancelButton->SetName("CancelButton");
    CancelButton->SetParent(this);
    CancelButton->SetKind(bkCancel);
    CancelButton->HelpContext = 817;
    HelpButton = new TButton(this);
    HelpButton->SetName("HelpButton");
    HelpButton->SetParent(this);
    HelpButton->SetCaption("&Help");
    HelpButton->OnClick = [this](TObject* s) { HelpClick(s); };
    OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
}

TConfigDialog::~TConfigDialog() {
    // The working copy carries the file's name; changes the user dropped
    // must not reach the file when it goes.
    if (Working) Working->Dirty = false;
}

void TConfigDialog::Setup(TSpellOptions visibleOptions, TStrings* ignoreList, TStrings* changeList, int extra) {
    DictSheet = new TDictSheet(this, PageControl);
    DictSheet->SetName("DictSheet");
    DictSheet->AttachToPageControl();
    DictSheet->LoadFrom(Working.get());
    OptionsSheet = new TSpellOptionsSheet(this, PageControl);
    OptionsSheet->SetName("OptionsSheet");
    OptionsSheet->AttachToPageControl();
    OptionsSheet->SetConfiguration(Working.get());
    OptionsSheet->BuildOptions(visibleOptions, Working->Options, ignoreList, changeList, extra);
    OptionsSheet->ResetIgnoreAll->OnClick = [this](TObject* s) {
        if (OnResetIgnoreAll) OnResetIgnoreAll(s);
        OptionsSheet->ResetIgnoreAll->SetEnabled(false);
    };
    OptionsSheet->ResetChangeAll->OnClick = [this](TObject* s) {
        if (OnResetChangeAll) OnResetChangeAll(s);
        OptionsSheet->ResetChangeAll->SetEnabled(false);
    };
    SetWidth(432);
    SetHeight(std::max(300, OptionsSheet->ContentHeight() + 55));
    PageControl->SetAlign(alLeft);
    PageControl->SetWidth(329);
    OKButton->SetBounds(344, 8, 75, 25);
    CancelButton->SetBounds(344, 36, 75, 25);
    HelpButton->SetBounds(344, 64, 75, 25);
    PageControl->SetActivePage(DictSheet);
}

void TConfigDialog::SetLanguage(TLanguageModule* module) {
    FModule = module;
    const auto text = [module](int i) {
        return module && i < module->Strings->Count() ? module->Strings->Get(i) : String();
    };
    SetCaption(text(22));
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    bitmap.Canvas()->SetFont(Font());
    int w = 71;
    OKButton->SetCaption(text(25));
    w = std::max(w, bitmap.Canvas()->TextWidth(text(25)) + 22);
    CancelButton->SetCaption(text(26));
    w = std::max(w, bitmap.Canvas()->TextWidth(text(26)) + 22);
    HelpButton->SetCaption(text(15));
    w = std::max(w, bitmap.Canvas()->TextWidth(text(15)));
    w += 4;
    if (DictSheet) DictSheet->SetLanguage(module);
    if (OptionsSheet) OptionsSheet->SetLanguage(module);
    int p = OptionsSheet ? OptionsSheet->NeededWidth() : 0;
    if (p > PageControl->Width()) PageControl->SetWidth(p);
    p = PageControl->Width();
    OKButton->SetBounds(p + 15, 8, w, 25);
    CancelButton->SetBounds(p + 15, 36, w, 25);
    HelpButton->SetBounds(p + 15, 64, w, 25);
    SetWidth(PageControl->Width() + w + 28);
}

bool TConfigDialog::Execute() {
    if (DictSheet) DictSheet->AttachToPageControl();
    if (OptionsSheet) OptionsSheet->AttachToPageControl();
    FClosingByOK = false;
    const TModalResult r = RunDialogForm(*this);
    if (r != mrOk) return false;
    if (EngineConfiguration) {
        const bool owed = EngineConfiguration->Dirty;
        EngineConfiguration->Assign(*Working);
        EngineConfiguration->Dirty = owed || Working->Dirty;
    }
    return true;
}

void TConfigDialog::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = true;
    if (ModalResult() == mrOk || !Working->Dirty) return;
    const String question = FModule && FModule->Strings->Count() > 63 ? FModule->Strings->Get(63)
                                                                      : String("Exit without saving configuration?");
    CanClose = MessageDlg(question, mtConfirmation, mbYes | mbNo, 0) == mrYes;
}

void TConfigDialog::HelpClick(TObject*) {
    if (!Application) return;
    Application->HelpContext(PageControl->ActivePage() == DictSheet ? HelpContext1 : HelpContext2);
}
