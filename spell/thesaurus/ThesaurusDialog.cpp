#include "spell/thesaurus/ThesaurusDialog.h"

#include "framework/controls/BitBtn.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/SizeConstraints.h"
#include "framework/controls/TabSheet.h"
#include "framework/graphics/Font.h"

namespace {
template <class T>
T* Place(TWinControl* parent, TComponent* owner, const char* name, int l, int t, int w, int h) {
    T* c = new T(owner);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(l, t, w, h);
    return c;
}
}  // namespace

TThesaurusDialog::TThesaurusDialog(TComponent* owner) : TForm(owner) {
    SetCaption("Thesaurus Lookup:");
    SetBorderIcons(biMaximize);
    SetColor(clBtnFace);
    Font()->SetName("MS Sans Serif");
    Font()->SetSize(8);
    SetClientWidth(331);
    SetClientHeight(160);
    // Created in tab order; the labels take no tab.
    WordEdit = Place<TEdit>(this, this, "WordEdit", 44, 28, 93, 21);
    Lookup = Place<TListBox>(this, this, "Lookup", 4, 52, 133, 76);
    PageControl = Place<TPageControl>(this, this, "PageControl", 142, 4, 185, 124);
    const char* captions[4] = {"Noun", "Verb", "Adj", "Adv."};
    TTabSheet** sheets[4] = {&Sheet1, &Sheet2, &Sheet3, &Sheet4};
    TListBox** lists[4] = {&LB1, &LB2, &LB3, &LB4};
    for (int i = 0; i < 4; ++i) {
        auto* s = new TTabSheet(this);
        s->SetName("Sheet" + std::to_string(i + 1));
        s->SetPageControl(PageControl);
        s->SetCaption(captions[i]);
        *sheets[i] = s;
        auto* lb = new TListBox(this);
        lb->SetName("LB" + std::to_string(i + 1));
        lb->SetParent(s);
        lb->SetAlign(alClient);
        *lists[i] = lb;
    }
    LookupButton = Place<TButton>(this, this, "LookupButton", 4, 132, 66, 25);
    LookupButton->SetCaption("&Lookup");
    ReplaceButton = Place<TButton>(this, this, "ReplaceButton", 72, 132, 66, 25);
    ReplaceButton->SetCaption("&Replace");
    CancelButton = Place<TBitBtn>(this, this, "CancelButton", 238, 132, 90, 25);
    CancelButton->SetKind(bkCancel);
    // The window is not modal: Cancel reports its click like the others.
    CancelButton->SetModalResult(mrNone);
    ContextEdit = Place<TComboBox>(this, this, "ContextEdit", 44, 4, 93, 21);
    ContextEdit->SetStyle(csDropDownList);
    Label1 = Place<TLabel>(this, this, "Label1", 4, 4, 30, 13);
    Label1->SetCaption("Topic:");
    WordLabel = Place<TLabel>(this, this, "WordLabel", 4, 28, 29, 13);
    WordLabel->SetCaption("&Word:");
    WordLabel->SetFocusControl(WordEdit);
    PageControl->SetActivePage(Sheet1);
    OnResize = [this](TObject* s) { FormResize(s); };
    Constraints()->SetMinHeight(150);
}

int TThesaurusDialog::FixedWidth() const {
    return (Width() - ClientWidth()) + PageControl->Left() + PageControl->Width() + 4;
}

void TThesaurusDialog::FormResize(TObject*) {
    const int top = ClientHeight() - CancelButton->Height() - 4;
    CancelButton->SetTop(top);
    LookupButton->SetTop(top);
    ReplaceButton->SetTop(top);
    PageControl->SetHeight(top - 8);
    Lookup->SetHeight(top - Lookup->Top() - 4);
}

TTabSheet* TThesaurusDialog::Sheet(int index) const {
    TTabSheet* s[4] = {Sheet1, Sheet2, Sheet3, Sheet4};
    return index >= 0 && index < 4 ? s[index] : nullptr;
}

TListBox* TThesaurusDialog::List(int index) const {
    TListBox* l[4] = {LB1, LB2, LB3, LB4};
    return index >= 0 && index < 4 ? l[index] : nullptr;
}
