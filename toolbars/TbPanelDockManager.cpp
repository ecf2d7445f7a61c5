#include "toolbars/TbPanelDockManager.h"

#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "toolbars/TbCommon.h"
#include "toolbars/TbCustomPanel.h"

TTbPanelDockManager::TTbPanelDockManager(TTbCustomPanel* panel)
    : TDockTree(panel), FPanel(panel), FFont(std::make_unique<TFont>()) {
    FGrabberSize = 13;
    FFont->SetName("Arial");
    FFont->SetSize(8);
}

TTbPanelDockManager::~TTbPanelDockManager() = default;

void TTbPanelDockManager::PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& grabber) {
    if (!FPanel->ShowDockClientCaptions()) {
        TDockTree::PaintDockFrame(canvas, control, grabber);
        return;
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clActiveCaption);
    canvas->FillRect(grabber);
    const TRect close = CloseButtonIn(grabber);
    const String caption = control->Caption();
    canvas->Brush()->SetStyle(bsClear);
    if (GrabbersOnTop()) {
        canvas->Font()->Assign(FFont.get());
        canvas->Font()->SetColor(clCaptionText);
        TRect text = Rect(grabber.Left + 2, grabber.Top, close.Left - 1, grabber.Bottom);
        DrawText(canvas, caption, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    } else {
        // Read from the bottom up, starting 2 pixels above the bar's end.
        CreateRotatedFont(canvas->Font(), FFont.get(), 90);
        canvas->Font()->SetColor(clCaptionText);
        const int height = canvas->TextHeight(caption);
        canvas->SelectClipRect(Rect(grabber.Left, close.Bottom + 1, grabber.Right, grabber.Bottom));
        canvas->TextOut(grabber.Left + (grabber.Width() - height) / 2, grabber.Bottom - 2, caption);
        canvas->SelectClipRgn(nullptr);
        canvas->Font()->SetOrientation(0);
    }
    TRect button = close;
    DrawFrameControl(canvas, button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}
