// The styled application object: the copy guard (in this process and from
// a second process), the shared timer slots, the pattern bitmap and the log
// file name.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "TestSupport.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Panel.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/BitmapResources.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/InstanceGuard.h"
#include "framework/system/ProgramFolder.h"
#include "styled/base/StyApplication.h"
#include "styled/base/StyIniCtrl.h"
#include "styled/base/StyTimerItem.h"
#include "styled/base/StyTimerPool.h"

namespace {

TEST(StyApplicationGuard, SecondObjectOfTheSameNameSeesTheFirst) {
    const String name = UniqueInstanceName("guard");
    auto first = std::make_unique<TStyApplication>(nullptr, name);
    EXPECT_FALSE(first->PrevInstance());
    EXPECT_TRUE(first->ListeningForCopies());
    {
        TStyApplication second(nullptr, name);
        EXPECT_TRUE(second.PrevInstance());
        EXPECT_FALSE(second.ListeningForCopies());  // only the first copy listens
        TStyApplication other(nullptr, UniqueInstanceName("other"));
        EXPECT_FALSE(other.PrevInstance());
    }
    first.reset();
    TStyApplication again(nullptr, name);
    EXPECT_FALSE(again.PrevInstance());
}

TEST(StyApplicationGuard, DefaultNameIsTheProgramFileName) {
    TStyApplication app(nullptr);
    EXPECT_EQ(app.InstanceName(), ExtractFileName(ProgramFile()));
}

TEST(StyApplicationGuard, SecondProcessSeesTheFirstCopy) {
    const String name = UniqueInstanceName("proc");
    TStyApplication first(nullptr, name);
    ASSERT_FALSE(first.PrevInstance());
    EXPECT_EQ(ChildValue(RunChild("guard", name), "prev"), "1");
    // A copy started under another program name does not see it.
    EXPECT_EQ(ChildValue(RunChild("guard", UniqueInstanceName("renamed")), "prev"), "0");
}

TEST(StyApplicationGuard, NoFirstCopyNoPrevInstanceInTheChild) {
    EXPECT_EQ(ChildValue(RunChild("guard", UniqueInstanceName("alone")), "prev"), "0");
}

TEST(StyApplicationGuard, SecondProcessBringsTheFirstForward) {
    TScratchApplication scratch;
    const String name = UniqueInstanceName("raise");
    TStyApplication first(nullptr, name);
    ASSERT_TRUE(first.ListeningForCopies());
    TForm* main = Application->CreateForm<TForm>();
    main->SetWindowState(wsMinimized);

    const String answer = RunChild("activate", name);
    EXPECT_EQ(ChildValue(answer, "prev"), "1");
    EXPECT_EQ(ChildValue(answer, "sent"), "1");
    EXPECT_TRUE(PumpMessagesUntil([&] { return first.ActivationRequests() == 1; }, 20000));
    EXPECT_EQ(main->WindowState(), wsNormal);  // restored, since it was minimised
}

// The program makes its styled application before the toolkit runs; the
// first copy must still hear the later ones.
TEST(StyApplicationGuard, FirstCopyMadeBeforeTheToolkitListens) {
    const String name = UniqueInstanceName("early");
    const String out = StartChild("first-copy", name);
    const String ready = out + ".ready";
    ASSERT_TRUE(PumpMessagesUntil([&] { return ChildValue(ReadChildFile(ready), "listening") != ""; }, 30000));
    EXPECT_EQ(ChildValue(ReadChildFile(ready), "listening"), "1");

    TStyApplication second(nullptr, name);
    ASSERT_TRUE(second.PrevInstance());
    EXPECT_TRUE(second.ActivatePrevInstance());
    ASSERT_TRUE(PumpMessagesUntil([&] { return ChildValue(ReadChildFile(out), "requests") != ""; }, 40000));
    EXPECT_EQ(ChildValue(ReadChildFile(out), "prev"), "0");
    EXPECT_EQ(ChildValue(ReadChildFile(out), "requests"), "1");
    std::remove(out.c_str());
    std::remove(ready.c_str());
}

TEST(StyApplicationGuard, RefusedSecondCopyEndsBeforeItsWindowShows) {
    const String name = UniqueInstanceName("second");
    TStyApplication first(nullptr, name);
    const String answer = RunChild("second-copy", name);
    EXPECT_EQ(ChildValue(answer, "prev"), "1");
    EXPECT_EQ(ChildValue(answer, "custom"), "1");
    EXPECT_EQ(ChildValue(answer, "shown"), "0");
    EXPECT_EQ(ChildValue(answer, "terminated"), "1");
    EXPECT_EQ(ChildValue(answer, "rc"), "0");
    // oiCustom with a handler does not bring the first copy forward.
    ProcessMessages();
    EXPECT_EQ(first.ActivationRequests(), 0);
}

// The start-up timing mode: Run ends by itself once the main window has
// painted, even when its children cover every pixel of it.
TEST(StartupTiming, RunEndsOnceTheMainWindowHasPainted) {
    TScratchApplication scratch;
    TForm* main = Application->CreateForm<TForm>();
    auto* cover = new TPanel(main);
    cover->SetParent(main);
    cover->SetAlign(alClient);
    Application->QuitWhenShown = true;
    testing::internal::CaptureStdout();
    const int rc = Application->Run();
    const String printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(printed.rfind("shown_at_ns=", 0), 0u) << printed;
}

TEST(StyApplicationObject, InitialState) {
    TStyApplication app(nullptr, UniqueInstanceName("init"));
    EXPECT_EQ(app.Options, 0x36);
    EXPECT_EQ(app.Flags2, 0x01);
    EXPECT_EQ(app.AnimationDelay, 3);
    EXPECT_EQ(app.PatternColor(), static_cast<TColor>(0x1FFFFFFF));
    EXPECT_EQ(app.LogPrefix, ppProgram);
    ASSERT_NE(app.TimerPool(), nullptr);
    EXPECT_EQ(app.TimerPool()->MinInterval(), 50);
    ASSERT_NE(app.IniCtrl(), nullptr);
    EXPECT_EQ(app.Owner(), nullptr);
    EXPECT_GE(app.PerformanceFrequency(), 1000000);
}

TEST(StyApplicationObject, ProgramCursorBecomesScreenCursorMinus255) {
    // Without the resource there is nothing to register.
    {
        TStyApplication app(nullptr, UniqueInstanceName("nocursor"));
        EXPECT_FALSE(Screen->HasCursor(-255));
    }
    TBitmap image(32, 32);
    RegisterCursorResource(16548, &image, 3, 4);
    {
        TStyApplication app(nullptr, UniqueInstanceName("cursor"));
        EXPECT_TRUE(Screen->HasCursor(-255));
    }
    UnregisterCursorResource(16548);
}

TEST(StyApplicationObject, MakesItselfTheGlobalWhenThereIsNone) {
    TStyApplicationSwap none(nullptr);
    {
        TStyApplication app(nullptr, UniqueInstanceName("global"));
        EXPECT_EQ(StyApplication, &app);
        TStyApplication second(nullptr, UniqueInstanceName("global2"));
        EXPECT_EQ(StyApplication, &app);
    }
    EXPECT_EQ(StyApplication, nullptr);
}

TEST(StyApplicationTimers, SlotBounds) {
    TStyApplication app(nullptr, UniqueInstanceName("slots"));
    for (int n = 0; n < TStyApplication::TimerSlotCount; ++n)
        ASSERT_EQ(app.AddTimer(50, nullptr), 0xFD01 + n);
    EXPECT_EQ(app.TimerPool()->Count(), 250);
    // The 251st gets nothing and adds nothing.
    EXPECT_EQ(app.AddTimer(50, nullptr), 0);
    EXPECT_EQ(app.TimerPool()->Count(), 250);

    // Identifiers that are not ours change nothing, in the pool or the
    // slots around the table.
    for (Word id : {Word(0), Word(0xFD00), Word(0xFDFB), Word(0xFFFF)}) {
        app.RemoveTimer(id);
        EXPECT_EQ(app.TimerPool()->Count(), 250) << id;
    }
    EXPECT_TRUE(app.TimerSlotUsed(0xFD01));
    EXPECT_TRUE(app.TimerSlotUsed(0xFDFA));

    app.RemoveTimer(0xFDFA);
    app.RemoveTimer(0xFD05);
    EXPECT_EQ(app.GetTimer(0xFD05), nullptr);
    EXPECT_NE(app.GetTimer(0xFD06), nullptr);
    EXPECT_EQ(app.AddTimer(100, nullptr), 0xFD05);  // the lowest free slot
    EXPECT_EQ(app.GetTimer(0xFD05)->Interval(), 100);
    EXPECT_EQ(app.AddTimer(100, nullptr), 0xFDFA);
    EXPECT_EQ(app.AddTimer(100, nullptr), 0);
}

TEST(StyApplicationTimers, PoolErrorsReachTheCallerAndKeepTheSlotFree) {
    TStyApplication app(nullptr, UniqueInstanceName("err"));
    EXPECT_THROW(app.AddTimer(120, nullptr), Exception);
    EXPECT_FALSE(app.TimerSlotUsed(0xFD01));
    int fired = 0;
    const Word id = app.AddTimer(150, [&](TObject*) { ++fired; });
    EXPECT_EQ(id, 0xFD01);
    // Callers switch their timer through the item.
    TStyTimerItem* item = app.GetTimer(id);
    ASSERT_NE(item, nullptr);
    item->SetEnabled(false);
    for (int i = 0; i < 6; ++i) SendMessage(app.TimerPool()->WindowHandle(), WM_TIMER, 1, 0);
    EXPECT_EQ(fired, 0);
    item->SetEnabled(true);
    for (int i = 0; i < 3; ++i) SendMessage(app.TimerPool()->WindowHandle(), WM_TIMER, 1, 0);
    EXPECT_EQ(fired, 1);
}

TEST(StyApplicationPattern, CheckerboardOfSixtyFourPixels) {
    TStyApplication app(nullptr, UniqueInstanceName("pattern"));
    TBitmap* bmp = app.GetPatternBitmap(clRed);
    ASSERT_NE(bmp, nullptr);
    ASSERT_EQ(bmp->Width(), 8);
    ASSERT_EQ(bmp->Height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(bmp->Canvas()->Pixels(x, y), (x % 2 != y % 2) ? clRed : clWhite) << x << "," << y;
    EXPECT_EQ(app.PatternColor(), clRed);

    // Same colour: the same bitmap, not redrawn (a mark survives).
    bmp->Canvas()->SetPixels(0, 0, clBlue);
    EXPECT_EQ(app.GetPatternBitmap(clRed), bmp);
    EXPECT_EQ(bmp->Canvas()->Pixels(0, 0), clBlue);
    // Another colour rebuilds it.
    TBitmap* green = app.GetPatternBitmap(clGreen);
    EXPECT_EQ(green->Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(green->Canvas()->Pixels(1, 0), clGreen);
    EXPECT_EQ(green->Canvas()->Pixels(0, 1), clGreen);
    EXPECT_EQ(green->Canvas()->Pixels(1, 1), clWhite);
}

TEST(StyApplicationLog, LogFileNames) {
    TStyApplication app(nullptr, UniqueInstanceName("log"));
    SetProgramFolderOverride("/opt/velmor-test");
    struct Case {
        TStyPathPrefix Prefix;
        const char* Name;
        String Expected;
    } cases[] = {
        {ppProgram, "", "/opt/velmor-test/" + ExtractFileName(ProgramFile()) + ".LOG"},
        {ppProgram, "/var/tmp/run", "/opt/velmor-test/run.LOG"},
        {ppProgram, "trace.txt", "/opt/velmor-test/trace.txt"},
        {ppFixed, "/var/tmp/run", "/var/tmp/run.LOG"},
        {ppFixed, "trace.txt", "trace.txt"},
    };
    for (const auto& c : cases) {
        app.LogPrefix = c.Prefix;
        app.SetLogFile(c.Name);
        EXPECT_EQ(app.LogFile(), c.Expected) << c.Name;
    }
    SetProgramFolderOverride("");
}

}  // namespace
