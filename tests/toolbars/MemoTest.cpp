#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/classes/Strings.h"
#include "framework/controls/Form.h"
#include "framework/controls/Memo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "toolbars/TbFrameController.h"
#include "toolbars/TbMemo.h"
#include "framework/controls/EditMessages.h"

namespace {

struct TMemoFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TTbMemo* Memo = nullptr;
    std::vector<TPoint> Moves;  // line, column reported
    void SetUp() override {
        Memo = new TTbMemo(Form.get());
        Memo->SetParent(Form.get());
        Memo->SetBounds(0, 0, 200, 100);
        Memo->SetText("abc\r\ndefgh\r\n\r\nxy");
        Memo->OnLineColChange = [this](TObject*, int line, int col) { Moves.push_back(Point(line, col)); };
    }
};

}  // namespace

TEST_F(TMemoFixture, LineAndColumnOfTheCaret) {
    struct TCase {
        int SelStart, Line, Column;
    };
    for (const TCase& c : {TCase{0, 1, 1}, TCase{3, 1, 4}, TCase{5, 2, 1}, TCase{9, 2, 5}, TCase{12, 3, 1},
                           TCase{14, 4, 1}, TCase{16, 4, 3}}) {
        Memo->SetSelStart(c.SelStart);
        EXPECT_EQ(Memo->GetLine(), c.Line) << c.SelStart;
        EXPECT_EQ(Memo->GetColumn(), c.Column) << c.SelStart;
    }
}

TEST_F(TMemoFixture, SetColumnAndSetLineMoveTheCaretAndReport) {
    Moves.clear();
    Memo->SetSelStart(5);
    Memo->SetColumn(6);  // just after the last character of "defgh"
    EXPECT_EQ(Memo->SelStart(), 10);
    Memo->SetColumn(7);  // beyond: nothing, not even a report
    EXPECT_EQ(Memo->SelStart(), 10);
    Memo->SetLine(4);
    EXPECT_EQ(Memo->SelStart(), 14);
    EXPECT_EQ(Memo->SelLength(), 0);
    EXPECT_EQ(Moves, (std::vector<TPoint>{{2, 6}, {4, 1}}));
    Memo->SetLine(9);  // past the last line: to the end, quietly
    EXPECT_EQ(Memo->SelStart(), Memo->GetTextLen());
    EXPECT_EQ(Moves.size(), 2u);
}

TEST_F(TMemoFixture, TextChangeReportsCaretAndClipboard) {
    int clipboard = 0;
    bool hadSelection = true;
    Memo->OnClipboardChange = [&](TObject*, bool sel, bool) {
        ++clipboard;
        hadSelection = sel;
    };
    Moves.clear();
    Memo->SetText("one");
    EXPECT_FALSE(Moves.empty());
    EXPECT_GT(clipboard, 0);
    EXPECT_FALSE(hadSelection);
}

TEST_F(TMemoFixture, FlatLookFollowsMouseAndFocus) {
    Memo->SetFrameFlat(true);
    EXPECT_TRUE(Memo->FrameVisible());
    EXPECT_EQ(Memo->FrameStyle(), TFrameStyle::fsStatus);
    struct TStep {
        UINT Msg;
        TFrameStyle Style;
    };
    const TStep steps[] = {
        {CM_MOUSEENTER, TFrameStyle::fsLowered}, {CM_MOUSELEAVE, TFrameStyle::fsStatus},
        {CM_ENTER, TFrameStyle::fsLowered},      {CM_MOUSEENTER, TFrameStyle::fsLowered},
        {CM_MOUSELEAVE, TFrameStyle::fsLowered}, {CM_EXIT, TFrameStyle::fsStatus},
    };
    for (const TStep& s : steps) {
        Memo->Perform(s.Msg);
        EXPECT_EQ(Memo->FrameStyle(), s.Style) << "after " << s.Msg;
    }
}

TEST_F(TMemoFixture, FramePaintsBandAndStyle) {
    Memo->SetColor(clYellow);
    Memo->SetFrameVisible(true);
    Memo->SetFrameColor(clRed);
    TBitmap bmp(200, 100);
    Memo->PaintFrame(bmp.Canvas());
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 50), clRed);
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 50), clYellow);
    EXPECT_EQ(bmp.Canvas()->Pixels(2, 50), clWhite);
    Memo->SetFrameStyle(TFrameStyle::fsLowered);
    Memo->PaintFrame(bmp.Canvas());
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 50), ColorToRGB(clBtnShadow));
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 50), ColorToRGB(clBtnText));
}

TEST_F(TMemoFixture, FrameShowsRoundTheTextOnScreen) {
    Memo->SetColor(clYellow);
    Memo->SetFrameColor(clRed);
    TBitmap bmp(200, 100);
    Memo->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_NE(bmp.Canvas()->Pixels(0, 50), clRed);  // no frame yet: the widget's own border
    Memo->SetFrameVisible(true);
    Memo->PaintTo(bmp.Canvas(), 0, 0);
    for (const TPoint& p : {Point(0, 50), Point(100, 0), Point(199, 50), Point(100, 99)})
        EXPECT_EQ(bmp.Canvas()->Pixels(p.X, p.Y), clRed) << p.X << "," << p.Y;
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 50), clYellow);
    EXPECT_EQ(bmp.Canvas()->Pixels(100, 1), clYellow);
    Memo->SetFrameStyle(TFrameStyle::fsLowered);
    Memo->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 50), ColorToRGB(clBtnShadow));
    Memo->SetFrameVisible(false);
    Memo->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_NE(bmp.Canvas()->Pixels(0, 50), ColorToRGB(clBtnShadow));
}

TEST_F(TMemoFixture, WheelScrollsByLinesAndEnterCanActAsTab) {
    Memo->SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
    auto top = [this] { return static_cast<int>(Memo->Perform(EM_GETFIRSTVISIBLELINE)); };
    auto wheel = [this](int delta, WPARAM keys) {
        return Memo->Perform(WM_MOUSEWHEEL, (static_cast<WPARAM>(static_cast<Word>(delta)) << 16) | keys);
    };
    EXPECT_EQ(top(), 0);
    EXPECT_EQ(wheel(-120, 0), 1);
    EXPECT_EQ(top(), 1);
    wheel(-120, MK_CONTROL);
    EXPECT_EQ(top(), 4);
    wheel(120, 0);
    EXPECT_EQ(top(), 3);
    Memo->SetLine(6);  // becomes the top line
    EXPECT_EQ(top(), 5);
    Memo->TabOnEnter = true;
    const String before = Memo->Text();
    Memo->Perform(WM_CHAR, '\r');
    EXPECT_EQ(Memo->Text(), before);
}

TEST(FrameController, PushesSettingsOnlyIntoControlsThatTakeThem) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* controller = new TTbFrameController(form.get());
    auto* memo = new TTbMemo(form.get());
    memo->SetParent(form.get());
    auto* refusing = new TTbMemo(form.get());
    refusing->SetParent(form.get());
    refusing->SetUseFrameController(false);
    auto* plain = new TMemo(form.get());
    plain->SetParent(form.get());
    const TColor plainColor = plain->Color();

    controller->SetFrameVisible(true);
    controller->SetColor(clInfoBk);
    memo->SetFrameController(controller);
    refusing->SetFrameController(controller);
    controller->AddControl(plain);
    EXPECT_EQ(controller->ControlCount(), 3);
    EXPECT_FALSE(memo->StoresFrameProperties());
    EXPECT_TRUE(memo->FrameVisible());
    EXPECT_EQ(memo->Color(), clInfoBk);
    EXPECT_FALSE(refusing->FrameVisible());
    EXPECT_EQ(plain->Color(), plainColor);

    controller->BeginUpdate();
    controller->SetFrameColor(clRed);
    controller->SetFrameSides(sdLeft);
    EXPECT_EQ(memo->FrameColor(), clBtnShadow);
    controller->EndUpdate();
    EXPECT_EQ(memo->FrameColor(), clRed);
    EXPECT_EQ(memo->FrameSides(), sdLeft);

    controller->SetFrameFlat(true);
    EXPECT_TRUE(controller->FrameVisible());
    EXPECT_EQ(controller->FrameSides(), AllSides);
    EXPECT_EQ(controller->FrameStyle(), TFrameStyle::fsStatus);
    EXPECT_TRUE(memo->FrameFlat());

    delete controller;
    EXPECT_EQ(memo->FrameController(), nullptr);
    EXPECT_TRUE(memo->StoresFrameProperties());

    // A controller of another owner: the memo still hears of its end.
    auto* foreign = new TTbFrameController(nullptr);
    memo->SetFrameController(foreign);
    delete foreign;
    EXPECT_EQ(memo->FrameController(), nullptr);
    auto* kept = new TTbFrameController(nullptr);
    memo->SetFrameController(kept);
    form.reset();  // the memo goes first and leaves the controller
    EXPECT_EQ(kept->ControlCount(), 0);
    delete kept;
}
