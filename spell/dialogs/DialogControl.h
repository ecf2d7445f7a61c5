#pragma once
// Stands between the spell-check engine and whatever form shows its
// dialog: the form's buttons report the user's choice here, and the engine
// tells it what it found. The control fills its own replacement edit and
// suggestion list and reaches the form's other controls only through the
// index events.
#include <functional>

#include "framework/classes/Component.h"

class TEdit;
class TListBox;
class TStrings;
class TDialogControl;

using TIndexBoolEvent = std::function<void(TObject* Sender, int Index, bool Value)>;
using TIndexVarStringEvent = std::function<void(TObject* Sender, int Index, String& Str)>;
using TIndexStringEvent = std::function<void(TObject* Sender, int Index, const String& Str)>;
using TDialogActionEvent = std::function<void(TDialogControl* Sender, int Action)>;

// What the user chose, as OnAction reports it.
enum TDialogAction {
    daSuggest = 0,
    daStart = 1,
    daUndoLast = 2,
    daOptions = 3,
    daChangeAll = 4,
    daChange = 5,
    daIgnoreAll = 6,
    daIgnore = 7,
    daAdd = 8,
    daAutoCorrect = 9,
    daHelp = 10,
    daCancel = 11,
};

// The dialog's controls, as the index events number them.
enum TDialogIndex {
    diChangeAll = 0,
    diChange = 1,
    diIgnoreAll = 2,
    diIgnore = 3,
    diAdd = 4,
    diAutoCorrect = 5,
    diSuggest = 6,
    diStart = 7,
    diUndoLast = 8,
    diOptions = 9,
    diHelp = 10,
    diCancel = 11,
    diNotFound = 12,
    diWordEdit = 13,
    diSuggestBox = 14,
    diErrorLabel = 15,
    diActionLabel = 16,
    diSuggestLabel = 17,
};

class TDialogControl : public TComponent {
public:
    explicit TDialogControl(TComponent* owner) : TComponent(owner) {}
    String ClassName() const override { return "TDialogControl"; }

    void SendSuggest() { Send(daSuggest); }
    void SendStart() { Send(daStart); }
    void SendUndoLast() { Send(daUndoLast); }
    void SendOptions() { Send(daOptions); }
    void SendChangeAll() { Send(daChangeAll); }
    void SendChange() { Send(daChange); }
    void SendIgnoreAll() { Send(daIgnoreAll); }
    void SendIgnore() { Send(daIgnore); }
    void SendAdd() { Send(daAdd); }
    void SendAutoCorrect() { Send(daAutoCorrect); }
    void SendHelp() { Send(daHelp); }
    void SendCancel() { Send(daCancel); }

    // What the engine found where the check stopped.
    struct TFoundWord {
        String Word;
        String Label;          // the caption before it: not found, or repeated
        bool Repeated = false;
        String DeleteCaption;  // Change's caption for a repeated word
        bool CanAdd = false;   // a user dictionary takes new words
        bool SuggestOnDemand = false;
    };

    // The engine's side, in what it found and what can be done.
    // Takes the suggestion list's clicks and the replacement edit's changes.
    void Connect();
    // Shows the word and enables what can be done with it.
    void WordFound(const TFoundWord& found);
    // The suggestions for the word, in place of those shown.
    void SuggestionsReady(TStrings* suggestions);
    // One more suggestion, made while the dialog waits.
    void SuggestionAdded(const String& suggestion);
    // Offers the first suggestion as the replacement, selected for typing over.
    void ProposeFirstSuggestion();
    // Between words: nothing to act on, the replacement emptied.
    void NoWord();
    void EnableAction(TDialogAction action, bool value);
    // The replacement the user chose or typed.
    String Replacement();
    bool HasSuggestionList() const { return Suggestions != nullptr; }

    // The form's side: each does nothing when its event is not assigned.
    void ChangeEnabled(int index, bool value) {
        if (OnChangeEnabled) OnChangeEnabled(this, index, value);
    }
    void ChangeVisible(int index, bool value) {
        if (OnChangeVisible) OnChangeVisible(this, index, value);
    }
    String GetCaption(int index) {
        String s;
        if (OnGetCaption) OnGetCaption(this, index, s);
        return s;
    }
    void SetCaption(int index, const String& value) {
        if (OnSetCaption) OnSetCaption(this, index, value);
    }
    static void Fire(const TNotifyEvent& event, TObject* sender) {
        if (event) event(sender);
    }

    TEdit* WordEdit = nullptr;
    TListBox* Suggestions = nullptr;
    TIndexBoolEvent OnChangeEnabled;
    TIndexBoolEvent OnChangeVisible;
    TIndexVarStringEvent OnGetCaption;
    TIndexStringEvent OnSetCaption;
    TNotifyEvent OnBackgroundStart;
    TNotifyEvent OnBackgroundEnd;
    TNotifyEvent OnSuggestStart;
    TNotifyEvent OnSuggestEnd;
    TNotifyEvent OnResize;
    // Assigned by the engine when it creates the dialog.
    TDialogActionEvent OnAction;
    // Assigned by the engine: the user changed the replacement.
    TNotifyEvent OnReplacementChanged;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Send(int action) {
        if (OnAction) OnAction(this, action);
    }
    void SetReplacement(const String& text);
    void ReplacementChanged();

    // The replacement came from the list, so the list keeps its selection.
    bool FPicked = false;
};
