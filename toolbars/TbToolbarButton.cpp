#include "toolbars/TbToolbarButton.h"

#include <algorithm>
#include <cctype>

#include "framework/controls/ActionList.h"
#include "framework/controls/CustomAction.h"
#include "framework/controls/Label.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/ImageList.h"
#include "toolbars/TbCommon.h"
#include "toolbars/TbToolbarButtonActionLink.h"

TTbToolbarButton::TTbToolbarButton(TComponent* owner)
    : TSpeedButton(owner), FHotGlyph(std::make_unique<TBitmap>()) {
    SetFlat(true);
    FHotGlyph->OnChange = [this](TObject*) { HotGlyphChanged(); };
}

TTbToolbarButton::~TTbToolbarButton() { FHotGlyph->OnChange = nullptr; }

void TTbToolbarButton::SetHotGlyph(TBitmap* v) {
    if (v)
        FHotGlyph->Assign(v);
    else
        FHotGlyph->SetSize(0, 0);
    FUseHotGlyph = true;
    HotGlyphChanged();
}

void TTbToolbarButton::HotGlyphChanged() {
    const int w = FHotGlyph->Width(), h = FHotGlyph->Height();
    if (h != 0 && w % h == 0) {
        const int n = w / h;
        FHotNumGlyphs = n > 4 ? 1 : std::max(n, 1);
    }
    Invalidate();
}

std::unique_ptr<TControlActionLink> TTbToolbarButton::CreateActionLink() {
    return std::make_unique<TTbToolbarButtonActionLink>(this);
}

void TTbToolbarButton::ActionChange(TObject* sender, bool checkDefaults) {
    const String remembered = Caption();
    TSpeedButton::ActionChange(sender, checkDefaults);
    auto* a = dynamic_cast<TCustomAction*>(sender);
    TImageList* images = a && a->ActionList() ? a->ActionList()->Images() : nullptr;
    if (images && a->ImageIndex() >= 0 && a->ImageIndex() < images->Count()) {
        TBitmap glyph;
        glyph.SetSize(images->Width(), images->Height());
        glyph.Canvas()->Brush()->SetColor(clFuchsia);
        glyph.Canvas()->FillRect(Rect(0, 0, images->Width(), images->Height()));
        images->Draw(glyph.Canvas(), 0, 0, a->ImageIndex());
        SetGlyph(&glyph);
        // One image, not a strip: painting it as halves would be wrong.
        SetNumGlyphs(1);
    }
    if (IgnoreActionCaption) SetCaption(remembered);
    if (a && !(checkDefaults && Down())) SetDown(a->Checked());
}

void TTbToolbarButton::SetHotNumGlyphs(int v) {
    v = std::clamp(v, 1, 4);
    if (v == FHotNumGlyphs) return;
    FHotNumGlyphs = v;
    Invalidate();
}

void TTbToolbarButton::SetUseHotGlyph(bool v) {
    if (v == FUseHotGlyph) return;
    FUseHotGlyph = v;
    Invalidate();
}

void TTbToolbarButton::SetCaption(const String& v) {
    if (FShowCaption) {
        SetText(v);
    } else {
        FSaveCaption = GetText();
        SetText(String());
    }
}

void TTbToolbarButton::SetShowCaption(bool v) {
    if (v == FShowCaption) return;
    FShowCaption = v;
    if (v) {
        SetText(FSaveCaption);
    } else {
        FSaveCaption = GetText();
        SetText(String());
    }
    Invalidate();
}

bool TTbToolbarButton::HotGlyphShown() const {
    return FUseHotGlyph && FMouseInside && !FHotGlyph->Empty() && EnabledWithParents(this);
}

void TTbToolbarButton::Click() {
    if (!EnabledWithParents(this)) return;
    TSpeedButton::Click();
}

void TTbToolbarButton::WndProc(TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR) {
        const char key = static_cast<char>(std::tolower(static_cast<int>(m.WParam & 0xFF)));
        const char accel = GetAccelChar(GetText());
        if (accel && key == accel && EnabledWithParents(this) && Visible() && FParent && FParent->Showing()) {
            Click();
            m.Result = 1;
        }
        return;  // answered by its own rules, which ask for the whole bar
    }
    TSpeedButton::WndProc(m);
}

void TTbToolbarButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && EnabledWithParents(this)) FPressed = true;
    TSpeedButton::MouseDown(button, shift, x, y);
}

void TTbToolbarButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FPressed = false;
    TSpeedButton::MouseUp(button, shift, x, y);
}

void TTbToolbarButton::MouseEnter() {
    TSpeedButton::MouseEnter();
    FMouseInside = true;
    Invalidate();
}

void TTbToolbarButton::MouseLeave() {
    TSpeedButton::MouseLeave();
    FMouseInside = false;
    FPressed = false;
    Invalidate();
}

void TTbToolbarButton::Paint() {
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    const bool enabled = EnabledWithParents(this);
    const bool hot = FMouseInside && enabled;
    const bool sunk = (FPressed && hot) || Down();
    if (Down() && !FPressed) {
        c->Brush()->SetColor(clBtnHighlight);
        c->FillRect(r);
    } else if (!Flat() || hot || sunk) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    }
    if (!Flat()) {
        TRect f = r;
        DrawEdge(c, f, sunk ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else if (hot || sunk) {
        TRect f = r;
        DrawEdge(c, f, sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    // The hot picture is chosen here, so Glyph stays what the program set.
    TBitmap* glyph = HotGlyphShown() ? FHotGlyph.get() : Glyph();
    const int count = HotGlyphShown() ? FHotNumGlyphs : NumGlyphs();
    int gw = 0, gh = 0;
    if (!glyph->Empty()) {
        gw = glyph->Width() / std::max(count, 1);
        gh = glyph->Height();
    }
    const String text = GetText();
    TRect textRect;
    if (!text.empty()) DrawText(c, text, textRect, DT_CALCRECT | DT_SINGLELINE);
    TPoint glyphAt, textAt;
    PlaceGlyphAndText(gw, gh, textRect.Width(), textRect.Height(), sunk ? 1 : 0, glyphAt, textAt);
    const int gx = glyphAt.X, gy = glyphAt.Y, tx = textAt.X, ty = textAt.Y;
    if (gw > 0) {
        // Strip order: up, disabled, down, held down.
        int index = 0;
        if (!enabled && count > 1)
            index = 1;
        else if (sunk && count > 2)
            index = Down() && count > 3 ? 3 : 2;
        TBitmap part(gw, gh);
        part.Canvas()->CopyRect(Rect(0, 0, gw, gh), glyph->Canvas(), Bounds(index * gw, 0, gw, gh));
        part.SetTransparent(true);
        c->Draw(gx, gy, &part);
    }
    if (!text.empty()) {
        c->Brush()->SetStyle(bsClear);
        TRect t = Bounds(tx, ty, textRect.Width(), textRect.Height());
        if (!enabled) {
            TRect s = Bounds(tx + 1, ty + 1, textRect.Width(), textRect.Height());
            c->Font()->SetColor(clBtnHighlight);
            DrawText(c, text, s, DT_SINGLELINE);
            c->Font()->SetColor(clGrayText);
        } else {
            c->Font()->SetColor(Font()->Color());
        }
        DrawText(c, text, t, DT_SINGLELINE);
    }
}
