#pragma once
#include <vector>

#include "framework/controls/Form.h"
#include "framework/controls/MessageForm.h"

// The buttons of a message dialog; sets of them are bit flags.
enum TMsgDlgBtn : int {
    mbYes = 0x001,
    mbNo = 0x002,
    mbOK = 0x004,
    mbCancel = 0x008,
    mbAbort = 0x010,
    mbRetry = 0x020,
    mbIgnore = 0x040,
    mbAll = 0x080,
    mbNoToAll = 0x100,
    mbYesToAll = 0x200,
    mbHelp = 0x400,
};
using TMsgDlgButtons = int;
inline constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel = mbYes | mbYesToAll | mbNo | mbNoToAll | mbCancel;
inline constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
inline constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;
inline constexpr TMsgDlgButtons mbAbortIgnore = mbAbort | mbIgnore;

class TButton;

// The window of MessageDlg, ShowMessage and the application's message box:
// an icon for the kind, the message, and one button per member of the
// button set in the framework's order. Enter clicks the focused button,
// Esc the cancel button (Cancel, else No, else OK).
class TMessageDlgForm : public TForm {
public:
    TMessageDlgForm(TComponent* owner, const String& message, TMsgDlgType type, TMsgDlgButtons buttons,
                    int helpCtx = 0, bool showIcon = true, TMsgDlgBtn defaultButton = TMsgDlgBtn(0));
    String ClassName() const override { return "TMessageDlgForm"; }

    const String& Message() const { return FMessage; }
    // The lines as shown: "\r", "\n", "\r\n" and "\n\r" each break once.
    const std::vector<String>& Lines() const { return FLines; }
    TMsgDlgType DialogType() const { return FType; }
    TMsgDlgButtons Buttons() const { return FButtons; }
    int HelpCtx() const { return FHelpCtx; }
    TButton* ButtonFor(TMsgDlgBtn b) const;
    String DialogText() const override { return FMessage; }

    // The captions, results and titles the framework uses.
    static String ButtonCaption(TMsgDlgBtn b);
    static TModalResult ButtonResult(TMsgDlgBtn b);
    static String TypeCaption(TMsgDlgType t);  // empty for mtCustom

protected:
    void Paint() override;

private:
    String FMessage;
    std::vector<String> FLines;
    TMsgDlgType FType;
    TMsgDlgButtons FButtons;
    int FHelpCtx;
    bool FShowIcon;
    TRect FTextRect;
    std::vector<std::pair<TMsgDlgBtn, TButton*>> FButtonList;
    TModalResult FCancelResult = mrCancel;
};

// Splits a message at its line breaks the way a message box shows them.
std::vector<String> MessageLines(const String& message);
