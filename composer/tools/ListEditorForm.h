#pragma once
// The windows that edit one list file as plain text, one value per line
// (the List Editor, the Custom Field Data Editor): a toolbar with the
// list's name control, Cut, Copy, Paste, Save, Exit and Help over the text.
#include "framework/controls/Form.h"

class TTbMemo;
class TTbToolbar;
class TTbToolbarButton;

namespace ListEditorTexts {
inline constexpr const char* SNoFile = "There is no file selected";
inline constexpr const char* SSaved = " Saved Successfully";
inline constexpr const char* SSaveError = "An Error Occurred Loading Saving: ";
}  // namespace ListEditorTexts

class TListEditorForm : public TForm {
public:
    TTbToolbar* TbToolbar1;
    TTbToolbarButton* ct;
    TTbToolbarButton* cp;
    TTbToolbarButton* pt;
    TTbToolbarButton* TbToolbarButton4;  // "Save"
    TTbToolbarButton* TbToolbarButton5;  // "Exit"
    TTbToolbarButton* TbToolbarButton6;  // "Help"
    TTbMemo* terms1;

    // The list file being edited; "N" while there is none.
    String CurrentPath = "N";

    void FormCreate(TObject* Sender);
    void TbToolbarButton1Click(TObject* Sender);  // saves the text and says how it went
    void TbToolbarButton2Click(TObject* Sender);
    void TbToolbarButton3Click(TObject* Sender);
    void ctClick(TObject* Sender);
    void cpClick(TObject* Sender);
    void ptClick(TObject* Sender);

protected:
    // The window, `width` wide, and its empty toolbar: the derived window
    // puts its name control on the toolbar, then calls AddEditor.
    TListEditorForm(TComponent* owner, const char* name, const char* caption, int width, int helpContext);

    // The toolbar's buttons, `buttonWidth` wide and with their captions as
    // hints when `captionHints`, and the text under them.
    void AddEditor(int buttonWidth, bool captionHints);

    // Whether path lies directly in the folder of the lists this window
    // edits: a name typed or stored with a separator or ".." reaches out of
    // it, and nothing is written there.
    virtual bool InItsFolder(const String& path) const = 0;

private:
    int FHelpContext;
};
