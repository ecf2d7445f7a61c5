#include "framework/graphics/DrawText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Region.h"

namespace {

QColor ToQColor(TColor c) {
    TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// One line of laid-out text: what it shows and which of its characters
// carries the prefix underline (-1: none).
struct Line {
    QString text;
    int underline = -1;
};

// Strips the '&' prefixes of one line; "&&" stays as one '&'.
Line StripPrefix(const QString& s, bool keepUnderline) {
    Line l;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size()) {
            ++i;
            if (s[i] != '&' && keepUnderline) l.underline = static_cast<int>(l.text.size());
        } else if (s[i] == '&') {
            continue;  // a trailing '&' shows nothing
        }
        l.text += s[i];
    }
    return l;
}

class Layout {
public:
    Layout(const QFontMetrics& fm, unsigned format, int tabChars) : fm(fm), format(format) {
        tabStop = std::max(1, tabChars) * std::max(1, fm.averageCharWidth());
    }

    // Width of a run with tabs expanded from `start`.
    int Width(const QString& s, int start = 0) const {
        if (!(format & DT_EXPANDTABS) || !s.contains('\t')) return fm.horizontalAdvance(s);
        int x = start;
        const auto parts = s.split('\t');
        for (int i = 0; i < parts.size(); ++i) {
            x += fm.horizontalAdvance(parts[i]);
            if (i + 1 < parts.size()) x = (x / tabStop + 1) * tabStop;
        }
        return x - start;
    }

    const QFontMetrics& fm;
    unsigned format;
    int tabStop;
};

// Breaks one paragraph into lines no wider than `width`, at blanks; a word
// wider than the line stays whole unless DT_EDITCONTROL breaks it.
std::vector<QString> BreakWords(const Layout& lay, const QString& para, int width) {
    std::vector<QString> out;
    QString current;
    int i = 0, n = static_cast<int>(para.size());
    auto flush = [&] {
        // Trailing blanks do not count towards a broken line.
        while (!current.isEmpty() && current.back() == ' ') current.chop(1);
        out.push_back(current);
        current.clear();
    };
    while (i < n) {
        int j = i;
        while (j < n && para[j] != ' ') ++j;
        int k = j;
        while (k < n && para[k] == ' ') ++k;
        QString word = para.mid(i, j - i), blanks = para.mid(j, k - j);
        QString trial = current + word;
        if (!current.isEmpty() && lay.Width(trial) > width) {
            flush();
            trial = word;
        }
        if (current.isEmpty() && lay.Width(word) > width && (lay.format & DT_EDITCONTROL)) {
            QString piece;
            for (QChar ch : word) {
                if (!piece.isEmpty() && lay.Width(piece + ch) > width) {
                    out.push_back(piece);
                    piece.clear();
                }
                piece += ch;
            }
            trial = piece;
        }
        current = trial + blanks;
        i = k;
    }
    if (!current.isEmpty() || out.empty()) flush();
    return out;
}

QString EndEllipsis(const Layout& lay, const QString& s, int width) {
    if (lay.Width(s) <= width) return s;
    const QString dots = QStringLiteral("...");
    QString t = s;
    while (!t.isEmpty() && lay.Width(t + dots) > width) t.chop(1);
    return t + dots;
}

// Keeps the end of a path (after the last separator) and drops what comes
// before it, from its end, until it fits.
QString PathEllipsis(const Layout& lay, const QString& s, int width) {
    if (lay.Width(s) <= width) return s;
    int sep = std::max(s.lastIndexOf('/'), s.lastIndexOf('\\'));
    if (sep < 0) return EndEllipsis(lay, s, width);
    QString head = s.left(sep), tail = s.mid(sep);
    const QString dots = QStringLiteral("...");
    while (!head.isEmpty() && lay.Width(head + dots + tail) > width) head.chop(1);
    if (lay.Width(head + dots + tail) > width) return dots + tail;
    return head + dots + tail;
}

}  // namespace

int DrawText(TCanvas* canvas, const String& text, TRect& rect, unsigned format) {
    return DrawTextEx(canvas, text, rect, format, nullptr);
}

int DrawTextEx(TCanvas* canvas, const String& text, TRect& outer, unsigned format, TDrawTextParams* params) {
    if (!canvas) return 0;
    int tabChars = params ? params->iTabLength : 8;
    if (format & DT_TABSTOP) {
        tabChars = static_cast<int>((format >> 8) & 0xFF);
        format &= ~0xFF00u;
    }
    int leftMargin = params ? params->iLeftMargin : 0, rightMargin = params ? params->iRightMargin : 0;
    TRect rect = outer;
    rect.Left += leftMargin;
    rect.Right -= rightMargin;
    QFont font = canvas->TextFont();
    QFontMetrics fm(font);
    Layout lay(fm, format, tabChars);
    int lineHeight = fm.height() + ((format & DT_EXTERNALLEADING) ? fm.leading() : 0);
    bool single = format & DT_SINGLELINE;
    int width = rect.Width();

    QString all = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
    if (params) params->uiLengthDrawn = static_cast<unsigned>(all.size());
    std::vector<QString> paragraphs;
    if (single) {
        all.remove('\r');
        all.remove('\n');
        paragraphs.push_back(all);
    } else if (!all.isEmpty()) {
        all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        all.replace('\r', '\n');
        for (const QString& p : all.split('\n')) paragraphs.push_back(p);
        // A closing line break ends the last line; it does not open another.
        if (paragraphs.size() > 1 && paragraphs.back().isEmpty()) paragraphs.pop_back();
    }
    if (!(format & DT_EXPANDTABS))
        for (QString& p : paragraphs) p.replace('\t', ' ');

    bool prefix = !(format & DT_NOPREFIX);
    bool underline = prefix && !(format & DT_HIDEPREFIX);
    std::vector<Line> lines;
    for (const QString& para : paragraphs) {
        // Prefixes go first, so measuring sees the text as it shows.
        Line stripped = prefix ? StripPrefix(para, underline) : Line{para, -1};
        std::vector<QString> pieces;
        if (!single && (format & DT_WORDBREAK))
            pieces = BreakWords(lay, stripped.text, width);
        else
            pieces.push_back(stripped.text);
        int offset = 0;
        for (const QString& piece : pieces) {
            Line l{piece, -1};
            if (stripped.underline >= offset && stripped.underline < offset + piece.size())
                l.underline = stripped.underline - offset;
            offset += static_cast<int>(piece.size());
            while (offset < stripped.text.size() && stripped.text[offset] == ' ' &&
                   (pieces.size() > 1))
                ++offset;
            if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) {
                QString e = EndEllipsis(lay, l.text, width);
                if (e != l.text && l.underline >= e.size() - 3) l.underline = -1;
                l.text = e;
            } else if (format & DT_PATH_ELLIPSIS) {
                QString e = PathEllipsis(lay, l.text, width);
                if (e != l.text) l.underline = -1;
                l.text = e;
            }
            lines.push_back(l);
        }
    }

    int textHeight = static_cast<int>(lines.size()) * lineHeight;
    int textWidth = 0;
    for (const Line& l : lines) textWidth = std::max(textWidth, lay.Width(l.text));

    int top = rect.Top;
    if (single) {
        if (format & DT_VCENTER)
            top = rect.Top + (rect.Height() - textHeight) / 2;
        else if (format & DT_BOTTOM)
            top = rect.Bottom - textHeight;
    }
    int result = (single && (format & (DT_VCENTER | DT_BOTTOM))) ? top - rect.Top + textHeight : textHeight;

    if (format & DT_CALCRECT) {
        outer.Right = rect.Left + textWidth + rightMargin;
        outer.Bottom = rect.Top + textHeight;
        return textHeight;
    }

    QPainter* p = canvas->Painter();
    if (!p || lines.empty()) return result;
    bool opaque = canvas->Brush()->Style() == bsSolid && !canvas->Brush()->Bitmap();
    QColor bk = ToQColor(canvas->Brush()->Color());
    QColor fg = ToQColor(canvas->Font()->Color());
    p->save();
    if (!(format & DT_NOCLIP)) p->setClipRegion(canvas->ClipRegion().QtRegion().intersected(ToQRect(rect)));
    p->setFont(font);
    p->setPen(fg);
    int y = top;
    for (const Line& l : lines) {
        // An edit control shows no partly visible last line.
        if ((format & DT_EDITCONTROL) && y != top && y + lineHeight > rect.Bottom) break;
        int w = lay.Width(l.text);
        int x = rect.Left;
        if (format & DT_CENTER)
            x = rect.Left + (rect.Width() - w) / 2;
        else if (format & DT_RIGHT)
            x = rect.Right - w;
        if (opaque) p->fillRect(QRect(x, y, w, lineHeight), bk);
        if ((format & DT_EXPANDTABS) && l.text.contains('\t')) {
            int cx = x;
            const auto parts = l.text.split('\t');
            for (int i = 0; i < parts.size(); ++i) {
                p->drawText(cx, y + fm.ascent(), parts[i]);
                cx += fm.horizontalAdvance(parts[i]);
                if (i + 1 < parts.size()) cx = x + ((cx - x) / lay.tabStop + 1) * lay.tabStop;
            }
        } else {
            p->drawText(x, y + fm.ascent(), l.text);
        }
        if (l.underline >= 0 && l.underline < l.text.size()) {
            int ux = x + lay.Width(l.text.left(l.underline));
            int uw = fm.horizontalAdvance(l.text.at(l.underline));
            p->fillRect(QRect(ux, y + fm.ascent() + std::max(1, fm.underlinePos()), uw, 1), fg);
        }
        y += lineHeight;
    }
    p->restore();
    return result;
}

// --- edges and frames ---

namespace {

void Fill(QPainter* p, int x, int y, int w, int h, TColor c) {
    if (w > 0 && h > 0) p->fillRect(QRect(x, y, w, h), ToQColor(c));
}

// One one-pixel border along the chosen sides; the bottom-right colour owns
// the top-right and bottom-left corners. Moves r inward past it.
void Border(QPainter* p, TRect& r, unsigned sides, TColor topLeft, TColor bottomRight) {
    if (r.IsEmpty()) return;
    int bottomCut = (sides & BF_BOTTOM) ? 1 : 0, rightCut = (sides & BF_RIGHT) ? 1 : 0;
    if (sides & BF_LEFT) Fill(p, r.Left, r.Top, 1, r.Height() - bottomCut, topLeft);
    if (sides & BF_TOP) Fill(p, r.Left, r.Top, r.Width() - rightCut, 1, topLeft);
    if (sides & BF_RIGHT) Fill(p, r.Right - 1, r.Top, 1, r.Height(), bottomRight);
    if (sides & BF_BOTTOM) Fill(p, r.Left, r.Bottom - 1, r.Width(), 1, bottomRight);
    if (sides & BF_LEFT) ++r.Left;
    if (sides & BF_TOP) ++r.Top;
    if (sides & BF_RIGHT) --r.Right;
    if (sides & BF_BOTTOM) --r.Bottom;
}

void Diagonal(TCanvas* canvas, const TRect& r, unsigned flags, TColor c) {
    TPen saved;
    saved.Assign(canvas->Pen());
    canvas->Pen()->SetColor(c);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetMode(pmCopy);
    switch (flags & (BF_RECT | BF_DIAGONAL)) {
        case BF_DIAGONAL_ENDTOPRIGHT:
            canvas->MoveTo(r.Left, r.Bottom - 1);
            canvas->LineTo(r.Right, r.Top - 1);
            break;
        case BF_DIAGONAL_ENDTOPLEFT:
            canvas->MoveTo(r.Right - 1, r.Bottom - 1);
            canvas->LineTo(r.Left - 1, r.Top - 1);
            break;
        case BF_DIAGONAL_ENDBOTTOMLEFT:
            canvas->MoveTo(r.Right - 1, r.Top);
            canvas->LineTo(r.Left - 1, r.Bottom);
            break;
        default:
            canvas->MoveTo(r.Left, r.Top);
            canvas->LineTo(r.Right, r.Bottom);
            break;
    }
    canvas->Pen()->Assign(&saved);
}

}  // namespace

bool DrawEdge(TCanvas* canvas, TRect& rect, unsigned edge, unsigned flags) {
    if (!canvas || rect.IsEmpty()) return false;
    bool soft = flags & BF_SOFT;
    unsigned outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
    TColor oTL = clNone, oBR = clNone, iTL = clNone, iBR = clNone;
    if (flags & BF_MONO) {
        if (outer) oTL = oBR = clWindowFrame;
        if (inner) iTL = iBR = clWindow;
    } else if (flags & BF_FLAT) {
        if (outer) oTL = oBR = clBtnShadow;
        if (inner) iTL = iBR = clBtnFace;
    } else {
        if (outer & BDR_RAISEDOUTER) {
            oTL = soft ? clBtnHighlight : cl3DLight;
            oBR = cl3DDkShadow;
        } else if (outer & BDR_SUNKENOUTER) {
            oTL = soft ? cl3DDkShadow : clBtnShadow;
            oBR = clBtnHighlight;
        }
        if (inner & BDR_RAISEDINNER) {
            iTL = soft ? cl3DLight : clBtnHighlight;
            iBR = clBtnShadow;
        } else if (inner & BDR_SUNKENINNER) {
            iTL = soft ? clBtnShadow : cl3DDkShadow;
            iBR = cl3DLight;
        }
    }
    if (flags & BF_DIAGONAL) {
        if (oBR != clNone) Diagonal(canvas, rect, flags, oBR);
        return true;
    }
    TRect r = rect;
    QPainter* p = canvas->Painter();
    if (!p) return false;
    unsigned sides = flags & BF_RECT;
    if (oTL != clNone) Border(p, r, sides, oTL, oBR);
    if (iTL != clNone) Border(p, r, sides, iTL, iBR);
    if ((flags & BF_MIDDLE) && !r.IsEmpty())
        Fill(p, r.Left, r.Top, r.Width(), r.Height(), (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST) rect = r;
    return true;
}

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    if (!canvas) return;
    canvas->Pen()->SetWidth(1);
    if (QPainter* p = canvas->Painter()) {
        for (int i = 0; i < width && !rect.IsEmpty(); ++i) Border(p, rect, BF_RECT, topColor, bottomColor);
    }
    // Callers of the classic routine found the pen in the bottom colour.
    canvas->Pen()->SetColor(bottomColor);
}

// --- frame controls ---

namespace {

void Arrow(QPainter* p, const TRect& r, int direction, TColor c) {
    // A solid triangle pointing up (0), down (1), left (2) or right (3).
    int size = std::max(1, (std::min(r.Width(), r.Height()) + 1) / 3);
    int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    for (int i = 0; i < size; ++i) {
        int half = i;
        switch (direction) {
            case 0: Fill(p, cx - half, cy - size / 2 + i, 2 * half + 1, 1, c); break;
            case 1: Fill(p, cx - half, cy + size / 2 - i, 2 * half + 1, 1, c); break;
            case 2: Fill(p, cx - size / 2 + i, cy - half, 1, 2 * half + 1, c); break;
            default: Fill(p, cx + size / 2 - i, cy - half, 1, 2 * half + 1, c); break;
        }
    }
}

void Glyph(QPainter* p, const TRect& r, int direction, bool inactive) {
    if (inactive) {
        Arrow(p, Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1), direction, clBtnHighlight);
        Arrow(p, r, direction, clBtnShadow);
    } else {
        Arrow(p, r, direction, clBtnText);
    }
}

// The 7 x 7 check mark, one column at a time: first row and length.
void CheckMark(QPainter* p, int x, int y, TColor c) {
    static const int first[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i) Fill(p, x + i, y + first[i], 1, 3, c);
}

// The classic 12 x 12 radio button: two rings split along the diagonal
// into their top-left and bottom-right colours, the face inside them and a
// 4 x 4 dot when checked.
void RadioBox(QPainter* p, int left, int top, unsigned state, TColor face, TColor mark) {
    static const char* const outer[12] = {
        "....####....", "..##....##..", ".#........#.", ".#........#.", "#..........#", "#..........#",
        "#..........#", "#..........#", ".#........#.", ".#........#.", "..##....##..", "....####....",
    };
    static const char* const inner[12] = {
        "............", "....####....", "..##....##..", "..#......#..", ".#........#.", ".#........#.",
        ".#........#.", ".#........#.", "..#......#..", "..##....##..", "....####....", "............",
    };
    static const char* const dot[4] = {".##.", "####", "####", ".##."};
    bool flat = state & DFCS_FLAT, mono = state & DFCS_MONO;
    TColor outerTL = mono ? clWindowFrame : clBtnShadow, outerBR = mono ? clWindowFrame : flat ? clBtnShadow : clBtnHighlight;
    TColor innerTL = mono ? clWindow : flat ? clBtnFace : cl3DDkShadow, innerBR = mono ? clWindow : flat ? clBtnFace : cl3DLight;
    for (int y = 0; y < 12; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < 12; ++x) {
            bool topLeft = x + y < 11;
            if (outer[y][x] == '#') Fill(p, left + x, top + y, 1, 1, topLeft ? outerTL : outerBR);
            if (inner[y][x] == '#') {
                Fill(p, left + x, top + y, 1, 1, topLeft ? innerTL : innerBR);
                if (first < 0) first = x;
                last = x;
            }
        }
        for (int x = first + 1; first >= 0 && x < last; ++x)
            if (inner[y][x] != '#') Fill(p, left + x, top + y, 1, 1, face);
    }
    if (state & DFCS_CHECKED)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                if (dot[y][x] == '#') Fill(p, left + 4 + x, top + 4 + y, 1, 1, mark);
}

void ButtonFace(TCanvas* canvas, TRect& r, unsigned state) {
    unsigned flags = BF_RECT | BF_MIDDLE | BF_SOFT | BF_ADJUST;
    if (state & DFCS_FLAT) flags |= BF_FLAT;
    if (state & DFCS_MONO) flags |= BF_MONO;
    DrawEdge(canvas, r, (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED, flags);
}

}  // namespace

bool DrawFrameControl(TCanvas* canvas, TRect& rect, unsigned kind, unsigned state) {
    if (!canvas) return false;
    QPainter* p = canvas->Painter();
    if (!p) return false;
    unsigned part = state & 0xFF;
    bool inactive = state & DFCS_INACTIVE;
    switch (kind) {
        case DFC_BUTTON: {
            if (part & DFCS_BUTTONPUSH) {
                TRect r = rect;
                ButtonFace(canvas, r, state);
                if (state & DFCS_ADJUSTRECT) rect = r;
                return true;
            }
            // Check and radio boxes are 13 x 13, centred.
            TRect box = Bounds(rect.Left + (rect.Width() - 13) / 2, rect.Top + (rect.Height() - 13) / 2, 13, 13);
            TColor face = (inactive || (state & DFCS_PUSHED)) ? clBtnFace : clWindow;
            TColor mark = inactive ? clGrayText : clWindowText;
            if (part & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
                RadioBox(p, rect.Left + (rect.Width() - 12) / 2, rect.Top + (rect.Height() - 12) / 2, state, face, mark);
                return true;
            }
            TRect r = box;
            unsigned flags = BF_RECT | BF_ADJUST;
            if (state & DFCS_FLAT) flags |= BF_FLAT;
            if (state & DFCS_MONO) flags |= BF_MONO;
            DrawEdge(canvas, r, EDGE_SUNKEN, flags);
            bool grey = (part & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
            Fill(p, r.Left, r.Top, r.Width(), r.Height(), grey ? clBtnFace : face);
            if (state & DFCS_CHECKED) CheckMark(p, box.Left + 3, box.Top + 3, grey ? clBtnShadow : mark);
            return true;
        }
        case DFC_SCROLL: {
            TRect r = rect;
            if (part == DFCS_SCROLLSIZEGRIP || part == DFCS_SCROLLSIZEGRIPRIGHT) {
                Fill(p, r.Left, r.Top, r.Width(), r.Height(), clBtnFace);
                // Three diagonal ridges in the bottom-right corner.
                int n = std::min(r.Width(), r.Height());
                for (int d = 0; d < 3; ++d)
                    for (int i = 0; i < n; ++i) {
                        int k = n - 1 - 4 * d - 1;
                        int x = r.Right - 1 - i, y = r.Bottom - 1 - (k - i);
                        if (k - i < 0 || y < r.Top) continue;
                        Fill(p, x, y, 1, 1, clBtnHighlight);
                        if (y + 1 < r.Bottom) Fill(p, x, y + 1, 1, 1, clBtnShadow);
                        if (y + 2 < r.Bottom) Fill(p, x, y + 2, 1, 1, clBtnShadow);
                    }
                return true;
            }
            if (state & DFCS_PUSHED) {
                DrawEdge(canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
                r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
            } else {
                ButtonFace(canvas, r, state);
            }
            int dir = part == DFCS_SCROLLCOMBOBOX ? 1 : static_cast<int>(part & 3);
            Glyph(p, r, dir, inactive);
            return true;
        }
        case DFC_CAPTION: {
            TRect r = rect;
            ButtonFace(canvas, r, state);
            if (state & DFCS_PUSHED) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
            auto draw = [&](int dx, TColor c) {
                int cx = r.Left + r.Width() / 2 + dx, cy = r.Top + r.Height() / 2 + dx;
                int s = std::max(2, std::min(r.Width(), r.Height()) / 2 - 1);
                switch (part) {
                    case DFCS_CAPTIONCLOSE:
                        // The cross fills the face inside its edge; half of
                        // it would shrink to a dot on a small button.
                        s = std::max(2, std::min(r.Width(), r.Height()) - 2);
                        for (int i = 0; i < s; ++i) {
                            Fill(p, cx - s / 2 + i, cy - s / 2 + i, 2, 1, c);
                            Fill(p, cx + s / 2 - i - 1, cy - s / 2 + i, 2, 1, c);
                        }
                        break;
                    case DFCS_CAPTIONMIN: Fill(p, cx - s / 2, cy + s / 2 - 2, s, 2, c); break;
                    case DFCS_CAPTIONMAX:
                        Fill(p, cx - s / 2, cy - s / 2, s, 2, c);
                        Fill(p, cx - s / 2, cy - s / 2, 1, s, c);
                        Fill(p, cx + s / 2 - 1, cy - s / 2, 1, s, c);
                        Fill(p, cx - s / 2, cy + s / 2 - 1, s, 1, c);
                        break;
                    case DFCS_CAPTIONRESTORE:
                        Fill(p, cx - s / 2 + 2, cy - s / 2, s - 2, 2, c);
                        Fill(p, cx + s / 2 - 1, cy - s / 2, 1, s - 2, c);
                        Fill(p, cx - s / 2, cy - s / 2 + 3, s - 2, 2, c);
                        Fill(p, cx - s / 2, cy - s / 2 + 3, 1, s - 3, c);
                        Fill(p, cx + s / 2 - 3, cy - s / 2 + 3, 1, s - 3, c);
                        Fill(p, cx - s / 2, cy + s / 2 - 1, s - 2, 1, c);
                        break;
                    default: {
                        p->setPen(ToQColor(c));
                        p->drawText(QRect(r.Left + dx, r.Top + dx, r.Width(), r.Height()), Qt::AlignCenter,
                                    QStringLiteral("?"));
                        break;
                    }
                }
            };
            if (inactive) {
                draw(1, clBtnHighlight);
                draw(0, clBtnShadow);
            } else {
                draw(0, clBtnText);
            }
            return true;
        }
        case DFC_MENU:
        case DFC_POPUPMENU: {
            TColor c = clMenuText;
            if (part == DFCS_MENUCHECK)
                CheckMark(p, rect.Left + (rect.Width() - 7) / 2, rect.Top + (rect.Height() - 7) / 2, c);
            else if (part == DFCS_MENUBULLET)
                Fill(p, rect.Left + rect.Width() / 2 - 2, rect.Top + rect.Height() / 2 - 2, 4, 4, c);
            else
                Arrow(p, rect, part == DFCS_MENUARROWRIGHT ? 2 : 3, c);
            return true;
        }
        default: return false;
    }
}
