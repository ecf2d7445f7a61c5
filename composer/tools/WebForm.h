#pragma once
// The internet update window: fetches the lookup lists, the schema control
// file and chosen schemas from a server directory over HTTP or HTTPS into
// the program's folders, shows the server's information text, and edits
// the list of known server paths. Opened from the main window's Run menu,
// shown modally and freed.
#include <vector>

#include "framework/controls/Form.h"
#include "transfer/core/HttpEngine.h"

class TButton;
class TCheckBox;
class TCheckListBox;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TMemo;
class TStatusBar;
class TStrings;
class TTbToolbar;
class TTbToolbarButton;
class TickHTTP;
class TickHTTPS;
class TickHttpClient;

class TWebForm : public TForm {
public:
    explicit TWebForm(TComponent* owner);
    String ClassName() const override { return "TWebForm"; }

    TTbToolbar* TbToolbar1;
    TTbToolbarButton* SpeedButton4;  // "Cancel"
    TTbToolbarButton* SpeedButton1;  // "Settings"
    TTbToolbarButton* SpeedButton3;  // "Update"
    TTbToolbarButton* SpeedButton5;  // "Exit"
    TTbToolbarButton* SpeedButton2;  // "Help"

    TGroupBox* GroupBox1;  // " Download Location "
    TLabel* Label3;        // "Type"
    TComboBox* dt;         // the protocol
    TLabel* Label1;        // "Server URL (Must End in a '/')"
    TComboBox* Edit1;      // the server path
    TButton* Button1;      // "&Edit List"
    TLabel* Label6;        // the example path
    TLabel* Label2;        // "Proxy Server"
    TEdit* Edit2;
    TLabel* Label4;        // "User"
    TEdit* user;
    TLabel* Label5;        // "Password"
    TEdit* password;
    TCheckBox* CheckBox5;  // "Save Password"

    TGroupBox* GroupBox2;  // " Download Options "
    TCheckBox* CheckBox1;  // "Controlled List Files"
    TCheckBox* CheckBox2;  // "Custom Schema Control File "
    TCheckBox* CheckBox3;  // "Custom Schemas"
    TCheckBox* CheckBox6;  // "Show Server Information File"

    TGroupBox* GroupBox3;  // "Available Schemas for Download "
    TCheckListBox* hidden;

    TStatusBar* StatusBar1;
    TMemo* Memo1;          // the lines of controlled.def; never shown

    TickHTTP* getnbii;
    TickHTTPS* getnbiisecure;

    void FormCreate(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton4Click(TObject* Sender);
    void SpeedButton5Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Edit1Exit(TObject* Sender);
    void CheckBox2Click(TObject* Sender);
    void CheckBox3Click(TObject* Sender);
    void CheckBox6Click(TObject* Sender);

    void getdefaults();
    void setdefaults();
    // False when the run ended early on a definition it could not read;
    // a failed transfer raises the component's exception instead.
    bool getLists();
    void gettext();

    // An option takes part in an update only while it is checked and
    // enabled.
    static bool Counts(const TCheckBox* box);
    // What has been replaced by this window so far, for the main window to
    // pick up once it closes.
    bool ListsChanged = false;
    bool SchemasChanged = false;

    // The bounds every transfer of the window keeps, so that a silent,
    // crawling or endless server costs an error instead of a hang or a
    // full disk. Tests shorten the times.
    THttpLimits Limits = DefaultLimits();
    static THttpLimits DefaultLimits();

private:
    enum TProtocol { prNone, prHttp, prHttps };
    TProtocol Protocol() const;
    TickHttpClient* Client(TProtocol protocol) const;
    void SetStatus(const char* state, const char* text);
    void SetCredentials(TickHttpClient* client);
    bool ServerPathOk();
    // Gets `remote` from the server directory into the program's `folder`;
    // `intoMemory` returns the content instead and leaves the file alone.
    String Get(TProtocol protocol, const String& remote, const char* folder, const String& local,
               bool intoMemory = false);
    // Gets a file of names (schemas.txt, Controlled.def): it replaces the
    // local copy only once every name in it is a plain file name.
    void GetList(TProtocol protocol, const String& remote, const char* folder, const String& local);
    void Idle(TProtocol protocol);
    void FillSchemaList();
    void FillServerList();
    // The transfer under way, so that Cancel stops that one even when the
    // protocol has been changed since it started.
    TickHttpClient* FRunning = nullptr;
};

namespace WebFormTexts {
inline constexpr const char* SCaption = "Internet Update";
inline constexpr const char* SRegistryKey = "\\Software\\VREK\\parcelmint";
inline constexpr const char* SHttp = "http://";
inline constexpr const char* SHttps = "https://";
inline constexpr const char* SExamplePath = "e.g. updates.example.org/velmor/";
inline constexpr const char* SReady = "Ready";
inline constexpr const char* SBusy = "Busy";
inline constexpr const char* SUseThisForm = "Use this form to update your configuration";
inline constexpr const char* SDownloadLists = "Download List Files...";
inline constexpr const char* SFilesDownloaded = "Files Downloaded";
inline constexpr const char* SDownloadText = "Download Text File...";
inline constexpr const char* STextDownloaded = "Text Downloaded";
// A run that failed must not end under the words of a finished one.
inline constexpr const char* SDownloadFailed = "Download Failed";
inline constexpr const char* SSettingsSaved = "Settings Saved";
inline constexpr const char* SUpdateFinished = "Update Finished";
inline constexpr const char* SPathEnd = "Server Path must end in '/'.";
inline constexpr const char* SInterrupt = "Interrupt Called by user";
inline constexpr const char* SControlledError = "Error Loading Controlled List Definition";
inline constexpr const char* SServerBroadcast = "Web Configuration - Server Broadcast File";
// Any other protocol would fetch nothing and still report a finished run.
inline constexpr const char* SBadProtocol = "The Type must be http:// or https://";
// The component's message says what went wrong, not with which file.
inline constexpr const char* SFileFailed = "%s\r\n\r\nFile: %s\r\n%s was left as it was.";
// Names come from the server; one that reaches out of its folder would
// write where the update has no business.
inline constexpr const char* SBadFileName = "\"%s\" in %s is not a file name; nothing more was downloaded.";
inline constexpr const char* SFileTooLarge = "File %s is larger than %d MB and was not saved.";
inline constexpr const char* SUserAgent = "VREK Velmor List Loader";
inline constexpr const char* SSecureUserAgent = "VREK List Grabber";
inline constexpr const char* SSchemaControl = "schemas.txt";
inline constexpr const char* SControlledRemote = "Controlled.def";
inline constexpr const char* SControlledLocal = "controlled.def";
inline constexpr const char* SServerInfo = "serverinfo.txt";
inline constexpr const char* SListsFolder = "lists";
inline constexpr const char* SSchemasFolder = "schemas";
inline constexpr const char* SWbcFolder = "wbc";
inline constexpr int HelpContextUpdate = 2007;
}  // namespace WebFormTexts
