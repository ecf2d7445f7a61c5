#include "toolbars/TbToolbar.h"

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/rtl/StrUtils.h"
#include "toolbars/TbCommon.h"
#include "toolbars/TbSpacer.h"
#include "toolbars/TbToolbarButton.h"

TTbToolbar::TTbToolbar(TComponent* owner)
    : TTbCustomPanel(owner),
      FControls(std::make_unique<TTbToolbarControlList>(this)),
      FBackground(std::make_unique<TBitmap>()) {
    SetBorderWidth(0);
    FWidth = 32;
    FHeight = 32;
    FShowDockClientCaptions = false;
    FBackground->OnChange = [this](TObject*) { Invalidate(); };
    TControl::SetAlign(alTop);
    AdjustStyle(alTop);
}

TTbToolbar::~TTbToolbar() {
    FBackground->OnChange = nullptr;
    Destroying();
}

// --- style --------------------------------------------------------------------

void TTbToolbar::StyleSet(const std::function<void()>& fn) {
    TTbFlagScope styling(FStyling);
    fn();
}

void TTbToolbar::AdjustStyle(TAlign align) {
    StyleSet([&] {
        TTbCustomPanel::SetBorderInner(TFrameStyle::fsNone);
        TTbCustomPanel::SetFrameSides(0);
        TTbCustomPanel::SetBorderOuter(FShowDivider ? TFrameStyle::fsGroove : TFrameStyle::fsNone);
        TSides sides = sdTop;
        if (align == alLeft) sides = sdLeft;
        if (align == alRight) sides = sdRight;
        if (align == alBottom) sides = sdBottom;
        TTbCustomPanel::SetBorderSides(sides);
    });
}

// An edge set by hand is the program's choice: the alignment no longer
// picks the style.
void TTbToolbar::SetBorderInner(TFrameStyle v) {
    if (v != BorderInner() && !FStyling) FAutoStyle = false;
    TTbCustomPanel::SetBorderInner(v);
}

void TTbToolbar::SetBorderOuter(TFrameStyle v) {
    if (v != BorderOuter() && !FStyling) FAutoStyle = false;
    TTbCustomPanel::SetBorderOuter(v);
}

void TTbToolbar::SetBorderSides(TSides v) {
    if ((v & AllSides) != BorderSides() && !FStyling) FAutoStyle = false;
    TTbCustomPanel::SetBorderSides(v);
}

void TTbToolbar::SetFrameSides(TSides v) {
    if ((v & AllSides) != FrameSides() && !FStyling) FAutoStyle = false;
    TTbCustomPanel::SetFrameSides(v);
}

void TTbToolbar::SetAutoStyle(bool v) {
    if (v == FAutoStyle) return;
    FAutoStyle = v;
    if (v && !HasState(csLoading)) AdjustStyle(Align());
}

void TTbToolbar::SetShowDivider(bool v) {
    if (v == FShowDivider) return;
    FShowDivider = v;
    StyleSet([&] { TTbCustomPanel::SetBorderOuter(v ? TFrameStyle::fsGroove : TFrameStyle::fsNone); });
    Invalidate();
}

void TTbToolbar::SetAlign(TAlign v) {
    if (v == Align()) return;
    if (FAutoResize && !HasState(csLoading)) {
        if (v == alLeft || v == alRight)
            SetWidth(32);
        else
            SetHeight(32);
    }
    TControl::SetAlign(v);
    // Also while loading, so a stored edge equal to the automatic one does
    // not count as set by hand.
    if (FAutoStyle) AdjustStyle(v);
    AfterLayoutChange();
}

// --- layout settings --------------------------------------------------------------

void TTbToolbar::AfterLayoutChange() {
    if (!HasState(csLoading)) PositionControls();
}

void TTbToolbar::CheckAutoResize(bool& value) {
    // Inside a scroller or a native tool bar the host decides the size.
    if (value && FParent) {
        const String cls = FParent->ClassName();
        if (cls == "TPageScroller" || cls == "TToolbar") value = false;
    }
}

void TTbToolbar::SetAutoResize(bool v) {
    FRequestedAutoResize = v;
    CheckAutoResize(v);
    if (v == FAutoResize) return;
    FAutoResize = v;
    AfterLayoutChange();
}

void TTbToolbar::SetParent(TWinControl* parent) {
    TTbCustomPanel::SetParent(parent);
    bool v = FRequestedAutoResize;
    CheckAutoResize(v);
    if (v == FAutoResize) return;
    FAutoResize = v;
    AfterLayoutChange();
}

void TTbToolbar::SetBackground(TBitmap* v) {
    if (v)
        FBackground->Assign(v);
    else
        FBackground->SetSize(0, 0);
    Invalidate();
}

void TTbToolbar::SetMargin(int v) {
    if (v == FMargin) return;
    FMargin = v;
    AfterLayoutChange();
}

void TTbToolbar::SetTopMargin(int v) {
    if (v == FTopMargin) return;
    FTopMargin = v;
    AfterLayoutChange();
}

void TTbToolbar::SetOrientation(TOrientation v) {
    if (v == FOrientation) return;
    FOrientation = v;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* s = dynamic_cast<TTbSpacer*>(Controls(i))) s->SetOrientation(v);
    AfterLayoutChange();
}

void TTbToolbar::SetRowHeight(int v) {
    if (v == FRowHeight) return;
    FRowHeight = v;
    AfterLayoutChange();
}

void TTbToolbar::SetWrapControls(bool v) {
    if (v == FWrapControls) return;
    FWrapControls = v;
    AfterLayoutChange();
}

void TTbToolbar::SetButtonSize(int width, int height, bool showCaptions) {
    for (int i = 0; i < ControlCount(); ++i) {
        auto* b = dynamic_cast<TTbToolbarButton*>(Controls(i));
        if (!b) continue;
        b->SetBounds(b->Left(), b->Top(), width, height);
        b->SetShowCaption(showCaptions);
        b->Layout = showCaptions && height >= 31 ? blGlyphTop : blGlyphLeft;
        b->Invalidate();
    }
    const int rh = FOrientation == orVertical ? width : height;
    if (rh != FRowHeight)
        SetRowHeight(rh);
    else
        AfterLayoutChange();
}

// --- the control list ---------------------------------------------------------------

void TTbToolbar::ReadToolbarControls(const std::vector<String>& names) {
    FPending = std::make_unique<std::vector<String>>();
    for (const String& n : names) FPending->push_back(n);
    if (!HasState(csLoading)) ResolveControlList();
}

bool TTbToolbar::StoresToolbarControls() const {
    for (int i = 0; i < FControls->Count(); ++i)
        if (FControls->Items(i).Control) return true;
    return false;
}

std::vector<String> TTbToolbar::ToolbarControlNames() const {
    std::vector<String> names;
    for (int i = 0; i < FControls->Count(); ++i)
        if (TControl* c = FControls->Items(i).Control) names.push_back(c->Name());
    return names;
}

void TTbToolbar::Loaded() {
    TTbCustomPanel::Loaded();
    ResolveControlList();
}

void TTbToolbar::ResolveControlList() {
    FControls->Clear();
    bool incomplete = false;
    if (FPending) {
        TComponent* owner = Owner();
        for (const String& name : *FPending) {
            auto* c = owner ? dynamic_cast<TControl*>(owner->FindComponent(name)) : nullptr;
            if (!c) continue;  // a control that no longer exists
            if (c->Parent() == this) {
                FControls->AddControl(c);
                c->FreeNotification(this);
            } else {
                incomplete = true;
            }
        }
    }
    // Without a stored order (or with one that names strangers) the
    // children come in their own order after what was named.
    if (!FPending || incomplete)
        for (int i = 0; i < ControlCount(); ++i) {
            FControls->AddControl(Controls(i));
            Controls(i)->FreeNotification(this);
        }
    FPending.reset();
    PositionControls();
    if (FAutoStyle) AdjustStyle(Align());
}

void TTbToolbar::Notification(TComponent* component, TOperation operation) {
    TTbCustomPanel::Notification(component, operation);
    if (operation != opRemove || !FControls || HasState(csDestroying)) return;
    // The component may be half destroyed: find it by address alone.
    for (int i = 0; i < FControls->Count(); ++i) {
        TControl* c = FControls->Items(i).Control;
        if (c && static_cast<TComponent*>(c) == component) {
            FControls->DeleteControl(c);
            AfterLayoutChange();
            return;
        }
    }
}

void TTbToolbar::AlignControls(TControl* control, TRect& rect) {
    (void)rect;
    if (control && control->Parent() == this && !HasState(csLoading) && FControls->IndexOfControl(control) < 0) {
        FControls->AddControl(control);
        control->FreeNotification(this);
    }
    if (!FPositioning && !HasState(csLoading)) PositionControls();
}

// --- layout ------------------------------------------------------------------------

int TTbToolbar::GetRowHeight(int row) const {
    (void)row;
    return FRowHeight;
}

void TTbToolbar::PositionControl(int index, int row, int& offset) {
    TControl* c = FControls->Items(index).Control;
    if (!c || c->HasState(csDestroying) || c->Parent() != this) return;
    if (FOrientation == orHorizontal) {
        const int top = (row - 1) * FCurrentRowHeight + FTopMargin + FRowHeight / 2 - c->Height() / 2;
        const int left = c->BiDiMode() == bdLeftToRight ? offset : Width() - c->Width() - offset;
        c->SetBounds(left, top, c->Width(), c->Height());
        offset += c->Width();
    } else {
        const int left = (row - 1) * FCurrentRowHeight + FMargin + FRowHeight / 2 - c->Width() / 2;
        c->SetBounds(left, offset, c->Width(), c->Height());
        offset += c->Height();
    }
}

void TTbToolbar::PositionControls() {
    if (FPositioning || HasState(csLoading) || HasState(csDestroying)) return;
    TTbFlagScope positioning(FPositioning);
    int offset = FMargin;
    int widest = 0;
    int row = 1;
    FCurrentRowHeight = GetRowHeight(1);
    const bool horizontal = FOrientation == orHorizontal;
    for (int i = 0; i < FControls->Count(); ++i) {
        TControl* c = FControls->Items(i).Control;
        if (!c || c->Parent() != this) continue;
        if (!c->Visible() && !HasState(csDesigning)) continue;
        // The first entry of the list never wraps, so a control wider than
        // the bar keeps the first row. The index counts skipped entries.
        if (FWrapControls && i >= 1) {
            const bool full = horizontal ? Width() - FMargin < offset + c->Width()
                                         : Height() - FMargin < offset + c->Height();
            if (full) {
                widest = std::max(widest, offset);
                offset = FMargin;
                ++row;
                FCurrentRowHeight = GetRowHeight(row);
            }
        }
        PositionControl(i, row, offset);
    }
    FRows = row;
    if (!FAutoResize) return;
    const TAlign a = Align();
    const bool side = a == alLeft || a == alRight;
    const bool edge = a == alTop || a == alBottom;
    // SetBounds asks the parent to realign only when the size changed, so
    // an unchanged bar starts no new layout round.
    if (horizontal && side && widest > 0)
        SetWidth(FMargin + widest);
    else if (horizontal && edge)
        SetHeight(FRowHeight * row + 2 + FTopMargin);
    else if (!horizontal && side)
        SetWidth(FRowHeight * row + 2 + FTopMargin);
    else if (!horizontal && edge && widest > 0)
        SetHeight(FMargin + widest);
}

// --- painting and state ------------------------------------------------------------

void TTbToolbar::BiDiModeChanged() {
    TTbCustomPanel::BiDiModeChanged();
    PositionControls();
}

void TTbToolbar::Paint() {
    TTbCustomPanel::Paint();
    if (FBackground->Empty()) return;
    TCanvas* c = Canvas();
    TRect r = GetControlRect();
    AdjustForBorders(r, false);
    const int bw = FBackground->Width(), bh = FBackground->Height();
    const int cols = (r.Width() + bw - 1) / bw;
    const int rows = (r.Height() + bh - 1) / bh;
    c->SelectClipRect(r);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x) c->Draw(r.Left + x * bw, r.Top + y * bh, FBackground.get());
    c->SelectClipRgn(nullptr);
}

void TTbToolbar::VisibleChanged() {
    TTbCustomPanel::VisibleChanged();
    if (OnVisibleChanged) OnVisibleChanged(this);
}
