#include "framework/controls/SpeedButton.h"

#include "framework/controls/GlyphLayout.h"

#include <algorithm>

#include "framework/controls/ActionList.h"
#include "framework/controls/ControlActionLink.h"
#include "framework/controls/CustomAction.h"
#include "framework/controls/Label.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), FGlyph(new TBitmap) {
    FWidth = 23;
    FHeight = 22;
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::SetFlat(bool v) {
    if (v == FFlat) return;
    FFlat = v;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int v) {
    if (v == FGroupIndex) return;
    FGroupIndex = v;
    UpdateGroup();
}

void TSpeedButton::SetAllowAllUp(bool v) {
    if (v == FAllowAllUp) return;
    FAllowAllUp = v;
    // The whole group shares the setting.
    if (FParent && FGroupIndex)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TSpeedButton*>(FParent->Controls(i)); b && b != this && b->FGroupIndex == FGroupIndex)
                b->FAllowAllUp = v;
}

void TSpeedButton::SetDown(bool v) {
    if (FGroupIndex == 0) v = false;  // only grouped buttons stay down
    if (v == FDown) return;
    if (!v && !FAllowAllUp && FDown) {
        // The last button down of a group stays down, unless all may be up.
        bool otherDown = false;
        if (FParent)
            for (int i = 0; i < FParent->ControlCount(); ++i)
                if (auto* b = dynamic_cast<TSpeedButton*>(FParent->Controls(i));
                    b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
                    otherDown = true;
        if (!otherDown) return;
    }
    FDown = v;
    if (v) UpdateGroup();
    Invalidate();
}

void TSpeedButton::UpdateGroup() {
    if (!FParent || FGroupIndex == 0 || !FDown) return;
    for (int i = 0; i < FParent->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(FParent->Controls(i));
            b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) {
            b->FDown = false;
            b->Invalidate();
        }
}

void TSpeedButton::SetGlyph(TBitmap* v) { FGlyph->Assign(v); }

void TSpeedButton::SetNumGlyphs(int v) {
    v = std::clamp(v, 1, 4);
    if (v == FNumGlyphs) return;
    FNumGlyphs = v;
    Invalidate();
}

void TSpeedButton::Click() {
    if (FGroupIndex != 0) {
        if (!FDown)
            SetDown(true);
        else if (FAllowAllUp)
            SetDown(false);
    }
    TGraphicControl::Click();
}

namespace {
// Checked is Down, and the group follows the action's.
class TSpeedButtonActionLink : public TControlActionLink {
public:
    explicit TSpeedButtonActionLink(TSpeedButton* b) : TControlActionLink(b), FButton(b) {}
    bool IsCheckedLinked() const override {
        return TControlActionLink::IsCheckedLinked() && FButton->Down() == CustomAction()->Checked();
    }
    bool IsGroupIndexLinked() const override {
        return TControlActionLink::IsGroupIndexLinked() && FButton->GroupIndex() == CustomAction()->GroupIndex();
    }
    void SetChecked(bool v) override {
        if (IsCheckedLinked()) FButton->SetDown(v);
    }
    void SetGroupIndex(int v) override {
        if (IsGroupIndexLinked()) FButton->SetGroupIndex(v);
    }

private:
    TSpeedButton* FButton;
};
}  // namespace

std::unique_ptr<TControlActionLink> TSpeedButton::CreateActionLink() {
    return std::make_unique<TSpeedButtonActionLink>(this);
}

void TSpeedButton::ActionChange(TObject* sender, bool checkDefaults) {
    TGraphicControl::ActionChange(sender, checkDefaults);
    auto* a = dynamic_cast<TCustomAction*>(sender);
    if (!a) return;
    if (!checkDefaults || FGroupIndex == 0) SetGroupIndex(a->GroupIndex());
    if (!checkDefaults || !FDown) {
        // The action's Checked wins even over the group's last-one-down rule.
        bool all = FAllowAllUp;
        FAllowAllUp = true;
        SetDown(a->Checked());
        FAllowAllUp = all;
    }
    TImageList* images = a->ActionList() ? a->ActionList()->Images() : nullptr;
    if (FGlyph->Empty() && images && a->ImageIndex() >= 0 && a->ImageIndex() < images->Count()) {
        images->GetBitmap(a->ImageIndex(), FGlyph.get());
        FNumGlyphs = 1;
    }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    FPressed = false;
    Invalidate();
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter() {
    FHot = true;
    if (FFlat) Invalidate();
    TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
    FHot = false;
    if (FFlat) Invalidate();
    TGraphicControl::MouseLeave();
}

void TSpeedButton::WndProc(TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR && IsAccel(m.WParam, Caption()) && Enabled() && Visible() && FParent &&
        FParent->Showing()) {
        Click();
        m.Result = 1;
        return;
    }
    TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    const bool sunk = FPressed || FDown;
    if (FDown && !FPressed) {
        c->Brush()->SetColor(clBtnHighlight);
        c->FillRect(r);
    } else if (!FFlat || FHot || sunk) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
    }
    if (!FFlat) {
        TRect f = r;
        DrawEdge(c, f, sunk ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else if (FHot || sunk) {
        TRect f = r;
        DrawEdge(c, f, sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    const int off = sunk ? 1 : 0;
    int gw = 0, gh = 0;
    if (!FGlyph->Empty()) {
        gw = FGlyph->Width() / FNumGlyphs;
        gh = FGlyph->Height();
    }
    TRect textRect = Rect(0, 0, 0, 0);
    if (!FText.empty()) DrawText(c, FText, textRect, DT_CALCRECT | DT_SINGLELINE);
    TPoint glyphAt, textAt;
    PlaceGlyphAndText(gw, gh, textRect.Width(), textRect.Height(), off, glyphAt, textAt);
    const int gx = glyphAt.X, gy = glyphAt.Y, tx = textAt.X, ty = textAt.Y;
    if (gw > 0) {
        // The disabled picture when there is one, else the first.
        const int index = !Enabled() && FNumGlyphs > 1 ? 1 : (FDown && FNumGlyphs > 3 ? 3 : 0);
        TBitmap part(gw, gh);
        part.Canvas()->CopyRect(Rect(0, 0, gw, gh), FGlyph->Canvas(), Bounds(index * gw, 0, gw, gh));
        if (!Enabled() && FNumGlyphs == 1) {
            // No picture of its own for the disabled state: the glyph is
            // drawn greyed, embossed the classic way.
            TImageList grey(nullptr, gw, gh);
            grey.AddMasked(&part, FGlyph->TransparentColor());
            grey.Draw(c, gx, gy, 0, false);
        } else {
            part.SetTransparent(true);
            c->Draw(gx, gy, &part);
        }
    }
    if (!FText.empty()) {
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
        TRect t = Bounds(tx, ty, textRect.Width(), textRect.Height());
        DrawText(c, FText, t, DT_SINGLELINE);
    }
}

void TSpeedButton::PlaceGlyphAndText(int gw, int gh, int textW, int textH, int offset, TPoint& glyphAt,
                                     TPoint& textAt) const {
    ::PlaceGlyphAndText(Layout, Margin, Spacing, FWidth, FHeight, gw, gh, textW, textH, offset, glyphAt, textAt);
}
