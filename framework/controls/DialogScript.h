#pragma once
// Scripted answers for everything that would wait for a person: message
// boxes, the application's message box, InputQuery, the file, font and
// colour dialogs, and any other modal form. A test queues the answers in
// the order the boxes will come, runs the code, and reads back what was
// shown. Nothing blocks: a box that finds no answer waiting is answered
// with Cancel, logged as unanswered and reported to OnUnanswered (a test
// makes that a failure carrying the box's text).
#include <deque>
#include <memory>
#include <vector>

#include "framework/controls/MessageDlgForm.h"
#include "framework/controls/ModalSeam.h"
#include "framework/graphics/Color.h"

struct TDialogRecord {
    String Kind;     // the class: TMessageDlgForm, TOpenDialog, TInputQueryForm…
    String Caption;  // the title bar
    String Text;     // the message exactly as passed; a file dialog's filter; a prompt
    std::vector<String> Lines;   // a message as shown, one entry per line
    TMsgDlgType Type = mtCustom; // message boxes
    TMsgDlgButtons Buttons = 0;  // message boxes
    bool Icon = false;           // message boxes
    TModalResult Result = mrNone;
    bool Answered = false;
};

struct TDialogAnswer {
    TModalResult Result = mrOk;
    std::vector<String> Files;  // file dialogs
    int FilterIndex = 0;        // file dialogs; 0 keeps the dialog's own
    String Text;                // InputQuery
    bool HasText = false;
    TColor Color = clNone;      // the colour dialog
    TModalHandler Action;       // anything else: called with the form
};

class TDialogScript {
public:
    TDialogScript();
    ~TDialogScript();
    TDialogScript(const TDialogScript&) = delete;
    TDialogScript& operator=(const TDialogScript&) = delete;

    // The button (mrYes, mrCancel…) the next box is answered with.
    TDialogScript& Answer(TModalResult result);
    // Picks files (and a filter, 1-based) in the next file dialog.
    TDialogScript& AnswerFiles(const std::vector<String>& files, int filterIndex = 0);
    // Types `text` into the next InputQuery and presses OK.
    TDialogScript& AnswerText(const String& text);
    TDialogScript& AnswerColor(TColor color);
    // Hands the next form to `action`, which sets its ModalResult.
    TDialogScript& AnswerWith(TModalHandler action);
    TDialogScript& Queue(TDialogAnswer answer);

    const std::vector<TDialogRecord>& Shown() const { return FShown; }
    size_t Pending() const { return FAnswers.size(); }
    // Records of boxes that found no answer.
    std::vector<TDialogRecord> Unanswered() const;
    void Clear();

    std::function<void(const TDialogRecord& Record)> OnUnanswered;

private:
    void Handle(TForm* form);
    bool Next(TDialogAnswer& answer, size_t record);
    std::deque<TDialogAnswer> FAnswers;
    std::vector<TDialogRecord> FShown;
    std::unique_ptr<TModalAnswer> FHook;
};
