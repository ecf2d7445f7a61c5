#include "spell/dialogs/DialogControl.h"

#include "framework/classes/Strings.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"

namespace {
// The button of each action, by its index.
int IndexOf(TDialogAction action) {
    switch (action) {
    case daSuggest: return diSuggest;
    case daStart: return diStart;
    case daUndoLast: return diUndoLast;
    case daOptions: return diOptions;
    case daChangeAll: return diChangeAll;
    case daChange: return diChange;
    case daIgnoreAll: return diIgnoreAll;
    case daIgnore: return diIgnore;
    case daAdd: return diAdd;
    case daAutoCorrect: return diAutoCorrect;
    case daHelp: return diHelp;
    case daCancel: return diCancel;
    }
    return -1;
}
}  // namespace

void TDialogControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == WordEdit) WordEdit = nullptr;
    if (component == Suggestions) Suggestions = nullptr;
}

void TDialogControl::Connect() {
    if (TListBox* list = Suggestions) {
        list->OnClick = [this, list](TObject*) {
            if (list->ItemIndex() < 0) return;
            FPicked = true;
            SetReplacement(list->Items()->Get(list->ItemIndex()));
        };
        list->OnDblClick = [this](TObject*) { SendChangeAll(); };
    }
    if (WordEdit) WordEdit->OnChange = [this](TObject*) { ReplacementChanged(); };
}

void TDialogControl::ReplacementChanged() {
    if (OnReplacementChanged) OnReplacementChanged(this);
    // Typing over a picked suggestion leaves the list without a choice.
    if (FPicked)
        FPicked = false;
    else if (Suggestions)
        Suggestions->SetItemIndex(-1);
}

void TDialogControl::SetReplacement(const String& text) {
    if (WordEdit)
        WordEdit->SetText(text);
    else
        SetCaption(diWordEdit, text);
}

String TDialogControl::Replacement() { return WordEdit ? WordEdit->Text() : GetCaption(diWordEdit); }

void TDialogControl::WordFound(const TFoundWord& found) {
    SetCaption(diNotFound, found.Word);
    ChangeEnabled(diIgnore, true);
    ChangeEnabled(diNotFound, true);
    SetCaption(diErrorLabel, found.Label);
    if (found.Repeated) {
        SetCaption(diChange, found.DeleteCaption);
        ChangeEnabled(diChange, true);
        return;
    }
    ChangeEnabled(diAdd, found.CanAdd);
    ChangeEnabled(diIgnoreAll, true);
    ChangeEnabled(diSuggest, found.SuggestOnDemand);
    ChangeEnabled(diWordEdit, true);
    ChangeEnabled(diSuggestBox, true);
}

void TDialogControl::SuggestionsReady(TStrings* suggestions) {
    if (Suggestions) Suggestions->Items()->Assign(suggestions);
}

void TDialogControl::SuggestionAdded(const String& suggestion) {
    if (Suggestions) Suggestions->Items()->Add(suggestion);
}

void TDialogControl::ProposeFirstSuggestion() {
    if (!Suggestions || Suggestions->Items()->Count() == 0) return;
    Suggestions->SetItemIndex(0);
    FPicked = true;
    SetReplacement(Suggestions->Items()->Get(0));
    if (WordEdit) WordEdit->SelectAll();
}

void TDialogControl::NoWord() {
    SetReplacement(String());
    for (int i : {diChangeAll, diChange, diIgnoreAll, diIgnore, diAdd, diAutoCorrect, diSuggest, diUndoLast,
                  diNotFound, diWordEdit, diSuggestBox})
        ChangeEnabled(i, false);
}

void TDialogControl::EnableAction(TDialogAction action, bool value) {
    const int index = IndexOf(action);
    if (index >= 0) ChangeEnabled(index, value);
}
