#pragma once
// The small button of an edit-with-button: one speed button filling it.
#include "framework/controls/WinControl.h"

class TBitmap;
class TSpeedButton;

class TGkeEditButton : public TWinControl {
public:
    explicit TGkeEditButton(TComponent* owner);
    String ClassName() const override { return "TGkeEditButton"; }

    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* v);
    String ButtonCaption() const;
    void SetButtonCaption(const String& v);
    int NumGlyphs() const;
    void SetNumGlyphs(int v);
    TSpeedButton* Button() const { return FButton; }

protected:
    void Resize() override;

private:
    TSpeedButton* FButton = nullptr;
};
