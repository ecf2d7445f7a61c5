#pragma once
#include <memory>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/controls/Controls.h"
#include "framework/controls/MessageBox.h"
#include "framework/rtl/Exception.h"

class TForm;

// Help commands, as the classic help call numbers them.
inline constexpr int HELP_CONTEXT = 0x0001;
inline constexpr int HELP_QUIT = 0x0002;
inline constexpr int HELP_INDEX = 0x0003;
inline constexpr int HELP_CONTENTS = 0x0003;
inline constexpr int HELP_HELPONHELP = 0x0004;
inline constexpr int HELP_SETINDEX = 0x0005;
inline constexpr int HELP_SETCONTENTS = 0x0005;
inline constexpr int HELP_CONTEXTPOPUP = 0x0008;
inline constexpr int HELP_FORCEFILE = 0x0009;
inline constexpr int HELP_FINDER = 0x000B;
inline constexpr int HELP_KEY = 0x0101;

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
// A hook on the application window: answering true ends the message there.
using TWindowHook = std::function<bool(TMessage& Message)>;

// One call of HelpCommand, kept for tests and diagnostics.
struct THelpCall {
    int Command = 0;
    std::intptr_t Data = 0;
    String HelpFile;
    String Opened;  // the page handed to the shell opener, empty when none
    String Anchor;  // the place on that page, empty for its top
};

// The application object: owns the toolkit, the forms it creates, the
// message loop, the hints, help and the last line of exception handling.
// `Application` is the one process-wide instance.
class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;
    String ClassName() const override { return "TApplication"; }

    // Starts the toolkit. argc/argv must outlive the application.
    void Initialize(int& argc, char** argv);
    bool Initialized() const;

    const String& Title() const { return FTitle; }
    void SetTitle(const String& title);
    String ExeName() const;
    // The window the application keeps for itself; its messages pass the
    // hooks first.
    HWND Handle();
    // Returns an id for UnhookMainWindow.
    int HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(int id);

    TForm* MainForm() const { return FMainForm; }
    // Creates a form owned by the application; the first becomes MainForm.
    template <class T>
    T* CreateForm() {
        T* form = new T(this);
        AddCreatedForm(form);
        return form;
    }
    template <class T>
    void CreateForm(T*& reference) {
        reference = new T(this);
        AddCreatedForm(reference);
    }

    // Shows the main form and runs the message loop until it closes or
    // Terminate is called. Returns the exit code.
    int Run();
    // Start-up timing: Run prints the steady clock's reading in nanoseconds
    // ("shown_at_ns=N") once the main form has first painted, and ends.
    bool QuitWhenShown = false;
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles what is waiting, then returns.
    void ProcessMessages();
    // Waits for at least one message (up to a short while) and handles it.
    void HandleMessage();

    // The last line for an exception: OnException when assigned, otherwise
    // the error box with the message. EAbort is silent.
    void HandleException(TObject* sender);  // the exception being handled
    void HandleException(TObject* sender, std::exception_ptr e);
    void ShowException(const Exception& e);
    TExceptionEvent OnException;

    // Hints: after HintPause milliseconds over a control whose ShowHint is
    // on, its Hint shows; Hint always follows the mouse and fires OnHint.
    bool ShowHint() const { return FShowHint; }
    // The message that help could not be shown, naming the page (a file of
    // the help book).
    void ShowHelpNotOpened(const String& page);
    void SetShowHint(bool v);
    int HintPause = 500;
    // The pause before the next hint when the mouse moves on from a shown
    // one to another part of the control (another day, another cell).
    int HintShortPause = 50;
    int HintHidePause = 2500;
    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    void CancelHint();
    TNotifyEvent OnHint;
    // The hint text on screen now (empty when none).
    String ShownHint() const;

    // Help: the classic help files do not exist here. The help of HelpFile
    // is a book of HTML pages in help/<file>/ beside the program (file =
    // HelpFile without folder and extension), opened in the desktop's web
    // browser through the shell opener. The book's contexts.txt maps each
    // context to its topic, one "context=page#anchor" a line (";" starts a
    // comment); a context it does not name opens <context>.html when there
    // is one, the contents open index.html, and otherwise nothing shows.
    // When no browser can be started, or the opener reports that it could
    // not open the page, a message says where the guide is. Every call is
    // recorded.
    const String& HelpFile() const { return FHelpFile; }
    void SetHelpFile(const String& v) { FHelpFile = v; }
    bool HelpContext(int context);
    bool HelpCommand(int command, std::intptr_t data);
    const std::vector<THelpCall>& HelpCalls() const { return FHelpCalls; }
    void ClearHelpCalls() { FHelpCalls.clear(); }

    // The platform's message box (ApplicationMessageBox): an empty caption
    // shows Title; the result is the ID of the button pressed.
    int MessageBox(const String& text, const String& caption, UINT flags = MB_OK);

    void BringToFront();
    void Minimize();
    void Restore();
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

    // Framework-internal.
    void FormDestroyed(TForm* form);
    void HintMouseEnter(TControl* control);
    void HintMouseLeave(TControl* control);
    void HintMouseMove(TControl* control, const TPoint& clientPos);
    void HintControlGone(TControl* control);

private:
    void AddCreatedForm(TForm* form);
    void StartHintTimer(int pause);

    struct Impl;
    std::unique_ptr<Impl> FImpl;
    String FTitle;
    String FHelpFile;
    String FHint;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FShowHint = true;
    std::vector<THelpCall> FHelpCalls;
};

extern TApplication* Application;

// The first part of a "short|long" hint, and the second (the whole text
// when there is no bar).
String GetShortHint(const String& hint);
String GetLongHint(const String& hint);
