#pragma once
// Two stacked (or side-by-side) auto-repeating buttons that step a value.
#include <memory>

#include "framework/controls/WinControl.h"

class TBitmap;
class TGkTimerSpeedButton;

enum TSpinDirection { spVertical, spHorizontal };

class TGkeSpinButton : public TWinControl {
public:
    explicit TGkeSpinButton(TComponent* owner);
    ~TGkeSpinButton() override;
    String ClassName() const override { return "TGkeSpinButton"; }

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    TBitmap* UpGlyph() const;
    void SetUpGlyph(TBitmap* v);
    TBitmap* DownGlyph() const;
    void SetDownGlyph(TBitmap* v);
    int UpNumGlyphs = 1, DownNumGlyphs = 1;
    TWinControl* FocusControl = nullptr;
    TGkTimerSpeedButton* UpButton() const { return FUpButton; }
    TGkTimerSpeedButton* DownButton() const { return FDownButton; }

    TNotifyEvent OnUpClick, OnDownClick;

    // The kit's own arrow art ("GkeSpinUp", "GkeSpinDown" and their
    // sideways forms): a small black triangle on a button-face ground.
    enum TArrowKind { akUp, akDown, akRight, akLeft };
    static std::unique_ptr<TBitmap> MakeArrowGlyph(TArrowKind kind);

protected:
    void Resize() override;
    void KeyDown(Word& key, TShiftState shift) override;

private:
    void LayoutButtons();
    void Pressed();
    void ApplyGlyphs();
    bool FOwnUpGlyph = true, FOwnDownGlyph = true;
    TSpinDirection FDirection = spVertical;
    TGkTimerSpeedButton* FUpButton = nullptr;
    TGkTimerSpeedButton* FDownButton = nullptr;
    TGkTimerSpeedButton* FFocusedButton = nullptr;
};
