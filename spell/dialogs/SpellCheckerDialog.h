#pragma once
// The spell-check dialog the engine shows when a check needs the user. Its
// buttons only report the user's choice to its dialog control; the engine
// drives everything else through the control's events.
#include "framework/controls/Form.h"

class TLabel;
class TEdit;
class TListBox;
class TButton;
class TBitBtn;
class TDialogControl;

class TSpellCheckerDialog : public TForm {
public:
    explicit TSpellCheckerDialog(TComponent* owner);
    String ClassName() const override { return "TSpellCheckerDialog"; }

    TLabel* ErrorLabel;
    TLabel* ActionLabel;
    TLabel* SuggestLabel;
    TEdit* NotFound;
    TEdit* WordEdit;
    TListBox* SuggestBox;
    TButton* ChangeAll;
    TButton* Change;
    TButton* IgnoreAll;
    TButton* Ignore;
    TButton* Add;
    TButton* AutoCorrect;
    TButton* Suggest;
    TButton* Start;
    TButton* UndoLast;
    TButton* Options;
    TButton* Help;
    TBitBtn* Cancel;
    TDialogControl* DC;

    void ChangeAllClick(TObject* Sender);
    void ChangeClick(TObject* Sender);
    void IgnoreAllClick(TObject* Sender);
    void IgnoreClick(TObject* Sender);
    void AddClick(TObject* Sender);
    void AutoCorrectClick(TObject* Sender);
    void SuggestClick(TObject* Sender);
    void StartClick(TObject* Sender);
    void UndoLastClick(TObject* Sender);
    void OptionsClick(TObject* Sender);
    void HelpClick(TObject* Sender);
    void CancelClick(TObject* Sender);
    void DC1ChangeEnabled(TObject* Sender, int Index, bool Value);
    void DC1ChangeVisible(TObject* Sender, int Index, bool Value);
    void DC1GetCaption(TObject* Sender, int Index, String& Str);
    void DC1SetCaption(TObject* Sender, int Index, const String& Str);
    void DCResize(TObject* Sender);

    // The control behind an index of the dialog control; nullptr for the
    // suggestion list (it has no caption) and indexes outside 0 to 16.
    TControl* ControlAt(int index) const;

private:
    int TextWidth(const String& text) const;
};
