#include "spell/dialogs/SpellCheckerDialog.h"

#include <algorithm>

#include "framework/controls/BitBtn.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "spell/dialogs/DialogControl.h"

namespace {
template <class T>
T* Place(TForm* form, const char* name, int l, int t, int w, int h) {
    T* c = new T(form);
    c->SetName(name);
    c->SetParent(form);
    c->SetBounds(l, t, w, h);
    return c;
}
}  // namespace

TSpellCheckerDialog::TSpellCheckerDialog(TComponent* owner) : TForm(owner) {
    SetCaption("Spell Check");
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetFormStyle(fsStayOnTop);
    Font()->SetName("MS Sans Serif");
    Font()->SetSize(8);
    SetClientWidth(386);
    SetClientHeight(157);

    // Created in tab order; the labels are not windows and take no tab.
    const auto button = [this](const char* name, const char* caption, int l, int t, int ctx, bool enabled) {
        TButton* b = Place<TButton>(this, name, l, t, 75, 22);
        b->SetCaption(caption);
        b->HelpContext = ctx;
        b->SetEnabled(enabled);
        return b;
    };
    ChangeAll = button("ChangeAll", "&Change All", 224, 32, 900, false);
    Change = button("Change", "C&hange", 304, 32, 901, false);
    IgnoreAll = button("IgnoreAll", "&Ignore All", 224, 56, 902, false);
    Ignore = button("Ignore", "I&gnore", 304, 56, 903, false);
    Add = button("Add", "&Add", 224, 80, 904, false);
    AutoCorrect = button("AutoCorrect", "Au&to-Correct", 304, 80, 905, false);
    NotFound = Place<TEdit>(this, "NotFound", 96, 8, 281, 21);
    NotFound->SetReadOnly(true);
    NotFound->HelpContext = 912;
    WordEdit = Place<TEdit>(this, "WordEdit", 96, 32, 121, 21);
    WordEdit->HelpContext = 913;
    SuggestBox = Place<TListBox>(this, "SuggestBox", 96, 56, 121, 97);
    SuggestBox->SetItemHeight(13);
    SuggestBox->HelpContext = 914;
    Suggest = button("Suggest", "S&uggest", 8, 59, 906, false);
    Start = button("Start", "Start", 8, 83, 907, false);
    UndoLast = button("UndoLast", "Undo &Last", 8, 107, 908, false);
    Options = button("Options", "&Options", 8, 131, 909, true);
    Help = button("Help", "Hel&p", 224, 131, 0, true);
    Cancel = Place<TBitBtn>(this, "Cancel", 304, 131, 75, 22);
    Cancel->SetKind(bkCancel);
    Cancel->HelpContext = 911;
    // A modal result would end nothing here (the dialog is not modal); the
    // click reports Cancel like the other buttons.
    Cancel->SetModalResult(mrNone);

    ErrorLabel = Place<TLabel>(this, "ErrorLabel", 8, 8, 53, 13);
    ErrorLabel->SetCaption("Not Found:");
    ErrorLabel->SetFocusControl(NotFound);
    ActionLabel = Place<TLabel>(this, "ActionLabel", 8, 32, 68, 13);
    ActionLabel->SetCaption("&Replace With:");
    ActionLabel->SetFocusControl(WordEdit);
    SuggestLabel = Place<TLabel>(this, "SuggestLabel", 8, 57, 61, 13);
    SuggestLabel->SetCaption("&Suggestions:");
    SuggestLabel->SetFocusControl(SuggestBox);
    // The design puts the Suggest button over this label; the button wins.
    SuggestLabel->SendToBack();

    DC = new TDialogControl(this);
    DC->SetName("DC");
    DC->WordEdit = WordEdit;
    DC->Suggestions = SuggestBox;
    DC->OnChangeEnabled = [this](TObject* s, int i, bool v) { DC1ChangeEnabled(s, i, v); };
    DC->OnChangeVisible = [this](TObject* s, int i, bool v) { DC1ChangeVisible(s, i, v); };
    DC->OnGetCaption = [this](TObject* s, int i, String& str) { DC1GetCaption(s, i, str); };
    DC->OnSetCaption = [this](TObject* s, int i, const String& str) { DC1SetCaption(s, i, str); };
    DC->OnResize = [this](TObject* s) { DCResize(s); };

    ChangeAll->OnClick = [this](TObject* s) { ChangeAllClick(s); };
    Change->OnClick = [this](TObject* s) { ChangeClick(s); };
    IgnoreAll->OnClick = [this](TObject* s) { IgnoreAllClick(s); };
    Ignore->OnClick = [this](TObject* s) { IgnoreClick(s); };
    Add->OnClick = [this](TObject* s) { AddClick(s); };
    AutoCorrect->OnClick = [this](TObject* s) { AutoCorrectClick(s); };
    Suggest->OnClick = [this](TObject* s) { SuggestClick(s); };
    Start->OnClick = [this](TObject* s) { StartClick(s); };
    UndoLast->OnClick = [this](TObject* s) { UndoLastClick(s); };
    Options->OnClick = [this](TObject* s) { OptionsClick(s); };
    Help->OnClick = [this](TObject* s) { HelpClick(s); };
    Cancel->OnClick = [this](TObject* s) { CancelClick(s); };
}

void TSpellCheckerDialog::ChangeAllClick(TObject*) { DC->SendChangeAll(); }
void TSpellCheckerDialog::ChangeClick(TObject*) { DC->SendChange(); }
void TSpellCheckerDialog::IgnoreAllClick(TObject*) { DC->SendIgnoreAll(); }
void TSpellCheckerDialog::IgnoreClick(TObject*) { DC->SendIgnore(); }
void TSpellCheckerDialog::AddClick(TObject*) { DC->SendAdd(); }
void TSpellCheckerDialog::AutoCorrectClick(TObject*) { DC->SendAutoCorrect(); }
void TSpellCheckerDialog::SuggestClick(TObject*) { DC->SendSuggest(); }
void TSpellCheckerDialog::StartClick(TObject*) { DC->SendStart(); }
void TSpellCheckerDialog::UndoLastClick(TObject*) { DC->SendUndoLast(); }
void TSpellCheckerDialog::OptionsClick(TObject*) { DC->SendOptions(); }
void TSpellCheckerDialog::HelpClick(TObject*) { DC->SendHelp(); }
void TSpellCheckerDialog::CancelClick(TObject*) { DC->SendCancel(); }

TControl* TSpellCheckerDialog::ControlAt(int index) const {
    switch (index) {
    case diChangeAll: return ChangeAll;
    case diChange: return Change;
    case diIgnoreAll: return IgnoreAll;
    case diIgnore: return Ignore;
    case diAdd: return Add;
    case diAutoCorrect: return AutoCorrect;
    case diSuggest: return Suggest;
    case diStart: return Start;
    case diUndoLast: return UndoLast;
    case diOptions: return Options;
    case diHelp: return Help;
    case diCancel: return Cancel;
    case diNotFound: return NotFound;
    case diWordEdit: return WordEdit;
    case diErrorLabel: return ErrorLabel;
    case diActionLabel: return ActionLabel;
    default: return nullptr;
    }
}

void TSpellCheckerDialog::DC1ChangeEnabled(TObject*, int Index, bool Value) {
    if (Index == diSuggestBox) SuggestBox->SetEnabled(Value);
    else if (TControl* c = ControlAt(Index)) c->SetEnabled(Value);
}

void TSpellCheckerDialog::DC1ChangeVisible(TObject*, int Index, bool Value) {
    if (Index == diSuggestBox) SuggestBox->SetVisible(Value);
    else if (TControl* c = ControlAt(Index)) c->SetVisible(Value);
}

void TSpellCheckerDialog::DC1GetCaption(TObject*, int Index, String& Str) {
    if (TControl* c = ControlAt(Index)) Str = c->Caption();
}

void TSpellCheckerDialog::DC1SetCaption(TObject*, int Index, const String& Str) {
    if (TControl* c = ControlAt(Index)) c->SetCaption(Str);
}

int TSpellCheckerDialog::TextWidth(const String& text) const {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    bitmap.Canvas()->SetFont(Font());
    return bitmap.Canvas()->TextWidth(text);
}

void TSpellCheckerDialog::DCResize(TObject*) {
    const auto widest = [this](std::initializer_list<TControl*> controls, TControl* glyphed) {
        int w = 71;
        for (TControl* c : controls) w = std::max(w, TextWidth(c->Caption()) + (c == glyphed ? 22 : 0));
        return w + 4;
    };
    const int w = widest({ErrorLabel, ActionLabel, SuggestLabel, Suggest, Start, UndoLast, Options}, nullptr);
    if (w > 75) {
        const int d = w - 75;
        for (TControl* c : std::initializer_list<TControl*>{ErrorLabel, ActionLabel, SuggestLabel, Suggest, Start,
                                                             UndoLast, Options})
            c->SetWidth(w);
        NotFound->SetLeft(NotFound->Left() + d);
        WordEdit->SetLeft(NotFound->Left());
        SuggestBox->SetLeft(NotFound->Left());
        ChangeAll->SetLeft(ChangeAll->Left() + d);
        for (TControl* c : std::initializer_list<TControl*>{IgnoreAll, Add, Help}) c->SetLeft(ChangeAll->Left());
        Change->SetLeft(Change->Left() + d);
        for (TControl* c : std::initializer_list<TControl*>{Ignore, AutoCorrect, Cancel}) c->SetLeft(Change->Left());
        SetClientWidth(ClientWidth() + d);
    }
    const int b = widest({ChangeAll, Change, IgnoreAll, Ignore, Add, AutoCorrect, Help, Cancel}, Cancel);
    if (b > 75) {
        const int e = b - 75;
        for (TControl* c : std::initializer_list<TControl*>{ChangeAll, Change, IgnoreAll, Ignore, Add, AutoCorrect,
                                                             Help, Cancel})
            c->SetWidth(b);
        Change->SetLeft(Change->Left() + e);
        for (TControl* c : std::initializer_list<TControl*>{Ignore, AutoCorrect, Cancel}) c->SetLeft(Change->Left());
        NotFound->SetWidth(NotFound->Width() + 2 * e);
        SetClientWidth(ClientWidth() + 2 * e);
    }
}
