#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include <sys/stat.h>

#include "framework/controls/DialogScript.h"
#include "framework/controls/Form.h"
#include "framework/messages/MessageQueue.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "framework/system/ShellOpener.h"
#include "toolbars/ATCommon.h"
#include "toolbars/ATShowURLButton.h"
#include "toolbars/TbBlinkingControlsList.h"
#include "toolbars/TbLabel.h"
#include "toolbars/TbURLLabel.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Timer.h"
#include "framework/rtl/FileUtils.h"
#include "support/TempDir.h"

namespace {

TSize TextSize(TFont* font, const String& text) {
    TBitmap b(1, 1);
    b.Canvas()->Font()->Assign(font);
    TRect r;
    DrawText(b.Canvas(), text, r, DT_CALCRECT | DT_EXPANDTABS);
    return {r.Width(), r.Height()};
}

// Records what would have been handed to the desktop.
struct TOpenerScope {
    std::vector<String> Opened;
    bool Answer = true;
    TOpenerScope() {
        SetShellOpenHook([this](const String& a) {
            Opened.push_back(a);
            return Answer;
        });
    }
    ~TOpenerScope() { SetShellOpenHook(nullptr); }
};

}  // namespace

TEST(Label, AngleAndRotationSetters) {
    // Each case starts from a label turned 30 degrees about its lower right
    // corner, optionally while it is being loaded, and sets one value.
    struct TCase {
        const char* Name;
        bool Loading;
        bool SetsAngle;  // else it sets Rotation
        int Angle;
        TRotation Rotation;
        int WantAngle;
        TRotation WantRotation;
        TCenterPoint WantCentre;
    };
    const std::vector<TCase> cases = {
        {"-30 turns once", false, true, -30, roCurve, 330, roCurve, cpLowerRight},
        {"-400 turns only once", false, true, -400, roCurve, -40, roCurve, cpLowerRight},
        {"450 within a turn", false, true, 450, roCurve, 90, roCurve, cpLowerRight},
        {"360 is level", false, true, 360, roCurve, 0, roCurve, cpLowerRight},
        {"-720 turns once", false, true, -720, roCurve, -360, roCurve, cpLowerRight},
        {"45 as it is", false, true, 45, roCurve, 45, roCurve, cpLowerRight},
        {"flat starts level about the centre", false, false, 0, roFlat, 0, roFlat, cpCenter},
        {"none is level", false, false, 0, roNone, 0, roNone, cpLowerRight},
        {"loading level keeps a stored angle", true, false, 0, roNone, 30, roNone, cpLowerRight},
        {"loading flat keeps angle and centre", true, false, 0, roFlat, 30, roFlat, cpLowerRight},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTbLabel label(nullptr);
        label.SetRotation(roCurve);
        label.SetCenterPoint(cpLowerRight);
        label.SetAngle(30);
        if (c.Loading) label.SetLoading(true);
        if (c.SetsAngle) {
            label.SetAngle(c.Angle);
        } else {
            label.SetRotation(c.Rotation);
        }
        EXPECT_EQ(label.Angle(), c.WantAngle);
        EXPECT_EQ(label.Rotation(), c.WantRotation);
        EXPECT_EQ(label.CenterPoint(), c.WantCentre);
    }
    // A level label given an angle turns flat and keeps it; a turned text
    // needs an outline face.
    TTbLabel level(nullptr);
    level.SetAngle(-30);
    EXPECT_EQ(level.Rotation(), roFlat);
    EXPECT_EQ(level.Angle(), 330);
    EXPECT_EQ(level.Font()->Name(), "Arial");
    // Loaded with an angle but no rotation: turned flat, the angle kept.
    TTbLabel stored(nullptr);
    stored.SetLoading(true);
    stored.SetAngle(75);
    stored.SetRotation(roNone);
    stored.FinishLoading();
    EXPECT_EQ(stored.Angle(), 75);
    EXPECT_EQ(stored.Rotation(), roFlat);
}

TEST(Label, AutoSizeBoxCoversFrameShadowAndTurnedText) {
    struct TCase {
        const char* Name;
        TRotation Rotation;
        int Angle;
        TTextStyle Style;
        int BorderWidth;
        TFrameStyle Outer;
        TSides FrameSides;
    };
    const std::vector<TCase> cases = {
        {"Plain", roNone, 0, tsNormal, 0, TFrameStyle::fsNone, 0},
        {"Shadow", roNone, 0, tsShadow, 0, TFrameStyle::fsNone, 0},
        {"Framed", roNone, 0, tsRecessed, 2, TFrameStyle::fsRaised, sdLeft | sdTop},
        {"Turned30", roFlat, 30, tsNormal, 0, TFrameStyle::fsNone, 0},
        {"Turned90", roFlat, 90, tsNormal, 0, TFrameStyle::fsNone, 0},
        {"Turned135", roFlat, 135, tsNormal, 0, TFrameStyle::fsNone, 0},
        {"Turned200Shadow", roFlat, 200, tsShadow, 0, TFrameStyle::fsNone, 0},
        {"Turned300", roFlat, 300, tsNormal, 0, TFrameStyle::fsNone, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTbLabel label(nullptr);
        label.Font()->SetName("Arial");
        label.SetTextStyle(c.Style);
        label.SetRotation(c.Rotation);
        label.SetAngle(c.Angle);
        label.SetBorderWidth(c.BorderWidth);
        label.SetBorderOuter(c.Outer);
        label.SetFrameSides(c.FrameSides);
        label.SetCaption("Keywords");
        const TSize t = TextSize(label.Font(), "Keywords");
        double w = t.cx, h = t.cy;
        const int sd = label.ShadowDepth();
        if (c.Rotation == roFlat) {
            if (c.Style == tsShadow) w += sd / 2, h += sd / 2;
            const double a = c.Angle * M_PI / 180;
            const double nw = std::fabs(std::cos(a)) * w + std::fabs(std::sin(a)) * h;
            const double nh = std::fabs(std::sin(a)) * w + std::fabs(std::cos(a)) * h;
            w = std::round(nw), h = std::round(nh);
            EXPECT_GT(w, 0);
            EXPECT_GT(h, 0);
        } else if (c.Style == tsShadow) {
            w += sd, h += sd;
        }
        const int edge = 2 * (c.Outer == TFrameStyle::fsNone ? 0 : 2) + 2 * c.BorderWidth;
        const int frame = (c.FrameSides & sdLeft ? 1 : 0);
        const int frameH = (c.FrameSides & sdTop ? 1 : 0);
        EXPECT_EQ(label.Width(), static_cast<int>(w) + edge + frame);
        EXPECT_EQ(label.Height(), static_cast<int>(h) + edge + frameH);
    }
}

TEST(Label, RightAlignedAutoSizeKeepsTheRightEdge) {
    TTbLabel label(nullptr);
    label.SetAlignment(taRightJustify);
    label.SetCaption("a");
    label.SetBounds(100, 0, label.Width(), label.Height());
    const int right = label.Left() + label.Width();
    label.SetCaption("a much longer text");
    EXPECT_EQ(label.Left() + label.Width(), right);
}

TEST(Label, CurveGeometryAndNothingDrawnWithoutRadius) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* label = new TTbLabel(form.get());
    label->SetParent(form.get());
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 10, 60);
    label->SetColor(clWhite);
    label->SetTextStyle(tsNormal);
    label->Font()->SetColor(clBlack);
    label->SetRotation(roCurve);
    label->SetBorderWidth(3);
    label->SetCaption("Curved");
    TPoint c;
    int rx = 0, ry = 0;
    label->CurveGeometry(c, rx, ry);
    EXPECT_EQ(c, Point(5, 30));
    EXPECT_EQ(rx, 5 - 6);
    EXPECT_EQ(ry, 30 - 6);
    TBitmap bmp(10, 60);
    label->PaintTo(bmp.Canvas(), 0, 0);
    int ink = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 10; ++x)
            if (bmp.Canvas()->Pixels(x, y) == clBlack) ++ink;
    EXPECT_EQ(ink, 0);
    label->SetCenterPoint(cpLowerCenter);
    label->CurveGeometry(c, rx, ry);
    EXPECT_EQ(c, Point(5, 57));
    EXPECT_EQ(ry, 54);
}

TEST(Label, BlinkTicksShowTheBlinkColourInStepAndStopRestores) {
    TTbLabel a(nullptr), b(nullptr), quiet(nullptr);
    auto* list = TTbBlinkingControlsList::Instance();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 3);
    a.Font()->SetColor(clNavy);
    a.SetBlinking(true);
    b.SetBlinking(true);
    a.SetBlinkColor(clRed);
    a.SetBlinkIntervalOn(300);
    EXPECT_EQ(b.BlinkIntervalOn(), 300);  // shared by every label
    const TColor normalB = b.DrawnColor();
    struct TTick {
        TColor A;
        unsigned Interval;
    };
    // The list starts in the blink phase: the first tick turns it off.
    for (const TTick& t : {TTick{clNavy, 500u}, TTick{clRed, 300u}, TTick{clNavy, 500u}, TTick{clRed, 300u}}) {
        list->Tick();
        EXPECT_EQ(a.DrawnColor(), t.A);
        EXPECT_EQ(b.DrawnColor() == normalB, t.A == clNavy);
        EXPECT_EQ(list->Timer()->Interval(), t.Interval);
        EXPECT_EQ(quiet.DrawnColor(), quiet.Font()->Color());
    }
    a.SetBlinking(false);
    EXPECT_EQ(a.DrawnColor(), clNavy);
    list->Tick();
    list->Tick();
    EXPECT_EQ(a.DrawnColor(), clNavy);
    a.SetBlinkIntervalOn(500);
}

TEST(Label, BlinkingListGoesWithTheLastLabel) {
    {
        TTbLabel a(nullptr);
        a.SetBlinkIntervalOff(100);
        EXPECT_EQ(TTbBlinkingControlsList::Instance()->BlinkIntervalOff(), 100);
    }
    EXPECT_EQ(TTbBlinkingControlsList::Instance(), nullptr);
    TTbLabel fresh(nullptr);
    EXPECT_EQ(fresh.BlinkIntervalOff(), 500);
    EXPECT_EQ(fresh.BlinkIntervalOn(), 500);
}

TEST(Label, FlyByColourWhileTheMouseIsOver) {
    TTbLabel label(nullptr);
    label.Font()->SetColor(clGreen);
    label.SetFlyByEnabled(true);
    int enters = 0;
    label.OnMouseEnter = [&](TObject*) {
        ++enters;
        EXPECT_EQ(label.Font()->Color(), clHighlight);
    };
    label.Perform(CM_MOUSEENTER);
    EXPECT_EQ(enters, 1);
    label.Perform(CM_MOUSELEAVE);
    EXPECT_EQ(label.Font()->Color(), clGreen);
}

TEST(Label, PaintsRecessedTextAndItsFrame) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* label = new TTbLabel(form.get());
    label->SetParent(form.get());
    label->SetColor(clWhite);
    label->Font()->SetColor(clBlack);
    label->SetBorderOuter(TFrameStyle::fsFlat);
    label->SetFlatColor(clRed);
    label->SetCaption("WWW");
    TBitmap bmp(label->Width(), label->Height());
    label->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clRed);
    const TRect inside = Rect(1, 1, label->Width() - 1, label->Height() - 1);
    int black = 0, shadow = 0;
    for (int y = inside.Top; y < inside.Bottom; ++y)
        for (int x = inside.Left; x < inside.Right; ++x) {
            const TColor p = bmp.Canvas()->Pixels(x, y);
            if (p == clBlack) ++black;
            if (p == ColorToRGB(clBtnShadow)) ++shadow;
        }
    EXPECT_GT(black, 5);
    EXPECT_GT(shadow, 0);  // the recessed edge
}

TEST(URLLabel, OpensTrimmedAddressOrCaptionAndMarksVisited) {
    TOpenerScope opener;
    TTbURLLabel label(nullptr);
    EXPECT_EQ(label.Font()->Color(), clHighlight);
    EXPECT_TRUE(label.Font()->Style() & fsUnderline);
    EXPECT_EQ(label.TextStyle(), tsNormal);
    int clicks = 0;
    label.OnClick = [&](TObject*) { ++clicks; };
    label.URL = "  https://example.org/thesaurus  ";
    label.Click();
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(opener.Opened.size(), 1u);
    EXPECT_EQ(opener.Opened[0], "https://example.org/thesaurus");
    EXPECT_TRUE(label.Visited());
    EXPECT_EQ(label.Font()->Color(), TColor(0x800080));
    TTbURLLabel byCaption(nullptr);
    byCaption.SetCaption("www.example.org");
    EXPECT_TRUE(byCaption.Open());
    EXPECT_EQ(opener.Opened.back(), "http://www.example.org");
}

// A web page the desktop cannot open lets the user pick a program, which
// gets the target as its one argument with no shell between; anything
// else that fails says nothing.
TEST(URLLabel, FailedWebPageOffersAProgramOtherFailuresAreSilent) {
    TTempDir scratch;
    const String seen = PathJoin(scratch.Path(), "arguments");
    const String program = PathJoin(scratch.Path(), "browser");
    SafeWriteFile(program, "#!/bin/sh\n{ echo \"$#\"; printf '%s\\n' \"$@\"; } > '" + seen + ".part'\nmv '" + seen +
                               ".part' '" + seen + "'\n");
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    TOpenerScope opener;
    opener.Answer = false;
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 300, 100);
    auto* label = new TTbURLLabel(form.get());
    label->SetParent(form.get());
    label->SetBounds(10, 10, 200, 20);
    label->SetAutoSize(false);
    form->Show();
    struct TCase {
        const char* Target;
        bool Offered;
    };
    const std::vector<TCase> cases = {
        {"http://example.org/Index.HTM", true},          // the desktop failed
        {"no such page.htm", true},                      // refused: no address
        {"pages/a b;$(touch x)'.htm", true},             // reaches the program as it is
        {"http://example.org/page.html", false},
        {"http://example.org/", false},
        {"calc.exe", false},
        {"javascript:alert(1)", false},
        {"/bin/sh -c ls", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Target);
        DeleteFile(seen);
        TDialogScript script;
        if (c.Offered) script.AnswerFiles({program});
        label->URL = c.Target;
        SimulateClick(label, 5, 5);
        EXPECT_FALSE(label->Visited());
        ASSERT_EQ(script.Shown().size(), c.Offered ? 1u : 0u);
        if (!c.Offered) continue;
        EXPECT_EQ(script.Shown()[0].Kind, "TOpenDialog");
        WaitForShellOpenChildren();
        ASSERT_TRUE(FileExists(seen));
        EXPECT_EQ(ReadFileToString(seen), "1\n" + String(c.Target) + "\n");
    }
    // The choice is not kept: the next failure asks again, and a cancelled
    // choice starts nothing.
    DeleteFile(seen);
    TDialogScript script;
    script.Answer(mrCancel);
    label->URL = "http://example.org/Index.htm";
    SimulateClick(label, 5, 5);
    ASSERT_EQ(script.Shown().size(), 1u);
    WaitForShellOpenChildren();
    EXPECT_FALSE(FileExists(seen));
    // A chosen file that cannot be started says so.
    const String notAProgram = PathJoin(scratch.Path(), "notes.txt");
    SafeWriteFile(notAProgram, "not a program\n");
    script.AnswerFiles({notAProgram}).Answer(mrOk);
    SimulateClick(label, 5, 5);
    ASSERT_EQ(script.Shown().size(), 3u);
    EXPECT_EQ(script.Shown()[2].Text, notAProgram + " could not be started.");
}

// The desktop's opener starts but gives up later: the choice comes then.
TEST(URLLabel, OpenerThatGivesUpLaterOffersAProgram) {
    TTempDir scratch;
    const String seen = PathJoin(scratch.Path(), "arguments");
    const String program = PathJoin(scratch.Path(), "browser");
    SafeWriteFile(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + seen + ".part'\nmv '" + seen + ".part' '" +
                               seen + "'\n");
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    const String failing = PathJoin(scratch.Path(), "opener");
    SafeWriteFile(failing, "#!/bin/sh\nexit 3\n");
    ASSERT_EQ(::chmod(failing.c_str(), 0755), 0);
    SetShellOpenProgram(failing);
    TTbURLLabel label(nullptr);
    TDialogScript script;
    script.AnswerFiles({program});
    label.URL = "http://example.org/news.htm";
    EXPECT_TRUE(label.Open());  // the opener started
    EXPECT_TRUE(PumpMessagesUntil([&] { return !script.Shown().empty(); }, 10000));
    WaitForShellOpenChildren();
    ASSERT_TRUE(FileExists(seen));
    EXPECT_EQ(ReadFileToString(seen), "http://example.org/news.htm\n");
    // A page that opened asks nothing.
    SafeWriteFile(failing, "#!/bin/sh\nexit 0\n");
    label.URL = "http://example.org/other.htm";
    EXPECT_TRUE(label.Open());
    WaitForShellOpenChildren();
    ProcessMessages();
    EXPECT_EQ(script.Shown().size(), 1u);
    SetShellOpenProgram(String());
}

TEST(OpenURL, AddressesThatMayBeOpened) {
    TTempDir scratch;
    const String doc = PathJoin(scratch.Path(), "velmor open test.htm");
    SafeWriteFile(doc, "<html></html>");
    struct TCase {
        String In, Out;
    };
    const std::vector<TCase> cases = {
        {"http://example.org/a", "http://example.org/a"},
        {" HTTPS://example.org ", "HTTPS://example.org"},
        {"ftp://ftp.example.org/lists.txt", "ftp://ftp.example.org/lists.txt"},
        {"mailto:someone@example.org", "mailto:someone@example.org"},
        {"www.example.org", "http://www.example.org"},
        {doc, "file://" + PathJoin(scratch.Path(), "velmor%20open%20test.htm")},
        {"no such file.htm", ""},
        {"javascript:void(0)", ""},
        {"notepad.exe page.htm", ""},
        {"http://a\nb", ""},
        {"", ""},
    };
    for (const TCase& c : cases) EXPECT_EQ(OpenableAddress(c.In), c.Out) << c.In;
}

TEST(URLButton, OpensTheAssociateTextOrItsURL) {
    TOpenerScope opener;
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* button = new TATShowURLButton(form.get());
    button->SetParent(form.get());
    EXPECT_EQ(button->Caption(), "Show");
    EXPECT_EQ(button->Width(), 75);
    EXPECT_EQ(button->Height(), 25);
    button->URL = "http://example.org/url";
    button->Click();
    EXPECT_TRUE(button->Clicked());
    ASSERT_EQ(opener.Opened.size(), 1u);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    button->SetAssociate(edit);
    button->Click();  // an empty associate opens nothing, even with a URL
    EXPECT_EQ(opener.Opened.size(), 1u);
    edit->SetText("https://example.org/edit");
    button->Click();
    EXPECT_EQ(opener.Opened.back(), "https://example.org/edit");
    String failed;
    button->OnOpenFailed = [&](TObject*, const String& a) { failed = a; };
    edit->SetText("cmd.exe /c del");
    button->Click();
    EXPECT_EQ(failed, "cmd.exe /c del");
    delete edit;
    EXPECT_EQ(button->Associate(), nullptr);
}

// A turned label's box holds all of its text: as much ink as the level
// text, and the ink spans the box along the turned direction.
TEST(Label, TurnedTextFitsItsAutoSizedBox) {
    auto inkOf = [](int angle, TRect& inkBox, TSize& size) {
        std::unique_ptr<TForm> form(new TForm(nullptr));
        auto* label = new TTbLabel(form.get());
        label->SetParent(form.get());
        label->Font()->SetName("Arial");
        label->Font()->SetSize(12);
        label->Font()->SetColor(clBlack);
        label->SetColor(clWhite);
        label->SetTextStyle(tsNormal);
        label->SetAngle(angle);
        label->SetCaption("Metadata");
        size = {label->Width(), label->Height()};
        TBitmap bmp(size.cx, size.cy);
        label->PaintTo(bmp.Canvas(), 0, 0);
        int ink = 0;
        inkBox = Rect(size.cx, size.cy, 0, 0);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                if (bmp.Canvas()->Pixels(x, y) == clBlack) {
                    ++ink;
                    inkBox.Left = std::min(inkBox.Left, x);
                    inkBox.Top = std::min(inkBox.Top, y);
                    inkBox.Right = std::max(inkBox.Right, x + 1);
                    inkBox.Bottom = std::max(inkBox.Bottom, y + 1);
                }
        return ink;
    };
    TRect levelBox, box;
    TSize levelSize, size;
    const int level = inkOf(0, levelBox, levelSize);
    ASSERT_GT(level, 50);
    for (int angle : {90, 180, 270, 30, 135}) {
        SCOPED_TRACE(angle);
        const int ink = inkOf(angle, box, size);
        EXPECT_GT(ink, level * 7 / 10);
        if (angle == 90 || angle == 270) {
            EXPECT_EQ(size.cx, levelSize.cy);
            EXPECT_EQ(size.cy, levelSize.cx);
            EXPECT_GT(box.Height(), size.cy * 3 / 4);
        }
    }
}

// Along a right angle, a left-aligned text starts where the text begins:
// at the bottom when it runs upward, at the top when it runs downward.
TEST(Label, TurnedTextAlignsAlongItsDirection) {
    struct TCase {
        int Angle;
        TAlignment Alignment;
        bool NearTop;
    };
    for (const TCase& c : {TCase{90, taLeftJustify, false}, TCase{90, taRightJustify, true},
                           TCase{270, taLeftJustify, true}, TCase{270, taRightJustify, false}}) {
        SCOPED_TRACE(c.Angle);
        std::unique_ptr<TForm> form(new TForm(nullptr));
        auto* label = new TTbLabel(form.get());
        label->SetParent(form.get());
        label->SetAutoSize(false);
        label->Font()->SetName("Arial");
        label->Font()->SetColor(clBlack);
        label->SetColor(clWhite);
        label->SetTextStyle(tsNormal);
        label->SetAlignment(c.Alignment);
        label->SetAngle(c.Angle);
        label->SetCaption("Ab");
        label->SetBounds(0, 0, 30, 200);
        TBitmap bmp(30, 200);
        label->PaintTo(bmp.Canvas(), 0, 0);
        int top = 200, bottom = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 30; ++x)
                if (bmp.Canvas()->Pixels(x, y) == clBlack) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_LT(top, bottom);
        if (c.NearTop)
            EXPECT_LT(bottom, 60);
        else
            EXPECT_GT(top, 140);
    }
}
