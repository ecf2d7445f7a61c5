#include "framework/controls/FormFrame.h"

#include <algorithm>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "framework/system/SystemMetrics.h"

TFormFrameLayout FormFrameLayout(TFormBorderStyle border, TBorderIcons icons, int width, int height) {
    TFormFrameLayout f;
    f.Window = Rect(0, 0, width, height);
    if (border == bsNone) return f;
    const bool tool = border == bsToolWindow || border == bsSizeToolWin;
    f.SmallCaption = tool;
    f.Sizeable = border == bsSizeable || border == bsSizeToolWin;
    if (f.Sizeable) {
        f.BorderX = GetSystemMetrics(SM_CXFRAME);
        f.BorderY = GetSystemMetrics(SM_CYFRAME);
    } else if (border == bsDialog) {
        f.BorderX = GetSystemMetrics(SM_CXDLGFRAME);
        f.BorderY = GetSystemMetrics(SM_CYDLGFRAME);
    } else {
        f.BorderX = 3 * GetSystemMetrics(SM_CXBORDER);
        f.BorderY = 3 * GetSystemMetrics(SM_CYBORDER);
    }
    // The caption metric counts the line below the bar.
    f.CaptionHeight = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
    f.Caption = Rect(f.BorderX, f.BorderY, width - f.BorderX, f.BorderY + f.CaptionHeight - 1);
    f.Text = f.Caption;

    if (!(icons & biSystemMenu)) return f;
    if (!tool && border != bsDialog) {
        const int icon = GetSystemMetrics(SM_CXSMICON);
        f.Icon = Bounds(f.Caption.Left + 2, f.Caption.Top + (f.Caption.Height() - icon) / 2, icon, icon);
        f.Text.Left += icon + 2;
    }
    // Buttons as wide as the caption-button metric less two, two pixels
    // apart from the close button, minimise and maximise side by side.
    const int slot = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE);
    const int bw = slot - 2, bh = f.Caption.Height() - 4;
    const int top = f.Caption.Top + 2;
    f.CloseButton = Bounds(f.Caption.Right - 2 - bw, top, bw, bh);
    int right = f.CloseButton.Left - 2;
    int count = 1;
    const bool minMax = !tool && border != bsDialog && (icons & (biMinimize | biMaximize));
    if (minMax) {
        f.MaxButton = Bounds(right - bw, top, bw, bh);
        f.MinButton = Bounds(right - 2 * bw, top, bw, bh);
        count += 2;
    } else if (icons & biHelp) {
        f.HelpButton = Bounds(right - bw, top, bw, bh);
        count += 1;
    }
    f.Text.Right -= count * slot + 2;
    if (f.Text.Right < f.Text.Left) f.Text.Right = f.Text.Left;
    return f;
}

LRESULT FormFrameHitTest(const TFormFrameLayout& f, const TPoint& p) {
    if (!f.Window.Contains(p)) return HTNOWHERE;
    if (f.Caption.IsEmpty()) return HTCLIENT;
    const TRect inner = Rect(f.BorderX, f.BorderY, f.Window.Right - f.BorderX, f.Window.Bottom - f.BorderY);
    if (!inner.Contains(p)) {
        if (!f.Sizeable) return HTBORDER;
        // Corners reach along the edges as far as a caption is high.
        const int corner = f.BorderY + f.CaptionHeight;
        const bool left = p.X < corner, right = p.X >= f.Window.Right - corner;
        const bool top = p.Y < corner, bottom = p.Y >= f.Window.Bottom - corner;
        if (p.Y < f.BorderY) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (p.Y >= inner.Bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (p.X < f.BorderX) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
    }
    if (p.Y >= f.BorderY + f.CaptionHeight) return HTCLIENT;
    if (f.CloseButton.Contains(p)) return HTCLOSE;
    if (f.MaxButton.Contains(p)) return HTMAXBUTTON;
    if (f.MinButton.Contains(p)) return HTMINBUTTON;
    if (f.HelpButton.Contains(p)) return HTHELP;
    if (f.Icon.Contains(p)) return HTSYSMENU;
    return HTCAPTION;
}

void PaintFormFrame(TCanvas* canvas, const TFormFrameLayout& f, const String& text, bool active, bool maximized,
                    LRESULT pressed) {
    if (!canvas || f.Caption.IsEmpty()) return;
    // The border: a raised edge, the rest of the band in the face colour,
    // down to the client area (the line under the caption bar included).
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    const TRect client = Rect(f.BorderX, f.BorderY + f.CaptionHeight, f.Window.Right - f.BorderX,
                              f.Window.Bottom - f.BorderY);
    canvas->FillRect(Rect(0, 0, f.Window.Right, client.Top));
    canvas->FillRect(Rect(0, client.Top, client.Left, f.Window.Bottom));
    canvas->FillRect(Rect(client.Right, client.Top, f.Window.Right, f.Window.Bottom));
    canvas->FillRect(Rect(client.Left, client.Bottom, client.Right, f.Window.Bottom));
    TRect edge = f.Window;
    DrawEdge(canvas, edge, EDGE_RAISED, BF_RECT);

    canvas->Brush()->SetColor(active ? clActiveCaption : clInactiveCaption);
    canvas->FillRect(f.Caption);

    TFont* font = canvas->Font();
    font->SetStyle(fsBold);
    font->SetColor(active ? clCaptionText : clInactiveCaptionText);
    if (f.SmallCaption) font->SetHeight(-(f.Caption.Height() - 4));
    canvas->Brush()->SetStyle(bsClear);
    TRect t = f.Text;
    t.Left += 2;
    DrawText(canvas, text, t, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    canvas->Brush()->SetStyle(bsSolid);

    auto button = [&](TRect r, unsigned kind, LRESULT code) {
        if (r.IsEmpty()) return;
        DrawFrameControl(canvas, r, DFC_CAPTION, kind | (pressed == code ? unsigned(DFCS_PUSHED) : 0u));
    };
    button(f.CloseButton, DFCS_CAPTIONCLOSE, HTCLOSE);
    button(f.MaxButton, maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, HTMAXBUTTON);
    button(f.MinButton, DFCS_CAPTIONMIN, HTMINBUTTON);
    button(f.HelpButton, DFCS_CAPTIONHELP, HTHELP);
}
