#include "styled/forms/StyFormStyler.h"

#include <cstring>

#include "framework/controls/Form.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/Exception.h"
#include "styled/base/StyApplication.h"
#include "styled/base/SysHelpers.h"
#include "styled/base/WindowHelpers.h"
#include "styled/graphics/GradientDrawing.h"
#include "styled/graphics/Sty3DCaption.h"
#include "styled/graphics/TextDrawing.h"

TStyFormStyler::TStyFormStyler(TComponent* AOwner)
    : TStyWndProcComponent(RequireOnePerForm<TStyFormStyler>(AOwner, "TStyFormStyler")),
      FFont(std::make_unique<TFont>()),
      FFont3D(std::make_unique<TSty3DCaption>()) {
    FUseFormHandle = true;
    auto fontChanged = [this](TObject*) {
        if (FPaintMode != pcNone && !Has(fsUseDefaultFont)) Repaint(false);
    };
    FFont->OnChange = fontChanged;
    FFont3D->OnChange = fontChanged;
}

TStyFormStyler::~TStyFormStyler() = default;

TForm* TStyFormStyler::Form() const { return dynamic_cast<TForm*>(Owner()); }

void TStyFormStyler::SetAlignment(TStyCaptionAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Repaint(false);
}

void TStyFormStyler::SetColors(int Value) {
    if (Value < MinColors || Value > MaxColors)
        throw ERangeError("Colors must lie between " + std::to_string(MinColors) + " and " +
                          std::to_string(MaxColors));
    if (Value == FColors) return;
    FColors = Value;
    Repaint(false);
}

void TStyFormStyler::SetPaintMode(TStyPaintMode Value) {
    if (Value == FPaintMode) return;
    FPaintMode = Value;
    if (FPaintMode != pcNone)
        Repaint(true);
    else
        Refresh();
}

void TStyFormStyler::SetOptions(TStyFormStyleOptions Value) {
    if (Value == FOptions) return;
    const bool hadFormCaption = Has(fsUseFormCaption);
    FOptions = Value;
    // The form's own text goes to the styler, or back, as the caption's
    // owner changes.
    TForm* form = Form();
    if (form && Enabled() && Hooked() && hadFormCaption != Has(fsUseFormCaption)) {
        if (!Has(fsUseFormCaption)) {
            FCaption = form->Caption();
            form->SetCaption(" ");
        } else {
            form->SetCaption(FCaption);
        }
    }
    if (FPaintMode != pcNone)
        Repaint(true);
    else
        Refresh();
}

// The frame is the form's to paint: a caption painted outside its paint
// would be painted over, so the paint is asked for instead.
void TStyFormStyler::Repaint(bool DrawIcon) {
    TForm* form = Form();
    if (!form || !CanPaint()) return;
    if (form->FrameCanvas())
        PaintCaption(DrawIcon);
    else
        form->InvalidateFrame();
}

void TStyFormStyler::Refresh() {
    TForm* form = Form();
    if (!form || !CanPaint()) return;
    form->Perform(WM_NCACTIVATE, 1, 0);
}

void TStyFormStyler::Init() {
    TForm* form = Form();
    if (!Enabled() || !form) return;
    TStyWndProcComponent::Init();
    if (!Hooked()) return;
    // The caption bar is the program's to paint only on a frame the
    // program draws.
    if (form->BorderStyle() != bsNone && !form->DrawnFrame()) {
        form->SetDrawnFrame(true);
        FMadeDrawnFrame = true;
    }
    FActive = form->FrameActive();
    if (!Has(fsUseFormCaption)) {
        FCaption = form->Caption();
        form->SetCaption(" ");
    }
    if (!HasState(csLoading)) Repaint(true);
}

void TStyFormStyler::Done() {
    TStyWndProcComponent::Done();
    TForm* form = Form();
    if (!form || form->HasState(csDestroying)) return;
    if (!Has(fsUseFormCaption)) form->SetCaption(FCaption);
    if (FMadeDrawnFrame && !HasState(csDestroying)) {
        form->SetDrawnFrame(false);
        FMadeDrawnFrame = false;
    }
    if (!HasState(csDestroying)) Refresh();
}

void TStyFormStyler::WndProc(TMessage& Message) {
    if (!Enabled() || FPaintMode == pcNone || Destroyed()) {
        CallPrevious(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_GETTEXT:
        if (Has(fsUseFormCaption)) break;
        // The frame (and anyone else asking the window) reads a blank; the
        // styler paints the text.
        if (auto* buf = reinterpret_cast<char*>(Message.LParam); buf && Message.WParam >= 2) {
            std::memcpy(buf, " ", 2);
        }
        Message.Result = 1;
        return;
    case WM_GETTEXTLENGTH:
        if (Has(fsUseFormCaption)) break;
        Message.Result = 1;
        return;
    case WM_NCPAINT:
        CallPrevious(Message);
        if (FActive || Has(fsInactiveGradient)) PaintCaption(true);
        Message.Result = 0;
        return;
    case WM_NCACTIVATE:
        FActive = Message.WParam != 0;
        CallPrevious(Message);
        if (FActive || Has(fsInactiveGradient)) PaintCaption(false);
        Message.Result = 1;
        return;
    default:
        break;
    }
    CallPrevious(Message);
}

void TStyFormStyler::PaintCaption(bool DrawIcon) {
    (void)DrawIcon;  // the drawn frame shows no system icon to save and put back
    TForm* form = Form();
    if (!form || HasState(csDesigning) || !Enabled() || FPaintMode == pcNone) return;
    if (form->WindowState() == wsMinimized && !NewStyleControls) return;
    if (!form->HandleAllocated() || !form->Visible() || FPainting) return;
    // Where the platform paints a gradient of its own, it is left to it.
    if (Has(fsCheckSystemGradient) && IsWin98 && GetColorDepth() > 8) return;
    if (Has(fsUseFormCaption)) FCaption = form->Caption();
    TCanvas* canvas = form->FrameCanvas();
    if (!canvas) {
        form->InvalidateFrame();
        return;
    }
    FPainting = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{FPainting};

    int flags = crfExcludeButtons;
    if (FPaintMode == pcOwnerDraw && Has(fsAdjustRect)) flags |= crfExcludeIcon;
    if (form->BorderStyle() == bsSingle) flags |= crfSingleBorder;
    TRect window, caption;
    GetCaptionRects(form, window, caption, flags);
    int textFlags = crfExcludeButtons | crfExcludeIcon | (flags & crfSingleBorder);
    TRect text;
    GetCaptionRects(form, window, text, textFlags);
    if (caption.IsEmpty()) return;

    if (FPaintMode == pcControl) {
        if (FActive || Has(fsInactiveGradient))
            FillGradientColors(canvas, caption, clBlack, FActive ? clActiveCaption : clInactiveCaption, FColors,
                               gstHorizontal, 0, 0);
    } else if (FPaintMode == pcOwnerDraw && OnPaint) {
        canvas->SelectClipRect(caption);
        OnPaint(this, canvas, caption);
        canvas->SelectClipRgn(nullptr);
    }

    TFont* font = canvas->Font();
    if (Has(fsUseDefaultFont)) {
        // The caption font of the frame: the form's, bold.
        font->Assign(form->Font());
        font->SetStyle(fsBold);
        if (flags & crfSmallCaption) font->SetHeight(-(caption.Height() - 4));
    } else {
        font->Assign(FFont.get());
    }
    canvas->Brush()->SetStyle(bsClear);
    if (FActive && (Has(fsUseDefaultFont) || !Has(fsUseFontColor))) {
        const TColor c = ColorToRGB(clCaptionText);
        font->SetColor(c == ColorToRGB(clBlack) ? clWhite : clCaptionText);
    } else if (!FActive) {
        font->SetColor(clInactiveCaptionText);
    }

    if (!Has(fsDrawCaptionEvent) && FPaintMode != pcOwnerDraw &&
        (FActive || !Has(fsUseFormCaption) || Has(fsInactiveGradient))) {
        const unsigned align = FAlignment == TStyCaptionAlignment::Center         ? DT_CENTER
                               : FAlignment == TStyCaptionAlignment::RightJustify ? DT_RIGHT
                                                                                   : DT_LEFT;
        const unsigned format = align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        TRect r = text;
        r.Left += 2;
        if (Has(fsUseDefaultFont))
            DrawText(canvas, FCaption, r, format);
        else
            Draw3DText(canvas, FCaption, FFont3D.get(), r, format, 0);
    } else if (OnCaptionPaint) {
        canvas->SelectClipRect(text);
        OnCaptionPaint(this, canvas, text);
        canvas->SelectClipRgn(nullptr);
    }
    canvas->Brush()->SetStyle(bsSolid);
}
