#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/Application.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/Form.h"
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
