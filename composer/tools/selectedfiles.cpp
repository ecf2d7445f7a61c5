#include "composer/tools/selectedfiles.h"

#include "composer/engine/PageSelection.h"
#include "composer/windows/WindowParts.h"
#include "framework/classes/Strings.h"
#include "framework/controls/Button.h"
#include "framework/controls/Panel.h"
#include "framework/controls/RichEdit.h"
#include "framework/rtl/StrUtils.h"

Tselectedfiles::Tselectedfiles(TComponent* owner) : TForm(owner) {
    SetName("selectedfiles");
    HelpContext = SelectionTexts::DialogHelpContext;  // F1 opens the window's topic
    SetCaption("Selected Files");
    SetBounds(0, 0, 542, 416);
    SetPosition(poScreenCenter);

    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetCaption("");
    Panel1->SetBounds(0, 341, 534, 41);
    Panel1->SetAlign(alBottom);

    Button1 = MakeButton<TButton>(this, Panel1, "Button1", "&Close", nullptr, 446, 8, 75);
    Button1->SetAnchors(akTop | akRight);
    Button1->SetCancel(true);
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };

    RichEdit1 = new TRichEdit(this);
    RichEdit1->SetName("RichEdit1");
    RichEdit1->SetParent(this);
    RichEdit1->SetBounds(0, 0, 534, 341);
    RichEdit1->SetAlign(alClient);
    RichEdit1->SetReadOnly(true);
    RichEdit1->SetScrollBars(ssBoth);
    RichEdit1->SetWordWrap(false);
}

void Tselectedfiles::Button1Click(TObject*) { Close(); }

void Tselectedfiles::ShowFiles(const TStrings* files) {
    TStrings* lines = RichEdit1->Lines();
    lines->BeginUpdate();
    lines->Clear();
    lines->Add(SelectionTexts::SViewerHeading);
    lines->Add("");
    const int count = files ? files->Count() : 0;
    for (int i = 0; i < count; ++i) lines->Add(files->Strings(i));
    lines->Add("");
    lines->Add(IntToStr(count) + SelectionTexts::SViewerCount);
    lines->EndUpdate();
}
