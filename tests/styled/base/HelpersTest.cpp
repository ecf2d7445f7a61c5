// Folder, rectangle and placement helpers, the caption geometry, the zoom
// frames, the date list and the settings-store component.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Screen.h"
#include "framework/system/ProgramFolder.h"
#include "styled/base/RectHelpers.h"
#include "framework/rtl/Exception.h"
#include "styled/base/StyDateList.h"
#include "styled/base/StyIniCtrl.h"
#include "styled/base/SysHelpers.h"
#include "styled/base/WindowHelpers.h"

namespace {

TEST(FolderHelpers, Backslashes) {
    struct Case {
        const char* In;
        const char* Added;
        const char* Removed;
    } cases[] = {
        {"/home/dir", "/home/dir/", "/home/dir"},
        {"/home/dir/", "/home/dir/", "/home/dir"},
        {"/", "/", ""},
        {"", "/", ""},
        {"   ", "   /", "   "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddBackslash(c.In), c.Added) << c.In;
        EXPECT_EQ(RemoveBackslash(c.In), c.Removed) << c.In;
    }
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank(" x "));
}

TEST(FolderHelpers, PrefixPaths) {
    SetProgramFolderOverride("/opt/velmor-test");
    EXPECT_EQ(GetPrefixPath(ppProgram, true), "/opt/velmor-test/");
    EXPECT_EQ(GetPrefixPath(ppProgram, false), "/opt/velmor-test");
    SetProgramFolderOverride("");
    EXPECT_EQ(GetPrefixPath(ppFixed, true), "");
    EXPECT_EQ(GetPrefixPath(ppFixed, false), "");
    const String win = GetPrefixPath(ppWindows, true);
    ASSERT_FALSE(win.empty());
    EXPECT_EQ(win.front(), '/');
    EXPECT_EQ(win.back(), '/');
    EXPECT_EQ(GetPrefixPath(ppSystem, false).back() == '/', false);
}

TEST(SystemHelpers, UserNameIsShortAndNeverEmpty) {
    const String name = GetNetUserName();
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 63u);
    EXPECT_GT(GetColorDepth(), 0);
    EXPECT_GT(GetSmallCaptionHeight(), 0);
    EXPECT_LT(GetSmallCaptionHeight(), GetCaptionHeight());
}

TEST(RectHelpers, FitRect) {
    struct Case {
        TRect Source, Dest, Expected;
    } cases[] = {
        {Rect(0, 0, 200, 100), Rect(10, 10, 110, 110), Rect(10, 10, 110, 60)},
        {Rect(0, 0, 100, 200), Rect(10, 10, 110, 110), Rect(10, 10, 60, 110)},
        {Rect(0, 0, 10, 10), Rect(0, 0, 40, 30), Rect(0, 0, 30, 30)},
        {Rect(0, 0, 0, 10), Rect(5, 5, 40, 30), Rect(5, 5, 5, 5)},
    };
    for (const auto& c : cases) EXPECT_EQ(FitRect(c.Source, c.Dest), c.Expected);
}

TEST(RectHelpers, RectInRectTreatsRightAndBottomAsOutside) {
    const TRect outer = Rect(0, 0, 100, 100);
    EXPECT_TRUE(RectInRect(Rect(10, 10, 99, 99), outer));
    EXPECT_FALSE(RectInRect(Rect(10, 10, 100, 50), outer));
    EXPECT_FALSE(RectInRect(Rect(-1, 10, 50, 50), outer));
}

TEST(RectHelpers, MoveEdgesSizeRotationAndExtremes) {
    TRect r = Rect(10, 20, 30, 40);
    MoveEdges(r, -1, -2, 3, 4);
    EXPECT_EQ(r, Rect(9, 18, 34, 43));
    int w = 0, h = 0;
    RectSize(r, w, h);
    EXPECT_EQ(w, 25);
    EXPECT_EQ(h, 25);

    TRect rot = Rect(5, 5, 105, 55);
    RotatedBounds(rot, 0);
    EXPECT_EQ(rot, Rect(5, 5, 105, 55));
    RotatedBounds(rot, 90);
    EXPECT_EQ(rot, Rect(0, 0, 50, 100));
    TRect diag = Rect(0, 0, 100, 100);
    RotatedBounds(diag, 45);
    EXPECT_EQ(diag, Rect(0, 0, 141, 141));

    EXPECT_EQ(MaxOf(std::vector<int>{3, -7, 12, 5}), 12);
    EXPECT_EQ(MinOf(std::vector<int>{3, -7, 12, 5}), -7);
    EXPECT_DOUBLE_EQ(MinOf(std::vector<double>{2.5, -0.5, 1.0}), -0.5);
}

struct PlaceCase {
    TStyDlgPosition Position;
    TRect Ref;
    TPoint Expected;
};

TEST(WindowPlacement, PositionsInsideReferenceAndScreen) {
    SetPlacementScreenSize(1000, 800);
    const PlaceCase cases[] = {
        {bpTopLeft, Rect(100, 100, 500, 400), Point(100, 100)},
        {bpCustom, Rect(100, 100, 500, 400), Point(100, 100)},
        {bpTopCenter, Rect(100, 100, 500, 400), Point(250, 100)},
        {bpTopRight, Rect(100, 100, 500, 400), Point(400, 100)},
        {bpCenterLeft, Rect(100, 100, 500, 400), Point(100, 200)},
        {bpCenter, Rect(100, 100, 500, 400), Point(250, 200)},
        {bpCenterRight, Rect(100, 100, 500, 400), Point(400, 200)},
        {bpBottomLeft, Rect(100, 100, 500, 400), Point(100, 300)},
        {bpBottomCenter, Rect(100, 100, 500, 400), Point(250, 300)},
        // Flush in the screen's corner when the reference reaches it.
        {bpBottomRight, Rect(0, 0, 1000, 800), Point(900, 700)},
        // A reference hanging over the screen's edge does not take the
        // dialog off the screen.
        {bpBottomRight, Rect(600, 500, 1200, 1000), Point(900, 700)},
        // Negative coordinates become 0.
        {bpTopLeft, Rect(-50, -30, 300, 300), Point(0, 0)},
        {bpCenter, Rect(0, 0, 50, 50), Point(0, 0)},
    };
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 100);
    for (const auto& c : cases) {
        PlaceWindow(&form, c.Ref, c.Position);
        EXPECT_EQ(Point(form.Left(), form.Top()), c.Expected) << static_cast<int>(c.Position);
        EXPECT_EQ(form.Width(), 100);
        EXPECT_EQ(form.Height(), 100);
    }
    SetPlacementScreenSize(0, 0);
}

TEST(WindowPlacement, ReferenceFallsBackToWorkAreaWithoutForms) {
    TScratchApplication scratch;
    ASSERT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(GetReferenceRect(brMainForm), Screen->WorkAreaRect());
    TForm* form = Application->CreateForm<TForm>();
    form->SetBounds(40, 50, 300, 200);
    EXPECT_EQ(GetReferenceRect(brMainForm), Rect(40, 50, 340, 250));
    delete form;
    EXPECT_EQ(GetReferenceRect(brMainForm), Screen->WorkAreaRect());
}

TEST(CaptionRects, SizeableAndToolWindows) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    TRect win, cap;
    int flags = 0;
    GetCaptionRects(&form, win, cap, flags);
    EXPECT_EQ(win, Rect(0, 0, 300, 200));
    EXPECT_EQ(flags & crfHasIcon, crfHasIcon);
    EXPECT_EQ(flags & crfSmallCaption, 0);
    const int frame = GetFrameWidth();
    EXPECT_EQ(cap.Left, frame);
    EXPECT_EQ(cap.Right, 300 - frame);
    EXPECT_EQ(cap.Height(), GetCaptionHeight() - 1);

    // Excluding the buttons and the icon narrows it from both sides.
    TRect narrow;
    flags = crfExcludeButtons | crfExcludeIcon;
    GetCaptionRects(&form, win, narrow, flags);
    EXPECT_GT(narrow.Left, cap.Left);
    EXPECT_EQ(narrow.Right, cap.Right - 3 * GetCaptionButtonWidth() - 2);

    form.SetBorderStyle(bsToolWindow);
    flags = 0;
    GetCaptionRects(&form, win, cap, flags);
    EXPECT_EQ(flags & (crfSmallCaption | crfHasIcon), crfSmallCaption);
    EXPECT_EQ(cap.Height(), GetSmallCaptionHeight() - 1);

    form.SetBorderStyle(bsNone);
    flags = 0;
    GetCaptionRects(&form, win, cap, flags);
    EXPECT_TRUE(cap.IsEmpty());
}

TEST(ZoomEffects, FramesGrowToTheTarget) {
    const TRect target = Rect(100, 50, 300, 250);
    const auto frames = ZoomFrames(target, 0, 0, 10);
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames.back(), target);
    EXPECT_EQ(frames.front(), Rect(10, 5, 30, 25));
    for (size_t i = 1; i < frames.size(); ++i) EXPECT_GT(frames[i].Width(), frames[i - 1].Width());
    EXPECT_EQ(ZoomFrames(target, 0, 0, 3).size(), 40u);  // too few steps: the default

    const auto ext = ZoomFramesExt(target, 0, 0, 10, 20, 40);
    ASSERT_EQ(ext.size(), 40u);
    EXPECT_EQ(ext[19], Rect(200, 150, 201, 151));  // the midpoint
    EXPECT_EQ(ext.back(), Rect(110, 70, 290, 230));
}

TEST(ZoomEffects, EachFrameIsDrawnThenErased) {
    TForm form(nullptr);
    form.SetBounds(100, 100, 200, 100);
    std::vector<TRect> drawn;
    std::vector<int> delays;
    SetZoomFrameDrawer([&](const TRect& r, int delay) {
        drawn.push_back(r);
        delays.push_back(delay);
    });
    ZoomRects(&form, 0, 0, 0, 8);
    SetZoomFrameDrawer(nullptr);
    ASSERT_EQ(drawn.size(), 16u);
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(drawn[i], drawn[i + 8]);
    EXPECT_EQ(drawn[7], Rect(100, 100, 300, 200));
    EXPECT_EQ(delays.front(), 1);  // a delay below 1 becomes 1
    // Back to the screen's outlines, the test's drawer gets nothing more.
    ZoomRects(&form, 0, 0, 1, 8);
    EXPECT_EQ(drawn.size(), 16u);
}

TEST(DateList, CopiesInAndOut) {
    TStyDateList list;
    TStyDateRecord rec;
    rec.Date = 36630.0;
    rec.Text = String(50, 'x');
    rec.Flag1 = 7;
    EXPECT_EQ(list.Add(rec), 0);
    rec.Text = "second";
    EXPECT_EQ(list.Add(rec), 1);

    TStyDateRecord got;
    ASSERT_TRUE(list.GetItem(0, got));
    EXPECT_EQ(got.Text, String(40, 'x'));
    EXPECT_EQ(got.Flag1, 7);
    EXPECT_DOUBLE_EQ(got.Date, 36630.0);

    TStyDateRecord untouched;
    untouched.Text = "keep";
    EXPECT_FALSE(list.GetItem(2, untouched));
    EXPECT_FALSE(list.GetItem(-1, untouched));
    EXPECT_EQ(untouched.Text, "keep");
}

TEST(DateList, CaptionsAreCutByCharactersNotBytes) {
    TStyDateList list;
    // 39 letters and a two-byte one fill the 40 characters; the next goes.
    const String umlaut = "\xC3\xBC";
    list.Add({1.0, String(39, 'a') + umlaut + "b"});
    TStyDateRecord got;
    ASSERT_TRUE(list.GetItem(0, got));
    EXPECT_EQ(got.Text, String(39, 'a') + umlaut);
}

TEST(DateList, StoredFormRoundTripsAndRefusesWhatItIsNot) {
    TStyDateList list;
    list.Add({36630.75, "Good Friday"});
    list.Add({-2.5, "it's\ntwo lines"});
    list.Add({0.1 + 0.2, ""});
    const String stored = list.StoredText();
    EXPECT_EQ(stored, "(36630.75 'Good Friday' -2.5 'it''s'#10'two lines' 0.30000000000000004 '')");
    TStyDateList back;
    back.ReadStoredText(stored);
    EXPECT_EQ(back.StoredText(), stored);
    TStyDateRecord r;
    ASSERT_TRUE(back.GetItem(2, r));
    EXPECT_EQ(r.Date, 0.1 + 0.2);  // the value exactly, not a rounding of it

    // Captions read in are cut as added ones are; an empty list is "()".
    back.ReadStoredText("( 1 '" + String(45, 'y') + "' )");
    ASSERT_TRUE(back.GetItem(0, r));
    EXPECT_EQ(r.Text, String(40, 'y'));
    EXPECT_EQ(TStyDateList().StoredText(), "()");

    for (const char* bad : {"", "1 'x'", "(1 'x'", "(1 x)", "('x')", "(1 'x) ", "(nan 'x')", "(1 'x') tail",
                            "(1 #300)"}) {
        TStyDateList kept;
        kept.Add({5.0, "kept"});
        EXPECT_THROW(kept.ReadStoredText(bad), EConvertError) << bad;
        EXPECT_EQ(kept.Count(), 1) << bad;
    }
}

TEST(IniCtrl, SetterRules) {
    TStyIniCtrl ini(nullptr);
    EXPECT_EQ(ini.MaxEntries(), 16);
    EXPECT_EQ(ini.IniPrefix(), ppWindows);
    EXPECT_EQ(ini.EffectiveTarget(), itRegistry);
    ini.SetTarget(itIniFile);
    EXPECT_EQ(ini.EffectiveTarget(), itIniFile);

    struct Case {
        const char* In;
        const char* Stored;
    } names[] = {{"velmor", "velmor.INI"}, {"velmor.cfg", "velmor.cfg"}, {"/etc/x.d/app", "/etc/x.d/app.INI"}, {"", ""}};
    for (const auto& c : names) {
        ini.SetIniFile(c.In);
        EXPECT_EQ(ini.IniFile(), c.Stored) << c.In;
    }

    ini.SetMaxEntries(40);
    ini.SetAlphaCounter(true);
    EXPECT_EQ(ini.MaxEntries(), 26);
    ini.SetMaxEntries(30);
    EXPECT_EQ(ini.MaxEntries(), 26);
    ini.SetMaxEntries(20);
    EXPECT_EQ(ini.MaxEntries(), 20);
    ini.SetAlphaCounter(false);
    ini.SetMaxEntries(30);
    EXPECT_EQ(ini.MaxEntries(), 30);

    ini.SetNetUser(true);
    EXPECT_EQ(ini.User(), GetNetUserName());
}

}  // namespace
