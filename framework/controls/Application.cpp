#include "framework/controls/Application.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "framework/controls/Control.h"
#include "framework/controls/ControlsInternal.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageForm.h"
#include "framework/controls/Screen.h"
#include "framework/controls/qt/WsApplication.h"
#include "framework/controls/qt/WsMouse.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/ShellOpener.h"

TApplication* Application = nullptr;

namespace {
// Posted by the opener's thread when no browser took a help page.
UINT HelpNotOpenedMessage() {
    static const UINT message = RegisterWindowMessage("VelmorHelpNotOpened");
    return message;
}
}  // namespace

struct TApplication::Impl {
    bool OwnsToolkit = false;
    HWND Handle = 0;
    std::vector<std::pair<int, TWindowHook>> Hooks;
    int NextHookId = 1;
    std::unique_ptr<velmor_ws::TOneShotTimer> HintTimer;
    TControl* HintControl = nullptr;
    String ShownHint;
    // Where the mouse last moved over the hint control (client), and the
    // part of the control the last answer was about.
    std::optional<TPoint> HintMousePos;
    std::optional<TRect> HintRect;
    bool InErrorBox = false;
};

void velmor_internal::HintMouseEnter(TControl* control) {
    if (Application) Application->HintMouseEnter(control);
}

void velmor_internal::HintMouseLeave(TControl* control) {
    if (Application) Application->HintMouseLeave(control);
}

void velmor_internal::HintMouseMove(TControl* control, const TPoint& clientPos) {
    if (Application) Application->HintMouseMove(control, clientPos);
}

void velmor_internal::HintControlGone(TControl* control) {
    if (Application) Application->HintControlGone(control);
}

String GetShortHint(const String& hint) {
    const auto bar = hint.find('|');
    return bar == String::npos ? hint : hint.substr(0, bar);
}

String GetLongHint(const String& hint) {
    const auto bar = hint.find('|');
    return bar == String::npos ? hint : hint.substr(bar + 1);
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), FImpl(new Impl) {
    if (!Application) Application = this;
    SetDispatchExceptionHandler([this](std::exception_ptr e) { HandleException(nullptr, e); });
}

TApplication::~TApplication() {
    DestroyComponents();  // forms go before the toolkit does
    if (FImpl->Handle) DeallocateHWnd(FImpl->Handle);
    FImpl->HintTimer.reset();
    velmor_internal::ScreenReleaseCursors();
    if (Application == this) {
        SetDispatchExceptionHandler({});
        Application = nullptr;
    }
    if (FImpl->OwnsToolkit) velmor_ws::StopToolkit();
}

void TApplication::Initialize(int& argc, char** argv) {
    if (velmor_ws::StartToolkit(argc, argv)) FImpl->OwnsToolkit = true;
    if (!FTitle.empty()) velmor_ws::SetApplicationName(FTitle);
    LoadFormatSettingsFromLocale();
}

bool TApplication::Initialized() const { return velmor_ws::ToolkitStarted(); }

void TApplication::SetTitle(const String& title) {
    if (title == FTitle) return;
    FTitle = title;
    velmor_ws::SetApplicationName(title);
}

String TApplication::ExeName() const { return ProgramFile(); }

HWND TApplication::Handle() {
    if (!FImpl->Handle) {
        FImpl->Handle = AllocateHWnd([this](TMessage& m) {
            const auto hooks = FImpl->Hooks;  // a hook may unhook itself
            for (const auto& [id, hook] : hooks)
                if (hook(m)) return;
            if (m.Msg == HelpNotOpenedMessage()) {
                std::unique_ptr<String> page(reinterpret_cast<String*>(m.LParam));
                ShowHelpNotOpened(*page);
                return;
            }
            if (m.Msg == WM_CLOSE && FMainForm) {
                FMainForm->Close();
                return;
            }
            m.Result = DefWindowProc(FImpl->Handle, m.Msg, m.WParam, m.LParam);
        });
    }
    return FImpl->Handle;
}

int TApplication::HookMainWindow(TWindowHook hook) {
    const int id = FImpl->NextHookId++;
    FImpl->Hooks.emplace_back(id, std::move(hook));
    return id;
}

void TApplication::UnhookMainWindow(int id) {
    auto& hooks = FImpl->Hooks;
    for (auto it = hooks.begin(); it != hooks.end(); ++it)
        if (it->first == id) {
            hooks.erase(it);
            return;
        }
}

void TApplication::AddCreatedForm(TForm* form) {
    form->AfterConstruction();
    if (!FMainForm) FMainForm = form;
}

void TApplication::FormDestroyed(TForm* form) {
    if (FMainForm == form) FMainForm = nullptr;
    if (FImpl->HintControl && GetParentForm(FImpl->HintControl) == form) CancelHint();
}

int TApplication::Run() {
    if (FTerminated) return 0;
    if (FMainForm) FMainForm->Show();
    if (FTerminated) return 0;
    if (QuitWhenShown && FMainForm)
        velmor_ws::AfterFirstPaint(FMainForm->Widget(), [this] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("shown_at_ns=%lld\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            Terminate();
        });
    return velmor_ws::RunEventLoop();
}

void TApplication::Terminate() {
    FTerminated = true;
    velmor_ws::QuitEventLoop();
}

void TApplication::ProcessMessages() { ::ProcessMessages(); }

void TApplication::HandleMessage() { WaitMessage(50); }

// --- exceptions -------------------------------------------------------------

void TApplication::HandleException(TObject* sender) { HandleException(sender, std::current_exception()); }

void TApplication::HandleException(TObject* sender, std::exception_ptr e) {
    if (!e) return;
    auto report = [&](Exception& ex) {
        if (OnException)
            OnException(sender, ex);
        else
            ShowException(ex);
    };
    try {
        std::rethrow_exception(e);
    } catch (EAbort&) {
        // the silent exception
    } catch (Exception& ex) {
        report(ex);
    } catch (std::exception& ex) {
        Exception wrapped(ex.what());
        report(wrapped);
    } catch (...) {
        Exception wrapped("Unknown exception");
        report(wrapped);
    }
}

void TApplication::ShowException(const Exception& e) {
    String msg = e.Message;
    // The classic box ends a sentence that does not end in punctuation.
    if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += '.';
    if (FImpl->InErrorBox || !velmor_ws::ToolkitStarted()) {
        std::fprintf(stderr, "%s\n", msg.c_str());
        return;
    }
    FImpl->InErrorBox = true;
    try {
        TMessageForm box(nullptr, FTitle, msg, mtError);
        box.ShowModal();
    } catch (...) {
        FImpl->InErrorBox = false;
        throw;
    }
    FImpl->InErrorBox = false;
}

// --- hints -------------------------------------------------------------------

void TApplication::SetShowHint(bool v) {
    if (v == FShowHint) return;
    FShowHint = v;
    if (!v) CancelHint();
}

void TApplication::SetHint(const String& v) {
    if (v == FHint) return;
    FHint = v;
    if (OnHint) OnHint(this);
}

String TApplication::ShownHint() const { return FImpl->ShownHint; }

void TApplication::CancelHint() {
    if (FImpl->HintTimer) FImpl->HintTimer->Stop();
    if (!FImpl->ShownHint.empty()) velmor_ws::HideHintText();
    FImpl->ShownHint.clear();
}

void TApplication::HintMouseEnter(TControl* control) {
    CancelHint();
    // A control that asks again for a hint of its own keeps its point.
    if (FImpl->HintControl != control) FImpl->HintMousePos.reset();
    FImpl->HintControl = control;
    FImpl->HintRect.reset();
    SetHint(GetLongHint(control->Hint()));
    if (!FShowHint) return;
    if (!control->HintsByPosition() && (!control->ShowHint() || GetShortHint(control->Hint()).empty())) return;
    StartHintTimer(HintPause);
}

void TApplication::StartHintTimer(int pause) {
    if (!velmor_ws::ToolkitStarted()) return;
    if (!FImpl->HintTimer) {
        FImpl->HintTimer = std::make_unique<velmor_ws::TOneShotTimer>([this] {
            TControl* c = FImpl->HintControl;
            if (!c || !FShowHint) return;
            GuardedCall([&] {
                // The control has the last word on the text and the place
                // (a grid's hint depends on the cell under the mouse).
                THintInfo info;
                info.HintControl = c;
                if (FImpl->HintMousePos) {
                    info.CursorPos = *FImpl->HintMousePos;
                    info.HintPos = c->ClientToScreen(info.CursorPos);
                } else {
                    info.HintPos = velmor_ws::CursorPos();
                    info.CursorPos = c->ScreenToClient(info.HintPos);
                }
                info.HintStr = GetShortHint(c->Hint());
                const LRESULT refused = c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
                if (FImpl->HintControl != c) return;
                FImpl->HintRect = info.CursorRect.IsEmpty() ? c->ClientRect() : info.CursorRect;
                if (refused != 0 || info.HintStr.empty()) return;
                FImpl->ShownHint = info.HintStr;
                velmor_ws::ShowHintText(info.HintPos, info.HintStr, c->WidgetIfAllocated(), HintHidePause);
            });
        });
    }
    FImpl->HintTimer->Start(std::max(0, pause));
}

void TApplication::HintMouseMove(TControl* control, const TPoint& clientPos) {
    if (FImpl->HintControl != control) {
        // A move tells where the mouse is even where no enter and leave
        // notices come (a test's simulated mouse): onto a control with
        // hints by position, or off one.
        TControl* current = FImpl->HintControl;
        if (current && current->HintsByPosition()) HintMouseLeave(current);
        if (!control->HintsByPosition()) return;
        HintMouseEnter(control);
    }
    FImpl->HintMousePos = clientPos;
    // Still over the part the last hint was about; or no hint asked yet.
    if (!FImpl->HintRect || FImpl->HintRect->Contains(clientPos)) return;
    const bool wasShown = !FImpl->ShownHint.empty();
    CancelHint();
    FImpl->HintRect.reset();
    if (!FShowHint) return;
    if (!control->HintsByPosition() && (!control->ShowHint() || GetShortHint(control->Hint()).empty())) return;
    StartHintTimer(wasShown ? HintShortPause : HintPause);
}

void TApplication::HintControlGone(TControl* control) {
    if (FImpl->HintControl != control) return;
    FImpl->HintControl = nullptr;
    CancelHint();
}

void TApplication::HintMouseLeave(TControl* control) {
    if (FImpl->HintControl != control) return;
    FImpl->HintControl = nullptr;
    CancelHint();
    SetHint(String());
}

// --- help ---------------------------------------------------------------------

bool TApplication::HelpContext(int context) { return HelpCommand(HELP_CONTEXT, context); }

namespace {

// The topic of a context in a help book's map, "page#anchor"; empty when
// the map does not name it.
String MappedTopic(const String& bookFolder, std::intptr_t context) {
    const String map = FindPathNoCase(PathJoin(bookFolder, "contexts.txt"));
    if (map.empty() || !FileExists(map)) return String();
    String text;
    try {
        text = ReadFileToString(map);
    } catch (const std::exception&) {
        return String();
    }
    for (const String& raw : SplitLines(text)) {
        const String line = Trim(raw);
        const std::size_t eq = line.find('=');
        if (line.empty() || line[0] == ';' || eq == String::npos) continue;
        Int64 number = 0;
        if (TryStrToInt64(Trim(line.substr(0, eq)), number) && number == context) return Trim(line.substr(eq + 1));
    }
    return String();
}

}  // namespace

bool TApplication::HelpCommand(int command, std::intptr_t data) {
    THelpCall call{command, data, FHelpFile, String(), String()};
    if (FHelpFile.empty()) {
        FHelpCalls.push_back(call);
        return false;
    }
    const String book = ChangeFileExt(ExtractFileName(NormalizePath(FHelpFile)), "");
    String folder = FindPathNoCase(PathJoin({ProgramFolder(), "help", book}));
    if (folder.empty()) folder = PathJoin({ProgramFolder(), "help", book});
    String topic;
    switch (command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
        topic = MappedTopic(folder, data);
        if (topic.empty()) topic = std::to_string(data) + ".html";
        break;
    case HELP_CONTENTS:
    case HELP_FINDER:
        topic = "index.html";
        break;
    default:
        break;  // quitting help, keywords: nothing to open
    }
    bool opened = false;
    const std::size_t hash = topic.find('#');
    const String anchor = hash == String::npos ? String() : topic.substr(hash + 1);
    if (hash != String::npos) topic.resize(hash);
    const String page = topic.empty() ? String() : FindPathNoCase(PathJoin(folder, topic));
    if (!page.empty() && FileExists(page)) {
        call.Opened = page;
        call.Anchor = anchor;
        // The opener tells only later whether a browser took the page.
        const HWND window = Handle();
        const UINT message = HelpNotOpenedMessage();
        opened = ShellOpen(FileAddress(page, anchor), [window, message, page](bool done) {
            if (done) return;
            auto* text = new String(page);
            if (!PostMessage(window, message, 0, reinterpret_cast<LPARAM>(text))) delete text;
        });
        if (!opened) ShowHelpNotOpened(page);
    }
    FHelpCalls.push_back(call);
    return opened;
}

void TApplication::ShowHelpNotOpened(const String& page) {
    const String title = FTitle.empty() ? String("The program") : FTitle;
    MessageBox(title + " could not open its help in a web browser.\r\n\r\nThe user guide is in the folder " +
                   ExtractFileDir(page) + ". Open " + ExtractFileName(page) +
                   " there in a web browser to read this topic, or index.html for the contents.",
               String(), MB_OK | MB_ICONINFORMATION);
}

// --- the windows together ----------------------------------------------------

void TApplication::BringToFront() {
    if (FMainForm) FMainForm->BringToFront();
}

void TApplication::Minimize() {
    if (FMainForm) FMainForm->SetWindowState(wsMinimized);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    if (FMainForm && FMainForm->WindowState() == wsMinimized) FMainForm->SetWindowState(wsNormal);
    if (OnRestore) OnRestore(this);
}

int TApplication::MessageBox(const String& text, const String& caption, UINT flags) {
    return ApplicationMessageBox(text, caption, flags);
}
