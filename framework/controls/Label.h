#pragma once
#include "framework/controls/GraphicControl.h"
#include "framework/controls/StdCtrlsTypes.h"

// A caption on its parent. "&x" underlines x and makes Alt+x focus
// FocusControl; "&&" shows one '&'. With AutoSize the label fits its text
// (keeping its width when it wraps words).
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    ~TLabel() override;
    String ClassName() const override { return "TLabel"; }

    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    // The character after a single '&', 0 when none.
    char Accelerator() const;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void AdjustBounds();
    unsigned DrawFlags() const;
    // CM_DIALOGCHAR: the underlined letter focuses FocusControl.
    void WndProc(TMessage& message) override;

private:
    TWinControl* FFocusControl = nullptr;
    bool FAutoSize = true;
    bool FWordWrap = false;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false;
    bool FShowAccelChar = true;
};

// The accelerator of a caption: the character after a single '&'
// (lower case), 0 when none.
char GetAccelChar(const String& caption);
// Whether `caption` underlines the character `key` (a CM_DIALOGCHAR's),
// in either case.
bool IsAccel(WPARAM key, const String& caption);
