#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>

#include "framework/controls/Application.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/DialogScript.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Panel.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/controls/Screen.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/ShellOpener.h"
#include "support/TempDir.h"

namespace {
constexpr unsigned kWait = 10000;

class TPad : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

// A program folder of our own with a help book in it.
class Help : public ::testing::Test {
protected:
    void SetUp() override {
        ForceDirectories(PathJoin({Folder, "help", "velmor40"}));
        SafeWriteFile(PathJoin({Folder, "help", "velmor40", "12.html"}), "<p>Settings</p>");
        SafeWriteFile(PathJoin({Folder, "help", "velmor40", "index.html"}), "<p>Contents</p>");
        SetProgramFolderOverride(Folder);
        SetShellOpenHook([this](const String& address) {
            Opened.push_back(address);
            return true;
        });
        OldFile = Application->HelpFile();
        Application->ClearHelpCalls();
    }
    void TearDown() override {
        Application->SetHelpFile(OldFile);
        SetShellOpenHook(nullptr);
        SetProgramFolderOverride("");
    }
    TTempDir Scratch;
    String Folder = Scratch.Path();
    String OldFile;
    std::vector<String> Opened;
};
}  // namespace

TEST_F(Help, ContextOpensItsPageWhenThereIsOne) {
    struct TCase {
        String HelpFile;
        int Command;
        std::intptr_t Data;
        String Page;  // empty: nothing opens
    };
    const String book = PathJoin({Folder, "help", "velmor40"});
    const std::vector<TCase> cases = {
        {PathJoin(Folder, "velmor40.HLP"), HELP_CONTEXT, 12, PathJoin(book, "12.html")},
        {"VELMOR40.hlp", HELP_CONTEXT, 12, PathJoin(book, "12.html")},  // any letter case
        {"velmor40.hlp", HELP_CONTEXT, 13, ""},                          // no such topic
        {"velmor40.hlp", HELP_CONTENTS, 0, PathJoin(book, "index.html")},
        {"velmor40.hlp", HELP_QUIT, 0, ""},
        {"", HELP_CONTEXT, 12, ""},
        {"other.hlp", HELP_CONTEXT, 12, ""},
    };
    for (const TCase& c : cases) {
        Opened.clear();
        Application->SetHelpFile(c.HelpFile);
        const bool shown = Application->HelpCommand(c.Command, c.Data);
        SCOPED_TRACE(c.HelpFile + " " + std::to_string(c.Data));
        EXPECT_EQ(shown, !c.Page.empty());
        if (c.Page.empty()) {
            EXPECT_TRUE(Opened.empty());
        } else {
            ASSERT_EQ(Opened.size(), 1u);
            EXPECT_EQ(Opened[0], "file://" + c.Page);
        }
        ASSERT_FALSE(Application->HelpCalls().empty());
        const THelpCall& call = Application->HelpCalls().back();
        EXPECT_EQ(call.Command, c.Command);
        EXPECT_EQ(call.Data, c.Data);
        EXPECT_EQ(call.HelpFile, c.HelpFile);
    }
    EXPECT_EQ(Application->HelpCalls().size(), cases.size());
    Application->SetHelpFile("velmor40.hlp");
    EXPECT_TRUE(Application->HelpContext(12));
}

// A book's map names each context's page and the place on it; contexts it
// does not name fall back to <context>.html.
TEST_F(Help, TheMapNamesTheTopicOfAContext) {
    const String book = PathJoin({Folder, "help", "velmor40"});
    SafeWriteFile(PathJoin(book, "contexts.txt"),
                  "; topics\r\n7=Main.html#custom\r\n 8 = gone.html \r\n9=main.html\r\nx=main.html#bad\r\n");
    SafeWriteFile(PathJoin(book, "main.html"), "<p id=\"custom\">Custom</p>");
    Application->SetHelpFile("velmor40.hlp");
    struct TCase {
        std::intptr_t Context;
        String Address;  // empty: nothing opens
    };
    for (const TCase& c : std::vector<TCase>{{7, "file://" + PathJoin(book, "main.html") + "#custom"},
                                             {9, "file://" + PathJoin(book, "main.html")},
                                             {8, ""},
                                             {12, "file://" + PathJoin(book, "12.html")}}) {
        Opened.clear();
        EXPECT_EQ(Application->HelpContext(static_cast<int>(c.Context)), !c.Address.empty()) << c.Context;
        EXPECT_EQ(Opened, c.Address.empty() ? std::vector<String>{} : std::vector<String>{c.Address}) << c.Context;
    }
    EXPECT_EQ(Application->HelpCalls()[0].Anchor, "custom");
    // A folder name with blanks and a "#" travels encoded.
    EXPECT_EQ(FileAddress("/opt/my apps/#1/a.html", "x"), "file:///opt/my%20apps/%231/a.html#x");
}

// Without a browser the user learns where the guide is, whether the opener
// cannot start or reports later that nothing took the page.
TEST_F(Help, WithoutABrowserAMessageSaysWhereTheGuideIs) {
    const String book = PathJoin({Folder, "help", "velmor40"});
    Application->SetHelpFile("velmor40.hlp");
    TDialogScript dialogs;
    auto said = [&] {
        for (const TDialogRecord& r : dialogs.Shown())
            if (r.Text.find(book) != String::npos && r.Text.find("12.html") != String::npos) return true;
        return false;
    };
    SetShellOpenHook([](const String&) { return false; });
    dialogs.Answer(mrOk);
    EXPECT_FALSE(Application->HelpContext(12));
    EXPECT_TRUE(said());

    // An opener that starts but finds no browser (xdg-open ends with 3).
    SetShellOpenHook(nullptr);
    const String opener = PathJoin(Folder, "opener");
    SafeWriteFile(opener, "#!/bin/sh\nexit 3\n");
    ::chmod(opener.c_str(), 0755);
    SetShellOpenProgram(opener);
    dialogs.Clear();
    dialogs.Answer(mrOk);
    EXPECT_TRUE(Application->HelpContext(12));
    EXPECT_TRUE(PumpMessagesUntil(said, kWait));

    // One that succeeds says nothing.
    SafeWriteFile(opener, "#!/bin/sh\nexit 0\n");
    dialogs.Clear();
    EXPECT_TRUE(Application->HelpContext(12));
    WaitForShellOpenChildren();
    ProcessMessages();
    EXPECT_TRUE(dialogs.Shown().empty());
    SetShellOpenProgram("");
}

// F1 that no control uses opens the help of the focused control, of its
// nearest parent that has one, or of its window.
TEST_F(Help, F1OpensTheNearestHelpContext) {
    Application->SetHelpFile("velmor40.hlp");
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(10, 10, 300, 200);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 150, 200);
    auto* inPanel = new TEdit(form.get());
    inPanel->SetParent(panel);
    auto* onForm = new TEdit(form.get());
    onForm->SetParent(form.get());
    onForm->SetBounds(160, 10, 100, 24);
    form->Show();
    struct TCase {
        TWinControl* Focus;
        int FormContext, PanelContext, Expected;  // 0: no help call
    };
    for (const TCase& c : std::vector<TCase>{{inPanel, 12, 13, 13}, {onForm, 12, 13, 12}, {inPanel, 12, 0, 12},
                                             {onForm, 0, 13, 0}}) {
        form->HelpContext = c.FormContext;
        panel->HelpContext = c.PanelContext;
        ASSERT_TRUE(WaitForFocus(c.Focus));
        Application->ClearHelpCalls();
        SimulateKey(c.Focus, VK_F1);
        if (c.Expected == 0) {
            EXPECT_TRUE(Application->HelpCalls().empty());
        } else {
            ASSERT_EQ(Application->HelpCalls().size(), 1u);
            EXPECT_EQ(Application->HelpCalls()[0].Data, c.Expected);
        }
    }
}

TEST(Hints, FollowTheMouseAndShowAfterThePause) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    // Away from wherever the pointer is, so only our own enter and leave count.
    form->SetBounds(Screen->Width() - 60, Screen->Height() - 60, 50, 50);
    auto* tip = new TPad(form.get());
    tip->SetBounds(0, 0, 20, 20);
    tip->SetParent(form.get());
    tip->SetHint("Keywords|The words search engines index");
    tip->SetShowHint(true);
    auto* quiet = new TPad(form.get());
    quiet->SetParent(form.get());
    quiet->SetHint("Quiet|Never shown");
    form->Show();
    int hints = 0;
    Application->OnHint = [&](TObject*) { ++hints; };
    const int pause = Application->HintPause;
    Application->HintPause = 0;

    tip->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Application->Hint(), "The words search engines index");
    EXPECT_EQ(hints, 1);
    EXPECT_TRUE(PumpMessagesUntil([] { return Application->ShownHint() == "Keywords"; }, kWait));
    tip->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Application->ShownHint(), "");
    EXPECT_EQ(Application->Hint(), "");

    // ShowHint off: the long hint still reaches Application->Hint (a status
    // bar shows it), the pop-up does not come.
    quiet->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Application->Hint(), "Never shown");
    ProcessMessages();
    EXPECT_EQ(Application->ShownHint(), "");
    quiet->Perform(CM_MOUSELEAVE);

    // ParentShowHint makes a control follow its parent.
    form->SetShowHint(true);
    EXPECT_TRUE(quiet->ShowHint());
    quiet->SetShowHint(false);  // its own answer now
    EXPECT_FALSE(quiet->ParentShowHint());
    EXPECT_FALSE(quiet->ShowHint());
    quiet->SetParentShowHint(true);
    EXPECT_TRUE(quiet->ShowHint());
    Application->HintPause = pause;
    Application->OnHint = nullptr;
}

TEST(Timers, TickUntilDisabledAndSurviveExceptions) {
    TTimer timer(nullptr);
    timer.SetInterval(5);
    int ticks = 0;
    String error;
    Application->OnException = [&](TObject*, Exception& e) { error = e.Message; };
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        if (++ticks == 2) throw Exception("tick failed");
    };
    EXPECT_TRUE(PumpMessagesUntil([&] { return ticks >= 4; }, kWait));
    EXPECT_EQ(error, "tick failed");
    timer.SetEnabled(false);
    const int stopped = ticks;
    TTimer probe(nullptr);
    probe.SetInterval(5);
    int probeTicks = 0;
    probe.OnTimer = [&](TObject*) { ++probeTicks; };
    EXPECT_TRUE(PumpMessagesUntil([&] { return probeTicks >= 5; }, kWait));
    EXPECT_EQ(ticks, stopped);
    Application->OnException = nullptr;
}

TEST(ApplicationWindow, HooksSeeItsMessagesFirst) {
    std::vector<UINT> seen;
    const int first = Application->HookMainWindow([&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_USER + 5) {
            m.Result = 55;
            return true;  // handled: no later hook, no default
        }
        return false;
    });
    bool secondSaw = false;
    const int second = Application->HookMainWindow([&](TMessage& m) {
        if (m.Msg == WM_USER + 5) secondSaw = true;
        return false;
    });
    EXPECT_EQ(SendMessage(Application->Handle(), WM_USER + 5), 55);
    EXPECT_FALSE(secondSaw);
    PostMessage(Application->Handle(), WM_USER + 6);
    EXPECT_TRUE(PumpMessagesUntil([&] { return seen.size() == 2; }, kWait));
    Application->UnhookMainWindow(first);
    Application->UnhookMainWindow(second);
    SendMessage(Application->Handle(), WM_USER + 5);
    EXPECT_EQ(seen.size(), 2u);
}

TEST(ScreenCursors, RegisteredCursorsAndTheOverride) {
    EXPECT_TRUE(Screen->HasCursor(crHourGlass));
    EXPECT_FALSE(Screen->HasCursor(7));
    TBitmap image(16, 16);
    Screen->SetCursorImage(7, &image, 3, 4);
    EXPECT_TRUE(Screen->HasCursor(7));
    Screen->SetCursorShape(8, 0);
    EXPECT_TRUE(Screen->HasCursor(8));
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(Hints, ADestroyedControlLeavesQuietly) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* tip = new TPad(form.get());
    tip->SetParent(form.get());
    tip->SetHint("Short|Long");
    tip->Perform(CM_MOUSEENTER);
    ASSERT_EQ(Application->Hint(), "Long");
    int hints = 0;
    Application->OnHint = [&](TObject*) { ++hints; };
    delete tip;  // the status bar that shows hints may be gone by now
    EXPECT_EQ(hints, 0);
    Application->OnHint = nullptr;
    Application->SetHint("");
}
