#pragma once
// The test seam for everything that would wait for a person: with a handler
// set, ShowModal does not run a message loop; the form is shown, handed to
// the handler, which looks at it, changes it and sets its ModalResult (one
// left at mrNone answers mrCancel), and ShowModal returns. Message boxes
// and the application's error box are modal forms too, so they come here
// as well. Every modal form shown, with or without a handler, is logged.
#include <functional>
#include <vector>

#include "framework/controls/Controls.h"

class TForm;

using TModalHandler = std::function<void(TForm* Form)>;

struct TShownDialog {
    String ClassName;
    String Caption;
    String Text;  // a message box's message (TForm::DialogText)
    TModalResult Result = mrNone;
};

// Returns the handler that was set before.
TModalHandler SetModalHandler(TModalHandler handler);
const TModalHandler& ModalHandler();
const std::vector<TShownDialog>& ShownDialogs();
void ClearShownDialogs();

// Sets a handler for as long as it lives.
class TModalAnswer {
public:
    explicit TModalAnswer(TModalHandler handler) : FOld(SetModalHandler(std::move(handler))) {}
    ~TModalAnswer() { SetModalHandler(std::move(FOld)); }
    TModalAnswer(const TModalAnswer&) = delete;
    TModalAnswer& operator=(const TModalAnswer&) = delete;

private:
    TModalHandler FOld;
};

namespace velmor_internal {
void RecordShownDialog(const TShownDialog& d);
}
