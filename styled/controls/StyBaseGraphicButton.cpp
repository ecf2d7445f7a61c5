#include "styled/controls/StyBaseGraphicButton.h"

#include <algorithm>
#include <cctype>

#include "framework/controls/ActionList.h"
#include "framework/controls/Application.h"
#include "framework/controls/CustomAction.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Mouse.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawText.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/ImageList.h"
#include "styled/base/StyApplication.h"
#include "styled/base/StyTimerPool.h"
#include "styled/controls/StyControlMessages.h"
#include "styled/graphics/StyButtonLayout.h"
#include "styled/graphics/StyFxCaption.h"
#include "styled/graphics/TextDrawing.h"
#include "styled/storage/StyCustomImageList.h"

TStyBaseGraphicButton::TStyBaseGraphicButton(TComponent* AOwner)
    : TStyBaseControl(AOwner),
      FLayout(std::make_unique<TStyButtonLayout>()),
      FFontFx(std::make_unique<TStyFxCaption>()),
      FGlyph(std::make_unique<TStyGlyph>()) {
    // The button makes its own clicks (repeats, latching), so the
    // framework's click on release is not wanted.
    ControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
    SetColor(clWindow);
    SetBounds(Left(), Top(), 25, 25);
    FLayout->OnChange = [this](TObject*) { Invalidate(); };
    // Every font here is an outline font, so a turned caption never has
    // to fall back to an unturned one: a change only repaints.
    FFontFx->OnChange = [this](TObject*) { Invalidate(); };
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TStyBaseGraphicButton::~TStyBaseGraphicButton() {
    StopTimer(0);
    StopTimer(1);
}

void TStyBaseGraphicButton::SetButtonLayout(TStyButtonLayout* Value) { FLayout->Assign(Value); }
void TStyBaseGraphicButton::SetFontFx(TStyFxCaption* Value) { FFontFx->Assign(Value); }

void TStyBaseGraphicButton::SetGlyph(TBitmap* Value) {
    SetImageList(nullptr);
    FGlyph->SetGlyph(Value);
}

void TStyBaseGraphicButton::SetNumGlyphs(int Value) { FGlyph->SetNumGlyphs(std::clamp(Value, 0, 5)); }

void TStyBaseGraphicButton::SetEnterColor(TColor Value) {
    if (Value == FEnterColor) return;
    FEnterColor = Value;
    Invalidate();
}

void TStyBaseGraphicButton::SetEnterColorChange(bool Value) {
    if (Value == FEnterColorChange) return;
    FEnterColorChange = Value;
    Invalidate();
}

void TStyBaseGraphicButton::SetMultiLine(bool Value) {
    if (Value == FMultiLine) return;
    FMultiLine = Value;
    Invalidate();
}

void TStyBaseGraphicButton::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    Invalidate();
}

void TStyBaseGraphicButton::PictureChanged() { TStyBaseControl::PictureChanged(); }

// ---- grouping ----

void TStyBaseGraphicButton::BroadcastPressed() {
    TWinControl* parent = Parent();
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i)
        parent->Controls(i)->Perform(CM_STYBUTTONPRESSED, static_cast<WPARAM>(FGroupIndex),
                                     reinterpret_cast<LPARAM>(this));
}

void TStyBaseGraphicButton::SetGroupIndex(int Value) {
    if (Value == FGroupIndex) return;
    FGroupIndex = Value;
    if (FGroupIndex == 0 && FPressed) {
        FPressed = false;
        SetState(Enabled() ? gsUp : gsDisabled);
    }
    BroadcastPressed();
}

void TStyBaseGraphicButton::SetAllowAllUp(bool Value) {
    if (Value == FAllowAllUp) return;
    FAllowAllUp = Value;
    BroadcastPressed();
}

void TStyBaseGraphicButton::SetPressed(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (Value == FPressed) return;
    if (!Value && !FAllowAllUp) return;
    FPressed = Value;
    if (Value) {
        SetState(Enabled() ? gsDown : gsDisabledDown);
        Invalidate();
        BroadcastPressed();
    } else {
        SetState(Enabled() ? gsUp : gsDisabled);
        Invalidate();
    }
}

// ---- drop-down ----

void TStyBaseGraphicButton::SetDropDownMenu(TPopupMenu* Value) {
    if (Value == FDropDownMenu) return;
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = Value;
    if (FDropDownMenu) FDropDownMenu->FreeNotification(this);
    Invalidate();
}

void TStyBaseGraphicButton::SetDropDownCombo(bool Value) {
    if (Value == FDropDownCombo) return;
    FDropDownCombo = Value;
    if (!HasState(csLoading)) SetWidth(Width() + (Value ? FComboWidth : -FComboWidth));
    Invalidate();
}

void TStyBaseGraphicButton::SetDropdownComboWidth(int Value) {
    if (Value == FComboWidth) return;
    if (FDropDownCombo && !HasState(csLoading)) SetWidth(Width() - FComboWidth + Value);
    FComboWidth = Value;
    Invalidate();
}

void TStyBaseGraphicButton::Notification(TComponent* Component, TOperation Operation) {
    TStyBaseControl::Notification(Component, Operation);
    if (Operation == opRemove && Component && Component == static_cast<TComponent*>(FDropDownMenu))
        FDropDownMenu = nullptr;
}

void TStyBaseGraphicButton::OpenMenu() {
    if (!FDropDownMenu || FMenuOpen) return;
    FMenuOpen = true;
    SetState(gsMenuOpen);
    if (OnDropDown) OnDropDown(this);
    const TPoint at = DropDownRight ? ClientToScreen(Point(Width(), DropDownIndent))
                                    : ClientToScreen(Point(DropDownIndent, Height()));
    try {
        if (FDropDownMenu) {
            FDropDownMenu->PopupComponent = this;
            FDropDownMenu->Popup(at.X, at.Y);
        }
    } catch (...) {
        FMenuOpen = false;
        throw;
    }
    FMenuOpen = false;
    // The press that opened the menu must not be taken for a drag on it.
    if (MouseCapture()) Perform(WM_CANCELMODE);
    FHeld = false;
    SetState(gsHot);
}

// ---- state ----

bool TStyBaseGraphicButton::HotLookDiffers() {
    return FGlyph->GreyWhenUp() || FGlyph->NumGlyphs() >= 3 || (FEnterColorChange && FHotTrack) || FTransparent;
}

void TStyBaseGraphicButton::SetState(Byte Value) {
    if (Value == FState) return;
    const Byte old = FState;
    // Moves the look does not show (between up and hot, and between hot
    // and down with fewer than three cells) are not repainted.
    bool repaint = true;
    if (!HotLookDiffers()) {
        const bool upHot = (old == gsUp && Value == gsHot) || (old == gsHot && Value == gsUp);
        const bool hotDown = (old == gsDown && Value == gsHot) || (old == gsHot && Value == gsDown);
        if (upHot || (hotDown && FGlyph->NumGlyphs() < 3)) repaint = false;
    }
    FPrevState = (Value == gsHot && FState != gsDown) ? static_cast<Byte>(gsUp) : FState;
    FState = Value;
    if (repaint && Visible()) Invalidate();
    if (FHotTrack) {
        if (old == gsHot && Value != gsHot) StopTimer(0);
        if (Value == gsHot && !FPressed) StartTimer(0, 100);
    }
}

bool TStyBaseGraphicButton::IsInside(int X, int Y) {
    if (CustomHitTest) return HitTest(X, Y);
    return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
}

// ---- timers ----

void TStyBaseGraphicButton::StartTimer(int Which, Word Interval) {
    if (!StyApplication || !StyApplication->TimerPool()) return;
    const int min = std::max<int>(1, StyApplication->TimerPool()->MinInterval());
    TTimerSlot& t = FTimers[Which];
    // The button counts the pool's ticks itself, so a period starts when
    // the timer is set, not at the pool's next common multiple.
    t.Ticks = std::max(1, (Interval + min - 1) / min);
    t.Left = t.Ticks;
    if (t.Id) return;
    t.Id = StyApplication->AddTimer(static_cast<Word>(min), [this, Which](TObject*) { TimerTick(Which); });
}

void TStyBaseGraphicButton::StopTimer(int Which) {
    TTimerSlot& t = FTimers[Which];
    if (t.Id && StyApplication) StyApplication->RemoveTimer(t.Id);
    t.Id = 0;
}

void TStyBaseGraphicButton::TimerTick(int Which) {
    TTimerSlot& t = FTimers[Which];
    if (--t.Left > 0) return;
    t.Left = t.Ticks;
    if (Which == 0)
        Poll();
    else
        Repeat();
}

void TStyBaseGraphicButton::Poll() {
    const TPoint p = ScreenToClient(Mouse->CursorPos());
    if (!IsInside(p.X, p.Y) && FState != gsDisabled && FState != gsDisabledDown) {
        FMouseInside = false;
        SetState(FPrevState);
    }
}

void TStyBaseGraphicButton::Repeat() {
    if (!StyApplication || !StyApplication->TimerPool()) return;
    const int min = std::max<int>(1, StyApplication->TimerPool()->MinInterval());
    FTimers[1].Ticks = std::max(1, (RepeatingInterval + min - 1) / min);
    FTimers[1].Left = FTimers[1].Ticks;
    if (FHeld && FMouseInside) Click();
}

// ---- mouse ----

void TStyBaseGraphicButton::MouseEnter() {
    if (FState == gsUp && FHotTrack && Enabled()) {
        FMouseInside = true;
        SetState(gsHot);
    }
    FMouseInside = true;
    TStyBaseControl::MouseEnter();
}

void TStyBaseGraphicButton::MouseLeave() {
    if (FState == gsHot) SetState(FPrevState);
    FMouseInside = false;
    TStyBaseControl::MouseLeave();
    if (HideHint && Application) Application->CancelHint();
}

void TStyBaseGraphicButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TStyBaseControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (CustomHitTest && !IsInside(X, Y)) return;
    FPressPoint = Point(X, Y);
    if (FDropDownMenu) {
        if (FMenuOpen) {
            SetState(gsHot);
            return;
        }
        if (!ComboPartActive() || X >= Width() - FComboWidth) {
            const Byte earlier = FState;
            OpenMenu();
            SetState(earlier == gsDown && FPressed ? gsDown : (FHotTrack ? gsHot : gsUp));
            return;
        }
    }
    FHeld = true;
    FMouseInside = true;
    if (FGroupIndex != 0 && FPressed && FState == gsHot) SetState(gsDown);
    if (!FPressed) {
        SetState(gsHeld);
        if (RepeatedClick) {
            Click();
            StartTimer(1, RepeatingDelay);
        }
    }
}

void TStyBaseGraphicButton::MouseMove(TShiftState Shift, int X, int Y) {
    TStyBaseControl::MouseMove(Shift, X, Y);
    if (FMenuOpen) return;
    const bool inside = IsInside(X, Y);
    if (inside && !FMouseInside && !FHeld) MouseEnter();
    FMouseInside = inside;
    if (FHeld) {
        if (inside)
            SetState(FPressed ? gsDown : gsHeld);
        else
            SetState(FPressed ? gsDown : gsUp);
    } else if (FHotTrack && Enabled()) {
        if (inside && FState == gsUp)
            SetState(gsHot);
        else if (!inside && FState == gsHot)
            SetState(FPrevState);
    }
}

void TStyBaseGraphicButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TStyBaseControl::MouseUp(Button, Shift, X, Y);
    if (FMenuOpen || Button != mbLeft || !FHeld) return;
    FHeld = false;
    StopTimer(1);
    const bool inside = IsInside(X, Y);
    FMouseInside = inside;
    if (FGroupIndex != 0 && inside) {
        if (!FPressed)
            SetPressed(true);
        else if (FAllowAllUp)
            SetPressed(false);
    }
    if (!Enabled()) return;
    if (FPressed)
        SetState(gsDown);
    else
        SetState(inside && FHotTrack ? gsHot : gsUp);
    if (inside && !RepeatedClick) Click();
}

void TStyBaseGraphicButton::Click() { TStyBaseControl::Click(); }

void TStyBaseGraphicButton::EnabledChanged() {
    TStyBaseControl::EnabledChanged();
    if (!Enabled()) {
        StopTimer(0);
        StopTimer(1);
        FHeld = false;
    }
    const Byte s = Enabled() ? (FPressed ? gsDown : gsUp) : (FPressed ? gsDisabledDown : gsDisabled);
    FPrevState = FState;
    FState = s;
    Invalidate();
}

bool TStyBaseGraphicButton::HasAccelerator(char Key) const {
    const String text = Caption();
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(text[i + 1])) == std::toupper(static_cast<unsigned char>(Key));
    }
    return false;
}

void TStyBaseGraphicButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_STYBUTTONPRESSED: {
        auto* sender = reinterpret_cast<TStyBaseGraphicButton*>(Message.LParam);
        if (sender && sender != this && static_cast<int>(Message.WParam) == FGroupIndex && FGroupIndex != 0) {
            if (sender->FPressed && FPressed) {
                FPressed = false;
                FPrevState = FState;
                FState = Enabled() ? gsUp : gsDisabled;
                Invalidate();
            }
            FAllowAllUp = sender->FAllowAllUp;
        }
        return;
    }
    case CM_DIALOGCHAR: {
        const char key = static_cast<char>(Message.WParam);
        if (!HasAccelerator(key) || !Enabled() || !Showing() || (Parent() && !Parent()->Enabled())) break;
        if (FDropDownMenu) {
            if (!FMenuOpen)
                OpenMenu();
            else
                SetState(gsHot);
        } else if (FGroupIndex != 0) {
            if (!FPressed) {
                SetPressed(true);
                if (FPressed && FHotTrack) {
                    SetState(gsDown);
                    Click();
                }
            } else {
                SetPressed(false);
                if (!FPressed) SetState(gsUp);
            }
        } else {
            const bool wasInside = FMouseInside;
            FMouseInside = true;
            Click();
            const TPoint p = ScreenToClient(Mouse->CursorPos());
            FMouseInside = wasInside || IsInside(p.X, p.Y);
        }
        Message.Result = 1;
        return;
    }
    default:
        break;
    }
    TStyBaseControl::WndProc(Message);
}

void TStyBaseGraphicButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TStyBaseControl::ActionChange(Sender, CheckDefaults);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action) return;
    TImageList* images = action->ActionList() ? action->ActionList()->Images() : nullptr;
    if (images && action->ImageIndex() >= 0 && action->ImageIndex() < images->Count()) {
        TBitmap glyph(images->Width(), images->Height());
        glyph.Canvas()->Brush()->SetColor(clFuchsia);
        glyph.Canvas()->FillRect(Rect(0, 0, images->Width(), images->Height()));
        images->Draw(glyph.Canvas(), 0, 0, action->ImageIndex());
        SetGlyph(&glyph);
    } else {
        SetGlyph(nullptr);
    }
}

// ---- painting ----

void TStyBaseGraphicButton::DrawGlyphAndCaption(TCanvas* Canvas, const TRect& R) {
    TStyGlyphSource src;
    TBitmap picture;
    if (ImageList()) {
        if (PictureValid()) {
            ImageList()->CopyPicture(ListIndex(), ImageIndex(), &picture);
            src.Glyph = &picture;
            src.Flags = dfTransparentColor;
            src.Color = ImageList()->TransparentColor(ListIndex(), ImageIndex());
        }
    } else if (TBitmap* b = FGlyph->StateBitmap(FState)) {
        src.Glyph = b;
        src.Flags = dfTransparentColor;
        src.Color = FGlyph->TransparentColor();
    }
    Canvas->Font()->Assign(Font());
    if (FState >= gsHot && FState <= gsMenuOpen && FHotTrack && FEnterColorChange) Canvas->Font()->SetColor(FEnterColor);
    unsigned format = FMultiLine ? DT_WORDBREAK : DT_SINGLELINE;
    if (UseRightToLeftReading()) format |= DT_RTLREADING;
    Word flags = Enabled() ? tfEnabled : 0;
    TRect textRect, glyphRect;
    Canvas->Brush()->SetStyle(bsClear);
    DrawGlyphText(Canvas, Caption(), FFontFx.get(), flags, format, src, FLayout.get(), R, textRect, glyphRect);
}

void TStyBaseGraphicButton::Paint() {
    TCanvas* c = Canvas();
    if (!FTransparent) EraseBackground(c);
    DrawGlyphAndCaption(c, Rect(0, 0, Width(), Height()));
    if (HasState(csDesigning) && ShowDesignFrame()) DrawDesignFrame(c);
}
