#include "styled/graphics/FrameDrawing.h"

#include <algorithm>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "styled/base/StyApplication.h"
#include "styled/base/SysHelpers.h"

namespace {

void Inflate(TRect& r, int d) {
    r.Left -= d;
    r.Top -= d;
    r.Right += d;
    r.Bottom += d;
}

void SolidPen(TCanvas* c, TColor color) {
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(color);
}

// A one-pixel outline of r in the pen colour, the inside left alone.
void PenRectangle(TCanvas* c, const TRect& r, TColor color) {
    SolidPen(c, color);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(r);
    c->Brush()->SetStyle(bsSolid);
}

void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}

}  // namespace

bool DrawBevelStyle(TCanvas* Canvas, TRect& R, TStyBevelStyle Style, TColor Light, TColor Shadow, Byte Width) {
    if (!Canvas || Width == 0 || Style == bvNone || Style == bvShadow) return false;
    TColor topLeft = clBlack, bottomRight = clBlack;
    if (Style == bvLowered || Style == bvFrameLowered) {
        topLeft = Shadow;
        bottomRight = Light;
    } else if (Style == bvRaised || Style == bvFrameRaised) {
        topLeft = Light;
        bottomRight = Shadow;
    }
    const int w = Width;
    if (Style == bvFrameLowered || Style == bvFrameRaised) {
        Canvas->Brush()->SetStyle(bsSolid);
        for (int k = 0; k < w; ++k) {
            Canvas->Brush()->SetColor(bottomRight);
            Canvas->FrameRect(Rect(R.Left + k + 1, R.Top + k + 1, R.Right, R.Bottom));
            Canvas->Brush()->SetColor(topLeft);
            Canvas->FrameRect(Rect(R.Left, R.Top, R.Right - k - 1, R.Bottom - k - 1));
        }
        Inflate(R, -(w + 1));
        return true;
    }
    // The two bands meet on the diagonals: the bottom-right colour owns the
    // top-right corner's diagonal, the top-left colour the bottom-left's.
    // Painted as runs, row by row, so that every band pixel is exact.
    Canvas->Brush()->SetStyle(bsSolid);
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    auto run = [&](TColor color, int x1, int x2, int y) {
        x1 = std::max(x1, L);
        x2 = std::min(x2, Rt);
        if (x1 >= x2) return;
        Canvas->Brush()->SetColor(color);
        Canvas->FillRect(Rect(x1, y, x2, y + 1));
    };
    for (int y = T; y < B; ++y) {
        const int dy = y - T, db = B - 1 - y;
        if (dy < w) {
            run(topLeft, L, Rt - 1 - dy, y);
            run(bottomRight, Rt - 1 - dy, Rt, y);
        } else if (db < w) {
            run(topLeft, L, L + db + 1, y);
            run(bottomRight, L + db + 1, Rt, y);
        } else {
            run(topLeft, L, L + w, y);
            run(bottomRight, Rt - w, Rt, y);
        }
    }
    // Inward by Width on every side (Bottom and Right as the classic code
    // reached them: one off, one more on the right, both grown back).
    R.Bottom -= 1;
    Inflate(R, -w);
    R.Right -= 1;
    R.Right += 1;
    R.Bottom += 1;
    return true;
}

bool DrawShadowFrame(TCanvas* Canvas, TRect& R, TColor FrameColor, TColor ShadowColor, TColor CornerColor,
                     int Depth, int FrameWidth, bool Transparent) {
    if (!Canvas) return true;
    const int d = Depth;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetStyle(psClear);
    Canvas->Brush()->SetColor(ShadowColor);
    Canvas->FillRect(Rect(R.Right - d, R.Top + d, R.Right, R.Bottom));
    Canvas->FillRect(Rect(R.Left + d, R.Bottom - d, R.Right, R.Bottom));
    if (!Transparent) {
        Canvas->Brush()->SetColor(CornerColor);
        Canvas->FillRect(Rect(R.Right - d, R.Top, R.Right, R.Top + d));
        Canvas->FillRect(Rect(R.Left, R.Bottom - d, R.Left + d, R.Bottom));
    }
    R = Rect(R.Left, R.Top, R.Right - d, R.Bottom - d);
    Canvas->Brush()->SetColor(FrameColor);
    for (int i = 0; i < FrameWidth; ++i) {
        Canvas->FrameRect(R);
        Inflate(R, -1);
    }
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    return true;
}

int StandardBorderWidth(TStyBorderStyle Style) {
    switch (Style) {
        case lsNone: return 0;
        case lsSingle:
        case lsSingleRaised:
        case lsSingleLowered: return 1;
        default: return 2;
    }
}

bool DrawStandardBorder(TCanvas* Canvas, TRect& R, int Style, Word Flags) {
    if (!Canvas || Style < 0 || Style > lsDoubleLowered) return true;
    const unsigned f = Flags;
    auto edge = [&](unsigned kind, unsigned sides) { DrawEdge(Canvas, R, kind, sides); };
    switch (static_cast<TStyBorderStyle>(Style)) {
        case lsNone: break;
        case lsSingle:
            edge(BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | BF_ADJUST | f);
            edge(BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
            break;
        case lsLowered: edge(EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_ADJUST | f); break;
        case lsRaised: edge(EDGE_RAISED, BF_RECT | BF_SOFT | BF_ADJUST | f); break;
        case lsRaisedspb:
            edge(BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST | f);
            edge(BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
            break;
        case lsLoweredspb:
            edge(BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | f);
            edge(BDR_SUNKENINNER, BF_TOPLEFT | BF_ADJUST | f);
            break;
        case lsRaisedExt:
            edge(BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST | f);
            edge(BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
            R.Left -= 1;
            R.Top -= 1;
            break;
        case lsLoweredExt:
            edge(BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | f);
            edge(BDR_SUNKENINNER, BF_TOPLEFT | BF_ADJUST);
            R.Right -= 1;
            R.Bottom -= 1;
            break;
        case lsFrameInset: edge(EDGE_ETCHED, BF_RECT | BF_ADJUST | f); break;
        case lsFrameOffset:
            edge(BDR_RAISEDINNER, BF_RECT | BF_ADJUST | f);
            edge(BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | f);
            break;
        case lsWindowBorder:
            edge(BDR_RAISEDOUTER, BF_BOTTOMRIGHT | BF_ADJUST | f);
            R.Left -= 1;
            R.Top -= 1;
            edge(BDR_RAISEDINNER, BF_RECT | BF_ADJUST | f);
            break;
        case lsSingleRaised: edge(BDR_RAISEDINNER, BF_RECT | BF_ADJUST | f); break;
        case lsSingleLowered: edge(BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | f); break;
        case lsDoubleRaised:
            edge(BDR_RAISEDINNER, BF_RECT | BF_ADJUST | f);
            edge(BDR_RAISEDINNER, BF_RECT | BF_ADJUST | f);
            break;
        case lsDoubleLowered:
            edge(BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | f);
            edge(BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | f);
            break;
    }
    return true;
}

namespace {

void ArrowShape(TCanvas* c, int X, int Y, int Size, TColor color, bool Down) {
    SolidPen(c, color);
    if (Down) {
        for (int k = 0; k <= Size - 2; ++k) Line(c, X + k, Y + k, X + 2 * Size - k - 1, Y + k);
        c->SetPixels(X + Size - 1, Y + Size - 1, color);
    } else {
        const int h = Size / 2;
        for (int k = 0; k < Size; ++k) Line(c, X + h - k, Y + k, X + h + k + 1, Y + k);
    }
}

}  // namespace

void DrawDropArrow(TCanvas* Canvas, int X, int Y, int Size, TColor Color, bool Down, bool Enabled) {
    if (!Canvas || Size < 2 || Size > 15) return;
    if (!Enabled) {
        ArrowShape(Canvas, X + 1, Y + 1, Size, clHighlightText, Down);
        ArrowShape(Canvas, X, Y, Size, clGrayText, Down);
    } else {
        ArrowShape(Canvas, X, Y, Size, Color, Down);
    }
}

void DrawButtonFrame(TCanvas* Canvas, bool Inverted, TRect& R, TStyUserButtonStyle Style, int State, int Flags,
                     TColor Color) {
    if (!Canvas) return;
    TStyUserButtonStyle style = Style;
    if (style == ubsAutoDetect) style = NewStyleControls ? ubsWin40 : ubsWin31;
    const bool boxed = style == ubsClassic && (Flags & bffVariant);
    if (style == ubsWin40 && !(Flags & bffVariant)) style = ubsClassic;
    const bool flat = style >= ubsClassicFlat && style <= ubsExplorerColored;
    const bool explorer = style == ubsExplorer || style == ubsExplorerColored;
    const bool latched = State == bfsLatched;
    const bool down = latched || State == bfsPressed || State == bfsPressed2 || State == bfsPressed3;
    const unsigned middle = (Flags & bffFillMiddle) ? unsigned(BF_MIDDLE) : 0u;

    // Face.
    Canvas->Brush()->SetStyle(bsSolid);
    if (!explorer) {
        if (latched && !(Inverted && flat) && StyApplication) {
            Canvas->Brush()->SetBitmap(StyApplication->GetPatternBitmap(Color));
            Canvas->FillRect(R);
            Canvas->Brush()->SetBitmap(nullptr);
        } else {
            Canvas->Brush()->SetColor(Color);
            Canvas->FillRect(R);
        }
    }

    auto outline = [&] {
        DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT);
        DrawEdge(Canvas, R, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        if (style == ubsWin31 && (Flags & bffCutCorners)) {
            Canvas->SetPixels(R.Left, R.Top, clBtnFace);
            Canvas->SetPixels(R.Right - 1, R.Top, clBtnFace);
            Canvas->SetPixels(R.Left, R.Bottom - 1, clBtnFace);
            Canvas->SetPixels(R.Right - 1, R.Bottom - 1, clBtnFace);
        }
        Inflate(R, -1);
    };
    if (!down && (Flags & (bffFocused | bffDefault))) {
        outline();
        Flags &= ~bffCutCorners;
    }
    TRect face = R;

    if (style == ubsWin31) {
        outline();
        if (!down) {
            DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | middle);
            DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | middle);
        } else {
            DrawEdge(Canvas, R, BDR_SUNKENINNER, BF_TOPLEFT | middle);
        }
        Inflate(face, -1);
    } else if (style == ubsWin40) {
        if (!down)
            DrawStandardBorder(Canvas, R, lsRaisedspb, Word(BF_RECT | middle));
        else if (Flags & bffVariant2)
            DrawEdge(Canvas, R, EDGE_SUNKEN, BF_RECT | middle);
        else
            DrawStandardBorder(Canvas, R, lsLowered, Word(BF_RECT | middle));
    } else if (boxed) {
        PenRectangle(Canvas, R, clBlack);
        if (!down) {
            Inflate(R, -1);
            DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | middle);
            Inflate(R, 1);
        } else {
            SolidPen(Canvas, clGray);
            Line(Canvas, R.Left + 1, R.Top + 1, R.Right - 1, R.Top + 1);
            Line(Canvas, R.Left + 1, R.Top + 1, R.Left + 1, R.Bottom - 1);
        }
    } else if (style == ubsClassic) {
        if (!down) {
            if (!(Flags & bffFocused)) {
                DrawStandardBorder(Canvas, R, lsRaisedspb, Word(middle));
            } else {
                DrawEdge(Canvas, R, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST | middle);
                DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
            }
        } else {
            PenRectangle(Canvas, R, clBlack);
            Inflate(R, -1);
            PenRectangle(Canvas, R, clGray);
            Inflate(R, 1);
        }
    } else if (flat) {
        const bool framed = style == ubsClassicFlat || style == ubsNavigator;
        if (!down) {
            if (State == bfsHot) {
                if (framed) {
                    PenRectangle(Canvas, R, clBtnShadow);
                    Inflate(R, -1);
                }
                DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | middle);
            } else if (!explorer) {
                Canvas->Brush()->SetColor(Color);
                Canvas->FillRect(R);
            }
        } else {
            if (framed) {
                PenRectangle(Canvas, R, clBtnShadow);
                Inflate(R, -1);
            }
            DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | middle);
        }
    } else if (style == ubsIntegrated) {
        if (!down) {
            PenRectangle(Canvas, R, clBlack);
            SolidPen(Canvas, clBtnFace);
            Line(Canvas, R.Left + 1, R.Top + 1, R.Right - 1, R.Top + 1);
            Line(Canvas, R.Left + 1, R.Top + 1, R.Left + 1, R.Bottom - 1);
            PenRectangle(Canvas, Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), clWhite);
            SolidPen(Canvas, clGray);
            Line(Canvas, R.Right - 3, R.Top + 2, R.Right - 3, R.Bottom - 2);
            Line(Canvas, R.Left + 2, R.Bottom - 3, R.Right - 2, R.Bottom - 3);
        } else {
            PenRectangle(Canvas, R, clGray);
        }
    }

    if (Flags & bffFocused) {
        TRect focus = face;
        Inflate(focus, down ? -4 : -3);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->DrawFocusRect(focus);
    }
    R = face;
    Inflate(R, -3);
    if (down) {
        R.Left += 1;
        R.Top += 1;
        R.Right += 1;
        R.Bottom += 1;
    }
}
