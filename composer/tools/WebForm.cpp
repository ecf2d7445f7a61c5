#include "composer/tools/WebForm.h"
#include "composer/windows/WindowParts.h"

#include <algorithm>
#include <exception>

#include "composer/tools/disptext.h"
#include "composer/windows/ToolGlyph.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/Memo.h"
#include "framework/controls/RichEdit.h"
#include "framework/controls/Screen.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StatusPanel.h"
#include "framework/controls/StatusPanels.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/Registry.h"
#include "toolbars/TbToolbar.h"
#include "toolbars/TbToolbarButton.h"
#include "transfer/components/RezaDudoDera.h"
#include "transfer/components/ickHTTP.h"
#include "transfer/components/ickHTTPS.h"
#include "transfer/core/ErrorTexts.h"

using namespace WebFormTexts;

namespace {

// A file in one of the folders beside the program, found whatever the
// letter case of its name, so a download replaces the copy that is there.
String InFolder(const char* folder, const String& name) {
    const String path = PathJoin({ProgramFolder(), folder, name});
    const String found = FindPathNoCase(path);
    return found.empty() ? path : found;
}

// The lines of a name file: blanks around a name are dropped and so are
// empty lines, which name nothing.
std::vector<String> NamesIn(const String& text) {
    TStringList lines;
    lines.SetText(text);
    std::vector<String> names;
    for (int i = 0; i < lines.Count(); ++i) {
        const String name = Trim(lines.Strings(i));
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

std::vector<String> ReadNames(const String& file) { return NamesIn(ReadFileToString(file)); }

// A plain name within its folder: no separator, not the folder itself or
// its parent, and no control character (a zero byte would end the name
// early where the system reads it).
bool PlainFileName(const String& name) {
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != String::npos) return false;
    return std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

void CheckFileName(const String& name, const char* source) {
    if (PlainFileName(name)) return;
    // Shown with its control characters as "?", so the message stays text.
    String shown = name;
    std::replace_if(shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
    throw Exception(Format(SBadFileName, shown, source));
}

// Restores what a scope changed, whichever way the scope is left.
template <class F>
class TOnExit {
public:
    explicit TOnExit(F f) : FAction(std::move(f)) {}
    ~TOnExit() { FAction(); }
    TOnExit(const TOnExit&) = delete;
    TOnExit& operator=(const TOnExit&) = delete;

private:
    F FAction;
};

}  // namespace

TWebForm::TWebForm(TComponent* owner) : TForm(owner) {
    SetName("WebForm");
    HelpContext = HelpContextUpdate;  // F1 opens the window's topic
    SetCaption(SCaption);
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    SetClientWidth(460);
    SetClientHeight(362);

    TbToolbar1 = WindowToolbar(this, this, "TbToolbar1", alTop);
    SpeedButton4 = ToolButton(this, TbToolbar1, "SpeedButton4", "Cancel", "Cancel Operation", "process-stop", 60);
    SpeedButton1 = ToolButton(this, TbToolbar1, "SpeedButton1", "Settings", "Save Current Settings",
                              "document-save", 60);
    SpeedButton3 = ToolButton(this, TbToolbar1, "SpeedButton3", "Update", "Run Internet Update", "go-jump", 60);
    SpeedButton5 = ToolButton(this, TbToolbar1, "SpeedButton5", "Exit", "Exit the update feature",
                              "application-exit", 60);
    SpeedButton2 = ToolButton(this, TbToolbar1, "SpeedButton2", "Help", "Help with Internet Update",
                              "help-contents", 60);

    GroupBox1 = Group(this, this, "GroupBox1", " Download Location ", 8, 50, 444, 146);
    Label3 = MakeLabel(this, GroupBox1, "Label3", "Type", 10, 18, 60);
    dt = Place<TComboBox>(this, GroupBox1, "dt", 10, 34, 80, 21);
    dt->Items()->Add(SHttp);
    dt->Items()->Add(SHttps);
    dt->SetText(SHttp);
    Label1 = MakeLabel(this, GroupBox1, "Label1", "Server URL (Must End in a '/')", 98, 18, 200);
    Edit1 = Place<TComboBox>(this, GroupBox1, "Edit1", 98, 34, 258, 21);
    Edit1->SetHint("Available Servers");
    Edit1->SetShowHint(true);
    Button1 = MakeButton<TButton>(this, GroupBox1, "Button1", "&Edit List", nullptr, 362, 32, 72);
    Label6 = MakeLabel(this, GroupBox1, "Label6", SExamplePath, 98, 58, 258);
    Label2 = MakeLabel(this, GroupBox1, "Label2", "Proxy Server", 10, 78, 120);
    Edit2 = Place<TEdit>(this, GroupBox1, "Edit2", 10, 94, 150, 21);
    Label4 = MakeLabel(this, GroupBox1, "Label4", "User", 168, 78, 80);
    user = Place<TEdit>(this, GroupBox1, "user", 168, 94, 120, 21);
    Label5 = MakeLabel(this, GroupBox1, "Label5", "Password", 296, 78, 80);
    password = Place<TEdit>(this, GroupBox1, "password", 296, 94, 138, 21);
    password->SetPasswordChar('*');
    CheckBox5 = Check(this, GroupBox1, "CheckBox5", "Save Password", 296, 120, 130);

    GroupBox2 = Group(this, this, "GroupBox2", " Download Options ", 8, 202, 212, 122);
    CheckBox1 = Check(this, GroupBox2, "CheckBox1", "Controlled List Files", 10, 20, 194);
    CheckBox1->SetChecked(true);
    CheckBox2 = Check(this, GroupBox2, "CheckBox2", "Custom Schema Control File ", 10, 44, 194);
    CheckBox3 = Check(this, GroupBox2, "CheckBox3", "Custom Schemas", 10, 68, 194);
    CheckBox6 = Check(this, GroupBox2, "CheckBox6", "Show Server Information File", 10, 92, 194);

    GroupBox3 = Group(this, this, "GroupBox3", "Available Schemas for Download ", 226, 202, 226, 122);
    hidden = Place<TCheckListBox>(this, GroupBox3, "hidden", 8, 18, 210, 96);

    StatusBar1 = Place<TStatusBar>(this, this, "StatusBar1", 0, 343, 460, 19);
    StatusBar1->SetAlign(alBottom);
    StatusBar1->Panels()->Add()->SetWidth(100);
    StatusBar1->Panels()->Add()->SetWidth(50);

    Memo1 = Place<TMemo>(this, this, "Memo1", 8, 330, 100, 10);
    Memo1->SetVisible(false);

    getnbii = new TickHTTP(this);
    getnbii->SetName("getnbii");
    getnbii->SetUserAgent(SUserAgent);
    getnbiisecure = new TickHTTPS(this);
    getnbiisecure->SetName("getnbiisecure");
    getnbiisecure->SetUserAgent(SSecureUserAgent);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
    SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
    SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
    SpeedButton4->OnClick = [this](TObject* s) { SpeedButton4Click(s); };
    SpeedButton5->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Edit1->OnExit = [this](TObject* s) { Edit1Exit(s); };
    CheckBox2->OnClick = [this](TObject* s) { CheckBox2Click(s); };
    CheckBox3->OnClick = [this](TObject* s) { CheckBox3Click(s); };
    CheckBox6->OnClick = [this](TObject* s) { CheckBox6Click(s); };
}

// ---------------------------------------------------------------------------
// Creation and settings

void TWebForm::FormCreate(TObject*) {
    SetStatus(SReady, SUseThisForm);
    getdefaults();
    // Each list is loaded on its own: a missing schema control file (none
    // has been downloaded yet) must not cost the server list, nor the
    // other way round.
    try {
        FillSchemaList();
    } catch (const Exception& e) {
        Application->ShowException(e);
    }
    try {
        FillServerList();
    } catch (const Exception& e) {
        Application->ShowException(e);
    }
}

void TWebForm::getdefaults() {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(SRegistryKey, true)) return;
    // The store is seeded with empty values; an empty protocol or flag was
    // never chosen by anyone, so the window's own start stands.
    auto chosen = [&reg](const char* name, String& value) {
        if (!reg.ValueExists(name)) return false;
        value = reg.ReadString(name);
        return true;
    };
    String v;
    if (chosen("dt-type", v) && !v.empty()) dt->SetText(v);
    if (chosen("dt-user", v)) user->SetText(v);
    if (chosen("dt-password", v)) password->SetText(v);
    if (chosen("dt-url", v)) Edit1->SetText(v);
    if (chosen("dt-proxy", v)) Edit2->SetText(v);
    if (chosen("dt-lists", v) && !v.empty()) CheckBox1->SetChecked(v == "1");
    if (chosen("dt-scf", v) && !v.empty()) CheckBox2->SetChecked(v == "1");
    if (chosen("dt-schema", v) && !v.empty()) CheckBox3->SetChecked(v == "1");
}

void TWebForm::setdefaults() {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(SRegistryKey, true))
        throw ERegistryException(Format(RegistryConsts::SRegCreateFailed, SRegistryKey));
    auto put = [&reg](const char* name, const String& value) {
        if (reg.ValueExists(name)) reg.WriteString(name, value);
    };
    auto flag = [](const TCheckBox* box) { return String(box->Checked() ? "1" : "0"); };
    put("dt-schema", flag(CheckBox3));
    put("dt-scf", flag(CheckBox2));
    put("dt-lists", flag(CheckBox1));
    put("dt-url", Edit1->Text());
    put("dt-proxy", Edit2->Text());
    put("dt-user", user->Text());
    if (CheckBox5->Checked()) put("dt-password", password->Text());
    put("dt-type", dt->Text());
}

void TWebForm::SpeedButton1Click(TObject*) {
    setdefaults();
    MessageDlg(SSettingsSaved, mtInformation, mbOK, 0);
}

void TWebForm::SpeedButton2Click(TObject*) { Application->HelpContext(HelpContextUpdate); }

void TWebForm::SpeedButton5Click(TObject*) { Close(); }

void TWebForm::FillSchemaList() {
    const std::vector<String> names = ReadNames(InFolder(SSchemasFolder, SSchemaControl));
    // A name that is no plain file name is never offered for download.
    for (const String& name : names) CheckFileName(name, SSchemaControl);
    ShowLines(hidden->Items(), names);
    for (int i = 0; i < hidden->Count(); ++i) hidden->SetChecked(i, true);
}

void TWebForm::FillServerList() {
    const std::vector<String> names = ReadNames(Tdisptext::ServersFile());
    const String text = Edit1->Text();
    ShowLines(Edit1->Items(), names);
    Edit1->SetText(text);
}

// ---------------------------------------------------------------------------
// Options and the server path

void TWebForm::CheckBox2Click(TObject*) {
    const bool free = !CheckBox2->Checked();
    CheckBox1->SetEnabled(free);
    CheckBox3->SetEnabled(free);
    CheckBox6->SetEnabled(free);
}

void TWebForm::CheckBox3Click(TObject*) {}

void TWebForm::CheckBox6Click(TObject*) {
    const bool free = !CheckBox6->Checked();
    CheckBox1->SetEnabled(free);
    CheckBox2->SetEnabled(free);
    CheckBox3->SetEnabled(free);
}

bool TWebForm::Counts(const TCheckBox* box) { return box->Checked() && box->Enabled(); }

bool TWebForm::ServerPathOk() {
    const String path = Edit1->Text();
    if (path.empty() || path.back() == '/') return true;
    MessageDlg(SPathEnd, mtError, mbOK, 0);
    if (Edit1->CanFocus()) Edit1->SetFocus();
    return false;
}

void TWebForm::Edit1Exit(TObject*) { ServerPathOk(); }

// ---------------------------------------------------------------------------
// Transfers

TWebForm::TProtocol TWebForm::Protocol() const {
    const String type = dt->Text();
    if (type == SHttp) return prHttp;
    if (type == SHttps) return prHttps;
    return prNone;
}

TickHttpClient* TWebForm::Client(TProtocol protocol) const {
    if (protocol == prHttp) return getnbii;
    return getnbiisecure;
}

void TWebForm::SetStatus(const char* state, const char* text) {
    StatusBar1->Panels()->Items(0)->SetText(state);
    StatusBar1->Panels()->Items(1)->SetText(text);
}

void TWebForm::SetCredentials(TickHttpClient* client) {
    // Only the HTTP component goes through a proxy. A proxy, user or
    // password once set stays with the component for the window's life.
    if (!Edit2->Text().empty()) getnbii->SetProxyServer(Edit2->Text());
    if (CompareStr(user->Text(), " ") > 0) client->SetUser(user->Text());
    if (CompareStr(password->Text(), " ") > 0) client->SetPassword(password->Text());
}

String TWebForm::Get(TProtocol protocol, const String& remote, const char* folder, const String& local,
                     bool intoMemory) {
    TickHttpClient* client = Client(protocol);
    const String url = dt->Text() + Edit1->Text() + remote;
    const String target = InFolder(folder, local);
    ForceDirectories(ExtractFileDir(target));
    client->SetURL(url);
    client->SetLocalFile(intoMemory ? String() : target);
    client->Core()->Limits = Limits;
    // In memory the core keeps the body itself. Its bound on that copy is
    // set out of reach: the file size limit above ends a body too large,
    // with the message that names the file.
    HttpEngine* core = client->Core();
    const int memoryLimit = client->CoreId(hpMemoryLimit);
    if (intoMemory) HTTPCore::CoreSetProperty(core, memoryLimit, 0, static_cast<std::intptr_t>(0xFFFFFFFFu), 0);
    TickHttpClient* outer = FRunning;
    FRunning = client;
    TOnExit restore([this, outer, core, memoryLimit, intoMemory] {
        FRunning = outer;
        if (intoMemory) HTTPCore::CoreSetProperty(core, memoryLimit, 0, 0, 0);
    });
    try {
        if (protocol == prHttp)
            getnbii->SetAction(ickhttpGet);
        else
            getnbiisecure->SetAction(ickhttpsGet);
    } catch (RezaDudoDera& e) {
        if (e.Code == crBodyTooLarge)
            throw Exception(Format(SFileTooLarge, remote, static_cast<int>(Limits.MaxBodyBytes >> 20)));
        // Kept as the component's own exception, now naming the file; the
        // component has left the local copy whole.
        e.Message = Format(SFileFailed, e.Message, url, PathJoin(folder, local));
        throw;
    }
    if (!intoMemory) return String();
    std::ptrdiff_t size = 0;
    const auto* body =
        reinterpret_cast<const char*>(HTTPCore::CoreGetProperty(core, client->CoreId(hpMemoryBody), 0, &size));
    return body ? String(body, static_cast<size_t>(size)) : String();
}

void TWebForm::GetList(TProtocol protocol, const String& remote, const char* folder, const String& local) {
    const String body = Get(protocol, remote, folder, local, true);
    // Nothing received replaces nothing, as with any other download.
    if (body.empty()) return;
    // Every name is checked before the list takes the local copy's place:
    // a refused list must not stay behind to be offered at the next
    // opening, or read by the next run.
    for (const String& name : NamesIn(body)) CheckFileName(name, local.c_str());
    const String target = InFolder(folder, local);
    try {
        RemoveStaleReplacements(ReplacementFolder(target));
        SafeWriteFile(target, body);
    } catch (const std::exception& e) {
        throw Exception(Format(SFileFailed, String(e.what()), dt->Text() + Edit1->Text() + remote,
                               PathJoin(folder, local)));
    }
}

THttpLimits TWebForm::DefaultLimits() {
    THttpLimits limits;
    limits.ConnectMs = 30000;
    limits.LowSpeedBytes = 1024;
    limits.LowSpeedMs = 30000;
    limits.MaxHeaderBytes = 64 * 1024;
    limits.MaxBodyBytes = 16 * 1024 * 1024;
    return limits;
}

void TWebForm::Idle(TProtocol protocol) {
    if (protocol == prHttp)
        getnbii->SetAction(ickhttpIdle);
    else
        getnbiisecure->SetAction(ickhttpsIdle);
}

bool TWebForm::getLists() {
    SetStatus(SBusy, SDownloadLists);
    bool finished = false;
    TOnExit status([this, &finished] { SetStatus(SReady, finished ? SFilesDownloaded : SDownloadFailed); });
    const TProtocol protocol = Protocol();
    if (protocol == prNone) {
        // Refused before a run starts (SpeedButton3Click); nothing to fetch.
        finished = true;
        return true;
    }
    SetCredentials(Client(protocol));
    if (Counts(CheckBox2)) {
        GetList(protocol, SSchemaControl, SSchemasFolder, SSchemaControl);
        SchemasChanged = true;
        FillSchemaList();
        finished = true;
        return true;
    }
    if (Counts(CheckBox1)) {
        GetList(protocol, SControlledRemote, SListsFolder, SControlledLocal);
        ListsChanged = true;
        try {
            Memo1->Lines()->LoadFromFile(InFolder(SListsFolder, SControlledLocal));
        } catch (const std::exception&) {
            MessageDlg(SControlledError, mtError, mbOK, 0);
            Screen->SetCursor(crDefault);
            return false;
        }
        std::vector<String> names;
        for (int i = 0; i < Memo1->Lines()->Count(); ++i) {
            const String name = Trim(Memo1->Lines()->Strings(i));
            if (name.empty()) continue;
            CheckFileName(name, SControlledLocal);
            names.push_back(name);
        }
        for (const String& name : names) Get(protocol, name, SListsFolder, name);
    }
    if (Counts(CheckBox3)) {
        std::vector<String> names;
        for (int i = 0; i < hidden->Count(); ++i) {
            if (!hidden->Checked(i)) continue;
            const String name = hidden->Items()->Strings(i);
            CheckFileName(name, SSchemaControl);
            names.push_back(name);
        }
        for (const String& name : names) {
            Get(protocol, name, SSchemasFolder, name);
            SchemasChanged = true;
        }
        Idle(protocol);
    }
    finished = true;
    return true;
}

void TWebForm::gettext() {
    SetStatus(SBusy, SDownloadText);
    bool finished = false;
    TOnExit status([this, &finished] {
        if (finished)
            SetStatus(SReady, STextDownloaded);
        else
            SetStatus(SReady, SDownloadFailed);
    });
    const TProtocol protocol = Protocol();
    if (protocol == prNone) return;
    // Over HTTPS too: a secure server's text is fetched by the secure
    // component, never replaced by an old local copy.
    SetCredentials(Client(protocol));
    Get(protocol, SServerInfo, SWbcFolder, SServerInfo);
    finished = true;
}

void TWebForm::SpeedButton3Click(TObject*) {
    if (Protocol() == prNone) {
        MessageDlg(SBadProtocol, mtError, mbOK, 0);
        return;
    }
    // The toolbar takes no focus, so the path may never have been left.
    if (!ServerPathOk()) return;
    if (!Counts(CheckBox6)) {
        if (getLists()) MessageDlg(SUpdateFinished, mtInformation, mbOK, 0);
        return;
    }
    gettext();
    Tdisptext* window = TextWindow();
    window->RichEdit1->Lines()->LoadFromFile(InFolder(SWbcFolder, SServerInfo));
    window->SetCaption(SServerBroadcast);
    window->ShowModal();
}

void TWebForm::SpeedButton4Click(TObject*) {
    TickHttpClient* client = FRunning ? FRunning : Client(Protocol() == prHttp ? prHttp : prHttps);
    if (client == getnbii)
        getnbii->SetAction(ickhttpIdle);
    else
        getnbiisecure->SetAction(ickhttpsIdle);
    MessageDlg(SInterrupt, mtError, mbOK, 0);
}

// ---------------------------------------------------------------------------
// The server list

void TWebForm::Button1Click(TObject*) {
    Tdisptext* window = TextWindow();
    {
        // "Save" writes the server list: it must never stay on the window
        // when it next shows the server's text.
        window->sbut->SetVisible(true);
        TOnExit hide([window] { window->sbut->SetVisible(false); });
        const String file = Tdisptext::ServersFile();
        // No list yet is where a first server is entered.
        if (FileExists(file))
            window->RichEdit1->Lines()->LoadFromFile(file);
        else
            window->RichEdit1->Lines()->Clear();
        window->SetCaption(file);
        window->ShowModal();
    }
    if (FileExists(Tdisptext::ServersFile())) FillServerList();
}
