#pragma once
#include <memory>

#include "styled/controls/StyBaseControl.h"
#include "styled/controls/StyGlyph.h"

class TBitmap;
class TPopupMenu;
class TStyButtonLayout;
class TStyFxCaption;

// A window-less button: glyph and caption laid out together, latching in
// groups, repeated clicks while held, a drop-down menu (optionally opened
// by a separate arrow part on the right), and a hot look while the mouse
// is over it. Its timers (hot-tracking poll, repeat) run on the styled
// application's timer pool.
class TStyBaseGraphicButton : public TStyBaseControl {
public:
    explicit TStyBaseGraphicButton(TComponent* AOwner);
    ~TStyBaseGraphicButton() override;
    String ClassName() const override { return "TStyBaseGraphicButton"; }

    TStyButtonLayout* ButtonLayout() const { return FLayout.get(); }
    void SetButtonLayout(TStyButtonLayout* Value);
    TStyFxCaption* FontFx() const { return FFontFx.get(); }
    void SetFontFx(TStyFxCaption* Value);
    TBitmap* Glyph() const { return FGlyph->Glyph(); }
    // Clears ImageList: the strip takes over.
    void SetGlyph(TBitmap* Value);
    int NumGlyphs() const { return FGlyph->NumGlyphs(); }
    void SetNumGlyphs(int Value);  // 0..5
    TStyGlyph* GlyphObject() const { return FGlyph.get(); }

    TColor EnterColor() const { return FEnterColor; }
    void SetEnterColor(TColor Value);
    bool EnterColorChange() const { return FEnterColorChange; }
    void SetEnterColorChange(bool Value);
    bool HideHint = true;
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    bool RepeatedClick = false;
    Word RepeatingDelay = 500;
    Word RepeatingInterval = 100;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Pressed() const { return FPressed; }
    void SetPressed(bool Value);
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);
    int DropDownIndent = 0;
    bool DropDownRight = false;
    bool DropDownCombo() const { return FDropDownCombo; }
    void SetDropDownCombo(bool Value);
    int DropdownComboWidth() const { return FComboWidth; }
    void SetDropdownComboWidth(int Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);

    TNotifyEvent OnDropDown;

    Byte State() const { return FState; }
    Byte PrevState() const { return FPrevState; }
    bool MouseInside() const { return FMouseInside; }
    bool MenuOpen() const { return FMenuOpen; }
    // Whether the button shows the hot state.
    bool HotTracking() const { return FHotTrack; }
    void SetHotTracking(bool Value) { FHotTrack = Value; }
    bool ComboPartActive() const { return FDropDownMenu && FDropDownCombo; }

    void Click() override;
    void SetState(Byte Value);
    // The inside test of the mouse handling, client coordinates.
    virtual bool IsInside(int X, int Y);
    // The pool identifiers of the hot-tracking poll (0) and the repeat
    // (1) timers; 0 while not running.
    Word TimerId(int Which) const { return FTimers[Which].Id; }

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void Notification(TComponent* Component, TOperation Operation) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void PictureChanged() override;

    // Whether the hot look differs from the up look at all.
    virtual bool HotLookDiffers();
    // Glyph and caption into R by the layout.
    void DrawGlyphAndCaption(TCanvas* Canvas, const TRect& R);
    void OpenMenu();
    void Poll();
    void Repeat();
    void BroadcastPressed();
    bool CustomHitTest = false;
    // The control's own custom inside test (CustomHitTest on).
    virtual bool HitTest(int X, int Y) { (void)X; (void)Y; return true; }
    bool FTransparent = false;

private:
    struct TTimerSlot {
        Word Id = 0;
        int Ticks = 0;  // pool ticks between firings
        int Left = 0;   // until the next one
    };
    void StartTimer(int Which, Word Interval);
    void StopTimer(int Which);
    void TimerTick(int Which);
    bool HasAccelerator(char Key) const;

    std::unique_ptr<TStyButtonLayout> FLayout;
    std::unique_ptr<TStyFxCaption> FFontFx;
    std::unique_ptr<TStyGlyph> FGlyph;
    TColor FEnterColor = clCaptionText;
    bool FEnterColorChange = false;
    bool FMultiLine = false;
    bool FAllowAllUp = false;
    int FGroupIndex = 0;
    bool FPressed = false;
    TPopupMenu* FDropDownMenu = nullptr;
    bool FDropDownCombo = false;
    int FComboWidth = 12;
    Byte FState = gsUp;
    Byte FPrevState = gsUp;
    bool FMouseInside = false;
    bool FHeld = false;
    bool FHotTrack = false;
    bool FMenuOpen = false;
    TPoint FPressPoint{0, 0};
    TTimerSlot FTimers[2];
};
