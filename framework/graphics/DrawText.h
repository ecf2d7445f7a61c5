#pragma once
// Text and frame drawing in the classic way, on a TCanvas. The values of
// the flags are the classic platform's, so stored flag words keep working.
#include "framework/graphics/Color.h"
#include "framework/rtl/Types.h"

class TCanvas;

// DrawText format flags.
enum : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_TABSTOP = 0x80,
    DT_NOCLIP = 0x100,
    DT_EXTERNALLEADING = 0x200,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_INTERNAL = 0x1000,
    DT_EDITCONTROL = 0x2000,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
    DT_MODIFYSTRING = 0x10000,
    DT_RTLREADING = 0x20000,
    DT_WORD_ELLIPSIS = 0x40000,
    DT_NOFULLWIDTHCHARBREAK = 0x80000,
    DT_HIDEPREFIX = 0x100000,
    DT_PREFIXONLY = 0x200000,
};

// Draws text into rect with the canvas font; an opaque canvas brush fills
// the cell of each line first. '&' underlines the character after it and
// "&&" shows one '&' (unless DT_NOPREFIX). DT_VCENTER and DT_BOTTOM apply
// to single-line text only. With DT_CALCRECT nothing is drawn: rect keeps
// its left and top and gets the width and height the text needs (a
// word-broken text keeps the given width as its limit). Returns the height
// of the text; DT_VCENTER/DT_BOTTOM answer the offset from rect.Top to the
// bottom of the text instead, as the classic platform did.
int DrawText(TCanvas* canvas, const String& text, TRect& rect, unsigned format);
inline int DrawText(TCanvas* canvas, const String& text, int /*count: whole text*/, TRect& rect,
                    unsigned format) {
    return DrawText(canvas, text, rect, format);
}

// Extra settings of DrawTextEx. The margins narrow the rectangle the text
// is laid out in (and widen a calculated one back); iTabLength counts
// average character widths per tab stop. uiLengthDrawn reports the number
// of characters handled.
struct TDrawTextParams {
    unsigned cbSize = 20;
    int iTabLength = 8;
    int iLeftMargin = 0;
    int iRightMargin = 0;
    unsigned uiLengthDrawn = 0;
};

// DrawText with optional extra settings (nullptr: none). With DT_TABSTOP
// the second byte of the format is the tab length instead of flags.
int DrawTextEx(TCanvas* canvas, const String& text, TRect& rect, unsigned format, TDrawTextParams* params);

// DrawEdge border kinds.
enum : unsigned {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    BDR_OUTER = 0x3,
    BDR_INNER = 0xC,
    BDR_RAISED = 0x5,
    BDR_SUNKEN = 0xA,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

// DrawEdge flags.
enum : unsigned {
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_TOPLEFT = BF_TOP | BF_LEFT,
    BF_TOPRIGHT = BF_TOP | BF_RIGHT,
    BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_DIAGONAL = 0x10,
    BF_DIAGONAL_ENDTOPRIGHT = BF_DIAGONAL | BF_TOP | BF_RIGHT,
    BF_DIAGONAL_ENDTOPLEFT = BF_DIAGONAL | BF_TOP | BF_LEFT,
    BF_DIAGONAL_ENDBOTTOMLEFT = BF_DIAGONAL | BF_BOTTOM | BF_LEFT,
    BF_DIAGONAL_ENDBOTTOMRIGHT = BF_DIAGONAL | BF_BOTTOM | BF_RIGHT,
    BF_MIDDLE = 0x800,
    BF_SOFT = 0x1000,
    BF_ADJUST = 0x2000,
    BF_FLAT = 0x4000,
    BF_MONO = 0x8000,
};

// Draws up to two one-pixel borders (outer, then inner) along the chosen
// sides, in the classic colours:
//   raised outer  cl3DLight / cl3DDkShadow      raised inner  clBtnHighlight / clBtnShadow
//   sunken outer  clBtnShadow / clBtnHighlight  sunken inner  cl3DDkShadow / cl3DLight
// (top-left / bottom-right; BF_SOFT swaps the raised top-left colours and
// the sunken ones). BF_FLAT draws clBtnShadow then clBtnFace, BF_MONO
// clWindowFrame then clWindow. The bottom-right colour owns the bottom-left
// and top-right corners. BF_MIDDLE fills what is left; BF_ADJUST moves rect
// inward past what was drawn. Returns false for an empty rectangle.
bool DrawEdge(TCanvas* canvas, TRect& rect, unsigned edge, unsigned flags);

// DrawFrameControl kinds and states.
enum : unsigned {
    DFC_CAPTION = 1,
    DFC_MENU = 2,
    DFC_SCROLL = 3,
    DFC_BUTTON = 4,
    DFC_POPUPMENU = 5,

    DFCS_CAPTIONCLOSE = 0x0,
    DFCS_CAPTIONMIN = 0x1,
    DFCS_CAPTIONMAX = 0x2,
    DFCS_CAPTIONRESTORE = 0x3,
    DFCS_CAPTIONHELP = 0x4,

    DFCS_MENUARROW = 0x0,
    DFCS_MENUCHECK = 0x1,
    DFCS_MENUBULLET = 0x2,
    DFCS_MENUARROWRIGHT = 0x4,

    DFCS_SCROLLUP = 0x0,
    DFCS_SCROLLDOWN = 0x1,
    DFCS_SCROLLLEFT = 0x2,
    DFCS_SCROLLRIGHT = 0x3,
    DFCS_SCROLLCOMBOBOX = 0x5,
    DFCS_SCROLLSIZEGRIP = 0x8,
    DFCS_SCROLLSIZEGRIPRIGHT = 0x10,

    DFCS_BUTTONCHECK = 0x0,
    DFCS_BUTTONRADIOIMAGE = 0x1,
    DFCS_BUTTONRADIOMASK = 0x2,
    DFCS_BUTTONRADIO = 0x4,
    DFCS_BUTTON3STATE = 0x8,
    DFCS_BUTTONPUSH = 0x10,

    DFCS_INACTIVE = 0x100,
    DFCS_PUSHED = 0x200,
    DFCS_CHECKED = 0x400,
    DFCS_TRANSPARENT = 0x800,
    DFCS_HOT = 0x1000,
    DFCS_ADJUSTRECT = 0x2000,
    DFCS_FLAT = 0x4000,
    DFCS_MONO = 0x8000,
};

// Classic look of buttons, check and radio boxes, scroll arrows, caption
// buttons and menu marks in rect. Check boxes are 13 x 13 and radio boxes
// 12 x 12, centred in rect. Returns false for an unknown kind.
bool DrawFrameControl(TCanvas* canvas, TRect& rect, unsigned kind, unsigned state);

// `width` nested frames, top and left in topColor, bottom and right in
// bottomColor (which owns the bottom-left and top-right corners); rect
// comes back moved inward by width on each side.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
