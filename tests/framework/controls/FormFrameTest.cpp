// Forms whose frame the program draws: the frame's size before the window
// shows, the hit test, the caption buttons and dragging by the caption
// under the mouse, and what the frame looks like.
#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/FormFrame.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/messages/MessageQueue.h"
#include "framework/messages/Messages.h"
#include "framework/testkit/SimulatedInput.h"

namespace {

std::unique_ptr<TForm> DrawnForm(TFormBorderStyle border, int w = 300, int h = 200) {
    auto f = std::make_unique<TForm>(nullptr);
    f->SetBorderStyle(border);
    f->SetDrawnFrame(true);
    f->SetCaption("Select Date");
    f->SetBounds(120, 100, w, h);
    return f;
}

TEST(DrawnFrame, ClientAreaIsKnownBeforeTheWindowShows) {
    struct Case {
        TFormBorderStyle Border;
        int Edge, Top;  // frame width on each side; from the window's top to the client area
    } cases[] = {{bsSizeable, 4, 23}, {bsDialog, 3, 22}, {bsSingle, 3, 22}, {bsToolWindow, 3, 18},
                 {bsSizeToolWin, 4, 19}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Border);
        auto f = DrawnForm(c.Border, 380, 245);
        EXPECT_EQ(f->ClientWidth(), 380 - 2 * c.Edge);
        EXPECT_EQ(f->ClientHeight(), 245 - c.Top - c.Edge);
        f->Show();
        Application->ProcessMessages();
        // The outer size stays what was asked for, wherever the window is.
        EXPECT_EQ(f->Width(), 380);
        EXPECT_EQ(f->Height(), 245);
        EXPECT_EQ(f->ClientOrigin(), Point(f->Left() + c.Edge, f->Top() + c.Top));
        f->Hide();
    }
    // Without a border there is nothing to draw.
    auto none = DrawnForm(bsNone);
    EXPECT_EQ(none->ClientWidth(), 300);
    EXPECT_EQ(none->ClientHeight(), 200);
}

TEST(DrawnFrame, HitTestNamesEveryPart) {
    auto f = DrawnForm(bsSizeable);
    f->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    f->Show();
    Application->ProcessMessages();
    const TFormFrameLayout frame = FormFrameLayout(f.get());
    auto at = [&](int x, int y) {
        return f->Perform(WM_NCHITTEST, 0, MakeLParam(f->Left() + x, f->Top() + y));
    };
    auto centre = [](const TRect& r) { return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); };
    struct Case {
        const char* Name;
        TPoint P;
        LRESULT Hit;
    } cases[] = {
        {"caption", Point(100, 10), HTCAPTION},
        {"close", centre(frame.CloseButton), HTCLOSE},
        {"maximise", centre(frame.MaxButton), HTMAXBUTTON},
        {"minimise", centre(frame.MinButton), HTMINBUTTON},
        {"icon", centre(frame.Icon), HTSYSMENU},
        {"client", Point(150, 100), HTCLIENT},
        {"left edge", Point(1, 100), HTLEFT},
        {"right edge", Point(298, 100), HTRIGHT},
        {"top edge", Point(150, 1), HTTOP},
        {"bottom edge", Point(150, 198), HTBOTTOM},
        {"top-left corner", Point(1, 1), HTTOPLEFT},
        {"bottom-right corner", Point(298, 198), HTBOTTOMRIGHT},
        {"outside", Point(310, 100), HTNOWHERE},
    };
    for (const Case& c : cases) EXPECT_EQ(at(c.P.X, c.P.Y), c.Hit) << c.Name;
    // A dialog frame does not size, and has no minimise or maximise button.
    auto d = DrawnForm(bsDialog);
    d->Show();
    Application->ProcessMessages();
    EXPECT_EQ(d->Perform(WM_NCHITTEST, 0, MakeLParam(d->Left() + 1, d->Top() + 100)), HTBORDER);
    EXPECT_TRUE(FormFrameLayout(d.get()).MinButton.IsEmpty());
    EXPECT_FALSE(FormFrameLayout(d.get()).CloseButton.IsEmpty());
}

// Points in the form's client coordinates: the frame lies at negative ones.
TPoint ClientPointOf(TForm* f, const TPoint& windowPoint) {
    const TPoint origin = f->ClientOrigin();
    return Point(f->Left() + windowPoint.X - origin.X, f->Top() + windowPoint.Y - origin.Y);
}

TEST(DrawnFrame, CloseButtonActsOnlyWhenReleasedOverIt) {
    auto f = DrawnForm(bsDialog);
    int closes = 0;
    f->OnClose = [&](TObject*, TCloseAction& a) {
        ++closes;
        a = caNone;
    };
    f->Show();
    Application->ProcessMessages();
    const TRect close = FormFrameLayout(f.get()).CloseButton;
    const TPoint on = ClientPointOf(f.get(), Point(close.Left + 3, close.Top + 3));
    const TPoint off = ClientPointOf(f.get(), Point(100, 10));
    // Pressed, moved off and released on the caption: nothing.
    SimulateMouseDown(f.get(), mbLeft, on.X, on.Y);
    SimulateMouseMove(f.get(), off.X, off.Y, ssLeft);
    SimulateMouseUp(f.get(), mbLeft, off.X, off.Y);
    EXPECT_EQ(closes, 0);
    SimulateClick(f.get(), on.X, on.Y);
    EXPECT_EQ(closes, 1);
    // A press in the client area is the client's, not the frame's.
    int clientPresses = 0;
    f->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++clientPresses; };
    SimulateClick(f.get(), 50, 50);
    EXPECT_EQ(clientPresses, 1);
    EXPECT_EQ(closes, 1);
}

TEST(DrawnFrame, DraggingTheCaptionMovesTheWindow) {
    auto f = DrawnForm(bsDialog);
    f->Show();
    Application->ProcessMessages();
    const TPoint before = Point(f->Left(), f->Top());
    const TPoint grip = ClientPointOf(f.get(), Point(100, 10));
    bool handedOver = false;
    const TWndMethod previous = f->WindowProc;
    f->WindowProc = [&](TMessage& m) {
        previous(m);
        if (m.Msg == WM_NCLBUTTONDOWN) handedOver = m.Result != 0;
    };
    SimulateDrag(f.get(), grip, Point(grip.X + 40, grip.Y + 25));
    if (handedOver) {
        // A window manager took the move: it follows the real pointer,
        // which a test does not hold, and nothing here moves the window.
        EXPECT_EQ(Point(f->Left(), f->Top()), before);
    } else {
        // No window manager: the window follows the mouse itself.
        EXPECT_EQ(Point(f->Left(), f->Top()), Point(before.X + 40, before.Y + 25));
    }
    f->WindowProc = previous;
}

TEST(DrawnFrame, CaptionShowsTheTextAndTheActiveState) {
    auto f = DrawnForm(bsDialog, 200, 80);
    f->Show();
    Application->ProcessMessages();
    auto shot = [&] {
        auto b = std::make_unique<TBitmap>(f->Width(), f->Height());
        f->PaintTo(b->Canvas(), 0, 0);
        return b;
    };
    const TRect caption = FormFrameLayout(f.get()).Caption;
    const int y = caption.Top + 2;
    f->Perform(WM_NCACTIVATE, 1, 0);
    EXPECT_TRUE(f->FrameActive());
    auto active = shot();
    EXPECT_EQ(active->Canvas()->Pixels(caption.Right - 40, y), ColorToRGB(clActiveCaption));
    EXPECT_EQ(active->Canvas()->Pixels(1, 40), ColorToRGB(clBtnHighlight));  // the raised edge
    f->Perform(WM_NCACTIVATE, 0, 0);
    auto inactive = shot();
    EXPECT_EQ(inactive->Canvas()->Pixels(caption.Right - 40, y), ColorToRGB(clInactiveCaption));
    // The text is what WM_GETTEXT answers: some pixels of the bar are not
    // the bar's colour.
    int textPixels = 0;
    for (int x = caption.Left; x < caption.Left + 80; ++x)
        for (int yy = caption.Top; yy < caption.Bottom; ++yy)
            if (active->Canvas()->Pixels(x, yy) != ColorToRGB(clActiveCaption)) ++textPixels;
    EXPECT_GT(textPixels, 0);
    char text[32] = {};
    EXPECT_EQ(f->Perform(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 11);
    EXPECT_STREQ(text, "Select Date");
}

}  // namespace
