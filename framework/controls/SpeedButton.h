#pragma once
#include <memory>

#include "framework/controls/BitBtn.h"
#include "framework/controls/GraphicControl.h"

class TBitmap;

// A button that paints itself and never takes the focus: for toolbars.
// Buttons of one parent with the same GroupIndex (not 0) act as a group:
// one is Down at a time, and with AllowAllUp none need be. A button alone
// in its own group index toggles.
class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    String ClassName() const override { return "TSpeedButton"; }

    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;

    void Click() override;

protected:
    // Down follows the action's Checked, the group its GroupIndex, and an
    // empty glyph takes the action's image.
    void ActionChange(TObject* sender, bool checkDefaults) override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    // Where the glyph and the caption go on the face, by Layout, Margin
    // and Spacing (GlyphLayout.h).
    void PlaceGlyphAndText(int glyphW, int glyphH, int textW, int textH, int offset, TPoint& glyphAt,
                           TPoint& textAt) const;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // CM_DIALOGCHAR: the underlined letter clicks it, as the mouse does.
    void WndProc(TMessage& message) override;

private:
    void UpdateGroup();
    bool FFlat = false;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    bool FPressed = false;  // the mouse holds it down
    bool FHot = false;      // the mouse is over it
};
