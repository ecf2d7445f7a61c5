#include "gridkit/markup/GkMarkup.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapResources.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/Region.h"
#include "framework/graphics/ShellIcons.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"

namespace {

constexpr unsigned kMeasureFlags = DT_EXPANDTABS | DT_EXTERNALLEADING | DT_CALCRECT | DT_NOPREFIX;
constexpr unsigned kDrawFlags =
    DT_SINGLELINE | DT_BOTTOM | DT_NOCLIP | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOPREFIX;
// The distance between list levels, and from a bullet to its text.
constexpr int kListIndent = 12;

bool StartsWith(const String& s, const char* prefix) {
    return s.compare(0, std::strlen(prefix), prefix) == 0;
}

// The font as the tags leave it; applied to the canvas before each word.
struct TFontState {
    String Name;
    int Height = 0;
    TFontStyles Style = 0;
    TColor Color = clBlack;
    int Orientation = 0;

    void Take(const TFont* f) {
        Name = f->Name();
        Height = f->Height();
        Style = f->Style();
        Color = f->Color();
        Orientation = f->Orientation();
    }
    void Apply(TFont* f) const {
        if (f->Name() != Name) f->SetName(Name);
        if (f->Height() != Height) f->SetHeight(Height);
        if (f->Style() != Style) f->SetStyle(Style);
        if (f->Color() != Color) f->SetColor(Color);
        if (f->Orientation() != Orientation) f->SetOrientation(Orientation);
    }
};

// What carries over from one line to the next. A line is laid out twice
// from the same state, so everything a tag may change lives here.
struct TState {
    TFontState Font;
    TColor TextBack = clNone;   // background behind words (FONT bgcolor)
    TColor SavedTextBack = clNone;
    TColor HoverSavedBack = clNone;
    int Align = 0;              // 0 left, 1 right, 2 center
    TColor Band = clNone;       // paragraph background across the rect
    bool InAnchor = false;
    String Href;
    int AnchorIndex = -1;
    int AnchorCount = 0;
    int ListLevel = 0;
    bool Sub = false, Sup = false, Shadow = false;
};

struct TLine {
    int Width = 0;
    int Height = 0;   // tallest word or image
    int SubOffset = 0, SupOffset = 0, ImageOffset = 0;
    bool Rule = false;  // an HR ended the line
    TColor Band = clNone;  // the paragraph band the line lies in
    int Block() const { return Height + ImageOffset + SubOffset + SupOffset; }
};

String ReplaceEntities(const String& word) {
    static const struct {
        const char* Name;
        char Ch;
    } kEntities[] = {{"&LT;", '<'}, {"&GT;", '>'}, {"&AMP;", '&'}, {"&QUOT;", '"'}};
    if (word.find('&') == String::npos) return word;
    String out;
    out.reserve(word.size());
    for (size_t i = 0; i < word.size();) {
        bool replaced = false;
        if (word[i] == '&') {
            for (const auto& e : kEntities) {
                const size_t n = std::strlen(e.Name);
                if (UpperCase(word.substr(i, n)) == e.Name) {
                    out += e.Ch;
                    i += n;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += word[i++];
    }
    return out;
}

// The quoted value of an attribute of a tag; empty when the attribute is
// missing or its value is not quoted. The name must stand on its own, so
// "color" is not found inside "bgcolor".
String Attr(const String& tag, const char* name) {
    const String upper = UpperCase(tag);
    const String key = UpperCase(name);
    for (size_t p = upper.find(key); p != String::npos; p = upper.find(key, p + 1)) {
        if (p == 0 || static_cast<unsigned char>(upper[p - 1]) > ' ') continue;
        size_t q = p + key.size();
        while (q < upper.size() && upper[q] == ' ') ++q;
        if (q >= upper.size() || upper[q] != '=') continue;
        ++q;
        while (q < upper.size() && upper[q] == ' ') ++q;
        if (q >= tag.size() || tag[q] != '"') return String();
        const size_t end = tag.find('"', q + 1);
        if (end == String::npos) return String();
        return tag.substr(q + 1, end - q - 1);
    }
    return String();
}

// A colour attribute: "#rrggbb" or a colour name; false for anything else.
bool ParseColour(const String& value, TColor& colour) {
    if (value.find('#') != String::npos) {
        colour = MarkupHexColor(value);
        return true;
    }
    if (LowerCase(value).find("cl") != String::npos) {
        colour = MarkupColorByName(LowerCase(value));
        return true;
    }
    return false;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One call of RenderMarkup.
class TRenderer {
public:
    TRenderer(const TMarkupParams& p, TMarkupResult& r) : P(p), R(r), C(p.Canvas) {}

    bool Run();

private:
    enum TTagResult { tagDone, tagEndsLine, tagRefused };

    // Lays out one line from the current position. The first pass measures
    // and decides where the line ends; the second (limit = that end) draws
    // or hit-tests at the aligned position.
    void LayLine(bool second, int x0, int y, const TLine* measured, TLine& line, size_t limit);
    TTagResult Tag(const String& tag, bool second, int y, const TLine* measured, TLine& line);
    void Image(const String& tag, bool second, int y, const TLine* measured, TLine& line, bool& refused);
    void Body(const String& tag);
    void CloseAnchorOnLine(int y, const TLine* measured, bool second);
    int LineBottom(int y, const TLine* m) const { return y + m->SupOffset + m->Height; }
    bool Drawing(bool second) const { return second && !P.MeasureOnly && !P.NoDraw; }
    bool HitTesting(bool second) const { return second && !P.MeasureOnly && P.MouseX >= 0; }
    bool FinalPass(bool second) const { return second || P.MeasureOnly; }
    int TextWidth(const String& s);
    void Hit(const TRect& r);

    const TMarkupParams& P;
    TMarkupResult& R;
    TCanvas* C;
    String FText;
    size_t FPos = 0;
    TState S;
    TFontState FBase;
    TColor FStartBrush = clWhite;
    int FGh = 0;
    // Per line.
    int FX = 0;
    int FAnchorStartX = 0;
    bool FLiOnLine = false;
    int FTrailingBlank = 0;
    int FHitIndex = -1;
};

int TRenderer::TextWidth(const String& s) {
    TRect r{0, 0, 0, 0};
    DrawText(C, s, r, kMeasureFlags);
    return r.Width();
}

void TRenderer::Hit(const TRect& r) {
    if (P.MouseX >= r.Left && P.MouseX < r.Right && P.MouseY >= r.Top && P.MouseY < r.Bottom) {
        R.OverAnchor = true;
        R.Anchor = S.Href;
        FHitIndex = S.AnchorIndex;
    }
}

void TRenderer::CloseAnchorOnLine(int y, const TLine* m, bool second) {
    if (!second || P.MeasureOnly || !S.InAnchor) return;
    const TRect r{FAnchorStartX, y, FX, y + m->Block()};
    if (FHitIndex == S.AnchorIndex && S.AnchorIndex >= 0) {
        R.AnchorIndex = S.AnchorIndex;
        R.AnchorRect = r;
    }
    if (S.AnchorIndex == P.FocusAnchor && P.FocusAnchor >= 0) {
        R.FocusRect = TRect{r.Left - 1, r.Top, r.Right + 1, r.Bottom};
        if (Drawing(second)) C->DrawFocusRect(R.FocusRect);
    }
}

void TRenderer::Body(const String& tag) {
    TColor back;
    if (ParseColour(Attr(tag, "bgcolor"), back)) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(back);
        C->FillRect(P.Rect);
        C->Brush()->SetStyle(bsClear);
    }
    String file = Attr(tag, "background");
    const int at = Pos("file://", file);
    if (at == 0) return;
    file = file.substr(at - 1 + 7);
    if (!FileExists(file)) return;
    TBitmap tile;
    try {
        tile.LoadFromFile(file);
    } catch (const Exception&) {
        return;  // not a picture: no background
    }
    if (tile.Width() <= 0 || tile.Height() <= 0) return;
    const bool hadClip = C->HasClip();
    const TRegion saved = C->ClipRegion();
    C->IntersectClipRect(P.Rect);
    for (int y = P.Rect.Top; y < P.Rect.Bottom; y += tile.Height())
        for (int x = P.Rect.Left; x < P.Rect.Right; x += tile.Width()) C->Draw(x, y, &tile);
    C->SelectClipRgn(hadClip ? &saved : nullptr);
}

void TRenderer::Image(const String& tag, bool second, int y, const TLine* m, TLine& line, bool& refused) {
    refused = false;
    String src = Attr(tag, "src");
    int w = 0, h = 0;
    int index = -1;
    std::unique_ptr<TBitmap> file;
    int shell = -1;  // 0 small, 1 large shell icon
    auto cut = [&src](const char* prefix) {
        if (Pos(prefix, src) == 0) return false;
        src.erase(0, std::min(src.size(), std::strlen(prefix)));
        return true;
    };
    if (cut("idx:")) {
        index = StrToIntDef(src, -1);
        if (P.Images && index >= 0 && index < P.Images->Count()) {
            w = P.Images->Width();
            h = P.Images->Height();
        } else {
            index = -1;
        }
    } else if (cut("ssys:") || cut("lsys:")) {
        // The desktop theme's icon of a file, folder or file type. A bare
        // number would index the shell's image list, which there is none
        // of here: no image.
        const bool large = Pos("ssys:", Attr(tag, "src")) == 0;
        const bool number = !src.empty() && src.find_first_not_of("0123456789") == String::npos;
        if (!number && HasShellIcon(src, large)) {
            shell = large ? 1 : 0;
            const TSize s = ShellIconSize(large);
            w = s.cx;
            h = s.cy;
        }
    } else if (cut("res://")) {
        file = std::make_unique<TBitmap>();
        if (FindBitmapResource(src, file.get())) {
            w = file->Width();
            h = file->Height();
        } else {
            file.reset();
        }
    } else if (cut("file://")) {
        if (FileExists(src)) {
            file = std::make_unique<TBitmap>();
            try {
                file->LoadFromFile(src);
                w = file->Width();
                h = file->Height();
            } catch (const Exception&) {
                file.reset();
            }
        }
    }
    if (w <= 0 || h <= 0) return;
    if (P.ScaledImages) {
        w = static_cast<int>(std::lround(w * P.ImageScale));
        h = static_cast<int>(std::lround(h * P.ImageScale));
    }
    if (!second && FX + w > P.Rect.Right && FX > P.Rect.Left + 1) {
        refused = true;
        return;
    }
    if (second && !P.MeasureOnly) {
        const TRect r{FX, y + m->SupOffset, FX + w, y + m->SupOffset + h};
        if (Drawing(second)) {
            if (index >= 0) {
                if (P.ScaledImages) {
                    TBitmap b;
                    P.Images->GetBitmap(index, &b);
                    C->StretchDraw(r, &b);
                } else {
                    P.Images->Draw(C, r.Left, r.Top, index);
                }
            } else if (shell >= 0) {
                DrawShellIcon(C, r, src, shell == 1);
            } else if (file) {
                if (P.ScaledImages) C->StretchDraw(r, file.get());
                else C->Draw(r.Left, r.Top, file.get());
            }
        }
        if (HitTesting(second) && S.InAnchor) Hit(r);
    }
    FX += w;
    line.Height = std::max(line.Height, h);
    const String align = LowerCase(Attr(tag, "align"));
    if (align == "top") line.ImageOffset = line.Height - FGh;
    else if (align == "middle") line.ImageOffset = (line.Height - FGh) / 2;
}

TRenderer::TTagResult TRenderer::Tag(const String& tag, bool second, int y, const TLine* m, TLine& line) {
    const String u = UpperCase(tag);
    const bool closing = StartsWith(u, "</");
    const size_t at = closing ? 2 : 1;
    if (u.size() <= at) return tagDone;
    const bool draw = Drawing(second);
    switch (u[at]) {
    case 'A':
        if (!closing) {
            S.InAnchor = true;
            S.Href = Attr(tag, "href");
            S.AnchorIndex = S.AnchorCount++;
            FAnchorStartX = FX;
            S.Font.Style |= fsUnderline;
            if (!P.KeepColors) S.Font.Color = P.URLColor;
            if (!P.HoverOnly || S.AnchorIndex == P.HoverAnchor) {
                S.HoverSavedBack = S.TextBack;
                if (P.HoverColor != clNone) S.TextBack = P.HoverColor;
                if (P.HoverFontColor != clNone && !P.KeepColors) S.Font.Color = P.HoverFontColor;
            }
        } else if (S.InAnchor) {
            CloseAnchorOnLine(y, m, second);
            S.Font.Style &= ~fsUnderline;
            if (P.HoverColor != clNone) S.TextBack = S.HoverSavedBack;
            if (!P.KeepColors) S.Font.Color = FBase.Color;
            S.InAnchor = false;
            S.Href.clear();
        }
        return tagDone;
    case 'B':
        if (closing) {
            if (StartsWith(u, "</BL")) S.Font.Color = FBase.Color;
            else if (StartsWith(u, "</B>")) S.Font.Style &= ~fsBold;
            return tagDone;
        }
        if (StartsWith(u, "<BR>") || StartsWith(u, "<BR ") || StartsWith(u, "<BR/")) {
            if (FinalPass(second)) R.PlainText += '\r';
            return tagEndsLine;
        }
        if (StartsWith(u, "<BLINK")) {
            if (!P.BlinkOn) S.Font.Color = FStartBrush;
        } else if (StartsWith(u, "<BODY")) {
            if (draw) Body(tag);
        } else if (StartsWith(u, "<B>")) {
            S.Font.Style |= fsBold;
        }
        return tagDone;
    case 'F':
        if (!closing) {
            if (!StartsWith(u, "<FONT")) return tagDone;
            const String face = Attr(tag, "face");
            if (!face.empty()) S.Font.Name = face;
            TColor c;
            if (!P.KeepColors && ParseColour(Attr(tag, "color"), c)) S.Font.Color = c;
            if (!P.MeasureOnly && !P.KeepColors && ParseColour(Attr(tag, "bgcolor"), c)) {
                S.SavedTextBack = S.TextBack;
                S.TextBack = c;
            }
            const int size = StrToIntDef(Trim(Attr(tag, "size")), 0);
            if (size > 0) {
                TFont f;
                f.SetSize(size);
                S.Font.Height = f.Height();
            }
        } else if (StartsWith(u, "</F")) {
            S.Font.Name = FBase.Name;
            S.Font.Height = FBase.Height;
            if (!P.KeepColors) {
                S.Font.Color = FBase.Color;
                S.TextBack = S.SavedTextBack;
                S.SavedTextBack = clNone;
            }
        }
        return tagDone;
    case 'H':
        if (!closing && StartsWith(u, "<HR")) {
            line.Rule = true;
            return tagEndsLine;
        }
        return tagDone;
    case 'I':
        if (closing) {
            S.Font.Style &= ~fsItalic;
        } else if (StartsWith(u, "<IND")) {
            const String v = Trim(Attr(tag, "x"));
            int n = 0;
            if (TryStrToInt(v, n) && FX < P.Rect.Left + n) FX = P.Rect.Left + n;
        } else if (StartsWith(u, "<IMG")) {
            bool refused = false;
            Image(tag, second, y, m, line, refused);
            if (refused) return tagRefused;
        } else if (StartsWith(u, "<I>")) {
            S.Font.Style |= fsItalic;
        }
        return tagDone;
    case 'L':
        if (closing || !StartsWith(u, "<LI")) return tagDone;
        if (FLiOnLine) return tagRefused;
        FLiOnLine = true;
        if (draw && S.ListLevel > 0) {
            TFontState bullet = S.Font;
            bullet.Name = "Symbol";
            bullet.Orientation = 0;
            bullet.Apply(C->Font());
            const bool odd = S.ListLevel % 2 == 1;
            TRect r{FX + kListIndent * (S.ListLevel - 1), y, FX + kListIndent * S.ListLevel,
                    LineBottom(y, m) - m->ImageOffset};
            // The classic bullet font's 0xB7 is the bullet character.
            DrawText(C, odd ? String("\xE2\x80\xA2") : String("o"), r, kDrawFlags);
            S.Font.Apply(C->Font());
        }
        FX += kListIndent * S.ListLevel;
        return tagDone;
    case 'P':
        if (!closing) {
            const String align = UpperCase(Attr(tag, "align"));
            if (align.find("RIGHT") != String::npos) S.Align = 1;
            if (align.find("LEFT") != String::npos) S.Align = 0;
            if (align.find("CENTER") != String::npos) S.Align = 2;
            const String back = Attr(tag, "bgcolor");
            if (!back.empty()) {
                TColor c = clNone;
                if (!ParseColour(back, c)) c = clNone;
                S.Band = c;
                line.Band = c;
            }
            return tagDone;
        }
        S.Band = clNone;
        return tagEndsLine;
    case 'R':
        if (closing) S.Font.Orientation = 0;
        else S.Font.Orientation = StrToIntDef(Trim(Attr(tag, "a")), 0) * 10;
        return tagDone;
    case 'S':
        if (closing) {
            if (StartsWith(u, "</SU")) S.Sub = S.Sup = false;
            else if (StartsWith(u, "</SH")) S.Shadow = false;
            else S.Font.Style &= ~fsStrikeOut;
        } else if (StartsWith(u, "<SUB>")) {
            S.Sub = true;
        } else if (StartsWith(u, "<SUP>")) {
            S.Sup = true;
        } else if (StartsWith(u, "<SHAD>")) {
            S.Shadow = true;
        } else if (StartsWith(u, "<S>")) {
            S.Font.Style |= fsStrikeOut;
        }
        return tagDone;
    case 'U':
        if (closing) {
            if (StartsWith(u, "</UL>")) {
                if (S.ListLevel >= 1) --S.ListLevel;
                else S.Font.Style &= ~fsUnderline;
            } else {
                S.Font.Style &= ~fsUnderline;
            }
        } else if (StartsWith(u, "<UL>")) {
            ++S.ListLevel;
        } else {
            S.Font.Style |= fsUnderline;
        }
        return tagDone;
    default: return tagDone;
    }
}

void TRenderer::LayLine(bool second, int x0, int y, const TLine* m, TLine& line, size_t limit) {
    FX = x0;
    FAnchorStartX = x0;
    FLiOnLine = false;
    FTrailingBlank = 0;
    line = TLine{};
    line.Height = FGh;
    line.Band = S.Band;
    while (FPos < limit) {
        // A word runs to the next "<" or through the next blank.
        const size_t lt = FText.find('<', FPos);
        const size_t blank = FText.find(' ', FPos);
        size_t end;
        if (lt != String::npos && (blank == String::npos || lt < blank)) end = lt;
        else if (blank != String::npos) end = blank + 1;
        else end = FText.size();
        end = std::min(end, limit);
        if (end > FPos) {
            const String word = ReplaceEntities(FText.substr(FPos, end - FPos));
            S.Font.Apply(C->Font());
            const int ww = TextWidth(word);
            // A word that does not fit goes to the next line; one that
            // fits no line gets one of its own and overflows it.
            if (!second && FX + ww > P.Rect.Right && FX > x0) break;
            const int th = C->TextHeight(word);
            line.Height = std::max(line.Height, th);
            if (S.Sub) line.SubOffset = std::max(line.SubOffset, th / 4);
            if (S.Sup) line.SupOffset = std::max(line.SupOffset, th / 4);
            if (FinalPass(second)) R.PlainText += word;
            if (second && !P.MeasureOnly) {
                int bottom = LineBottom(y, m) - m->ImageOffset;
                if (S.Sup) bottom -= m->SupOffset;
                if (S.Sub) bottom += m->SubOffset;
                const TRect wr{FX, bottom - th, FX + ww, bottom};
                if (Drawing(second)) {
                    const bool opaque = S.TextBack != clNone;
                    C->Brush()->SetStyle(opaque ? bsSolid : bsClear);
                    if (opaque) C->Brush()->SetColor(S.TextBack);
                    auto put = [&](int dx, TColor colour) {
                        C->Font()->SetColor(colour);
                        if (S.Font.Orientation != 0) {
                            C->TextOut(wr.Left + dx, wr.Top + dx, word);
                        } else {
                            TRect r{wr.Left + dx, wr.Top + dx, wr.Right + dx, wr.Bottom + dx};
                            DrawText(C, word, r, kDrawFlags);
                        }
                    };
                    if (S.Shadow) {
                        put(P.ShadowOffset, P.ShadowColor);
                        C->Brush()->SetStyle(bsClear);
                    }
                    put(0, S.Font.Color);
                    C->Brush()->SetStyle(bsClear);
                }
                if (HitTesting(second) && S.InAnchor) Hit(wr);
            }
            FX += ww;
            FTrailingBlank = word.back() == ' ' ? TextWidth(" ") : 0;
            FPos = end;
        }
        if (FPos >= limit) break;
        if (FText[FPos] != '<') continue;
        const size_t close = FText.find('>', FPos);
        const String tag = close == String::npos ? FText.substr(FPos) : FText.substr(FPos, close - FPos + 1);
        const TTagResult res = Tag(tag, second, y, m, line);
        if (res == tagRefused) break;
        // Text after a "<" that is never closed is dropped.
        FPos = close == String::npos ? FText.size() : close + 1;
        if (res == tagEndsLine) break;
    }
    CloseAnchorOnLine(y, m, second);
    line.Width = std::max(0, FX - x0 - FTrailingBlank);
}

bool TRenderer::Run() {
    R = TMarkupResult{};
    if (!C) return false;
    TFont savedFont;
    savedFont.Assign(C->Font());
    const TColor savedBrush = C->Brush()->Color();
    const TBrushStyle savedStyle = C->Brush()->Style();
    FStartBrush = savedBrush;
    FBase.Take(C->Font());
    S.Font = FBase;
    FGh = C->TextHeight("gh");
    // Words are drawn over the background; only a bgcolor fills behind them.
    C->Brush()->SetStyle(bsClear);
    // A "<#" is no tag: it shows as "#", and the ">" after it goes.
    FText = P.Text;
    for (size_t at = FText.find("<#"); at != String::npos; at = FText.find("<#", at)) {
        FText.erase(at, 1);
        const size_t gt = FText.find('>', at);
        if (gt != String::npos) FText.erase(gt, 1);
    }
    if (FText.empty()) R.Height = FGh;
    const bool draw = !P.MeasureOnly && !P.NoDraw;
    const int avail = P.Rect.Right - P.Rect.Left;
    int y = P.Rect.Top;
    while (FPos < FText.size()) {
        const TState start = S;
        const size_t from = FPos;
        TLine measured;
        LayLine(false, P.Rect.Left + 1, y, nullptr, measured, FText.size());
        if (FPos == from) {
            // Nothing fitted and nothing ended the line: take one character
            // so that the layout always moves on.
            ++FPos;
        }
        if (!P.MeasureOnly) {
            const size_t end = FPos;
            const TState after = S;
            S = start;
            FPos = from;
            int x0 = P.Rect.Left + 1;
            if (after.Align == 1) x0 = P.Rect.Right - measured.Width;
            else if (after.Align == 2) x0 = P.Rect.Left + (avail - measured.Width) / 2;
            S.Align = after.Align;
            if (draw) {
                const TColor band = measured.Band;
                if (band != clNone) {
                    C->Brush()->SetStyle(bsSolid);
                    C->Brush()->SetColor(band);
                    C->FillRect(TRect{P.Rect.Left, y, P.Rect.Right, y + measured.Block()});
                    C->Brush()->SetStyle(bsClear);
                }
            }
            TLine drawn;
            LayLine(true, x0, y, &measured, drawn, end);
            FPos = end;
            if (draw && measured.Rule) {
                C->Pen()->SetColor(clBlack);
                C->Pen()->SetWidth(1);
                C->MoveTo(P.Rect.Left, y + measured.Block());
                C->LineTo(P.Rect.Right, y + measured.Block());
            }
        }
        y += measured.Block();
        R.Height += measured.Block();
        R.Width = std::max(R.Width, measured.Width);
        if (draw && y >= P.Rect.Bottom) break;
    }
    C->Font()->Assign(&savedFont);
    C->Brush()->SetColor(savedBrush);
    C->Brush()->SetStyle(savedStyle);
    return R.OverAnchor;
}

}  // namespace

bool RenderMarkup(const TMarkupParams& params, TMarkupResult& result) {
    TRenderer renderer(params, result);
    return renderer.Run();
}

TColor MarkupColorByName(const String& name) {
    static const struct {
        const char* Name;
        TColor Color;
    } kColours[] = {
        {"clred", clRed},
        {"clblack", clBlack},
        {"clblue", clBlue},
        {"clgreen", clGreen},
        {"claqua", clAqua},
        {"clyellow", clYellow},
        {"clfuchsia", clFuchsia},
        {"clwhite", clWhite},
        {"cllime", clLime},
        {"clsilver", clSilver},
        {"clgray", clGray},
        {"clolive", clOlive},
        {"clnavy", clNavy},
        {"clpurple", clPurple},
        {"clteal", clTeal},
        {"clmaroon", clMaroon},
        {"clbackground", SystemColor(COLOR_BACKGROUND)},
        {"clactivecaption", SystemColor(COLOR_ACTIVECAPTION)},
        {"clinactivecaption", SystemColor(COLOR_INACTIVECAPTION)},
        {"clmenu", SystemColor(COLOR_MENU)},
        {"clwindow", SystemColor(COLOR_WINDOW)},
        {"clwindowframe", SystemColor(COLOR_WINDOWFRAME)},
        {"clmenutext", SystemColor(COLOR_MENUTEXT)},
        {"clwindowtext", SystemColor(COLOR_WINDOWTEXT)},
        {"clcaptiontext", SystemColor(COLOR_CAPTIONTEXT)},
        {"clactiveborder", SystemColor(COLOR_ACTIVEBORDER)},
        {"clinactiveborder", SystemColor(COLOR_INACTIVEBORDER)},
        {"clappworkspace", SystemColor(COLOR_APPWORKSPACE)},
        {"clhighlight", SystemColor(COLOR_HIGHLIGHT)},
        {"clhighlighttext", SystemColor(COLOR_HIGHLIGHTTEXT)},
        {"clbtnface", SystemColor(COLOR_BTNFACE)},
        {"clbtnshadow", SystemColor(COLOR_BTNSHADOW)},
        {"clgraytext", SystemColor(COLOR_GRAYTEXT)},
        {"clbtntext", SystemColor(COLOR_BTNTEXT)},
        {"clinactivecaptiontext", SystemColor(COLOR_INACTIVECAPTIONTEXT)},
        {"clbtnhighlight", SystemColor(COLOR_BTNHIGHLIGHT)},
        {"cl3ddkshadow", SystemColor(COLOR_3DDKSHADOW)},
        {"cl3dlight", SystemColor(COLOR_3DLIGHT)},
        {"clinfotext", SystemColor(COLOR_INFOTEXT)},
        {"clinfobk", SystemColor(COLOR_INFOBK)},
    };
    for (const auto& c : kColours)
        if (name == c.Name) return c.Color;
    return clBlack;
}

TColor MarkupHexColor(const String& text) {
    const String digits = UpperCase(text.substr(std::min<size_t>(1, text.size())));
    int parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const size_t at = static_cast<size_t>(i) * 2;
        if (at + 1 >= digits.size()) break;
        const int hi = HexDigit(digits[at]), lo = HexDigit(digits[at + 1]);
        parts[i] = (hi < 0 || lo < 0) ? 0 : hi * 16 + lo;
    }
    return parts[0] + parts[1] * 256 + parts[2] * 65536;
}

String StripMarkupTags(const String& text) {
    String out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t lt = text.find('<', pos);
        if (lt == String::npos) {
            out.append(text, pos, String::npos);
            break;
        }
        out.append(text, pos, lt - pos);
        const size_t gt = text.find('>', lt);
        if (gt == String::npos) break;
        pos = gt + 1;
    }
    return out;
}

long long GetFileVersionMS(const String& fileName) {
    String data;
    try {
        data = ReadFileToString(fileName);
    } catch (const Exception&) {
        return -1;
    }
    // The fixed version record starts with its signature, then the
    // structure version, then the file version's high and low words.
    static const char kSignature[] = {'\xBD', '\x04', '\xEF', '\xFE'};
    const size_t at = data.find(String(kSignature, sizeof kSignature));
    if (at == String::npos || at + 12 > data.size()) return -1;
    const auto byte = [&](size_t i) { return static_cast<unsigned long long>(static_cast<unsigned char>(data[i])); };
    const size_t v = at + 8;
    return static_cast<long long>(byte(v) | byte(v + 1) << 8 | byte(v + 2) << 16 | byte(v + 3) << 24);
}
