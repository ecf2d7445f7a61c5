#pragma once
// The Field Editor: a larger editor for the bulletin text, opened from the
// Web Page Options step and freed after each use. OK hands the text back
// (the caller takes it, trimmed); Cancel and closing the window drop it.
#include "framework/controls/Form.h"

class TMenuItem;
class TPopupMenu;
class TRichEdit;
class TSpellChecker;
class TTbToolbar;
class TTbToolbarButton;

class Tbtedit : public TForm {
public:
    explicit Tbtedit(TComponent* owner);
    String ClassName() const override { return "Tbtedit"; }

    TTbToolbar* TbToolbar1;
    TTbToolbarButton* TbToolbarButton1;  // "Spell Check"
    TTbToolbarButton* TbToolbarButton2;  // "Ok"
    TTbToolbarButton* TbToolbarButton3;  // "Cancel"
    TTbToolbarButton* TbToolbarButton4;  // Cut
    TTbToolbarButton* TbToolbarButton5;  // Copy
    TTbToolbarButton* TbToolbarButton6;  // Paste
    TTbToolbarButton* TbToolbarButton7;  // Copy All
    TRichEdit* RichEdit1;
    TPopupMenu* PopupMenu1;
    TMenuItem* Cut1;
    TMenuItem* Copy1;
    TMenuItem* Paste1;
    TMenuItem* N1;
    TMenuItem* SelectAll1;

    // The main window's spell checker; the editor has none of its own.
    TSpellChecker* SpellChecker = nullptr;

    void TbToolbarButton1Click(TObject* Sender);
    void TbToolbarButton2Click(TObject* Sender);
    void TbToolbarButton3Click(TObject* Sender);
    void Cut1Click(TObject* Sender);
    void Copy1Click(TObject* Sender);
    void Paste1Click(TObject* Sender);
    void SelectAll1Click(TObject* Sender);
    void TbToolbarButton7Click(TObject* Sender);

    // What OK hands back: the text without blanks and control characters
    // at either end; line breaks inside it stay.
    String EditedText() const;
};

namespace BulletinEditorTexts {
inline constexpr const char* SCaption = "Field Editor";
inline constexpr const char* SSpellCheck = "Spell Check";
inline constexpr const char* SOk = "Ok";
inline constexpr const char* SOkHint = "Accept Edit and Return to Velmor";
inline constexpr const char* SCancel = "Cancel";
inline constexpr const char* SCancelHint = "Reject Edit and Close Editor";
}  // namespace BulletinEditorTexts
