#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "framework/controls/Application.h"
#include "framework/controls/CustomControl.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageForm.h"
#include "framework/controls/ModalSeam.h"
#include "framework/controls/Screen.h"
#include "framework/testkit/SimulatedInput.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/Format.h"

namespace {
constexpr unsigned kWait = 10000;

class TPad : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

class Forms : public ::testing::Test {
protected:
    void SetUp() override { ClearShownDialogs(); }
    void TearDown() override { ClearShownDialogs(); }
};

}  // namespace

TEST_F(Forms, NestedModalFormsAnsweredByTheSeam) {
    std::unique_ptr<TForm> outer(new TForm(nullptr));
    std::unique_ptr<TForm> inner(new TForm(nullptr));
    outer->SetCaption("Outer");
    inner->SetCaption("Inner");
    std::vector<String> order;
    TModalResult innerResult = mrNone;
    TModalAnswer answer([&](TForm* f) {
        order.push_back(f->Caption());
        EXPECT_TRUE(f->Modal());
        EXPECT_TRUE(f->Visible());
        if (f == outer.get()) {
            innerResult = inner->ShowModal();
            f->SetModalResult(mrOk);
        } else {
            f->SetModalResult(mrYes);
        }
    });
    EXPECT_EQ(outer->ShowModal(), mrOk);
    EXPECT_EQ(innerResult, mrYes);
    EXPECT_EQ(order, (std::vector<String>{"Outer", "Inner"}));
    ASSERT_EQ(ShownDialogs().size(), 2u);
    EXPECT_EQ(ShownDialogs()[0].Caption, "Inner");
    EXPECT_EQ(ShownDialogs()[0].Result, mrYes);
    EXPECT_EQ(ShownDialogs()[1].Caption, "Outer");
    EXPECT_FALSE(outer->Visible());
    EXPECT_FALSE(outer->Modal());
    // Showing a visible form modally is refused.
    outer->Show();
    EXPECT_THROW(outer->ShowModal(), EInvalidOperation);
}

TEST_F(Forms, UnansweredModalFormCancels) {
    TModalAnswer answer([](TForm*) {});
    TForm form(nullptr);
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST_F(Forms, NestedModalLoopsRunWithoutTheSeam) {
    ASSERT_FALSE(ModalHandler());
    std::unique_ptr<TForm> a(new TForm(nullptr));
    std::unique_ptr<TForm> b(new TForm(nullptr));
    TModalResult inner = mrNone;
    // The second form is opened from a message that arrives while the first
    // one's loop runs, and closes itself the same way.
    HWND helper = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_USER) {
            inner = b->ShowModal();
            a->SetModalResult(inner == mrOk ? mrYes : mrNo);
        } else if (m.Msg == WM_USER + 1) {
            b->SetModalResult(mrOk);
        } else if (m.Msg == WM_TIMER) {  // a watchdog, so a broken loop fails instead of hanging
            a->SetModalResult(mrAbort);
            b->SetModalResult(mrAbort);
        }
    });
    SetTimer(helper, 1, kWait);
    a->OnShow = [&](TObject*) { PostMessage(helper, WM_USER); };
    b->OnShow = [&](TObject*) { PostMessage(helper, WM_USER + 1); };
    EXPECT_EQ(a->ShowModal(), mrYes);
    EXPECT_EQ(inner, mrOk);
    KillTimer(helper, 1);
    DeallocateHWnd(helper);
}

TEST_F(Forms, CloseAsksAndActsOnTheAnswer) {
    bool destroyed = false;
    auto* form = new TForm(nullptr);
    bool allow = false;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->Show();
    form->Close();
    EXPECT_TRUE(form->Visible());
    allow = true;
    form->Close();  // caFree: gone once the waiting messages are handled
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(PumpMessagesUntil([&] { return destroyed; }, kWait));
}

TEST_F(Forms, ExceptionInAClickHandlerEndsInTheErrorBox) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* pad = new TPad(form.get());
    pad->SetBounds(10, 10, 50, 30);
    pad->SetParent(form.get());
    pad->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
    form->Show();
    String boxCaption;
    TModalAnswer answer([&](TForm* box) {
        boxCaption = box->Caption();
        box->SetModalResult(mrOk);
    });
    SimulateClick(pad, 5, 5);
    ASSERT_EQ(ShownDialogs().size(), 1u);
    EXPECT_EQ(ShownDialogs()[0].ClassName, "TMessageForm");
    EXPECT_EQ(ShownDialogs()[0].Text, "'x' is not a valid integer value.");
    EXPECT_EQ(boxCaption, Application->Title());
    // The control lives on, and EAbort stays silent.
    int clicks = 0;
    pad->OnClick = [&](TObject*) {
        ++clicks;
        throw EAbort("quiet");
    };
    SimulateClick(pad, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ShownDialogs().size(), 1u);
}

TEST_F(Forms, OnExceptionReplacesTheErrorBox) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* pad = new TPad(form.get());
    pad->SetBounds(0, 0, 20, 20);
    pad->SetParent(form.get());
    pad->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw std::runtime_error("raw"); };
    form->Show();
    String seen;
    TObject* sender = pad;
    Application->OnException = [&](TObject* s, Exception& e) {
        seen = e.Message;
        sender = s;
    };
    SimulateClick(pad, 1, 1);
    Application->OnException = nullptr;
    EXPECT_EQ(seen, "raw");
    EXPECT_EQ(sender, nullptr);
    EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(Forms, ReplacedWindowProcSwallowsMessagesUntilRestored) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* pad = new TPad(form.get());
    pad->SetBounds(0, 0, 40, 40);
    pad->SetParent(form.get());
    int clicks = 0, downs = 0;
    pad->OnClick = [&](TObject*) { ++clicks; };
    pad->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    form->Show();
    std::vector<UINT> seen;
    TWndMethod old = pad->WindowProc;
    pad->WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONUP) return;
        old(m);
    };
    SimulateClick(pad, 3, 3);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(downs, 0);
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_LBUTTONDOWN), seen.end());
    // Messages sent to the handle go the same way.
    SendMessage(pad->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 3));
    EXPECT_EQ(downs, 0);
    pad->WindowProc = old;
    SimulateClick(pad, 3, 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 1);
    // Subclassing by handle is the same hook.
    std::vector<UINT> byHandle;
    TWndMethod previous = SetWindowProc(pad->Handle(), [&](TMessage& m) {
        byHandle.push_back(m.Msg);
        if (m.Msg != WM_LBUTTONUP) previous(m);
    });
    SimulateClick(pad, 3, 3);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(clicks, 1);  // the release was swallowed
    EXPECT_NE(std::find(byHandle.begin(), byHandle.end(), WM_LBUTTONUP), byHandle.end());
    SetWindowProc(pad->Handle(), previous);
    SimulateClick(pad, 3, 3);
    EXPECT_EQ(clicks, 2);
    // A release outside the control is no click.
    SimulateMouseDown(pad, mbLeft, 3, 3);
    SimulateMouseUp(pad, mbLeft, 80, 3);
    EXPECT_EQ(clicks, 2);
}

// A window the window system activates before it has first painted
// answers OnActivate once it has: what the handler opens (a dialog) then
// stands over the drawn window. Later activations answer at once.
TEST_F(Forms, ActivationBeforeTheFirstPaintIsAnsweredOnceTheWindowHasPainted) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(60, 60, 240, 140);
    auto* pad = new TPad(form.get());
    pad->SetBounds(10, 10, 100, 22);
    pad->SetTabStop(true);
    pad->SetParent(form.get());
    bool painted = false;
    std::vector<bool> paintedAtActivation;
    form->OnPaint = [&](TObject*) { painted = true; };
    form->OnActivate = [&](TObject*) { paintedAtActivation.push_back(painted); };
    form->Show();
    ASSERT_TRUE(WaitForFocus(pad));
    ASSERT_TRUE(PumpMessagesUntil([&] { return !paintedAtActivation.empty(); }, kWait));
    EXPECT_EQ(paintedAtActivation, std::vector<bool>{true});
    std::unique_ptr<TForm> other(new TForm(nullptr));
    other->SetBounds(320, 60, 120, 80);
    auto* otherPad = new TPad(other.get());
    otherPad->SetBounds(5, 5, 60, 22);
    otherPad->SetTabStop(true);
    otherPad->SetParent(other.get());
    other->Show();
    ASSERT_TRUE(WaitForFocus(otherPad));
    ASSERT_TRUE(WaitForFocus(pad));
    EXPECT_EQ(paintedAtActivation.size(), 2u);
}

TEST_F(Forms, KeysPassThePreviewBeforeTheControl) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* pad = new TPad(form.get());
    pad->SetBounds(10, 10, 100, 22);
    pad->SetTabStop(true);
    pad->SetParent(form.get());
    std::vector<Word> formKeys, padKeys;
    String typed;
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, Word& key, TShiftState) {
        formKeys.push_back(key);
        if (key == VK_F2) key = 0;  // the form takes F2 for itself
    };
    form->OnKeyPress = [](TObject*, char& key) {
        if (key == 'x') key = 0;  // and keeps x from every control
    };
    pad->OnKeyDown = [&](TObject*, Word& key, TShiftState) { padKeys.push_back(key); };
    pad->OnKeyPress = [&](TObject*, char& key) { typed += key; };
    int activations = 0;
    form->OnActivate = [&](TObject*) { ++activations; };
    form->Show();
    ASSERT_TRUE(WaitForFocus(pad));
    EXPECT_TRUE(pad->Focused());
    EXPECT_EQ(form->ActiveControl(), pad);
    EXPECT_TRUE(form->Active());
    // OnActivate answers once the window has painted.
    EXPECT_TRUE(PumpMessagesUntil([&] { return activations > 0; }, kWait));
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(Screen->ActiveForm(), form.get());
    SimulateKey(pad, 'A', "a");
    SimulateKey(pad, 'X', "x");
    SimulateKey(pad, VK_F2);
    SimulateKey(pad, VK_RETURN, "\r");
    EXPECT_EQ(formKeys, (std::vector<Word>{'A', 'X', VK_F2, VK_RETURN}));
    EXPECT_EQ(padKeys, (std::vector<Word>{'A', 'X', VK_RETURN}));
    EXPECT_EQ(typed, "a\r");
    // Without the preview the form hears nothing.
    form->SetKeyPreview(false);
    SimulateKey(pad, 'X', "x");
    EXPECT_EQ(formKeys.size(), 4u);
    EXPECT_EQ(typed, "a\rx");
}

TEST_F(Forms, BorderlessFormMovesByASpotThatAnswersCaption) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 50, 200, 120);
    auto* pad = new TPad(form.get());
    pad->SetBounds(150, 80, 40, 30);
    pad->SetParent(form.get());
    TWndMethod old = form->WindowProc;
    bool handedOver = false;
    form->WindowProc = [&](TMessage& m) {
        old(m);
        if (m.Msg == WM_NCHITTEST && m.Result == HTCLIENT) m.Result = HTCAPTION;
        if (m.Msg == WM_NCLBUTTONDOWN) handedOver = m.Result != 0;
    };
    form->Show();
    Application->ProcessMessages();
    const TPoint before = Point(form->Left(), form->Top());
    SimulateDrag(form.get(), Point(10, 10), Point(40, 30), 1);
    // A window manager takes the move and follows the real pointer, which
    // a test does not hold; with none the window follows the mouse itself.
    const TPoint after = handedOver ? before : Point(before.X + 30, before.Y + 20);
    EXPECT_TRUE(PumpMessagesUntil([&] { return form->Left() == after.X && form->Top() == after.Y; }, kWait))
        << form->Left() << "," << form->Top();
    // A press on a child control is the child's, not a drag.
    int downs = 0;
    pad->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    SimulateClick(pad, 5, 5);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(form->Left(), after.X);
}

TEST_F(Forms, FormsKnowTheirScreenAndGeometry) {
    const int before = Screen->FormCount();
    std::unique_ptr<TForm> form(new TForm(nullptr));
    EXPECT_EQ(Screen->FormCount(), before + 1);
    form->SetBounds(0, 0, 300, 200);
    form->SetClientWidth(250);
    EXPECT_EQ(form->ClientWidth(), 250);
    form->SetPosition(poScreenCenter);
    form->Show();
    const TRect work = Screen->WorkAreaRect();
    EXPECT_NEAR(form->Left() + form->Width() / 2, work.Left + work.Width() / 2, 1);
    const TPoint p = form->ClientToScreen(Point(5, 6));
    EXPECT_EQ(form->ScreenToClient(p), Point(5, 6));
    form.reset();
    EXPECT_EQ(Screen->FormCount(), before);
}

TEST_F(Forms, ParentFontAndColorFlowDownUntilSetLocally) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* outer = new TPad(form.get());
    auto* inner = new TPad(form.get());
    outer->SetParent(form.get());
    inner->SetParent(outer);
    form->SetColor(clYellow);
    form->Font()->SetSize(14);
    EXPECT_EQ(outer->Color(), clYellow);
    EXPECT_EQ(inner->Color(), clYellow);
    EXPECT_EQ(inner->Font()->Size(), 14);
    inner->SetColor(clRed);
    inner->Font()->SetStyle(fsBold);
    EXPECT_FALSE(inner->ParentColor());
    EXPECT_FALSE(inner->ParentFont());
    form->SetColor(clAqua);
    form->Font()->SetSize(20);
    EXPECT_EQ(outer->Color(), clAqua);
    EXPECT_EQ(inner->Color(), clRed);
    EXPECT_EQ(inner->Font()->Size(), 14);
    inner->SetParentFont(true);
    EXPECT_EQ(inner->Font()->Size(), 20);
    EXPECT_EQ(inner->Font()->Style(), 0);
}

TEST_F(Forms, MouseEventsArriveInTheClassicOrder) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* pad = new TPad(form.get());
    pad->SetBounds(0, 0, 40, 40);
    pad->SetParent(form.get());
    std::vector<String> log;
    pad->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back(Format("down %d%s %d,%d", static_cast<int>(b), (s & ssDouble) ? " double" : "", x, y));
    };
    pad->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
        log.push_back(Format("up %d", static_cast<int>(b)));
    };
    pad->OnClick = [&](TObject*) { log.push_back("click"); };
    pad->OnDblClick = [&](TObject*) { log.push_back("dblclick"); };
    pad->OnMouseMove = [&](TObject*, TShiftState s, int x, int y) {
        log.push_back(Format("move %d,%d%s", x, y, (s & ssLeft) ? " left" : ""));
    };
    bool handled = true;
    pad->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& h) {
        log.push_back(Format("wheel %d", delta));
        h = handled;
    };
    form->Show();
    SimulateDblClick(pad, 4, 5);
    SimulateMouseDown(pad, mbRight, 6, 7);
    SimulateMouseMove(pad, 8, 9, ssRight);
    SimulateMouseUp(pad, mbRight, 8, 9);
    SimulateDrag(pad, Point(1, 2), Point(3, 3), 1);
    SimulateWheel(pad, 3, 3, -120);
    // The mouse comes to a point before it presses there.
    EXPECT_EQ(log, (std::vector<String>{"move 4,5", "down 0 4,5", "click", "up 0", "dblclick", "down 0 double 4,5",
                                        "up 0", "move 6,7", "down 1 6,7", "move 8,9", "up 1", "move 1,2",
                                        "down 0 1,2", "move 3,3 left", "click", "up 0", "wheel -120"}));
}

TEST_F(Forms, ExceptionWhilePaintingShowsItsBoxAfterThePaint) {
    class TBroken : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;

    protected:
        void Paint() override { throw Exception("Cannot draw the gauge"); }
    };
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* broken = new TBroken(form.get());
    broken->SetBounds(0, 0, 10, 10);
    broken->SetParent(form.get());
    TModalAnswer answer([](TForm* box) { box->SetModalResult(mrOk); });
    TBitmap bmp(10, 10);
    broken->PaintTo(bmp.Canvas(), 0, 0);
    EXPECT_TRUE(ShownDialogs().empty());
    ASSERT_TRUE(PumpMessagesUntil([] { return !ShownDialogs().empty(); }, kWait));
    EXPECT_EQ(ShownDialogs()[0].Text, "Cannot draw the gauge.");
}

TEST_F(Forms, ContextMenuRequestsClimbToTheControlWithAMenu) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(100, 100, 200, 200);
    auto* panel = new TPad(form.get());
    panel->SetBounds(10, 10, 150, 150);
    panel->SetParent(form.get());
    auto* inner = new TPad(form.get());
    inner->SetBounds(20, 30, 40, 40);
    inner->SetParent(panel);
    // The menu is only passed along, never looked into, here.
    int menuStandIn = 0;
    auto* menu = reinterpret_cast<TPopupMenu*>(&menuStandIn);
    panel->SetPopupMenu(menu);
    std::vector<String> log;
    TPopupMenuHandler old = SetPopupMenuHandler([&](TPopupMenu* m, TControl* c, const TPoint& p) {
        const TPoint local = c->ScreenToClient(p);
        log.push_back(Format("menu %s %d,%d", m == menu ? "panel's" : "other", local.X, local.Y));
    });
    form->Show();
    inner->OnContextPopup = [&](TObject*, TPoint p, bool&) { log.push_back(Format("inner %d,%d", p.X, p.Y)); };
    SimulateContextMenu(inner, 5, 6);
    inner->OnContextPopup = [&](TObject*, TPoint, bool& handled) { handled = true; };
    SimulateContextMenu(inner, 5, 6);
    SetPopupMenuHandler(old);
    EXPECT_EQ(log, (std::vector<String>{"inner 5,6", "menu panel's 25,36"}));
}

TEST_F(Forms, EnterAndExitFollowTheFocusInsideAForm) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    std::vector<String> log;
    auto makePad = [&](const String& name, int left) {
        auto* pad = new TPad(form.get());
        pad->SetBounds(left, 10, 30, 30);
        pad->SetTabStop(true);
        pad->SetParent(form.get());
        pad->OnEnter = [&log, name](TObject*) { log.push_back("enter " + name); };
        pad->OnExit = [&log, name](TObject*) { log.push_back("exit " + name); };
        return pad;
    };
    TPad* first = makePad("first", 10);
    TPad* second = makePad("second", 50);
    form->Show();
    ASSERT_TRUE(WaitForFocus(first));
    ASSERT_TRUE(WaitForFocus(second));
    EXPECT_EQ(form->ActiveControl(), second);
    // Another window takes the focus and gives it back: no exit, no enter.
    std::unique_ptr<TForm> other(new TForm(nullptr));
    auto* elsewhere = new TPad(other.get());
    elsewhere->SetTabStop(true);
    elsewhere->SetParent(other.get());
    other->Show();
    ASSERT_TRUE(WaitForFocus(elsewhere));
    ASSERT_TRUE(WaitForFocus(second));
    EXPECT_EQ(log, (std::vector<String>{"enter first", "exit first", "enter second"}));
    // A click moves the focus too.
    SimulateClick(first, 5, 5);
    EXPECT_TRUE(first->Focused());
    EXPECT_EQ(log, (std::vector<String>{"enter first", "exit first", "enter second", "exit second", "enter first"}));
    second->SetTabOrder(0);
    EXPECT_EQ(second->TabOrder(), 0);
    EXPECT_EQ(first->TabOrder(), 1);
    first->SetEnabled(false);
    EXPECT_FALSE(first->CanFocus());
    EXPECT_THROW(first->SetFocus(), EInvalidOperation);
}

TEST_F(Forms, ChangedPropertiesReportThroughWindowProcOnce) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* pad = new TPad(form.get());
    pad->SetParent(form.get());
    form->Show();
    std::vector<UINT> log;
    TWndMethod old = pad->WindowProc;
    pad->WindowProc = [&](TMessage& m) {
        if (m.Msg >= CM_BASE) log.push_back(m.Msg);
        old(m);
    };
    for (int twice = 0; twice < 2; ++twice) {  // the second round changes nothing
        pad->SetEnabled(false);
        pad->SetCaption("Title");
        pad->SetColor(clInfoBk);
        pad->Font()->SetName("Courier New");
        pad->SetVisible(false);
        pad->SetCursor(crHandPoint);
    }
    EXPECT_EQ(log, (std::vector<UINT>{CM_ENABLEDCHANGED, CM_TEXTCHANGED, CM_COLORCHANGED, CM_FONTCHANGED,
                                      CM_VISIBLECHANGED, CM_CURSORCHANGED}));
    pad->WindowProc = old;
    EXPECT_FALSE(pad->Showing());
    EXPECT_FALSE(pad->Enabled());
    EXPECT_EQ(pad->Text(), "Title");
}
